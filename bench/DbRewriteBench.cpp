// The rebuild of a 10,000-item order through the form (dialogs answered, gauge and message
// processing on) against two references on copies of the same database, in one run:
//  - the same rewrite preparing its update anew for every row;
//  - one EXECUTE BLOCK doing the renumbering on the server, row by row key.
// Run on two schemas: the demo schema, and the same without the index over order, product and
// grid (which an update by product and grid needed to find its row). Prints rows per second for
// each and the ratios; checks that the results agree.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/InstrucoesPedido.h"
#include "app/ReprocessaSequencial.h"
#include "db/SQLConnection.h"
#include "db/SQLQuery.h"
#include "ui/FormReader.h"

namespace dbtest {
extern const char* const SchemaSql;
}

namespace {

constexpr int Rows = 10000;
const char* const Branch = "01";
const char* const Order = "00010000";

// The whole renumbering as one statement run by the server.
const char* const BlockText =
    "EXECUTE BLOCK AS\n"
    "  DECLARE seq INTEGER = 0;\n"
    "  DECLARE id INTEGER;\n"
    "  DECLARE n INTEGER;\n"
    "  DECLARE p CHAR(14);\n"
    "  DECLARE g VARCHAR(6);\n"
    "  DECLARE k CHAR(8) CHARACTER SET OCTETS;\n"
    "BEGIN\n"
    "  SELECT COUNT(*) FROM PEDIDOC INNER JOIN PEDIDOI ON PEDIDOC.CODEMPRESA = PEDIDOI.CODEMPRESA\n"
    "    AND PEDIDOC.CODPEDIDO = PEDIDOI.CODPEDIDO AND PEDIDOC.TIPOPEDIDO = PEDIDOI.TIPOPEDIDO\n"
    "    WHERE PEDIDOC.TIPOPEDIDO = '55' AND PEDIDOC.ID_DAVPV <> ''\n"
    "      AND PEDIDOC.CODPEDIDO = '00010000' AND PEDIDOC.CODEMPRESA = '01' INTO :n;\n"
    "  id = GEN_ID(GEN_IDITEM, :n) - :n;\n"
    "  FOR SELECT PEDIDOI.CODPROD, PEDIDOI.CODGRADE, PEDIDOI.RDB$DB_KEY FROM PEDIDOC INNER JOIN PEDIDOI\n"
    "      ON PEDIDOC.CODEMPRESA = PEDIDOI.CODEMPRESA AND PEDIDOC.CODPEDIDO = PEDIDOI.CODPEDIDO\n"
    "      AND PEDIDOC.TIPOPEDIDO = PEDIDOI.TIPOPEDIDO\n"
    "    WHERE PEDIDOC.TIPOPEDIDO = '55' AND PEDIDOC.ID_DAVPV <> ''\n"
    "      AND PEDIDOC.CODPEDIDO = '00010000' AND PEDIDOC.CODEMPRESA = '01'\n"
    "    INTO :p, :g, :k DO\n"
    "  BEGIN\n"
    "    seq = seq + 1;\n"
    "    id = id + 1;\n"
    "    UPDATE PEDIDOI SET SEQUENCIA = :seq, ID_ITEM = :id\n"
    "      WHERE RDB$DB_KEY = :k AND CODPEDIDO = '00010000' AND CODPROD = :p AND CODGRADE = :g\n"
    "        AND CODEMPRESA = '01' AND TIPOPEDIDO = '55';\n"
    "  END\n"
    "END";

// The same block finding each row by product and grid, as the rewrite did before it used row keys;
// run on the indexed schema only (without the index each of its updates reads the whole order).
std::string BlockByProductText()
{
    std::string text = BlockText;
    for (const char* part : {", PEDIDOI.RDB$DB_KEY", ", :k", "RDB$DB_KEY = :k AND "}) {
        const std::size_t at = text.find(part);
        if (at != std::string::npos)
            text.erase(at, std::string(part).size());
    }
    return text;
}

const char* const FillText =
    "EXECUTE BLOCK AS\n"
    "  DECLARE i INTEGER = 1;\n"
    "BEGIN\n"
    "  INSERT INTO PEDIDOC (CODEMPRESA, CODPEDIDO, TIPOPEDIDO, ID_DAVPV) VALUES ('01', '00010000', '55', 'DAV');\n"
    "  WHILE (i <= 10000) DO\n"
    "  BEGIN\n"
    "    INSERT INTO PEDIDOI (CODEMPRESA, CODPEDIDO, TIPOPEDIDO, SEQUENCIA, ID_ITEM, CODPROD, CODGRADE)\n"
    "      VALUES ('01', '00010000', '55', MOD(:i * 7919, 10007), 20000 + MOD(:i * 104729, 9000),\n"
    "              '78' || LPAD(:i, 8, '0'), CASE MOD(:i, 3) WHEN 0 THEN '' WHEN 1 THEN 'P ' ELSE 'M  ' END);\n"
    "    i = i + 1;\n"
    "  END\n"
    "END";

const db::TTransactionDesc Transaction{1, 0, db::xilREADCOMMITTED, 0};

double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void SetParameters(db::TSQLConnection& connection, const std::string& path)
{
    connection.VendorLib = "gds32.dll";
    connection.LoginPrompt = false;
    for (const char* line : {"Database=database.gdb", "RoleName=RoleName", "User_Name=sysdba",
                             "Password=vornqetal", "ServerCharSet=", "SQLDialect=1", "BlobSize=-1",
                             "CommitRetain=False", "WaitOnLocks=True", "ErrorResourceFile=",
                             "LocaleCode=0000", "Interbase TransIsolation=ReadCommited", "Trim Char=False"})
        connection.Params.Add(line);
    connection.SetParamValue("Database", path);
}

void MakeDatabase(const std::string& path, bool withOrderIndex)
{
    DeleteFileW(ui::Utf8ToWide(path).c_str());
    db::TSQLConnection::CreateDatabase(path, "SYSDBA", "masterkey", 1);
    db::TSQLConnection connection;
    SetParameters(connection, path);
    connection.Open();
    std::string schema = dbtest::SchemaSql;
    for (std::size_t start; (start = schema.find("/*")) != std::string::npos;)
        schema.erase(start, schema.find("*/", start) + 2 - start);
    std::size_t begin = 0;
    for (std::size_t end; (end = schema.find(';', begin)) != std::string::npos; begin = end + 1) {
        const std::string statement = ui::Trim(schema.substr(begin, end - begin));
        if (!statement.empty())
            connection.ExecuteDirect(statement);
    }
    if (!withOrderIndex)
        connection.ExecuteDirect("DROP INDEX IX_PEDIDOI_PEDIDO");
    connection.ExecuteDirect(FillText);
    connection.ExecuteDirect("SET GENERATOR GEN_IDITEM TO 40000");
}

// The order's rows as "CODPROD|CODGRADE|SEQUENCIA|ID_ITEM" lines, in server order.
std::string Result(const std::string& path)
{
    db::TSQLConnection connection;
    SetParameters(connection, path);
    connection.Open();
    db::TSQLQuery query(&connection);
    query.SetSQL("SELECT CODPROD, CODGRADE, SEQUENCIA, ID_ITEM FROM PEDIDOI WHERE CODPEDIDO = '00010000'");
    query.Open();
    std::string text;
    for (; !query.Eof(); query.Next())
        text += query.Fields(0).AsString() + "|" + query.Fields(1).AsString() + "|" + query.Fields(2).AsString() +
                "|" + query.Fields(3).AsString() + "\n";
    return text;
}

// The rewrite as the form runs its statements, without the window: the rows read once, the update
// prepared once (`prepareEachRow` false) or anew for each row (the reference).
double Rewrite(const std::string& path, bool prepareEachRow, bool countRows)
{
    db::TSQLConnection connection;
    SetParameters(connection, path);
    connection.Open();
    const auto start = std::chrono::steady_clock::now();
    connection.StartTransaction(Transaction);
    {
        db::TSQLQuery select(&connection);
        select.SetSQL(SelectPedido);
        select.ParamByName("PCODEMPRESA").SetAsString(Branch);
        select.ParamByName("PCODPEDIDO").SetAsString(Order);
        select.Open();
        db::TSQLQuery generator(&connection);
        int count = 0;
        for (; !select.Eof(); select.Next())
            ++count;
        select.First();
        generator.SetSQL("SELECT GEN_ID(GEN_IDITEM," + std::to_string(count) + ") AS IDITEM FROM RDB$DATABASE");
        generator.Open();
        int id = generator.Fields(0).AsInteger() - count + 1;
        generator.Close();
        int sequence = 1;
        db::TSQLQuery kept(&connection);
        for (; !select.Eof(); select.Next()) {
            std::unique_ptr<db::TSQLQuery> fresh;
            if (prepareEachRow)
                fresh = std::make_unique<db::TSQLQuery>(&connection);
            db::TSQLQuery& update = prepareEachRow ? *fresh : kept;
            update.SetSQL(UpdateItem);
            update.ParamByName("PCODPEDIDO").SetAsString(Order);
            update.ParamByName("PSEQUENCIA").SetAsInteger(sequence++);
            update.ParamByName("PID_ITEM").SetAsInteger(id++);
            update.ParamByName("PCODEMPRESA").SetAsString(Branch);
            update.ParamByName("PCHAVE").SetAsString(select.FieldByName("CHAVE").AsString());
            update.ParamByName("PCODPROD").SetAsString(select.FieldByName("CODPROD").AsString());
            update.ParamByName("PCODGRADE").SetAsString(select.FieldByName("CODGRADE").AsString());
            update.ExecSQL();
            if (countRows && update.RowsAffected() != 1)
                throw std::runtime_error("row not found");
        }
    }
    connection.Commit(Transaction);
    return Seconds(start);
}

double RewriteInOneBlock(const std::string& path, const std::string& block = BlockText)
{
    db::TSQLConnection connection;
    SetParameters(connection, path);
    connection.Open();
    const auto start = std::chrono::steady_clock::now();
    connection.StartTransaction(Transaction);
    connection.ExecuteDirect(block);
    connection.Commit(Transaction);
    return Seconds(start);
}

// Answers the form's boxes while it runs: Yes to the confirmation, OK to the rest.
std::vector<std::wstring> g_boxes;

BOOL CALLBACK AnswerBox(HWND window, LPARAM)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (pid != GetCurrentProcessId() || !IsWindowVisible(window) || std::wstring(name) != L"TMessageForm")
        return TRUE;
    wchar_t caption[64] = {};
    GetWindowTextW(window, caption, 64);
    const std::wstring button = std::wstring(caption) == L"Confirm" ? L"&Yes" : L"OK";
    auto* box = dynamic_cast<ui::TMessageForm*>(ui::FindOwningControl(window));
    g_boxes.push_back(box ? box->Message() : caption);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[64] = {};
        GetWindowTextW(child, text, 64);
        if (button == text) {
            SendMessageW(child, BM_CLICK, 0, 0);
            break;
        }
    }
    return FALSE;
}

