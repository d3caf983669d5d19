// The rebuild of an order's item sequence, and the generator its item ids come from.
#include "app/ReprocessaSequencial.h"
#include "app/InstrucoesPedido.h"

namespace {

std::wstring Texto(const std::string& utf8)
{
    return ui::Utf8ToWide(utf8);
}

std::string Utf8(const std::wstring& text)
{
    return ui::WideToUtf8(text);
}

bool EmBranco(const std::wstring& text)
{
    for (wchar_t c : text)
        if (c > L' ')
            return false;
    return true;
}

void Aviso(const std::wstring& text)
{
    ui::MessageDlg(text, ui::TMsgDlgType::mtWarning, ui::mbOK, 0);
}

std::wstring TextoFalha(const std::wstring& pedido)
{
    return L"Não foi possível reprocessar a sequência do pedido: " + pedido + L"\r" +
           L"Verifique se as informações estão corretas e tente novamente.";
}

} // namespace

void TReprocessaSequencial::btnReprocessaClick(ui::TObject*)
{
    std::wstring pedido;
    try {
        if (!vConexao->Connected() || EmBranco(edtCaminhoCarvoni->Text())) {
            ui::MessageDlg(L"Informe um banco de dados válido.", ui::TMsgDlgType::mtInformation, ui::mbOK, 0);
            Foca(btnAbrirCarvoni);
            return;
        }
        if (EmBranco(cbxFilial->Text())) {
            ui::MessageDlg(L"Informe uma filial válida.", ui::TMsgDlgType::mtInformation, ui::mbOK, 0);
            Foca(cbxFilial);
            return;
        }
        if (EmBranco(edtCodPedido->Text()) || edtCodPedido->Text().size() < 8)
            ValidaPedido();

        pedido = edtCodPedido->Text();
        FSucesso = false;
        FUltimoIdItem = 0;

        const std::wstring confirmacao =
            L" ATENÇÃO. Apenas pedidos do Pré-Venda serão reprocessados. \r"
            L" Apenas os campos 'SEQUÊNCIA' e 'ID_ITEM' serão recriados\r"
            L" o restante das informações continuarão as mesmas de antes. \r"
            L"\r"
            L" Ao executar a ferramenta, ela irá reprocessar a sequência do pedido: " + pedido + L"\r"
            L"\r"
            L" Confirma o processo?";
        if (ui::MessageDlg(confirmacao, ui::TMsgDlgType::mtConfirmation, ui::mbYesNo, 0) != ui::mrYes)
            return;

        HabilitaCampos(false);
        IniciaTransacao();
        GravaSequencia();
        if (!FSucesso) {
            // The rewrite has shown why it stopped (empty order, or an error with its cause). No
            // half-renumbered order is kept. Ids the run reserved stay used: the generator is
            // outside the transaction, and setting it back could hand an id out twice.
            CancelaTransacao();
            barraProgresso->SetProgress(0);
            return;
        }
        AtualizaGenerator("GEN_IDITEM", FUltimoIdItem);
        ConfirmaTransacao();
    } catch (...) {
        barraProgresso->SetProgress(0);
        try {
            CancelaTransacao();
        } catch (...) {
            // The rollback's own error goes to the application's handler; the inputs come back first.
            HabilitaCampos(true);
            throw;
        }
        Aviso(TextoFalha(pedido));
        FSucesso = false;
        HabilitaCampos(true);
        return;
    }

    if (FSucesso) {
        // The rebuild stands whatever becomes of its journal; a journal that cannot be written is
        // reported after the success.
        std::wstring falhaDiario;
        try {
            SYSTEMTIME agora;
            GetLocalTime(&agora);
            GravaDiario(FDiario, agora);
        } catch (const std::exception& error) {
            falhaDiario = Texto(error.what());
        }
        ui::MessageDlg(L"Pedido " + pedido + L" reprocessado com sucesso.", ui::TMsgDlgType::mtInformation,
                       ui::mbOK, 0);
        if (!falhaDiario.empty())
            Aviso(L"O pedido foi reprocessado, mas o registro das alterações não pôde ser gravado em:\r" +
                  falhaDiario);
        HabilitaCampos(true);
        barraProgresso->SetProgress(0);
        edtCodPedido->SetText(L"");
        Foca(btnSair);
    }
}

