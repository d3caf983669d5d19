#pragma once
// The skin archive index: expands a stored skin stream and hands out its files by name.
//
// Stored stream: uint32 expanded length, then an LZH bit stream. Expanded container: uint32
// version (20000), uint32 L, two reserved uint32, L bytes of names (one per line, CR LF),
// one uint32 size per name, then the bodies back to back.
#include "ui/Classes.h"

#include <cstdint>
#include <string>

namespace skin {

// Shown when a container carries another version. The core knows no windowing: the skin component
// installs a handler that shows the modal information box; by default nothing is shown.
extern const char* const kOlderSkinMessage;  // "This is Older Skin File\rPlease update to new version !"
using TSkinMessageHandler = void (*)(const std::string& text);
// Installs the handler (nullptr: silent) and returns the previous one.
TSkinMessageHandler SetOlderSkinHandler(TSkinMessageHandler handler);
TSkinMessageHandler OlderSkinHandler();

struct TSkinArchiveHeader {
    std::uint32_t Version = 0;
    std::uint32_t NameListLength = 0;
    std::uint32_t Reserved1 = 0;
    std::uint32_t Reserved2 = 0;
};

class TSkinReader {
public:
    static constexpr int MaxEntries = 1001;
    // Largest expanded container accepted. The skin kept on the main form expands to ~250 KB;
    // 64 MiB leaves room for skins hundreds of times larger while keeping a damaged or hostile
    // length field (up to 4 GiB, produced from a few bytes by the zero-fill rule) from taking
    // the memory and time it names.
    static constexpr std::uint32_t MaxExpandedSize = 64u << 20;

    ui::TStringList Names;           // lower-cased, archive order
    int Count = 0;
    std::uint32_t Sizes[MaxEntries] = {};
    ui::TMemoryStream Bodies;        // the body region
    TSkinArchiveHeader Header;

    // Bound applied by LoadArchive (MaxExpandedSize unless lowered, e.g. by the fuzz target).
    std::uint32_t ExpandLimit = MaxExpandedSize;
    // Why the last LoadArchive refused the archive (empty after success); for tools and logs.
    std::string Damage;
    // Whether the last LoadArchive's stream ended before its declared length, zeros standing in
    // for the rest (the archive may still load; its files are then damaged). For tools.
    bool StreamEndedEarly = false;

    // Expands `stored` and indexes the container. False, with no entries kept, for a container of
    // another version (after the older-skin message) and for a damaged archive: a stream shorter
    // than its length field, a length over ExpandLimit, a name list or size table running past the
    // container, more than 1001 names, or sizes running past the bodies. A stream that merely ends
    // early is expanded with zeros and then judged by these checks.
    bool LoadArchive(ui::TMemoryStream& stored);

    // Exact name, ignoring ASCII case. Target is cleared; on a hit it holds the file at position 0.
    bool GetFile(const std::string& name, ui::TMemoryStream& target) const;
    // First entry whose lower-cased name contains `pattern` (compared as given). Target is cleared;
    // on a hit it holds the file at position 0 and `foundName` gets the entry's name, otherwise
    // `foundName` is left alone.
    bool FindFile(const std::string& pattern, ui::TMemoryStream& target, std::string& foundName) const;

private:
    bool Refuse(const std::string& why);
    void CopyEntry(int index, ui::TMemoryStream& target) const;
};

} // namespace skin
