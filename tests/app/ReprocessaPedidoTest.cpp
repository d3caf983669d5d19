// The rebuild of an order's item sequence through the real window and its dialogs, against real
// embedded databases: the result, the refusals, and what a failed run leaves behind.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <thread>

#include "DatabaseForm.h"

using apptest::Answers;
using apptest::Box;
using apptest::DatabaseForm;
using apptest::FailureText;

namespace {

std::wstring Confirmation(const std::wstring& order)
{
    return L" ATENÇÃO. Apenas pedidos do Pré-Venda serão reprocessados. \r"
           L" Apenas os campos 'SEQUÊNCIA' e 'ID_ITEM' serão recriados\r"
           L" o restante das informações continuarão as mesmas de antes. \r"
           L"\r"
           L" Ao executar a ferramenta, ela irá reprocessar a sequência do pedido: " + order + L"\r"
           L"\r"
           L" Confirma o processo?";
}

const wchar_t* const RewriteError = L"Ocorreu um erro durante a gravação da sequência.\r";

std::set<int> Ids(const std::string& items)
{
    std::set<int> ids;
    std::size_t begin = 0;
    while (begin < items.size()) {
        std::size_t end = items.find(';', begin);
        end = end == std::string::npos ? items.size() : end;
        const std::string item = items.substr(begin, end - begin);
        ids.insert(std::stoi(item.substr(item.rfind('|') + 1)));
        begin = end + 1;
    }
    return ids;
}

class RebuildRun : public DatabaseForm {
protected:
    // A database with the order 00000123 of branch 01 (three rows, scrambled), the same number in
    // another branch and as another type, and the generator at 100; opened in the form.
    void OpenSample()
    {
        MakeSample();
        ASSERT_TRUE(Open(database_->Path()).empty());
    }
    void MakeSample()
    {
        database_ = std::make_unique<dbtest::TTestDatabase>("", 100);
        database_->AddOrder("01", "00000123", "55", "DAV1", {"B|P|7|55", "A|M|7|12", "C||2|90"});
        database_->AddOrder("02", "00000123", "55", "DAV2", {"A|M|9|9"});
        database_->AddOrder("01", "00000123", "50", "DAV3", {"A|M|8|8"});
    }
    // The order as the form's own connection sees it: an active transaction left behind would
    // show its uncommitted rows here, where a second connection would not see them.
    std::string ItemsThroughTheForm()
    {
        db::TSQLQuery query(f->vConexao.get());
        query.SetSQL("SELECT CODPROD, SEQUENCIA, ID_ITEM FROM PEDIDOI WHERE CODEMPRESA = '01' "
                     "AND CODPEDIDO = '00000123' AND TIPOPEDIDO = '55'");
        query.Open();
        std::string text;
        for (; !query.Eof(); query.Next())
            text += ui::Trim(query.Fields(0).AsString()) + "|" + query.Fields(1).AsString() + "|" +
                    query.Fields(2).AsString() + ";";
        return text;
    }
    // A run that failed after its rows were written: the general failure box, nothing kept, the
    // form ready for the next run.
    void ExpectFailedAndNothingKept(const std::vector<Box>& boxes, const std::string& before)
    {
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[1].caption, L"Warning");
        EXPECT_EQ(boxes[1].text, FailureText(L"00000123"));
        EXPECT_FALSE(f->vConexao->InTransaction());
        EXPECT_EQ(ItemsThroughTheForm(), before);
        EXPECT_EQ(f->barraProgresso->PercentText(), L"0%");
        EXPECT_TRUE(InputsEnabled());
        EXPECT_TRUE(Journals().empty());
    }
    // Everything the rebuild may touch, to compare before and after.
    std::string Snapshot()
    {
        return database_->Items("01", "00000123") + "/" + database_->Items("02", "00000123") + "/" +
               database_->Items("01", "00000123", "50") + "/" + std::to_string(database_->Generator());
    }
};

