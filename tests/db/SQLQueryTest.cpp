// Queries against real embedded databases: named parameters, rows in server order, untrimmed
// text, prepared statements run again, statements without result set.
#include <gtest/gtest.h>

#include "TestDatabase.h"

using dbtest::TTestDatabase;

namespace {
const db::TTransactionDesc FormTransaction{1, 0, db::xilREADCOMMITTED, 0};
}

TEST(NamedParameters, BecomePositionalOutsideQuotesAndComments)
{
    const auto parsed = db::ParseNamedParameters(
        "SELECT ':NOT1', \"A:B\" FROM T -- :NOT2\r WHERE X = :P1 /* :NOT3 */ AND Y=:p_2 OR Z = :P1");
    EXPECT_EQ(parsed.Text, "SELECT ':NOT1', \"A:B\" FROM T -- :NOT2\r WHERE X = ? /* :NOT3 */ AND Y=? OR Z = ?");
    ASSERT_EQ(parsed.Names.size(), 3u);
    EXPECT_EQ(parsed.Names[0], "P1");
    EXPECT_EQ(parsed.Names[1], "p_2");
    EXPECT_EQ(parsed.Names[2], "P1");
}

TEST(SQLQuery, BindsNamedParametersAndWalksRowsInServerOrder)
{
    TTestDatabase database;
    database.AddOrder("01", "00000042", "55", "DAV1", {"P3|G|9|50", "P1|G|9|50", "P2|M|2|7"});
    database.AddOrder("02", "00000042", "55", "DAV2", {"Q1|G|1|1"});
    auto connection = database.Connect();

    db::TSQLQuery query(connection.get());
    query.SetSQL("SELECT CODPROD, SEQUENCIA, ID_ITEM FROM PEDIDOI\r"
                 " WHERE CODPEDIDO = :PCODPEDIDO AND CODEMPRESA = :PCODEMPRESA");
    ASSERT_EQ(query.ParamCount(), 2);
    query.ParamByName("pcodpedido").SetAsString("00000042");
    query.ParamByName("PCODEMPRESA").SetAsString("01");
    query.Open();
    EXPECT_FALSE(query.IsEmpty());
    std::vector<std::string> products;
    for (; !query.Eof(); query.Next())
        products.push_back(ui::Trim(query.FieldByName("CODPROD").AsString()));
    EXPECT_EQ(products, (std::vector<std::string>{"P3", "P1", "P2"}));

    // Back to the first row: the rows already read are read again.
    query.First();
    EXPECT_FALSE(query.Eof());
    EXPECT_EQ(ui::Trim(query.FieldByName("codprod").AsString()), "P3");
    EXPECT_EQ(query.FieldByName("SEQUENCIA").AsInteger(), 9);
    EXPECT_EQ(query.FieldByName("ID_ITEM").AsString(), "50");
    EXPECT_THROW(query.FieldByName("NOPE"), db::EDatabaseError);

    query.Close();
    query.ParamByName("PCODEMPRESA").SetAsString("03");
    query.Open();
    EXPECT_TRUE(query.IsEmpty());
    EXPECT_TRUE(query.Eof());
}

TEST(SQLQuery, TextComesBackUntrimmedAndBindsBackExactly)
{
    TTestDatabase database;
    database.AddOrder("01", "00000001", "55", "X", {" P1|G  |1|1", "P1|G|2|2"});
    auto connection = database.Connect();
    db::TSQLQuery query(connection.get());
    query.SetSQL("SELECT CODPROD, CODGRADE FROM PEDIDOI");
    query.Open();
    const std::string product = query.FieldByName("CODPROD").AsString();
    const std::string grid = query.FieldByName("CODGRADE").AsString();
    EXPECT_EQ(product, " P1           ");  // CHAR(14): filled with blanks
    EXPECT_EQ(grid, "G  ");               // VARCHAR keeps the blanks it was given
    query.Close();

    // The leading blank is part of the code: only the exact text finds the first row.
    db::TSQLQuery update(connection.get());
    update.SetSQL("UPDATE PEDIDOI SET SEQUENCIA = :S WHERE CODPROD = :PRODUCT AND CODGRADE = :GRID");
    update.ParamByName("S").SetAsInteger(77);
    update.ParamByName("PRODUCT").SetAsString(product);
    update.ParamByName("GRID").SetAsString(grid);
    update.ExecSQL();
    EXPECT_EQ(update.RowsAffected(), 1);
    EXPECT_EQ(database.Items("01", "00000001"), "P1|G|77|1;P1|G|2|2");

    // Only when the connection asks for it is fixed-length text trimmed.
    connection->SetParamValue("Trim Char", "True");
    query.Open();
    EXPECT_EQ(query.FieldByName("CODPROD").AsString(), " P1");
    EXPECT_EQ(query.FieldByName("CODGRADE").AsString(), "G  ");
}

