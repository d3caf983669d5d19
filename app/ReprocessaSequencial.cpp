#include "app/ReprocessaSequencial.h"

#include "ui/FormReader.h"

#if APP_WITH_SKIN
#include "skin/data/WinSkinData.h"
#include "skin/window/WinSkinForm.h"
#endif

TReprocessaSequencial::TReprocessaSequencial(ui::TComponent* owner)
    : ui::TForm(owner), vConexao(std::make_unique<db::TSQLConnection>())
{
    RegisterFormClasses();

    // The connection as the form keeps it: only Database changes at run time, and no login
    // dialog is shown (user and password are in the parameters).
    db::TSQLConnection& c = *vConexao;
    c.DriverName = "Interbase";
    c.GetDriverFunc = "getSQLDriverINTERBASE";
    c.LibraryName = "dbexpint.dll";
    c.VendorLib = "gds32.dll";
    c.LoginPrompt = false;
    // A locked row is waited for by the rebuild itself, so that the window keeps answering.
    c.CallerWaitsOnLocks = true;
    for (const char* line : {"Database=database.gdb", "RoleName=RoleName", "User_Name=sysdba",
                             "Password=vornqetal", "ServerCharSet=", "SQLDialect=1", "BlobSize=-1",
                             "CommitRetain=False", "WaitOnLocks=True", "ErrorResourceFile=",
                             "LocaleCode=0000", "Interbase TransIsolation=ReadCommited",
                             "Trim Char=False"})
        c.Params.Add(line);

    FTransacao.TransactionID = 1;
    FTransacao.GlobalID = 0;
    FTransacao.IsolationLevel = db::xilREADCOMMITTED;
    FTransacao.CustomIsolation = 0;
}

TReprocessaSequencial::~TReprocessaSequencial() = default;

void TReprocessaSequencial::Foca(ui::TWinControl* control)
{
    if (control && control->CanFocus())
        control->SetFocus();
}

void TReprocessaSequencial::HabilitaCampos(bool Enabled)
{
    btnReprocessa->SetEnabled(Enabled);
    btnSair->SetEnabled(Enabled);
    btnAbrirCarvoni->SetEnabled(Enabled);
    btnLimpar->SetEnabled(Enabled);
    edtCodPedido->SetEnabled(Enabled);
    btnCancelar->SetEnabled(Enabled);
    cbxFilial->SetEnabled(Enabled);
}

void TReprocessaSequencial::FormKeyDown(ui::TObject*, std::uint16_t& Key, ui::TShiftState)
{
    // Enter on the form itself moves on, as Tab would. The key ends here: the control that
    // receives the focus must not take the same keystroke as its own (a button would be pressed).
    if (Key == VK_RETURN) {
        SendMessageW(Handle(), WM_NEXTDLGCTL, 0, 0);
        Key = 0;
    }
}

void TReprocessaSequencial::btnLimparClick(ui::TObject*)
{
    // The connection stays as it is.
    edtCaminhoCarvoni->SetText(L"");
    edtCodPedido->SetText(L"");
    cbxFilial->SetItemIndex(-1);
}

void TReprocessaSequencial::btnCancelarClick(ui::TObject*)
{
    if (ui::MessageDlg(L" Deseja cancelar ?", ui::TMsgDlgType::mtConfirmation, ui::mbYesNo, 0) == ui::mrYes)
        btnLimpar->Click();
    HabilitaCampos(true);
    Foca(btnAbrirCarvoni);
}

void TReprocessaSequencial::btnSairClick(ui::TObject*)
{
    Close();
    vConexao->Close();
}

const ui::TClassInfo& TReprocessaSequencial::StaticClassInfo()
{
    using T = TReprocessaSequencial;
    static const ui::TClassInfo info = ui::TClassBuilder<T, ui::TForm>("TReprocessaSequencial")
        .NotCreatable()
        .Field("Panel2", &T::Panel2)
        .Field("Panel1", &T::Panel1)
        .Field("imgZemlo", &T::imgZemlo)
        .Field("lblTitulo", &T::lblTitulo)
        .Field("lblCaminho", &T::lblCaminho)
        .Field("edtCaminhoCarvoni", &T::edtCaminhoCarvoni)
        .Field("btnAbrirCarvoni", &T::btnAbrirCarvoni)
        .Field("lblFilial", &T::lblFilial)
        .Field("cbxFilial", &T::cbxFilial)
        .Field("lblPedido", &T::lblPedido)
        .Field("edtCodPedido", &T::edtCodPedido)
        .Field("btnReprocessa", &T::btnReprocessa)
        .Field("btnLimpar", &T::btnLimpar)
        .Field("btnCancelar", &T::btnCancelar)
        .Field("btnSair", &T::btnSair)
        .Field("barraProgresso", &T::barraProgresso)
        .Field("dlgOpenDialogo", &T::dlgOpenDialogo)
#if APP_WITH_SKIN
        .Field("SkinData1", &T::SkinData1)
#endif
        .Handler("btnAbrirCarvoniClick", &T::btnAbrirCarvoniClick)
        .Handler("btnReprocessaClick", &T::btnReprocessaClick)
        .Handler("btnLimparClick", &T::btnLimparClick)
        .Handler("btnCancelarClick", &T::btnCancelarClick)
        .Handler("btnSairClick", &T::btnSairClick)
        .Handler("FormKeyDown", &T::FormKeyDown)
        .Handler("edtCodPedidoKeyPress", &T::edtCodPedidoKeyPress)
        .Handler("cbxFilialKeyPress", &T::cbxFilialKeyPress)
        .Handler("cbxFilialExit", &T::cbxFilialExit)
        .Build();
    return info;
}

void RegisterFormClasses()
{
    ui::RegisterStandardClasses();
#if APP_WITH_SKIN
    skin::RegisterSkinData();
    // Every top-level window of the program wears the skin's frame once it is first activated.
    skin::UseWindowSkinning();
#endif
}
