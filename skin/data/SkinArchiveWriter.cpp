#include "SkinArchiveWriter.h"

#include "ui/Classes.h"

#include <limits>

namespace skin {

namespace {

void PutUInt32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

} // namespace

std::vector<std::uint8_t> BuildSkinContainer(const std::vector<TSkinArchiveEntry>& entries)
{
    if (entries.size() > static_cast<std::size_t>(kSkinArchiveMaxEntries))
        throw ui::Exception("A skin archive holds at most 1001 files, not " + std::to_string(entries.size()));
    std::string names;
    for (const TSkinArchiveEntry& entry : entries) {
        if (entry.Name.empty())
            throw ui::Exception("A skin archive entry needs a name");
        if (entry.Name.find_first_of("\r\n") != std::string::npos)
            throw ui::Exception("A skin archive name cannot hold a line break: " + entry.Name);
        if (entry.Body.size() > std::numeric_limits<std::uint32_t>::max())
            throw ui::Exception("File too large for a skin archive: " + entry.Name);
        names += entry.Name;
        names += "\r\n";
    }
    std::vector<std::uint8_t> out;
    PutUInt32(out, kSkinArchiveVersion);
    PutUInt32(out, static_cast<std::uint32_t>(names.size()));
    PutUInt32(out, 0);  // reserved
    PutUInt32(out, 0);  // reserved
    out.insert(out.end(), names.begin(), names.end());
    for (const TSkinArchiveEntry& entry : entries)
        PutUInt32(out, static_cast<std::uint32_t>(entry.Body.size()));
    for (const TSkinArchiveEntry& entry : entries)
        out.insert(out.end(), entry.Body.begin(), entry.Body.end());
    return out;
}

std::vector<std::uint8_t> PackStoredStream(const std::vector<std::uint8_t>& container, const TLzhEncodeOptions& options)
{
    if (container.size() > std::numeric_limits<std::uint32_t>::max())
        throw ui::Exception("Container too large for a skin archive");
    std::vector<std::uint8_t> out;
    PutUInt32(out, static_cast<std::uint32_t>(container.size()));
    const std::vector<std::uint8_t> bits = LzhEncode(container.data(), container.size(), options);
    out.insert(out.end(), bits.begin(), bits.end());
    return out;
}

std::vector<std::uint8_t> BuildSkinArchive(const std::vector<TSkinArchiveEntry>& entries, const TLzhEncodeOptions& options)
{
    return PackStoredStream(BuildSkinContainer(entries), options);
}

} // namespace skin
