/* The Firebird client library for the Windows program under Wine: a Winelib DLL exporting the
 * isc_* and fb_* functions the program uses, forwarding them to the Linux client library
 * (libfbclient.so.2). Windows paths of database files become Linux paths on the way; a remote
 * "server:path" name passes unchanged.
 *
 * Both sides agree on the structures the calls carry: status vectors are pointer-sized integers,
 * handles are 32-bit, and XSQLDA/XSQLVAR hold only fixed-width fields and pointers. The one
 * structure declared with C `long` on Windows (the transaction block of isc_start_multiple) is
 * copied field by field. */
#include <limits.h>
#include <stdlib.h>
#include <string.h>

#include <windef.h>
#include <winbase.h>
#include <winnls.h>

#include <stdint.h>

/* The Linux client's functions, declared here rather than through its ibase.h: built as Winelib
 * code, _WIN32 is defined and ibase.h would declare them with the Windows calling convention. */
#define LINUX_API __attribute__((sysv_abi))

typedef intptr_t ISC_STATUS;
typedef int ISC_LONG;
typedef unsigned int isc_db_handle;
typedef unsigned int isc_tr_handle;
typedef unsigned int isc_stmt_handle;
typedef struct XSQLDA XSQLDA; /* passed through untouched: same layout on both sides */

#define isc_arg_end 0
#define isc_arg_gds 1
#define isc_virmemexh 335544430L
#define isc_dpb_utf8_filename 77

extern ISC_STATUS LINUX_API isc_attach_database(ISC_STATUS *, short, const char *, isc_db_handle *,
                                                short, const char *);
extern ISC_STATUS LINUX_API isc_create_database(ISC_STATUS *, short, const char *, isc_db_handle *,
                                                short, const char *, short);
extern ISC_STATUS LINUX_API isc_detach_database(ISC_STATUS *, isc_db_handle *);
extern ISC_STATUS LINUX_API isc_start_multiple(ISC_STATUS *, isc_tr_handle *, short, void *);
extern ISC_STATUS LINUX_API isc_commit_transaction(ISC_STATUS *, isc_tr_handle *);
extern ISC_STATUS LINUX_API isc_rollback_transaction(ISC_STATUS *, isc_tr_handle *);
extern ISC_STATUS LINUX_API isc_dsql_allocate_statement(ISC_STATUS *, isc_db_handle *, isc_stmt_handle *);
extern ISC_STATUS LINUX_API isc_dsql_prepare(ISC_STATUS *, isc_tr_handle *, isc_stmt_handle *,
                                             unsigned short, const char *, unsigned short, XSQLDA *);
extern ISC_STATUS LINUX_API isc_dsql_describe(ISC_STATUS *, isc_stmt_handle *, unsigned short, XSQLDA *);
extern ISC_STATUS LINUX_API isc_dsql_describe_bind(ISC_STATUS *, isc_stmt_handle *, unsigned short, XSQLDA *);
extern ISC_STATUS LINUX_API isc_dsql_execute(ISC_STATUS *, isc_tr_handle *, isc_stmt_handle *,
                                             unsigned short, const XSQLDA *);
extern ISC_STATUS LINUX_API isc_dsql_execute_immediate(ISC_STATUS *, isc_db_handle *, isc_tr_handle *,
                                                       unsigned short, const char *, unsigned short,
                                                       const XSQLDA *);
extern ISC_STATUS LINUX_API isc_dsql_fetch(ISC_STATUS *, isc_stmt_handle *, unsigned short, const XSQLDA *);
extern ISC_STATUS LINUX_API isc_dsql_free_statement(ISC_STATUS *, isc_stmt_handle *, unsigned short);
extern ISC_STATUS LINUX_API isc_dsql_sql_info(ISC_STATUS *, isc_stmt_handle *, short, const char *,
                                              short, char *);
