#include "Classes.h"

#include <algorithm>
#include <cstring>

namespace ui {

void Abort() { throw EAbort(); }

bool TPersistent::ReadBinaryProperty(const std::string&, TMemoryStream&) { return false; }

void TMemoryStream::SetSize(std::size_t size)
{
    data_.resize(size);
    position_ = std::min(position_, size);
}

void TMemoryStream::Clear()
{
    data_.clear();
    position_ = 0;
}

std::size_t TMemoryStream::Read(void* buffer, std::size_t count)
{
    if (position_ >= data_.size())
        return 0;
    const std::size_t available = std::min(count, data_.size() - position_);
    std::memcpy(buffer, data_.data() + position_, available);
    position_ += available;
    return available;
}

void TMemoryStream::Write(const void* buffer, std::size_t count)
{
    if (count == 0)
        return;
    if (position_ + count > data_.size())
        data_.resize(position_ + count);
    std::memcpy(data_.data() + position_, buffer, count);
    position_ += count;
}

void TMemoryStream::CopyFrom(TMemoryStream& source, std::size_t count)
{
    const std::size_t remaining = source.position_ < source.data_.size() ? source.data_.size() - source.position_ : 0;
    if (count == 0 || count > remaining)
        count = remaining;
    Write(source.data_.data() + source.position_, count);
    source.position_ += count;
}

int TStringList::Add(const std::string& text, std::intptr_t object)
{
    items_.push_back({text, object});
    Changed();
    return Count() - 1;
}

void TStringList::Insert(int index, const std::string& text)
{
    items_.insert(items_.begin() + std::clamp(index, 0, Count()), Item{text, 0});
    Changed();
}

void TStringList::Delete(int index)
{
    if (index >= 0 && index < Count())
    {
        items_.erase(items_.begin() + index);
        Changed();
    }
}

int TStringList::IndexOf(const std::string& text) const
{
    const std::string wanted = LowerCaseAscii(text);
    for (int i = 0; i < Count(); ++i)
        if (LowerCaseAscii(items_[i].text) == wanted)
            return i;
    return -1;
}

std::string TStringList::Text() const
{
    std::string text;
    for (const Item& item : items_)
        text += item.text + "\r\n";
    return text;
}

void TStringList::SetText(const std::string& text)
{
    items_.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        items_.push_back({text.substr(start, end - start), 0});
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    Changed();
}

std::string LowerCaseAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string UpperCaseAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string Trim(const std::string& text)
{
    std::size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32)
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32)
        --last;
    return text.substr(first, last - first);
}

std::wstring Utf8ToWide(const std::string& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        char32_t code = 0xFFFD;
        std::size_t length = 1;
        if (c < 0x80) {
            code = c;
        } else if ((c >> 5) == 0x6 && i + 1 < text.size()) {
            code = ((c & 0x1F) << 6) | (text[i + 1] & 0x3F);
            length = 2;
        } else if ((c >> 4) == 0xE && i + 2 < text.size()) {
            code = ((c & 0x0F) << 12) | ((text[i + 1] & 0x3F) << 6) | (text[i + 2] & 0x3F);
            length = 3;
        } else if ((c >> 3) == 0x1E && i + 3 < text.size()) {
            code = ((c & 0x07) << 18) | ((text[i + 1] & 0x3F) << 12) | ((text[i + 2] & 0x3F) << 6) | (text[i + 3] & 0x3F);
            length = 4;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (code >> 10));
            out += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
        } else {
            out += static_cast<wchar_t>(code);
        }
        i += length;
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string WideToUtf8(const std::wstring& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = static_cast<char16_t>(text[i]);
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size()) {
            const char32_t low = static_cast<char16_t>(text[i + 1]);
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        AppendUtf8(out, code);
    }
    return out;
}

} // namespace ui
