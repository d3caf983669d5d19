// The skinned controls' cost: full repaints per second of the main window (frame, panels, edits,
// combo box and buttons) with the skin on, against the same window with the skin off, in one run.
// Usage: control_paint_bench
#include "app/ReprocessaSequencial.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/WinSkinForm.h"
#include "ui/FormReader.h"
#include "ui/Forms.h"

#include "BenchClock.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

using bench::PumpUntil;
using bench::Seconds;

bool Skinned(HWND window)
{
    skin::TWinSkinForm* frame = skin::TWinSkinForm::Find(window);
    return frame && frame->Status == skin::fsAttached;
}

// Whole-window repaints (frame and every child) per second, each painted before the next.
double RepaintsPerSecond(HWND window, int count)
{
    const UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;
    const double start = Seconds();
    for (int i = 0; i < count; ++i)
        RedrawWindow(window, nullptr, nullptr, flags);
    return count / (Seconds() - start);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    ui::Application.Initialize();
    auto form = std::make_unique<TReprocessaSequencial>(nullptr);
    ui::ReadComponentResource(form.get(), ui::ResourceNameOf(form.get()));
    form->Show();
    HWND window = form->Handle();
    if (!form->SkinData1 || !PumpUntil([window] { return Skinned(window); })) {
        std::printf("the main window was not skinned\n");
        return 1;
    }
    constexpr int repaints = 500;
    RepaintsPerSecond(window, 20);
    const double skinned = RepaintsPerSecond(window, repaints);
    const std::size_t objects = skin::TWinSkinForm::Find(window)->Controls.size();

    form->SkinData1->SetActive(false);
    PumpUntil([window] { return !Skinned(window); });
    const double settled = Seconds() + 0.5;
    PumpUntil([settled] { return Seconds() > settled; });
    RepaintsPerSecond(window, 20);
    const double plain = RepaintsPerSecond(window, repaints);

    std::printf("Full repaints of the main window (%d each, %zu skinned controls):\n", repaints, objects);
    std::printf("  skin off  %8.0f /s  (reference)\n", plain);
    std::printf("  skinned   %8.0f /s  time per repaint %.2f x the unskinned window\n", skinned, plain / skinned);
    form.reset();
    return 0;
}
