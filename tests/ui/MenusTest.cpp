// Menus over platform menus: the bar a form shows, popup menus opened by real input, owner-drawn
// items, shortcuts, merging, and the handles they hold.
#include "UiTesting.h"
#include "WindowTesting.h"

#include "ui/ExtCtrls.h"
#include "ui/FormReader.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace ui;
using namespace ui_testing;
using testing_support::ClickAt;
using testing_support::PumpUntil;
using testing_support::SendKey;
using testing_support::TapKey;

namespace {

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const std::wstring& caption, TShortCut shortCut = 0)
{
    auto* item = new TMenuItem(owner);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    if (parent)
        parent->Add(item);
    return item;
}

std::wstring MenuText(HMENU menu, UINT position)
{
    wchar_t text[128] = {};
    GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
    return text;
}

std::vector<std::wstring> MenuTexts(HMENU menu)
{
    std::vector<std::wstring> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        texts.push_back(MenuText(menu, static_cast<UINT>(i)));
    return texts;
}

MENUITEMINFOW ItemInfo(HMENU menu, UINT position)
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
    GetMenuItemInfoW(menu, position, TRUE, &info);
    return info;
}



HWND OpenMenuWindow()
{
    HWND window = FindWindowW(L"#32768", nullptr);
    return window && IsWindowVisible(window) ? window : nullptr;
}

// Runs `onOpen` from a thread timer (dispatched by the menu's own modal loop) once a menu window
// shows; a menu that never opens, or stays open, is ended so that the test fails instead of hanging.
class MenuScript {
public:
    explicit MenuScript(std::function<void(HWND)> onOpen) : onOpen_(std::move(onOpen))
    {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, &MenuScript::Tick);
    }
    ~MenuScript()
    {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool Opened() const { return opened_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        MenuScript* self = current_;
        if (!self)
            return;
        ++self->ticks_;
        if (!self->opened_) {
            if (HWND menu = OpenMenuWindow()) {
                self->opened_ = true;
                self->onOpen_(menu);
            }
        }
        if (self->ticks_ > 400)
            EndMenu();
    }

    static inline MenuScript* current_ = nullptr;
    std::function<void(HWND)> onOpen_;
    UINT_PTR timer_ = 0;
    int ticks_ = 0;
    bool opened_ = false;
};

// A shown form with a main menu: File (New Ctrl+N, Open, -, Exit) and Edit (Undo).
struct MenuForm {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    TMainMenu* menu = new TMainMenu(form.get());
    TMenuItem* file = NewItem(form.get(), menu->Items(), L"&File");
    TMenuItem* newItem = NewItem(form.get(), file, L"&New", ShortCut('N', ssCtrl));
    TMenuItem* open = NewItem(form.get(), file, L"&Open");
    TMenuItem* line = NewItem(form.get(), file, L"-");
    TMenuItem* exit = NewItem(form.get(), file, L"E&xit");
    TMenuItem* edit = NewItem(form.get(), menu->Items(), L"&Edit");
    TMenuItem* undo = NewItem(form.get(), edit, L"&Undo", ShortCut('Z', ssCtrl));

    MenuForm()
    {
        form->SetBounds(100, 100, 400, 300);
        form->SetMenu(menu);
        form->Show();
        Application.ProcessMessages();
    }
};

} // namespace

TEST(MenuShortCuts, TextAndShortCutsConvertBothWays)
{
    EXPECT_EQ(ShortCutToText(ShortCut('N', ssCtrl)), L"Ctrl+N");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F4, ssShift)), L"Shift+F4");
    EXPECT_EQ(ShortCutToText(ShortCut('S', ssCtrl | ssShift)), L"Ctrl+Shift+S");
    EXPECT_EQ(ShortCutToText(VK_DELETE), L"Del");
    EXPECT_EQ(ShortCutToText(VK_F1), L"F1");
    EXPECT_EQ(ShortCutToText(0), L"");
    for (const wchar_t* text : {L"Ctrl+N", L"Shift+F4", L"Ctrl+Shift+S", L"Del", L"F1", L"Alt+F12", L"Ctrl+Ins", L"Esc"})
        EXPECT_EQ(ShortCutToText(TextToShortCut(text)), text);
    EXPECT_EQ(TextToShortCut(L"ctrl+n"), ShortCut('N', ssCtrl));
    EXPECT_EQ(TextToShortCut(L"Shift+Ctrl+S"), ShortCut('S', ssCtrl | ssShift));
    EXPECT_EQ(TextToShortCut(L"Hyper+N"), 0);
    EXPECT_EQ(TextToShortCut(L"F25"), 0);
    EXPECT_EQ(TextToShortCut(L""), 0);
}

