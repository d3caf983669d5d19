#include "skin/window/SkinMenuItems.h"

#include "skin/data/SkinDraw.h"
#include "skin/data/SkinText.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/SkinPopMenu.h"
#include "ui/Forms.h"
#include "ui/GdiObjects.h"
#include "ui/ImgList.h"
#include "ui/Menus.h"

#include <algorithm>
#include <map>
#include <string>
#include <typeinfo>
#include <memory>
#include <vector>
#include <functional>

namespace skin {

namespace {

constexpr UINT CheckMarkBitmap = 32760;  // OBM_CHECK
constexpr UINT CaptionMeasure = DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE;

int SkinLeftWidth(const TSkinData& skin)
{
    return skin.MenuItem ? skin.MenuItem->LeftWidth : 0;
}

// The item's own measuring, without its OnMeasureItem (which is the skin's, calling this).
void MeasureOwnUncached(ui::TMenuItem& item, ui::TCanvas& canvas, int& width, int& height)
{
    struct TRestore {
        ui::TMenuItem& item;
        ui::TMenuMeasureItemEvent saved;
        ~TRestore() { item.OnMeasureItem = saved; }
    } restore{item, item.OnMeasureItem};
    item.OnMeasureItem = nullptr;
    item.MeasureItem(canvas, width, height);
}

// A menu measures every item each time it opens; a plain item's size depends only on what it
// shows and the font, so each such size is measured once.
void MeasureOwn(ui::TMenuItem& item, ui::TCanvas& canvas, int& width, int& height)
{
    if (typeid(item) != typeid(ui::TMenuItem)) {
        MeasureOwnUncached(item, canvas, width, height);
        return;
    }
    const ui::TImageList* images = item.GetImageList();
    ui::TFont& font = canvas.Font();
    std::wstring key = item.Caption();
    key += L'\t' + std::to_wstring(item.ShortCut()) + L'\t' + std::to_wstring(height) + L'\t' +
           std::to_wstring(images ? images->Width() * 1000 + images->Height() : -1) + L'\t' + font.Name() + L'\t' +
           std::to_wstring(font.Height() * 16 + static_cast<int>(font.Style()));
    static std::map<std::wstring, SIZE> sizes;
    if (auto found = sizes.find(key); found != sizes.end()) {
        width = found->second.cx;
        height = found->second.cy;
        return;
    }
    MeasureOwnUncached(item, canvas, width, height);
    if (sizes.size() > 512)
        sizes.clear();
    sizes.emplace(std::move(key), SIZE{width, height});
}

// The popup window showing `menu`: its background and where the item rectangles of its DC start
// inside that background (the client origin: (0, 0) where the window has no non-client border).
ui::TBitmap* PopupBackground(HMENU menu, POINT& offset)
{
    offset = POINT{0, 0};
    TSkinManage* manager = SkinManager();
    ui::TBitmap* background = manager && menu ? manager->FindPopupBackground(menu) : nullptr;
    if (!background)
        return nullptr;
    for (const auto& popup : manager->PopupMenus)
        if (popup && &popup->Background == background && popup->Handle) {
            RECT bounds{};
            GetWindowRect(popup->Handle, &bounds);
            POINT origin{0, 0};
            ClientToScreen(popup->Handle, &origin);
            offset = POINT{origin.x - bounds.left, origin.y - bounds.top};
        }
    return background;
}

// An 8 x 8 checker of button face and highlight, as a checked item's image sits on.
ui::TBrushHandle CheckedPatternBrush()
{
    ui::TBitmap pattern(8, 8);
    const COLORREF face = ui::ColorToRGB(ui::clBtnFace), light = ui::ColorToRGB(ui::clBtnHighlight);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            SetPixel(pattern.Canvas().Handle(), x, y, ((x + y) & 1) ? light : face);
    return ui::TBrushHandle(CreatePatternBrush(pattern.Handle()));
}

// The platform check mark centred in `box`, in the DC's text colour; its white is left out.
void DrawCheckMark(HDC dc, const RECT& box, COLORREF colour)
{
    ui::TBitmapHandle mark(LoadBitmapW(nullptr, MAKEINTRESOURCEW(CheckMarkBitmap)));
    BITMAP info{};
    if (!mark || !GetObjectW(mark.Get(), sizeof(info), &info))
        return;
    const int x = box.left + (box.right - box.left - info.bmWidth) / 2 + 1;
    const int y = box.top + (box.bottom - box.top - info.bmHeight) / 2 + 1;
    ui::TMemoryDC source(dc);
    ui::TSelectObject select(source.Get(), mark.Get());
    ui::TSavedDC saved(dc);
    // Monochrome source: its 0 bits (the mark) take the text colour, its 1 bits the background.
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 0));
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.Get(), 0, 0, SRCAND);
    SetBkColor(dc, RGB(0, 0, 0));
    SetTextColor(dc, colour);
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.Get(), 0, 0, SRCPAINT);
}

