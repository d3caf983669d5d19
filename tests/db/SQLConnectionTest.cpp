// The connection against real embedded databases: attach with the form's parameters, readable
// server errors, transactions with the form's descriptor, bounded lock waits.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestDatabase.h"

using dbtest::TTestDatabase;

namespace {

const db::TTransactionDesc FormTransaction{1, 0, db::xilREADCOMMITTED, 0};

std::string OpenError(const std::string& path)
{
    db::TSQLConnection connection;
    dbtest::SetFormParameters(connection, path);
    try {
        connection.Open();
    } catch (const db::EDatabaseError& error) {
        EXPECT_FALSE(connection.Connected());
        return error.what();
    }
    ADD_FAILURE() << "opened " << path;
    return {};
}

} // namespace

TEST(SQLConnection, AttachesWithTheFormParametersInDialectOne)
{
    TTestDatabase database;
    auto connection = database.Connect();
    EXPECT_TRUE(connection->Connected());
    EXPECT_EQ(connection->Params.Count(), 13);
    EXPECT_EQ(connection->Params[0], "Database=" + database.Path());
    EXPECT_EQ(connection->Params[12], "Trim Char=False");

    db::TSQLQuery query(connection.get());
    query.SetSQL("SELECT MON$SQL_DIALECT FROM MON$DATABASE");
    query.Open();
    EXPECT_EQ(query.Fields(0).AsInteger(), 1);
    query.SetSQL("SELECT CURRENT_USER FROM RDB$DATABASE");
    query.Open();
    EXPECT_EQ(ui::Trim(query.Fields(0).AsString()), "SYSDBA");

    connection->Close();
    EXPECT_FALSE(connection->Connected());
    EXPECT_FALSE(query.Active());
    EXPECT_FALSE(query.Prepared());
    connection->Open();  // and again on the same component
    EXPECT_TRUE(connection->Connected());
}

