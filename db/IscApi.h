#pragma once
// The part of the InterBase/Firebird client API this layer uses, declared with fixed-width types so
// that the layout is the one every 64-bit client library expects: status words are pointer-sized,
// handles 32-bit, ISC_LONG 32-bit. The functions are reached through pointers taken from the client
// library loaded at run time (ClientLibrary.h), never linked.
#include <cstdint>

namespace db::isc {

using Status = std::intptr_t;
using Handle = std::uint32_t;
using Long = std::int32_t;

constexpr int StatusLength = 20;
using StatusVector = Status[StatusLength];

// One output or input column of a statement.
struct XSQLVAR {
    std::int16_t sqltype;
    std::int16_t sqlscale;
    std::int16_t sqlsubtype;
    std::int16_t sqllen;
    char* sqldata;
    std::int16_t* sqlind;
    std::int16_t sqlname_length;
    char sqlname[32];
    std::int16_t relname_length;
    char relname[32];
    std::int16_t ownname_length;
    char ownname[32];
    std::int16_t aliasname_length;
    char aliasname[32];
};

// Header of a descriptor area; the XSQLVARs follow it in the same block.
struct XSQLDA {
    std::int16_t version;
    char sqldaid[8];
    Long sqldabc;
    std::int16_t sqln;
    std::int16_t sqld;
    XSQLVAR sqlvar[1];
};

// Transaction existence block of isc_start_multiple.
struct TEB {
    Handle* database;
    Long tpbLength;
    const char* tpb;
};

constexpr unsigned short SQLDA_VERSION1 = 1;
constexpr unsigned short DSQL_close = 1;
constexpr unsigned short DSQL_drop = 2;

// Column types; the low bit says the column may be null.
constexpr int SQL_VARYING = 448;
constexpr int SQL_TEXT = 452;
constexpr int SQL_DOUBLE = 480;
constexpr int SQL_FLOAT = 482;
constexpr int SQL_LONG = 496;
constexpr int SQL_SHORT = 500;
constexpr int SQL_TIMESTAMP = 510;
constexpr int SQL_BLOB = 520;
constexpr int SQL_D_FLOAT = 530;
constexpr int SQL_ARRAY = 540;
constexpr int SQL_QUAD = 550;
constexpr int SQL_TYPE_TIME = 560;
constexpr int SQL_TYPE_DATE = 570;
constexpr int SQL_INT64 = 580;
constexpr int SQL_BOOLEAN = 32764;
constexpr int SQL_NULL = 32766;

// Database parameter block.
constexpr char isc_dpb_version1 = 1;
constexpr char isc_dpb_page_size = 4;
constexpr char isc_dpb_user_name = 28;
constexpr char isc_dpb_password = 29;
constexpr char isc_dpb_lc_ctype = 48;
constexpr char isc_dpb_sql_role_name = 60;
constexpr char isc_dpb_sql_dialect = 63;
constexpr char isc_dpb_set_db_sql_dialect = 65;
constexpr char isc_dpb_utf8_filename = 77;

// Transaction parameter block.
constexpr char isc_tpb_version3 = 3;
constexpr char isc_tpb_concurrency = 2;
constexpr char isc_tpb_wait = 6;
constexpr char isc_tpb_nowait = 7;
constexpr char isc_tpb_write = 9;
constexpr char isc_tpb_read_committed = 15;
constexpr char isc_tpb_rec_version = 17;
constexpr char isc_tpb_lock_timeout = 21;

// Statement information.
constexpr char isc_info_end = 1;
constexpr char isc_info_truncated = 2;
constexpr char isc_info_sql_stmt_type = 21;
constexpr char isc_info_sql_records = 23;
constexpr char isc_info_req_select_count = 13;
constexpr char isc_info_req_insert_count = 14;
constexpr char isc_info_req_update_count = 15;
constexpr char isc_info_req_delete_count = 16;
constexpr int isc_info_sql_stmt_select = 1;
constexpr int isc_info_sql_stmt_exec_procedure = 8;
constexpr int isc_info_sql_stmt_select_for_upd = 12;

// isc_dsql_fetch's result when the cursor has no more rows.
constexpr Status FetchEnd = 100;

// Errors of a statement that met a row another transaction holds.
constexpr Status isc_deadlock = 335544336;
constexpr Status isc_lock_conflict = 335544345;
constexpr Status isc_update_conflict = 335544451;
constexpr Status isc_lock_timeout = 335544878;

// Entry points (stdcall on 32-bit Windows; one convention on 64-bit).
#if defined(_WIN32) && !defined(_WIN64)
#define DB_ISC_CALL __stdcall
#else
#define DB_ISC_CALL
#endif

extern "C" {
using attach_database_fn = Status(DB_ISC_CALL*)(Status*, short, const char*, Handle*, short, const char*);
using create_database_fn = Status(DB_ISC_CALL*)(Status*, short, const char*, Handle*, short, const char*, short);
using detach_database_fn = Status(DB_ISC_CALL*)(Status*, Handle*);
using start_multiple_fn = Status(DB_ISC_CALL*)(Status*, Handle*, short, TEB*);
using commit_transaction_fn = Status(DB_ISC_CALL*)(Status*, Handle*);
using rollback_transaction_fn = Status(DB_ISC_CALL*)(Status*, Handle*);
using dsql_allocate_statement_fn = Status(DB_ISC_CALL*)(Status*, Handle*, Handle*);
using dsql_prepare_fn = Status(DB_ISC_CALL*)(Status*, Handle*, Handle*, unsigned short, const char*,
                                             unsigned short, XSQLDA*);
using dsql_describe_fn = Status(DB_ISC_CALL*)(Status*, Handle*, unsigned short, XSQLDA*);
using dsql_execute_fn = Status(DB_ISC_CALL*)(Status*, Handle*, Handle*, unsigned short, const XSQLDA*);
using dsql_execute_immediate_fn = Status(DB_ISC_CALL*)(Status*, Handle*, Handle*, unsigned short,
                                                       const char*, unsigned short, const XSQLDA*);
using dsql_fetch_fn = Status(DB_ISC_CALL*)(Status*, Handle*, unsigned short, const XSQLDA*);
using dsql_free_statement_fn = Status(DB_ISC_CALL*)(Status*, Handle*, unsigned short);
using dsql_sql_info_fn = Status(DB_ISC_CALL*)(Status*, Handle*, short, const char*, short, char*);
using interpret_fn = Long(DB_ISC_CALL*)(char*, unsigned int, const Status**);
}

} // namespace db::isc
