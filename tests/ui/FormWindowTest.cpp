// The form's window as a skinned frame takes it over: its icon, its state (normal, minimised,
// maximised), the styles of its border, and dialog keys that travel through the replaceable
// WindowProc. This executable carries a MAINICON resource, so the form loads icons of its own.
#include "UiTesting.h"
#include "WindowTesting.h"

#include "ui/Forms.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace ui;
using namespace ui_testing;
using testing_support::PumpUntil;

namespace {

HICON FormIcon(HWND window, WPARAM which)
{
    return reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
}

// The width of an icon's image, or 0 when the handle is no icon (any more).
int IconWidth(HICON icon)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}


UINT ShowCommandOf(HWND window)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(window, &placement);
    return placement.showCmd;
}

} // namespace

TEST(FormWindow, CarriesTheProgramIconAndFreesTheIconsItLoadedWithItsWindow)
{
    auto form = std::make_unique<TForm>(nullptr);
    form->Show();
    Application.ProcessMessages();
    HWND window = form->Handle();
    HICON small = FormIcon(window, ICON_SMALL);
    HICON big = FormIcon(window, ICON_BIG);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(big, nullptr);
    // The program's icon at the two system sizes, not one image scaled.
    EXPECT_EQ(IconWidth(small), GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(IconWidth(big), GetSystemMetrics(SM_CXICON));

    // A new border style recreates the window: it shows again, with fresh icons, the old ones gone.
    form->SetBorderStyle(TFormBorderStyle::bsSingle);
    ASSERT_NE(form->Handle(), nullptr);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    HICON newSmall = FormIcon(form->Handle(), ICON_SMALL);
    EXPECT_NE(newSmall, nullptr);
    EXPECT_NE(FormIcon(form->Handle(), ICON_BIG), nullptr);
    if (newSmall != small) {
        EXPECT_EQ(IconWidth(small), 0);
    }
    if (FormIcon(form->Handle(), ICON_BIG) != big) {
        EXPECT_EQ(IconWidth(big), 0);
    }

    // Recreated again and again (hidden, which is quicker), the form leaves no icon behind.
    // One round first, so that what hiding the window let go is free before the probe.
    form->Hide();
    form->SetBorderStyle(TFormBorderStyle::bsSizeable);
    const unsigned before = UserSlotProbe();
    for (int i = 0; i < 40; ++i)
        form->SetBorderStyle(i % 2 ? TFormBorderStyle::bsSingle : TFormBorderStyle::bsSizeable);
    EXPECT_EQ(UserSlotProbe(), before);

    // Gone with the form; the class keeps its own (shared) icon for the next form.
    small = FormIcon(form->Handle(), ICON_SMALL);
    big = FormIcon(form->Handle(), ICON_BIG);
    form.reset();
    EXPECT_EQ(IconWidth(small), 0);
    EXPECT_EQ(IconWidth(big), 0);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"TForm", &wc));
    EXPECT_GT(IconWidth(wc.hIcon), 0);
    TForm next(nullptr);
    next.Show();
    EXPECT_NE(FormIcon(next.Handle(), ICON_SMALL), nullptr);
    EXPECT_NE(FormIcon(next.Handle(), ICON_BIG), nullptr);
}

TEST(FormWindow, WindowStateIsAppliedOnShowAndFollowsTheWindowsPlacement)
{
    TForm form(nullptr);
    form.SetBounds(40, 40, 300, 200);
    EXPECT_EQ(form.WindowState(), TWindowState::wsNormal);
    EXPECT_TRUE(form.AutoScroll());
    EXPECT_EQ(GetEnumProp(&form, "AutoScroll"), "True");
    SetEnumProp(&form, "AutoScroll", "False");
    EXPECT_FALSE(form.AutoScroll());

    // Set before the form shows, the state is kept and applied by Show.
    form.SetWindowState(TWindowState::wsMaximized);
    form.HandleNeeded();
    EXPECT_EQ(form.WindowState(), TWindowState::wsMaximized);
    EXPECT_EQ(GetEnumProp(&form, "WindowState"), "wsMaximized");
    form.Show();
    Application.ProcessMessages();
    HWND window = form.Handle();
    EXPECT_TRUE(IsZoomed(window));
    EXPECT_EQ(ShowCommandOf(window), static_cast<UINT>(SW_SHOWMAXIMIZED));
    EXPECT_EQ(form.WindowState(), TWindowState::wsMaximized);

    form.SetWindowState(TWindowState::wsMinimized);
    Application.ProcessMessages();
    EXPECT_TRUE(IsIconic(window));
    EXPECT_EQ(ShowCommandOf(window), static_cast<UINT>(SW_SHOWMINIMIZED));
    EXPECT_EQ(GetEnumProp(&form, "WindowState"), "wsMinimized");

    SetEnumProp(&form, "WindowState", "wsNormal");
    Application.ProcessMessages();
    EXPECT_FALSE(IsIconic(window));
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_EQ(ShowCommandOf(window), static_cast<UINT>(SW_SHOWNORMAL));
    EXPECT_EQ(form.WindowState(), TWindowState::wsNormal);

    // Maximised by the system (the caption's button), the form says so, and shows maximised
    // again after being hidden.
    ShowWindow(window, SW_MAXIMIZE);
    Application.ProcessMessages();
    EXPECT_EQ(form.WindowState(), TWindowState::wsMaximized);
    form.Hide();
    EXPECT_EQ(form.WindowState(), TWindowState::wsMaximized);
    form.SetWindowState(TWindowState::wsNormal); // changed while hidden: Show restores
    form.Show();
    Application.ProcessMessages();
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_EQ(ShowCommandOf(window), static_cast<UINT>(SW_SHOWNORMAL));
}