void TReprocessaSequencial::GravaSequencia()
{
    const std::wstring pedido = edtCodPedido->Text();
    barraProgresso->SetVisible(true);
    barraProgresso->SetProgress(0);
    try {
        db::TSQLQuery atualiza(vConexao.get());
        db::TSQLQuery itens(vConexao.get());

        // Branch and number as typed, untrimmed; the inputs are disabled while the run lasts.
        const std::string filial = Utf8(cbxFilial->Text());
        const std::string numero = Utf8(edtCodPedido->Text());
        itens.SetSQL(SelectPedido);
        itens.ParamByName("PCODEMPRESA").SetAsString(filial);
        itens.ParamByName("PCODPEDIDO").SetAsString(numero);
        itens.Open();
        FDiario = TDiarioPedido{vConexao->ParamValue("Database"), filial, numero, {}};

        const int total = ContaRegistros(itens);
        barraProgresso->SetMaxValue(total);

        // Every id of the run is reserved in one step, so another program drawing from the
        // generator meanwhile gets ids above them. An order without rows draws none.
        std::int32_t proximoId = 0;
        if (total > 0)
            proximoId = ObtemGenerator("GEN_IDITEM", total) - total + 1;

        itens.First();
        if (itens.IsEmpty()) {
            Aviso(TextoFalha(pedido));
            HabilitaCampos(true);
            FSucesso = false;
            return;
        }

        std::int32_t sequencia = 1;
        ULONGLONG ultimaVez = 0;
        atualiza.SetSQL(UpdateItem);
        atualiza.ParamByName("PCODPEDIDO").SetAsString(numero);
        atualiza.ParamByName("PCODEMPRESA").SetAsString(filial);
        // Looked up once: thousands of rows would otherwise spend a good part of the run in names.
        db::TParam& pSequencia = atualiza.ParamByName("PSEQUENCIA");
        db::TParam& pIdItem = atualiza.ParamByName("PID_ITEM");
        db::TParam& pChave = atualiza.ParamByName("PCHAVE");
        db::TParam& pProduto = atualiza.ParamByName("PCODPROD");
        db::TParam& pGrade = atualiza.ParamByName("PCODGRADE");
        const db::TField& fProduto = itens.FieldByName("CODPROD");
        const db::TField& fGrade = itens.FieldByName("CODGRADE");
        const db::TField& fChave = itens.FieldByName("CHAVE");
        const db::TField& fSequencia = itens.FieldByName("SEQUENCIA");
        const db::TField& fIdItem = itens.FieldByName("ID_ITEM");
        FDiario.Itens.reserve(static_cast<std::size_t>(total));
        while (!itens.Eof()) {
            TItemDiario& item = FDiario.Itens.emplace_back();
            item.Produto = fProduto.AsString();
            item.Grade = fGrade.AsString();
            item.SequenciaAnterior = fSequencia.AsString();
            item.IdAnterior = fIdItem.AsString();
            item.SequenciaNova = sequencia;
            item.IdNovo = proximoId;
            pSequencia.SetAsInteger(sequencia);
            pIdItem.SetAsInteger(proximoId);
            pChave.SetAsString(fChave.AsString());
            pProduto.SetAsString(item.Produto);
            pGrade.SetAsString(item.Grade);
            ExecutaAguardandoBloqueio(atualiza);

            // Each row is updated by its own key: anything but one row means the order changed
            // under the run, and numbering on would give one id to several items or to none.
            const int linhas = atualiza.RowsAffected();
            if (linhas != 1)
                throw ui::Exception("O item " + ui::Trim(item.Produto) + " (grade " + ui::Trim(item.Grade) + ") " +
                                    (linhas == 0 ? std::string("não foi encontrado no pedido.")
                                                 : "aparece " + std::to_string(linhas) + " vezes no pedido."));

            ++sequencia;
            FUltimoIdItem = proximoId;
            ++proximoId;
            barraProgresso->AddProgress(1);
            // The window keeps answering and painted: its pending messages are handled after the
            // first row and then every 50 ms (twenty gauge steps a second), and once more after the
            // last. A look at the message queue for each of thousands of rows would cost about as
            // much as the updates.
            const ULONGLONG agora = GetTickCount64();
            if (sequencia == 2 || agora - ultimaVez >= 50) {
                ui::Application.ProcessMessages();
                ultimaVez = agora;
            }
            itens.Next();
        }
        ui::Application.ProcessMessages();
        FSucesso = true;
    } catch (const std::exception& error) {
        Aviso(L"Ocorreu um erro durante a gravação da sequência." + std::wstring(L"\r") + Texto(error.what()));
        HabilitaCampos(true);
        FSucesso = false;
    }
}

