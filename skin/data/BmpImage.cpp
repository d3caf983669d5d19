#include "BmpImage.h"

#include <bit>

namespace skin {

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitFields = 3;
constexpr std::size_t kFileHeaderSize = 14;

std::uint32_t U32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
           | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

bool Fail(std::string* why, const char* text)
{
    if (why)
        *why = text;
    return false;
}

// A mask's component scaled to 8 bits.
struct TChannel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit TChannel(std::uint32_t m) : mask(m)
    {
        if (m) {
            shift = std::countr_zero(m);
            bits = std::popcount(m);
        }
    }

    std::uint32_t Get(std::uint32_t value) const
    {
        if (!bits)
            return 0;
        std::uint32_t v = (value & mask) >> shift;
        if (bits >= 8)
            return v >> (bits - 8);
        // Scale so that full intensity stays 255.
        const std::uint32_t max = (1u << bits) - 1;
        return (v * 255 + max / 2) / max;
    }
};

bool ContiguousMask(std::uint32_t mask)
{
    if (mask == 0)
        return false;
    const std::uint32_t shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0;
}

} // namespace

bool ReadBmpInfo(const std::uint8_t* data, std::size_t size, TBmpInfo& info, std::string* why)
{
    info = {};
    if (!data || size < kFileHeaderSize + 40)
        return Fail(why, "shorter than a BMP header");
    if (data[0] != 'B' || data[1] != 'M')
        return Fail(why, "not a BMP file");
    const std::uint32_t fileSize = U32(data + 2);
    if (fileSize != 0 && fileSize > size)
        return Fail(why, "the header claims more bytes than the file holds");
    const std::uint32_t pixelOffset = U32(data + 10);
    const std::uint8_t* h = data + kFileHeaderSize;
    const std::uint32_t headerSize = U32(h);
    if (headerSize < 40 || headerSize > 124)
        return Fail(why, "unsupported info header size");
    if (kFileHeaderSize + headerSize > size)
        return Fail(why, "the info header runs past the end of the file");
    const std::int32_t width = static_cast<std::int32_t>(U32(h + 4));
    const std::int32_t height = static_cast<std::int32_t>(U32(h + 8));
    const std::uint16_t planes = U16(h + 12);
    const std::uint16_t bitCount = U16(h + 14);
    const std::uint32_t compression = U32(h + 16);
    const std::uint32_t imageSize = U32(h + 20);
    const std::uint32_t colorsUsed = U32(h + 32);

    if (width <= 0 || width > kBmpMaxDimension || height == 0 || height < -kBmpMaxDimension
        || height > kBmpMaxDimension)
        return Fail(why, "image dimensions out of range");
    const int rows = height < 0 ? -height : height;
    if (static_cast<std::uint64_t>(width) * rows > kBmpMaxPixels)
        return Fail(why, "image too large");
    if (planes != 1)
        return Fail(why, "plane count is not 1");
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return Fail(why, "unsupported bit count");
    if (compression != kBiRgb && !(compression == kBiBitFields && (bitCount == 16 || bitCount == 32)))
        return Fail(why, "unsupported compression");

    std::size_t tableOffset = kFileHeaderSize + headerSize;
    std::uint32_t masks[3] = {0, 0, 0};
    if (compression == kBiBitFields) {
        // Masks follow a 40-byte header, or sit inside a longer one.
        const std::size_t maskOffset = headerSize >= 52 ? kFileHeaderSize + 40 : tableOffset;
        if (maskOffset + 12 > size)
            return Fail(why, "the colour masks run past the end of the file");
        for (int i = 0; i < 3; ++i)
            masks[i] = U32(data + maskOffset + 4 * i);
        if (headerSize < 52)
            tableOffset += 12;
        for (std::uint32_t mask : masks)
            if (!ContiguousMask(mask))
                return Fail(why, "invalid colour mask");
    } else if (bitCount == 16) {
        masks[0] = 0x7C00; masks[1] = 0x03E0; masks[2] = 0x001F;
    } else if (bitCount == 32) {
        masks[0] = 0xFF0000; masks[1] = 0xFF00; masks[2] = 0xFF;
    }

    int paletteCount = 0;
    if (bitCount <= 8) {
        const std::uint32_t maxColours = 1u << bitCount;
        if (colorsUsed > maxColours)
            return Fail(why, "colour table larger than the bit count allows");
        paletteCount = static_cast<int>(colorsUsed ? colorsUsed : maxColours);
    }
    const std::uint64_t tableEnd = tableOffset + 4ull * paletteCount;
    if (tableEnd > size)
        return Fail(why, "the colour table runs past the end of the file");
    if (pixelOffset < tableEnd)
        return Fail(why, "the pixels start inside the headers");

    const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bitCount + 31) / 32) * 4;
    const std::uint64_t pixelBytes = stride * rows;
    if (pixelOffset > size || pixelBytes > size - pixelOffset)
        return Fail(why, "the pixel rows run past the end of the file");
    if (imageSize > size - pixelOffset)
        return Fail(why, "the header claims a larger image than the file holds");

    info.Width = width;
    info.Height = rows;
    info.TopDown = height < 0;
    info.BitCount = bitCount;
    info.Compression = compression;
    info.HeaderSize = headerSize;
    info.RedMask = masks[0];
    info.GreenMask = masks[1];
    info.BlueMask = masks[2];
    info.PaletteOffset = tableOffset;
    info.PaletteCount = paletteCount;
    info.PixelOffset = pixelOffset;
    info.Stride = static_cast<std::size_t>(stride);
    return true;
}

