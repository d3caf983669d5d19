#pragma once
// Platform-free basics shared by every layer: exceptions, memory streams and string lists.
// Kept free of Windows headers so that the skin data parsers built on them also build natively.
#include <cstddef>
#include <cstdint>
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
class TStringList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& operator[](int index) const { return items_.at(index).text; }
    void Set(int index, const std::string& text) { items_.at(index).text = text; }
    std::intptr_t Object(int index) const { return items_.at(index).object; }
    void SetObject(int index, std::intptr_t object) { items_.at(index).object = object; }

    int Add(const std::string& text, std::intptr_t object = 0);
    void Insert(int index, const std::string& text);
    void Delete(int index);
    void Clear() { items_.clear(); }
    // Index of the first string equal to `text`, ignoring ASCII letter case; -1 when absent.
    int IndexOf(const std::string& text) const;
    void Assign(const TStringList& other) { items_ = other.items_; }

    // The lines joined with CR LF, and replaced from a text split at CR, LF or CR LF.
    std::string Text() const;
    void SetText(const std::string& text);

    // Update batching; callers pair them. Nothing is notified here, so they only count.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate() { --updateCount_; }

private:
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

} // namespace ui
