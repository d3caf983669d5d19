// Opening the chosen database, and the transaction the rebuild runs in.
#include "app/ReprocessaSequencial.h"

namespace {

std::wstring Texto(const std::string& utf8)
{
    return ui::Utf8ToWide(utf8);
}

} // namespace

void TReprocessaSequencial::btnAbrirCarvoniClick(ui::TObject*)
{
    dlgOpenDialogo->SetFilter(L"Banco Firebird (*.FB;*.FDB;*.GDB)|*.FB; *.FDB;*.GDB");
    if (!dlgOpenDialogo->Execute())
        return;
    edtCaminhoCarvoni->SetText(dlgOpenDialogo->FileName());
    try {
        // The path shown is the database in use: a connection to another file is closed first.
        vConexao->Close();
        // The client reads the path as UTF-8 (the connection says so when it attaches).
        vConexao->SetParamValue("Database", ui::Trim(ui::WideToUtf8(edtCaminhoCarvoni->Text())));
        vConexao->Open();
        edtCaminhoCarvoni->SetEnabled(false);
        Foca(cbxFilial);
    } catch (const std::exception& error) {
        // No database is in use now: the path box shows none.
        edtCaminhoCarvoni->SetText(L"");
        ui::MessageDlg(L"Erro ao conectar ao banco de dados: " + Texto(error.what()), ui::TMsgDlgType::mtWarning,
                       ui::mbOK, 0);
    }
}

void TReprocessaSequencial::IniciaTransacao()
{
    try {
        if (!vConexao->InTransaction())
            vConexao->StartTransaction(FTransacao);
    } catch (const std::exception& error) {
        throw ui::Exception(std::string("Não foi possível iniciar a transação. ") + '\r' + error.what());
    }
}

void TReprocessaSequencial::ConfirmaTransacao()
{
    try {
        if (vConexao->InTransaction())
            vConexao->Commit(FTransacao);
    } catch (const std::exception& error) {
        throw ui::Exception(std::string("Não foi possível confirmar a transação. ") + '\r' + error.what());
    }
}

void TReprocessaSequencial::CancelaTransacao()
{
    try {
        if (vConexao->InTransaction())
            vConexao->Rollback(FTransacao);
    } catch (const std::exception& error) {
        throw ui::Exception(std::string("Não foi possível cancelar a transação. ") + '\r' + error.what());
    }
}
