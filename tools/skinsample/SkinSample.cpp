// skinsample: shows a window with a sample of every skin object drawn by the drawing routines and
// saves what the window shows as a PNG, so that a person can judge a skin.
//
//   skinsample [skin.skn|""] [out.png]
//
// Without a skin file the product skin linked into the program is used; the picture goes to
// skin-sample.png in the current folder. The window's pixels are read back from the screen after
// it has painted, so the PNG is what a user would see.
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinText.h"
#include "skin/data/WinSkinData.h"
#include "ui/Classes.h"
#include "ui/GdiObjects.h"
#include "ui/Graphics.h"

#include <png.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace skin;

namespace {

constexpr int CanvasWidth = 1180;
constexpr int CanvasHeight = 1000;

std::vector<std::uint8_t> LinkedSkin()
{
    HRSRC resource = FindResourceW(nullptr, L"PRODUCTSKIN", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!resource)
        return {};
    HGLOBAL loaded = LoadResource(nullptr, resource);
    const auto* bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
    return std::vector<std::uint8_t>(bytes, bytes + SizeofResource(nullptr, resource));
}

// The frame's rules for caption buttons (skin/window/CaptionButtons.cpp), for a sizeable window with
// maximise, minimise and system-menu boxes, not maximised, outside an MDI frame.
enum class CaptionState { Normal, Hot, Pressed };

// TWinSysButton::FrameIndex: an inactive window shows frame 4 of a strip of four or more and
// frame 1 otherwise; an active one shows 1 at rest, 2 pressed, 3 under the mouse (4 for the
// buttons in an MDI frame's menu bar).
int CaptionButtonFrame(const TDataSkinSysButton& b, bool active, CaptionState state)
{
    if (!active)
        return b.Frame >= 4 ? 4 : 1;
    switch (state) {
    case CaptionState::Pressed:
        return 2;
    case CaptionState::Hot:
        return b.Visibility == 100 ? 4 : 3;
    default:
        return 1;
    }
}

// VisibilityHolds and TWinSkinForm::IsShown for that window.
bool CaptionVisibilityHolds(int value, bool firstCondition, bool active)
{
    const bool maximised = false, maxBox = true, minBox = true, sysMenu = true;
    switch (value) {
    case 0: return true;
    case 1: return maximised;
    case 2: return !maximised;
    case 3: return active;
    case 4: return !active;
    case 6: return firstCondition ? maxBox && sysMenu : maxBox;
    case 7: return !maxBox;
    case 8: return firstCondition ? minBox && sysMenu : minBox;
    case 9: return !minBox;
    case 100: return false;  // only in an MDI frame whose child is maximised
    case 200: return false;  // only on dialog borders
    default: return value >= 201 && value <= 2000;
    }
}

bool CaptionButtonShown(const TDataSkinSysButton& b, bool active)
{
    return CaptionVisibilityHolds(b.Visibility, true, active) && CaptionVisibilityHolds(b.Visibility1, false, active);
}

// Paints the samples onto one canvas.
class SamplePainter {
public:
    SamplePainter(TSkinData& skin, ui::TBitmap& canvas) : skin_(skin), canvas_(canvas), dc_(canvas.Canvas().Handle())
    {
        font_ = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, L"Tahoma");
        bold_ = CreateFontW(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, L"Tahoma");
    }
    ~SamplePainter()
    {
        DeleteObject(font_);
        DeleteObject(bold_);
    }