namespace {
// A form with an edit and three buttons: OK (default), Cancel (cancel) and "&Sair" (mnemonic S).
struct DialogKeyForm {
    DialogKeyForm() : form(std::make_unique<TForm>(nullptr))
    {
        form->SetBounds(60, 60, 300, 200);
        edit = Add<TEdit>(8);
        ok = Add<TButton>(36);
        ok->SetCaption(L"OK");
        ok->SetDefault(true);
        cancel = Add<TButton>(64);
        cancel->SetCaption(L"Cancel");
        cancel->SetCancel(true);
        quit = Add<TButton>(92);
        quit->SetCaption(L"&Sair");
        for (TButton* b : {ok, cancel, quit})
            b->OnClick = [this](TObject* sender) { clicked.push_back(static_cast<TButton*>(sender)->Caption()); };
        saved = form->WindowProc;
        form->WindowProc = [this](TMessage& m) {
            if (m.Msg == CM_DIALOGKEY || m.Msg == CM_DIALOGCHAR) {
                seen.push_back({m.Msg, m.WParam, m.LParam});
                if ((m.Msg == CM_DIALOGCHAR && consumeChars) || (m.Msg == CM_DIALOGKEY && consumeKeys)) {
                    m.Result = 1;
                    return;
                }
            }
            saved(m);
        };
        form->Show();
        Application.ProcessMessages();
    }

    template <class C>
    C* Add(int top)
    {
        auto* c = new C(form.get());
        c->SetParent(form.get());
        c->SetBounds(8, top, 120, 22);
        return c;
    }

    std::string Focused() const
    {
        TWinControl* c = FindOwningControl(GetFocus());
        return c == edit ? "edit" : c ? WideToUtf8(c->Caption()) : "(none)";
    }

    struct Seen {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        bool operator==(const Seen&) const = default;
    };
    std::unique_ptr<TForm> form;
    TEdit* edit;
    TButton* ok;
    TButton* cancel;
    TButton* quit;
    TWndMethod saved;
    std::vector<Seen> seen;
    std::vector<std::wstring> clicked;
    bool consumeChars = false;
    bool consumeKeys = false;
};

void SetShiftDown(bool down)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}
} // namespace

TEST(FormWindow, DialogKeysAndCharactersTravelThroughTheReplaceableWindowProc)
{
    DialogKeyForm d;
    d.edit->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return d.Focused() == "edit"; }));
    using Seen = DialogKeyForm::Seen;

    // Alt+mnemonic: seen as a dialog character with Alt, chained, the button clicked.
    PressAltChar(d.edit->Handle(), L's');
    EXPECT_EQ(d.seen, (std::vector<Seen>{{CM_DIALOGCHAR, L's', 1}}));
    EXPECT_EQ(d.clicked, (std::vector<std::wstring>{L"&Sair"}));

    // Tab and Shift+Tab, with the shift state.
    d.seen.clear();
    PressKey(GetFocus(), VK_TAB);
    EXPECT_EQ(d.Focused(), "OK");
    SetShiftDown(true);
    PressKey(GetFocus(), VK_TAB);
    SetShiftDown(false);
    EXPECT_EQ(d.Focused(), "edit");
    ASSERT_GE(d.seen.size(), 2u);
    EXPECT_EQ(d.seen[0], (Seen{CM_DIALOGKEY, VK_TAB, 0}));
    EXPECT_EQ(d.seen[1].msg, static_cast<UINT>(CM_DIALOGKEY));
    EXPECT_EQ(d.seen[1].wParam, static_cast<WPARAM>(VK_TAB));
    EXPECT_TRUE(d.seen[1].lParam & ssShift);

    // Enter in the edit presses the default button; Esc the cancel one.
    d.seen.clear();
    d.clicked.clear();
    PressKey(d.edit->Handle(), VK_RETURN);
    PressKey(d.edit->Handle(), VK_ESCAPE);
    EXPECT_EQ(d.seen, (std::vector<Seen>{{CM_DIALOGKEY, VK_RETURN, 0}, {CM_DIALOGKEY, VK_ESCAPE, 0}}));
    EXPECT_EQ(d.clicked, (std::vector<std::wstring>{L"OK", L"Cancel"}));

    // A bare letter on a button (which takes no characters) is a dialog character without Alt.
    d.seen.clear();
    d.clicked.clear();
    d.ok->SetFocus();
    PostMessageW(d.ok->Handle(), WM_CHAR, L'S', 1);
    Application.ProcessMessages();
    EXPECT_EQ(d.seen, (std::vector<Seen>{{CM_DIALOGCHAR, L'S', 0}}));
    EXPECT_EQ(d.clicked, (std::vector<std::wstring>{L"&Sair"}));

    // Taken by the replacement (answered 1, not chained): the form does nothing more.
    d.clicked.clear();
    d.consumeChars = true;
    d.edit->SetFocus();
    PressAltChar(d.edit->Handle(), L's');
    EXPECT_TRUE(d.clicked.empty());
    d.consumeKeys = true;
    PressKey(GetFocus(), VK_TAB);
    PressKey(d.edit->Handle(), VK_RETURN);
    EXPECT_EQ(d.Focused(), "edit");
    EXPECT_TRUE(d.clicked.empty());

    // Chained again, the mnemonic works again.
    d.consumeChars = false;
    d.consumeKeys = false;
    PressAltChar(d.edit->Handle(), L's');
    EXPECT_EQ(d.clicked, (std::vector<std::wstring>{L"&Sair"}));
    d.form->WindowProc = d.saved;
}

