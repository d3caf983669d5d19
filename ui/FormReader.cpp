#include "FormReader.h"

#include "Forms.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace ui {

namespace {

enum class TokenKind { End, Ident, Integer, String, Symbol };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;   // identifier, symbol, or the string's UTF-8 bytes
    long long value = 0;
    std::vector<std::uint8_t> bytes; // the contents of a { hex } block
    int line = 1;
};

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Splits the description into tokens; strings (quoted parts, #nnn codes and + continuations) come
// out joined as one token.
class Lexer {
public:
    explicit Lexer(const std::string& text) : text_(text)
    {
        if (text_.size() >= 3 && static_cast<unsigned char>(text_[0]) == 0xEF && static_cast<unsigned char>(text_[1]) == 0xBB
            && static_cast<unsigned char>(text_[2]) == 0xBF)
            pos_ = 3;
        Advance();
    }

    const Token& Peek() const { return current_; }
    Token Next()
    {
        Token t = current_;
        Advance();
        return t;
    }
    int Line() const { return current_.line; }

private:
    void SkipBlanks()
    {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++pos_;
            } else {
                break;
            }
        }
    }

    void Advance()
    {
        SkipBlanks();
        current_ = Token{};
        current_.line = line_;
        if (pos_ >= text_.size())
            return;
        const char c = text_[pos_];
        if (IsIdentStart(c)) {
            const std::size_t start = pos_;
            while (pos_ < text_.size() && IsIdentChar(text_[pos_]))
                ++pos_;
            current_.kind = TokenKind::Ident;
            current_.text = text_.substr(start, pos_ - start);
            return;
        }
        if (IsDigit(c) || ((c == '-' || c == '+') && pos_ + 1 < text_.size() && IsDigit(text_[pos_ + 1]))
            || (c == '$' && pos_ + 1 < text_.size() && HexValue(text_[pos_ + 1]) >= 0)) {
            ReadNumber();
            return;
        }
        if (c == '\'' || c == '#') {
            ReadString();
            return;
        }
        const std::string symbols = "=:[](){}<>,.;+";
        if (symbols.find(c) != std::string::npos) {
            current_.kind = TokenKind::Symbol;
            current_.text = std::string(1, c);
            ++pos_;
            if (c == '{')
                ReadBinary();
            return;
        }
        throw EReadError(std::string("Invalid character '") + c + "'", line_);
    }

    // Hex digit pairs up to '}', blanks and line breaks ignored.
    void ReadBinary()
    {
        const int startLine = line_;
        int high = -1;
        while (true) {
            if (pos_ >= text_.size())
                throw EReadError("Binary data is not terminated by }", startLine);
            const char c = text_[pos_++];
            if (c == '}')
                break;
            if (c == '\n') {
                ++line_;
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\r')
                continue;
            const int v = HexValue(c);
            if (v < 0)
                throw EReadError(std::string("Invalid character '") + c + "' in binary data", line_);
            if (high < 0) {
                high = v;
            } else {
                current_.bytes.push_back(static_cast<std::uint8_t>(high * 16 + v));
                high = -1;
            }
        }
        if (high >= 0)
            throw EReadError("Binary data has an odd number of hex digits", line_);
    }

    void ReadNumber()
    {
        bool negative = false;
        if (text_[pos_] == '-' || text_[pos_] == '+')
            negative = text_[pos_++] == '-';
        long long value = 0;
        bool overflow = false;
        if (text_[pos_] == '$') {
            ++pos_;
            while (pos_ < text_.size() && HexValue(text_[pos_]) >= 0) {
                if (value > (0x7FFFFFFFFFFFFFFFLL >> 4))
                    overflow = true;
                value = value * 16 + HexValue(text_[pos_++]);
            }
        } else {
            while (pos_ < text_.size() && IsDigit(text_[pos_])) {
                if (value > 922337203685477579LL)
                    overflow = true;
                value = value * 10 + (text_[pos_++] - '0');
            }
        }
        if (pos_ < text_.size() && (IsIdentChar(text_[pos_]) || text_[pos_] == '.'))
            throw EReadError("Invalid number", line_);
        if (overflow || value > 0xFFFFFFFFLL)
            throw EReadError("Number out of range", line_);
        current_.kind = TokenKind::Integer;
        current_.value = negative ? -value : value;
    }

    void ReadString()
    {
        current_.kind = TokenKind::String;
        std::string out;
        while (true) {
            bool any = false;
            while (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) {
                any = true;
                if (text_[pos_] == '#') {
                    ++pos_;
                    unsigned code = 0;
                    int digits = 0;
                    if (pos_ < text_.size() && text_[pos_] == '$') {
                        ++pos_;
                        while (pos_ < text_.size() && HexValue(text_[pos_]) >= 0 && digits < 6) {
                            code = code * 16 + static_cast<unsigned>(HexValue(text_[pos_++]));
                            ++digits;
                        }
                    } else {
                        while (pos_ < text_.size() && IsDigit(text_[pos_]) && digits < 7) {
                            code = code * 10 + static_cast<unsigned>(text_[pos_++] - '0');
                            ++digits;
                        }
                    }
                    if (digits == 0 || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
                        throw EReadError("Invalid character code in string", line_);
                    AppendUtf8(out, code);
                } else {
                    ++pos_;
                    while (true) {
                        if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r')
                            throw EReadError("Unterminated string", line_);
                        if (text_[pos_] == '\'') {
                            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                                out += '\'';
                                pos_ += 2;
                                continue;
                            }
                            ++pos_;
                            break;
                        }
                        out += text_[pos_++];
                    }
                }
            }
            if (!any)
                throw EReadError("String expected after +", line_);
            // A '+' joins the next string part, possibly on the next line.
            const std::size_t savePos = pos_;
            const int saveLine = line_;
            SkipBlanks();
            if (pos_ < text_.size() && text_[pos_] == '+') {
                ++pos_;
                SkipBlanks();
                continue;
            }
            pos_ = savePos;
            line_ = saveLine;
            break;
        }
        current_.text = std::move(out);
    }

    const std::string& text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    Token current_;
};

