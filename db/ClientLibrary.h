#pragma once
// The database client library, loaded at run time, and the error type of the database layer.
#include <string>

#include "db/IscApi.h"
#include "ui/Classes.h"

namespace db {

// A failure reported by the database layer; the message is the server's own text (UTF-8).
class EDatabaseError : public ui::Exception {
public:
    explicit EDatabaseError(const std::string& message, isc::Status errorCode = 0)
        : ui::Exception(message), errorCode_(errorCode) {}
    // The client library's error code (the first code of the status vector), 0 for our own errors.
    isc::Status ErrorCode() const { return errorCode_; }

private:
    isc::Status errorCode_;
};

// The client library's entry points. Loaded once per process by name and kept for its life.
class TClientLibrary {
public:
    // The library for the given name (as the connection's VendorLib names it): that name first,
    // then the modern name fbclient.dll. Raises EDatabaseError when none loads.
    static const TClientLibrary& Get(const std::string& vendorLib);

    // Raises EDatabaseError with the readable text of a failed call's status vector.
    void Check(const isc::Status* status) const;
    // The readable text of a status vector, lines joined with CR.
    std::string Interpret(const isc::Status* status) const;

    std::string FileName;  // the name the library was loaded by

    isc::attach_database_fn attach_database = nullptr;
    isc::create_database_fn create_database = nullptr;
    isc::detach_database_fn detach_database = nullptr;
    isc::start_multiple_fn start_multiple = nullptr;
    isc::commit_transaction_fn commit_transaction = nullptr;
    isc::rollback_transaction_fn rollback_transaction = nullptr;
    isc::dsql_allocate_statement_fn dsql_allocate_statement = nullptr;
    isc::dsql_prepare_fn dsql_prepare = nullptr;
    isc::dsql_describe_fn dsql_describe = nullptr;
    isc::dsql_describe_fn dsql_describe_bind = nullptr;
    isc::dsql_execute_fn dsql_execute = nullptr;
    isc::dsql_execute_immediate_fn dsql_execute_immediate = nullptr;
    isc::dsql_fetch_fn dsql_fetch = nullptr;
    isc::dsql_free_statement_fn dsql_free_statement = nullptr;
    isc::dsql_sql_info_fn dsql_sql_info = nullptr;
    isc::interpret_fn interpret = nullptr;
};

// True when the error is a row held by another transaction (a wait for it ended, or was not allowed).
bool IsLockConflict(isc::Status errorCode);

// True when a status vector reports an error.
inline bool Failed(const isc::Status* status) { return status[0] == 1 && status[1] != 0; }

} // namespace db
