// MDI frames and children through real windows: the client window the skin engine looks for,
// children made in it, activation, maximising, closing, arranging, the window list, menu merging
// and the frame's keys.
#include "UiTesting.h"
#include "WindowTesting.h"

#include "ui/ExtCtrls.h"
#include "ui/FormReader.h"
#include "ui/Forms.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace ui;
using testing_support::PumpUntil;
using ui_testing::PumpAppUntil;
using ui_testing::UserSlotProbe;

namespace {

RECT WindowRectIn(HWND window, HWND parent)
{
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Overlap(const RECT& a, const RECT& b)
{
    RECT both;
    return IntersectRect(&both, &a, &b) != FALSE;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The texts of a menu's items (separators as "-"; a maximised child's icon and buttons, which
// are bitmaps, left out).
std::vector<std::wstring> MenuTexts(HMENU menu)
{
    std::vector<std::wstring> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_BITMAP;
        info.dwTypeData = text;
        info.cch = 127;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        if (info.fType & MFT_SEPARATOR)
            texts.push_back(L"-");
        else if (!(info.fType & MFT_BITMAP) && !info.hbmpItem)
            texts.push_back(text);
    }
    return texts;
}


// A maximised child's close, restore and minimise buttons end the bar.
bool ShowsChildButtons(HMENU bar)
{
    int buttons = 0;
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        const UINT id = GetMenuItemID(bar, i);
        buttons += id == SC_CLOSE || id == SC_RESTORE || id == SC_MINIMIZE;
    }
    return buttons == 3;
}

TMenuItem* AddItem(TMenuItem* parent, const std::wstring& caption, int group = 0)
{
    auto* item = new TMenuItem(parent->Owner());
    item->SetCaption(caption);
    item->SetGroupIndex(group);
    parent->Add(item);
    return item;
}


void ActivateChild(HWND client, TCustomForm* child)
{
    SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->Handle()), 0);
    Application.ProcessMessages();
}

// A frame made the application's main form for the test (the previous one comes back after).
class MDIForms : public testing::Test {
protected:
    void SetUp() override
    {
        previousMain_ = Application.MainForm();
        frame = new TForm(nullptr);
        frame->SetFormStyle(TFormStyle::fsMDIForm);
        frame->SetCaption(L"Frame");
        frame->SetBounds(20, 20, 640, 480);
        Application.SetMainForm(frame);
    }

    void TearDown() override
    {
        delete frame;
        Application.ProcessMessages();
        Application.SetMainForm(previousMain_);
    }

    void ShowFrame()
    {
        frame->Show();
        Application.ProcessMessages();
        SetForegroundWindow(frame->Handle());
        Application.ProcessMessages();
    }

    // A child owned by the frame, at (x, y), shown.
    TForm* AddChild(const std::wstring& caption, int x = 10, int y = 10)
    {
        auto* child = new TForm(frame);
        child->SetFormStyle(TFormStyle::fsMDIChild);
        child->SetCaption(caption);
        child->SetBounds(x, y, 200, 150);
        child->Show();
        Application.ProcessMessages();
        return child;
    }

    TForm* frame = nullptr;
    int destroyedChildren = 0;

private:
    TCustomForm* previousMain_ = nullptr;
};

} // namespace

