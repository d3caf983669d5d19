// Skinned popup menus: the "#32768" window's object and painting, the skinned items, owner-draw
// switching, separator tidying and measuring. Menus are driven by messages posted before they
// open: keys for the menu loop, and inspections dispatched by it to a helper window while the menu
// is on screen.
#include "FrameTesting.h"
#include "MenuInput.h"
#include "UiTesting.h"

#include "skin/data/SkinDraw.h"
#include "skin/window/SkinManage.h"
#include "skin/window/SkinMenuItems.h"
#include "skin/window/SkinPopMenu.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

using namespace skin;
using frame_testing::SkinnedWindows;
using frame_testing::TWindowPixels;

namespace {

constexpr UINT WM_INSPECT = WM_APP + 41;

using menu_testing::Rgb;

std::uint32_t BitmapPixel(const ui::TBitmap& bitmap, int x, int y)
{
    const std::uint8_t* p = bitmap.ScanLine(y) + x * (bitmap.PixelFormat() == ui::TPixelFormat::pf32bit ? 4 : 3);
    return (p[2] << 16) | (p[1] << 8) | p[0];
}

constexpr std::uint32_t Key = 0xFF00FF;

// The visible "#32768" window of this thread, or nullptr.
HWND OpenPopupWindow()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            if (std::wstring(name) == L"#32768" && IsWindowVisible(window)) {
                *reinterpret_cast<HWND*>(data) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Steps queued before a menu opens; the menu loop handles the keys and dispatches the inspections
// in order. An Esc and a last EndMenu close it whatever happened.
class MenuDriver {
public:
    using TInspection = std::function<void(HWND popup)>;

    MenuDriver()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &MenuDriver::Procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PopupMenuTestDriver";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~MenuDriver() { DestroyWindow(window_); }

    MenuDriver& Key(WORD key)
    {
        steps_.push_back({key, {}});
        return *this;
    }
    MenuDriver& Inspect(TInspection inspection)
    {
        steps_.push_back({0, std::move(inspection)});
        return *this;
    }

    // Queues the steps and an Esc, then runs `open` (which returns when the menu has closed).
    void Run(const std::function<void()>& open)
    {
        inspections_.clear();
        for (const auto& step : steps_) {
            if (step.key) {
                PostMessageW(window_, WM_KEYDOWN, step.key, 0);
            } else {
                inspections_.push_back(step.inspection);
                PostMessageW(window_, WM_INSPECT, inspections_.size() - 1, 0);
            }
        }
        PostMessageW(window_, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageW(window_, WM_INSPECT, static_cast<WPARAM>(-1), 0);
        open();
        // Whatever the menu loop left (it did not open) runs now.
        MSG msg;
        while (PeekMessageW(&msg, window_, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        steps_.clear();
    }

    int Inspected = 0;

private:
    struct TStep {
        WORD key;
        TInspection inspection;
    };

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<MenuDriver*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == WM_INSPECT) {
            if (wParam == static_cast<WPARAM>(-1)) {
                if (OpenPopupWindow())
                    EndMenu();
            } else if (wParam < self->inspections_.size()) {
                ++self->Inspected;
                self->inspections_[wParam](OpenPopupWindow());
            }
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
    std::vector<TStep> steps_;
    std::vector<TInspection> inspections_;
};

// Window-relative rectangle of the item at `position` of the open menu.
RECT ItemRect(HWND popup, HMENU menu, int position)
{
    RECT bounds{}, r{};
    GetWindowRect(popup, &bounds);
    GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &r);
    OffsetRect(&r, -bounds.left, -bounds.top);
    return r;
}

int CountColour(const TWindowPixels& shot, const RECT& area, std::uint32_t colour)
{
    int count = 0;
    for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, shot.height); ++y)
        for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, shot.width); ++x)
            count += shot.At(x, y) == colour;
    return count;
}

