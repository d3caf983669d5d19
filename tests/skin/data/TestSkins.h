#pragma once
// Small skins packed in the tests: BMP files drawn from a colour function, a definition text, and
// the stored stream (expanded size + LZH bits) the skin component keeps.
#include "skin/data/SkinArchiveWriter.h"
#include "ui/Classes.h"
#include "ui/Graphics.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace test_skins {

using TPixelColour = std::function<ui::TColor(int x, int y)>;

// An uncompressed BMP file of 24 (or 32) bits per pixel, rows stored bottom-up (or top-down).
std::vector<std::uint8_t> MakeBmp(int width, int height, const TPixelColour& colour, int bits = 24,
                                  bool topDown = false);
std::vector<std::uint8_t> MakeBmp(int width, int height, ui::TColor colour);

struct TTestSkin {
    std::string Ini;
    std::vector<skin::TSkinArchiveEntry> Files;

    TTestSkin& Add(const std::string& name, std::vector<std::uint8_t> body);
    TTestSkin& Bmp(const std::string& name, int width, int height, ui::TColor colour = 0x808080);
    // The expanded container, with the definition first (as "skin.ini").
    std::vector<std::uint8_t> Container() const;
    // The stored stream of the container.
    std::vector<std::uint8_t> Stored() const;
};

// The stored stream of an arbitrary container (a damaged one, say).
std::vector<std::uint8_t> StoredOf(const std::vector<std::uint8_t>& container);

// The form description's hex block of a SkinStream property: 4-byte length, then the bytes.
std::string SkinStreamHex(const std::vector<std::uint8_t>& stored);

} // namespace test_skins
