#pragma once
// The LZHUF encoder matching TLZH: same window (4096, writing from 4036 over a space-filled
// window), same match lengths (3..60), same adaptive Huffman model with its rebuild, and the
// position prefix code that d_code/d_len decode. Used by the skin packer and the tests.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace skin {

struct TLzhEncodeOptions {
    // Candidates examined per position; more finds longer matches, slower.
    int MaxChain = 256;
    // Sends only literals (tests use it to drive the model without matches).
    bool LiteralsOnly = false;
};

// Encodes `size` bytes into an LZHUF bit stream (without the 4-byte length that a stored skin
// stream puts in front). Expanding it with TLZH::Expand(size) gives the bytes back exactly.
std::vector<std::uint8_t> LzhEncode(const std::uint8_t* data, std::size_t size,
                                    const TLzhEncodeOptions& options = {});

} // namespace skin