extern ISC_LONG LINUX_API fb_interpret(char *, unsigned int, const ISC_STATUS **);
extern ISC_LONG LINUX_API isc_sqlcode(const ISC_STATUS *);

/* The transaction existence block as a Windows caller lays it out (its length is a 32-bit long). */
typedef struct {
    isc_db_handle *db;
    int tpb_length;
    const char *tpb;
} windows_teb;

/* The same block as the Linux client reads it (int length there too; kept separate so that the
 * copy stays right whichever way either side declares it). */
typedef struct {
    isc_db_handle *db;
    int tpb_length;
    const char *tpb;
} linux_teb;

/* True when the name reads as a Windows path: a drive letter and a separator, or a UNC name. */
static int is_windows_path(const char *name, size_t length)
{
    if (length >= 3 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'))
        && name[1] == ':' && (name[2] == '\\' || name[2] == '/'))
        return 1;
    return length >= 2 && name[0] == '\\' && name[1] == '\\';
}

/* True when the parameter block says the file name is UTF-8 (isc_dpb_utf8_filename); otherwise
 * the name is in the ANSI code page, as the Windows client library reads it. */
static int dpb_says_utf8(short dpb_length, const char *dpb)
{
    int i = 1;
    if (!dpb || dpb_length < 1)
        return 0;
    while (i + 1 < dpb_length) {
        unsigned char tag = (unsigned char)dpb[i];
        unsigned char len = (unsigned char)dpb[i + 1];
        if (tag == isc_dpb_utf8_filename)
            return 1;
        i += 2 + len;
    }
    return 0;
}

/* Memory of the bridge comes from the process heap only: a Winelib module may see two C runtimes,
 * and a block must be freed by the one that allocated it. */
static void *bridge_alloc(size_t size)
{
    return HeapAlloc(GetProcessHeap(), 0, size);
}

static void bridge_free(void *block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}

/* The name with its folder's links resolved. Wine names drive C: through the link
 * "dosdevices/c:", and the client reads any colon as "server:path"; the real folder has none.
 * The result goes in a new block of the process heap, NULL when the folder does not resolve. */
static char *resolved_name(const char *unix_name)
{
    char folder[PATH_MAX];
    char real[PATH_MAX];
    const char *slash = strrchr(unix_name, '/');
    size_t folder_length, real_length, leaf_length;
    char *result;
    if (!slash || (size_t)(slash - unix_name) >= sizeof folder)
        return NULL;
    folder_length = slash == unix_name ? 1 : (size_t)(slash - unix_name);
    memcpy(folder, unix_name, folder_length);
    folder[folder_length] = 0;
    if (!realpath(folder, real))
        return NULL;
    real_length = strlen(real);
    leaf_length = strlen(slash + 1);
    result = bridge_alloc(real_length + 1 + leaf_length + 1);
    if (!result)
        return NULL;
    memcpy(result, real, real_length);
    result[real_length] = '/';
    memcpy(result + real_length + 1, slash + 1, leaf_length + 1);
    return result;
}

/* The Linux name of a database file, in a block to release with bridge_free(); NULL on failure. */
static char *linux_database_name(short length, const char *name, short dpb_length, const char *dpb,
                                 int *converted)
{
    size_t n = length > 0 ? (size_t)length : strlen(name);
    char *copy;
    *converted = 0;
    if (is_windows_path(name, n)) {
        UINT codepage = dpb_says_utf8(dpb_length, dpb) ? CP_UTF8 : CP_ACP;
        int wide_length = MultiByteToWideChar(codepage, 0, name, (int)n, NULL, 0);
        WCHAR *wide = bridge_alloc((wide_length + 1) * sizeof(WCHAR));
        char *unix_name;
        if (!wide)
            return NULL;
        MultiByteToWideChar(codepage, 0, name, (int)n, wide, wide_length);
        wide[wide_length] = 0;
        /* Allocated from the process heap as well. */
        unix_name = wine_get_unix_file_name(wide);
        bridge_free(wide);
        if (unix_name) {
            char *real = resolved_name(unix_name);
            *converted = 1;
            if (real) {
                bridge_free(unix_name);
                return real;
            }
            return unix_name;
        }
    }
    copy = bridge_alloc(n + 1);
    if (copy) {
        memcpy(copy, name, n);
        copy[n] = 0;
    }
    return copy;
}

