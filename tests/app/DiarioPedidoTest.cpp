// The journal of a rebuild: one CSV file per committed run in the user's local application-data
// folder, none for a run that kept nothing, and a warning after the success when it cannot be
// written.
#include <windows.h>

#include "DatabaseForm.h"
#include "app/DiarioPedido.h"

using apptest::Box;
using apptest::DatabaseForm;

namespace {

const char* const Header =
    "\xEF\xBB\xBF"
    "Banco de dados,Filial,Pedido,Produto,Grade,Sequência anterior,Sequência nova,ID anterior,ID novo\r\n";

class Journal : public DatabaseForm {
protected:
    // Branch 01, order 00000123: a product on two rows, nulls, a code with a comma and a quote, an
    // accented code; the generator at 100.
    void OpenSample()
    {
        database_ = std::make_unique<dbtest::TTestDatabase>("", 100);
        database_->AddOrder("01", "00000123", "55", "DAV1",
                            {"B|P|7|55", "B|P|7|55", "7,5\"X|M|NULL|12", "AÇÚCAR||2|NULL"});
        ASSERT_TRUE(Open(database_->Path()).empty());
    }
    std::string Line(const std::string& rest) const { return database_->Path() + ",01,00000123," + rest + "\r\n"; }
};

std::wstring FileName(const std::wstring& path)
{
    return path.substr(path.rfind(L'\\') + 1);
}

} // namespace

TEST_F(Journal, ACommittedRunWritesEveryRowWithItsOldAndNewValues)
{
    OpenSample();
    SYSTEMTIME start;
    GetLocalTime(&start);
    const std::vector<Box> boxes = Rebuild(L"01", L"123");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, L"Pedido 00000123 reprocessado com sucesso.");

    const std::vector<std::wstring> files = Journals();
    ASSERT_EQ(files.size(), 1u);
    // "YYYY-MM-DD HH-MM-SS filial 01 pedido 00000123.csv", dated today.
    const std::wstring name = FileName(files[0]);
    wchar_t today[16];
    swprintf(today, 16, L"%04u-%02u-%02u ", start.wYear, start.wMonth, start.wDay);
    EXPECT_EQ(name.rfind(today, 0), 0u) << ui::WideToUtf8(name);
    ASSERT_EQ(name.size(), 19u + std::wstring(L" filial 01 pedido 00000123.csv").size()) << ui::WideToUtf8(name);
    EXPECT_EQ(name.substr(19), L" filial 01 pedido 00000123.csv");
    EXPECT_EQ(name[13], L'-');
    EXPECT_EQ(name[16], L'-');

    // Codes as stored (fixed-length codes keep their blanks, counted in bytes in a database without
    // a character set), nulls empty, quotes doubled.
    EXPECT_EQ(ReadFileBytes(files[0]), Header + Line("B             ,P,7,1,55,101") +
                                           Line("B             ,P,7,2,55,102") +
                                           Line("\"7,5\"\"X" + std::string(14 - 5, ' ') + "\",M,,3,12,103") +
                                           Line("AÇÚCAR" + std::string(14 - 8, ' ') + ",,2,4,,104"));
    EXPECT_EQ(database_->Items("01", "00000123"), "B|P|1|101;B|P|2|102;7,5\"X|M|3|103;AÇÚCAR||4|104");
}

TEST_F(Journal, ARunThatKeepsNothingWritesNone)
{
    OpenSample();
    // Refused by the operator, an order that does not exist, an order of another branch.
    std::vector<Box> boxes = Rebuild(L"01", L"00000123", apptest::Answers{L"&No", L""});
    ASSERT_EQ(boxes.size(), 1u);
    boxes = Rebuild(L"01", L"00000999");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, apptest::FailureText(L"00000999"));
    boxes = Rebuild(L"02", L"00000123");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(Journals().empty());
    EXPECT_EQ(f->barraProgresso->PercentText(), L"0%");
}

TEST_F(Journal, AnUnwritableFolderGivesTheSuccessThenAWarningAndTheRebuildStands)
{
    OpenSample();
    // A file where the journal folder should be.
    HANDLE blocker = CreateFileW(JournalFolder().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(blocker, INVALID_HANDLE_VALUE);
    CloseHandle(blocker);

    const std::vector<Box> boxes = Rebuild(L"01", L"00000123");
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1].caption, L"Information");
    EXPECT_EQ(boxes[1].text, L"Pedido 00000123 reprocessado com sucesso.");
    EXPECT_EQ(boxes[2].caption, L"Warning");
    const std::wstring start =
        L"O pedido foi reprocessado, mas o registro das alterações não pôde ser gravado em:\r" + JournalFolder() + L"\\";
    EXPECT_EQ(boxes[2].text.rfind(start, 0), 0u) << ui::WideToUtf8(boxes[2].text);
    // The system's reason follows the file's path.
    EXPECT_NE(boxes[2].text.find(L".csv\r"), std::wstring::npos) << ui::WideToUtf8(boxes[2].text);
    EXPECT_GT(boxes[2].text.size(), boxes[2].text.find(L".csv\r") + 6);

    EXPECT_EQ(database_->Items("01", "00000123"), "B|P|1|101;B|P|2|102;7,5\"X|M|3|103;AÇÚCAR||4|104");
    EXPECT_FALSE(f->vConexao->InTransaction());
    EXPECT_TRUE(InputsEnabled());
    EXPECT_EQ(f->edtCodPedido->Text(), L"");
}

TEST_F(Journal, TwoRunsInTheSameSecondGetTwoFilesAndNoneIsOverwritten)
{
    const SYSTEMTIME when{2026, 12, 2, 8, 9, 5, 7, 0};
    TDiarioPedido first{"C:\\dados\\a.fdb", "01", "00000001", {{"P", "G", "", 1, "9", 11}}};
    TDiarioPedido second = first;
    second.Itens[0].IdNovo = 12;
    const std::wstring a = GravaDiario(first, when);
    const std::wstring b = GravaDiario(second, when);
    EXPECT_EQ(FileName(a), L"2026-12-08 09-05-07 filial 01 pedido 00000001.csv");
    EXPECT_EQ(FileName(b), L"2026-12-08 09-05-07 filial 01 pedido 00000001 (2).csv");
    EXPECT_EQ(ReadFileBytes(a), Header + std::string("C:\\dados\\a.fdb,01,00000001,P,G,,1,9,11\r\n"));
    EXPECT_EQ(ReadFileBytes(b), Header + std::string("C:\\dados\\a.fdb,01,00000001,P,G,,1,9,12\r\n"));

    // Characters a file name cannot hold are replaced; the file keeps them.
    TDiarioPedido odd{"x", "0/", "12:3*", {}};
    const std::wstring c = GravaDiario(odd, when);
    EXPECT_EQ(FileName(c), L"2026-12-08 09-05-07 filial 0_ pedido 12_3_.csv");
    EXPECT_EQ(ReadFileBytes(c), Header);
}