TEST(MainMenuBar, ShowsVisibleItemsWithTheirTextStateAndPopups)
{
    MenuForm f;
    HWND window = f.form->Handle();
    HMENU bar = GetMenu(window);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar, f.menu->Handle());
    EXPECT_EQ(MenuTexts(bar), (std::vector<std::wstring>{L"&File", L"&Edit"}));
    HMENU filePopup = GetSubMenu(bar, 0);
    ASSERT_NE(filePopup, nullptr);
    EXPECT_EQ(filePopup, f.file->Handle());
    EXPECT_EQ(MenuTexts(filePopup), (std::vector<std::wstring>{L"&New\tCtrl+N", L"&Open", L"-", L"E&xit"}));
    EXPECT_TRUE(ItemInfo(filePopup, 2).fType & MFT_SEPARATOR);
    EXPECT_EQ(ItemInfo(filePopup, 0).wID, f.newItem->Command());
    EXPECT_EQ(ItemInfo(filePopup, 0).dwItemData, reinterpret_cast<ULONG_PTR>(f.newItem));
    EXPECT_NE(f.newItem->Command(), f.open->Command());

    // A hidden item leaves the platform menu and comes back in its place.
    f.open->SetVisible(false);
    EXPECT_EQ(MenuTexts(filePopup), (std::vector<std::wstring>{L"&New\tCtrl+N", L"-", L"E&xit"}));
    f.open->SetVisible(true);
    EXPECT_EQ(MenuText(filePopup, 1), L"&Open");
    f.edit->SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(bar), 1);
    f.edit->SetVisible(true);
    EXPECT_EQ(GetMenuItemCount(bar), 2);

    // State and text changes show at once.
    f.open->SetEnabled(false);
    f.exit->SetChecked(true);
    f.exit->SetCaption(L"&Quit");
    f.exit->SetShortCut(ShortCut(VK_F4, ssAlt));
    EXPECT_TRUE(ItemInfo(filePopup, 1).fState & MFS_GRAYED);
    EXPECT_TRUE(ItemInfo(filePopup, 3).fState & MFS_CHECKED);
    EXPECT_FALSE(ItemInfo(filePopup, 0).fState & (MFS_GRAYED | MFS_CHECKED));
    EXPECT_EQ(MenuText(filePopup, 3), L"&Quit\tAlt+F4");

    // An item gaining its first sub-item gets a popup in its parent.
    EXPECT_EQ(f.open->Handle(), nullptr);
    TMenuItem* recent = NewItem(f.form.get(), f.open, L"Recent");
    ASSERT_NE(f.open->Handle(), nullptr);
    EXPECT_EQ(GetSubMenu(filePopup, 1), f.open->Handle());
    EXPECT_EQ(MenuTexts(f.open->Handle()), std::vector<std::wstring>{L"Recent"});

    // Found by command, popup handle and shortcut, at any depth.
    EXPECT_EQ(f.menu->FindItem(recent->Command(), TFindItemKind::fkCommand), recent);
    EXPECT_EQ(f.menu->FindItem(reinterpret_cast<UINT_PTR>(filePopup), TFindItemKind::fkHandle), f.file);
    EXPECT_EQ(f.menu->FindItem(ShortCut('Z', ssCtrl), TFindItemKind::fkShortCut), f.undo);
    EXPECT_EQ(f.menu->FindItem(0xEFFF, TFindItemKind::fkCommand), nullptr);
    EXPECT_EQ(f.undo->GetParentMenu(), f.menu);
    EXPECT_EQ(f.undo->GetParentComponent(), f.edit);
    EXPECT_EQ(f.file->GetParentComponent(), f.menu);

    // Taken off the form, the bar goes; put back, it returns.
    f.form->SetMenu(nullptr);
    EXPECT_EQ(GetMenu(window), nullptr);
    f.form->SetMenu(f.menu);
    EXPECT_EQ(GetMenu(window), f.menu->Handle());
}

