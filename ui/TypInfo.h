#pragma once
// Run-time class information: class names, "is a" tests, published properties read and written by
// name, handler methods and fields a form description refers to, and the class registry the form
// reader creates components from. Platform-free.
//
// A class declares itself with UI_CLASS(TMyClass) in its body and defines StaticClassInfo() with a
// TClassBuilder, which inherits the parent's table:
//
//   const ui::TClassInfo& TMyPanel::StaticClassInfo()
//   {
//       static const ui::TClassInfo info = ui::TClassBuilder<TMyPanel, ui::TPanel>("TMyPanel")
//           .Int("Margin", &TMyPanel::Margin, &TMyPanel::SetMargin)
//           .Bool("Transparent", &TMyPanel::Transparent, &TMyPanel::SetTransparent)
//           .Build();
//       return info;
//   }
#include "Classes.h"

#include <any>
#include <functional>
#include <string>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <vector>

namespace ui {

class TComponent;

enum TTypeKind { tkUnknown, tkInteger, tkEnumeration, tkSet, tkString, tkWString, tkClass, tkMethod };

// The value names of an enumeration in ordinal order; for a set type, the names of its elements
// (element n is bit n of the set's value).
struct TEnumInfo {
    std::string Name;
    std::vector<std::string> Names;
    // Ordinal of a name (letter case ignored), -1 when absent.
    int ValueOf(const std::string& name) const;
    // Name of an ordinal, empty when out of range.
    std::string NameOf(long long value) const;
};

// Boolean is an enumeration (False, True).
const TEnumInfo& BooleanEnum();

// Identifiers an integer property also accepts and shows (colour names, character sets).
struct TIdentMap {
    std::vector<std::pair<std::string, long long>> Entries;
    bool ToInt(const std::string& ident, long long& value) const;
    bool ToIdent(long long value, std::string& ident) const;
};

struct TPropInfo {
    std::string Name;
    TTypeKind Kind = tkUnknown;
    const TEnumInfo* Enum = nullptr;     // tkEnumeration values, tkSet elements
    const TIdentMap* Idents = nullptr;   // tkInteger: identifiers accepted in place of numbers
    std::string ClassName;               // tkClass: the declared class of the object
    std::type_index EventType = typeid(void); // tkMethod: the std::function type of the event
    std::function<long long(TObject&)> GetOrd;               // tkInteger, tkEnumeration, tkSet
    std::function<void(TObject&, long long)> SetOrd;
    std::function<std::string(TObject&)> GetStr;             // tkString (UTF-8)
    std::function<void(TObject&, const std::string&)> SetStr;
    std::function<std::wstring(TObject&)> GetWStr;           // tkWString
    std::function<void(TObject&, const std::wstring&)> SetWStr;
    std::function<TObject*(TObject&)> GetObj;                // tkClass: the owned sub-object
    std::function<void(TObject&, TObject*)> SetObj;          // tkClass: assigns (copies) into it
    std::function<void(TObject&, const std::any&)> SetMethod; // tkMethod: the handler, an EventType
    std::function<bool(TObject&)> HasMethod;                 // tkMethod: a handler is assigned
};

// A handler method of a class (a form's btnSairClick), bound to an instance when wired by name.
struct THandlerInfo {
    std::string Name;
    std::type_index EventType = typeid(void);
    std::function<std::any(TObject&)> Bind;
};

// A field of a class (a form's btnSair) that the form reader points at the component of that name.
struct TFieldInfo {
    std::string Name;
    // Stores the component; false when it is not of the field's class.
    std::function<bool(TObject& self, TComponent* component)> Assign;
};

struct TClassInfo {
    std::string Name;
    const TClassInfo* Parent = nullptr;
    // Makes an instance for the form reader; empty for classes it cannot create.
    std::function<TComponent*(TComponent* owner)> Create;
    std::vector<TPropInfo> Properties; // this class's own, in declaration order
    std::vector<THandlerInfo> Handlers;
    std::vector<TFieldInfo> Fields;