    void Paint()
    {
        Fill(ui::Rect(0, 0, canvas_.Width(), canvas_.Height()), skin_.ButtonFaceColor);
        MockWindow(10, 26, 560, 200, true);
        MockWindow(600, 26, 560, 200, false);
        Heading(10, 6, L"Window frame, caption, caption buttons, menu bar (active)");
        Heading(600, 6, L"(inactive)");

        int y = 246;
        Heading(10, y, L"Push buttons, frames 1-5");
        for (int i = 1; i <= 5; ++i)
            PushButton(10 + (i - 1) * 98, y + 20, 90, 25, i);
        Heading(520, y, L"Check boxes / radio buttons, every frame");
        GlyphStrip(520, y + 22, skin_.Buttons->CheckBitmap, skin_.Buttons->CheckButtonFrame);
        GlyphStrip(520, y + 48, skin_.Buttons->RadioBitmap, skin_.Buttons->RadioButtonFrame);

        y += 84;
        Heading(10, y, L"Progress bar at 60%");
        Progress(10, y + 20, 220, 18, 0.6);
        Heading(340, y, L"Combo box frames (composite), 1-4");
        Frames(skin_.ComboButton.get(), 340, y + 20, 150, 21, 4, L"Sequ\x00eancia");
        y += 54;
        Heading(10, y, L"Group box");
        GroupBox(10, y + 18, 300, 96);
        Heading(340, y, L"Sunken edge, 1-4");
        Frames(skin_.SunkEdge.get(), 340, y + 18, 150, 24, 4, L"00001234");
        Heading(340, y + 50, L"Status bar edges, 1-3");
        Frames(skin_.StatusBarEdges.get(), 340, y + 68, 200, 22, 3, L"Pronto");
        y += 124;
        Heading(10, y, L"Tabs, 1-5, and tab border");
        Frames(skin_.Tabs.get(), 10, y + 18, 90, 24, 5, L"Guia");
        TabBorder(10, y + 44, 460, 70);
        Heading(520, y, L"Header bar, 1-5");
        Frames(skin_.Headerbar.get(), 520, y + 18, 120, 22, 5, L"Coluna");
        Heading(520, y + 48, L"Toolbar, 1-5");
        Frames(skin_.Toolbars.get(), 520, y + 66, 120, 26, 5, L"Barra");

        y += 126;
        Heading(10, y, L"Menu items 1, 2, 4");
        Menu(10, y + 18, 220);
        Heading(260, y, L"Extra images, 1-5");
        Natural(skin_.ExtraImages.get(), 260, y + 18, 5);
        Heading(260, y + 50, L"Up-down horizontal / vertical, 1-8, with glyphs");
        UpDown(skin_.UpDownHorz.get(), 260, y + 68, 36, 18);
        UpDown(skin_.UpDownVert.get(), 260, y + 92, 18, 36);
        Heading(260, y + 134, L"MDI child buttons (minimise, restore, close), 1-4");
        MdiButtons(260, y + 152);
        Heading(260, y + 178, L"System-menu glyphs (restore, maximise, minimise, close)");
        for (int i = 0; i < skin_.MenuGlyphs.Count(); ++i)
            skin_.MenuGlyphs.Draw(dc_, 260 + i * 24, y + 196, i);

        const int thumbsTop = y;
        Heading(620, thumbsTop, L"Track bar thumbs: horz, vert, left, right, up, down; 1-5");
        int ty = thumbsTop + 20;
        for (TDataSkinObject* thumb : {skin_.TrackbarThumbHorz.get(), skin_.TrackbarThumbVert.get(),
                                       skin_.TrackbarThumbLeft.get(), skin_.TrackbarThumbRight.get(),
                                       skin_.TrackbarThumbUp.get(), skin_.TrackbarThumbDown.get()}) {
            Natural(thumb, 620, ty, 5);
            ty += (thumb && !thumb->Bitmap.Empty() ? thumb->Bitmap.Height() : 20) + 4;
        }

        const int sy = std::max(thumbsTop + 222, ty + 6);
        Heading(10, sy, L"Scroll bar: the 23-frame arrow strip, tracks 1-4 and thumbs");
        Natural(skin_.Scrollbar.get(), 10, sy + 20, 23, 2);
        Frames(skin_.HorzScroll.get(), 10, sy + 48, 100, 17, 4, L"");
        Frames(skin_.HorzScrollThumb.get(), 440, sy + 48, 60, 17, skin_.HorzScrollThumb ? skin_.HorzScrollThumb->Frame : 0,
               L"");
        for (int i = 1; i <= 4; ++i)
            Draw(skin_.VertScroll.get(), ui::Rect(10 + (i - 1) * 24, sy + 72, 27 + (i - 1) * 24, sy + 150), i);
        const int vthumbs = skin_.VertScrollThumb ? skin_.VertScrollThumb->Frame : 0;
        for (int i = 1; i <= vthumbs; ++i)
            Draw(skin_.VertScrollThumb.get(), ui::Rect(120 + (i - 1) * 24, sy + 72, 137 + (i - 1) * 24, sy + 132), i);
    }

private:
    void Fill(const ui::TRect& r, ui::TColor colour)
    {
        HBRUSH brush = CreateSolidBrush(ui::ColorToRGB(colour));
        FillRect(dc_, &r, brush);
        DeleteObject(brush);
    }

