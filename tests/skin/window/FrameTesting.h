#pragma once
// Shared by the frame tests: the product skin in a skin component, skinned forms and plain windows,
// and the pixels of a whole window as it shows them (read from its window DC).
#include "skin/data/WinSkinData.h"
#include "skin/window/WinSkinForm.h"
#include "ui/Forms.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace frame_testing {

// The product skin's archive, as the build packs it.
std::vector<std::uint8_t> ProductSkinArchive();

// A whole window's pixels (0x00RRGGBB), read from its window DC after its frame was painted.
struct TWindowPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
TWindowPixels ReadWindow(HWND window);
// The same without asking the window to repaint first: what is on screen now.
TWindowPixels ReadWindowAsIs(HWND window);
// How many GDI objects are alive, measured through Wine's handle slots (GetGuiResources answers 0
// under Wine); a leak moves it.
unsigned GdiProbe();
// A skin archive with solid borders of the given widths (0: the skin has no such image).
std::vector<std::uint8_t> PlainBorderSkin(int left, int top, int right, int bottom);
// The composed frame image of a frame at (x, y), as 0x00RRGGBB.
std::uint32_t FramePixel(const skin::TWinSkinForm& frame, int x, int y);
// Saves a window's pixels as build/screenshots/<name>.png (pixels outside its region transparent).
void SaveScreenshot(HWND window, const std::string& name);

// Each test starts with no manager, a main skin component with the product skin and window
// skinning installed; it ends with everything freed.
class SkinnedWindows {
public:
    SkinnedWindows();
    ~SkinnedWindows();
    skin::TSkinData& Data() { return *data_; }
    // A framework form, shown and skinned (nullptr frame when skinning failed).
    ui::TForm* ShowForm(ui::TFormBorderStyle style, int clientWidth, int clientHeight,
                        ui::TBorderIcons icons = ui::biSystemMenu | ui::biMinimize | ui::biMaximize);
    // A form whose controls `populate` makes before it is shown, so the frame classifies them as
    // it attaches.
    ui::TForm* ShowFormWith(const std::function<void(ui::TForm&)>& populate, int clientWidth, int clientHeight);
    // A plain top-level window (no framework object), shown and activated.
    HWND ShowPlainWindow(DWORD style, int width, int height, HWND owner = nullptr);
    static skin::TWinSkinForm* FrameOf(HWND window);
    // Pumps until the frame of `window` is laid out; false when it never was.
    static bool WaitSkinned(HWND window);

    // Messages the plain windows received (message, wParam).
    static std::vector<std::pair<UINT, WPARAM>> plainLog;

private:
    std::unique_ptr<skin::TSkinData> data_;
    std::vector<std::unique_ptr<ui::TForm>> forms_;
    std::vector<HWND> plain_;
};

} // namespace frame_testing