// Glyph, caption and shortcut of an item (a "-" caption: an etched line) on a canvas whose
// background is already drawn.
void DrawItemContent(TSkinData& skin, ui::TMenuItem& item, ui::TCanvas& canvas, const RECT& rect, bool selected)
{
    HDC dc = canvas.Handle();
    const std::wstring& caption = item.Caption();
    const bool line = caption == L"-";
    ui::TMenu* menu = item.GetParentMenu();
    const bool rightToLeft = menu && menu->IsRightToLeft();
    ui::TImageList* images = item.GetImageList();

    int size = images ? images->Width() : 16;
    if (item.Checked())
        size = std::max(size, 16);
    RECT box{};
    if (rightToLeft) {
        const int right = rect.right - 1 - SkinLeftWidth(skin);
        box = RECT{right - size, rect.top + 1, right, rect.top + 1 + size};
    } else {
        const int left = rect.left + 1 + SkinLeftWidth(skin);
        box = RECT{left, rect.top + 1, left + size, rect.top + 1 + size};
    }
    if (line)
        box = rightToLeft ? RECT{box.right, box.top, box.right, box.top} : RECT{box.left, box.top, box.left, box.top};

    ui::TColor colour = selected ? skin.HilightTextColor : skin.MenuTextColor;
    if (!item.Enabled())
        colour = skin.ButtonShadowColor == skin.MenuTextColor ? ui::clBtnShadow : skin.ButtonShadowColor;

    const bool validImage = !line && images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count();
    if (validImage) {
        if (item.Checked()) {
            ui::TBrushHandle pattern = CheckedPatternBrush();
            if (pattern)
                FillRect(dc, &box, pattern.Get());
            RECT edge = box;
            DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
        }
        images->Draw(dc, box.left, box.top, item.ImageIndex(), item.Enabled());
    } else if (!line && item.Checked()) {
        DrawCheckMark(dc, box, ui::ColorToRGB(colour));
    }

    RECT textRect = rightToLeft ? RECT{rect.left + 1, rect.top, box.left - 3, rect.bottom}
                                : RECT{box.right + 3, rect.top, rect.right - 1, rect.bottom};
    if (line) {
        RECT etched = textRect;
        OffsetRect(&etched, 0, 4);
        DrawEdge(dc, &etched, EDGE_ETCHED, BF_TOP);
        return;
    }

    canvas.Brush().SetStyle(ui::TBrushStyle::Clear);
    canvas.Font().SetColor(colour);
    canvas.Font().SetStyle(item.Default() ? static_cast<ui::TFontStyles>(ui::TFontStyle::Bold) : 0);
    RECT measured = textRect;
    canvas.DrawText(caption, measured, CaptionMeasure);
    const int width = measured.right - measured.left, height = measured.bottom - measured.top;
    const int top = textRect.top + (textRect.bottom - textRect.top - height) / 2;
    RECT captionRect = rightToLeft ? RECT{textRect.right - width, top, textRect.right, top + height}
                                   : RECT{textRect.left, top, textRect.left + width, top + height};
    canvas.DrawText(caption, captionRect, (rightToLeft ? DT_RIGHT : DT_LEFT) | DT_EXPANDTABS | DT_SINGLELINE);

    if (item.ShortCut()) {
        const std::wstring shortcut = ui::ShortCutToText(item.ShortCut());
        RECT shortcutRect = rightToLeft ? RECT{rect.left + 11, top, captionRect.left, top + height}
                                        : RECT{captionRect.right, top, rect.right - 11, top + height};
        canvas.DrawText(shortcut, shortcutRect,
                        (rightToLeft ? DT_LEFT : DT_RIGHT) | DT_EXPANDTABS | DT_SINGLELINE | DT_NOPREFIX);
    }
}

