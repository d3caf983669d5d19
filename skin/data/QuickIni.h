#pragma once
// The skin definition reader: an INI text held in memory, read-only lookups.
#include "ui/Classes.h"

#include <string>

namespace skin {

class TQuickIni {
public:
    // Lines kept at most; the rest of a longer text is ignored. Real definitions hold about a
    // thousand; the bound keeps a hostile one from taking memory and lookup time without end.
    static constexpr int MaxLines = 100000;

    ui::TStringList Lines;     // kept lines, trimmed, in text order (headers included)
    ui::TStringList Sections;  // header lines as kept, each with its index in Lines as object

    // Replaces the content with the text from the stream's position to its end (up to a NUL byte).
    // A null stream leaves the reader as it is.
    void LoadFromStream(ui::TMemoryStream* stream);
    // Same, from text (what LoadFromStream does with the bytes it read).
    void LoadFromText(const std::string& text);

    // Value of the first entry `key` in the first section `section`; `def` when absent or empty.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    // The value as a 32-bit integer (decimal, or hexadecimal after $, x or 0x); `def` otherwise.
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    // Section names in text order, brackets and blanks removed, duplicates kept.
    void ReadSections(ui::TStringList& target) const;
    // Index in Lines of the first header "[section]" (any letter case), or -1.
    int FindSection(const std::string& section) const;
};

// The integer conversion ReadInteger applies; false for anything but a whole 32-bit number.
bool TryStrToInt(const std::string& text, int& value);

} // namespace skin