bool DecodeBmp(const std::uint8_t* data, std::size_t size, TBmpImage& image, std::string* why)
{
    image = {};
    TBmpInfo info;
    if (!ReadBmpInfo(data, size, info, why))
        return false;
    std::uint32_t palette[256] = {};
    for (int i = 0; i < info.PaletteCount; ++i) {
        const std::uint8_t* p = data + info.PaletteOffset + 4 * i;
        palette[i] = static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[0];
    }
    const TChannel red(info.RedMask), green(info.GreenMask), blue(info.BlueMask);

    image.Width = info.Width;
    image.Height = info.Height;
    image.Pixels.resize(static_cast<std::size_t>(info.Width) * info.Height);
    for (int y = 0; y < info.Height; ++y) {
        const int stored = info.TopDown ? y : info.Height - 1 - y;
        const std::uint8_t* row = data + info.PixelOffset + static_cast<std::size_t>(stored) * info.Stride;
        std::uint32_t* out = image.Pixels.data() + static_cast<std::size_t>(y) * info.Width;
        for (int x = 0; x < info.Width; ++x) {
            std::uint32_t pixel = 0;
            switch (info.BitCount) {
            case 1:
            case 4:
            case 8: {
                const int perByte = 8 / info.BitCount;
                const int shift = (perByte - 1 - x % perByte) * info.BitCount;
                const unsigned index = (row[x / perByte] >> shift) & ((1u << info.BitCount) - 1);
                // An index past a short colour table reads as black.
                pixel = static_cast<int>(index) < info.PaletteCount ? palette[index] : 0;
                break;
            }
            case 16: {
                const std::uint32_t v = U16(row + 2 * x);
                pixel = red.Get(v) << 16 | green.Get(v) << 8 | blue.Get(v);
                break;
            }
            case 24:
                pixel = static_cast<std::uint32_t>(row[3 * x + 2]) << 16 | static_cast<std::uint32_t>(row[3 * x + 1]) << 8
                        | row[3 * x];
                break;
            case 32: {
                const std::uint32_t v = U32(row + 4 * x);
                pixel = red.Get(v) << 16 | green.Get(v) << 8 | blue.Get(v);
                break;
            }
            }
            out[x] = pixel;
        }
    }
    return true;
}

} // namespace skin