// The separator strip (frame 2 of MenuItem): caps copied, middle stretched, drawn transparent.
void DrawSeparatorImage(TSkinData& skin, HDC dc, const RECT& rect)
{
    TDataSkinObject& object = *skin.MenuItem;
    ui::TBitmap& strip = object.Bitmap;
    const int frameWidth = strip.Width() / 5;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (frameWidth <= 0 || strip.Empty() || width <= 0 || height <= 0)
        return;
    const int rows = std::min(strip.Height(), height);
    const int sourceTop = strip.Height() > height ? strip.Height() - height : 0;
    const int left = std::clamp(object.LeftWidth, 0, frameWidth);
    const int right = std::clamp(object.RightWidth, 0, frameWidth - left);
    ui::TBitmap picture(width, height);
    HDC target = picture.Canvas().Handle();
    HDC source = strip.Canvas().Handle();
    {
        ui::TBrushHandle key(CreateSolidBrush(ui::ColorToRGB(SkinKeyColor)));
        RECT all{0, 0, width, height};
        FillRect(target, &all, key.Get());
    }
    const int capLeft = std::min(left, width), capRight = std::min(right, width - capLeft);
    BitBlt(target, 0, 0, capLeft, rows, source, frameWidth, sourceTop, SRCCOPY);
    BitBlt(target, width - capRight, 0, capRight, rows, source, 2 * frameWidth - capRight, sourceTop, SRCCOPY);
    const int middle = width - capLeft - capRight, sourceMiddle = frameWidth - left - right;
    if (middle > 0 && sourceMiddle > 0) {
        const int oldMode = SetStretchBltMode(target, COLORONCOLOR);
        StretchBlt(target, capLeft, 0, middle, rows, source, frameWidth + left, sourceTop, sourceMiddle, rows,
                   SRCCOPY);
        SetStretchBltMode(target, oldMode);
    }
    DrawMasked(dc, rect, &picture, SkinKeyColor);
}

// The item's face (the MenuItem strip's frame at an item's size): the same few sizes come back for
// every item of every menu, so each is built once and kept, with the mask of its transparent
// pixels, and drawn with two plain copies.
struct TItemFace {
    HBITMAP source = nullptr;
    int width = 0, height = 0, frame = 0;
    std::unique_ptr<ui::TBitmap> picture;  // transparent pixels made black
    ui::TBitmapHandle mask;                // 1 where transparent
};

TItemFace* ItemFace(TDataSkinObject& object, int width, int height, int frame)
{
    static std::vector<std::unique_ptr<TItemFace>> faces;
    for (auto& face : faces)
        if (face->source == object.Bitmap.Handle() && face->width == width && face->height == height &&
            face->frame == frame)
            return face.get();
    auto face = std::make_unique<TItemFace>();
    face->picture = BuildSkinRect(ui::Rect(0, 0, width, height), &object.Bitmap, object.Margins(), false,
                                  object.Tile != 0, 5, frame);
    if (!face->picture)
        return nullptr;
    face->source = object.Bitmap.Handle();
    face->width = width;
    face->height = height;
    face->frame = frame;
    if (object.Trans != 0) {
        HDC picture = face->picture->Canvas().Handle();
        face->mask = ui::TBitmapHandle(CreateBitmap(width, height, 1, 1, nullptr));
        ui::TMemoryDC maskDC(picture);
        ui::TSelectObject select(maskDC.Get(), face->mask.Get());
        // Colour to monochrome: key pixels become 1.
        const COLORREF oldBack = SetBkColor(picture, ui::ColorToRGB(SkinKeyColor));
        BitBlt(maskDC.Get(), 0, 0, width, height, picture, 0, 0, SRCCOPY);
        SetBkColor(picture, oldBack);
        // Key pixels of the picture become black, so that OR-ing it leaves the background there.
        // (A monochrome source gives its 1 bits the background colour, its 0 bits the text colour.)
        const COLORREF oldText = SetTextColor(picture, RGB(0, 0, 0));
        SetBkColor(picture, RGB(255, 255, 255));
        BitBlt(picture, 0, 0, width, height, maskDC.Get(), 0, 0, 0x00220326 /* DSna */);
        SetTextColor(picture, oldText);
        SetBkColor(picture, oldBack);
    }
    constexpr std::size_t kept = 16;
    if (faces.size() >= kept)
        faces.erase(faces.begin());
    faces.push_back(std::move(face));
    return faces.back().get();
}