// Calls `draw` each time the window paints while installed (the gauge repaints its panel once per
// row of a rebuild).
class OnPaint {
public:
    OnPaint(HWND window, std::function<void()> draw) : window_(window), draw_(std::move(draw))
    {
        SetWindowSubclass(window_, Proc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    ~OnPaint() { RemoveWindowSubclass(window_, Proc, 1); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
    {
        if (msg == WM_PAINT)
            reinterpret_cast<OnPaint*>(data)->draw_();
        return DefSubclassProc(window, msg, wParam, lParam);
    }
    HWND window_;
    std::function<void()> draw_;
};

// Runs once from a thread timer.
std::function<void()> g_later;
void CALLBACK RunLater(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (g_later)
        g_later();
}

} // namespace

TEST_F(RebuildRun, RenumbersTheOrderFromTheGeneratorThroughTheRealDialogs)
{
    OpenSample();
    const std::vector<Box> boxes = Rebuild(L"01", L"123");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, L"Confirm");
    EXPECT_EQ(boxes[0].text, Confirmation(L"00000123"));
    EXPECT_EQ(boxes[1].caption, L"Information");
    EXPECT_EQ(boxes[1].text, L"Pedido 00000123 reprocessado com sucesso.");

    // Rows in server order get 1, 2, 3 and the next three ids; nothing else changes.
    EXPECT_EQ(database_->Items("01", "00000123"), "B|P|1|101;A|M|2|102;C||3|103");
    EXPECT_EQ(database_->Generator(), 103);
    EXPECT_EQ(database_->Items("02", "00000123"), "A|M|9|9");
    EXPECT_EQ(database_->Items("01", "00000123", "50"), "A|M|8|8");

    EXPECT_EQ(f->edtCodPedido->Text(), L"");
    EXPECT_EQ(f->barraProgresso->PercentText(), L"0%");
    EXPECT_TRUE(f->barraProgresso->Visible());
    EXPECT_EQ(f->cbxFilial->Text(), L"01");
    EXPECT_EQ(f->edtCaminhoCarvoni->Text(), ui::Utf8ToWide(database_->Path()));
    EXPECT_TRUE(InputsEnabled());
    EXPECT_EQ(Focused(), f->btnSair);
    EXPECT_FALSE(f->vConexao->InTransaction());
}

TEST_F(RebuildRun, SendsTheNumberAndBranchAsTheRulesLeaveThem)
{
    OpenSample();
    database_->AddOrder("1", "00000123", "55", "DAV4", {"Z|U|5|5", "Y|U|5|5"});

    // A number of nine characters goes unchanged (no such order here: nothing found).
    std::vector<Box> boxes = Rebuild(L"01", L"123456789");
    ASSERT_GE(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, Confirmation(L"123456789"));

    // Branch 1 is not filled to 01: only the order of branch "1" is renumbered.
    const std::string before01 = database_->Items("01", "00000123");
    boxes = Rebuild(L"1", L"00000123");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, L"Pedido 00000123 reprocessado com sucesso.");
    EXPECT_EQ(database_->Items("1", "00000123"), "Z|U|1|101;Y|U|2|102");
    EXPECT_EQ(database_->Items("01", "00000123"), before01);
}

TEST_F(RebuildRun, AnOrderOfAnotherTypeOrWithoutDavIsNotFoundAndChangesNothing)
{
    OpenSample();
    database_->AddOrder("03", "00000050", "50", "DAV5", {"A|M|3|3"});
    database_->AddOrder("03", "00000051", "55", "", {"A|M|3|3"});
    for (const wchar_t* order : {L"00000050", L"00000051"}) {
        const std::string before = database_->Items("03", ui::WideToUtf8(order), order[7] == L'0' ? "50" : "55") +
                                   std::to_string(database_->Generator());
        const std::vector<Box> boxes = Rebuild(L"03", order);
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[1].caption, L"Warning");
        EXPECT_EQ(boxes[1].text, FailureText(order));
        // Not even a generator value is spent on it.
        EXPECT_EQ(database_->Items("03", ui::WideToUtf8(order), order[7] == L'0' ? "50" : "55") +
                      std::to_string(database_->Generator()),
                  before);
        EXPECT_TRUE(InputsEnabled());
        EXPECT_EQ(f->edtCodPedido->Text(), order);
        EXPECT_FALSE(f->vConexao->InTransaction());
    }
}