TEST(MainMenuBar, OwnerDrawSwitchesTheItemTypeAndKeepsTheText)
{
    MenuForm f;
    HMENU bar = GetMenu(f.form->Handle());
    HMENU filePopup = f.file->Handle();
    f.menu->SetOwnerDraw(true);
    // The bar itself stays the platform's; the items below it are owner-drawn, lines included.
    EXPECT_FALSE(ItemInfo(bar, 0).fType & MFT_OWNERDRAW);
    for (UINT i = 0; i < 4; ++i)
        EXPECT_TRUE(ItemInfo(filePopup, i).fType & MFT_OWNERDRAW) << i;
    EXPECT_TRUE(ItemInfo(filePopup, 2).fType & MFT_SEPARATOR);
    EXPECT_EQ(MenuText(filePopup, 0), L"&New\tCtrl+N");
    EXPECT_EQ(MenuText(f.edit->Handle(), 0), L"&Undo\tCtrl+Z");

    f.menu->SetOwnerDraw(false);
    EXPECT_FALSE(ItemInfo(filePopup, 0).fType & MFT_OWNERDRAW);
    EXPECT_EQ(MenuText(filePopup, 0), L"&New\tCtrl+N");
    EXPECT_EQ(GetMenu(f.form->Handle()), bar);
}

TEST(MainMenuBar, MenuCommandsReachTheirItemsOnce)
{
    MenuForm f;
    int newClicks = 0, undoClicks = 0;
    f.newItem->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, f.newItem);
        ++newClicks;
    };
    f.undo->OnClick = [&](TObject*) { ++undoClicks; };
    HWND window = f.form->Handle();
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(f.newItem->Command(), 0), 0);
    Application.ProcessMessages();
    EXPECT_EQ(newClicks, 1);
    EXPECT_EQ(undoClicks, 0);
    // An accelerator's or a control's notification with the same number is not a menu command.
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(f.undo->Command(), 1), 0);
    Application.ProcessMessages();
    EXPECT_EQ(undoClicks, 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(f.undo->Command(), 0), 0);
    EXPECT_EQ(undoClicks, 1);
    // An item freed takes its command with it.
    const UINT gone = f.undo->Command();
    delete f.undo;
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(gone, 0), 0);
    EXPECT_EQ(undoClicks, 1);
    EXPECT_EQ(GetMenuItemCount(f.edit->Handle()), -1) << "the emptied popup is no longer attached";
    EXPECT_EQ(GetSubMenu(GetMenu(window), 1), nullptr);
}

TEST(MainMenuBar, MergingReplacesItemsOfTheSameGroupUntilUndone)
{
    MenuForm f;
    f.file->SetGroupIndex(0);
    f.edit->SetGroupIndex(1);
    TMenuItem* help = NewItem(f.form.get(), f.menu->Items(), L"&Help");
    help->SetGroupIndex(9);
    TForm other(nullptr);
    auto* child = new TMainMenu(&other);
    TMenuItem* childEdit = NewItem(&other, child->Items(), L"Child &Edit");
    childEdit->SetGroupIndex(1);
    TMenuItem* paste = NewItem(&other, childEdit, L"&Paste", ShortCut('V', ssCtrl));
    TMenuItem* view = NewItem(&other, child->Items(), L"&View");
    view->SetGroupIndex(5);
    NewItem(&other, view, L"&Zoom");

    int pasteClicks = 0;
    paste->OnClick = [&](TObject*) { ++pasteClicks; };
    HMENU bar = GetMenu(f.form->Handle());
    f.menu->Merge(child);
    EXPECT_EQ(f.menu->Merged(), child);
    EXPECT_EQ(MenuTexts(bar), (std::vector<std::wstring>{L"&File", L"Child &Edit", L"&View", L"&Help"}));
    EXPECT_EQ(GetSubMenu(bar, 1), childEdit->Handle());
    // The merged items answer through the main menu: commands, popups, shortcuts.
    EXPECT_EQ(f.menu->FindItem(paste->Command(), TFindItemKind::fkCommand), paste);
    EXPECT_EQ(f.menu->FindItem(reinterpret_cast<UINT_PTR>(childEdit->Handle()), TFindItemKind::fkHandle), childEdit);
    EXPECT_EQ(f.menu->FindItem(ShortCut('V', ssCtrl), TFindItemKind::fkShortCut), paste);
    SendMessageW(f.form->Handle(), WM_COMMAND, MAKEWPARAM(paste->Command(), 0), 0);
    EXPECT_EQ(pasteClicks, 1);
    EXPECT_TRUE(f.menu->IsShortCut('V', ssCtrl));
    EXPECT_EQ(pasteClicks, 2);
    // The replaced group's shortcuts are out of the bar too.
    EXPECT_FALSE(f.menu->IsShortCut('Z', ssCtrl));
    // A change in the merged menu shows in the bar.
    view->SetCaption(L"&Look");
    EXPECT_EQ(MenuText(bar, 2), L"&Look");

    f.menu->Unmerge(child);
    EXPECT_EQ(f.menu->Merged(), nullptr);
    EXPECT_EQ(MenuTexts(bar), (std::vector<std::wstring>{L"&File", L"&Edit", L"&Help"}));
    EXPECT_EQ(f.menu->FindItem(paste->Command(), TFindItemKind::fkCommand), nullptr);

    // A merged menu freed leaves the bar first.
    f.menu->Merge(child);
    EXPECT_EQ(GetMenuItemCount(bar), 4);
    delete child;
    EXPECT_EQ(f.menu->Merged(), nullptr);
    EXPECT_EQ(MenuTexts(bar), (std::vector<std::wstring>{L"&File", L"&Edit", L"&Help"}));
}