void DrawItemFace(HDC dc, TItemFace& face)
{
    HDC picture = face.picture->Canvas().Handle();
    if (!face.mask) {
        BitBlt(dc, 0, 0, face.width, face.height, picture, 0, 0, SRCCOPY);
        return;
    }
    ui::TMemoryDC maskDC(dc);
    ui::TSelectObject select(maskDC.Get(), face.mask.Get());
    ui::TSavedDC saved(dc);
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 0));
    BitBlt(dc, 0, 0, face.width, face.height, maskDC.Get(), 0, 0, SRCAND);
    BitBlt(dc, 0, 0, face.width, face.height, picture, 0, 0, SRCPAINT);
}

// The skinned item. `menu` is the platform menu showing it (for the popup's background);
// `separator` draws a "-" caption from the skin's separator frame.
void DrawItem(TSkinData& skin, ui::TMenuItem& item, ui::TCanvas& canvas, const RECT& rect, bool selected, HMENU menu,
              bool separator)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0 || !canvas.HandleAllocated())
        return;
    // One work bitmap kept for every item (the same few sizes come back); an item drawn while
    // another is being drawn gets a bitmap of its own.
    static ui::TBitmap shared;
    static bool sharedInUse = false;
    std::unique_ptr<ui::TBitmap> own;
    ui::TBitmap* work = &shared;
    if (sharedInUse) {
        own = std::make_unique<ui::TBitmap>();
        work = own.get();
    }
    struct TInUse {
        bool& flag;
        bool active;
        ~TInUse() { if (active) flag = false; }
    } inUse{sharedInUse, work == &shared};
    if (work == &shared)
        sharedInUse = true;
    if (work->Width() != width || work->Height() != height)
        work->SetSize(width, height);
    if (work->Empty())
        return;
    ui::TCanvas& workCanvas = work->Canvas();
    workCanvas.Font().Assign(ui::Screen.MenuFont());
    HDC workDC = workCanvas.Handle();
    const RECT local{0, 0, width, height};

    if (!skin.MenuItem) {
        ui::TBrushHandle fill(CreateSolidBrush(ui::ColorToRGB(selected ? skin.HilightColor : skin.MenuColor)));
        FillRect(workDC, &local, fill.Get());
        DrawItemContent(skin, item, workCanvas, local, selected);
        BitBlt(canvas.Handle(), rect.left, rect.top, width, height, workDC, 0, 0, SRCCOPY);
        return;
    }

    {
        ui::TBrushHandle fill(CreateSolidBrush(ui::ColorToRGB(skin.MenuColor)));
        FillRect(workDC, &local, fill.Get());
    }
    POINT offset{};
    if (ui::TBitmap* background = PopupBackground(menu, offset))
        BitBlt(workDC, 0, 0, width, height, background->Canvas().Handle(), rect.left + offset.x, rect.top + offset.y,
               SRCCOPY);

    TDataSkinObject& object = *skin.MenuItem;
    if (separator && item.Caption() == L"-") {
        BitBlt(canvas.Handle(), rect.left, rect.top, width, height, workDC, 0, 0, SRCCOPY);
        DrawSeparatorImage(skin, canvas.Handle(), rect);
        return;
    }
    if (TItemFace* face = ItemFace(object, width, height, selected ? 4 : 1))
        DrawItemFace(workDC, *face);
    DrawItemContent(skin, item, workCanvas, local, selected);
    BitBlt(canvas.Handle(), rect.left, rect.top, width, height, workDC, 0, 0, SRCCOPY);
}

std::wstring PlatformMenuText(HMENU menu, UINT item, UINT by = MF_BYCOMMAND)
{
    wchar_t text[512] = {};
    const int length = GetMenuStringW(menu, item, text, static_cast<int>(std::size(text)), by);
    return std::wstring(text, text + std::max(length, 0));
}

void ForEachItem(ui::TMenuItem& parent, int depth, const std::function<void(ui::TMenuItem&, int)>& action)
{
    for (int i = 0; i < parent.Count(); ++i) {
        ui::TMenuItem& child = *parent.Items(i);
        action(child, depth);
        ForEachItem(child, depth + 1, action);
    }
}

} // namespace