struct Value {
    enum Kind { Integer, Ident, String, Set, List, Binary } kind = Integer;
    long long number = 0;
    std::string text;
    std::vector<std::string> elements;
    std::vector<Value> items;
    std::vector<std::uint8_t> bytes;
    int line = 0;
};

struct Fixup {
    TObject* object;
    const TPropInfo* property;
    std::string name;
    int line;
};

class Reader {
public:
    Reader(TComponent* root, const std::string& text) : root_(root), lexer_(text) {}

    void Read()
    {
        root_->SetLoadingState(true);
        try {
            const int line = lexer_.Line();
            ExpectObjectKeyword();
            const std::string name = ExpectIdent("component name");
            ExpectSymbol(":");
            const std::string className = ExpectIdent("class name");
            if (LowerCaseAscii(className) != LowerCaseAscii(root_->ClassName()))
                throw EReadError("Root class " + className + " does not match " + root_->ClassName(), line);
            SkipIndex();
            Guard(line, [&] { root_->SetName(name); });
            loaded_.push_back(root_);
            ReadBody(root_, name, line);
            if (lexer_.Peek().kind != TokenKind::End)
                throw EReadError("Text after the end of the description", lexer_.Line());
            ResolveFixups();
            for (TComponent* c : loaded_)
                Guard(0, [&] { c->Loaded(); });
            AssignFields();
        } catch (...) {
            // Nothing half-made stays behind: components go last first (children before parents).
            for (auto it = created_.rbegin(); it != created_.rend(); ++it)
                delete *it;
            created_.clear();
            root_->SetLoadingState(false);
            throw;
        }
        root_->SetLoadingState(false);
    }

private:
    template <class F>
    void Guard(int line, F&& action)
    {
        try {
            action();
        } catch (const EReadError&) {
            throw;
        } catch (const std::exception& e) {
            throw EReadError(context_.empty() ? std::string(e.what()) : "Error reading " + context_ + ": " + e.what(),
                             line ? line : lexer_.Line());
        }
    }