void SavePng(const TWindowPixels& shot, const std::string& name)
{
    std::vector<std::uint8_t> rgba;
    for (std::uint32_t c : shot.pixels) {
        rgba.push_back(static_cast<std::uint8_t>(c >> 16));
        rgba.push_back(static_cast<std::uint8_t>(c >> 8));
        rgba.push_back(static_cast<std::uint8_t>(c));
        rgba.push_back(255);
    }
    const std::vector<std::uint8_t> png = ui_testing::EncodePng(shot.width, shot.height, rgba);
    std::filesystem::create_directories(SCREENSHOT_DIR);
    std::ofstream out(std::string(SCREENSHOT_DIR) + "/" + name + ".png", std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
}

ui::TMenuItem* AddItem(ui::TMenuItem& parent, const std::wstring& caption)
{
    auto* item = new ui::TMenuItem(parent.Owner());
    item->SetCaption(caption);
    parent.Add(item);
    return item;
}

TWinSkinPopMenu* PopupObjectOf(HWND window)
{
    TSkinManage* manager = SkinManager();
    if (manager)
        for (const auto& popup : manager->PopupMenus)
            if (popup && popup->Handle == window)
                return popup.get();
    return nullptr;
}

class PopupMenus : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = windows.ShowForm(ui::TFormBorderStyle::bsSizeable, 400, 300);
        ASSERT_NE(form, nullptr);
        images = new ui::TImageList(form);
        ui::TBitmap strip(32, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 32; ++x)
                SetPixel(strip.Canvas().Handle(), x, y, x < 16 ? RGB(220, 30, 30) : RGB(30, 160, 60));
        images->AddMasked(strip, ui::clFuchsia);
        menu = new ui::TPopupMenu(form);
        menu->SetImages(images);
        ui::TMenuItem& root = *menu->Items();
        open = AddItem(root, L"&Open");
        open->SetImageIndex(0);
        open->SetShortCut(ui::ShortCut('O', ui::ssCtrl));
        save = AddItem(root, L"&Save all");
        save->SetChecked(true);
        disabled = AddItem(root, L"Disabled item");
        disabled->SetEnabled(false);
        separator = AddItem(root, L"-");
        checkedImage = AddItem(root, L"Checked with image");
        checkedImage->SetImageIndex(1);
        checkedImage->SetChecked(true);
        defaultItem = AddItem(root, L"Default item");
        defaultItem->SetDefault(true);
        MakePopupMenusOwnerDraw(form, &windows.Data(), true);
    }

    TSkinManage& Manager() { return *SkinManager(); }
    void OpenMenu() { menu->Popup(200, 150); }

    SkinnedWindows windows;
    ui::TForm* form = nullptr;
    ui::TImageList* images = nullptr;
    ui::TPopupMenu* menu = nullptr;
    ui::TMenuItem *open = nullptr, *save = nullptr, *disabled = nullptr, *separator = nullptr,
                  *checkedImage = nullptr, *defaultItem = nullptr;
    MenuDriver driver;
};

// The first pixel of each corner of the nine-slice of `frame` (frames side by side) must match
// the item picture, key-colour pixels showing the popup's background instead.
void ExpectFrameCorners(const TWindowPixels& shot, const ui::TBitmap& background, const RECT& item,
                        const TDataSkinObject& object, int frameIndex, const char* what)
{
    const ui::TBitmap& strip = object.Bitmap;
    const int fw = strip.Width() / 5, fh = strip.Height();
    const int w = item.right - item.left, h = item.bottom - item.top;
    int mismatches = 0;
    for (int y = 0; y < object.TopHeight; ++y)
        for (int x = 0; x < object.LeftWidth; ++x) {
            const auto check = [&](int ix, int iy, int sx, int sy) {
                std::uint32_t expected = BitmapPixel(strip, (frameIndex - 1) * fw + sx, sy);
                if (expected == Key)
                    expected = BitmapPixel(background, item.left + ix, item.top + iy);
                mismatches += shot.At(item.left + ix, item.top + iy) != expected;
            };
            check(x, y, x, y);                                    // top left
            check(w - 1 - x, y, fw - 1 - x, y);                   // top right
            check(x, h - 1 - y, x, fh - 1 - y);                   // bottom left
            check(w - 1 - x, h - 1 - y, fw - 1 - x, fh - 1 - y);  // bottom right
        }
    EXPECT_EQ(mismatches, 0) << what;
}