void DrawMenuCaption(ui::TCanvas& canvas, const RECT& rect, const std::wstring& text, ui::TAlignment alignment,
                     bool enabled)
{
    const UINT align = alignment == ui::TAlignment::taRightJustify ? DT_RIGHT
                       : alignment == ui::TAlignment::taCenter     ? DT_CENTER
                                                                   : DT_LEFT;
    const UINT format = align | DT_SINGLELINE | DT_EXPANDTABS;
    const ui::TColor callerColour = canvas.Font().Color();
    canvas.Brush().SetStyle(ui::TBrushStyle::Clear);
    canvas.Font().SetStyle(0);
    if (!enabled)
        canvas.Font().SetColor(ui::clBtnShadow);
    canvas.Prepare();
    ui::TRect r = rect;
    DrawTextUnicode(canvas.Handle(), text, r, format | DT_CALCRECT | DT_NOCLIP);
    OffsetRect(&r, ((rect.right - rect.left) - (r.right - r.left)) / 2, ((rect.bottom - rect.top) - (r.bottom - r.top)) / 2);
    DrawTextUnicode(canvas.Handle(), text, r, format);
    if (!enabled)
        canvas.Font().SetColor(callerColour);
}

void MeasureMainMenuItem(TSkinData& skin, ui::TMenuItem& item, ui::TCanvas& canvas, int& width, int& height)
{
    MeasureOwn(item, canvas, width, height);
    width += SkinLeftWidth(skin) + 10;
    if (!item.GetImageList())
        width += 25;
}

void MeasurePopupMenuItem(TSkinData& skin, ui::TMenuItem& item, ui::TCanvas& canvas, int& width, int& height)
{
    MeasureOwn(item, canvas, width, height);
    width += SkinLeftWidth(skin) + 12;
    if (!item.GetImageList())
        width += 23;
}

void MeasurePlatformMenuItem(TSkinData& skin, HMENU menu, MEASUREITEMSTRUCT& measure)
{
    const std::wstring text = PlatformMenuText(menu, measure.itemID);
    SIZE extent{};
    {
        ui::TClientDC screen(nullptr);
        ui::TSelectObject font(screen.Get(), ui::Screen.MenuFont().Handle());
        if (!text.empty())
            GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    measure.itemWidth = static_cast<UINT>(extent.cx + 26 + SkinLeftWidth(skin));
    if (text.empty())
        measure.itemHeight = 8;
    else
        measure.itemHeight += 4;
}

void DrawSkinMenuItem(TSkinData& skin, ui::TMenuItem& item, ui::TCanvas& canvas, const RECT& rect, bool selected)
{
    HMENU menu = nullptr;
    if (skin.MenuItem && item.Parent()) {
        menu = item.Parent()->Handle();
        // The popup that painted before knowing its menu learns it from its first item.
        if (TWinSkinPopMenu* pending = PendingPopup()) {
            pending->Menu = menu;
            SetPendingPopup(nullptr);
        }
    }
    DrawItem(skin, item, canvas, rect, selected, menu, true);
}

void DrawPlatformMenuItem(TSkinData& skin, const DRAWITEMSTRUCT& draw)
{
    HMENU menu = reinterpret_cast<HMENU>(draw.hwndItem);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    if (!GetMenuItemInfoW(menu, draw.itemID, FALSE, &info))
        info.fState = 0;
    const std::wstring text = PlatformMenuText(menu, draw.itemID);
    ui::TMenuItem item(nullptr);
    item.SetCaption(text.empty() ? L"-" : text);
    item.SetEnabled(!(info.fState & (MFS_GRAYED | MFS_DISABLED)));
    item.SetChecked((info.fState & MFS_CHECKED) != 0);
    ui::TBorrowedCanvas borrowed(draw.hDC, &ui::Screen.MenuFont());
    DrawItem(skin, item, borrowed.Canvas(), draw.rcItem, (draw.itemState & ODS_SELECTED) != 0, menu, false);
}

void MakePopupMenusOwnerDraw(ui::TComponent* form, TSkinData* skin, bool value)
{
    if (!form || !skin || form->ClassInfo().Name == "TwwRichEditForm")
        return;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* popup = dynamic_cast<ui::TPopupMenu*>(form->Components(i));
        if (!popup || !skin->HasSkinControl(xcPopupMenu) || popup->Tag() % 100 == skin->DisableTag())
            continue;
        popup->SetOwnerDraw(value);
        ForEachItem(*popup->Items(), 1, [skin, value](ui::TMenuItem& item, int) {
            if (value) {
                ui::TMenuItem* target = &item;
                item.OnDrawItem = [skin, target](ui::TObject*, ui::TCanvas& canvas, ui::TRect rect, bool selected) {
                    DrawSkinMenuItem(*skin, *target, canvas, rect, selected);
                };
                item.OnMeasureItem = [skin, target](ui::TObject*, ui::TCanvas& canvas, int& width, int& height) {
                    MeasurePopupMenuItem(*skin, *target, canvas, width, height);
                };
            } else {
                item.OnDrawItem = nullptr;
                item.OnMeasureItem = nullptr;
            }
        });
    }
}