TEST(MenuItems, RadioItemsOfAGroupCheckOneAtATime)
{
    TPopupMenu popup(nullptr);
    std::vector<TMenuItem*> items;
    for (int i = 0; i < 4; ++i) {
        TMenuItem* item = NewItem(nullptr, popup.Items(), L"Choice " + std::to_wstring(i));
        item->SetRadioItem(i < 3);
        item->SetGroupIndex(i == 2 ? 7 : 3);
        items.push_back(item);
    }
    items[3]->SetGroupIndex(3);  // same group, but not a radio item
    items[3]->SetChecked(true);
    items[0]->SetChecked(true);
    items[2]->SetChecked(true);
    items[1]->SetChecked(true);
    EXPECT_FALSE(items[0]->Checked());
    EXPECT_TRUE(items[1]->Checked());
    EXPECT_TRUE(items[2]->Checked()) << "another group";
    EXPECT_TRUE(items[3]->Checked()) << "not a radio item";
    HMENU menu = popup.Handle();
    EXPECT_FALSE(ItemInfo(menu, 0).fState & MFS_CHECKED);
    EXPECT_TRUE(ItemInfo(menu, 1).fState & MFS_CHECKED);
    EXPECT_TRUE(ItemInfo(menu, 1).fType & MFT_RADIOCHECK);
    EXPECT_FALSE(ItemInfo(menu, 3).fType & MFT_RADIOCHECK);
}

TEST(MenuItems, FreedItemsLeaveTheirParentsAndHoldNoHandles)
{
    TPopupMenu popup(nullptr);
    TMenuItem* keep = NewItem(nullptr, popup.Items(), L"Keep");
    TMenuItem* sub = NewItem(nullptr, popup.Items(), L"Sub");
    NewItem(nullptr, sub, L"Inner");
    HMENU menu = popup.Handle();
    HMENU subMenu = sub->Handle();
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    delete sub;
    EXPECT_EQ(popup.Items()->Count(), 1);
    EXPECT_EQ(popup.Items()->Items(0), keep);
    EXPECT_EQ(MenuTexts(menu), std::vector<std::wstring>{L"Keep"});
    EXPECT_FALSE(IsMenu(subMenu));

    // Many rebuilds, items coming and going, owner drawing on and off: every popup made is
    // destroyed once, none stays behind.
    const unsigned before = UserSlotProbe();
    std::vector<HMENU> old;
    for (int i = 0; i < 200; ++i) {
        TMenuItem* item = NewItem(nullptr, popup.Items(), L"Item");
        NewItem(nullptr, NewItem(nullptr, item, L"Deep"), L"Deeper");
        old.push_back(item->Handle());
        item->SetCaption(L"Item " + std::to_wstring(i));
        item->Items(0)->SetVisible(i % 2 == 0);
        popup.SetOwnerDraw(i % 3 == 0);
        popup.RebuildHandle();
        if (i % 2)
            delete item;
        else
            popup.Items()->Clear();
        NewItem(nullptr, popup.Items(), L"Keep");
    }
    popup.Items()->Clear();
    EXPECT_EQ(GetMenuItemCount(menu), 0);
    for (HMENU h : old)
        EXPECT_FALSE(IsMenu(h));
    EXPECT_EQ(UserSlotProbe(), before);
}