TEST_F(PopupMenus, AnOpenPopupIsSkinnedFromTheSkinsImagesAndReleasedWhenItCloses)
{
    const TSkinData& data = windows.Data();
    ASSERT_TRUE(data.MenuItem && data.MenuBackground);
    const TDataSkinObject& item = *data.MenuItem;
    const ui::TBitmap& back = data.MenuBackground->Bitmap;
    HWND seen = nullptr;
    driver.Key(VK_DOWN).Inspect([&](HWND popup) {
        ASSERT_NE(popup, nullptr) << "the menu did not open";
        seen = popup;
        TWinSkinPopMenu* object = PopupObjectOf(popup);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(Manager().PopupMenus.size(), 1u);
        EXPECT_EQ(object->Menu, menu->Handle());
        EXPECT_EQ(SendMessageW(popup, WM_SKINQUERY, 0, 0), 1);
        ASSERT_FALSE(object->Background.Empty());
        EXPECT_EQ(Manager().FindPopupBackground(menu->Handle()), &object->Background);

        const TWindowPixels shot = frame_testing::ReadWindowAsIs(popup);
        SavePng(shot, "popup-menu");
        const int w = shot.width, h = shot.height;
        ASSERT_EQ(w, object->Background.Width());
        ASSERT_EQ(h, object->Background.Height());

        // The border ring: corners exactly as the image's, edges from the image's edge rows.
        int ring = 0;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) {
                ring += shot.At(x, y) != BitmapPixel(back, x, y);
                ring += shot.At(w - 1 - x, h - 1 - y) != BitmapPixel(back, back.Width() - 1 - x, back.Height() - 1 - y);
            }
        for (int d = 0; d < 3; ++d) {
            ring += shot.At(w / 2, d) != BitmapPixel(back, back.Width() / 2, d);
            ring += shot.At(d, h / 2) != BitmapPixel(back, d, back.Height() / 2);
            ring += shot.At(w / 2, h - 1 - d) != BitmapPixel(back, back.Width() / 2, back.Height() - 1 - d);
        }
        EXPECT_EQ(ring, 0) << "border ring pixels differ from the MenuBackground image";

        // Asked to print itself, the window gives the picture it shows.
        ui::TBitmap printed(w, h);
        SendMessageW(popup, WM_PRINT, reinterpret_cast<WPARAM>(printed.Canvas().Handle()),
                     PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
        int printDiffers = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                printDiffers += BitmapPixel(printed, x, y) != shot.At(x, y);
        EXPECT_EQ(printDiffers, 0);

        HMENU handle = menu->Handle();
        const RECT selected = ItemRect(popup, handle, 0), normal = ItemRect(popup, handle, 1),
                   grey = ItemRect(popup, handle, 2), line = ItemRect(popup, handle, 3),
                   imaged = ItemRect(popup, handle, 4);
        ExpectFrameCorners(shot, object->Background, selected, item, 4, "selected item: frame 4");
        ExpectFrameCorners(shot, object->Background, normal, item, 1, "normal item: frame 1");
        // Between the glyph box and the caption: the frame's middle.
        const int fw = item.Bitmap.Width() / 5;
        const int gapX = 1 + item.LeftWidth + 16 + 1;
        const std::uint32_t selectedMiddle = BitmapPixel(item.Bitmap, 3 * fw + fw / 2, item.Bitmap.Height() / 2);
        EXPECT_EQ(shot.At(selected.left + gapX, (selected.top + selected.bottom) / 2), selectedMiddle);
        std::uint32_t normalMiddle = BitmapPixel(item.Bitmap, fw / 2, item.Bitmap.Height() / 2);
        if (normalMiddle == Key)
            normalMiddle = BitmapPixel(object->Background, normal.left + gapX, (normal.top + normal.bottom) / 2);
        EXPECT_EQ(shot.At(normal.left + gapX, (normal.top + normal.bottom) / 2), normalMiddle);

        // The separator: frame 2 at the item's middle column, its bottom rows when taller.
        const int lh = line.bottom - line.top, sh = item.Bitmap.Height();
        ASSERT_GT(lh, 0);
        int separatorRows = 0, lineRows = 0;
        for (int y = 0; y < lh; ++y) {
            const int sy = sh > lh ? sh - lh + y : y;
            std::uint32_t expected = sy < sh ? BitmapPixel(item.Bitmap, fw + fw / 2, sy) : Key;
            lineRows += expected != Key;
            if (expected == Key)
                expected = BitmapPixel(object->Background, (line.left + line.right) / 2, line.top + y);
            separatorRows += shot.At((line.left + line.right) / 2, line.top + y) == expected;
        }
        EXPECT_EQ(separatorRows, lh);
        EXPECT_GT(lineRows, 0) << "the separator frame shows no line in the item";

        // Text colours: the selected caption, a normal one, the disabled one (never the menu text).
        const RECT text{gapX + 2, 0, 0, 0};
        const auto textArea = [&](const RECT& r) { return RECT{r.left + text.left, r.top, r.right - 1, r.bottom}; };
        EXPECT_GT(CountColour(shot, textArea(selected), Rgb(data.HilightTextColor)), 5);
        EXPECT_GT(CountColour(shot, textArea(normal), Rgb(data.MenuTextColor)), 5);
        const ui::TColor disabledColour =
            data.ButtonShadowColor == data.MenuTextColor ? ui::clBtnShadow : data.ButtonShadowColor;
        EXPECT_GT(CountColour(shot, textArea(grey), Rgb(disabledColour)), 5);
        EXPECT_EQ(CountColour(shot, textArea(grey), Rgb(data.MenuTextColor)), 0);
        // The shortcut, right-aligned before the right margin.
        EXPECT_GT(CountColour(shot, RECT{selected.right - 60, selected.top, selected.right - 11, selected.bottom},
                              Rgb(data.HilightTextColor)),
                  3);

        // Glyphs: the image list's images, the check mark of a checked item without one.
        const int boxLeft = 1 + item.LeftWidth;
        EXPECT_EQ(shot.At(selected.left + boxLeft + 8, selected.top + 1 + 8), 0xDC1E1Eu);
        EXPECT_EQ(shot.At(imaged.left + boxLeft + 8, imaged.top + 1 + 8), 0x1EA03Cu);
        EXPECT_GT(CountColour(shot, RECT{normal.left + boxLeft, normal.top + 1, normal.left + boxLeft + 16, normal.top + 17},
                              Rgb(data.MenuTextColor)),
                  3)
            << "no check mark";
    });
    driver.Run([&] { OpenMenu(); });
    EXPECT_EQ(driver.Inspected, 1);
    EXPECT_NE(seen, nullptr);
    EXPECT_FALSE(IsWindow(seen) && IsWindowVisible(seen));
    EXPECT_TRUE(Manager().PopupMenus.empty());
    EXPECT_EQ(Manager().MenuKind, 0);
    EXPECT_EQ(Manager().FindPopupBackground(menu->Handle()), nullptr);
}