TEST_F(RebuildRun, RefusesMissingInputsBeforeAsking)
{
    std::vector<Box> boxes = Rebuild(L"01", L"00000123");  // not connected
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"Information");
    EXPECT_EQ(boxes[0].text, L"Informe um banco de dados válido.");
    EXPECT_EQ(Focused(), f->btnAbrirCarvoni);

    OpenSample();
    boxes = Rebuild(L" ", L"00000123");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Informe uma filial válida.");
    EXPECT_EQ(Focused(), f->cbxFilial);

    // A blank number: the check's own warning, then the failure text without a number.
    boxes = Rebuild(L"01", L"   ");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, L"Warning");
    EXPECT_EQ(boxes[0].text, L"O número do pedido não pode ficar em branco.");
    EXPECT_EQ(boxes[1].caption, L"Warning");
    EXPECT_EQ(boxes[1].text, FailureText(L""));
    EXPECT_TRUE(InputsEnabled());

    // Answering No changes nothing.
    const std::string before = Snapshot();
    boxes = Rebuild(L"01", L"00000123", Answers{L"&No", L""});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(f->edtCodPedido->Text(), L"00000123");
    EXPECT_TRUE(InputsEnabled());
}

TEST_F(RebuildRun, AnErrorInTheMiddleLeavesTheOrderExactlyAsBefore)
{
    OpenSample();
    // The server refuses the second row's update.
    database_->Exec("CREATE EXCEPTION E_RECUSADO 'recusado pelo servidor'");
    database_->Exec("CREATE TRIGGER T_RECUSA FOR PEDIDOI BEFORE UPDATE AS BEGIN "
                    "IF (NEW.SEQUENCIA = 2) THEN EXCEPTION E_RECUSADO; END");
    const std::string before = database_->Items("01", "00000123");
    const std::vector<Box> boxes = Rebuild(L"01", L"00000123");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, L"Warning");
    EXPECT_EQ(boxes[1].text.rfind(RewriteError, 0), 0u);
    EXPECT_NE(boxes[1].text.find(L"recusado pelo servidor"), std::wstring::npos) << ui::WideToUtf8(boxes[1].text);
    EXPECT_EQ(database_->Items("01", "00000123"), before);
    EXPECT_GE(database_->Generator(), 100);
    EXPECT_TRUE(InputsEnabled());
    EXPECT_EQ(f->edtCodPedido->Text(), L"00000123");
    EXPECT_FALSE(f->vConexao->InTransaction());
    // Nothing of the run is left: not its progress, not a journal.
    EXPECT_EQ(f->barraProgresso->PercentText(), L"0%");
    EXPECT_TRUE(Journals().empty());
}

TEST_F(RebuildRun, RowsOfTheSameProductAndGridAreEachRenumbered)
{
    OpenSample();
    database_->AddOrder("04", "00000007", "55", "DAV7", {"A|M|4|4", "A|M|9|9", "B|M|1|1"});
    database_->AddOrder("04", "00000008", "55", "DAV8", {"A|M|7|70", "A|M|7|70", "A|M|7|70"});
    // The same product and grid in another branch, type and order, which no run here may touch.
    database_->AddOrder("05", "00000007", "55", "DAV9", {"A|M|4|4"});
    database_->AddOrder("04", "00000007", "50", "DAVX", {"A|M|4|4", "A|M|4|4"});
    auto others = [&] {
        return database_->Items("05", "00000007") + "/" + database_->Items("04", "00000007", "50") + "/" +
               database_->Items("01", "00000123");
    };
    const std::string before = others();

    std::vector<Box> boxes = Rebuild(L"04", L"00000007");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, L"Pedido 00000007 reprocessado com sucesso.");
    EXPECT_EQ(database_->Items("04", "00000007"), "A|M|1|101;A|M|2|102;B|M|3|103");
    EXPECT_EQ(database_->Items("04", "00000008"), "A|M|7|70;A|M|7|70;A|M|7|70");

    boxes = Rebuild(L"04", L"00000008");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, L"Pedido 00000008 reprocessado com sucesso.");
    EXPECT_EQ(database_->Items("04", "00000008"), "A|M|1|104;A|M|2|105;A|M|3|106");
    EXPECT_EQ(database_->Items("04", "00000007"), "A|M|1|101;A|M|2|102;B|M|3|103");
    EXPECT_EQ(others(), before);
    EXPECT_EQ(database_->Generator(), 106);
}

