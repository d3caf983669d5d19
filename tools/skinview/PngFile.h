#pragma once
// Writes 8-bit RGBA pictures as PNG files.
#include <cstdint>
#include <string>
#include <vector>

namespace skinview {

// Width x Height pixels, rows top-down, 4 bytes each: red, green, blue, alpha.
struct TRgbaPicture {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Pixels;
};

// False when the file cannot be written.
bool WritePng(const std::wstring& path, const TRgbaPicture& picture);

} // namespace skinview