    bool InheritsFrom(const std::string& className) const;
    // Looked up in this class, then its parents; letter case ignored. nullptr when absent.
    const TPropInfo* FindProperty(const std::string& name) const;
    const THandlerInfo* FindHandler(const std::string& name) const;
    const TFieldInfo* FindField(const std::string& name) const;
    // Every published property, the root class's first.
    std::vector<const TPropInfo*> AllProperties() const;
};

#define UI_CLASS(Class)                                                                            \
public:                                                                                            \
    static const ::ui::TClassInfo& StaticClassInfo();                                              \
    const ::ui::TClassInfo& ClassInfo() const override { return Class::StaticClassInfo(); }

// Builds the class information of C, a subclass of P. Getters and setters are anything
// std::invoke accepts with a C& (member functions, member data, lambdas).
template <class C, class P>
class TClassBuilder {
public:
    explicit TClassBuilder(std::string name)
    {
        info_.Name = std::move(name);
        info_.Parent = &P::StaticClassInfo();
        if constexpr (std::is_constructible_v<C, TComponent*> && !std::is_abstract_v<C>)
            info_.Create = [](TComponent* owner) -> TComponent* { return new C(owner); };
    }

    // Marks the class as one the reader may not create (abstract bases, forms made by the program).
    TClassBuilder& NotCreatable() { info_.Create = nullptr; return *this; }

    template <class G, class S>
    TClassBuilder& Int(const std::string& name, G get, S set, const TIdentMap* idents = nullptr)
    {
        TPropInfo p = Make(name, tkInteger);
        p.Idents = idents;
        p.GetOrd = [get](TObject& o) { return static_cast<long long>(std::invoke(get, Self(o))); };
        p.SetOrd = [set](TObject& o, long long v) { std::invoke(set, Self(o), static_cast<int>(v)); };
        return Add(std::move(p));
    }

    template <class G, class S>
    TClassBuilder& Bool(const std::string& name, G get, S set)
    {
        TPropInfo p = Make(name, tkEnumeration);
        p.Enum = &BooleanEnum();
        p.GetOrd = [get](TObject& o) { return static_cast<long long>(std::invoke(get, Self(o)) ? 1 : 0); };
        p.SetOrd = [set](TObject& o, long long v) { std::invoke(set, Self(o), v != 0); };
        return Add(std::move(p));
    }

    // An enumeration property; E is the C++ enumeration whose ordinals follow `type`'s names.
    template <class E, class G, class S>
    TClassBuilder& Enum(const std::string& name, const TEnumInfo& type, G get, S set)
    {
        TPropInfo p = Make(name, tkEnumeration);
        p.Enum = &type;
        p.GetOrd = [get](TObject& o) { return static_cast<long long>(std::invoke(get, Self(o))); };
        p.SetOrd = [set](TObject& o, long long v) { std::invoke(set, Self(o), static_cast<E>(v)); };
        return Add(std::move(p));
    }

    // A set property held as bits (element n of `elements` is bit n).
    template <class G, class S>
    TClassBuilder& Set(const std::string& name, const TEnumInfo& elements, G get, S set)
    {
        TPropInfo p = Make(name, tkSet);
        p.Enum = &elements;
        p.GetOrd = [get](TObject& o) { return static_cast<long long>(std::invoke(get, Self(o))); };
        p.SetOrd = [set](TObject& o, long long v) { std::invoke(set, Self(o), static_cast<unsigned>(v)); };
        return Add(std::move(p));
    }

    template <class G, class S>
    TClassBuilder& Str(const std::string& name, G get, S set)
    {
        TPropInfo p = Make(name, tkString);
        p.GetStr = [get](TObject& o) { return std::string(std::invoke(get, Self(o))); };
        p.SetStr = [set](TObject& o, const std::string& v) { std::invoke(set, Self(o), v); };
        return Add(std::move(p));
    }

    template <class G, class S>
    TClassBuilder& WStr(const std::string& name, G get, S set)
    {
        TPropInfo p = Make(name, tkWString);
        p.GetWStr = [get](TObject& o) { return std::wstring(std::invoke(get, Self(o))); };
        p.SetWStr = [set](TObject& o, const std::wstring& v) { std::invoke(set, Self(o), v); };
        return Add(std::move(p));
    }

    // An object property; `get` returns a pointer or a reference to the sub-object, which the
    // reader edits in place (Font.Style = ...) and SetObjectProp assigns to.
    template <class T, class G>
    TClassBuilder& Object(const std::string& name, G get)
    {
        TPropInfo p = Make(name, tkClass);
        p.ClassName = T::StaticClassInfo().Name;
        p.GetObj = [get](TObject& o) -> TObject* { return AsPointer(std::invoke(get, Self(o))); };
        return Add(std::move(p));
    }

    // An object property with a setter (a reference to another component, say).
    template <class T, class G, class S>
    TClassBuilder& Object(const std::string& name, G get, S set)
    {
        Object<T>(name, get);
        info_.Properties.back().SetObj = [set](TObject& o, TObject* v) {
            std::invoke(set, Self(o), dynamic_cast<T*>(v));
        };
        return *this;
    }