TEST_F(RebuildRun, AFailingCommitOrGeneratorUpdateKeepsNothing)
{
    MakeSample();
    // The server refuses to commit a transaction that renumbered the order, and to move the
    // generator by statement; both are in place before the form opens the database.
    database_->Exec("CREATE EXCEPTION E_RECUSADO 'recusado pelo servidor'");
    database_->Exec("CREATE TRIGGER T_RECUSA_COMMIT ON TRANSACTION COMMIT AS BEGIN "
                    "IF (RDB$GET_CONTEXT('USER_SESSION', 'RECUSA') = 'COMMIT' AND EXISTS (SELECT 1 FROM PEDIDOI "
                    "WHERE CODEMPRESA = '01' AND CODPEDIDO = '00000123' AND ID_ITEM > 100)) "
                    "THEN EXCEPTION E_RECUSADO; END");
    database_->Exec("CREATE TRIGGER T_RECUSA_GENERATOR BEFORE ALTER SEQUENCE AS BEGIN "
                    "IF (RDB$GET_CONTEXT('USER_SESSION', 'RECUSA') = 'GENERATOR') THEN EXCEPTION E_RECUSADO; END");
    ASSERT_TRUE(Open(database_->Path()).empty());
    const std::string before = ItemsThroughTheForm();
    auto refuse = [&](const std::string& what) {
        db::TSQLQuery set(f->vConexao.get());
        set.SetSQL("SELECT RDB$SET_CONTEXT('USER_SESSION', 'RECUSA', '" + what + "') FROM RDB$DATABASE");
        set.Open();
    };

    refuse("COMMIT");
    ExpectFailedAndNothingKept(Rebuild(L"01", L"00000123"), before);
    EXPECT_EQ(database_->Items("01", "00000123"), "B|P|7|55;A|M|7|12;C||2|90");

    // The generator is set only when it stands below the run's last id: another program puts it
    // back while the rows are written.
    refuse("GENERATOR");
    auto other = database_->Connect();
    bool lowered = false;
    OnPaint hook(f->Panel2->Handle(), [&] {
        if (lowered || !f->vConexao->InTransaction())
            return;
        db::TSQLQuery lower(other.get());
        lower.SetSQL("SELECT GEN_ID(GEN_IDITEM, -1000) FROM RDB$DATABASE");
        lower.Open();
        lowered = true;
    });
    ExpectFailedAndNothingKept(Rebuild(L"01", L"00000123"), before);
    EXPECT_TRUE(lowered);

    // With nothing refused the same order goes through.
    refuse("");
    const std::vector<Box> boxes = Rebuild(L"01", L"00000123");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, L"Pedido 00000123 reprocessado com sucesso.");
}

