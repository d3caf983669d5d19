#include "db/SQLConnection.h"

#include <algorithm>

#include "db/SQLQuery.h"

namespace db {

namespace {

void AddText(std::string& block, char tag, const std::string& value)
{
    const std::size_t length = std::min<std::size_t>(value.size(), 255);
    block += tag;
    block += static_cast<char>(length);
    block.append(value, 0, length);
}

void AddInteger(std::string& block, char tag, std::uint32_t value)
{
    block += tag;
    block += static_cast<char>(4);
    for (int i = 0; i < 4; ++i)
        block += static_cast<char>((value >> (8 * i)) & 0xFF);
}

bool IsTrue(const std::string& value)
{
    return ui::LowerCaseAscii(ui::Trim(value)) == "true";
}

// Connection-level settings of a database parameter block: user, password, dialect, character
// set, and the file name given in UTF-8.
std::string DatabaseParameters(const std::string& user, const std::string& password, int dialect,
                               const std::string& charset, const std::string& role)
{
    std::string dpb(1, isc::isc_dpb_version1);
    if (!user.empty())
        AddText(dpb, isc::isc_dpb_user_name, user);
    if (!password.empty())
        AddText(dpb, isc::isc_dpb_password, password);
    dpb += isc::isc_dpb_sql_dialect;
    dpb += static_cast<char>(1);
    dpb += static_cast<char>(dialect);
    if (!charset.empty())
        AddText(dpb, isc::isc_dpb_lc_ctype, charset);
    if (!role.empty())
        AddText(dpb, isc::isc_dpb_sql_role_name, role);
    dpb += isc::isc_dpb_utf8_filename;
    dpb += static_cast<char>(0);
    return dpb;
}

} // namespace

TSQLConnection::TSQLConnection() = default;

TSQLConnection::~TSQLConnection()
{
    try {
        Close();
    } catch (const std::exception&) {
        // A failing detach at destruction has nobody to report to.
    }
    for (TSQLQuery* query : queries_)
        query->ConnectionGone();
}

std::string TSQLConnection::ParamValue(const std::string& key) const
{
    const std::string wanted = ui::LowerCaseAscii(key);
    for (int i = 0; i < Params.Count(); ++i) {
        const std::string& line = Params[i];
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && ui::LowerCaseAscii(line.substr(0, equals)) == wanted)
            return line.substr(equals + 1);
    }
    return {};
}

void TSQLConnection::SetParamValue(const std::string& key, const std::string& value)
{
    const std::string wanted = ui::LowerCaseAscii(key);
    for (int i = 0; i < Params.Count(); ++i) {
        const std::string& line = Params[i];
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && ui::LowerCaseAscii(line.substr(0, equals)) == wanted) {
            Params.Set(i, line.substr(0, equals + 1) + value);
            return;
        }
    }
    Params.Add(key + "=" + value);
}

const TClientLibrary& TSQLConnection::Library() const
{
    if (!library_)
        throw EDatabaseError("The connection is not open.");
    return *library_;
}

int TSQLConnection::Dialect() const
{
    const std::string value = ui::Trim(ParamValue("SQLDialect"));
    if (value == "2")
        return 2;
    if (value == "3")
        return 3;
    return 1;
}

void TSQLConnection::Open()
{
    if (Connected())
        return;
    library_ = &TClientLibrary::Get(VendorLib);
    const std::string path = ParamValue("Database");
    std::string role = ParamValue("RoleName");
    // "RoleName" is the designer's placeholder, not a role.
    if (role == "RoleName")
        role.clear();
    const std::string dpb = DatabaseParameters(ParamValue("User_Name"), ParamValue("Password"),
                                               Dialect(), ParamValue("ServerCharSet"), role);
    if (path.size() > 32767)
        throw EDatabaseError("The database path is too long.");
    isc::StatusVector status{};
    library_->attach_database(status, static_cast<short>(path.size()), path.c_str(), &database_,
                              static_cast<short>(dpb.size()), dpb.data());
    if (Failed(status)) {
        database_ = 0;
        library_->Check(status);
    }
}

void TSQLConnection::Close()
{
    if (!Connected())
        return;
    // The statements die with the attachment; the queries forget them first.
    for (TSQLQuery* query : queries_)
        query->ConnectionClosing();
    isc::StatusVector status{};
    if (transaction_) {
        library_->rollback_transaction(status, &transaction_);
        transaction_ = 0;
    }
    library_->detach_database(status, &database_);
    database_ = 0;
    library_->Check(status);
}

void TSQLConnection::CheckConnected() const
{
    if (!Connected())
        throw EDatabaseError("The connection is not open.");
}

