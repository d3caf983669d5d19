// BMP files as skins carry them, and files whose headers lie about their sizes.
#include "skin/data/BmpImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::size_t at, std::uint16_t v)
{
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(Bytes& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A BMP file with a 40-byte info header; rows are laid out by the caller.
Bytes Bmp(int width, int height, int bits, const Bytes& table, const Bytes& pixels, std::uint32_t compression = 0)
{
    Bytes b(54 + table.size() + pixels.size());
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 10, static_cast<std::uint32_t>(54 + table.size()));
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(width));
    Put32(b, 22, static_cast<std::uint32_t>(height));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<std::uint16_t>(bits));
    Put32(b, 30, compression);
    Put32(b, 34, static_cast<std::uint32_t>(pixels.size()));
    if (bits <= 8)
        Put32(b, 46, static_cast<std::uint32_t>(table.size() / 4));
    std::copy(table.begin(), table.end(), b.begin() + 54);
    std::copy(pixels.begin(), pixels.end(), b.begin() + 54 + static_cast<std::ptrdiff_t>(table.size()));
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    return b;
}

skin::TBmpImage Decode(const Bytes& file)
{
    skin::TBmpImage image;
    std::string why;
    EXPECT_TRUE(skin::DecodeBmp(file.data(), file.size(), image, &why)) << why;
    return image;
}

bool Accepted(const Bytes& file)
{
    skin::TBmpInfo info;
    return skin::ReadBmpInfo(file.data(), file.size(), info);
}

// 3 x 2 at 24 bits, bottom-up: rows padded to 12 bytes.
Bytes Bmp24()
{
    const Bytes pixels = {
        // bottom row: blue, green, red
        0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0xEE, 0xEE, 0xEE,
        // top row: magenta, white, black
        0xFF, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0xEE, 0xEE, 0xEE,
    };
    return Bmp(3, 2, 24, {}, pixels);
}