TEST(SQLQuery, KeepsItsStatementPreparedWhileTheTextStaysTheSame)
{
    TTestDatabase database;
    database.AddOrder("01", "00000001", "55", "X", {"A|G|0|0", "B|G|0|0", "C|G|0|0"});
    auto connection = database.Connect();
    connection->StartTransaction(FormTransaction);
    const std::string text = "UPDATE PEDIDOI SET SEQUENCIA = :PSEQUENCIA, ID_ITEM = :PID_ITEM WHERE CODPROD = :PCODPROD";
    db::TSQLQuery update(connection.get());
    int sequence = 1;
    for (const char* product : {"A", "B", "C"}) {
        update.SetSQL(text);
        if (sequence > 1) {
            EXPECT_TRUE(update.Prepared());
        }
        update.ParamByName("PSEQUENCIA").SetAsInteger(sequence);
        update.ParamByName("PID_ITEM").SetAsInteger(1000 + sequence);
        update.ParamByName("PCODPROD").SetAsString(product);
        update.ExecSQL();
        EXPECT_EQ(update.RowsAffected(), 1);
        ++sequence;
    }
    EXPECT_TRUE(update.Prepared());
    connection->Commit(FormTransaction);
    EXPECT_EQ(database.Items("01", "00000001"), "A|G|1|1001;B|G|2|1002;C|G|3|1003");

    // Another text unprepares and takes new parameters.
    update.SetSQL("DELETE FROM PEDIDOI WHERE CODPROD = :P");
    EXPECT_FALSE(update.Prepared());
    EXPECT_EQ(update.ParamCount(), 1);
    EXPECT_THROW(update.ExecSQL(), db::EDatabaseError);  // no value for :P
    update.ParamByName("P").SetAsString("B");
    update.ExecSQL();  // outside a transaction: committed on its own
    EXPECT_EQ(database.Items("01", "00000001"), "A|G|1|1001;C|G|3|1003");
}

TEST(SQLQuery, ReadsNullsNumbersAndGenerators)
{
    TTestDatabase database("", 100);
    database.Exec("INSERT INTO PEDIDOC (CODEMPRESA, CODPEDIDO, TIPOPEDIDO, VALORTOTAL, DATAEMISSAO) "
                  "VALUES ('01', '1', '55', 1234.5, '2024-02-29')");
    auto connection = database.Connect();
    db::TSQLQuery query(connection.get());
    query.SetSQL("SELECT CODCLIENTE, VALORTOTAL, DATAEMISSAO, GEN_ID(GEN_IDITEM, 3) AS IDITEM FROM PEDIDOC");
    query.Open();
    EXPECT_TRUE(query.FieldByName("CODCLIENTE").IsNull());
    EXPECT_EQ(query.FieldByName("CODCLIENTE").AsString(), "");
    EXPECT_EQ(query.FieldByName("CODCLIENTE").AsInteger(), 0);
    EXPECT_EQ(query.FieldByName("VALORTOTAL").AsString(), "1234.5");
    EXPECT_EQ(query.FieldByName("DATAEMISSAO").AsString(), "2024-02-29 00:00:00");
    EXPECT_EQ(query.FieldByName("IDITEM").AsInteger(), 103);
    query.Close();
    EXPECT_EQ(database.Generator(), 103);
}

TEST(SQLQuery, ACommitClosesTheQueriesOfItsTransaction)
{
    TTestDatabase database;
    database.AddOrder("01", "00000001", "55", "X", {"A|G|0|0"});
    auto connection = database.Connect();
    connection->StartTransaction(FormTransaction);
    db::TSQLQuery query(connection.get());
    query.SetSQL("SELECT CODPROD FROM PEDIDOI");
    query.Open();
    connection->Commit(FormTransaction);
    EXPECT_FALSE(query.Active());
    query.Open();  // runs again, now on its own
    EXPECT_FALSE(query.IsEmpty());
    EXPECT_THROW({
        db::TSQLQuery wrong(connection.get());
        wrong.SetSQL("UPDATE PEDIDOI SET SEQUENCIA = 1");
        wrong.Open();
    }, db::EDatabaseError);
}

