#include "TestDatabase.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace dbtest {

extern const char* const SchemaSql;

namespace {

// The schema's statements: split at semicolons, comments dropped.
std::vector<std::string> SchemaStatements()
{
    std::string text = SchemaSql;
    for (std::size_t start; (start = text.find("/*")) != std::string::npos;) {
        const std::size_t end = text.find("*/", start);
        text.erase(start, end == std::string::npos ? std::string::npos : end + 2 - start);
    }
    std::vector<std::string> statements;
    std::size_t begin = 0;
    for (std::size_t semicolon; (semicolon = text.find(';', begin)) != std::string::npos; begin = semicolon + 1) {
        const std::string statement = ui::Trim(text.substr(begin, semicolon - begin));
        if (!statement.empty())
            statements.push_back(statement);
    }
    return statements;
}

std::string Quoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) {
        quoted += c;
        if (c == '\'')
            quoted += '\'';
    }
    return quoted + "'";
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t begin = 0;
    for (std::size_t at; (at = text.find(separator, begin)) != std::string::npos; begin = at + 1)
        parts.push_back(text.substr(begin, at - begin));
    parts.push_back(text.substr(begin));
    return parts;
}

} // namespace

void SetFormParameters(db::TSQLConnection& connection, const std::string& path)
{
    connection.DriverName = "Interbase";
    connection.GetDriverFunc = "getSQLDriverINTERBASE";
    connection.LibraryName = "dbexpint.dll";
    connection.VendorLib = "gds32.dll";
    connection.LoginPrompt = false;
    connection.Params.Clear();
    for (const char* line : {"Database=database.gdb", "RoleName=RoleName", "User_Name=sysdba",
                             "Password=vornqetal", "ServerCharSet=", "SQLDialect=1", "BlobSize=-1",
                             "CommitRetain=False", "WaitOnLocks=True", "ErrorResourceFile=",
                             "LocaleCode=0000", "Interbase TransIsolation=ReadCommited",
                             "Trim Char=False"})
        connection.Params.Add(line);
    connection.SetParamValue("Database", path);
}

std::string TempDatabasePath(const std::string& suffix)
{
    static int counter = 0;
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    std::string name = "test";
    if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info())
        name = std::string(info->test_suite_name()) + "-" + info->name();
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':')
            c = '_';
    name += '-';
    name += std::to_string(GetCurrentProcessId());
    name += '-';
    name += std::to_string(++counter);
    name += suffix;
    name += ".fdb";
    const std::string path = ui::WideToUtf8(folder) + name;
    DeleteFileW(ui::Utf8ToWide(path).c_str());
    return path;
}

TTestDatabase::TTestDatabase(const std::string& suffix, int generator)
    : path_(TempDatabasePath(suffix))
{
    db::TSQLConnection::CreateDatabase(path_, "SYSDBA", "masterkey", 1);
    connection_ = Connect();
    for (const std::string& statement : SchemaStatements())
        connection_->ExecuteDirect(statement);
    if (generator != 0)
        Exec("SET GENERATOR GEN_IDITEM TO " + std::to_string(generator));
}

TTestDatabase::~TTestDatabase()
{
    connection_.reset();
    DeleteFileW(ui::Utf8ToWide(path_).c_str());
}

std::unique_ptr<db::TSQLConnection> TTestDatabase::Connect() const
{
    auto connection = std::make_unique<db::TSQLConnection>();
    SetFormParameters(*connection, path_);
    connection->Open();
    return connection;
}

void TTestDatabase::Exec(const std::string& sql)
{
    connection_->ExecuteDirect(sql);
}

std::string TTestDatabase::Scalar(const std::string& sql)
{
    db::TSQLQuery query(connection_.get());
    query.SetSQL(sql);
    query.Open();
    return query.IsEmpty() ? std::string() : query.Fields(0).AsString();
}

int TTestDatabase::ScalarInt(const std::string& sql)
{
    db::TSQLQuery query(connection_.get());
    query.SetSQL(sql);
    query.Open();
    return query.IsEmpty() ? 0 : query.Fields(0).AsInteger();
}

void TTestDatabase::AddOrder(const std::string& branch, const std::string& order, const std::string& type,
                             const std::string& davpv, const std::initializer_list<std::string>& items)
{
    Exec("INSERT INTO PEDIDOC (CODEMPRESA, CODPEDIDO, TIPOPEDIDO, ID_DAVPV) VALUES (" + Quoted(branch) +
         ", " + Quoted(order) + ", " + Quoted(type) + ", " + Quoted(davpv) + ")");
    for (const std::string& item : items) {
        const auto parts = Split(item, '|');
        Exec("INSERT INTO PEDIDOI (CODEMPRESA, CODPEDIDO, TIPOPEDIDO, CODPROD, CODGRADE, SEQUENCIA, ID_ITEM) VALUES (" +
             Quoted(branch) + ", " + Quoted(order) + ", " + Quoted(type) + ", " + Quoted(parts.at(0)) + ", " +
             Quoted(parts.at(1)) + ", " + parts.at(2) + ", " + parts.at(3) + ")");
    }
}

std::string TTestDatabase::Items(const std::string& branch, const std::string& order, const std::string& type)
{
    db::TSQLQuery query(connection_.get());
    query.SetSQL("SELECT CODPROD, CODGRADE, SEQUENCIA, ID_ITEM FROM PEDIDOI "
                 "WHERE CODEMPRESA = :B AND CODPEDIDO = :P AND TIPOPEDIDO = :T");
    query.ParamByName("B").SetAsString(branch);
    query.ParamByName("P").SetAsString(order);
    query.ParamByName("T").SetAsString(type);
    query.Open();
    std::string text;
    for (; !query.Eof(); query.Next()) {
        if (!text.empty())
            text += ";";
        text += ui::Trim(query.Fields(0).AsString()) + "|" + ui::Trim(query.Fields(1).AsString()) + "|" +
                query.Fields(2).AsString() + "|" + query.Fields(3).AsString();
    }
    return text;
}

int TTestDatabase::Generator()
{
    return ScalarInt("SELECT GEN_ID(GEN_IDITEM, 0) FROM RDB$DATABASE");
}

} // namespace dbtest