/* The parameter block without isc_dpb_utf8_filename, into `out` (at least `length` bytes); returns
 * its length. The name the bridge hands over is in the file system's encoding as Wine wrote it,
 * which is what the client takes a name without that flag to be. */
static short dpb_without_utf8_flag(short length, const char *dpb, char *out)
{
    int i = 1, n = 1;
    if (!dpb || length < 1)
        return 0;
    out[0] = dpb[0];
    while (i + 1 < length) {
        unsigned char tag = (unsigned char)dpb[i];
        int clumplet = 2 + (unsigned char)dpb[i + 1];
        if (i + clumplet > length)
            clumplet = length - i;
        if (tag != isc_dpb_utf8_filename) {
            memcpy(out + n, dpb + i, (size_t)clumplet);
            n += clumplet;
        }
        i += clumplet;
    }
    return (short)n;
}

/* Fills the status vector with a plain "unavailable" error, for failures of the bridge itself. */
static ISC_STATUS bridge_failure(ISC_STATUS *status)
{
    status[0] = isc_arg_gds;
    status[1] = isc_virmemexh;
    status[2] = isc_arg_end;
    return status[1];
}

/* The database name and parameter block as the Linux client wants them: a Windows path turned into
   a Linux one (the UTF-8 flag then dropped, the name being in the file system's encoding); a remote
   or Linux name goes on as the program wrote it. Returns 0 when out of memory. */
typedef struct {
    char *name;
    char *dpb;
    short dpb_length;
} linux_attach_args;

static int linux_attach_args_make(linux_attach_args *args, short length, const char *name,
                                  short dpb_length, const char *dpb)
{
    int converted;
    args->dpb = bridge_alloc(dpb_length > 0 ? (size_t)dpb_length : 1);
    args->name = linux_database_name(length, name, dpb_length, dpb, &converted);
    if (!args->name || !args->dpb)
        return 0;
    if (converted) {
        args->dpb_length = dpb_without_utf8_flag(dpb_length, dpb, args->dpb);
    } else {
        args->dpb_length = dpb_length > 0 ? dpb_length : 0;
        if (args->dpb_length)
            memcpy(args->dpb, dpb, (size_t)args->dpb_length);
    }
    return 1;
}

static void linux_attach_args_free(linux_attach_args *args)
{
    bridge_free(args->name);
    bridge_free(args->dpb);
}

ISC_STATUS WINAPI bridge_attach_database(ISC_STATUS *status, short length, const char *name,
                                         isc_db_handle *db, short dpb_length, const char *dpb)
{
    ISC_STATUS result;
    linux_attach_args args;
    if (!linux_attach_args_make(&args, length, name, dpb_length, dpb)) {
        linux_attach_args_free(&args);
        return bridge_failure(status);
    }
    result = isc_attach_database(status, 0, args.name, db, args.dpb_length, args.dpb);
    linux_attach_args_free(&args);
    return result;
}

ISC_STATUS WINAPI bridge_create_database(ISC_STATUS *status, short length, const char *name,
                                         isc_db_handle *db, short dpb_length, const char *dpb,
                                         short db_type)
{
    ISC_STATUS result;
    linux_attach_args args;
    if (!linux_attach_args_make(&args, length, name, dpb_length, dpb)) {
        linux_attach_args_free(&args);
        return bridge_failure(status);
    }
    result = isc_create_database(status, 0, args.name, db, args.dpb_length, args.dpb, db_type);
    linux_attach_args_free(&args);
    return result;
}

