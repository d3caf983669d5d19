#include "TypInfo.h"

#include "Component.h"

#include <map>

namespace ui {

namespace {
bool SameText(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}
} // namespace

// ---- TObject ----

const TClassInfo& TObject::StaticClassInfo()
{
    static const TClassInfo info = [] {
        TClassInfo i;
        i.Name = "TObject";
        return i;
    }();
    return info;
}

const std::string& TObject::ClassName() const { return ClassInfo().Name; }

bool TObject::InheritsFrom(const std::string& className) const { return ClassInfo().InheritsFrom(className); }

bool TObject::ClassNameIs(const std::string& className) const { return SameText(ClassName(), className); }

const TClassInfo& TPersistent::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TPersistent, TObject>("TPersistent").Build();
    return info;
}

const TClassInfo& TStringList::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TStringList, TPersistent>("TStringList").Build();
    return info;
}

// ---- enumerations and identifiers ----

int TEnumInfo::ValueOf(const std::string& name) const
{
    for (std::size_t i = 0; i < Names.size(); ++i)
        if (SameText(Names[i], name))
            return static_cast<int>(i);
    return -1;
}

std::string TEnumInfo::NameOf(long long value) const
{
    if (value < 0 || value >= static_cast<long long>(Names.size()))
        return {};
    return Names[static_cast<std::size_t>(value)];
}

const TEnumInfo& BooleanEnum()
{
    static const TEnumInfo info{"Boolean", {"False", "True"}};
    return info;
}

bool TIdentMap::ToInt(const std::string& ident, long long& value) const
{
    for (const auto& [name, v] : Entries)
        if (SameText(name, ident)) {
            value = v;
            return true;
        }
    return false;
}

bool TIdentMap::ToIdent(long long value, std::string& ident) const
{
    for (const auto& [name, v] : Entries)
        if (v == value) {
            ident = name;
            return true;
        }
    return false;
}

// ---- TClassInfo ----

bool TClassInfo::InheritsFrom(const std::string& className) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (SameText(c->Name, className))
            return true;
    return false;
}

const TPropInfo* TClassInfo::FindProperty(const std::string& name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TPropInfo& p : c->Properties)
            if (SameText(p.Name, name))
                return &p;
    return nullptr;
}

const THandlerInfo* TClassInfo::FindHandler(const std::string& name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const THandlerInfo& h : c->Handlers)
            if (SameText(h.Name, name))
                return &h;
    return nullptr;
}

const TFieldInfo* TClassInfo::FindField(const std::string& name) const
{
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TFieldInfo& f : c->Fields)
            if (SameText(f.Name, name))
                return &f;
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::AllProperties() const
{
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->Parent)
        chain.insert(chain.begin(), c);
    std::vector<const TPropInfo*> all;
    for (const TClassInfo* c : chain)
        for (const TPropInfo& p : c->Properties) {
            bool overridden = false;
            for (const TPropInfo*& existing : all)
                if (SameText(existing->Name, p.Name)) {
                    existing = &p;
                    overridden = true;
                }
            if (!overridden)
                all.push_back(&p);
        }
    return all;
}

// ---- by-name access ----

const TPropInfo* GetPropInfo(const TObject* object, const std::string& name)
{
    return object ? object->ClassInfo().FindProperty(name) : nullptr;
}

bool IsPublishedProp(const TObject* object, const std::string& name) { return GetPropInfo(object, name) != nullptr; }

TTypeKind PropType(const TObject* object, const std::string& name)
{
    const TPropInfo* p = GetPropInfo(object, name);
    return p ? p->Kind : tkUnknown;
}

namespace {
const TPropInfo& Require(const TObject* object, const std::string& name)
{
    if (!object)
        throw EPropertyError("No object for property " + name);
    const TPropInfo* p = GetPropInfo(object, name);
    if (!p)
        throw EPropertyError("Property " + name + " does not exist in " + object->ClassName());
    return *p;
}

EPropertyError WrongKind(const TPropInfo& p) { return EPropertyError("Property " + p.Name + " is not of that kind"); }
} // namespace

long long GetOrdProp(TObject* object, const std::string& name)
{
    const TPropInfo& p = Require(object, name);
    if (!p.GetOrd)
        throw WrongKind(p);
    return p.GetOrd(*object);
}

void SetOrdProp(TObject* object, const std::string& name, long long value)
{
    const TPropInfo& p = Require(object, name);
    if (!p.SetOrd)
        throw WrongKind(p);
    p.SetOrd(*object, value);
}

std::string GetEnumProp(TObject* object, const std::string& name)
{
    const TPropInfo& p = Require(object, name);
    if (p.Kind != tkEnumeration || !p.Enum)
        throw WrongKind(p);
    return p.Enum->NameOf(p.GetOrd(*object));
}