void CALLBACK LookForBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    EnumWindows(AnswerBox, 0);
}

// When the boxes come and go: the rewrite runs from the end of the confirmation box to the
// creation of the result box. (Under Wine hiding a window may wait on the window manager; that
// wait belongs to neither.)
std::chrono::steady_clock::time_point g_confirmationGone, g_resultCreated;
int g_boxesCreated = 0;

bool IsMessageBox(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return std::wstring(name) == L"TMessageForm";
}

LRESULT CALLBACK WatchBoxes(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && IsMessageBox(reinterpret_cast<HWND>(wParam))) {
        if (++g_boxesCreated == 2)
            g_resultCreated = std::chrono::steady_clock::now();
    } else if (code == HCBT_DESTROYWND && IsMessageBox(reinterpret_cast<HWND>(wParam)) && g_boxesCreated == 1) {
        g_confirmationGone = std::chrono::steady_clock::now();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

double RewriteThroughTheForm(const std::string& path)
{
    auto form = std::make_unique<TReprocessaSequencial>(nullptr);
    ui::ReadComponentResource(form.get(), ui::ResourceNameOf(form.get()));
    form->Show();
    ui::Application.ProcessMessages();
    // Connected as the open button leaves it; the file dialog is not part of the measure.
    form->edtCaminhoCarvoni->SetText(ui::Utf8ToWide(path));
    form->vConexao->SetParamValue("Database", path);
    form->vConexao->Open();
    form->cbxFilial->SetText(ui::Utf8ToWide(Branch));
    form->edtCodPedido->SetText(ui::Utf8ToWide(Order));
    ui::Application.ProcessMessages();

    g_boxes.clear();
    g_boxesCreated = 0;
    HHOOK hook = SetWindowsHookExW(WH_CBT, WatchBoxes, nullptr, GetCurrentThreadId());
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, LookForBoxes);
    SendMessageW(form->btnReprocessa->Handle(), BM_CLICK, 0, 0);
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(hook);
    const double seconds = std::chrono::duration<double>(g_resultCreated - g_confirmationGone).count();
    const bool succeeded = g_boxes.size() == 2 && g_boxes[1].find(L"reprocessado com sucesso") != std::wstring::npos;
    form.reset();
    if (!succeeded) {
        std::printf("the form's run did not succeed:\n");
        for (const auto& text : g_boxes)
            std::printf("  %s\n", ui::WideToUtf8(text).c_str());
        return -1;
    }
    return seconds;
}



