// SkinView: shows a skin on real windows for the skin's author.
//
//   SkinView.exe [skin] [--screenshot DIR]
//
// `skin` is a skin archive (.skn) or a skin folder (its definition .ini and .bmp files); without
// it the product skin linked into the program shows: a sizeable window with a menu bar and a
// context menu, a dialog, a window of every control kind in its states, a window of the scrolling and bar controls, and (from the Window
// menu) an MDI window with children. The windows are skinned by the skin manager as any program's
// are: a skin data component on the main window, the manager's hook skinning each window when it
// is first activated. With --screenshot the viewer saves pictures of the windows in
// DIR, prints their paths and ends.
#include "ControlsWindow.h"
#include "DialogWindow.h"
#include "MdiWindow.h"
#include "Screenshots.h"
#include "ScrollingWindow.h"
#include "SizeableWindow.h"
#include "ViewerOptions.h"
#include "ViewerSkin.h"

#include "skin/data/SkinReader.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/WinSkinForm.h"
#include "ui/Forms.h"

#include <windows.h>

#include <cstdio>
#include <memory>

using namespace skinview;

namespace {

void PrintLine(std::FILE* stream, const std::wstring& text)
{
    std::fprintf(stream, "%s\n", ui::WideToUtf8(text).c_str());
    std::fflush(stream);
}

// Without a person to answer a box, an outdated archive is reported on standard error.
void ReportOlderSkin(const std::string& text)
{
    std::string line = text;
    for (char& c : line)
        if (c == '\r' || c == '\n')
            c = ' ';
    std::fprintf(stderr, "SkinView: %s\n", line.c_str());
}

void ReportFailure(const std::string& text, bool screenshot)
{
    if (screenshot) {
        std::fprintf(stderr, "SkinView: %s\n", text.c_str());
        return;
    }
    MessageBoxW(nullptr, ui::Utf8ToWide(text).c_str(), L"SkinView", MB_OK | MB_ICONERROR);
}

// The skin data component as a form description would give it to the main window: the main
// form's skin, active, loaded, then Loaded, which hands it to the skin manager.
TViewerSkin AddSkinData(TSizeableWindow& owner, const std::wstring& path)
{
    auto* data = new skin::TSkinData(&owner);
    data->SetLoadingState(true);
    data->SetSkinFormtype(skin::sfMainform);
    data->SetActive(true);
    TViewerSkin loaded = LoadViewerSkin(*data, path);
    data->SetLoadingState(false);
    data->Loaded();
    return loaded;
}

int RunViewer(const TViewerOptions& options)
{
    if (options.Screenshot)
        skin::SetOlderSkinHandler(&ReportOlderSkin);
    // Before any window exists: the manager's hook then gives every window the skinned frame.
    skin::UseWindowSkinning();
    ui::Application.Initialize();

    auto sizeable = std::make_unique<TSizeableWindow>(nullptr);
    TViewerSkin loaded;
    try {
        loaded = AddSkinData(*sizeable, options.SkinPath);
    } catch (const ESkinLoadError& e) {
        ReportFailure(e.what(), options.Screenshot);
        return 2;
    }
    sizeable->ShowSkin(loaded);
    ui::Application.SetMainForm(sizeable.get());
    auto dialog = std::make_unique<TDialogWindow>(nullptr);
    auto controls = std::make_unique<TControlsWindow>(nullptr);
    auto scrolling = std::make_unique<TScrollingWindow>(nullptr);
    // Hidden until the Window menu opens it.
    auto mdi = std::make_unique<TMdiWindow>(nullptr);
    TMenuCommands commands;
    commands.ShowMdi = [&mdi] { mdi->Open(); };
    commands.CascadeMdi = [&mdi] {
        mdi->Open();
        mdi->Cascade();
    };
    commands.TileMdi = [&mdi] {
        mdi->Open();
        mdi->Tile();
    };
    sizeable->BuildMenus(commands);

    sizeable->Show();
    controls->Show();
    scrolling->Show();
    scrolling->ScrollMemoToMiddle();
    dialog->Show();
    int result = 0;
    if (options.Screenshot) {
        TControlWindows shown;
        shown.Window = controls->Handle();
        shown.HotButton = controls->EnabledButton->Handle();
        shown.PressedButton = controls->GlyphLeftButton->Handle();
        shown.MessageButton = controls->MessageButton->Handle();
        shown.Scrolling = scrolling->Handle();
        TMenuWindows menus;
        menus.ContextMenu = sizeable->ContextMenu;
        menus.Mdi = mdi.get();
        result = TakeScreenshots(sizeable->Handle(), dialog->Handle(), shown, menus, options.ScreenshotDir);
    } else {
        ui::Application.Run();
    }

    // The windows go before the skin data component their main window owns.
    mdi.reset();
    scrolling.reset();
    controls.reset();
    dialog.reset();
    ui::Application.SetMainForm(nullptr);
    sizeable.reset();
    return result;
}

} // namespace

int main()
{
    std::wstring error;
    const auto options = ParseViewerOptions(CommandLineArguments(), error);
    if (!options) {
        PrintLine(stderr, L"SkinView: " + error);
        std::fputs(ui::WideToUtf8(ViewerUsage).c_str(), stderr);
        return 2;
    }
    try {
        return RunViewer(*options);
    } catch (const std::exception& e) {
        ReportFailure(e.what(), options->Screenshot);
        return 1;
    }
}