TEST(MenuItems, DrawnOffScreenInTheirRectangleWithoutLeaking)
{
    TPopupMenu popup(nullptr);
    popup.SetOwnerDraw(true);
    TMenuItem* item = NewItem(nullptr, popup.Items(), L"&Save", ShortCut('S', ssCtrl));
    TMenuItem* line = NewItem(nullptr, popup.Items(), L"-");
    TPopupMenu stranger(nullptr);
    TMenuItem* foreign = NewItem(nullptr, stranger.Items(), L"Other");

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 240;
    info.bmiHeader.biHeight = -60;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    auto pixel = [&](int x, int y) { return GetPixel(dc, x, y); };
    auto draw = [&](TMenuItem* target, RECT rect, UINT state, const std::vector<TMenu*>& menus) {
        DRAWITEMSTRUCT d{};
        d.CtlType = ODT_MENU;
        d.itemID = target->Command();
        d.itemState = state;
        d.hDC = dc;
        d.rcItem = rect;
        d.itemData = reinterpret_cast<ULONG_PTR>(target);
        TMessage m{WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d), 0};
        return DispatchMenuMessage(m, menus) && m.Result == TRUE;
    };
    RECT paper{0, 0, 240, 60};
    FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

    // Selected, the item fills its own rectangle (and only it) with the highlight, text on it.
    ASSERT_TRUE(draw(item, RECT{0, 20, 200, 40}, ODS_SELECTED, {&popup}));
    EXPECT_EQ(pixel(1, 21), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(pixel(199, 39), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(pixel(1, 19), RGB(0, 0, 0));
    EXPECT_EQ(pixel(201, 30), RGB(0, 0, 0));
    int textPixels = 0;
    for (int x = 0; x < 200; ++x)
        for (int y = 20; y < 40; ++y)
            textPixels += pixel(x, y) == GetSysColor(COLOR_HIGHLIGHTTEXT);
    EXPECT_GT(textPixels, 20);
    ASSERT_TRUE(draw(item, RECT{0, 0, 200, 20}, 0, {&popup}));
    EXPECT_EQ(pixel(1, 1), GetSysColor(COLOR_MENU));

    // OnDrawItem replaces the drawing and gets the real rectangle.
    RECT seen{};
    item->OnDrawItem = [&](TObject*, TCanvas& canvas, TRect rect, bool selected) {
        seen = rect;
        EXPECT_TRUE(selected);
        canvas.Brush().SetColor(RGB(10, 200, 30));
        canvas.FillRect(rect);
    };
    ASSERT_TRUE(draw(item, RECT{10, 40, 110, 58}, ODS_SELECTED, {&popup}));
    EXPECT_EQ(seen.left, 10);
    EXPECT_EQ(seen.top, 40);
    EXPECT_EQ(pixel(12, 42), RGB(10, 200, 30));
    EXPECT_EQ(pixel(109, 57), RGB(10, 200, 30));
    item->OnDrawItem = nullptr;

    // Items of menus not given, and stale data, are not drawn.
    EXPECT_FALSE(draw(foreign, RECT{0, 0, 10, 10}, 0, {&popup}));
    EXPECT_TRUE(draw(foreign, RECT{0, 0, 10, 10}, 0, {&popup, &stranger}));

    // Measuring: a line is short, text is as wide as it is, OnMeasureItem has the last word.
    auto measure = [&](TMenuItem* target) {
        MEASUREITEMSTRUCT m{};
        m.CtlType = ODT_MENU;
        m.itemID = target->Command();
        m.itemData = reinterpret_cast<ULONG_PTR>(target);
        TMessage message{WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m), 0};
        EXPECT_TRUE(DispatchMenuMessage(message, {&popup}));
        return SIZE{static_cast<LONG>(m.itemWidth), static_cast<LONG>(m.itemHeight)};
    };
    EXPECT_EQ(measure(line).cy, 8);
    const SIZE plain = measure(item);
    EXPECT_GE(plain.cy, GetSystemMetrics(SM_CYMENU));
    item->SetCaption(L"&Save everything you have");
    EXPECT_GT(measure(item).cx, plain.cx);
    item->OnMeasureItem = [](TObject*, TCanvas& canvas, int& width, int& height) {
        EXPECT_NE(canvas.Handle(), nullptr);
        EXPECT_GT(width, 0);
        width = 77;
        height = 33;
    };
    EXPECT_EQ(measure(item).cx, 77);
    EXPECT_EQ(measure(item).cy, 33);
    item->OnMeasureItem = nullptr;

    const unsigned gdiBefore = GdiObjectsAlive();
    for (int i = 0; i < 200; ++i) {
        draw(item, RECT{0, 0, 200, 20}, i % 2 ? ODS_SELECTED : 0, {&popup});
        draw(line, RECT{0, 20, 200, 28}, 0, {&popup});
        measure(item);
    }
    EXPECT_EQ(GdiObjectsAlive(), gdiBefore);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST(MenuShortCutKeys, ReachTheItemsOfTheFocusedForm)
{
    MenuForm f;
    auto* edit = new TEdit(f.form.get());
    edit->SetParent(f.form.get());
    edit->SetBounds(10, 10, 150, 24);
    auto* popup = new TPopupMenu(f.form.get());
    TMenuItem* copy = NewItem(f.form.get(), popup->Items(), L"&Copy", ShortCut('C', ssCtrl | ssShift));
    f.form->SetPopupMenu(popup);
    int newClicks = 0, copyClicks = 0, undoClicks = 0;
    f.newItem->OnClick = [&](TObject*) { ++newClicks; };
    copy->OnClick = [&](TObject*) { ++copyClicks; };
    f.undo->OnClick = [&](TObject*) { ++undoClicks; };
    SetForegroundWindow(f.form->Handle());
    edit->SetFocus();
    Application.ProcessMessages();
    ASSERT_EQ(GetFocus(), edit->Handle());

    auto chord = [](std::vector<WORD> keys) {
        for (WORD k : keys)
            SendKey(k, false);
        for (auto it = keys.rbegin(); it != keys.rend(); ++it)
            SendKey(*it, true);
    };
    chord({VK_CONTROL, 'N'});
    ASSERT_TRUE(PumpAppUntil([&] { return newClicks > 0; }));
    // The parent's popup menu answers for the focused control.
    chord({VK_CONTROL, VK_SHIFT, 'C'});
    ASSERT_TRUE(PumpAppUntil([&] { return copyClicks > 0; }));
    // A disabled item, or one under a disabled item, does not; the key goes to the control.
    f.edit->SetEnabled(false);
    chord({VK_CONTROL, 'Z'});
    chord({VK_CONTROL, 'N'});
    ASSERT_TRUE(PumpAppUntil([&] { return newClicks > 1; }));
    EXPECT_EQ(undoClicks, 0);
    EXPECT_EQ(newClicks, 2);
    EXPECT_EQ(copyClicks, 1);
    // Plain typing is not taken by menus.
    f.newItem->SetShortCut(TextToShortCut(L"N"));
    TapKey('N');
    ASSERT_TRUE(PumpAppUntil([&] { return edit->Text() == L"n"; }));
    EXPECT_EQ(newClicks, 2);
}

TEST(ContextMenus, RightClickOpensThePopupOfTheControlUnderTheCursor)
{
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(120, 120, 360, 260);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(10, 10, 200, 120);
    auto* label = new TLabel(form.get());
    label->SetParent(panel);
    label->SetBounds(120, 80, 60, 20);
    label->SetCaption(L"Label");
    auto* popup = new TPopupMenu(form.get());
    TMenuItem* first = NewItem(form.get(), popup->Items(), L"&First");
    TMenuItem* second = NewItem(form.get(), popup->Items(), L"&Second");
    panel->SetPopupMenu(popup);
    int firstClicks = 0, secondClicks = 0, popups = 0;
    first->OnClick = [&](TObject*) { ++firstClicks; };
    second->OnClick = [&](TObject*) { ++secondClicks; };
    popup->OnPopup = [&](TObject* sender) {
        EXPECT_EQ(sender, popup);
        ++popups;
    };
    form->Show();
    SetForegroundWindow(form->Handle());
    Application.ProcessMessages();

    // Right click on the panel, then Down and Enter in the open menu: the first item runs once.
    {
        MenuScript script([](HWND) {
            TapKey(VK_DOWN);
            TapKey(VK_RETURN);
        });
        ClickAt(panel->ClientToScreen(POINT{20, 20}), true);
        ASSERT_TRUE(PumpUntil([&] { return firstClicks > 0; }));
        EXPECT_TRUE(script.Opened());
    }
    Application.ProcessMessages();
    EXPECT_EQ(firstClicks, 1);
    EXPECT_EQ(secondClicks, 0);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(popup->PopupComponent(), panel);
    EXPECT_EQ(OpenMenuWindow(), nullptr);

    // A windowless control without a menu of its own gets its parent's, and is the popup component;
    // Esc closes the menu without a choice.
    {
        MenuScript script([](HWND) { TapKey(VK_ESCAPE); });
        ClickAt(label->ClientToScreen(POINT{5, 5}), true);
        ASSERT_TRUE(PumpUntil([&] { return popups > 1 && script.Opened() && !OpenMenuWindow(); }));
    }
    Application.ProcessMessages();
    EXPECT_EQ(popup->PopupComponent(), label);
    EXPECT_EQ(firstClicks + secondClicks, 1);

    // The context-menu key gives no point: the menu opens at the control's top-left corner.
    RECT where{};
    {
        MenuScript script([&](HWND window) {
            GetWindowRect(window, &where);
            TapKey(VK_ESCAPE);
        });
        SendMessageW(panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->Handle()), -1);
        EXPECT_TRUE(script.Opened());
    }
    const POINT corner = panel->ClientToScreen(POINT{4, 4});
    EXPECT_EQ(where.left, corner.x);
    EXPECT_EQ(where.top, corner.y);
    EXPECT_EQ(popup->PopupComponent(), panel);
    EXPECT_EQ(popups, 3);

    // Without AutoPopup, or outside any control with a menu, nothing opens.
    popup->SetAutoPopup(false);
    ClickAt(panel->ClientToScreen(POINT{20, 20}), true);
    Application.ProcessMessages();
    popup->SetAutoPopup(true);
    ClickAt(form->ClientToScreen(POINT{300, 200}), true);
    Application.ProcessMessages();
    EXPECT_EQ(popups, 3);

    // The menu freed, the panel forgets it.
    delete popup;
    EXPECT_EQ(panel->PopupMenu(), nullptr);
}

