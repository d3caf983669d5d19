#include "QuickIni.h"

#include <cstdint>

namespace skin {

namespace {

bool IsHeader(const std::string& line)
{
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether the trimmed, lower-cased text before `equals` is `wanted` (already lower-case); in
// place, since lookups run a few hundred times over every line of a section.
bool KeyIs(const std::string& line, std::size_t equals, const std::string& wanted)
{
    std::size_t first = 0, last = equals;
    while (first < last && static_cast<unsigned char>(line[first]) <= 32)
        ++first;
    while (last > first && static_cast<unsigned char>(line[last - 1]) <= 32)
        --last;
    if (last - first != wanted.size())
        return false;
    for (std::size_t i = 0; i < wanted.size(); ++i)
        if (LowerAscii(line[first + i]) != wanted[i])
            return false;
    return true;
}

} // namespace

void TQuickIni::LoadFromStream(ui::TMemoryStream* stream)
{
    if (!stream)
        return;
    std::string text;
    if (stream->Position() < stream->Size()) {
        text.resize(stream->Size() - stream->Position());
        stream->Read(text.data(), text.size());
    }
    LoadFromText(text);
}

void TQuickIni::LoadFromText(const std::string& text)
{
    Lines.BeginUpdate();
    Sections.BeginUpdate();
    Lines.Clear();
    Sections.Clear();
    const std::size_t size = text.size();
    std::size_t pos = 0;
    while (pos < size && text[pos] != '\0' && Lines.Count() < MaxLines) {
        const std::size_t start = pos;
        while (pos < size && text[pos] != '\r' && text[pos] != '\n' && text[pos] != '\0')
            ++pos;
        const std::string line = ui::Trim(text.substr(start, pos - start));
        // One CR then one LF: CR LF is one break, LF CR or CR CR are two.
        if (pos < size && text[pos] == '\r')
            ++pos;
        if (pos < size && text[pos] == '\n')
            ++pos;
        if (line.empty() || line[0] == ';')
            continue;
        const int index = Lines.Add(line);
        if (IsHeader(line))
            Sections.Add(line, index);
    }
    Sections.EndUpdate();
    Lines.EndUpdate();
}

int TQuickIni::FindSection(const std::string& section) const
{
    const int found = Sections.IndexOf("[" + section + "]");
    return found < 0 ? -1 : static_cast<int>(Sections.Object(found));
}

std::string TQuickIni::ReadString(const std::string& section, const std::string& key, const std::string& def) const
{
    if (Lines.Count() == 0)
        return def;
    const int header = FindSection(section);
    if (header < 0)
        return def;
    const std::string wanted = ui::LowerCaseAscii(key);
    for (int i = header + 1; i < Lines.Count(); ++i) {
        const std::string& line = Lines[i];
        if (IsHeader(line))
            break;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        if (!KeyIs(line, equals, wanted))
            continue;
        // The first entry decides, even when its value is empty.
        const std::string value = ui::Trim(line.substr(equals + 1));
        return value.empty() ? def : value;
    }
    return def;
}

bool TryStrToInt(const std::string& text, int& value)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i >= n)
        return false;

    bool hex = false;
    if (text[i] == '$' || text[i] == 'x' || text[i] == 'X') {
        hex = true;
        ++i;
    } else if (text[i] == '0' && i + 1 < n && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n)
        return false;

    std::uint64_t magnitude = 0;
    if (hex) {
        // One to eight digits; eight wrap into the signed range.
        if (n - i > 8)
            return false;
        for (; i < n; ++i) {
            const int digit = HexDigit(text[i]);
            if (digit < 0)
                return false;
            magnitude = magnitude * 16 + static_cast<unsigned>(digit);
        }
        std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
        if (negative)
            bits = 0u - bits;
        value = static_cast<int>(bits);
        return true;
    }
    for (; i < n; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        magnitude = magnitude * 10 + static_cast<unsigned>(text[i] - '0');
        if (magnitude > 2147483648ull)
            return false;
    }
    if (!negative && magnitude > 2147483647ull)
        return false;
    value = negative ? static_cast<int>(-static_cast<std::int64_t>(magnitude)) : static_cast<int>(magnitude);
    return true;
}

int TQuickIni::ReadInteger(const std::string& section, const std::string& key, int def) const
{
    std::string text = ReadString(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.replace(0, 2, "$");
    int value = 0;
    return TryStrToInt(text, value) ? value : def;
}

void TQuickIni::ReadSections(ui::TStringList& target) const
{
    target.Clear();
    for (int i = 0; i < Sections.Count(); ++i) {
        std::string name = ui::Trim(Sections[i]);
        name = name.size() >= 2 ? name.substr(1, name.size() - 2) : std::string();
        target.Add(ui::Trim(name));
    }
}

} // namespace skin
