// The skinned scroll bars' cost: a memo of 10,000 lines scrolled from top to bottom one line at a
// time through its scroll bar's requests, every step painted (the memo and, skinned, its bars'
// overlays), against the same memo with the skin off, in one run.
// Usage: memo_scroll_bench
#include "app/ReprocessaSequencial.h"
#include "skin/controls/WinSubClass.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/WinSkinForm.h"
#include "ui/FormReader.h"
#include "ui/Forms.h"
#include "ui/Memos.h"

#include "BenchClock.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

using bench::PumpUntil;
using bench::Seconds;

bool Skinned(HWND window)
{
    skin::TWinSkinForm* frame = skin::TWinSkinForm::Find(window);
    return frame && frame->Status == skin::fsAttached;
}

// Paints what the scroll changed: the memo, then whatever lies over it (the overlays).
void PaintStep(HWND memo)
{
    UpdateWindow(memo);
    for (HWND w = GetWindow(memo, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
        UpdateWindow(w);
}

// Seconds for one pass from the first line toward the last, one line per step, at most `limit`
// steps; `steps` tells how many were taken.
double ScrollThrough(ui::TMemo& memo, int limit, int& steps)
{
    const HWND window = memo.Handle();
    memo.SetTopLine(0);
    PaintStep(window);
    ui::Application.ProcessMessages();
    const double start = Seconds();
    steps = 0;
    for (int last = -1; memo.TopLine() != last && steps < limit; ++steps) {
        last = memo.TopLine();
        SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
        PaintStep(window);
    }
    const double elapsed = Seconds() - start;
    ui::Application.ProcessMessages();
    return steps > 0 ? elapsed : 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    ui::Application.Initialize();
    auto form = std::make_unique<TReprocessaSequencial>(nullptr);
    ui::ReadComponentResource(form.get(), ui::ResourceNameOf(form.get()));

    constexpr int lines = 10000;
    auto* memo = new ui::TMemo(form.get());
    memo->SetParent(form.get());
    memo->SetBounds(8, 8, 320, 200);
    memo->SetScrollBars(ui::TScrollStyle::ssVertical);
    std::wstring text;
    for (int i = 0; i < lines; ++i)
        text += L"Line " + std::to_wstring(i + 1) + L" of the memo\r\n";
    memo->SetText(text);
    memo->BringToFront();

    form->Show();
    HWND window = form->Handle();
    if (!form->SkinData1 || !PumpUntil([window] { return Skinned(window); })) {
        std::printf("the main window was not skinned\n");
        return 1;
    }
    auto* bars = dynamic_cast<skin::TSkinScrollbar*>(skin::TWinSkinForm::Find(window)->FindControlObject(memo));
    if (!bars || !bars->VertBar || !bars->VertBar->BarVisible) {
        std::printf("the memo's scroll bar was not skinned\n");
        return 1;
    }
    int steps = 0, plainSteps = 0;
    ScrollThrough(*memo, 200, steps);
    const double skinned = ScrollThrough(*memo, lines, steps);

    form->SkinData1->SetActive(false);
    PumpUntil([window] { return !Skinned(window); });
    const double settled = Seconds() + 0.5;
    PumpUntil([settled] { return Seconds() > settled; });
    ScrollThrough(*memo, 200, plainSteps);
    const double plain = ScrollThrough(*memo, lines, plainSteps);
    if (steps <= 0 || plainSteps != steps || plain <= 0) {
        std::printf("the two passes differ (%d and %d steps)\n", steps, plainSteps);
        return 1;
    }

    std::printf("Scrolling a %d-line memo to its end one line at a time (%d painted steps each):\n", lines, steps);
    std::printf("  skin off  %8.1f ms per pass  %6.1f us per line  (reference)\n", plain * 1000, plain * 1e6 / steps);
    std::printf("  skinned   %8.1f ms per pass  %6.1f us per line  %.2f x the unskinned memo\n", skinned * 1000,
                skinned * 1e6 / steps, skinned / plain);
    form.reset();
    return 0;
}
