#pragma once
// Fresh database files for tests: each made from the product schema in the temporary folder and
// deleted when the test ends.
#include <memory>
#include <string>

#include "db/SQLConnection.h"
#include "db/SQLQuery.h"

namespace dbtest {

// Sets the thirteen connection parameters the main form stores, with `path` as the database.
void SetFormParameters(db::TSQLConnection& connection, const std::string& path);

class TTestDatabase {
public:
    // Creates the file (name chosen from the running test; `suffix` may add non-ASCII letters)
    // and its tables, with GEN_IDITEM at `generator`.
    explicit TTestDatabase(const std::string& suffix = "", int generator = 0);
    ~TTestDatabase();
    TTestDatabase(const TTestDatabase&) = delete;
    TTestDatabase& operator=(const TTestDatabase&) = delete;

    // The Windows path of the file, UTF-8.
    const std::string& Path() const { return path_; }

    // A new connection to the file with the form's parameters, open.
    std::unique_ptr<db::TSQLConnection> Connect() const;
    // The connection the helper keeps open for setting up and checking data.
    db::TSQLConnection& Connection() { return *connection_; }

    // Runs a statement without result set, committed at once.
    void Exec(const std::string& sql);
    // The first column of the first row of a query, as text ("" for no row).
    std::string Scalar(const std::string& sql);
    int ScalarInt(const std::string& sql);

    // Adds an order header and its item rows: `items` as "CODPROD|CODGRADE|SEQUENCIA|ID_ITEM".
    void AddOrder(const std::string& branch, const std::string& order, const std::string& type,
                  const std::string& davpv, const std::initializer_list<std::string>& items);
    // The items of an order in server order, "CODPROD|CODGRADE|SEQUENCIA|ID_ITEM" joined by ';',
    // the codes trimmed.
    std::string Items(const std::string& branch, const std::string& order, const std::string& type = "55");
    int Generator();

private:
    std::string path_;
    std::unique_ptr<db::TSQLConnection> connection_;
};

// A path in the temporary folder for a database of the running test (not created).
std::string TempDatabasePath(const std::string& suffix);

} // namespace dbtest