void TReprocessaSequencial::ExecutaAguardandoBloqueio(db::TSQLQuery& Query)
{
    // The connection's transactions do not wait on locks themselves: a wait inside the server would
    // freeze the window. Each try fails at once while the row is held.
    const int segundos = vConexao->LockTimeout;
    const ULONGLONG limite = GetTickCount64() + static_cast<ULONGLONG>(segundos) * 1000;
    for (;;) {
        try {
            Query.ExecSQL();
            return;
        } catch (const db::EDatabaseError& error) {
            if (!db::IsLockConflict(error.ErrorCode()) || (segundos > 0 && GetTickCount64() >= limite))
                throw;
        }
        const ULONGLONG proxima = GetTickCount64() + 75;
        for (ULONGLONG agora = GetTickCount64(); agora < proxima; agora = GetTickCount64()) {
            MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(proxima - agora), QS_ALLINPUT,
                                        MWMO_INPUTAVAILABLE);
            ui::Application.ProcessMessages();
        }
    }
}

int TReprocessaSequencial::ContaRegistros(db::TSQLQuery& Query)
{
    if (Query.IsEmpty())
        return 0;
    int total = 0;
    Query.First();
    while (!Query.Eof()) {
        ++total;
        Query.Next();
    }
    Query.First();
    return total;
}

std::int32_t TReprocessaSequencial::ObtemGenerator(const std::string& Name, std::int32_t Quantidade)
{
    std::int32_t resultado = 0;
    if (ui::Trim(Name).empty())
        return resultado;
    try {
        db::TSQLQuery consulta(vConexao.get());
        // One atomic step: the generator moves by Quantidade and the value returned is the last of
        // the ids reserved.
        consulta.SetSQL("SELECT GEN_ID(GEN_IDITEM," + std::to_string(Quantidade) + ") AS IDITEM FROM RDB$DATABASE");
        consulta.Open();
        if (!consulta.IsEmpty())
            resultado = consulta.FieldByName("IDITEM").AsInteger();
        consulta.Close();
    } catch (const std::exception& error) {
        throw ui::Exception(std::string("Erro ao obter generator do Pré-Venda.") + '\r' + error.what());
    }
    return resultado;
}

void TReprocessaSequencial::AtualizaGenerator(const std::string& Name, std::int32_t Value)
{
    if (ui::Trim(Name).empty() || Value < 0)
        return;
    try {
        // Never lower the generator: ids above Value may have been handed out since this run
        // reserved its own.
        db::TSQLQuery consulta(vConexao.get());
        consulta.SetSQL("SELECT GEN_ID(" + Name + ",0) AS ATUAL FROM RDB$DATABASE");
        consulta.Open();
        const std::int32_t atual = consulta.IsEmpty() ? 0 : consulta.FieldByName("ATUAL").AsInteger();
        consulta.Close();
        if (Value <= atual)
            return;
        db::TSQLQuery comando(vConexao.get());
        comando.SetSQL("SET GENERATOR " + Name + " TO " + std::to_string(Value));
        comando.ExecSQL();
    } catch (const std::exception& error) {
        throw ui::Exception(std::string("Problemas ao atualizar generator.") + '\r' + "Motivo: " + error.what());
    }
}