    bool IsObjectKeyword(const Token& t) const
    {
        if (t.kind != TokenKind::Ident)
            return false;
        const std::string word = LowerCaseAscii(t.text);
        return word == "object" || word == "inherited" || word == "inline";
    }

    void ExpectObjectKeyword()
    {
        const Token t = lexer_.Next();
        if (!IsObjectKeyword(t))
            throw EReadError("\"object\" expected", t.line);
    }

    std::string ExpectIdent(const char* what)
    {
        const Token t = lexer_.Next();
        if (t.kind != TokenKind::Ident)
            throw EReadError(std::string("Identifier expected for ") + what, t.line);
        return t.text;
    }

    void ExpectSymbol(const char* symbol)
    {
        const Token t = lexer_.Next();
        if (t.kind != TokenKind::Symbol || t.text != symbol)
            throw EReadError(std::string("\"") + symbol + "\" expected", t.line);
    }

    void SkipIndex()
    {
        if (lexer_.Peek().kind == TokenKind::Symbol && lexer_.Peek().text == "[") {
            lexer_.Next();
            if (lexer_.Next().kind != TokenKind::Integer)
                throw EReadError("Index expected", lexer_.Line());
            ExpectSymbol("]");
        }
    }

    void ReadBody(TComponent* component, const std::string& name, int startLine)
    {
        while (true) {
            const Token& t = lexer_.Peek();
            if (t.kind == TokenKind::End)
                throw EReadError("Object " + name + " is not terminated by \"end\"", startLine);
            if (t.kind == TokenKind::Ident && LowerCaseAscii(t.text) == "end") {
                lexer_.Next();
                return;
            }
            if (IsObjectKeyword(t)) {
                ReadChild(component);
                continue;
            }
            if (t.kind != TokenKind::Ident)
                throw EReadError("Property name expected", t.line);
            ReadProperty(component, name);
        }
    }

    void ReadChild(TComponent* parent)
    {
        const int line = lexer_.Line();
        ExpectObjectKeyword();
        const std::string name = ExpectIdent("component name");
        ExpectSymbol(":");
        const std::string className = ExpectIdent("class name");
        SkipIndex();
        const TClassInfo* info = FindClass(className);
        if (!info)
            throw EReadError("Class " + className + " not found", line);
        if (!info->Create)
            throw EReadError("Class " + className + " cannot be created from a description", line);
        TComponent* component = nullptr;
        context_ = name;
        Guard(line, [&] { component = info->Create(root_); });
        created_.push_back(component);
        loaded_.push_back(component);
        component->SetLoadingState(true);
        Guard(line, [&] { component->SetName(name); });
        if (component->HasParent()) {
            // Controls need a window; other nested objects (menu items) check their parent themselves.
            if (dynamic_cast<TControl*>(component) && !dynamic_cast<TWinControl*>(parent))
                throw EReadError("Control " + name + " needs a windowed parent", line);
            Guard(line, [&] { component->SetParentComponent(parent); });
        }
        component->SetReadingState(true);
        ReadBody(component, name, line);
        component->SetReadingState(false);
    }