TEST(ContextMenus, OwnerDrawnPopupIsMeasuredAndDrawnWhileOpen)
{
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 300, 200);
    form->Show();
    Application.ProcessMessages();
    TPopupMenu popup(form.get());
    popup.SetOwnerDraw(true);
    TMenuItem* item = NewItem(nullptr, popup.Items(), L"&Paint me");
    NewItem(nullptr, popup.Items(), L"-");
    TMenuItem* other = NewItem(nullptr, popup.Items(), L"&Other");
    int measured = 0, drawn = 0;
    item->OnMeasureItem = [&](TObject*, TCanvas& canvas, int& width, int& height) {
        EXPECT_NE(canvas.Handle(), nullptr);
        ++measured;
        width = 150;
        height = 30;
    };
    item->OnDrawItem = [&](TObject*, TCanvas& canvas, TRect rect, bool) {
        EXPECT_NE(canvas.Handle(), nullptr);
        ++drawn;
        canvas.Brush().SetColor(RGB(10, 200, 30));
        canvas.FillRect(rect);
    };
    int otherClicks = 0;
    other->OnClick = [&](TObject*) { ++otherClicks; };

    RECT itemRect{};
    COLORREF shown = CLR_INVALID;
    {
        MenuScript script([&](HWND window) {
            UpdateWindow(window);
            GetMenuItemRect(nullptr, popup.Handle(), 0, &itemRect);
            POINT centre{(itemRect.left + itemRect.right) / 2, (itemRect.top + itemRect.bottom) / 2};
            ScreenToClient(window, &centre);
            HDC dc = GetDC(window);
            shown = GetPixel(dc, centre.x, centre.y);
            ReleaseDC(window, dc);
            TapKey(VK_ESCAPE);
        });
        popup.Popup(150, 150);
        EXPECT_TRUE(script.Opened());
    }
    EXPECT_GE(measured, 1);
    EXPECT_GE(drawn, 1);
    EXPECT_EQ(itemRect.bottom - itemRect.top, 30);
    EXPECT_EQ(shown, RGB(10, 200, 30));
    EXPECT_EQ(otherClicks, 0);

    // Choosing with the keyboard: its OnClick has run when Popup returns.
    {
        MenuScript script([](HWND) {
            TapKey(VK_UP);
            TapKey(VK_RETURN);
        });
        popup.Popup(150, 150);
        EXPECT_TRUE(script.Opened());
        EXPECT_EQ(otherClicks, 1);
    }
}