    // An event property held in a std::function member (TNotifyEvent C::*OnClick).
    template <class F>
    TClassBuilder& Event(const std::string& name, F C::*member)
    {
        TPropInfo p = Make(name, tkMethod);
        p.EventType = typeid(F);
        p.SetMethod = [member](TObject& o, const std::any& handler) { Self(o).*member = std::any_cast<F>(handler); };
        p.HasMethod = [member](TObject& o) { return static_cast<bool>(Self(o).*member); };
        return Add(std::move(p));
    }

    // A handler method that a form description wires by name (OnClick = btnSairClick).
    template <class... A>
    TClassBuilder& Handler(const std::string& name, void (C::*method)(A...))
    {
        THandlerInfo h;
        h.Name = name;
        h.EventType = typeid(std::function<void(A...)>);
        h.Bind = [method](TObject& o) -> std::any {
            C* self = &Self(o);
            return std::function<void(A...)>([self, method](A... args) { (self->*method)(std::forward<A>(args)...); });
        };
        info_.Handlers.push_back(std::move(h));
        return *this;
    }

    // A field pointed at the component of the same name once the description has been read.
    template <class T>
    TClassBuilder& Field(const std::string& name, T* C::*member)
    {
        TFieldInfo f;
        f.Name = name;
        f.Assign = [member](TObject& o, TComponent* component) {
            T* typed = dynamic_cast<T*>(component);
            if (!typed)
                return false;
            Self(o).*member = typed;
            return true;
        };
        info_.Fields.push_back(std::move(f));
        return *this;
    }

    TClassInfo Build() { return std::move(info_); }

private:
    static C& Self(TObject& o) { return static_cast<C&>(o); }
    template <class T>
    static TObject* AsPointer(T* p) { return p; }
    template <class T>
    static TObject* AsPointer(T& r) { return &r; }
    static TPropInfo Make(const std::string& name, TTypeKind kind)
    {
        TPropInfo p;
        p.Name = name;
        p.Kind = kind;
        return p;
    }
    TClassBuilder& Add(TPropInfo p)
    {
        info_.Properties.push_back(std::move(p));
        return *this;
    }

    TClassInfo info_;
};

// Raised by the by-name accessors for a property the object does not publish, or a value the
// property cannot take.
class EPropertyError : public Exception {
public:
    using Exception::Exception;
};

// By-name access to published properties. GetPropInfo and IsPublishedProp never raise; the other
// functions raise EPropertyError for a missing property or a wrong kind.
const TPropInfo* GetPropInfo(const TObject* object, const std::string& name);
bool IsPublishedProp(const TObject* object, const std::string& name);
TTypeKind PropType(const TObject* object, const std::string& name);

long long GetOrdProp(TObject* object, const std::string& name);
void SetOrdProp(TObject* object, const std::string& name, long long value);
// The identifier of an enumeration value ("True", "blGlyphLeft").
std::string GetEnumProp(TObject* object, const std::string& name);
void SetEnumProp(TObject* object, const std::string& name, const std::string& value);
// A set as its element names, e.g. "[fsBold,fsItalic]".
std::string GetSetProp(TObject* object, const std::string& name);
void SetSetProp(TObject* object, const std::string& name, const std::string& value);
// Text of a string property; a wide string property is converted (UTF-8).
std::string GetStrProp(TObject* object, const std::string& name);
void SetStrProp(TObject* object, const std::string& name, const std::string& value);
// Text of a wide string property; a string property is converted from UTF-8.
std::wstring GetWideStrProp(TObject* object, const std::string& name);
void SetWideStrProp(TObject* object, const std::string& name, const std::wstring& value);
// The object of an object property; nullptr when it is not of `minClass` (when given).
TObject* GetObjectProp(TObject* object, const std::string& name, const std::string& minClass = "");
void SetObjectProp(TObject* object, const std::string& name, TObject* value);
// Wires an event property to the handler method `handler` of `target`'s class.
void SetMethodProp(TObject* object, const std::string& name, TObject* target, const std::string& handler);
bool HasMethodProp(TObject* object, const std::string& name);

// Class registry of the form reader (not "RegisterClass": windows.h takes that name). The
// framework's own classes are registered by
// RegisterStandardClasses (Forms.h); others register theirs before a description names them.
void RegisterComponentClass(const TClassInfo& info);
template <class C>
void RegisterComponentClass() { RegisterComponentClass(C::StaticClassInfo()); }
// nullptr when no class of that name is registered (letter case ignored).
const TClassInfo* FindClass(const std::string& name);

} // namespace ui
