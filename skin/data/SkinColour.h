#pragma once
// Colours in skin definitions: three decimal numbers R G B.
#include <cstdint>
#include <string>

namespace skin {

// R + G*256 + B*65536, each component modulo 256 (same layout as ui::TColor's direct colours).
// Runs of digits are the components, anything else separates them. A number still open at the
// end of the text counts only as the third (so "255 255" is pure red and "1 2 3 4" is 1 2 3);
// numbers after the third are ignored. Missing components are 0.
std::int32_t ParseColour(const std::string& text);

} // namespace skin