struct Figures {
    double form = -1, prepare = 0, block = 0, statements = 0;
    double blockByProduct = 0;  // 0: not run
    bool agree = false;
};

// The four runs on copies of one database made with or without the order index.
Figures Measure(const std::string& base, bool withOrderIndex)
{
    const std::string master = base + "-master.fdb";
    const std::string copies[4] = {base + "-form.fdb", base + "-prepare.fdb", base + "-block.fdb",
                                   base + "-statements.fdb"};
    MakeDatabase(master, withOrderIndex);
    for (const std::string& copy : copies)
        CopyFileW(ui::Utf8ToWide(master).c_str(), ui::Utf8ToWide(copy).c_str(), FALSE);

    Figures figures;
    figures.form = RewriteThroughTheForm(copies[0]);
    figures.prepare = Rewrite(copies[1], true, false);
    figures.block = RewriteInOneBlock(copies[2]);
    if (withOrderIndex) {
        const std::string copy = base + "-block-by-product.fdb";
        CopyFileW(ui::Utf8ToWide(master).c_str(), ui::Utf8ToWide(copy).c_str(), FALSE);
        figures.blockByProduct = RewriteInOneBlock(copy, BlockByProductText());
        DeleteFileW(ui::Utf8ToWide(copy).c_str());
    }
    figures.statements = Rewrite(copies[3], false, true);

    const std::string expected = Result(copies[2]);
    figures.agree = Result(copies[0]) == expected && Result(copies[1]) == expected && Result(copies[3]) == expected;
    for (const std::string& path : copies)
        DeleteFileW(ui::Utf8ToWide(path).c_str());
    DeleteFileW(ui::Utf8ToWide(master).c_str());
    return figures;
}