    Value ReadValue()
    {
        Value v;
        v.line = lexer_.Line();
        const Token t = lexer_.Next();
        switch (t.kind) {
        case TokenKind::Integer:
            v.kind = Value::Integer;
            v.number = t.value;
            return v;
        case TokenKind::Ident:
            v.kind = Value::Ident;
            v.text = t.text;
            return v;
        case TokenKind::String:
            v.kind = Value::String;
            v.text = t.text;
            return v;
        case TokenKind::Symbol:
            if (t.text == "[") {
                v.kind = Value::Set;
                if (lexer_.Peek().kind == TokenKind::Symbol && lexer_.Peek().text == "]") {
                    lexer_.Next();
                    return v;
                }
                while (true) {
                    v.elements.push_back(ExpectIdent("set element"));
                    const Token sep = lexer_.Next();
                    if (sep.kind == TokenKind::Symbol && sep.text == "]")
                        return v;
                    if (sep.kind != TokenKind::Symbol || sep.text != ",")
                        throw EReadError("\",\" or \"]\" expected in set", sep.line);
                }
            }
            if (t.text == "(") {
                v.kind = Value::List;
                while (!(lexer_.Peek().kind == TokenKind::Symbol && lexer_.Peek().text == ")")) {
                    if (lexer_.Peek().kind == TokenKind::End)
                        throw EReadError("List is not terminated by )", v.line);
                    v.items.push_back(ReadValue());
                }
                lexer_.Next();
                return v;
            }
            if (t.text == "{") {
                v.kind = Value::Binary;
                v.bytes = t.bytes;
                return v;
            }
            if (t.text == "<")
                throw EReadError("Collections are not supported", t.line);
            throw EReadError("Value expected, found \"" + t.text + "\"", t.line);
        case TokenKind::End:
            break;
        }
        throw EReadError("Value expected", t.line);
    }

    void ReadProperty(TComponent* component, const std::string& componentName)
    {
        const int line = lexer_.Line();
        std::vector<std::string> path{lexer_.Next().text};
        while (lexer_.Peek().kind == TokenKind::Symbol && lexer_.Peek().text == ".") {
            lexer_.Next();
            path.push_back(ExpectIdent("property name"));
        }
        ExpectSymbol("=");
        const Value value = ReadValue();
        std::string fullName;
        for (const std::string& part : path)
            fullName += (fullName.empty() ? "" : ".") + part;
        context_ = componentName + "." + fullName;

        TObject* target = component;
        for (std::size_t i = 0; i + 1 < path.size(); ++i) {
            const TPropInfo* p = target->ClassInfo().FindProperty(path[i]);
            if (!p || p->Kind != tkClass || !p->GetObj)
                throw EReadError("Property " + componentName + "." + fullName + " does not exist", line);
            TObject* next = p->GetObj(*target);
            if (!next)
                throw EReadError("Property " + componentName + "." + fullName + " has no object", line);
            target = next;
        }
        Guard(line, [&] { Apply(target, path.back(), value, line, componentName + "." + fullName); });
    }