TEST_F(MDIForms, FrameHoldsTheClientBetweenItsAlignedBarsAndTheChildrenLiveInIt)
{
    auto* top = new TPanel(frame);
    top->SetParent(frame);
    top->SetHeight(30);
    top->SetAlign(TAlign::alTop);
    auto* bottom = new TPanel(frame);
    bottom->SetParent(frame);
    bottom->SetHeight(20);
    bottom->SetAlign(TAlign::alBottom);
    ShowFrame();

    HWND window = frame->Handle();
    HWND client = FindWindowExW(window, nullptr, L"MDIClient", nullptr);
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client, frame->ClientHandle());
    EXPECT_EQ(ClassOf(client), L"MDIClient");
    EXPECT_TRUE(GetWindowLongPtrW(client, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    RECT area;
    GetClientRect(window, &area);
    RECT placed = WindowRectIn(client, window);
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.top, 30);
    EXPECT_EQ(placed.right, area.right);
    EXPECT_EQ(placed.bottom, area.bottom - 20);

    // Resized, the frame keeps its client between the bars.
    frame->SetBounds(20, 20, 560, 400);
    Application.ProcessMessages();
    GetClientRect(window, &area);
    placed = WindowRectIn(client, window);
    EXPECT_EQ(placed.right, area.right);
    EXPECT_EQ(placed.bottom, area.bottom - 20);

    TForm* a = AddChild(L"A");
    TForm* b = AddChild(L"B");
    TForm* c = AddChild(L"C");
    int activations = 0;
    a->OnActivate = [&](TObject*) { ++activations; };
    for (TForm* child : {a, b, c}) {
        HWND h = child->Handle();
        EXPECT_EQ(GetParent(h), client);
        EXPECT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_MDICHILD);
        EXPECT_TRUE(GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD);
        EXPECT_TRUE(IsWindowVisible(h));
        // Numbered by the client for its window list.
        EXPECT_EQ(GetDlgCtrlID(h) & 0xFF00, 0xFF00);
    }
    // Placed where the form says, in the client's coordinates.
    EXPECT_EQ(WindowRectIn(a->Handle(), client).left, 10);
    EXPECT_EQ(a->Left(), 10);
    ASSERT_EQ(frame->MDIChildCount(), 3);
    EXPECT_EQ(frame->MDIChildren(0), a);
    EXPECT_EQ(frame->MDIChildren(2), c);
    EXPECT_EQ(frame->ActiveMDIChild(), c);
    EXPECT_TRUE(c->Active());

    SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a->Handle()), 0);
    EXPECT_EQ(frame->ActiveMDIChild(), a);
    EXPECT_TRUE(a->Active());
    EXPECT_FALSE(c->Active());
    EXPECT_EQ(activations, 1);

    // Showing a child again brings it forward; Next and Previous walk through them.
    b->Show();
    EXPECT_EQ(frame->ActiveMDIChild(), b);
    frame->Next();
    EXPECT_NE(frame->ActiveMDIChild(), b);
    frame->Previous();
    EXPECT_EQ(frame->ActiveMDIChild(), b);

    // A click on an inactive child activates it.
    SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(c->Handle()), 0);
    frame->Tile();
    Application.ProcessMessages();
    RECT onScreen;
    GetWindowRect(a->Handle(), &onScreen);
    POINT inside{(onScreen.left + onScreen.right) / 2, (onScreen.top + onScreen.bottom) / 2};
    testing_support::ClickAt(inside);
    EXPECT_TRUE(PumpUntil([&] { return frame->ActiveMDIChild() == a; }));
}

TEST_F(MDIForms, ChildWithoutAnMDIFrameCannotShow)
{
    frame->SetFormStyle(TFormStyle::fsNormal);
    TForm child(nullptr);
    child.SetFormStyle(TFormStyle::fsMDIChild);
    EXPECT_THROW(child.Show(), EInvalidOperation);
    EXPECT_FALSE(child.HandleAllocated());
    EXPECT_FALSE(child.Visible());
    EXPECT_EQ(GetEnumProp(&child, "FormStyle"), "fsMDIChild");
}

TEST_F(MDIForms, ChildrenMaximiseRestoreAndGoWhenClosed)
{
    ShowFrame();
    HWND client = frame->ClientHandle();
    TForm* a = AddChild(L"A", 10, 10);
    TForm* b = AddChild(L"B", 40, 40);
    HWND ha = a->Handle();
    HWND hb = b->Handle();
    const RECT before = WindowRectIn(hb, client);

    SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hb), 0);
    Application.ProcessMessages();
    EXPECT_TRUE(IsZoomed(hb));
    EXPECT_EQ(b->WindowState(), TWindowState::wsMaximized);
    RECT clientArea, childArea;
    GetClientRect(client, &clientArea);
    GetClientRect(hb, &childArea);
    // The maximised child's client area covers the whole MDI client.
    EXPECT_GE(childArea.right, clientArea.right);
    EXPECT_GE(childArea.bottom, clientArea.bottom);
    SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(hb), 0);
    Application.ProcessMessages();
    EXPECT_FALSE(IsZoomed(hb));
    const RECT after = WindowRectIn(hb, client);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, before.right);

    // A child asked for maximised shows so.
    auto* big = new TForm(frame);
    big->SetFormStyle(TFormStyle::fsMDIChild);
    big->SetWindowState(TWindowState::wsMaximized);
    big->Show();
    Application.ProcessMessages();
    EXPECT_TRUE(IsZoomed(big->Handle()));
    EXPECT_EQ(frame->ActiveMDIChild(), big);
    HWND hbig = big->Handle();
    big->Close();
    Application.ProcessMessages();
    EXPECT_FALSE(IsWindow(hbig));

    // Closing frees the form and its window; the other child takes over.
    bool destroyed = false;
    b->OnDestroy = [&](TObject*) { destroyed = true; };
    SendMessageW(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hb), 0);
    b->Close();
    Application.ProcessMessages();
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(IsWindow(hb));
    EXPECT_EQ(frame->MDIChildCount(), 1);
    EXPECT_EQ(frame->ActiveMDIChild(), a);

    // The caption's close (WM_CLOSE) goes the same way, and then no child is active.
    SendMessageW(ha, WM_CLOSE, 0, 0);
    Application.ProcessMessages();
    EXPECT_FALSE(IsWindow(ha));
    EXPECT_EQ(frame->MDIChildCount(), 0);
    EXPECT_EQ(frame->ActiveMDIChild(), nullptr);

    // A child freed by its owner leaves through the client too.
    TForm* c = AddChild(L"C");
    HWND hc = c->Handle();
    delete c;
    EXPECT_FALSE(IsWindow(hc));
    EXPECT_EQ(frame->ActiveMDIChild(), nullptr);
}