ISC_STATUS WINAPI bridge_detach_database(ISC_STATUS *status, isc_db_handle *db)
{
    return isc_detach_database(status, db);
}

ISC_STATUS WINAPI bridge_start_multiple(ISC_STATUS *status, isc_tr_handle *tr, short count,
                                        const windows_teb *teb)
{
    linux_teb blocks[16];
    short i;
    if (count < 0 || count > 16)
        return bridge_failure(status);
    for (i = 0; i < count; ++i) {
        blocks[i].db = teb[i].db;
        blocks[i].tpb_length = teb[i].tpb_length;
        blocks[i].tpb = teb[i].tpb;
    }
    return isc_start_multiple(status, tr, count, blocks);
}

ISC_STATUS WINAPI bridge_commit_transaction(ISC_STATUS *status, isc_tr_handle *tr)
{
    return isc_commit_transaction(status, tr);
}

ISC_STATUS WINAPI bridge_rollback_transaction(ISC_STATUS *status, isc_tr_handle *tr)
{
    return isc_rollback_transaction(status, tr);
}

ISC_STATUS WINAPI bridge_dsql_allocate_statement(ISC_STATUS *status, isc_db_handle *db,
                                                 isc_stmt_handle *stmt)
{
    return isc_dsql_allocate_statement(status, db, stmt);
}

ISC_STATUS WINAPI bridge_dsql_prepare(ISC_STATUS *status, isc_tr_handle *tr, isc_stmt_handle *stmt,
                                      unsigned short length, const char *sql,
                                      unsigned short dialect, XSQLDA *out)
{
    return isc_dsql_prepare(status, tr, stmt, length, sql, dialect, out);
}

ISC_STATUS WINAPI bridge_dsql_describe(ISC_STATUS *status, isc_stmt_handle *stmt,
                                       unsigned short version, XSQLDA *out)
{
    return isc_dsql_describe(status, stmt, version, out);
}

ISC_STATUS WINAPI bridge_dsql_describe_bind(ISC_STATUS *status, isc_stmt_handle *stmt,
                                            unsigned short version, XSQLDA *in)
{
    return isc_dsql_describe_bind(status, stmt, version, in);
}

ISC_STATUS WINAPI bridge_dsql_execute(ISC_STATUS *status, isc_tr_handle *tr, isc_stmt_handle *stmt,
                                      unsigned short version, const XSQLDA *in)
{
    return isc_dsql_execute(status, tr, stmt, version, in);
}

ISC_STATUS WINAPI bridge_dsql_execute_immediate(ISC_STATUS *status, isc_db_handle *db,
                                                isc_tr_handle *tr, unsigned short length,
                                                const char *sql, unsigned short dialect,
                                                const XSQLDA *in)
{
    return isc_dsql_execute_immediate(status, db, tr, length, sql, dialect, in);
}

ISC_STATUS WINAPI bridge_dsql_fetch(ISC_STATUS *status, isc_stmt_handle *stmt,
                                    unsigned short version, const XSQLDA *out)
{
    return isc_dsql_fetch(status, stmt, version, out);
}

ISC_STATUS WINAPI bridge_dsql_free_statement(ISC_STATUS *status, isc_stmt_handle *stmt,
                                             unsigned short option)
{
    return isc_dsql_free_statement(status, stmt, option);
}

ISC_STATUS WINAPI bridge_dsql_sql_info(ISC_STATUS *status, isc_stmt_handle *stmt, short item_length,
                                       const char *items, short buffer_length, char *buffer)
{
    return isc_dsql_sql_info(status, stmt, item_length, items, buffer_length, buffer);
}

ISC_LONG WINAPI bridge_interpret(char *buffer, unsigned int length, const ISC_STATUS **vector)
{
    return fb_interpret(buffer, length, vector);
}

ISC_LONG WINAPI bridge_sqlcode(const ISC_STATUS *status)
{
    return isc_sqlcode(status);
}