    void Apply(TObject* target, const std::string& name, const Value& value, int line, const std::string& fullName)
    {
        const TPropInfo* p = target->ClassInfo().FindProperty(name);
        auto invalid = [&]() { return EReadError("Invalid value for property " + fullName, line); };
        if (!p) {
            if (value.kind == Value::Binary) {
                if (auto* persistent = dynamic_cast<TPersistent*>(target)) {
                    TMemoryStream stream(value.bytes);
                    if (persistent->ReadBinaryProperty(name, stream))
                        return;
                }
            }
            if (value.kind == Value::List && LowerCaseAscii(name) == "strings")
                if (auto* list = dynamic_cast<TStringList*>(target)) {
                    FillList(*list, value, line, fullName);
                    return;
                }
            throw EReadError("Property " + fullName + " does not exist", line);
        }
        switch (p->Kind) {
        case tkInteger:
            if (value.kind == Value::Integer) {
                if (value.number < -2147483648LL || value.number > 0xFFFFFFFFLL)
                    throw invalid();
                p->SetOrd(*target, value.number);
                return;
            }
            if (value.kind == Value::Ident && p->Idents) {
                long long number = 0;
                if (p->Idents->ToInt(value.text, number)) {
                    p->SetOrd(*target, number);
                    return;
                }
            }
            throw invalid();
        case tkEnumeration:
            if (value.kind == Value::Ident && p->Enum) {
                const int ordinal = p->Enum->ValueOf(value.text);
                if (ordinal >= 0) {
                    p->SetOrd(*target, ordinal);
                    return;
                }
            }
            throw invalid();
        case tkSet: {
            if (value.kind != Value::Set || !p->Enum)
                throw invalid();
            long long bits = 0;
            for (const std::string& element : value.elements) {
                const int ordinal = p->Enum->ValueOf(element);
                if (ordinal < 0 || ordinal > 62)
                    throw EReadError("Invalid set element " + element + " for property " + fullName, line);
                bits |= 1LL << ordinal;
            }
            p->SetOrd(*target, bits);
            return;
        }
        case tkString:
        case tkWString:
            if (value.kind != Value::String)
                throw invalid();
            if (p->SetWStr)
                p->SetWStr(*target, Utf8ToWide(value.text));
            else if (p->SetStr)
                p->SetStr(*target, value.text);
            else
                throw invalid();
            return;
        case tkClass:
            if (value.kind == Value::Ident) {
                if (!p->SetObj)
                    throw EReadError("Property " + fullName + " cannot be assigned", line);
                if (LowerCaseAscii(value.text) == "nil")
                    p->SetObj(*target, nullptr);
                else
                    fixups_.push_back(Fixup{target, p, value.text, line});
                return;
            }
            if (value.kind == Value::List && p->GetObj)
                if (auto* list = dynamic_cast<TStringList*>(p->GetObj(*target))) {
                    FillList(*list, value, line, fullName);
                    return;
                }
            throw invalid();
        case tkMethod:
            if (value.kind != Value::Ident)
                throw invalid();
            SetMethodProp(target, name, root_, value.text);
            return;
        case tkUnknown:
            break;
        }
        throw invalid();
    }

    void FillList(TStringList& list, const Value& value, int line, const std::string& fullName)
    {
        list.BeginUpdate();
        try {
            list.Clear();
            for (const Value& item : value.items) {
                if (item.kind != Value::String)
                    throw EReadError("String expected in list " + fullName, item.line ? item.line : line);
                list.Add(item.text);
            }
        } catch (...) {
            list.EndUpdate();
            throw;
        }
        list.EndUpdate();
    }

    void ResolveFixups()
    {
        for (const Fixup& f : fixups_) {
            TComponent* found = LowerCaseAscii(f.name) == LowerCaseAscii(root_->Name()) ? root_ : root_->FindComponent(f.name);
            if (!found)
                throw EReadError("Component " + f.name + " referenced by " + f.property->Name + " does not exist", f.line);
            context_ = f.property->Name;
            Guard(f.line, [&] { f.property->SetObj(*f.object, found); });
        }
    }

    void AssignFields()
    {
        for (TComponent* c : loaded_) {
            if (c == root_)
                continue;
            if (const TFieldInfo* field = root_->ClassInfo().FindField(c->Name()))
                if (!field->Assign(*root_, c))
                    throw EReadError("Field " + c->Name() + " does not match class " + c->ClassName(), 0);
        }
    }

    TComponent* root_;
    Lexer lexer_;
    std::vector<TComponent*> created_;
    std::vector<TComponent*> loaded_;
    std::vector<Fixup> fixups_;
    std::string context_;
};

} // namespace

void ReadComponentText(TComponent* root, const std::string& text)
{
    if (!root)
        throw EReadError("No component to read into", 0);
    RegisterStandardClasses();
    Reader reader(root, text);
    reader.Read();
}

void ReadComponentResource(TComponent* root, const std::wstring& resourceName)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, resourceName.c_str(), MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (!resource)
        throw Exception("Resource " + WideToUtf8(resourceName) + " not found");
    HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, resource);
    if (!data)
        throw Exception("Resource " + WideToUtf8(resourceName) + " cannot be loaded");
    ReadComponentText(root, std::string(static_cast<const char*>(data), size));
}

std::wstring ResourceNameOf(const TComponent* root) { return Utf8ToWide(UpperCaseAscii(root->ClassName())); }

} // namespace ui