void SetEnumProp(TObject* object, const std::string& name, const std::string& value)
{
    const TPropInfo& p = Require(object, name);
    if (p.Kind != tkEnumeration || !p.Enum)
        throw WrongKind(p);
    const int ordinal = p.Enum->ValueOf(value);
    if (ordinal < 0)
        throw EPropertyError("Invalid property value " + value + " for " + p.Name);
    p.SetOrd(*object, ordinal);
}

std::string GetSetProp(TObject* object, const std::string& name)
{
    const TPropInfo& p = Require(object, name);
    if (p.Kind != tkSet || !p.Enum)
        throw WrongKind(p);
    const long long bits = p.GetOrd(*object);
    std::string text = "[";
    for (std::size_t i = 0; i < p.Enum->Names.size() && i < 64; ++i)
        if (bits & (1LL << i)) {
            if (text.size() > 1)
                text += ",";
            text += p.Enum->Names[i];
        }
    return text + "]";
}

void SetSetProp(TObject* object, const std::string& name, const std::string& value)
{
    const TPropInfo& p = Require(object, name);
    if (p.Kind != tkSet || !p.Enum)
        throw WrongKind(p);
    long long bits = 0;
    std::string item;
    auto flush = [&] {
        const std::string element = Trim(item);
        item.clear();
        if (element.empty())
            return;
        const int ordinal = p.Enum->ValueOf(element);
        if (ordinal < 0)
            throw EPropertyError("Invalid set element " + element + " for " + p.Name);
        bits |= 1LL << ordinal;
    };
    for (char c : value) {
        if (c == '[' || c == ']')
            continue;
        if (c == ',')
            flush();
        else
            item += c;
    }
    flush();
    p.SetOrd(*object, bits);
}

std::string GetStrProp(TObject* object, const std::string& name)
{
    const TPropInfo& p = Require(object, name);
    if (p.GetStr)
        return p.GetStr(*object);
    if (p.GetWStr)
        return WideToUtf8(p.GetWStr(*object));
    throw WrongKind(p);
}

void SetStrProp(TObject* object, const std::string& name, const std::string& value)
{
    const TPropInfo& p = Require(object, name);
    if (p.SetStr)
        p.SetStr(*object, value);
    else if (p.SetWStr)
        p.SetWStr(*object, Utf8ToWide(value));
    else
        throw WrongKind(p);
}

std::wstring GetWideStrProp(TObject* object, const std::string& name)
{
    const TPropInfo& p = Require(object, name);
    if (p.GetWStr)
        return p.GetWStr(*object);
    if (p.GetStr)
        return Utf8ToWide(p.GetStr(*object));
    throw WrongKind(p);
}

void SetWideStrProp(TObject* object, const std::string& name, const std::wstring& value)
{
    const TPropInfo& p = Require(object, name);
    if (p.SetWStr)
        p.SetWStr(*object, value);
    else if (p.SetStr)
        p.SetStr(*object, WideToUtf8(value));
    else
        throw WrongKind(p);
}

TObject* GetObjectProp(TObject* object, const std::string& name, const std::string& minClass)
{
    const TPropInfo& p = Require(object, name);
    if (p.Kind != tkClass || !p.GetObj)
        throw WrongKind(p);
    TObject* value = p.GetObj(*object);
    if (value && !minClass.empty() && !value->InheritsFrom(minClass))
        return nullptr;
    return value;
}

void SetObjectProp(TObject* object, const std::string& name, TObject* value)
{
    const TPropInfo& p = Require(object, name);
    if (p.Kind != tkClass)
        throw WrongKind(p);
    if (!p.SetObj)
        throw EPropertyError("Property " + p.Name + " is read-only");
    p.SetObj(*object, value);
}

void SetMethodProp(TObject* object, const std::string& name, TObject* target, const std::string& handler)
{
    const TPropInfo& p = Require(object, name);
    if (p.Kind != tkMethod)
        throw WrongKind(p);
    if (!target)
        throw EPropertyError("No object holds handler " + handler);
    const THandlerInfo* h = target->ClassInfo().FindHandler(handler);
    if (!h)
        throw EPropertyError("Handler " + handler + " does not exist in " + target->ClassName());
    if (h->EventType != p.EventType)
        throw EPropertyError("Handler " + handler + " does not fit event " + p.Name);
    p.SetMethod(*object, h->Bind(*target));
}

bool HasMethodProp(TObject* object, const std::string& name)
{
    const TPropInfo& p = Require(object, name);
    if (p.Kind != tkMethod)
        throw WrongKind(p);
    return p.HasMethod(*object);
}

// ---- registry ----

namespace {
std::map<std::string, const TClassInfo*>& Registry()
{
    static std::map<std::string, const TClassInfo*> registry;
    return registry;
}
} // namespace

void RegisterComponentClass(const TClassInfo& info) { Registry()[LowerCaseAscii(info.Name)] = &info; }

const TClassInfo* FindClass(const std::string& name)
{
    auto it = Registry().find(LowerCaseAscii(name));
    return it == Registry().end() ? nullptr : it->second;
}

} // namespace ui