TEST(SQLConnection, OpensAPathWithNonAsciiLetters)
{
    TTestDatabase database("-Pré-Venda-ç");
    // The file has the name Windows gave it, so the client library saw the same letters.
    EXPECT_NE(GetFileAttributesW(ui::Utf8ToWide(database.Path()).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(database.Path().find("Pré-Venda-ç"), std::string::npos);
    database.AddOrder("01", "00000001", "55", "X", {"P1|G|1|1"});
    auto second = database.Connect();
    db::TSQLQuery query(second.get());
    query.SetSQL("SELECT COUNT(*) FROM PEDIDOI");
    query.Open();
    EXPECT_EQ(query.Fields(0).AsInteger(), 1);
}

TEST(SQLConnection, ReportsTheServersTextForPathsThatAreNoDatabase)
{
    const std::string missing = dbtest::TempDatabasePath("-missing");
    const std::string message = OpenError(missing);
    EXPECT_NE(message.find("I/O error"), std::string::npos) << message;

    const std::string text = dbtest::TempDatabasePath("-text");
    HANDLE file = CreateFileW(ui::Utf8ToWide(text).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::string junk(20000, 'x');
    DWORD written = 0;
    WriteFile(file, junk.data(), static_cast<DWORD>(junk.size()), &written, nullptr);
    CloseHandle(file);
    const std::string notDatabase = OpenError(text);
    EXPECT_NE(notDatabase.find("not a valid database"), std::string::npos) << notDatabase;
    DeleteFileW(ui::Utf8ToWide(text).c_str());
}

TEST(SQLConnection, TransactionsCommitAndRollBackWithTheDescriptor)
{
    TTestDatabase database;
    auto connection = database.Connect();
    EXPECT_FALSE(connection->InTransaction());
    connection->StartTransaction(FormTransaction);
    EXPECT_TRUE(connection->InTransaction());
    EXPECT_THROW(connection->StartTransaction(FormTransaction), db::EDatabaseError);
    connection->ExecuteDirect("INSERT INTO PEDIDOC (CODEMPRESA, CODPEDIDO, TIPOPEDIDO) VALUES ('01', 'A', '55')");
    // Not committed: another connection does not see it.
    EXPECT_EQ(database.ScalarInt("SELECT COUNT(*) FROM PEDIDOC"), 0);
    connection->Rollback(FormTransaction);
    EXPECT_FALSE(connection->InTransaction());
    EXPECT_EQ(database.ScalarInt("SELECT COUNT(*) FROM PEDIDOC"), 0);

    connection->StartTransaction(FormTransaction);
    connection->ExecuteDirect("INSERT INTO PEDIDOC (CODEMPRESA, CODPEDIDO, TIPOPEDIDO) VALUES ('01', 'B', '55')");
    connection->Commit(FormTransaction);
    EXPECT_EQ(database.Scalar("SELECT CODPEDIDO FROM PEDIDOC"), "B       ");
    EXPECT_THROW(connection->Commit(FormTransaction), db::EDatabaseError);
}

TEST(SQLConnection, ReadCommittedSeesOtherCommitsWhileRunning)
{
    TTestDatabase database;
    auto connection = database.Connect();
    connection->StartTransaction(FormTransaction);
    db::TSQLQuery count(connection.get());
    count.SetSQL("SELECT COUNT(*) FROM PEDIDOC");
    count.Open();
    EXPECT_EQ(count.Fields(0).AsInteger(), 0);
    count.Close();
    database.Exec("INSERT INTO PEDIDOC (CODEMPRESA, CODPEDIDO, TIPOPEDIDO) VALUES ('01', 'A', '55')");
    count.Open();
    EXPECT_EQ(count.Fields(0).AsInteger(), 1);
    count.Close();
    connection->Commit(FormTransaction);
}

TEST(SQLConnection, ALockedRowFailsAfterTheLockTimeoutAndRollsBackCleanly)
{
    TTestDatabase database;
    database.AddOrder("01", "00000001", "55", "X", {"P1|G|1|1"});
    auto holder = database.Connect();
    holder->StartTransaction(FormTransaction);
    holder->ExecuteDirect("UPDATE PEDIDOI SET SEQUENCIA = 7");

    auto waiter = database.Connect();
    waiter->LockTimeout = 1;
    waiter->StartTransaction(FormTransaction);
    try {
        waiter->ExecuteDirect("UPDATE PEDIDOI SET SEQUENCIA = 9");
        FAIL() << "the update went through a held row";
    } catch (const db::EDatabaseError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("update conflicts with concurrent update"), std::string::npos) << message;
    }
    EXPECT_TRUE(waiter->InTransaction());
    waiter->Rollback(FormTransaction);
    holder->Commit(FormTransaction);
    EXPECT_EQ(database.ScalarInt("SELECT SEQUENCIA FROM PEDIDOI"), 7);
}

TEST(SQLConnection, WhenTheCallerWaitsALockedRowFailsAtOnceAndTheTransactionGoesOn)
{
    TTestDatabase database;
    database.AddOrder("01", "00000001", "55", "X", {"P1|G|1|1", "P2|G|2|2"});
    auto holder = database.Connect();
    holder->StartTransaction(FormTransaction);
    holder->ExecuteDirect("UPDATE PEDIDOI SET SEQUENCIA = 7 WHERE CODPROD = 'P1'");

    // A long server wait, which the caller's own waiting must replace: the try fails at once.
    auto caller = database.Connect();
    caller->LockTimeout = 30;
    caller->CallerWaitsOnLocks = true;
    caller->StartTransaction(FormTransaction);
    caller->ExecuteDirect("UPDATE PEDIDOI SET SEQUENCIA = 8 WHERE CODPROD = 'P2'");
    const ULONGLONG start = GetTickCount64();
    try {
        caller->ExecuteDirect("UPDATE PEDIDOI SET SEQUENCIA = 9 WHERE CODPROD = 'P1'");
        FAIL() << "the update went through a held row";
    } catch (const db::EDatabaseError& error) {
        EXPECT_TRUE(db::IsLockConflict(error.ErrorCode())) << error.ErrorCode() << " " << error.what();
    }
    EXPECT_LT(GetTickCount64() - start, 10000u) << "the server waited for the row";
    // The failed statement is undone alone: the transaction keeps its other work, and a try after
    // the holder has let go goes through.
    holder->Rollback(FormTransaction);
    caller->ExecuteDirect("UPDATE PEDIDOI SET SEQUENCIA = 9 WHERE CODPROD = 'P1'");
    caller->Commit(FormTransaction);
    EXPECT_EQ(database.Items("01", "00000001"), "P1|G|9|1;P2|G|8|2");
}

TEST(SQLConnection, StatementErrorsCarryTheServersText)
{
    TTestDatabase database;
    try {
        database.Exec("UPDATE NO_SUCH_TABLE SET X = 1");
        FAIL();
    } catch (const db::EDatabaseError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("Table unknown"), std::string::npos) << message;
        EXPECT_NE(message.find("NO_SUCH_TABLE"), std::string::npos) << message;
        EXPECT_NE(message.find('\r'), std::string::npos) << "lines joined by CR: " << message;
    }
}

TEST(SQLConnection, TheConnectionCharacterSetCarriesNonAsciiTextWithItsBlanks)
{
    TTestDatabase database;
    database.Exec("CREATE TABLE TEXTS (ID INTEGER, V VARCHAR(6) CHARACTER SET WIN1252, "
                  "C CHAR(4) CHARACTER SET WIN1252, U CHAR(4) CHARACTER SET UTF8)");
    auto connect = [&](const char* charset) {
        auto connection = std::make_unique<db::TSQLConnection>();
        dbtest::SetFormParameters(*connection, database.Path());
        connection->SetParamValue("ServerCharSet", charset);
        connection->Open();
        return connection;
    };
    // "ção " written in the Windows code page the connection names.
    const std::string ansi = "\xE7\xE3o ";
    auto win1252 = connect("WIN1252");
    db::TSQLQuery insert(win1252.get());
    insert.SetSQL("INSERT INTO TEXTS (ID, V, C, U) VALUES (1, :V, :C, :U)");
    insert.ParamByName("V").SetAsString(ansi);
    insert.ParamByName("C").SetAsString("\xE7 ");
    insert.ParamByName("U").SetAsString(ansi);
    insert.ExecSQL();
    EXPECT_EQ(insert.RowsAffected(), 1);

    db::TSQLQuery query(win1252.get());
    query.SetSQL("SELECT V, C, U, CHAR_LENGTH(V) AS VL FROM TEXTS");
    query.Open();
    EXPECT_EQ(query.FieldByName("V").AsString(), ansi);
    EXPECT_EQ(query.FieldByName("VL").AsInteger(), 4);
    EXPECT_EQ(query.FieldByName("C").AsString(), "\xE7   ");  // one byte a letter: four bytes
    EXPECT_EQ(query.FieldByName("U").AsString(), ansi);        // turned back into the connection's code page
    query.Close();

    // The same row through a UTF-8 connection: the letters take two bytes, the blanks stay, and a
    // CHAR(4) arrives blank-filled to the four bytes a letter may need in UTF-8.
    auto utf8 = connect("UTF8");
    db::TSQLQuery read(utf8.get());
    read.SetSQL("SELECT V, C, U FROM TEXTS");
    read.Open();
    EXPECT_EQ(read.FieldByName("V").AsString(), "\xC3\xA7\xC3\xA3o ");
    EXPECT_EQ(read.FieldByName("C").AsString(), "\xC3\xA7" + std::string(14, ' '));
    EXPECT_EQ(read.FieldByName("U").AsString(), "\xC3\xA7\xC3\xA3o" + std::string(11, ' '));
}