TEST(FormWindow, BorderStylesAndIconsGiveTheUsualWindowStyles)
{
    constexpr DWORD kMinMax = WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    struct Case {
        TFormBorderStyle border;
        TBorderIcons icons;
        DWORD styleOn, styleOff, exOn, exOff;
        const char* what;
    };
    const TBorderIcons all = biSystemMenu | biMinimize | biMaximize;
    const Case cases[] = {
        {TFormBorderStyle::bsSingle, all, WS_CAPTION | WS_SYSMENU | kMinMax, WS_THICKFRAME | WS_POPUP,
         0, WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP, "single"},
        {TFormBorderStyle::bsSizeable, all, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | kMinMax, WS_POPUP,
         0, WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME, "sizeable"},
        {TFormBorderStyle::bsDialog, all, WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_SYSMENU, WS_THICKFRAME | kMinMax,
         WS_EX_DLGMODALFRAME, WS_EX_TOOLWINDOW, "dialog"},
        {TFormBorderStyle::bsToolWindow, all, WS_CAPTION | WS_SYSMENU, WS_THICKFRAME | WS_POPUP | kMinMax,
         WS_EX_TOOLWINDOW, WS_EX_DLGMODALFRAME, "tool window"},
        {TFormBorderStyle::bsSizeToolWin, all, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU, WS_POPUP | kMinMax,
         WS_EX_TOOLWINDOW, WS_EX_DLGMODALFRAME, "sizeable tool window"},
        {TFormBorderStyle::bsNone, all, WS_POPUP, WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_SYSMENU | kMinMax,
         0, WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME, "none"},
        {TFormBorderStyle::bsSingle, biSystemMenu, WS_CAPTION | WS_SYSMENU, kMinMax, 0, 0, "single, system menu only"},
        {TFormBorderStyle::bsSizeable, biSystemMenu | biMinimize, WS_SYSMENU | WS_MINIMIZEBOX, WS_MAXIMIZEBOX, 0, 0,
         "sizeable, no maximise"},
        {TFormBorderStyle::bsSizeable, biMinimize | biMaximize, WS_CAPTION, WS_SYSMENU | kMinMax, 0, 0,
         "sizeable, no system menu: no boxes"},
        {TFormBorderStyle::bsDialog, biSystemMenu | biHelp, WS_SYSMENU, kMinMax, WS_EX_CONTEXTHELP, 0, "dialog with help"},
        {TFormBorderStyle::bsSingle, all | biHelp, kMinMax, 0, 0, WS_EX_CONTEXTHELP, "help hidden by the boxes"},
    };
    // Each on a new window, then all on one window recreated as its border changes.
    TForm reused(nullptr);
    reused.HandleNeeded();
    for (const Case& c : cases) {
        for (bool recreate : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (recreate ? " (recreated)" : " (new)"));
            std::unique_ptr<TForm> fresh;
            TForm* form = &reused;
            if (!recreate) {
                fresh = std::make_unique<TForm>(nullptr);
                form = fresh.get();
            }
            form->SetBorderIcons(c.icons);
            form->SetBorderStyle(c.border);
            HWND window = form->Handle();
            const DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
            const DWORD ex = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
            EXPECT_EQ(style & c.styleOn, c.styleOn) << std::hex << style;
            EXPECT_EQ(style & c.styleOff, 0u) << std::hex << style;
            EXPECT_EQ(ex & c.exOn, c.exOn) << std::hex << ex;
            EXPECT_EQ(ex & c.exOff, 0u) << std::hex << ex;
        }
    }
}
