#include "db/SQLQuery.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "db/SQLConnection.h"

namespace db {

namespace {

bool IsNameChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || static_cast<unsigned char>(c) >= 0x80;
}

bool SameName(const std::string& a, const std::string& b)
{
    return ui::UpperCaseAscii(a) == ui::UpperCaseAscii(b);
}

std::int64_t Power10(int exponent)
{
    std::int64_t result = 1;
    while (exponent-- > 0)
        result *= 10;
    return result;
}

// A scaled integer as decimal text: 12345 with scale -2 reads 123.45.
std::string ScaledText(std::int64_t value, int scale)
{
    if (scale >= 0)
        return std::to_string(value * Power10(scale));
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const std::uint64_t divisor = static_cast<std::uint64_t>(Power10(-scale));
    std::string fraction = std::to_string(magnitude % divisor);
    fraction.insert(0, static_cast<std::size_t>(-scale) - fraction.size(), '0');
    std::string text;
    if (value < 0)
        text += '-';
    text += std::to_string(magnitude / divisor);
    text += '.';
    text += fraction;
    return text;
}

// Days since 17 November 1858 (the server's day zero) as year, month, day.
void DecodeDate(std::int32_t days, int& year, int& month, int& day)
{
    // Counted from 1 March of year 0, where the leap day falls at the end of each year.
    const std::int64_t z = static_cast<std::int64_t>(days) + 678881;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

std::string DateText(std::int32_t days)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(days, year, month, day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

// Time of day in ten-thousandths of a second.
std::string TimeText(std::uint32_t units)
{
    const unsigned seconds = units / 10000;
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

template <typename T>
T Read(const char* data)
{
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Parameters and fields

void TParam::SetAsString(const std::string& value)
{
    kind_ = Kind::String;
    text_ = value;
}

void TParam::SetAsInteger(std::int32_t value)
{
    kind_ = Kind::Integer;
    integer_ = value;
}

void TParam::Clear()
{
    kind_ = Kind::Null;
    text_.clear();
    integer_ = 0;
}

std::string TParam::AsString() const
{
    switch (kind_) {
    case Kind::String: return text_;
    case Kind::Integer: return std::to_string(integer_);
    default: return {};
    }
}

std::int32_t TParam::AsInteger() const
{
    switch (kind_) {
    case Kind::Integer: return integer_;
    case Kind::String: {
        char* end = nullptr;
        const std::string text = ui::Trim(text_);
        const long long value = std::strtoll(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0' || value < std::numeric_limits<std::int32_t>::min() ||
            value > std::numeric_limits<std::int32_t>::max())
            throw EDatabaseError("'" + text_ + "' is not a valid integer value for parameter '" + Name + "'.");
        return static_cast<std::int32_t>(value);
    }
    default: return 0;
    }
}

bool TField::IsNull() const
{
    return !query_->Value(index_).has_value();
}

std::string TField::AsString() const
{
    const auto& value = query_->Value(index_);
    return value ? *value : std::string();
}

std::int32_t TField::AsInteger() const
{
    const auto& value = query_->Value(index_);
    if (!value)
        return 0;
    const std::string text = ui::Trim(*value);
    const int base = type_ & ~1;
    if (base == isc::SQL_DOUBLE || base == isc::SQL_FLOAT || base == isc::SQL_D_FLOAT ||
        (scale_ < 0 && (base == isc::SQL_SHORT || base == isc::SQL_LONG || base == isc::SQL_INT64))) {
        const double number = std::strtod(text.c_str(), nullptr);
        if (std::fabs(number) <= std::numeric_limits<std::int32_t>::max())
            return static_cast<std::int32_t>(std::llround(number));
    } else if (!text.empty()) {
        char* end = nullptr;
        const long long number = std::strtoll(text.c_str(), &end, 10);
        if (*end == '\0' && number >= std::numeric_limits<std::int32_t>::min() &&
            number <= std::numeric_limits<std::int32_t>::max())
            return static_cast<std::int32_t>(number);
    }
    throw EDatabaseError("'" + *value + "' is not a valid integer value for field '" + FieldName + "'.");
}

// ---------------------------------------------------------------------------------------------
// Parameter names

TParsedSQL ParseNamedParameters(const std::string& sql)
{
    TParsedSQL parsed;
    parsed.Text.reserve(sql.size());
    std::size_t i = 0;
    const std::size_t n = sql.size();
    while (i < n) {
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            // Quoted text or name; a doubled quote stays inside.
            std::size_t end = i + 1;
            while (end < n) {
                if (sql[end] == c) {
                    if (end + 1 < n && sql[end + 1] == c) {
                        end += 2;
                        continue;
                    }
                    break;
                }
                ++end;
            }
            end = end < n ? end + 1 : n;
            parsed.Text.append(sql, i, end - i);
            i = end;
        } else if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
            std::size_t end = sql.find_first_of("\r\n", i);
            end = end == std::string::npos ? n : end;
            parsed.Text.append(sql, i, end - i);
            i = end;
        } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
            std::size_t end = sql.find("*/", i + 2);
            end = end == std::string::npos ? n : end + 2;
            parsed.Text.append(sql, i, end - i);
            i = end;
        } else if (c == ':' && i + 1 < n && (IsNameChar(sql[i + 1]) || sql[i + 1] == '"')) {
            std::size_t start = i + 1;
            std::size_t end = start;
            std::string name;
            if (sql[start] == '"') {
                end = sql.find('"', start + 1);
                end = end == std::string::npos ? n : end;
                name = sql.substr(start + 1, end - start - 1);
                end = end < n ? end + 1 : n;
            } else {
                while (end < n && IsNameChar(sql[end]))
                    ++end;
                name = sql.substr(start, end - start);
            }
            parsed.Names.push_back(name);
            parsed.Text += '?';
            i = end;
        } else {
            parsed.Text += c;
            ++i;
        }
    }
    return parsed;
}

// ---------------------------------------------------------------------------------------------
// Descriptor areas

// An XSQLDA with room for its columns, and the buffers its columns point to.
struct TSQLQuery::Descriptor {
    explicit Descriptor(int count) { Resize(count); }
    void Resize(int count)
    {
        block.assign(sizeof(isc::XSQLDA) + static_cast<std::size_t>(count > 0 ? count - 1 : 0) * sizeof(isc::XSQLVAR), 0);
        Area()->version = isc::SQLDA_VERSION1;
        Area()->sqln = static_cast<std::int16_t>(count);
        indicators.assign(static_cast<std::size_t>(count), 0);
    }
    isc::XSQLDA* Area() { return reinterpret_cast<isc::XSQLDA*>(block.data()); }
    isc::XSQLVAR& Var(int index) { return Area()->sqlvar[index]; }
    int Count() { return Area()->sqld; }

    std::vector<std::max_align_t> storage;     // output column buffers
    std::vector<std::size_t> offsets;          // each column's place in `storage`
    std::vector<std::int16_t> indicators;
    std::vector<std::int32_t> integers;        // input integer values
    std::vector<unsigned char> block;
};

// ---------------------------------------------------------------------------------------------
// The query

TSQLQuery::TSQLQuery(TSQLConnection* connection)
{
    SetSQLConnection(connection);
}

TSQLQuery::~TSQLQuery()
{
    try {
        Close();
        Unprepare();
    } catch (const std::exception&) {
        // Nothing to report to while being destroyed.
    }
    if (connection_)
        connection_->Detach(this);
}

void TSQLQuery::SetSQLConnection(TSQLConnection* connection)
{
    if (connection == connection_)
        return;
    Close();
    Unprepare();
    if (connection_)
        connection_->Detach(this);
    connection_ = connection;
    if (connection_)
        connection_->Attach(this);
}

void TSQLQuery::SetSQL(const std::string& text)
{
    if (text == sql_)
        return;
    Close();
    Unprepare();
    sql_ = text;
    std::vector<std::unique_ptr<TParam>> old = std::move(params_);
    params_.clear();
    positions_.clear();
    if (!ParamCheck) {
        serverSql_ = text;
        return;
    }
    TParsedSQL parsed = ParseNamedParameters(text);
    serverSql_ = std::move(parsed.Text);
    for (const std::string& name : parsed.Names) {
        int index = -1;
        for (std::size_t i = 0; i < params_.size(); ++i)
            if (SameName(params_[i]->Name, name))
                index = static_cast<int>(i);
        if (index < 0) {
            std::unique_ptr<TParam> param;
            for (auto& previous : old)
                if (previous && SameName(previous->Name, name))
                    param = std::move(previous);
            params_.push_back(param ? std::move(param) : std::make_unique<TParam>(name));
            index = static_cast<int>(params_.size()) - 1;
        }
        positions_.push_back(index);
    }
}

TParam& TSQLQuery::ParamByName(const std::string& name)
{
    for (auto& param : params_)
        if (SameName(param->Name, name))
            return *param;
    throw EDatabaseError("Parameter '" + name + "' not found.");
}

TField& TSQLQuery::FieldByName(const std::string& name)
{
    for (auto& field : fields_)
        if (SameName(field.FieldName, name))
            return field;
    throw EDatabaseError("Field '" + name + "' not found.");
}

const TClientLibrary& TSQLQuery::Library() const
{
    if (!connection_)
        throw EDatabaseError("The query has no connection.");
    return connection_->Library();
}

isc::Handle* TSQLQuery::Transaction()
{
    if (isc::Handle* active = connection_->ActiveTransaction())
        return active;
    // No explicit transaction: the query runs in one of its own, committed when it is done.
    if (!ownTransaction_)
        connection_->StartOwnTransaction(&ownTransaction_);
    return &ownTransaction_;
}

void TSQLQuery::EndOwnTransaction(bool commit)
{
    if (!ownTransaction_ || !connection_ || !connection_->Connected())
        return;
    isc::StatusVector status{};
    if (commit) {
        Library().commit_transaction(status, &ownTransaction_);
        if (!Failed(status)) {
            ownTransaction_ = 0;
            return;
        }
        isc::StatusVector ignored{};
        Library().rollback_transaction(ignored, &ownTransaction_);
        ownTransaction_ = 0;
        Library().Check(status);
    } else {
        Library().rollback_transaction(status, &ownTransaction_);
        ownTransaction_ = 0;
    }
}

void TSQLQuery::Prepare()
{
    PrepareStatement();
    if (!active_)
        EndOwnTransaction(true);
}

void TSQLQuery::PrepareStatement()
{
    if (Prepared())
        return;
    if (!connection_ || !connection_->Connected())
        throw EDatabaseError("The connection is not open.");
    if (serverSql_.size() > 65535)
        throw EDatabaseError("The statement is too long.");
    const TClientLibrary& library = Library();
    isc::StatusVector status{};
    isc::Handle statement = 0;
    library.dsql_allocate_statement(status, connection_->DatabaseHandle(), &statement);
    library.Check(status);
    try {
        isc::Handle* transaction = Transaction();
        output_ = std::make_unique<Descriptor>(1);
        library.dsql_prepare(status, transaction, &statement,
                             static_cast<unsigned short>(serverSql_.size()), serverSql_.data(),
                             static_cast<unsigned short>(connection_->Dialect()), output_->Area());
        library.Check(status);
        if (output_->Count() > output_->Area()->sqln) {
            output_->Resize(output_->Count());
            library.dsql_describe(status, &statement, isc::SQLDA_VERSION1, output_->Area());
            library.Check(status);
        }
        input_ = std::make_unique<Descriptor>(std::max<int>(1, static_cast<int>(positions_.size())));
        library.dsql_describe_bind(status, &statement, isc::SQLDA_VERSION1, input_->Area());
        library.Check(status);
        if (input_->Count() != static_cast<int>(positions_.size()))
            throw EDatabaseError("The statement has " + std::to_string(input_->Count()) +
                                 " parameters where its text names " +
                                 std::to_string(positions_.size()) + ".");

        const char items[] = {isc::isc_info_sql_stmt_type};
        char buffer[16] = {};
        library.dsql_sql_info(status, &statement, sizeof items, items, sizeof buffer, buffer);
        library.Check(status);
        statementType_ = 0;
        if (buffer[0] == isc::isc_info_sql_stmt_type) {
            const int length = static_cast<unsigned char>(buffer[1]) | (static_cast<unsigned char>(buffer[2]) << 8);
            for (int i = 0; i < length && i < 4; ++i)
                statementType_ |= static_cast<unsigned char>(buffer[3 + i]) << (8 * i);
        }

        // Output buffers, one per column, each aligned.
        Descriptor& out = *output_;
        const int columns = out.Count();
        out.offsets.assign(static_cast<std::size_t>(columns), 0);
        std::size_t total = 0;
        for (int i = 0; i < columns; ++i) {
            isc::XSQLVAR& var = out.Var(i);
            std::size_t size = static_cast<std::size_t>(static_cast<std::uint16_t>(var.sqllen));
            if ((var.sqltype & ~1) == isc::SQL_VARYING)
                size += 2;
            out.offsets[static_cast<std::size_t>(i)] = total;
            total += (size + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
        }
        out.storage.assign(std::max<std::size_t>(total, 1), std::max_align_t{});
        out.indicators.assign(static_cast<std::size_t>(columns), 0);
        for (int i = 0; i < columns; ++i) {
            isc::XSQLVAR& var = out.Var(i);
            var.sqldata = reinterpret_cast<char*>(&out.storage[out.offsets[static_cast<std::size_t>(i)]]);
            var.sqlind = &out.indicators[static_cast<std::size_t>(i)];
        }
    } catch (...) {
        isc::StatusVector ignored{};
        library.dsql_free_statement(ignored, &statement, isc::DSQL_drop);
        input_.reset();
        output_.reset();
        EndOwnTransaction(false);
        throw;
    }
    statement_ = statement;
}

void TSQLQuery::Unprepare()
{
    Close();
    if (!statement_)
        return;
    if (connection_ && connection_->Connected()) {
        isc::StatusVector status{};
        Library().dsql_free_statement(status, &statement_, isc::DSQL_drop);
    }
    statement_ = 0;
    input_.reset();
    output_.reset();
}

void TSQLQuery::BindParameters()
{
    Descriptor& in = *input_;
    in.integers.assign(positions_.size(), 0);
    for (std::size_t i = 0; i < positions_.size(); ++i) {
        TParam& param = *params_[static_cast<std::size_t>(positions_[i])];
        isc::XSQLVAR& var = in.Var(static_cast<int>(i));
        var.sqlind = &in.indicators[i];
        switch (param.kind_) {
        case TParam::Kind::Null:
            throw EDatabaseError("No value for parameter '" + param.Name + "'.");
        case TParam::Kind::String:
            if (param.text_.size() > 32767)
                throw EDatabaseError("The value of parameter '" + param.Name + "' is too long.");
            var.sqltype = isc::SQL_TEXT + 1;
            var.sqlscale = 0;
            var.sqlsubtype = 0;
            var.sqllen = static_cast<std::int16_t>(param.text_.size());
            var.sqldata = param.text_.data();
            in.indicators[i] = 0;
            break;
        case TParam::Kind::Integer:
            in.integers[i] = param.integer_;
            var.sqltype = isc::SQL_LONG + 1;
            var.sqlscale = 0;
            var.sqlsubtype = 0;
            var.sqllen = sizeof(std::int32_t);
            var.sqldata = reinterpret_cast<char*>(&in.integers[i]);
            in.indicators[i] = 0;
            break;
        }
    }
}

void TSQLQuery::Open()
{
    if (active_)
        return;
    PrepareStatement();
    if (statementType_ != isc::isc_info_sql_stmt_select &&
        statementType_ != isc::isc_info_sql_stmt_select_for_upd)
        throw EDatabaseError("The statement returns no rows.");
    const TClientLibrary& library = Library();
    try {
        BindParameters();
        isc::StatusVector status{};
        library.dsql_execute(status, Transaction(), &statement_, isc::SQLDA_VERSION1,
                             positions_.empty() ? nullptr : input_->Area());
        library.Check(status);
        cursorOpen_ = true;
        active_ = true;
        trimChar_ = ui::LowerCaseAscii(ui::Trim(connection_->ParamValue("Trim Char"))) == "true";

        fields_.clear();
        for (int i = 0; i < output_->Count(); ++i) {
            const isc::XSQLVAR& var = output_->Var(i);
            TField field;
            field.FieldName.assign(var.aliasname, static_cast<std::size_t>(std::max<std::int16_t>(0, var.aliasname_length)));
            field.query_ = this;
            field.index_ = i;
            field.type_ = var.sqltype;
            field.scale_ = var.sqlscale;
            fields_.push_back(std::move(field));
        }
        rows_.clear();
        current_ = 0;
        eof_ = !FetchRow();
    } catch (...) {
        Close();
        throw;
    }
}

bool TSQLQuery::FetchRow()
{
    if (!cursorOpen_)
        return false;
    const TClientLibrary& library = Library();
    isc::StatusVector status{};
    const isc::Status result = library.dsql_fetch(status, &statement_, isc::SQLDA_VERSION1, output_->Area());
    if (result == isc::FetchEnd) {
        CloseCursor();
        return false;
    }
    library.Check(status);

    Descriptor& out = *output_;
    Row row;
    row.values.reserve(static_cast<std::size_t>(out.Count()));
    for (int i = 0; i < out.Count(); ++i) {
        const isc::XSQLVAR& var = out.Var(i);
        if ((var.sqltype & 1) && *var.sqlind < 0) {
            row.values.emplace_back();
            continue;
        }
        const char* data = var.sqldata;
        std::string text;
        switch (var.sqltype & ~1) {
        case isc::SQL_TEXT:
            text.assign(data, static_cast<std::uint16_t>(var.sqllen));
            if (trimChar_)
                text.erase(text.find_last_not_of(' ') + 1);
            break;
        case isc::SQL_VARYING: text.assign(data + 2, Read<std::uint16_t>(data)); break;
        case isc::SQL_SHORT: text = ScaledText(Read<std::int16_t>(data), var.sqlscale); break;
        case isc::SQL_LONG: text = ScaledText(Read<std::int32_t>(data), var.sqlscale); break;
        case isc::SQL_INT64: text = ScaledText(Read<std::int64_t>(data), var.sqlscale); break;
        case isc::SQL_FLOAT:
        case isc::SQL_DOUBLE:
        case isc::SQL_D_FLOAT: {
            const double value = (var.sqltype & ~1) == isc::SQL_FLOAT ? Read<float>(data) : Read<double>(data);
            char buffer[40];
            std::snprintf(buffer, sizeof buffer, "%.15g", value);
            text = buffer;
            break;
        }
        case isc::SQL_TYPE_DATE: text = DateText(Read<std::int32_t>(data)); break;
        case isc::SQL_TYPE_TIME: text = TimeText(Read<std::uint32_t>(data)); break;
        case isc::SQL_TIMESTAMP:
            text = DateText(Read<std::int32_t>(data)) + " " + TimeText(Read<std::uint32_t>(data + 4));
            break;
        case isc::SQL_BOOLEAN: text = *data ? "True" : "False"; break;
        default:
            throw EDatabaseError("Field '" + fields_.at(static_cast<std::size_t>(i)).FieldName +
                                 "' is of a type this program cannot read.");
        }
        row.values.emplace_back(std::move(text));
    }
    rows_.push_back(std::move(row));
    return true;
}

void TSQLQuery::CloseCursor()
{
    if (!cursorOpen_)
        return;
    cursorOpen_ = false;
    if (connection_ && connection_->Connected() && statement_) {
        isc::StatusVector status{};
        Library().dsql_free_statement(status, &statement_, isc::DSQL_close);
    }
}

void TSQLQuery::Close()
{
    if (!active_) {
        EndOwnTransaction(true);
        return;
    }
    CloseCursor();
    active_ = false;
    eof_ = true;
    rows_.clear();
    fields_.clear();
    current_ = 0;
    EndOwnTransaction(true);
}

void TSQLQuery::ExecSQL()
{
    Close();
    PrepareStatement();
    const TClientLibrary& library = Library();
    isc::StatusVector status{};
    try {
        BindParameters();
        library.dsql_execute(status, Transaction(), &statement_, isc::SQLDA_VERSION1,
                             positions_.empty() ? nullptr : input_->Area());
        if (!Failed(status) && (statementType_ == isc::isc_info_sql_stmt_select ||
                                statementType_ == isc::isc_info_sql_stmt_select_for_upd)) {
            isc::StatusVector ignored{};
            library.dsql_free_statement(ignored, &statement_, isc::DSQL_close);
        }
        library.Check(status);
    } catch (...) {
        EndOwnTransaction(false);
        throw;
    }
    EndOwnTransaction(true);
}

int TSQLQuery::RowsAffected()
{
    if (!statement_ || !connection_ || !connection_->Connected())
        return -1;
    const TClientLibrary& library = Library();
    const char items[] = {isc::isc_info_sql_records};
    char buffer[64] = {};
    isc::StatusVector status{};
    library.dsql_sql_info(status, &statement_, sizeof items, items, sizeof buffer, buffer);
    library.Check(status);
    if (buffer[0] != isc::isc_info_sql_records)
        return -1;
    int count = 0;
    std::size_t i = 3;
    while (i + 3 <= sizeof buffer && buffer[i] != isc::isc_info_end) {
        const char item = buffer[i];
        const int length = static_cast<unsigned char>(buffer[i + 1]) | (static_cast<unsigned char>(buffer[i + 2]) << 8);
        if (i + 3 + static_cast<std::size_t>(length) > sizeof buffer)
            break;
        std::int64_t value = 0;
        for (int b = 0; b < length && b < 8; ++b)
            value |= static_cast<std::int64_t>(static_cast<unsigned char>(buffer[i + 3 + static_cast<std::size_t>(b)])) << (8 * b);
        if (item == isc::isc_info_req_update_count || item == isc::isc_info_req_insert_count ||
            item == isc::isc_info_req_delete_count)
            count += static_cast<int>(value);
        i += 3 + static_cast<std::size_t>(length);
    }
    return count;
}

void TSQLQuery::CheckActive() const
{
    if (!active_)
        throw EDatabaseError("The query is not open.");
}

void TSQLQuery::First()
{
    CheckActive();
    current_ = 0;
    eof_ = rows_.empty();
}

void TSQLQuery::Next()
{
    CheckActive();
    if (eof_)
        return;
    if (current_ + 1 < rows_.size() || FetchRow())
        ++current_;
    else
        eof_ = true;
}

const std::optional<std::string>& TSQLQuery::Value(int index) const
{
    CheckActive();
    if (rows_.empty())
        throw EDatabaseError("The query has no rows.");
    return rows_[current_].values.at(static_cast<std::size_t>(index));
}

void TSQLQuery::ConnectionClosing()
{
    // The attachment is about to go: end what this query holds on it, so that the detach finds no
    // transaction of ours still open.
    try {
        CloseCursor();
        EndOwnTransaction(true);
    } catch (const std::exception&) {
        // The detach reports what matters.
    }
    if (statement_ && connection_ && connection_->Connected()) {
        isc::StatusVector ignored{};
        Library().dsql_free_statement(ignored, &statement_, isc::DSQL_drop);
    }
    cursorOpen_ = false;
    active_ = false;
    eof_ = true;
    rows_.clear();
    fields_.clear();
    statement_ = 0;
    ownTransaction_ = 0;
    input_.reset();
    output_.reset();
}

void TSQLQuery::ConnectionGone()
{
    ConnectionClosing();
    connection_ = nullptr;
}

void TSQLQuery::TransactionEnding()
{
    // A commit or rollback closes the cursors of the transaction; rows not yet read would be lost,
    // so the query is closed as a whole.
    if (active_ && !ownTransaction_) {
        CloseCursor();
        active_ = false;
        eof_ = true;
        rows_.clear();
        fields_.clear();
    }
}

} // namespace db
