#pragma once
// The SQL connection component: stored driver properties and parameters, attach and detach,
// explicit transactions described by a transaction descriptor.
#include <cstdint>
#include <string>
#include <vector>

#include "db/ClientLibrary.h"
#include "ui/Classes.h"

namespace db {

class TSQLQuery;

// Isolation levels of a transaction descriptor.
enum TTransIsolationLevel : std::uint32_t {
    xilREADCOMMITTED = 0,
    xilREPEATABLEREAD = 1,
    xilDIRTYREAD = 2,
    xilCUSTOM = 3,
};

// Describes a transaction to start, commit or roll back: four 32-bit words.
struct TTransactionDesc {
    std::uint32_t TransactionID = 0;
    std::uint32_t GlobalID = 0;
    std::uint32_t IsolationLevel = xilREADCOMMITTED;
    std::uint32_t CustomIsolation = 0;
};

class TSQLConnection {
public:
    TSQLConnection();
    ~TSQLConnection();
    TSQLConnection(const TSQLConnection&) = delete;
    TSQLConnection& operator=(const TSQLConnection&) = delete;

    // Stored properties. The driver names are kept as the form gives them; the client library
    // named by VendorLib is the one loaded.
    std::string ConnectionName;
    std::string DriverName;
    std::string GetDriverFunc;
    std::string LibraryName;
    std::string VendorLib = "gds32.dll";
    bool LoginPrompt = true;
    // "Key=Value" lines: Database, RoleName, User_Name, Password, ServerCharSet, SQLDialect,
    // BlobSize, CommitRetain, WaitOnLocks, ErrorResourceFile, LocaleCode,
    // Interbase TransIsolation, Trim Char.
    ui::TStringList Params;

    // Seconds a statement waits for a row that another transaction holds, when WaitOnLocks is
    // true; then it fails with the server's lock time-out. 0 waits without end.
    int LockTimeout = 5;
    // When true, a statement that meets a row another transaction holds fails at once, whatever
    // WaitOnLocks says: the caller waits in its own way (retrying while its window keeps answering).
    bool CallerWaitsOnLocks = false;

    // Value of a "Key=Value" parameter (the key without regard to case); empty when absent.
    std::string ParamValue(const std::string& key) const;
    void SetParamValue(const std::string& key, const std::string& value);

    // Attaches with the parameters; nothing happens when already connected.
    void Open();
    // Rolls back an active transaction, closes the queries on this connection and detaches.
    void Close();
    bool Connected() const { return database_ != 0; }
    void SetConnected(bool connected) { connected ? Open() : Close(); }

    bool InTransaction() const { return transaction_ != 0; }
    void StartTransaction(const TTransactionDesc& desc);
    void Commit(const TTransactionDesc& desc);
    void Rollback(const TTransactionDesc& desc);

    // Runs one statement without parameters or result set, in the active transaction or in one of
    // its own committed at once.
    void ExecuteDirect(const std::string& sql);

    // Creates an empty database file (user, password and SQL dialect as given) and leaves it
    // detached. The path is UTF-8.
    static void CreateDatabase(const std::string& path, const std::string& user,
                               const std::string& password, int dialect,
                               const std::string& vendorLib = "gds32.dll");

    // For the queries of this connection.
    const TClientLibrary& Library() const;
    isc::Handle* DatabaseHandle() { return &database_; }
    // The active explicit transaction, or nullptr.
    isc::Handle* ActiveTransaction() { return transaction_ ? &transaction_ : nullptr; }
    // Starts a transaction of this connection's default kind into `handle`.
    void StartOwnTransaction(isc::Handle* handle);
    int Dialect() const;
    void Attach(TSQLQuery* query);
    void Detach(TSQLQuery* query);

private:
    void CheckConnected() const;
    std::string TransactionParameters(std::uint32_t isolation) const;
    void EndQueriesOfTransaction();

    const TClientLibrary* library_ = nullptr;
    isc::Handle database_ = 0;
    isc::Handle transaction_ = 0;
    std::vector<TSQLQuery*> queries_;
};

} // namespace db
