// The skinned menus' cost: a drop-down menu of 30 items opened from the skinned menu bar, drawn and
// closed, against the same menu opened on the same window with the skin off, in one run. A menu
// counts as open once its loop goes idle (everything drawn); it is closed at that moment.
// Usage: menu_open_bench
#include "app/ReprocessaSequencial.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/WinSkinForm.h"
#include "ui/FormReader.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

#include "BenchClock.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace {

using bench::PumpUntil;
using bench::Seconds;

skin::TWinSkinForm* FrameOf(HWND window)
{
    skin::TWinSkinForm* frame = skin::TWinSkinForm::Find(window);
    return frame && frame->Status == skin::fsAttached ? frame : nullptr;
}

// Milliseconds per opening, over `count` openings made by `open`.
double MillisecondsPerOpening(const std::function<void()>& open, int count)
{
    const double start = Seconds();
    for (int i = 0; i < count; ++i) {
        open();
        ui::Application.ProcessMessages();
    }
    return (Seconds() - start) * 1000.0 / count;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    ui::Application.Initialize();
    auto form = std::make_unique<TReprocessaSequencial>(nullptr);
    ui::ReadComponentResource(form.get(), ui::ResourceNameOf(form.get()));

    auto* menu = new ui::TMainMenu(form.get());
    auto* list = new ui::TMenuItem(form.get());
    list->SetCaption(L"&List");
    menu->Items()->Add(list);
    for (int i = 1; i <= 30; ++i) {
        auto* item = new ui::TMenuItem(form.get());
        item->SetCaption(i % 10 == 0 ? L"-" : L"Item &" + std::to_wstring(i));
        if (i % 7 == 0)
            item->SetShortCut(ui::TextToShortCut(L"Ctrl+F" + std::to_wstring(i / 7)));
        item->SetChecked(i % 5 == 0);
        list->Add(item);
    }
    form->SetMenu(menu);

    // The menu closes as soon as its loop has nothing left to do: everything is drawn.
    ui::TWndMethod previous = form->WindowProc;
    form->WindowProc = [&previous](ui::TMessage& message) {
        if (message.Msg == WM_ENTERIDLE && message.WParam == MSGF_MENU)
            EndMenu();
        previous(message);
    };

    form->Show();
    HWND window = form->Handle();
    if (!form->SkinData1 || !PumpUntil([window] { return FrameOf(window) != nullptr; })) {
        std::printf("the main window was not skinned\n");
        return 1;
    }
    constexpr int openings = 200;
    skin::TWinSkinForm* frame = FrameOf(window);
    const auto openSkinned = [frame] { frame->SkinMenu->OpenMenu(*frame->SkinMenu->Buttons.at(0)); };
    MillisecondsPerOpening(openSkinned, 10);
    const double skinned = MillisecondsPerOpening(openSkinned, openings);

    form->SkinData1->SetActive(false);
    PumpUntil([window] { return FrameOf(window) == nullptr && GetMenu(window) != nullptr; });
    const double settled = Seconds() + 0.5;
    PumpUntil([settled] { return Seconds() > settled; });
    const auto openPlain = [window, list] {
        RECT r{};
        GetWindowRect(window, &r);
        TrackPopupMenu(list->Handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, r.left + 8, r.top + 48, 0, window, nullptr);
    };
    MillisecondsPerOpening(openPlain, 10);
    const double plain = MillisecondsPerOpening(openPlain, openings);

    std::printf("Opening a drop-down menu of 30 items (%d openings each, drawn and closed):\n", openings);
    std::printf("  skin off  %7.2f ms per opening  (reference)\n", plain);
    std::printf("  skinned   %7.2f ms per opening  %.2f x the unskinned menu\n", skinned, skinned / plain);
    form->WindowProc = previous;
    form.reset();
    return 0;
}
