#include "TestSkins.h"

#include <cstdio>

namespace test_skins {

namespace {

void Put16(std::vector<std::uint8_t>& out, unsigned value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

} // namespace

std::vector<std::uint8_t> MakeBmp(int width, int height, const TPixelColour& colour, int bits, bool topDown)
{
    const int bytes = bits / 8;
    const std::size_t stride = (static_cast<std::size_t>(width) * bytes + 3) / 4 * 4;
    const std::size_t pixels = stride * height;
    std::vector<std::uint8_t> out;
    out.reserve(54 + pixels);
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<std::uint32_t>(54 + pixels));
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(topDown ? -height : height));
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(bits));
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(pixels));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        std::size_t written = 0;
        for (int x = 0; x < width; ++x) {
            const ui::TColor c = colour(x, y);
            out.push_back(static_cast<std::uint8_t>(c >> 16));
            out.push_back(static_cast<std::uint8_t>(c >> 8));
            out.push_back(static_cast<std::uint8_t>(c));
            if (bytes == 4)
                out.push_back(0);
            written += bytes;
        }
        for (; written < stride; ++written)
            out.push_back(0);
    }
    return out;
}

std::vector<std::uint8_t> MakeBmp(int width, int height, ui::TColor colour)
{
    return MakeBmp(width, height, [colour](int, int) { return colour; });
}

TTestSkin& TTestSkin::Add(const std::string& name, std::vector<std::uint8_t> body)
{
    Files.push_back({name, std::move(body)});
    return *this;
}

TTestSkin& TTestSkin::Bmp(const std::string& name, int width, int height, ui::TColor colour)
{
    return Add(name, MakeBmp(width, height, colour));
}

std::vector<std::uint8_t> TTestSkin::Container() const
{
    std::vector<skin::TSkinArchiveEntry> entries;
    entries.push_back({"skin.ini", std::vector<std::uint8_t>(Ini.begin(), Ini.end())});
    entries.insert(entries.end(), Files.begin(), Files.end());
    return skin::BuildSkinContainer(entries);
}

std::vector<std::uint8_t> TTestSkin::Stored() const
{
    return StoredOf(Container());
}

std::vector<std::uint8_t> StoredOf(const std::vector<std::uint8_t>& container)
{
    return skin::PackStoredStream(container);
}

std::string SkinStreamHex(const std::vector<std::uint8_t>& stored)
{
    std::vector<std::uint8_t> block;
    Put32(block, static_cast<std::uint32_t>(stored.size()));
    block.insert(block.end(), stored.begin(), stored.end());
    std::string hex;
    char digits[3];
    for (std::size_t i = 0; i < block.size(); ++i) {
        std::snprintf(digits, sizeof(digits), "%02X", block[i]);
        hex += digits;
        if (i % 32 == 31)
            hex += "\n      ";
    }
    return hex;
}

} // namespace test_skins
