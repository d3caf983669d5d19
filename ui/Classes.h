#pragma once
// Platform-free basics shared by every layer: exceptions, memory streams and string lists.
// Kept free of Windows headers so that the skin data parsers built on them also build natively.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace ui {

// Base of the program's exceptions; the message is UTF-8 text.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// The silent stop: ends a handler without a message; the application's handler swallows it.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

// Raises the silent stop.
[[noreturn]] void Abort();

// Raised by the framework for a call that is not allowed in the current state.
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

struct TClassInfo;

// Root of the classes that carry a class name and a published-property table (see TypInfo.h).
// Each class with a name of its own declares it with UI_CLASS.
class TObject {
public:
    virtual ~TObject() = default;
    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }
    // The class name, e.g. "TBitBtn".
    const std::string& ClassName() const;
    // Whether this object's class is, or derives from, the named class (letter case ignored).
    bool InheritsFrom(const std::string& className) const;
    bool ClassNameIs(const std::string& className) const;
};

// An object that can be read from a form description. A binary block ({ hex }) stored for a
// property the class does not publish is offered here (the stream holds the block's bytes, at
// position 0); return false when the name is unknown.
class TPersistent : public TObject {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    virtual bool ReadBinaryProperty(const std::string& name, class TMemoryStream& stream);
};

// A growable in-memory byte stream with a current position.
class TMemoryStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<std::uint8_t> bytes) : data_(std::move(bytes)) {}

    std::size_t Size() const { return data_.size(); }
    void SetSize(std::size_t size);
    std::size_t Position() const { return position_; }
    void SetPosition(std::size_t position) { position_ = position; }
    void Clear();

    // Reads up to `count` bytes from the position; returns how many were read.
    std::size_t Read(void* buffer, std::size_t count);
    // Writes at the position, growing the stream as needed.
    void Write(const void* buffer, std::size_t count);
    // Copies `count` bytes (all remaining when 0) from `source`'s position into this stream.
    void CopyFrom(TMemoryStream& source, std::size_t count);

    const std::uint8_t* Memory() const { return data_.data(); }
    std::uint8_t* Memory() { return data_.data(); }
    const std::vector<std::uint8_t>& Bytes() const { return data_; }

private:
    std::vector<std::uint8_t> data_;
    std::size_t position_ = 0;
};

// An ordered list of strings, each with an attached integer-sized object (an index, a pointer).
// OnChange runs after every change made outside BeginUpdate/EndUpdate (and once at the final
// EndUpdate), so a control can mirror the list in its window.
class TStringList : public TPersistent {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return TStringList::StaticClassInfo(); }
    TStringList() = default;
    TStringList(const TStringList& other) : TPersistent(), items_(other.items_) {}
    TStringList& operator=(const TStringList& other) { Assign(other); return *this; }

    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& operator[](int index) const { return items_.at(index).text; }
    void Set(int index, const std::string& text) { items_.at(index).text = text; Changed(); }
    std::intptr_t Object(int index) const { return items_.at(index).object; }
    void SetObject(int index, std::intptr_t object) { items_.at(index).object = object; }

    int Add(const std::string& text, std::intptr_t object = 0);
    void Insert(int index, const std::string& text);
    void Delete(int index);
    void Clear() { items_.clear(); Changed(); }
    // Index of the first string equal to `text`, ignoring ASCII letter case; -1 when absent.
    int IndexOf(const std::string& text) const;
    void Assign(const TStringList& other) { if (&other != this) items_ = other.items_; Changed(); }

    // The lines joined with CR LF, and replaced from a text split at CR, LF or CR LF.
    std::string Text() const;
    void SetText(const std::string& text);

    // Update batching; callers pair them. OnChange runs once when the outermost batch ends.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate() { if (--updateCount_ == 0) Changed(); }

    std::function<void()> OnChange;

private:
    void Changed() { if (updateCount_ == 0 && OnChange) OnChange(); }
    struct Item {
        std::string text;
        std::intptr_t object = 0;
    };
    std::vector<Item> items_;
    int updateCount_ = 0;
};

// ASCII-only case mapping, as the skin formats require.
std::string LowerCaseAscii(std::string text);
std::string UpperCaseAscii(std::string text);
// Trims spaces and control characters (code <= 32) at both ends.
std::string Trim(const std::string& text);

// UTF-8 <-> UTF-16 conversions for text crossing from std::string to the wide window functions.
std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
// Appends one code point to UTF-8 text.
void AppendUtf8(std::string& out, char32_t code);

} // namespace ui
