#include "SkinReader.h"

#include "Lzh.h"

#include <algorithm>
#include <cstring>

namespace skin {

const char* const kOlderSkinMessage = "This is Older Skin File\rPlease update to new version !";

namespace {

TSkinMessageHandler g_olderSkinHandler = nullptr;

std::uint32_t UInt32At(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
           | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Lines of a text split at CR, LF or CR LF, a final break adding none (as TStringList::SetText).
std::size_t CountLines(const char* text, std::size_t size)
{
    std::size_t lines = 0;
    std::size_t i = 0;
    while (i < size) {
        while (i < size && text[i] != '\r' && text[i] != '\n')
            ++i;
        ++lines;
        if (i < size && text[i] == '\r' && i + 1 < size && text[i + 1] == '\n')
            ++i;
        ++i;
    }
    return lines;
}

} // namespace

TSkinMessageHandler SetOlderSkinHandler(TSkinMessageHandler handler)
{
    TSkinMessageHandler previous = g_olderSkinHandler;
    g_olderSkinHandler = handler;
    return previous;
}

TSkinMessageHandler OlderSkinHandler() { return g_olderSkinHandler; }

bool TSkinReader::Refuse(const std::string& why)
{
    Names.Clear();
    Count = 0;
    std::memset(Sizes, 0, sizeof(Sizes));
    Bodies.Clear();
    Damage = why;
    return false;
}

bool TSkinReader::LoadArchive(ui::TMemoryStream& stored)
{
    Refuse("");
    Header = {};
    StreamEndedEarly = false;

    // Expand: the 4-byte length, then the bit stream into a working stream.
    stored.SetPosition(0);
    if (stored.Size() < 4)
        return Refuse("the skin stream is shorter than its length field");
    const std::uint32_t expandedSize = UInt32At(stored.Memory());
    if (expandedSize > ExpandLimit)
        return Refuse("the skin stream claims " + std::to_string(expandedSize) + " expanded bytes, over the limit of "
                      + std::to_string(ExpandLimit));
    stored.SetPosition(4);
    ui::TMemoryStream work;
    TLZH decoder(&stored, &work);
    decoder.Expand(expandedSize);
    StreamEndedEarly = decoder.InputEndedEarly();
    const std::uint8_t* container = work.Memory();
    const std::size_t size = work.Size();

    // Header; a container too short for it reads as zeros and so fails the version test.
    std::uint8_t header[16] = {};
    if (size > 0)
        std::memcpy(header, container, std::min<std::size_t>(size, sizeof(header)));
    Header.Version = UInt32At(header);
    Header.NameListLength = UInt32At(header + 4);
    Header.Reserved1 = UInt32At(header + 8);
    Header.Reserved2 = UInt32At(header + 12);
    if (Header.Version != 20000) {
        if (g_olderSkinHandler)
            g_olderSkinHandler(kOlderSkinMessage);
        return Refuse("the container is version " + std::to_string(Header.Version) + ", not 20000");
    }
    if (size < sizeof(header))
        return Refuse("the container is shorter than its header");

    const std::uint64_t nameList = Header.NameListLength;
    if (nameList > size - sizeof(header))
        return Refuse("the name list runs past the end of the container");
    // Count the names before splitting: a list of bare line breaks would otherwise become
    // millions of strings.
    const char* names = reinterpret_cast<const char*>(container) + 16;
    const std::size_t lines = CountLines(names, static_cast<std::size_t>(nameList));
    if (lines > static_cast<std::size_t>(MaxEntries))
        return Refuse("the archive names " + std::to_string(lines) + " files; at most 1001 fit");
    Names.SetText(ui::LowerCaseAscii(std::string(names, static_cast<std::size_t>(nameList))));
    const std::uint64_t bodyStart = 16 + nameList + 4ull * Names.Count();
    if (bodyStart > size)
        return Refuse("the size table runs past the end of the container");
    std::uint64_t total = 0;
    for (int i = 0; i < Names.Count(); ++i) {
        Sizes[i] = UInt32At(container + 16 + nameList + 4ull * i);
        total += Sizes[i];
    }
    if (total > size - bodyStart)
        return Refuse("the file sizes run past the end of the container");

    Count = Names.Count();
    Bodies.Write(container + bodyStart, size - bodyStart);
    Bodies.SetPosition(0);
    return true;
}

void TSkinReader::CopyEntry(int index, ui::TMemoryStream& target) const
{
    std::size_t offset = 0;
    for (int i = 0; i < index; ++i)
        offset += Sizes[i];
    target.Write(Bodies.Memory() + offset, Sizes[index]);
    target.SetPosition(0);
}

bool TSkinReader::GetFile(const std::string& name, ui::TMemoryStream& target) const
{
    target.Clear();
    const std::string wanted = ui::LowerCaseAscii(name);
    for (int i = 0; i < Count; ++i) {
        if (Names[i] == wanted) {
            CopyEntry(i, target);
            return true;
        }
    }
    return false;
}

bool TSkinReader::FindFile(const std::string& pattern, ui::TMemoryStream& target, std::string& foundName) const
{
    target.Clear();
    for (int i = 0; i < Count; ++i) {
        if (Names[i].find(pattern) != std::string::npos) {
            CopyEntry(i, target);
            foundName = Names[i];
            return true;
        }
    }
    return false;
}

} // namespace skin