void Print(const char* schema, const Figures& f)
{
    std::printf("%s\n", schema);
    std::printf("  %-46s %8.3f s %10.0f rows/s\n", "form rewrite (prepared once, gauge, messages)", f.form, Rows / f.form);
    std::printf("  %-46s %8.3f s %10.0f rows/s\n", "reference: update prepared for every row", f.prepare, Rows / f.prepare);
    std::printf("  %-46s %8.3f s %10.0f rows/s\n", "reference: one EXECUTE BLOCK on the server", f.block, Rows / f.block);
    if (f.blockByProduct > 0)
        std::printf("  %-46s %8.3f s %10.0f rows/s\n", "(earlier reference: the block by product and grid)",
                    f.blockByProduct, Rows / f.blockByProduct);
    std::printf("  %-46s %8.3f s %10.0f rows/s\n", "(the form's statements alone, without the window)", f.statements,
                Rows / f.statements);
    std::printf("  form / prepare-every-row: %.2fx   form / execute-block: %.2f (%.0f%% of the set-based rate)\n",
                f.prepare / f.form, f.block / f.form, 100.0 * f.block / f.form);
    if (f.blockByProduct > 0)
        std::printf("  form / the earlier block by product and grid: %.2f\n", f.blockByProduct / f.form);
    std::printf("  results of the runs agree: %s\n", f.agree ? "yes" : "NO");
}

} // namespace

int main()
{
    try {
        wchar_t folder[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        // The form's runs write their journals to a folder of the benchmark's own, removed after.
        const std::wstring journals = std::wstring(folder) + L"db-rewrite-bench-journals";
        CreateDirectoryW(journals.c_str(), nullptr);
        SetEnvironmentVariableW(L"LOCALAPPDATA", journals.c_str());
        const std::string base = ui::WideToUtf8(folder) + "db-rewrite-bench-" + std::to_string(GetCurrentProcessId());

        std::printf("making databases with an order of %d items...\n", Rows);
        const Figures indexed = Measure(base, true);
        const Figures plain = Measure(base, false);

        const std::wstring journalFolder = journals + L"\\Reprocessa Sequencial";
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((journalFolder + L"\\*.csv").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                DeleteFileW((journalFolder + L"\\" + found.cFileName).c_str());
            while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(journalFolder.c_str());
        RemoveDirectoryW(journals.c_str());
        if (indexed.form < 0 || plain.form < 0)
            return 1;

        Print("demo schema (index over order, product and grid):", indexed);
        Print("schema without that index:", plain);
        return indexed.agree && plain.agree ? 0 : 1;
    } catch (const std::exception& error) {
        std::printf("error: %s\n", error.what());
        return 1;
    }
}
