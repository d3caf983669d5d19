#pragma once
// A query on a connection: SQL text with named parameters (:NAME), prepared once and executed as
// often as needed, with its rows kept in server order.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "db/IscApi.h"

namespace db {

class TSQLConnection;
class TSQLQuery;

// A named input value of a query: text, 32-bit integer or null.
class TParam {
public:
    explicit TParam(std::string name) : Name(std::move(name)) {}
    std::string Name;

    void SetAsString(const std::string& value);
    void SetAsInteger(std::int32_t value);
    void Clear();
    bool IsNull() const { return kind_ == Kind::Null; }
    std::string AsString() const;
    std::int32_t AsInteger() const;

private:
    friend class TSQLQuery;
    enum class Kind { Null, String, Integer };
    Kind kind_ = Kind::Null;
    std::string text_;
    std::int32_t integer_ = 0;
};

// A column of an open query; its value is the one of the query's current row.
class TField {
public:
    std::string FieldName;

    bool IsNull() const;
    // The value as text: character columns exactly as stored, trailing blanks included (unless
    // the connection says "Trim Char=True"); null reads as empty.
    std::string AsString() const;
    // The value as a 32-bit integer: null reads as 0; text must hold a whole number.
    std::int32_t AsInteger() const;

private:
    friend class TSQLQuery;
    const TSQLQuery* query_ = nullptr;
    int index_ = 0;
    int type_ = 0;
    int scale_ = 0;
};

class TSQLQuery {
public:
    explicit TSQLQuery(TSQLConnection* connection = nullptr);
    ~TSQLQuery();
    TSQLQuery(const TSQLQuery&) = delete;
    TSQLQuery& operator=(const TSQLQuery&) = delete;

    TSQLConnection* SQLConnection() const { return connection_; }
    void SetSQLConnection(TSQLConnection* connection);

    // When true (the default), :NAME in the text outside quotes and comments is a parameter.
    bool ParamCheck = true;

    // The statement text. Setting a different text closes and unprepares the query and builds
    // its parameters anew (values of parameters that keep their names are kept); setting the same
    // text again changes nothing, so a prepared statement stays prepared.
    void SetSQL(const std::string& text);
    const std::string& SQL() const { return sql_; }

    int ParamCount() const { return static_cast<int>(params_.size()); }
    TParam& Params(int index) { return *params_.at(index); }
    // The parameter of that name, ignoring case; raises EDatabaseError when absent.
    TParam& ParamByName(const std::string& name);

    void Prepare();
    void Unprepare();
    bool Prepared() const { return statement_ != 0; }

    // Runs a statement that returns rows and moves to its first row.
    void Open();
    void Close();
    bool Active() const { return active_; }
    // Runs a statement without result set.
    void ExecSQL();
    // Rows changed by the last ExecSQL.
    int RowsAffected();

    void First();
    void Next();
    bool Eof() const { return eof_; }
    bool IsEmpty() const { return rows_.empty(); }

    int FieldCount() const { return static_cast<int>(fields_.size()); }
    TField& Fields(int index) { return fields_.at(index); }
    // The field of that name, ignoring case; raises EDatabaseError when absent.
    TField& FieldByName(const std::string& name);

    // Called by the connection.
    void ConnectionClosing();
    void ConnectionGone();
    void TransactionEnding();

private:
    friend class TField;
    struct Row {
        std::vector<std::optional<std::string>> values;
    };
    struct Descriptor;

    const class TClientLibrary& Library() const;
    isc::Handle* Transaction();
    void PrepareStatement();
    void EndOwnTransaction(bool commit);
    void BindParameters();
    bool FetchRow();
    void CloseCursor();
    void CheckActive() const;
    const std::optional<std::string>& Value(int index) const;

    TSQLConnection* connection_ = nullptr;
    std::string sql_;
    std::string serverSql_;  // the text sent to the server, each parameter a '?'
    std::vector<std::unique_ptr<TParam>> params_;
    std::vector<int> positions_;  // parameter index of each '?', in order

    isc::Handle statement_ = 0;
    isc::Handle ownTransaction_ = 0;
    int statementType_ = 0;
    std::unique_ptr<Descriptor> input_;
    std::unique_ptr<Descriptor> output_;

    bool active_ = false;
    bool cursorOpen_ = false;
    bool eof_ = true;
    bool trimChar_ = false;  // the connection's "Trim Char": fixed-length text without its blanks
    std::vector<TField> fields_;
    std::vector<Row> rows_;
    std::size_t current_ = 0;
};

// The statement text with each named parameter replaced by '?', and the parameter names in the
// order they appear (a name used twice appears twice). Quoted text, quoted names and comments are
// left alone.
struct TParsedSQL {
    std::string Text;
    std::vector<std::string> Names;
};
TParsedSQL ParseNamedParameters(const std::string& sql);

} // namespace db