TEST(MenuDescriptions, MenusAndItemsAreReadNested)
{
    const std::string text =
        "object MenuHost: TForm\n"
        "  Menu = MainMenu1\n"
        "  object Panel1: TPanel\n"
        "    Left = 0\n"
        "    Top = 0\n"
        "    Width = 100\n"
        "    Height = 50\n"
        "    PopupMenu = PopupMenu1\n"
        "  end\n"
        "  object MainMenu1: TMainMenu\n"
        "    object File1: TMenuItem\n"
        "      Caption = '&File'\n"
        "      object New1: TMenuItem\n"
        "        Caption = '&New'\n"
        "        ShortCut = 16462\n"
        "      end\n"
        "      object N1: TMenuItem\n"
        "        Caption = '-'\n"
        "      end\n"
        "      object Exit1: TMenuItem\n"
        "        Caption = 'E&xit'\n"
        "        Enabled = False\n"
        "      end\n"
        "    end\n"
        "    object Help1: TMenuItem\n"
        "      Caption = '&Help'\n"
        "      GroupIndex = 9\n"
        "    end\n"
        "  end\n"
        "  object PopupMenu1: TPopupMenu\n"
        "    AutoPopup = False\n"
        "    OwnerDraw = True\n"
        "    object Copy1: TMenuItem\n"
        "      Caption = '&Copy'\n"
        "      Checked = True\n"
        "      RadioItem = True\n"
        "    end\n"
        "  end\n"
        "end\n";
    auto form = std::make_unique<TForm>(nullptr);
    ReadComponentText(form.get(), text);
    auto* menu = dynamic_cast<TMainMenu*>(form->FindComponent("MainMenu1"));
    auto* popup = dynamic_cast<TPopupMenu*>(form->FindComponent("PopupMenu1"));
    auto* panel = dynamic_cast<TPanel*>(form->FindComponent("Panel1"));
    ASSERT_TRUE(menu && popup && panel);
    EXPECT_EQ(form->Menu(), menu);
    EXPECT_EQ(panel->PopupMenu(), popup);
    ASSERT_EQ(menu->Items()->Count(), 2);
    TMenuItem* file = menu->Items()->Items(0);
    EXPECT_EQ(file->Name(), "File1");
    ASSERT_EQ(file->Count(), 3);
    EXPECT_EQ(file->Items(0)->PlatformText(), L"&New\tCtrl+N");
    EXPECT_TRUE(file->Items(1)->IsLine());
    EXPECT_FALSE(file->Items(2)->Enabled());
    EXPECT_EQ(menu->Items()->Items(1)->GroupIndex(), 9);
    EXPECT_EQ(file->Items(0)->GetParentComponent(), file);
    EXPECT_FALSE(popup->AutoPopup());
    EXPECT_TRUE(popup->OwnerDraw());
    ASSERT_EQ(popup->Items()->Count(), 1);
    EXPECT_TRUE(popup->Items()->Items(0)->Checked());
    EXPECT_TRUE(popup->Items()->Items(0)->RadioItem());

    form->Show();
    Application.ProcessMessages();
    HWND window = form->Handle();
    EXPECT_EQ(GetMenu(window), menu->Handle());
    EXPECT_EQ(MenuTexts(GetMenu(window)), (std::vector<std::wstring>{L"&File", L"&Help"}));

    // An item outside any menu is refused.
    auto bad = std::make_unique<TForm>(nullptr);
    EXPECT_THROW(ReadComponentText(bad.get(), "object MenuHost: TForm\n  object Panel1: TPanel\n    object X1: TMenuItem\n    end\n  end\nend\n"), EReadError);

    // The main menu freed, the window keeps no bar and the form forgets it.
    delete menu;
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(GetMenu(window), nullptr);
    // Destroying the window leaves the menus alone.
    auto* second = new TMainMenu(form.get());
    NewItem(form.get(), NewItem(form.get(), second->Items(), L"A"), L"B");
    form->SetMenu(second);
    HMENU bar = second->Handle();
    HMENU sub = second->Items()->Items(0)->Handle();
    form->DestroyHandle();
    EXPECT_TRUE(IsMenu(bar));
    EXPECT_TRUE(IsMenu(sub));
    form->Show();
    Application.ProcessMessages();
    EXPECT_EQ(GetMenu(form->Handle()), bar);
}