TEST_F(PopupMenus, ItemsTakeTheirBackgroundFromThePopupAtTheSamePlace)
{
    // A background whose every pixel differs shows any misalignment between items and popup.
    ui::TBitmap& back = windows.Data().MenuBackground->Bitmap;
    back.SetSize(40, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            SetPixel(back.Canvas().Handle(), x, y, RGB(x * 6, y * 6, 100));
    driver.Inspect([&](HWND popup) {
        ASSERT_NE(popup, nullptr);
        TWinSkinPopMenu* object = PopupObjectOf(popup);
        ASSERT_NE(object, nullptr);
        const TWindowPixels shot = frame_testing::ReadWindowAsIs(popup);
        const RECT normal = ItemRect(popup, menu->Handle(), 1);
        const int x = normal.left + 1 + windows.Data().MenuItem->LeftWidth + 16 + 1;
        int aligned = 0, rows = 0;
        for (int y = normal.top + 3; y < normal.bottom - 3; ++y, ++rows)
            aligned += shot.At(x, y) == BitmapPixel(object->Background, x, y);
        EXPECT_EQ(aligned, rows);
        // And the gaps around the items are the popup's background too.
        EXPECT_EQ(shot.At(normal.left - 1 < 0 ? 0 : normal.left - 1, normal.top),
                  BitmapPixel(object->Background, normal.left - 1 < 0 ? 0 : normal.left - 1, normal.top));
    });
    driver.Run([&] { OpenMenu(); });
    EXPECT_EQ(driver.Inspected, 1);
}

TEST_F(PopupMenus, APendingPopupLearnsItsMenuFromAnItemAndNeverOutlivesItsObject)
{
    TWinSkinPopMenu* object = nullptr;
    driver
        .Inspect([&](HWND popup) {
            object = PopupObjectOf(popup);
            ASSERT_NE(object, nullptr);
            object->Menu = nullptr;
            SetPendingPopup(object);
        })
        .Key(VK_DOWN)
        .Inspect([&](HWND) {
            EXPECT_EQ(PendingPopup(), nullptr) << "the drawn item did not take the pending popup";
            ASSERT_NE(object, nullptr);
            EXPECT_EQ(object->Menu, menu->Handle());
            SetPendingPopup(object);  // pending again when its window goes
        });
    driver.Run([&] { OpenMenu(); });
    EXPECT_EQ(driver.Inspected, 2);
    EXPECT_TRUE(Manager().PopupMenus.empty());
    EXPECT_EQ(PendingPopup(), nullptr);

    // An object freed by its owner clears itself too.
    auto lone = std::make_unique<TWinSkinPopMenu>();
    SetPendingPopup(lone.get());
    lone.reset();
    EXPECT_EQ(PendingPopup(), nullptr);
}

TEST_F(PopupMenus, NoSkinWhileSkinningIsOffOrTheKindIsNotAllowedAndObjectsGoWithTheirWindows)
{
    // Skinning off: the window keeps its own painting.
    Manager().SkinEnabled = false;
    driver.Inspect([&](HWND popup) {
        ASSERT_NE(popup, nullptr);
        EXPECT_TRUE(Manager().PopupMenus.empty());
        EXPECT_FALSE(Manager().IsPopupWindowSkinned(popup));
        EXPECT_EQ(SendMessageW(popup, WM_SKINQUERY, 0, 0), 0);
    });
    driver.Run([&] { OpenMenu(); });
    EXPECT_EQ(driver.Inspected, 1);

    // Switched off while open: the object still goes with its window.
    Manager().SkinEnabled = true;
    driver.Inspect([&](HWND popup) {
        EXPECT_TRUE(Manager().IsPopupWindowSkinned(popup));
        Manager().SkinEnabled = false;
        InvalidateRect(popup, nullptr, TRUE);
        UpdateWindow(popup);
    });
    driver.Run([&] { OpenMenu(); });
    EXPECT_TRUE(Manager().PopupMenus.empty());

    // A system menu while the skin leaves system menus alone; MenuKind returns to 0 afterwards.
    Manager().SkinEnabled = true;
    windows.Data().SetSkinControls(AllSkinControls & ~SkinControl(xcSystemMenu));
    Manager().MenuKind = 2;
    driver.Inspect([&](HWND popup) {
        ASSERT_NE(popup, nullptr);
        EXPECT_FALSE(Manager().IsPopupWindowSkinned(popup));
    });
    driver.Run([&] { OpenMenu(); });
    EXPECT_EQ(Manager().MenuKind, 0);
    // A bar menu while menu items are skinned.
    windows.Data().SetSkinControls(SkinControl(xcMenuItem));
    Manager().MenuKind = 1;
    driver.Inspect([&](HWND popup) { EXPECT_TRUE(Manager().IsPopupWindowSkinned(popup)); });
    driver.Run([&] { OpenMenu(); });
    EXPECT_EQ(driver.Inspected, 4);
    EXPECT_TRUE(Manager().PopupMenus.empty());
    EXPECT_EQ(Manager().MenuKind, 0);
    EXPECT_FALSE(Manager().ReleasePopupWindow(form->Handle()));
}

TEST_F(PopupMenus, RepeatedOpeningLeaksNoGdiObject)
{
    int drawn = 0;
    for (ui::TMenuItem* item : {open, save, disabled, separator, checkedImage, defaultItem}) {
        auto inner = item->OnDrawItem;
        item->OnDrawItem = [inner, &drawn](ui::TObject* sender, ui::TCanvas& canvas, ui::TRect rect, bool selected) {
            ++drawn;
            inner(sender, canvas, rect, selected);
        };
    }
    const auto once = [&] {
        driver.Key(VK_DOWN).Key(VK_DOWN);
        driver.Run([&] { OpenMenu(); });
    };
    once();
    const unsigned before = frame_testing::GdiProbe();
    drawn = 0;
    for (int i = 0; i < 500; ++i)
        once();
    const unsigned after = frame_testing::GdiProbe();
    EXPECT_GE(drawn, 500 * 6) << "the menus were not drawn";
    // A leak moves the probe up; an object freed on the way may move it down.
    EXPECT_LE(after, before);
    EXPECT_TRUE(Manager().PopupMenus.empty());
}

// ---- items without a popup window ----

class MenuItems : public ::testing::Test {
protected:
    SkinnedWindows windows;
};

TEST_F(MenuItems, PlatformMenusSwitchToOwnerDrawAndBackKeepingTheirTexts)
{
    HMENU top = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuW(sub, MF_STRING, 11, L"Inner ção");
    AppendMenuW(top, MF_STRING, 10, L"&First");
    AppendMenuW(top, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(top, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"Sub");
    const auto texts = [&] {
        std::vector<std::wstring> out;
        wchar_t buffer[64];
        for (auto [menu, pos] : {std::pair{top, 0}, std::pair{top, 2}, std::pair{sub, 0}}) {
            buffer[0] = 0;
            GetMenuStringW(menu, pos, buffer, 64, MF_BYPOSITION);
            out.emplace_back(buffer);
        }
        return out;
    };
    const auto ownerDrawn = [&] {
        int count = 0;
        for (auto [menu, pos] : {std::pair{top, 0}, std::pair{top, 1}, std::pair{top, 2}, std::pair{sub, 0}}) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE;
            GetMenuItemInfoW(menu, pos, TRUE, &info);
            count += (info.fType & MFT_OWNERDRAW) != 0;
        }
        return count;
    };
    const std::vector<std::wstring> expected{L"&First", L"Sub", L"Inner ção"};
    SetPlatformMenuOwnerDraw(top, true);
    EXPECT_EQ(ownerDrawn(), 4);
    EXPECT_EQ(texts(), expected);
    SetPlatformMenuOwnerDraw(top, false);
    EXPECT_EQ(ownerDrawn(), 0);
    EXPECT_EQ(texts(), expected);
    DestroyMenu(top);
}

TEST_F(MenuItems, TidyingLeavesOneSeparatorBetweenGroupsAndNoneAtTheEnds)
{
    ui::TPopupMenu menu(nullptr);
    ui::TMenuItem& root = *menu.Items();
    // "-" at both ends, doubled, around an invisible item; a group of invisible items only.
    const std::vector<std::wstring> captions{L"-", L"-", L"A", L"-", L"-", L"B", L"-", L"H", L"-", L"C", L"-", L"-"};
    std::vector<ui::TMenuItem*> items;
    for (const auto& caption : captions)
        items.push_back(AddItem(root, caption));
    items[7]->SetVisible(false);  // "H": its group shows nothing
    items[4]->SetVisible(false);  // a hidden separator that must come back as the one kept
    TidySeparators(root);
    std::wstring shown;
    for (ui::TMenuItem* item : items)
        if (item->Visible())
            shown += item->Caption();
    EXPECT_EQ(shown, L"A-B-C");
    EXPECT_TRUE(items[4]->Visible()) << "the last separator of a run is the one kept";
    EXPECT_TRUE(items[8]->Visible());

    // Nothing but separators: all hidden.
    ui::TPopupMenu lines(nullptr);
    for (int i = 0; i < 3; ++i)
        AddItem(*lines.Items(), L"-");
    TidySeparators(*lines.Items());
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(lines.Items()->Items(i)->Visible());
}

TEST_F(MenuItems, MeasuringWidensForTheSkinsLeftCapAndTheGlyphColumn)
{
    ui::TForm form(nullptr);
    auto* menu = new ui::TPopupMenu(&form);
    ui::TMenuItem* item = AddItem(*menu->Items(), L"Measured &caption");
    int calls = 0;
    item->OnMeasureItem = [&](ui::TObject*, ui::TCanvas&, int& width, int&) {
        ++calls;
        width += 1000;
    };
    ui::TMemoryDC dc(nullptr);
    ui::TCanvas canvas;
    canvas.SetHandle(dc.Get());
    canvas.Font().Assign(ui::Screen.MenuFont());
    const auto own = [&] {
        auto handler = item->OnMeasureItem;
        item->OnMeasureItem = nullptr;
        int w = 0, h = 0;
        item->MeasureItem(canvas, w, h);
        item->OnMeasureItem = handler;
        return std::pair{w, h};
    };
    TSkinData& data = windows.Data();
    const int left = data.MenuItem->LeftWidth;
    const auto [plainWidth, plainHeight] = own();
    int w = 0, h = 0;
    MeasurePopupMenuItem(data, *item, canvas, w, h);
    EXPECT_EQ(w, plainWidth + left + 12 + 23);
    EXPECT_EQ(h, plainHeight);
    MeasureMainMenuItem(data, *item, canvas, w, h);
    EXPECT_EQ(w, plainWidth + left + 10 + 25);
    EXPECT_EQ(calls, 0) << "the item's own handler ran";
    ASSERT_TRUE(item->OnMeasureItem) << "the handler was not given back";

    auto* images = new ui::TImageList(&form);
    menu->SetImages(images);
    const int withImages = own().first;
    MeasurePopupMenuItem(data, *item, canvas, w, h);
    EXPECT_EQ(w, withImages + left + 12);
    MeasureMainMenuItem(data, *item, canvas, w, h);
    EXPECT_EQ(w, withImages + left + 10);
    canvas.SetHandle(nullptr);

    // Items of platform menus: text by command, width from the menu font.
    HMENU platform = CreatePopupMenu();
    AppendMenuW(platform, MF_STRING, 7, L"Platform text");
    AppendMenuW(platform, MF_SEPARATOR, 8, nullptr);
    SIZE extent{};
    {
        ui::TClientDC screen(nullptr);
        ui::TSelectObject font(screen.Get(), ui::Screen.MenuFont().Handle());
        GetTextExtentPoint32W(screen.Get(), L"Platform text", 13, &extent);
    }
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = 7;
    measure.itemHeight = 16;
    MeasurePlatformMenuItem(data, platform, measure);
    EXPECT_EQ(static_cast<int>(measure.itemWidth), extent.cx + 26 + left);
    EXPECT_EQ(measure.itemHeight, 20u);
    measure.itemID = 8;
    measure.itemHeight = 16;
    MeasurePlatformMenuItem(data, platform, measure);
    EXPECT_EQ(measure.itemHeight, 8u);
    DestroyMenu(platform);
}

TEST_F(MenuItems, PlatformItemsAndCaptionsAreDrawnFromTheSkin)
{
    TSkinData& data = windows.Data();
    HMENU platform = CreatePopupMenu();
    AppendMenuW(platform, MF_STRING, 7, L"Restore");
    AppendMenuW(platform, MF_STRING | MF_GRAYED, 9, L"Greyed");
    ui::TBitmap target(160, 20);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = 7;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = ODS_SELECTED;
    draw.hwndItem = reinterpret_cast<HWND>(platform);
    draw.hDC = target.Canvas().Handle();
    draw.rcItem = RECT{0, 0, 160, 20};
    DrawPlatformMenuItem(data, draw);
    const ui::TBitmap& strip = data.MenuItem->Bitmap;
    const int fw = strip.Width() / 5;
    EXPECT_EQ(BitmapPixel(target, 1 + data.MenuItem->LeftWidth + 16 + 1, 10),
              BitmapPixel(strip, 3 * fw + fw / 2, strip.Height() / 2));
    // Outside the transparent corner of the selected frame: the menu colour (no popup here).
    EXPECT_EQ(BitmapPixel(target, 0, 0), Rgb(data.MenuColor));

    // Greyed: the button-shadow text colour.
    ui::TBitmap grey(160, 20);
    draw.itemID = 9;
    draw.itemState = ODS_GRAYED;
    draw.hDC = grey.Canvas().Handle();
    DrawPlatformMenuItem(data, draw);
    const ui::TColor shadow = data.ButtonShadowColor == data.MenuTextColor ? ui::clBtnShadow : data.ButtonShadowColor;
    int greyText = 0, plainText = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 160; ++x) {
            greyText += BitmapPixel(grey, x, y) == Rgb(shadow);
            plainText += BitmapPixel(grey, x, y) == Rgb(data.MenuTextColor);
        }
    EXPECT_GT(greyText, 5);
    EXPECT_EQ(plainText, 0);
    DestroyMenu(platform);

    // Without a MenuItem image the plain colours: a selected item on the highlight colour.
    ui::TMenuItem item(nullptr);
    item.SetCaption(L"Plain");
    data.MenuItem.reset();
    ui::TBitmap plain(100, 20);
    DrawSkinMenuItem(data, item, plain.Canvas(), RECT{0, 0, 100, 20}, true);
    EXPECT_EQ(BitmapPixel(plain, 99, 0), Rgb(data.HilightColor));
    DrawSkinMenuItem(data, item, plain.Canvas(), RECT{0, 0, 100, 20}, false);
    EXPECT_EQ(BitmapPixel(plain, 99, 0), Rgb(data.MenuColor));

    // A bar caption sits in the middle both ways; disabled, in the button-shadow colour.
    ui::TBitmap bar(120, 30);
    {
        ui::TBrushHandle white(CreateSolidBrush(RGB(255, 255, 255)));
        RECT all{0, 0, 120, 30};
        FillRect(bar.Canvas().Handle(), &all, white.Get());
    }
    bar.Canvas().Font().Assign(ui::Screen.MenuFont());
    bar.Canvas().Font().SetColor(ui::clBlack);
    DrawMenuCaption(bar.Canvas(), RECT{0, 0, 120, 30}, L"Menu", ui::TAlignment::taLeftJustify, false);
    // The text's cell, centred both ways: every drawn pixel lies in it.
    RECT cell{0, 0, 120, 30};
    {
        ui::TMemoryDC dc(nullptr);
        ui::TSelectObject font(dc.Get(), ui::Screen.MenuFont().Handle());
        DrawTextW(dc.Get(), L"Menu", 4, &cell, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
        OffsetRect(&cell, (120 - (cell.right - cell.left)) / 2, (30 - (cell.bottom - cell.top)) / 2);
    }
    int inside = 0, outside = 0, other = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x) {
            const std::uint32_t c = BitmapPixel(bar, x, y);
            if (c == 0xFFFFFF)
                continue;
            other += c != Rgb(ui::clBtnShadow);
            const POINT p{x, y};
            (PtInRect(&cell, p) ? inside : outside) += 1;
        }
    EXPECT_GT(inside, 10) << "nothing drawn";
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(other, 0) << "a disabled caption is drawn in the button-shadow colour only";
    EXPECT_GT(cell.left, 40);
    EXPECT_GT(cell.top, 5);
}