void MakeMainMenusOwnerDraw(ui::TComponent* form, TSkinData* skin, bool value)
{
    if (!form || !skin)
        return;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* mainMenu = dynamic_cast<ui::TMainMenu*>(form->Components(i));
        if (!mainMenu)
            continue;
        mainMenu->SetOwnerDraw(value);
        ForEachItem(*mainMenu->Items(), 1, [skin, value](ui::TMenuItem& item, int depth) {
            if (!value) {
                item.OnDrawItem = nullptr;
                item.OnMeasureItem = nullptr;
                return;
            }
            // The bar's own items are drawn by the skinned menu bar.
            if (depth < 2 || item.OnDrawItem)
                return;
            ui::TMenuItem* target = &item;
            item.OnDrawItem = [skin, target](ui::TObject*, ui::TCanvas& canvas, ui::TRect rect, bool selected) {
                DrawSkinMenuItem(*skin, *target, canvas, rect, selected);
            };
            item.OnMeasureItem = [skin, target](ui::TObject*, ui::TCanvas& canvas, int& width, int& height) {
                MeasureMainMenuItem(*skin, *target, canvas, width, height);
            };
        });
    }
}

void SetPlatformMenuOwnerDraw(HMENU menu, bool value)
{
    if (!menu)
        return;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info))
            continue;
        if (info.hSubMenu)
            SetPlatformMenuOwnerDraw(info.hSubMenu, value);
        const UINT type = value ? (info.fType | MFT_OWNERDRAW) : (info.fType & ~MFT_OWNERDRAW);
        if (type == info.fType)
            continue;
        // The type alone: MIIM_TYPE would replace the text.
        MENUITEMINFOW change{};
        change.cbSize = sizeof(change);
        change.fMask = MIIM_FTYPE;
        change.fType = type;
        SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &change);
    }
}

void TidySeparators(ui::TMenuItem& parent)
{
    const int count = parent.Count();
    // Leading separators.
    int first = 0;
    for (int i = 0; i < count; ++i) {
        ui::TMenuItem& child = *parent.Items(i);
        if (!child.Visible())
            continue;
        if (!child.IsLine()) {
            first = i;
            break;
        }
        child.SetVisible(false);
    }
    // One separator per run: the last of each, shown once an item follows it.
    ui::TMenuItem* separator = nullptr;
    for (int i = first; i < count; ++i) {
        ui::TMenuItem& child = *parent.Items(i);
        if (child.IsLine()) {
            if (separator && separator->Visible())
                separator->SetVisible(false);
            separator = &child;
        } else if (child.Visible() && separator) {
            if (!separator->Visible())
                separator->SetVisible(true);
            separator = nullptr;
        }
    }
    // Trailing separators.
    for (int i = count - 1; i >= first; --i) {
        ui::TMenuItem& child = *parent.Items(i);
        if (!child.Visible())
            continue;
        if (!child.IsLine())
            break;
        child.SetVisible(false);
    }
}

int MenuMnemonicPosition(HMENU menu, wchar_t ch)
{
    if (!menu || !ch)
        return -1;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED))
            continue;
        if (ui::IsAccel(ch, PlatformMenuText(menu, static_cast<UINT>(i), MF_BYPOSITION)))
            return i;
    }
    return -1;
}

} // namespace skin