TEST_F(MDIForms, TileLaysTheChildrenSideBySideAndCascadeStaggersThem)
{
    ShowFrame();
    HWND client = frame->ClientHandle();
    std::vector<TForm*> children{AddChild(L"A"), AddChild(L"B"), AddChild(L"C")};
    RECT area;
    GetClientRect(client, &area);
    for (TTileMode mode : {TTileMode::tbHorizontal, TTileMode::tbVertical}) {
        frame->SetTileMode(mode);
        frame->Tile();
        Application.ProcessMessages();
        std::vector<RECT> rects;
        for (TForm* child : children)
            rects.push_back(WindowRectIn(child->Handle(), client));
        for (std::size_t i = 0; i < rects.size(); ++i) {
            EXPECT_GE(rects[i].left, area.left);
            EXPECT_GE(rects[i].top, area.top);
            EXPECT_LE(rects[i].right, area.right);
            EXPECT_LE(rects[i].bottom, area.bottom);
            for (std::size_t j = i + 1; j < rects.size(); ++j)
                EXPECT_FALSE(Overlap(rects[i], rects[j])) << "children " << i << " and " << j;
        }
        // Horizontal tiling stacks them (full width), vertical puts them side by side.
        if (mode == TTileMode::tbHorizontal)
            EXPECT_EQ(rects[0].right - rects[0].left, area.right - area.left);
        else
            EXPECT_EQ(rects[0].bottom - rects[0].top, area.bottom - area.top);
        // The forms follow their windows.
        EXPECT_EQ(children[1]->Left(), rects[1].left);
        EXPECT_EQ(children[1]->Top(), rects[1].top);
    }

    frame->Cascade();
    Application.ProcessMessages();
    std::vector<POINT> corners;
    for (TForm* child : children) {
        const RECT r = WindowRectIn(child->Handle(), client);
        corners.push_back({r.left, r.top});
    }
    // Staggered down and right by one step each, all at one size.
    std::sort(corners.begin(), corners.end(), [](POINT p, POINT q) { return p.x < q.x; });
    const LONG step = corners[1].x - corners[0].x;
    EXPECT_GT(step, 0);
    EXPECT_EQ(corners[2].x - corners[1].x, step);
    EXPECT_EQ(corners[1].y - corners[0].y, corners[2].y - corners[1].y);
    EXPECT_GT(corners[1].y - corners[0].y, 0);
}

TEST_F(MDIForms, KeysWorkInsideChildrenAndCtrlF4ClosesTheActiveOne)
{
    ShowFrame();
    TForm* a = AddChild(L"A");
    TForm* b = AddChild(L"B", 60, 60);
    auto* first = new TEdit(b);
    first->SetParent(b);
    first->SetBounds(8, 8, 120, 22);
    auto* second = new TEdit(b);
    second->SetParent(b);
    second->SetBounds(8, 40, 120, 22);
    b->Hide();
    b->Show();
    Application.ProcessMessages();
    ASSERT_EQ(frame->ActiveMDIChild(), b);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == frame->Handle(); }));
    // The active child's first control has the focus; Tab moves inside the child.
    EXPECT_EQ(GetFocus(), first->Handle());
    ui_testing::PressKey(first->Handle(), VK_TAB);
    EXPECT_EQ(GetFocus(), second->Handle());

    // Ctrl+F4 as typed: the active child closes and is freed.
    HWND hb = b->Handle();
    b->OnDestroy = [this](TObject*) { ++destroyedChildren; };
    testing_support::SendKey(VK_CONTROL, false);
    testing_support::TapKey(VK_F4);
    testing_support::SendKey(VK_CONTROL, true);
    EXPECT_TRUE(PumpAppUntil([&] { return destroyedChildren == 1; }));
    EXPECT_FALSE(IsWindow(hb));
    EXPECT_EQ(frame->ActiveMDIChild(), a);
    EXPECT_EQ(frame->MDIChildCount(), 1);
}