TEST_F(RebuildRun, ADrawFromTheGeneratorDuringTheRunGetsNoIdTheRunWrites)
{
    database_ = std::make_unique<dbtest::TTestDatabase>("", 100);
    std::initializer_list<std::string> rows = {"P01|A|9|1", "P02|A|9|1", "P03|A|9|1", "P04|A|9|1", "P05|A|9|1",
                                               "P06|A|9|1", "P07|A|9|1", "P08|A|9|1", "P09|A|9|1", "P10|A|9|1"};
    database_->AddOrder("01", "00000200", "55", "DAV", rows);
    ASSERT_TRUE(Open(database_->Path()).empty());

    // Another program takes ids while the rows are written.
    auto other = database_->Connect();
    std::vector<int> drawn;
    bool running = false;
    OnPaint hook(f->Panel2->Handle(), [&] {
        if (!running || !f->vConexao->InTransaction())
            return;
        db::TSQLQuery draw(other.get());
        draw.SetSQL("SELECT GEN_ID(GEN_IDITEM, 1) FROM RDB$DATABASE");
        draw.Open();
        drawn.push_back(draw.Fields(0).AsInteger());
    });
    running = true;
    const std::vector<Box> boxes = Rebuild(L"01", L"00000200");
    running = false;
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, L"Pedido 00000200 reprocessado com sucesso.");
    ASSERT_FALSE(drawn.empty()) << "no draw happened during the run";

    const std::set<int> written = Ids(database_->Items("01", "00000200"));
    EXPECT_EQ(written.size(), 10u);
    for (int id : drawn)
        EXPECT_EQ(written.count(id), 0u) << "id " << id << " handed out twice";
    // The generator stands above everything handed out: never set back.
    const int highest = std::max(*written.rbegin(), *std::max_element(drawn.begin(), drawn.end()));
    EXPECT_EQ(database_->Generator(), highest);
}

TEST_F(RebuildRun, ALockedRowIsWaitedForWithTheWindowAnsweringThenTheRunRollsBack)
{
    OpenSample();
    const std::string before = database_->Items("01", "00000123");
    auto other = database_->Connect();
    const db::TTransactionDesc transaction{1, 0, db::xilREADCOMMITTED, 0};
    other->StartTransaction(transaction);
    other->ExecuteDirect("UPDATE PEDIDOI SET DESCRICAO = 'em uso' WHERE CODPROD = 'C' AND CODEMPRESA = '01'");

    // Another thread sends the window a message again and again while the run waits for the row;
    // each must be handled within 200 ms. The sends start a moment after the run has written its
    // first row (the locked row is the third) and end well before the 3 s wait is over, so they
    // measure the wait alone, not the boxes before and after it.
    f->vConexao->LockTimeout = 3;
    std::atomic<bool> started{false};
    std::atomic<int> answered{0}, unanswered{0};
    OnPaint hook(f->Panel2->Handle(), [&] {
        if (f->vConexao->InTransaction())
            started = true;
    });
    const HWND window = f->Handle();
    std::thread caller([&] {
        while (!started)
            Sleep(5);
        Sleep(300);
        for (int i = 0; i < 16; ++i) {
            DWORD_PTR result = 0;
            if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 200, &result))
                ++answered;
            else
                ++unanswered;
            Sleep(50);
        }
    });
    const std::vector<Box> boxes = Rebuild(L"01", L"00000123");
    started = true;  // a run that never started leaves no thread behind
    caller.join();
    EXPECT_EQ(unanswered, 0);
    EXPECT_EQ(answered, 16);

    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text.rfind(RewriteError, 0), 0u);
    EXPECT_NE(boxes[1].text.find(L"update conflicts with concurrent update"), std::wstring::npos)
        << ui::WideToUtf8(boxes[1].text);
    EXPECT_FALSE(f->vConexao->InTransaction());
    EXPECT_TRUE(InputsEnabled());
    EXPECT_EQ(f->barraProgresso->PercentText(), L"0%");

    other->Rollback(transaction);
    EXPECT_EQ(database_->Items("01", "00000123"), before);
}

