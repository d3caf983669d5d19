#pragma once
// The tool's one window: open a Carvoni database, pick a branch and an order number, and rebuild
// that pre-sale order's item sequence. Its controls come from the stored form description
// (ReprocessaSequencial.dfm, kept in the executable as a resource).
#include "app/DiarioPedido.h"
#include "db/SQLConnection.h"
#include "db/SQLQuery.h"
#include "ui/Buttons.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/Forms.h"
#include "ui/Gauges.h"
#include "ui/StdCtrls.h"

#include <cstdint>
#include <memory>
#include <string>

namespace skin {
class TSkinData;
}

class TReprocessaSequencial : public ui::TForm {
    UI_CLASS(TReprocessaSequencial)
public:
    explicit TReprocessaSequencial(ui::TComponent* owner);
    ~TReprocessaSequencial() override;

    // Components of the stored description, pointed at by the reader.
    ui::TPanel* Panel2 = nullptr;
    ui::TPanel* Panel1 = nullptr;
    ui::TImage* imgZemlo = nullptr;
    ui::TLabel* lblTitulo = nullptr;
    ui::TLabel* lblCaminho = nullptr;
    ui::TEdit* edtCaminhoCarvoni = nullptr;
    ui::TBitBtn* btnAbrirCarvoni = nullptr;
    ui::TLabel* lblFilial = nullptr;
    ui::TComboBox* cbxFilial = nullptr;
    ui::TLabel* lblPedido = nullptr;
    ui::TEdit* edtCodPedido = nullptr;
    ui::TButton* btnReprocessa = nullptr;
    ui::TBitBtn* btnLimpar = nullptr;
    ui::TBitBtn* btnCancelar = nullptr;
    ui::TBitBtn* btnSair = nullptr;
    ui::TGauge* barraProgresso = nullptr;
    ui::TOpenDialog* dlgOpenDialogo = nullptr;
    skin::TSkinData* SkinData1 = nullptr;

    // The connection to the chosen database, with the form's fixed parameters; not connected.
    std::unique_ptr<db::TSQLConnection> vConexao;

    // Run state.
    db::TTransactionDesc FTransacao{};
    bool FSucesso = false;
    std::int32_t FUltimoIdItem = 0;
    // What the run changed, row by row; written as the journal once the run is committed.
    TDiarioPedido FDiario;

    // Event handlers wired by the description.
    void btnAbrirCarvoniClick(ui::TObject* Sender);
    void btnReprocessaClick(ui::TObject* Sender);
    void btnLimparClick(ui::TObject* Sender);
    void btnCancelarClick(ui::TObject* Sender);
    void btnSairClick(ui::TObject* Sender);
    void FormKeyDown(ui::TObject* Sender, std::uint16_t& Key, ui::TShiftState Shift);
    void edtCodPedidoKeyPress(ui::TObject* Sender, wchar_t& Key);
    void cbxFilialKeyPress(ui::TObject* Sender, wchar_t& Key);
    void cbxFilialExit(ui::TObject* Sender);

    // Enables or disables the seven inputs together.
    void HabilitaCampos(bool Enabled);

    // Transactions on vConexao, described by FTransacao.
    void IniciaTransacao();
    void ConfirmaTransacao();
    void CancelaTransacao();

    // Order-number and branch checks.
    void ValidaPedido();
    std::wstring CompletaZeros(const std::wstring& Text, int Width);

    // The rewrite of the order's rows, and the generator it draws ids from.
    void GravaSequencia();
    int ContaRegistros(db::TSQLQuery& Query);
    // Runs an update; while another program holds the row it retries every 75 ms, the window
    // answering meanwhile, for up to the connection's LockTimeout seconds, then raises the
    // server's error.
    void ExecutaAguardandoBloqueio(db::TSQLQuery& Query);
    // Reserves Quantidade ids in one step and returns the last of them.
    std::int32_t ObtemGenerator(const std::string& Name, std::int32_t Quantidade = 1);
    void AtualizaGenerator(const std::string& Name, std::int32_t Value);

private:
    // Focus moves ask first whether the control can take the focus, and do nothing otherwise.
    static void Foca(ui::TWinControl* control);
};

// Makes the classes the description names known to the form reader.
void RegisterFormClasses();