TEST_F(MenuItems, FormsMenusSwitchToTheSkinsDrawingAndBack)
{
    ui::TForm form(nullptr);
    auto* popup = new ui::TPopupMenu(&form);
    ui::TMenuItem* a = AddItem(*popup->Items(), L"A");
    ui::TMenuItem* inner = AddItem(*a, L"Inner");
    auto* skipped = new ui::TPopupMenu(&form);
    skipped->SetTag(199);  // DisableTag 99
    ui::TMenuItem* b = AddItem(*skipped->Items(), L"B");
    auto* bar = new ui::TMainMenu(&form);
    ui::TMenuItem* top = AddItem(*bar->Items(), L"File");
    ui::TMenuItem* below = AddItem(*top, L"New");
    ui::TMenuItem* own = AddItem(*top, L"Own");
    bool ownDrawn = false;
    own->OnDrawItem = [&](ui::TObject*, ui::TCanvas&, ui::TRect, bool) { ownDrawn = true; };

    TSkinData* data = &windows.Data();
    MakePopupMenusOwnerDraw(&form, data, true);
    MakeMainMenusOwnerDraw(&form, data, true);
    EXPECT_TRUE(popup->OwnerDraw());
    EXPECT_TRUE(a->OnDrawItem && a->OnMeasureItem && inner->OnDrawItem && inner->OnMeasureItem);
    EXPECT_FALSE(skipped->OwnerDraw());
    EXPECT_FALSE(b->OnDrawItem);
    EXPECT_TRUE(bar->OwnerDraw());
    EXPECT_FALSE(top->OnDrawItem) << "bar items are the bar's";
    EXPECT_TRUE(below->OnDrawItem && below->OnMeasureItem);
    ui::TBitmap scratch(10, 10);
    own->OnDrawItem(own, scratch.Canvas(), RECT{0, 0, 10, 10}, false);
    EXPECT_TRUE(ownDrawn) << "an item's own drawing was replaced";

    MakePopupMenusOwnerDraw(&form, data, false);
    MakeMainMenusOwnerDraw(&form, data, false);
    EXPECT_FALSE(popup->OwnerDraw());
    EXPECT_FALSE(bar->OwnerDraw());
    EXPECT_FALSE(a->OnDrawItem || a->OnMeasureItem || inner->OnDrawItem || below->OnDrawItem || own->OnDrawItem);
}

} // namespace