std::string TSQLConnection::TransactionParameters(std::uint32_t isolation) const
{
    std::string tpb(1, isc::isc_tpb_version3);
    tpb += isc::isc_tpb_write;
    if (isolation == xilREPEATABLEREAD) {
        tpb += isc::isc_tpb_concurrency;
    } else {
        // Dirty read does not exist on this server; it reads committed as its closest level.
        tpb += isc::isc_tpb_read_committed;
        tpb += isc::isc_tpb_rec_version;
    }
    const std::string wait = ParamValue("WaitOnLocks");
    if (!CallerWaitsOnLocks && (wait.empty() || IsTrue(wait))) {
        tpb += isc::isc_tpb_wait;
        // A bounded wait: a row held by another user must not freeze the caller for good.
        if (LockTimeout > 0)
            AddInteger(tpb, isc::isc_tpb_lock_timeout, static_cast<std::uint32_t>(LockTimeout));
    } else {
        tpb += isc::isc_tpb_nowait;
    }
    return tpb;
}

void TSQLConnection::StartOwnTransaction(isc::Handle* handle)
{
    CheckConnected();
    const std::string level = ui::LowerCaseAscii(ParamValue("Interbase TransIsolation"));
    const std::uint32_t isolation =
        level.find("repeat") != std::string::npos ? xilREPEATABLEREAD : xilREADCOMMITTED;
    const std::string tpb = TransactionParameters(isolation);
    isc::TEB teb{&database_, static_cast<isc::Long>(tpb.size()), tpb.data()};
    isc::StatusVector status{};
    library_->start_multiple(status, handle, 1, &teb);
    if (Failed(status)) {
        *handle = 0;
        library_->Check(status);
    }
}

void TSQLConnection::StartTransaction(const TTransactionDesc& desc)
{
    CheckConnected();
    if (transaction_)
        throw EDatabaseError("A transaction is already active.");
    const std::string tpb = TransactionParameters(desc.IsolationLevel);
    isc::TEB teb{&database_, static_cast<isc::Long>(tpb.size()), tpb.data()};
    isc::StatusVector status{};
    library_->start_multiple(status, &transaction_, 1, &teb);
    if (Failed(status)) {
        transaction_ = 0;
        library_->Check(status);
    }
}

void TSQLConnection::EndQueriesOfTransaction()
{
    for (TSQLQuery* query : queries_)
        query->TransactionEnding();
}

void TSQLConnection::Commit(const TTransactionDesc&)
{
    CheckConnected();
    if (!transaction_)
        throw EDatabaseError("No transaction is active.");
    EndQueriesOfTransaction();
    isc::StatusVector status{};
    // Commit-retaining is never used: a commit ends the transaction.
    library_->commit_transaction(status, &transaction_);
    library_->Check(status);
    transaction_ = 0;
}

void TSQLConnection::Rollback(const TTransactionDesc&)
{
    CheckConnected();
    if (!transaction_)
        throw EDatabaseError("No transaction is active.");
    EndQueriesOfTransaction();
    isc::StatusVector status{};
    library_->rollback_transaction(status, &transaction_);
    if (Failed(status)) {
        // A transaction whose rollback failed is gone for the server as well (lost attachment).
        transaction_ = 0;
        library_->Check(status);
    }
    transaction_ = 0;
}

void TSQLConnection::ExecuteDirect(const std::string& sql)
{
    CheckConnected();
    if (sql.size() > 65535)
        throw EDatabaseError("The statement is too long.");
    isc::Handle own = 0;
    isc::Handle* transaction = ActiveTransaction();
    if (!transaction) {
        StartOwnTransaction(&own);
        transaction = &own;
    }
    isc::StatusVector status{};
    library_->dsql_execute_immediate(status, &database_, transaction,
                                     static_cast<unsigned short>(sql.size()), sql.data(),
                                     static_cast<unsigned short>(Dialect()), nullptr);
    if (own) {
        isc::StatusVector endStatus{};
        if (!Failed(status))
            library_->commit_transaction(status, &own);
        // A statement or commit that failed leaves nothing behind.
        if (Failed(status) && own)
            library_->rollback_transaction(endStatus, &own);
    }
    library_->Check(status);
}

void TSQLConnection::CreateDatabase(const std::string& path, const std::string& user,
                                    const std::string& password, int dialect,
                                    const std::string& vendorLib)
{
    const TClientLibrary& library = TClientLibrary::Get(vendorLib);
    std::string dpb = DatabaseParameters(user, password, dialect, {}, {});
    AddInteger(dpb, isc::isc_dpb_page_size, 8192);
    isc::Handle database = 0;
    isc::StatusVector status{};
    library.create_database(status, static_cast<short>(path.size()), path.c_str(), &database,
                            static_cast<short>(dpb.size()), dpb.data(), 0);
    library.Check(status);
    library.detach_database(status, &database);
    library.Check(status);
}

void TSQLConnection::Attach(TSQLQuery* query)
{
    queries_.push_back(query);
}

void TSQLConnection::Detach(TSQLQuery* query)
{
    queries_.erase(std::remove(queries_.begin(), queries_.end(), query), queries_.end());
}

} // namespace db