TEST_F(MDIForms, WindowMenuListsTheChildrenAndItsEntriesActivateThem)
{
    auto* menu = new TMainMenu(frame);
    TMenuItem* file = AddItem(menu->Items(), L"&File", 0);
    AddItem(file, L"&Open");
    TMenuItem* window = AddItem(menu->Items(), L"&Window", 9);
    TMenuItem* cascade = AddItem(window, L"&Cascade");
    AddItem(window, L"&Tile");
    int cascades = 0;
    cascade->OnClick = [&](TObject*) { ++cascades; };
    frame->SetMenu(menu);
    frame->SetWindowMenu(window);
    EXPECT_EQ(GetObjectProp(frame, "WindowMenu"), window);
    ShowFrame();
    HMENU popup = window->Handle();
    EXPECT_EQ(GetMenuItemCount(popup), 2);

    TForm* a = AddChild(L"Alpha");
    TForm* b = AddChild(L"Beta");
    TForm* c = AddChild(L"Gamma");
    std::vector<std::wstring> texts = MenuTexts(popup);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[2], L"-");
    EXPECT_NE(texts[3].find(L"Alpha"), std::wstring::npos);
    EXPECT_NE(texts[5].find(L"Gamma"), std::wstring::npos);
    // The active child is checked.
    EXPECT_EQ(GetMenuState(popup, 0xFF02, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));

    // Choosing an entry activates its child; the menu's own items still reach their handlers.
    SendMessageW(frame->Handle(), WM_COMMAND, 0xFF00, 0);
    EXPECT_EQ(frame->ActiveMDIChild(), a);
    SendMessageW(frame->Handle(), WM_COMMAND, 0xFF01, 0);
    EXPECT_EQ(frame->ActiveMDIChild(), b);
    SendMessageW(frame->Handle(), WM_COMMAND, cascade->Command(), 0);
    EXPECT_EQ(cascades, 1);

    // A child closed leaves the list; an item added to the window menu keeps it.
    c->Close();
    Application.ProcessMessages();
    EXPECT_EQ(GetMenuItemCount(popup), 2 + 1 + 2);
    AddItem(window, L"&Arrange");
    Application.ProcessMessages();
    texts = MenuTexts(window->Handle());
    ASSERT_EQ(texts.size(), 3u + 1 + 2);
    EXPECT_EQ(texts[2], L"&Arrange");
    EXPECT_NE(texts[5].find(L"Beta"), std::wstring::npos);
}