TEST(SQLQuery, TextParametersKeepTheirTrailingBlanksThroughTheServer)
{
    // Comparisons ignore trailing blanks, so the values are read back byte for byte, and the
    // server's own count of the stored bytes says the blanks reached it.
    TTestDatabase database;
    database.Exec("CREATE TABLE TEXTS (ID INTEGER, V VARCHAR(10), C CHAR(5))");
    auto connection = database.Connect();
    struct Case {
        std::string value;
        std::string fixed;  // the CHAR(5) column as the server gives it back: blank-filled
    };
    const Case cases[] = {
        {"A  ", "A    "},
        {"  ", "     "},
        {"x y ", "x y  "},
        {"", "     "},
        {" b", " b   "},
        {"\xC3\xA7\xC3\xA3o ", "\xC3\xA7\xC3\xA3o"},  // "ção " in UTF-8: six bytes, the blank past CHAR(5) dropped
        {"\xE9 ", "\xE9    "},                        // a single-byte letter, as the ANSI code page writes it
    };
    db::TSQLQuery insert(connection.get());
    insert.SetSQL("INSERT INTO TEXTS (ID, V, C) VALUES (:ID, :V, :C)");
    int id = 0;
    for (const Case& c : cases) {
        insert.ParamByName("ID").SetAsInteger(++id);
        insert.ParamByName("V").SetAsString(c.value);
        insert.ParamByName("C").SetAsString(c.value);
        insert.ExecSQL();
        EXPECT_EQ(insert.RowsAffected(), 1);
    }

    db::TSQLQuery query(connection.get());
    query.SetSQL("SELECT V, C, OCTET_LENGTH(V) AS VL, OCTET_LENGTH(C) AS CL FROM TEXTS ORDER BY ID");
    query.Open();
    for (const Case& c : cases) {
        ASSERT_FALSE(query.Eof());
        EXPECT_EQ(query.FieldByName("V").AsString(), c.value) << "'" << c.value << "'";
        EXPECT_EQ(query.FieldByName("C").AsString(), c.fixed) << "'" << c.value << "'";
        EXPECT_EQ(query.FieldByName("VL").AsInteger(), static_cast<int>(c.value.size())) << "'" << c.value << "'";
        EXPECT_EQ(query.FieldByName("CL").AsInteger(), 5);
        query.Next();
    }
    EXPECT_TRUE(query.Eof());
    query.Close();
}

TEST(SQLQuery, RowsAffectedCountsNoneOneAndManyRows)
{
    TTestDatabase database;
    database.AddOrder("01", "00000001", "55", "X", {"A|G|1|1", "B|G|2|2", "C|M|3|3"});
    database.AddOrder("01", "00000002", "55", "Y", {"D|G|1|4"});
    auto connection = database.Connect();
    db::TSQLQuery query(connection.get());

    // Outside a transaction, each statement in one of its own.
    query.SetSQL("UPDATE PEDIDOI SET SEQUENCIA = SEQUENCIA + 10 WHERE CODPEDIDO = :P");
    query.ParamByName("P").SetAsString("00000009");
    query.ExecSQL();
    EXPECT_EQ(query.RowsAffected(), 0);
    query.ParamByName("P").SetAsString("00000001");
    query.ExecSQL();
    EXPECT_EQ(query.RowsAffected(), 3);
    query.ParamByName("P").SetAsString("00000002");
    query.ExecSQL();
    EXPECT_EQ(query.RowsAffected(), 1);
    EXPECT_EQ(database.Items("01", "00000001"), "A|G|11|1;B|G|12|2;C|M|13|3");

    // Inside the form's transaction: a delete of three rows, then the same again finding none, then an insert.
    connection->StartTransaction(FormTransaction);
    query.SetSQL("DELETE FROM PEDIDOI WHERE CODGRADE = :G");
    query.ParamByName("G").SetAsString("G");
    query.ExecSQL();
    EXPECT_EQ(query.RowsAffected(), 3);
    query.ExecSQL();
    EXPECT_EQ(query.RowsAffected(), 0);
    query.SetSQL("INSERT INTO PEDIDOI (CODEMPRESA, CODPEDIDO, TIPOPEDIDO, CODPROD) "
                 "SELECT CODEMPRESA, CODPEDIDO, TIPOPEDIDO, 'E' FROM PEDIDOC");
    query.ExecSQL();
    EXPECT_EQ(query.RowsAffected(), 2);
    connection->Commit(FormTransaction);
    EXPECT_EQ(database.ScalarInt("SELECT COUNT(*) FROM PEDIDOI"), 3);

    // An update that changes many rows after one that changed none: the count is the statement's own.
    query.SetSQL("UPDATE PEDIDOI SET ID_ITEM = 0");
    query.ExecSQL();
    EXPECT_EQ(query.RowsAffected(), 3);
}
