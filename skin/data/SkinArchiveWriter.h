#pragma once
// Writes skin archives: the container (version 20000, name list, size table, bodies) and the
// stored stream (4-byte expanded length + LZH bit stream) that TSkinReader::LoadArchive reads.
#include "LzhEncoder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace skin {

struct TSkinArchiveEntry {
    std::string Name;  // plain file name, no directory; no CR or LF
    std::vector<std::uint8_t> Body;
};

constexpr std::uint32_t kSkinArchiveVersion = 20000;
constexpr int kSkinArchiveMaxEntries = 1001;

// The expanded container. Raises ui::Exception for an entry the format cannot hold (a name with a
// line break or empty, more than 1001 entries, a body over 4 GiB).
std::vector<std::uint8_t> BuildSkinContainer(const std::vector<TSkinArchiveEntry>& entries);

// The stored stream of a container, or of raw bytes.
std::vector<std::uint8_t> PackStoredStream(const std::vector<std::uint8_t>& container,
                                           const TLzhEncodeOptions& options = {});

// Both steps: what a skin file holds.
std::vector<std::uint8_t> BuildSkinArchive(const std::vector<TSkinArchiveEntry>& entries,
                                           const TLzhEncodeOptions& options = {});

} // namespace skin