TEST(BmpImage, DecodesTheFormatsSkinsUse)
{
    const skin::TBmpImage rgb = Decode(Bmp24());
    ASSERT_EQ(rgb.Width, 3);
    ASSERT_EQ(rgb.Height, 2);
    EXPECT_EQ(rgb.Pixel(0, 0), 0xFF00FFu);
    EXPECT_EQ(rgb.Pixel(1, 0), 0xFFFFFFu);
    EXPECT_EQ(rgb.Pixel(2, 0), 0x000000u);
    EXPECT_EQ(rgb.Pixel(0, 1), 0x0000FFu);
    EXPECT_EQ(rgb.Pixel(2, 1), 0xFF0000u);

    // 32 bits, top-down (negative height); the fourth byte is not colour.
    Bytes top = Bmp(2, 1, 32, {}, {0x10, 0x20, 0x30, 0x77, 0x01, 0x02, 0x03, 0x88});
    Put32(top, 22, static_cast<std::uint32_t>(-1));
    const skin::TBmpImage argb = Decode(top);
    EXPECT_EQ(argb.Pixel(0, 0), 0x302010u);
    EXPECT_EQ(argb.Pixel(1, 0), 0x030201u);

    // 8 bits with a short colour table: an index past it reads as black.
    const Bytes table = {0, 0, 0xFF, 0, 0xFF, 0, 0, 0};  // red, blue
    const skin::TBmpImage indexed = Decode(Bmp(3, 1, 8, table, {1, 0, 9, 0}));
    EXPECT_EQ(indexed.Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(indexed.Pixel(1, 0), 0xFF0000u);
    EXPECT_EQ(indexed.Pixel(2, 0), 0u);

    // 1 bit: most significant bit first.
    const Bytes mono = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0};
    const skin::TBmpImage bits = Decode(Bmp(3, 1, 1, mono, {0xA0, 0, 0, 0}));
    EXPECT_EQ(bits.Pixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(bits.Pixel(1, 0), 0u);
    EXPECT_EQ(bits.Pixel(2, 0), 0xFFFFFFu);

    // 16 bits 5-6-5 through bit fields after the 40-byte header.
    const Bytes masks = {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0};
    const skin::TBmpImage fields = Decode(Bmp(2, 1, 16, masks, {0x00, 0xF8, 0x1F, 0x00}, 3));
    EXPECT_EQ(fields.Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(fields.Pixel(1, 0), 0x0000FFu);
}

TEST(BmpImage, RefusesHeadersThatLie)
{
    const Bytes good = Bmp24();
    ASSERT_TRUE(Accepted(good));

    Bytes cut = good;
    cut.pop_back();
    Put32(cut, 2, static_cast<std::uint32_t>(cut.size()));
    EXPECT_FALSE(Accepted(cut)) << "last row one byte short";

    Bytes bigFile = good;
    Put32(bigFile, 2, static_cast<std::uint32_t>(good.size() + 1));
    EXPECT_FALSE(Accepted(bigFile)) << "file size field past the end";

    Bytes bigImage = good;
    Put32(bigImage, 34, 1000);
    EXPECT_FALSE(Accepted(bigImage)) << "image size field past the end";

    Bytes tall = good;
    Put32(tall, 22, 3);
    EXPECT_FALSE(Accepted(tall)) << "more rows than bytes";

    Bytes huge = good;
    Put32(huge, 18, 0x7FFFFFFF);
    Put32(huge, 22, 0x7FFFFFFF);
    EXPECT_FALSE(Accepted(huge)) << "dimensions whose product overflows";

    // 1-bit files are small for their pixel count; the bound is on the decoded size.
    const Bytes mono(8, 0);
    EXPECT_TRUE(Accepted(Bmp(2048, 2048, 1, mono, Bytes(256 * 2048, 0))));
    EXPECT_FALSE(Accepted(Bmp(2048, 2049, 1, mono, Bytes(256 * 2049, 0)))) << "over 4M pixels";

    Bytes lowest = good;
    Put32(lowest, 22, 0x80000000u);
    EXPECT_FALSE(Accepted(lowest)) << "height that cannot be negated";

    Bytes offset = good;
    Put32(offset, 10, 0xFFFFFFF0u);
    EXPECT_FALSE(Accepted(offset)) << "pixels past the end";

    Bytes inside = good;
    Put32(inside, 10, 20);
    EXPECT_FALSE(Accepted(inside)) << "pixels inside the header";

    Bytes header = good;
    Put32(header, 14, 0xFFFFFF00u);
    EXPECT_FALSE(Accepted(header)) << "info header size past the end";

    Bytes core = good;
    Put32(core, 14, 12);
    EXPECT_FALSE(Accepted(core)) << "old 12-byte header";

    const Bytes table(8, 0);
    Bytes palette = Bmp(3, 1, 8, table, {0, 0, 0, 0});
    Put32(palette, 46, 200);
    EXPECT_FALSE(Accepted(palette)) << "colour table past the pixels";
    Put32(palette, 46, 300);
    EXPECT_FALSE(Accepted(palette)) << "colour table larger than 8 bits allow";

    Bytes rle = Bmp(3, 1, 8, table, {0, 0, 0, 0}, 1);
    EXPECT_FALSE(Accepted(rle)) << "run-length compression";

    Bytes oddBits = good;
    Put16(oddBits, 28, 7);
    EXPECT_FALSE(Accepted(oddBits));

    Bytes noMask = Bmp(2, 1, 16, Bytes(12, 0), {0, 0, 0, 0}, 3);
    EXPECT_FALSE(Accepted(noMask)) << "empty colour mask";

    EXPECT_FALSE(Accepted(Bytes(good.begin(), good.begin() + 30))) << "header cut short";
    EXPECT_FALSE(Accepted({}));
    skin::TBmpImage image;
    image.Width = 5;
    EXPECT_FALSE(skin::DecodeBmp(cut.data(), cut.size(), image));
    EXPECT_EQ(image.Width, 0);
    EXPECT_TRUE(image.Pixels.empty());
}

} // namespace