    void Text(const ui::TRect& r, const std::wstring& text, ui::TColor colour, UINT format, HFONT font = nullptr)
    {
        HGDIOBJ old = SelectObject(dc_, font ? font : font_);
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, ui::ColorToRGB(colour));
        ui::TRect box = r;
        DrawTextUnicode(dc_, text, box, format | DT_NOPREFIX);
        SelectObject(dc_, old);
    }

    void Heading(int x, int y, const std::wstring& text)
    {
        Text(ui::Rect(x, y, x + 560, y + 16), text, skin_.WindowTextColor, DT_LEFT | DT_SINGLELINE, bold_);
    }

    void Missing(const ui::TRect& r)
    {
        Fill(r, 0x0000FF);
        Text(r, L"missing", 0xFFFFFF, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

    void Draw(TDataSkinObject* o, const ui::TRect& r, int frame, bool vertical = false)
    {
        if (!o || o->Bitmap.Empty()) {
            Missing(r);
            return;
        }
        DrawSkinRect(dc_, r, &o->Bitmap, vertical, o->Tile != 0, o->Trans != 0, o->Frame, frame, o->Margins());
    }

    // Every frame of an object at one size, side by side, with a caption in each.
    void Frames(TDataSkinObject* o, int x, int y, int w, int h, int frames, const std::wstring& caption)
    {
        if (!o || frames <= 0) {
            Missing(ui::Rect(x, y, x + w, y + h));
            return;
        }
        for (int i = 1; i <= frames; ++i) {
            const ui::TRect r = ui::Rect(x + (i - 1) * (w + 6), y, x + (i - 1) * (w + 6) + w, y + h);
            Draw(o, r, i);
            if (!caption.empty())
                Text(ui::Rect(r.left + 6, r.top, r.right - 6, r.bottom), caption, skin_.ButtonTextColor,
                     DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        }
    }

    // Every frame at its natural size.
    void Natural(TDataSkinObject* o, int x, int y, int frames, int gap = 4, bool trans = false)
    {
        if (!o || o->Bitmap.Empty() || frames <= 0) {
            Missing(ui::Rect(x, y, x + 120, y + 20));
            return;
        }
        const int fw = o->Bitmap.Width() / frames, fh = o->Bitmap.Height();
        for (int i = 1; i <= frames; ++i) {
            const int left = x + (i - 1) * (fw + gap);
            DrawSkinCentered(dc_, ui::Rect(left, y, left + fw, y + fh), &o->Bitmap, trans || o->Trans != 0, frames, i);
        }
    }

    void GlyphStrip(int x, int y, ui::TBitmap& strip, int frames)
    {
        if (strip.Empty() || frames <= 0) {
            Missing(ui::Rect(x, y, x + 200, y + 20));
            return;
        }
        const int fw = strip.Width() / frames;
        for (int i = 1; i <= frames; ++i) {
            const int left = x + (i - 1) * (fw + 22);
            DrawSkinCentered(dc_, ui::Rect(left, y, left + fw, y + strip.Height()), &strip, true, frames, i);
            Text(ui::Rect(left + fw + 2, y, left + fw + 20, y + strip.Height()), std::to_wstring(i),
                 skin_.WindowTextColor, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        }
    }

    void PushButton(int x, int y, int w, int h, int frame)
    {
        TDataSkinButton& b = *skin_.Buttons;
        const ui::TRect r = ui::Rect(x, y, x + w, y + h);
        if (b.Bitmap.Empty()) {
            Missing(r);
            return;
        }
        DrawSkinRect(dc_, r, &b.Bitmap, false, b.Tile != 0, b.Trans != 0, b.Frame, frame, b.Margins());
        const wchar_t* names[] = {L"Normal", L"2", L"3", L"4", L"5"};
        Text(r, names[frame - 1], b.NormalColour2, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

    // A horizontal progress bar as skin/controls/SkinProgress.cpp paints it: on the face colour, the
    // two-frame strip (track, then fill) or, for a block skin (Style 1), the whole strip as track
    // with a row of chunk images as long as the fill.
    void Progress(int x, int y, int w, int h, double part)
    {
        TDataSkinBorder* p = skin_.Progress.get();
        const ui::TRect r = ui::Rect(x, y, x + w, y + h);
        const bool blocks = p && p->Style == 1;
        if (!p || p->Bitmap.Empty() || (blocks && p->Chunk.Empty())) {
            Missing(r);
            return;
        }
        const int filled = static_cast<int>(w * part);
        ui::TBitmap bar(w, h, ui::TPixelFormat::pf24bit);
        HDC dc = bar.Canvas().Handle();
        const ui::TRect whole = ui::Rect(0, 0, w, h);
        FillRect(dc, &whole, ui::TBrushHandle(CreateSolidBrush(ui::ColorToRGB(skin_.ButtonFaceColor))).Get());
        if (auto track = BuildSkinRect(whole, &p->Bitmap, p->Margins(), false, p->Tile != 0, blocks ? 1 : 2, 1))
            DrawMasked(dc, whole, track.get(), SkinKeyColor);
        if (blocks) {
            const int cw = p->Chunk.Width(), ch = p->Chunk.Height();
            ui::TBitmap row(filled, ch, ui::TPixelFormat::pf24bit);
            if (filled > 0 && !row.Empty()) {
                const ui::TRect all = ui::Rect(0, 0, filled, ch);
                FillRect(row.Canvas().Handle(), &all, ui::TBrushHandle(CreateSolidBrush(ui::ColorToRGB(SkinKeyColor))).Get());
                for (int i = 0; i <= filled / cw; ++i)
                    BitBlt(row.Canvas().Handle(), i * cw, 0, cw, ch, p->Chunk.Canvas().Handle(), 0, 0, SRCCOPY);
                const int top = (h - ch) / 2;
                DrawMasked(dc, ui::Rect(p->LeftWidth, top, p->LeftWidth + filled, top + ch), &row, SkinKeyColor);
            }
        } else if (filled > 0) {
            const ui::TRect fill = ui::Rect(0, 0, filled, h);
            if (auto picture = BuildSkinRect(fill, &p->Bitmap, p->Margins(), false, p->Tile != 0, 2, 2))
                DrawMasked(dc, fill, picture.get(), SkinKeyColor);
        }
        BitBlt(dc_, x, y, w, h, dc, 0, 0, SRCCOPY);
        Text(ui::Rect(x + w + 8, y, x + w + 200, y + h), blocks ? L"Style 1: blocks" : L"smooth", skin_.WindowTextColor,
             DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }

    void GroupBox(int x, int y, int w, int h)
    {
        Draw(skin_.GroupBoxEdge.get(), ui::Rect(x, y + 8, x + w, y + h), 1);
        TDataSkinBoxLabel* label = skin_.GroupBox.get();
        const ui::TRect band = ui::Rect(x + 8, y, x + 120, y + 18);
        if (label && !label->Bitmap.Empty())
            DrawSkinRect(dc_, band, &label->Bitmap, false, label->Tile != 0, label->Trans != 0, label->Frame, 1,
                         label->Margins());
        Text(ui::Rect(band.left + 6 + (label ? label->BackgroundLeftShift : 0), band.top, band.right, band.bottom),
             L"Pedido", skin_.WindowTextColor, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        Text(ui::Rect(x + 14, y + 30, x + w - 14, y + h - 8), L"Filial 01 \x2014 pedido 00001234", skin_.WindowTextColor,
             DT_LEFT | DT_TOP);
    }

    void TabBorder(int x, int y, int w, int h)
    {
        TDataSkinBorder* tabs = skin_.Tabs.get();
        const ui::TRect r = ui::Rect(x, y, x + w, y + h);
        if (!tabs || tabs->Chunk.Empty()) {
            Missing(r);
            return;
        }
        DrawSkinFrame(dc_, r, &tabs->Chunk, false, 1, 1, tabs->Margins());
    }

    // A drop-down menu as menu skinning paints it: frame 1 for items, 2 for a separator, 4 for the
    // selected item.
    void Menu(int x, int y, int w)
    {
        struct Item {
            const wchar_t* caption;
            int frame;
            bool enabled;
        };
        const Item items[] = {{L"Abrir banco...", 1, true}, {L"-", 2, true}, {L"Reprocessar", 1, true},
                              {L"Desativado", 1, false}, {L"Sair", 4, true}};
        const int itemHeight = 22;
        const ui::TRect r = ui::Rect(x, y, x + w, y + 5 * itemHeight + 8);
        Draw(skin_.MenuBackground.get(), r, 1);
        for (int i = 0; i < 5; ++i) {
            const ui::TRect item = ui::Rect(x + 3, y + 4 + i * itemHeight, x + w - 3, y + 4 + (i + 1) * itemHeight);
            Draw(skin_.MenuItem.get(), item, items[i].frame);
            if (items[i].frame == 2)
                continue;
            const ui::TColor colour = !items[i].enabled ? ui::clGrayText
                                      : items[i].frame == 4 ? skin_.HilightTextColor
                                                            : skin_.MenuTextColor;
            Text(ui::Rect(item.left + 28, item.top, item.right, item.bottom), items[i].caption, colour,
                 DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        }
    }

    // Every frame of an up-down strip (4 states per arrow) with the same frame of its glyph strip
    // centred on it, as the spin buttons are drawn.
    void UpDown(TDataSkinBorder* o, int x, int y, int w, int h)
    {
        if (!o || o->Bitmap.Empty()) {
            Missing(ui::Rect(x, y, x + 200, y + h));
            return;
        }
        for (int i = 1; i <= o->Frame; ++i) {
            const ui::TRect r = ui::Rect(x + (i - 1) * (w + 6), y, x + (i - 1) * (w + 6) + w, y + h);
            DrawSkinStretch(dc_, r, &o->Bitmap, true, o->Frame, i);
            if (!o->Chunk.Empty())
                DrawSkinCentered(dc_, r, &o->Chunk, true, o->Frame, i);
        }
    }

    void MdiButtons(int x, int y)
    {
        const std::size_t n = skin_.SysButtons.size();
        if (n < 3) {
            Missing(ui::Rect(x, y, x + 200, y + 20));
            return;
        }
        for (int k = 0; k < 3; ++k) {
            TDataSkinSysButton& b = *skin_.SysButtons[n - 3 + k];
            Natural(&b, x + k * 130, y, b.Frame, 3, true);
        }
    }

    // A window frame drawn as the skinned frame draws it: borders, caption bar with its text
    // background, text and caption buttons, and the menu bar.
    void MockWindow(int x, int y, int w, int h, bool active)
    {
        const int frame = active ? 1 : 2;
        auto border = [&](TDataSkinBorder& b, const ui::TRect& r, bool vertical) {
            if (b.Bitmap.Empty()) {
                Missing(r);
                return;
            }
            DrawSkinRect(dc_, r, &b.Bitmap, vertical, b.Tile != 1, b.Trans != 0, b.Frame, b.Frame == 1 ? 1 : frame,
                         b.Margins());
        };
        TDataSkinBorder& left = *skin_.FrameLeft;
        TDataSkinBorder& right = *skin_.FrameRight;
        TDataSkinBorder& top = *skin_.FrameTop;
        TDataSkinBorder& bottom = *skin_.FrameBottom;
        const int bl = left.Frame > 0 ? left.Bitmap.Width() / left.Frame : 0;
        const int br = right.Frame > 0 ? right.Bitmap.Width() / right.Frame : 0;
        const int bt = top.Frame > 0 ? top.Bitmap.Height() / top.Frame : 0;
        const int bb = bottom.Frame > 0 ? bottom.Bitmap.Height() / bottom.Frame : 0;
        const int menuHeight = skin_.MenuBar ? skin_.MenuBar->Bitmap.Height() / 2 : 0;

        // The client area first, as the form would paint it.
        Fill(ui::Rect(x + bl, y + bt + menuHeight, x + w - br, y + h - bb), skin_.ButtonFaceColor);
        Text(ui::Rect(x + bl + 12, y + bt + menuHeight + 12, x + w - br, y + h - bb),
             L"Filial:  01\nPedido:  00001234", skin_.WindowTextColor, DT_LEFT | DT_TOP);
        border(left, ui::Rect(x, y, x + bl, y + h), false);
        border(right, ui::Rect(x + w - br, y, x + w, y + h), false);
        border(bottom, ui::Rect(x + bl, y + h - bb, x + w - br, y + h), true);
        border(top, ui::Rect(x + bl, y, x + w - br, y + bt), true);

        // Caption text over its background band.
        TDataSkinTitle& title = *skin_.Title;
        const std::wstring caption = L"Rotina de reprocesso de sequ\x00eancia";
        HGDIOBJ old = SelectObject(dc_, bold_);
        ui::TRect measure = ui::Rect(0, 0, 0, 0);
        DrawTextUnicode(dc_, caption, measure, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
        SelectObject(dc_, old);
        const ui::TRect bar = ui::Rect(x + bl, y, x + w - br, y + bt);
        const int textWidth = measure.right + title.TXTBackleft + title.TXTBackRight;
        int tx = bar.left + title.LeftWidth;
        if (title.TextAlignment == 1)
            tx = bar.left + (ui::RectWidth(bar) - textWidth) / 2;
        else if (title.TextAlignment == 2)
            tx = bar.right - title.RightWidth - textWidth;
        const ui::TRect textBand = ui::Rect(tx, bar.top, std::min<int>(tx + textWidth, bar.right - title.RightWidth), bar.bottom);
        if (!title.Bitmap.Empty())
            DrawSkinBar(canvas_.Canvas(), textBand, &title.Bitmap, true, true, 2, frame,
                        ui::Rect(title.TXTBackleft, 0, title.TXTBackRight, 0));
        const int ty = (bt - measure.bottom) / 2 + title.TopHeight / 2;
        const ui::TColor textColour = active ? (title.ActiveTextColor != ui::clNone ? title.ActiveTextColor
                                                                                   : skin_.TitleTextActiveColor)
                                             : (title.InactiveTextColor != ui::clNone ? title.InactiveTextColor
                                                                                      : skin_.TitleTextNoActiveColor);
        Text(ui::Rect(textBand.left + title.TXTBackleft, bar.top + ty, textBand.right - title.TXTBackRight,
                      bar.top + ty + measure.bottom),
             caption, textColour, DT_SINGLELINE | DT_END_ELLIPSIS, bold_);

        // Caption buttons as the frame shows them on a sizeable window that is not maximised, each
        // in its resting state.
        const ui::TRect textRect = ui::Rect(textBand.left + title.TXTBackleft, bar.top, textBand.right - title.TXTBackRight,
                                            bar.bottom);
        for (const auto& b : skin_.SysButtons) {
            if (!CaptionButtonShown(*b, active) || b->Bitmap.Empty() || b->Frame < 1)
                continue;
            const int bw = b->Bitmap.Width() / b->Frame;
            const int bh = b->Bitmap.Height();
            int bx = x, by = y + b->Ycoord;
            switch (b->Align) {
            case 0: bx = x + b->Xcoord; break;
            case 1: bx = x + w - b->Xcoord; break;
            case 2:
            case 8: bx = textRect.left - bw - b->Xcoord; break;
            case 3:
            case 9: bx = textRect.right + b->Xcoord; break;
            default: by = y; break;
            }
            if (b->Action == 3 || b->Action == 11) {
                // The window's icon in place of the image.
                const int size = GetSystemMetrics(SM_CXSMICON);
                DrawIconEx(dc_, bx, by, LoadIconW(nullptr, MAKEINTRESOURCEW(32512) /* IDI_APPLICATION */), size, size,
                           0, nullptr, DI_NORMAL);
                continue;
            }
            DrawSkinStretch(dc_, ui::Rect(bx, by, bx + bw, by + bh), &b->Bitmap, true, b->Frame,
                            CaptionButtonFrame(*b, active, CaptionState::Normal));
        }

        // Menu bar with two items.
        if (skin_.MenuBar) {
            TDataSkinObject& mb = *skin_.MenuBar;
            const ui::TRect r = ui::Rect(x + bl, y + bt, x + w - br, y + bt + menuHeight);
            if (mb.Tile == 1)
                DrawSkinRect(dc_, r, &mb.Bitmap, true, false, false, 2, frame, mb.Margins());
            else
                DrawSkinBar(canvas_.Canvas(), r, &mb.Bitmap, true, false, 2, frame, mb.Margins());
            int mx = r.left + mb.LeftWidth + 4;
            for (const wchar_t* item : {L"Arquivo", L"Ajuda"}) {
                Text(ui::Rect(mx + 6, r.top, mx + 80, r.bottom), item, skin_.MenuBarTextColor,
                     DT_LEFT | DT_VCENTER | DT_SINGLELINE);
                mx += 70;
            }
        }
    }

    TSkinData& skin_;
    ui::TBitmap& canvas_;
    HDC dc_;
    HFONT font_ = nullptr;
    HFONT bold_ = nullptr;
};

ui::TBitmap* gCanvas = nullptr;

LRESULT CALLBACK SampleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        BitBlt(dc, 0, 0, gCanvas->Width(), gCanvas->Height(), gCanvas->Canvas().Handle(), 0, 0, SRCCOPY);
        EndPaint(window, &ps);
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1;
    return DefWindowProcW(window, message, wParam, lParam);
}

bool WritePng(const std::string& path, const ui::TBitmap& picture)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = png && info;
    if (ok && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, picture.Width(), picture.Height(), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        std::vector<png_byte> row(static_cast<std::size_t>(picture.Width()) * 3);
        const int bytes = static_cast<int>(picture.PixelFormat()) / 8;
        for (int y = 0; y < picture.Height(); ++y) {
            const std::uint8_t* source = picture.ScanLine(y);
            for (int x = 0; x < picture.Width(); ++x) {
                row[x * 3 + 0] = source[x * bytes + 2];
                row[x * 3 + 1] = source[x * bytes + 1];
                row[x * 3 + 2] = source[x * bytes + 0];
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
    } else {
        ok = false;
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    std::fclose(file);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string output = argc > 2 ? argv[2] : "skin-sample.png";
    std::vector<std::uint8_t> archive;
    if (argc > 1 && argv[1][0]) {
        std::ifstream in(argv[1], std::ios::binary);
        archive.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } else {
        archive = LinkedSkin();
    }
    TSkinData skin(nullptr);
    skin.SkinStream() = ui::TMemoryStream(std::move(archive));
    if (!skin.LoadSkinData()) {
        std::fprintf(stderr, "skinsample: the skin could not be loaded\n");
        return 1;
    }

    ui::TBitmap canvas(CanvasWidth, CanvasHeight);
    SamplePainter(skin, canvas).Paint();
    gCanvas = &canvas;

    WNDCLASSW wc{};
    wc.lpfnWndProc = SampleProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.lpszClassName = L"TSkinSample";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Skin sample", WS_POPUP | WS_VISIBLE, 0, 0, CanvasWidth,
                                  CanvasHeight, nullptr, nullptr, wc.hInstance, nullptr);
    UpdateWindow(window);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    GdiFlush();

    // Read the window back from the screen: what the user sees.
    ui::TBitmap shot(CanvasWidth, CanvasHeight);
    HDC screen = GetDC(window);
    BitBlt(shot.Canvas().Handle(), 0, 0, CanvasWidth, CanvasHeight, screen, 0, 0, SRCCOPY);
    ReleaseDC(window, screen);
    DestroyWindow(window);

    // Without a display the read-back is black wherever the samples are not: no picture at all.
    bool blank = true;
    const int bytes = static_cast<int>(shot.PixelFormat()) / 8;
    for (int y = 0; y < shot.Height() && blank; ++y) {
        const std::uint8_t* row = shot.ScanLine(y);
        blank = std::all_of(row, row + static_cast<std::size_t>(shot.Width()) * bytes, [](std::uint8_t v) { return v == 0; });
    }
    if (blank) {
        std::fprintf(stderr, "skinsample: the window read back all black: no display was reached (run it on a "
                             "display, e.g. under xvfb-run)\n");
        return 1;
    }

    if (!WritePng(output, shot)) {
        std::fprintf(stderr, "skinsample: cannot write %s\n", output.c_str());
        return 1;
    }
    std::printf("skinsample: %s written (%d x %d), skin \"%s\"\n", output.c_str(), CanvasWidth, CanvasHeight,
                skin.SkinName.c_str());
    return 0;
}