TEST_F(RebuildRun, ARowFreedDuringTheWaitIsWritten)
{
    OpenSample();
    auto other = database_->Connect();
    const db::TTransactionDesc transaction{1, 0, db::xilREADCOMMITTED, 0};
    other->StartTransaction(transaction);
    other->ExecuteDirect("UPDATE PEDIDOI SET DESCRICAO = 'em uso' WHERE CODPROD = 'C' AND CODEMPRESA = '01'");
    // The other program lets go of the row half a second after the run has written its first row,
    // while the run waits for the third.
    g_later = [&] { other->Rollback(transaction); };
    bool armed = false;
    OnPaint hook(f->Panel2->Handle(), [&] {
        if (!armed && f->vConexao->InTransaction()) {
            SetTimer(nullptr, 0, 500, RunLater);
            armed = true;
        }
    });
    const std::vector<Box> boxes = Rebuild(L"01", L"00000123");
    g_later = nullptr;
    EXPECT_TRUE(armed);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, L"Pedido 00000123 reprocessado com sucesso.");
    EXPECT_EQ(database_->Items("01", "00000123"), "B|P|1|101;A|M|2|102;C||3|103");
}

TEST_F(RebuildRun, ADatabaseWithoutTheOrderTablesIsReportedAndLeftAlone)
{
    database_ = std::make_unique<dbtest::TTestDatabase>();
    database_->Exec("DROP TABLE PEDIDOI");
    ASSERT_TRUE(Open(database_->Path()).empty());
    const std::vector<Box> boxes = Rebuild(L"01", L"00000123");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text.rfind(RewriteError, 0), 0u);
    EXPECT_NE(boxes[1].text.find(L"PEDIDOI"), std::wstring::npos) << ui::WideToUtf8(boxes[1].text);
    EXPECT_EQ(database_->Generator(), 0);
    EXPECT_TRUE(InputsEnabled());
    EXPECT_FALSE(f->vConexao->InTransaction());
}

TEST_F(RebuildRun, TheGeneratorIsReadAndNeverSetBack)
{
    OpenSample();
    f->IniciaTransacao();
    EXPECT_EQ(f->ObtemGenerator(" "), 0);
    EXPECT_EQ(database_->Generator(), 100);
    EXPECT_EQ(f->ObtemGenerator("GEN_IDITEM"), 101);
    EXPECT_EQ(f->ObtemGenerator("GEN_IDITEM", 3), 104);
    f->AtualizaGenerator(" ", 500);
    f->AtualizaGenerator("GEN_IDITEM", -1);
    f->AtualizaGenerator("GEN_IDITEM", 50);
    EXPECT_EQ(database_->Generator(), 104);
    f->AtualizaGenerator("GEN_IDITEM", 300);
    f->ConfirmaTransacao();
    EXPECT_EQ(database_->Generator(), 300);
    try {
        f->AtualizaGenerator("NO_SUCH_GENERATOR", 5);
        FAIL();
    } catch (const ui::Exception& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Problemas ao atualizar generator.\rMotivo: ", 0), 0u) << error.what();
    }
}

TEST_F(RebuildRun, EnterInTheOrderBoxFillsTheNumberAndMovesOn)
{
    OpenSample();
    f->cbxFilial->SetText(L"01");
    f->edtCodPedido->SetText(L"42");
    EXPECT_TRUE(WithDialogs([&] { Key(f->edtCodPedido, VK_RETURN); }).empty());
    EXPECT_EQ(f->edtCodPedido->Text(), L"00000042");
    EXPECT_EQ(Focused(), f->btnReprocessa);

    f->edtCodPedido->SetText(L" 12345 ");
    std::vector<Box> boxes = WithDialogs([&] { Key(f->edtCodPedido, VK_RETURN); });
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(f->edtCodPedido->Text(), L"00012345");

    f->edtCodPedido->SetText(L"123456789");
    boxes = WithDialogs([&] { Key(f->edtCodPedido, VK_RETURN); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"O número do pedido está incorreto ou o pedido não existe.");
    EXPECT_EQ(f->edtCodPedido->Text(), L"");
    EXPECT_EQ(Focused(), f->edtCodPedido);

    f->cbxFilial->SetText(L"1");
    boxes = WithDialogs([&] { Key(f->cbxFilial, VK_RETURN); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Informe a filial correta do banco de dados para continuar.");
    f->cbxFilial->SetText(L"01");
    boxes = WithDialogs([&] { Key(f->cbxFilial, VK_RETURN); });
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Focused(), f->edtCodPedido);
}
