// Opening databases through the open button and the real file dialog, and the form's transaction
// operations.
#include <windows.h>

#include "DatabaseForm.h"

using apptest::Box;
using apptest::DatabaseForm;

namespace {

std::string DatabaseName(db::TSQLConnection& connection)
{
    db::TSQLQuery query(&connection);
    query.SetSQL("SELECT MON$DATABASE_NAME FROM MON$DATABASE");
    query.Open();
    return ui::Trim(query.Fields(0).AsString());
}

std::string FileNameOf(const std::string& path)
{
    return path.substr(path.find_last_of("\\/") + 1);
}

} // namespace

TEST_F(DatabaseForm, OpensTheChosenFileAndMovesToTheBranch)
{
    database_ = std::make_unique<dbtest::TTestDatabase>();
    EXPECT_TRUE(Open(database_->Path()).empty());
    EXPECT_EQ(f->dlgOpenDialogo->Filter(), L"Banco Firebird (*.FB;*.FDB;*.GDB)|*.FB; *.FDB;*.GDB");
    EXPECT_EQ(f->edtCaminhoCarvoni->Text(), ui::Utf8ToWide(database_->Path()));
    EXPECT_FALSE(IsWindowEnabled(f->edtCaminhoCarvoni->Handle()));
    ASSERT_TRUE(f->vConexao->Connected());
    EXPECT_EQ(f->vConexao->ParamValue("Database"), database_->Path());
    EXPECT_EQ(Focused(), f->cbxFilial);

    // Cancelling the dialog changes nothing. (The branch is filled: leaving it empty for the
    // dialog would be refused by its own check.)
    f->cbxFilial->SetText(L"01");
    EXPECT_TRUE(WithDialogs([&] { Click(f->btnAbrirCarvoni); }, apptest::Answers{L"&Yes", L""}).empty());
    EXPECT_EQ(f->edtCaminhoCarvoni->Text(), ui::Utf8ToWide(database_->Path()));
    EXPECT_TRUE(f->vConexao->Connected());
}

TEST_F(DatabaseForm, OpensAPathWithNonAsciiLetters)
{
    database_ = std::make_unique<dbtest::TTestDatabase>("-Pré-Venda");
    EXPECT_TRUE(Open(database_->Path()).empty());
    ASSERT_TRUE(f->vConexao->Connected());
    EXPECT_NE(DatabaseName(*f->vConexao).find("Pré-Venda"), std::string::npos);
}

TEST_F(DatabaseForm, AWrongPathOrAFileThatIsNoDatabaseIsReportedAndLeftClosed)
{
    const std::string missing = dbtest::TempDatabasePath("-missing");
    std::vector<Box> boxes = Open(missing);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"Warning");
    EXPECT_EQ(boxes[0].text.rfind(L"Erro ao conectar ao banco de dados: ", 0), 0u);
    EXPECT_NE(boxes[0].text.find(L"I/O error"), std::wstring::npos) << ui::WideToUtf8(boxes[0].text);
    // No database is in use: the path box shows none.
    EXPECT_EQ(f->edtCaminhoCarvoni->Text(), L"");
    EXPECT_FALSE(f->vConexao->Connected());

    const std::string text = dbtest::TempDatabasePath("-text");
    HANDLE file = CreateFileW(ui::Utf8ToWide(text).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const std::string junk(40000, 'z');
    DWORD written = 0;
    WriteFile(file, junk.data(), static_cast<DWORD>(junk.size()), &written, nullptr);
    CloseHandle(file);
    boxes = Open(text);
    DeleteFileW(ui::Utf8ToWide(text).c_str());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(L"not a valid database"), std::wstring::npos) << ui::WideToUtf8(boxes[0].text);
    EXPECT_FALSE(f->vConexao->Connected());
    EXPECT_EQ(f->edtCaminhoCarvoni->Text(), L"");
}

TEST_F(DatabaseForm, ChoosingAnotherFileWhileConnectedUsesThatFile)
{
    database_ = std::make_unique<dbtest::TTestDatabase>("-first");
    dbtest::TTestDatabase second("-second");
    ASSERT_TRUE(Open(database_->Path()).empty());
    // Leaving the empty branch box for the dialog is refused by its own check first.
    std::vector<Box> boxes = Open(second.Path());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Informe a filial do banco para continuar.");
    f->cbxFilial->SetText(L"01");
    ASSERT_TRUE(Open(second.Path()).empty());
    ASSERT_TRUE(f->vConexao->Connected());
    EXPECT_EQ(f->edtCaminhoCarvoni->Text(), ui::Utf8ToWide(second.Path()));
    EXPECT_EQ(FileNameOf(DatabaseName(*f->vConexao)), FileNameOf(second.Path()));

    // A file that fails to open leaves the tool without a connection, not on the old file.
    boxes = Open(dbtest::TempDatabasePath("-missing"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(f->vConexao->Connected());
    EXPECT_EQ(f->edtCaminhoCarvoni->Text(), L"");
    const std::vector<Box> rebuild = Rebuild(L"01", L"00000001");
    ASSERT_EQ(rebuild.size(), 1u);
    EXPECT_EQ(rebuild[0].caption, L"Information");
    EXPECT_EQ(rebuild[0].text, L"Informe um banco de dados válido.");
    EXPECT_EQ(Focused(), f->btnAbrirCarvoni);
    form_.reset();  // before the second file goes
}

TEST_F(DatabaseForm, TransactionsStartOnceAndReportFailuresWithTheirText)
{
    try {
        f->IniciaTransacao();  // not connected
        FAIL();
    } catch (const ui::Exception& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Não foi possível iniciar a transação. \r", 0), 0u) << error.what();
    }
    database_ = std::make_unique<dbtest::TTestDatabase>();
    ASSERT_TRUE(Open(database_->Path()).empty());
    f->ConfirmaTransacao();  // none active: nothing to do
    f->CancelaTransacao();
    f->IniciaTransacao();
    f->IniciaTransacao();  // already active: kept
    EXPECT_TRUE(f->vConexao->InTransaction());
    f->vConexao->ExecuteDirect("INSERT INTO PEDIDOC (CODEMPRESA, CODPEDIDO, TIPOPEDIDO) VALUES ('01', 'X', '55')");
    f->CancelaTransacao();
    EXPECT_FALSE(f->vConexao->InTransaction());
    EXPECT_EQ(database_->ScalarInt("SELECT COUNT(*) FROM PEDIDOC"), 0);
    f->IniciaTransacao();
    f->vConexao->ExecuteDirect("INSERT INTO PEDIDOC (CODEMPRESA, CODPEDIDO, TIPOPEDIDO) VALUES ('01', 'Y', '55')");
    f->ConfirmaTransacao();
    EXPECT_EQ(database_->ScalarInt("SELECT COUNT(*) FROM PEDIDOC"), 1);
}
