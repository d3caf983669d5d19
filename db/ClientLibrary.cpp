#include "db/ClientLibrary.h"

#include <windows.h>

#include <map>
#include <memory>

namespace db {

namespace {

template <typename Fn>
void Resolve(HMODULE module, const char* name, Fn& fn, std::string& missing)
{
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (!fn)
        missing += missing.empty() ? name : std::string(", ") + name;
}

HMODULE LoadByName(const std::string& name)
{
    return LoadLibraryW(ui::Utf8ToWide(name).c_str());
}

} // namespace

const TClientLibrary& TClientLibrary::Get(const std::string& vendorLib)
{
    static std::map<std::string, std::unique_ptr<TClientLibrary>> loaded;
    const std::string key = ui::LowerCaseAscii(vendorLib);
    if (auto found = loaded.find(key); found != loaded.end())
        return *found->second;

    // The name the connection gives, then the modern client's name. The last name is for Wine
    // only: there the client is a Winelib bridge (gds32.dll.so) that a plain "gds32.dll" lookup
    // does not find, so it is asked for by its file name.
    std::string tried[] = {vendorLib, "fbclient.dll", "gds32.dll.so"};
    HMODULE module = nullptr;
    std::string name;
    for (const std::string& candidate : tried) {
        if (candidate.empty())
            continue;
        module = LoadByName(candidate);
        if (module) {
            name = candidate;
            break;
        }
    }
    if (!module)
        throw EDatabaseError("Unable to load the database client library " + vendorLib +
                             " (error " + std::to_string(GetLastError()) + ").");

    auto library = std::make_unique<TClientLibrary>();
    library->FileName = name;
    std::string missing;
    Resolve(module, "isc_attach_database", library->attach_database, missing);
    Resolve(module, "isc_create_database", library->create_database, missing);
    Resolve(module, "isc_detach_database", library->detach_database, missing);
    Resolve(module, "isc_start_multiple", library->start_multiple, missing);
    Resolve(module, "isc_commit_transaction", library->commit_transaction, missing);
    Resolve(module, "isc_rollback_transaction", library->rollback_transaction, missing);
    Resolve(module, "isc_dsql_allocate_statement", library->dsql_allocate_statement, missing);
    Resolve(module, "isc_dsql_prepare", library->dsql_prepare, missing);
    Resolve(module, "isc_dsql_describe", library->dsql_describe, missing);
    Resolve(module, "isc_dsql_describe_bind", library->dsql_describe_bind, missing);
    Resolve(module, "isc_dsql_execute", library->dsql_execute, missing);
    Resolve(module, "isc_dsql_execute_immediate", library->dsql_execute_immediate, missing);
    Resolve(module, "isc_dsql_fetch", library->dsql_fetch, missing);
    Resolve(module, "isc_dsql_free_statement", library->dsql_free_statement, missing);
    Resolve(module, "isc_dsql_sql_info", library->dsql_sql_info, missing);
    Resolve(module, "fb_interpret", library->interpret, missing);
    if (!missing.empty()) {
        FreeLibrary(module);
        throw EDatabaseError("The database client library " + name +
                             " lacks the entry points " + missing + ".");
    }
    return *loaded.emplace(key, std::move(library)).first->second;
}

std::string TClientLibrary::Interpret(const isc::Status* status) const
{
    std::string text;
    const isc::Status* cursor = status;
    char buffer[1024];
    while (interpret(buffer, sizeof buffer, &cursor) > 0) {
        if (!text.empty())
            text += '\r';
        text += buffer;
    }
    return text;
}

void TClientLibrary::Check(const isc::Status* status) const
{
    if (Failed(status))
        throw EDatabaseError(Interpret(status), status[1]);
}

bool IsLockConflict(isc::Status errorCode)
{
    return errorCode == isc::isc_lock_conflict || errorCode == isc::isc_deadlock ||
           errorCode == isc::isc_update_conflict || errorCode == isc::isc_lock_timeout;
}

} // namespace db
