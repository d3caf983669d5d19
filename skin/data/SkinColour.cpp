#include "SkinColour.h"

#include "ui/Classes.h"

namespace skin {

std::int32_t ParseColour(const std::string& text)
{
    const std::string trimmed = ui::Trim(text);
    unsigned components[3] = {0, 0, 0};
    int count = 0;
    bool inRun = false;
    unsigned run = 0;  // the number modulo 256: only that survives
    for (char c : trimmed) {
        if (c >= '0' && c <= '9') {
            run = (run * 10 + static_cast<unsigned>(c - '0')) & 0xFF;
            inRun = true;
        } else if (inRun) {
            if (count < 3)
                components[count] = run;
            ++count;
            run = 0;
            inRun = false;
        }
    }
    if (inRun && count == 2)
        components[2] = run;
    return static_cast<std::int32_t>(components[0] | (components[1] << 8) | (components[2] << 16));
}

} // namespace skin
