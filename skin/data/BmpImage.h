#pragma once
// Windows BMP files as skins carry them, checked against the bytes actually present before any
// pixel is touched: a header that claims more than the file holds is refused, never trusted.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace skin {

// Bounds for skin images; a skin strip is a few hundred pixels across, a background a screen.
// A small 1-bit file may claim many pixels, and one file may fill many skin slots, so the bound
// is on what decoding one image costs: 16 MiB at 32 bits.
constexpr int kBmpMaxDimension = 16384;
constexpr std::uint64_t kBmpMaxPixels = 1ull << 22;

struct TBmpInfo {
    int Width = 0;
    int Height = 0;              // rows, positive
    bool TopDown = false;        // first stored row is the top one
    int BitCount = 0;            // 1, 4, 8, 16, 24 or 32
    std::uint32_t Compression = 0;  // 0 uncompressed, 3 bit fields
    std::uint32_t HeaderSize = 0;   // info header: 40 up to 124
    std::uint32_t RedMask = 0, GreenMask = 0, BlueMask = 0;  // 16 and 32 bits
    std::size_t PaletteOffset = 0;
    int PaletteCount = 0;        // colours in the table (1, 4 and 8 bits)
    std::size_t PixelOffset = 0;
    std::size_t Stride = 0;      // bytes per stored row, padded to 4
};

// Validates a BMP file image: signature, an info header of 40 bytes or more, one plane, an
// uncompressed or bit-field format of 1/4/8/16/24/32 bits, sizes within the bounds above, and a
// file size field, image size field, header, masks, colour table and every pixel row that lie
// inside the `size` bytes given. On failure `why` (when given) says what was wrong.
bool ReadBmpInfo(const std::uint8_t* data, std::size_t size, TBmpInfo& info, std::string* why = nullptr);

// Decoded picture: 32-bit pixels 0x00RRGGBB, top row first.
struct TBmpImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;
    std::uint32_t Pixel(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

// Decodes what ReadBmpInfo accepts; false (image left empty) otherwise.
bool DecodeBmp(const std::uint8_t* data, std::size_t size, TBmpImage& image, std::string* why = nullptr);

} // namespace skin