TEST_F(MDIForms, ActiveChildsMenuMergesIntoTheFramesBar)
{
    auto* menu = new TMainMenu(frame);
    AddItem(AddItem(menu->Items(), L"&File", 0), L"&Open");
    TMenuItem* window = AddItem(menu->Items(), L"&Window", 9);
    AddItem(window, L"&Tile");
    frame->SetMenu(menu);
    frame->SetWindowMenu(window);
    ShowFrame();
    HWND client = frame->ClientHandle();
    HMENU bar = GetMenu(frame->Handle());
    const std::vector<std::wstring> own{L"&File", L"&Window"};
    const std::vector<std::wstring> merged{L"&File", L"&Edit", L"&Window"};
    EXPECT_EQ(MenuTexts(bar), own);

    TForm* plain = AddChild(L"Plain");
    auto* editor = new TForm(frame);
    editor->SetFormStyle(TFormStyle::fsMDIChild);
    editor->SetCaption(L"Editor");
    editor->SetBounds(50, 50, 200, 150);
    auto* editMenu = new TMainMenu(editor);
    TMenuItem* edit = AddItem(editMenu->Items(), L"&Edit", 1);
    TMenuItem* undo = AddItem(edit, L"&Undo");
    int undos = 0;
    undo->OnClick = [&](TObject*) { ++undos; };
    editor->SetMenu(editMenu);
    editor->Show();
    Application.ProcessMessages();
    HWND editorWindow = editor->Handle();
    EXPECT_EQ(GetMenu(frame->Handle()), bar);
    EXPECT_EQ(MenuTexts(bar), merged);
    // The child's command reaches its item through the frame.
    SendMessageW(frame->Handle(), WM_COMMAND, undo->Command(), 0);
    EXPECT_EQ(undos, 1);
    // The window list survived the bar being refilled.
    EXPECT_EQ(MenuTexts(window->Handle()).size(), 1u + 1 + 2);

    ActivateChild(client, plain);
    EXPECT_EQ(MenuTexts(bar), own);
    ActivateChild(client, editor);
    EXPECT_EQ(MenuTexts(bar), merged);

    // Maximised, the child's icon and buttons join the bar and stay through merging.
    SendMessageW(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(editorWindow), 0);
    Application.ProcessMessages();
    EXPECT_EQ(MenuTexts(bar), merged);
    EXPECT_TRUE(ShowsChildButtons(bar));
    ActivateChild(client, plain);
    EXPECT_TRUE(IsZoomed(plain->Handle()));
    EXPECT_EQ(MenuTexts(bar), own);
    EXPECT_TRUE(ShowsChildButtons(bar));
    ActivateChild(client, editor);
    EXPECT_EQ(MenuTexts(bar), merged);
    // The child's bar item changing refills the frame's bar: the buttons come back on it.
    edit->SetCaption(L"&Edit!");
    Application.ProcessMessages();
    EXPECT_EQ(MenuTexts(bar), (std::vector<std::wstring>{L"&File", L"&Edit!", L"&Window"}));
    EXPECT_TRUE(ShowsChildButtons(bar));
    EXPECT_EQ(MenuTexts(window->Handle()).size(), 1u + 1 + 2);
    edit->SetCaption(L"&Edit");
    // Handed a placeholder bar each time, the client leaves no menu behind.
    const unsigned before = UserSlotProbe();
    for (int i = 0; i < 10; ++i)
        edit->SetCaption(i % 2 ? L"&Edit" : L"&Edit!");
    EXPECT_EQ(UserSlotProbe(), before);
    SendMessageW(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(editorWindow), 0);
    Application.ProcessMessages();
    EXPECT_FALSE(ShowsChildButtons(bar));

    // Closed, the child takes its items away.
    editor->Close();
    Application.ProcessMessages();
    EXPECT_FALSE(IsWindow(editorWindow));
    EXPECT_EQ(frame->ActiveMDIChild(), plain);
    EXPECT_EQ(MenuTexts(bar), own);
    plain->Close();
    Application.ProcessMessages();
    EXPECT_EQ(frame->ActiveMDIChild(), nullptr);
    EXPECT_EQ(MenuTexts(bar), own);
}

TEST_F(MDIForms, FrameReadFromADescriptionListsItsChildrenUnderItsWindowMenu)
{
    frame->SetFormStyle(TFormStyle::fsNormal);
    ReadComponentText(frame,
                      "object Frame: TForm\n"
                      "  Caption = 'Frame'\n"
                      "  FormStyle = fsMDIForm\n"
                      "  Menu = MainMenu1\n"
                      "  WindowMenu = Window1\n"
                      "  object MainMenu1: TMainMenu\n"
                      "    object Window1: TMenuItem\n"
                      "      Caption = '&Window'\n"
                      "      GroupIndex = 9\n"
                      "      object Cascade1: TMenuItem\n"
                      "        Caption = '&Cascade'\n"
                      "      end\n"
                      "    end\n"
                      "  end\n"
                      "end\n");
    EXPECT_EQ(frame->FormStyle(), TFormStyle::fsMDIForm);
    ASSERT_NE(frame->WindowMenu(), nullptr);
    EXPECT_EQ(frame->WindowMenu()->Caption(), L"&Window");
    ShowFrame();
    ASSERT_NE(FindWindowExW(frame->Handle(), nullptr, L"MDIClient", nullptr), nullptr);
    AddChild(L"Report");
    const std::vector<std::wstring> texts = MenuTexts(frame->WindowMenu()->Handle());
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_NE(texts[2].find(L"Report"), std::wstring::npos);
    // The item going away is forgotten by the frame.
    delete frame->WindowMenu();
    EXPECT_EQ(frame->WindowMenu(), nullptr);
}
