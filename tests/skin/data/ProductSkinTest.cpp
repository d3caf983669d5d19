// The product skin (skins/reprocessa, packed by the build) loaded through the skin component and
// checked against what the frame and the controls do with it: every element present and cut into
// whole frames, caption buttons inside the caption and clear of the title, a window outline with
// rounded top corners, and text colours that read on the faces they are drawn on.
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinRegion.h"
#include "skin/data/WinSkinData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using skin::TDataSkinObject;

constexpr int ClientWidth = 474;    // the main form's client area
constexpr int ClientHeight = 292;

class ProductSkin : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::ifstream in(PRODUCT_SKIN_FILE, std::ios::binary);
        ASSERT_TRUE(in) << "missing " << PRODUCT_SKIN_FILE << " (target product_skin)";
        std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        data_ = new skin::TSkinData(nullptr);
        data_->SkinStream().Clear();
        data_->SkinStream().Write(bytes.data(), bytes.size());
        loaded_ = data_->LoadSkinData();
    }
    static void TearDownTestSuite()
    {
        delete data_;
        data_ = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(loaded_);
        ASSERT_FALSE(data_->NoSkin);
    }

    static skin::TSkinData& Skin() { return *data_; }
    static int BorderLeft() { return Skin().FrameLeft->Bitmap.Width() / Skin().FrameLeft->Frame; }
    static int BorderRight() { return Skin().FrameRight->Bitmap.Width() / Skin().FrameRight->Frame; }
    static int BorderTop() { return Skin().FrameTop->Bitmap.Height() / Skin().FrameTop->Frame; }
    static int BorderBottom() { return Skin().FrameBottom->Bitmap.Height() / Skin().FrameBottom->Frame; }
    static int WindowWidth() { return ClientWidth + BorderLeft() + BorderRight(); }
    static int WindowHeight() { return ClientHeight + BorderTop() + BorderBottom(); }

    static skin::TSkinData* data_;
    static bool loaded_;
};

skin::TSkinData* ProductSkin::data_ = nullptr;
bool ProductSkin::loaded_ = false;

COLORREF PixelOf(ui::TBitmap& bitmap, int x, int y)
{
    return ui::ColorToRGB(bitmap.Canvas().Pixel(x, y));
}

bool IsKey(COLORREF c) { return GetRValue(c) == 255 && GetGValue(c) <= 1 && GetBValue(c) == 255; }

double Luminance(COLORREF c)
{
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(c)) + 0.7152 * channel(GetGValue(c)) + 0.0722 * channel(GetBValue(c));
}

// Contrast ratio of two colours, 1 (none) to 21 (black on white).
double Contrast(COLORREF a, COLORREF b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double Contrast(ui::TColor text, COLORREF back) { return Contrast(ui::ColorToRGB(text), back); }

// The centre pixel of frame `index` of a horizontal strip.
COLORREF FrameCentre(TDataSkinObject& object, int frames, int index)
{
    const int fw = object.Bitmap.Width() / frames;
    return PixelOf(object.Bitmap, fw * (index - 1) + fw / 2, object.Bitmap.Height() / 2);
}

struct TSlot {
    const char* Name;
    TDataSkinObject* Object;
    bool Vertical;   // frames stacked
};

std::vector<TSlot> Slots(skin::TSkinData& s)
{
    return {
        {"FrameLeft", s.FrameLeft.get(), false},   {"FrameRight", s.FrameRight.get(), false},
        {"FrameTop", s.FrameTop.get(), true},      {"FrameBottom", s.FrameBottom.get(), true},
        {"Title", s.Title.get(), true},            {"Buttons", s.Buttons.get(), false},
        {"Progress", s.Progress.get(), false},     {"MenuBar", s.MenuBar.get(), true},
        {"GroupBoxEdge", s.GroupBoxEdge.get(), false}, {"GroupBox", s.GroupBox.get(), false},
        {"Toolbars", s.Toolbars.get(), false},     {"Tabs", s.Tabs.get(), false},
        {"StatusBarEdges", s.StatusBarEdges.get(), false}, {"ComboButton", s.ComboButton.get(), false},
        {"SunkEdge", s.SunkEdge.get(), false},     {"ExtraImages", s.ExtraImages.get(), false},
        {"Headerbar", s.Headerbar.get(), false},   {"MenuItem", s.MenuItem.get(), false},
        {"MenuBackground", s.MenuBackground.get(), false}, {"Scrollbar", s.Scrollbar.get(), false},
        {"HorzScroll", s.HorzScroll.get(), false}, {"VertScroll", s.VertScroll.get(), false},
        {"HorzScrollThumb", s.HorzScrollThumb.get(), false},
        {"VertScrollThumb", s.VertScrollThumb.get(), false},
        {"TrackbarThumbHorz", s.TrackbarThumbHorz.get(), false},
        {"TrackbarThumbVert", s.TrackbarThumbVert.get(), false},
        {"TrackbarThumbLeft", s.TrackbarThumbLeft.get(), false},
        {"TrackbarThumbRight", s.TrackbarThumbRight.get(), false},
        {"TrackbarThumbUp", s.TrackbarThumbUp.get(), false},
        {"TrackbarThumbDown", s.TrackbarThumbDown.get(), false},
        {"UpDownHorz", s.UpDownHorz.get(), false}, {"UpDownVert", s.UpDownVert.get(), false},
    };
}

TEST_F(ProductSkin, EveryElementHasAnImageCutIntoWholeFrames)
{
    for (const TSlot& slot : Slots(Skin())) {
        SCOPED_TRACE(slot.Name);
        ASSERT_NE(slot.Object, nullptr);
        TDataSkinObject& o = *slot.Object;
        ASSERT_FALSE(o.Bitmap.Empty());
        ASSERT_GT(o.Frame, 0);
        const int along = slot.Vertical ? o.Bitmap.Height() : o.Bitmap.Width();
        EXPECT_EQ(along % o.Frame, 0) << along << " pixels, " << o.Frame << " frames";
        // The title keeps its text layout in the margins; the menu bar its tiling flags.
        if (&o == Skin().Title.get() || &o == Skin().MenuBar.get())
            continue;
        const int fw = slot.Vertical ? o.Bitmap.Width() : o.Bitmap.Width() / o.Frame;
        const int fh = slot.Vertical ? o.Bitmap.Height() / o.Frame : o.Bitmap.Height();
        EXPECT_LE(o.LeftWidth + o.RightWidth, fw);
        EXPECT_LE(o.TopHeight + o.BottomHeight, fh);
    }
    skin::TSkinData& s = Skin();
    EXPECT_FALSE(s.Buttons->CheckBitmap.Empty());
    EXPECT_FALSE(s.Buttons->RadioBitmap.Empty());
    // Check boxes and radios come with every state group the drawing knows.
    EXPECT_EQ(s.Buttons->CheckButtonFrame, 12);
    EXPECT_EQ(s.Buttons->RadioButtonFrame, 8);
    EXPECT_EQ(s.Buttons->CheckBitmap.Width() % 12, 0);
    EXPECT_EQ(s.Buttons->RadioBitmap.Width() % 8, 0);
    EXPECT_FALSE(s.Progress->Chunk.Empty());
    EXPECT_FALSE(s.Tabs->Chunk.Empty());
    EXPECT_FALSE(s.UpDownHorz->Chunk.Empty());
    EXPECT_FALSE(s.UpDownVert->Chunk.Empty());
    EXPECT_EQ(s.UpDownVert->Chunk.Width() % s.UpDownVert->Frame, 0);
    EXPECT_NE(s.Title->ActiveTextColor, ui::clNone);
    EXPECT_NE(s.Title->InactiveTextColor, ui::clNone);
    // The three MDI child buttons got their pictures.
    int mdi = 0;
    for (const auto& b : s.SysButtons)
        if (b->Visibility == 100 && !b->Bitmap.Empty())
            ++mdi;
    EXPECT_EQ(mdi, 3);
}

// The main form: minimise, maximise and system menu, not maximised, active.
bool ShownOnMainForm(const skin::TDataSkinSysButton& b, bool maximised)
{
    auto holds = [&](int v) {
        switch (v) {
        case 0: return true;
        case 1: return maximised;
        case 2: return !maximised;
        case 3: return true;
        case 4: return false;
        case 6: return true;   // maximise box and system menu
        case 7: return false;
        case 8: return true;   // minimise box
        case 9: return false;
        default: return v >= 201 && v <= 2000;
        }
    };
    return holds(b.Visibility) && holds(b.Visibility1);
}

TEST_F(ProductSkin, CaptionButtonsSitInsideTheCaptionAndClearOfTheTitle)
{
    skin::TSkinData& s = Skin();
    const int W = WindowWidth();
    const int textLeft = BorderLeft() + s.Title->LeftWidth;                   // TextShift
    const int textRight = W - BorderRight() - s.Title->RightWidth;            // TextRightClip
    EXPECT_GE(textRight - textLeft, 250) << "room for the window title";
    for (bool maximised : {false, true}) {
        SCOPED_TRACE(maximised ? "maximised" : "normal");
        std::vector<RECT> placed;
        std::vector<int> actions;
        for (const auto& b : s.SysButtons) {
            if (b->Visibility == 100 || !ShownOnMainForm(*b, maximised) || b->Bitmap.Empty())
                continue;
            const int w = b->Bitmap.Width() / b->Frame, h = b->Bitmap.Height();
            const int x = b->Align == 1 ? W - b->Xcoord : b->Xcoord;
            const RECT r{x, b->Ycoord, x + w, b->Ycoord + h};
            SCOPED_TRACE(b->Name);
            EXPECT_GE(r.top, 0);
            EXPECT_LE(r.bottom, BorderTop());
            EXPECT_GE(r.left, 0);
            EXPECT_LE(r.right, W - BorderRight());
            if (b->Action == 3 || b->Action == 11)
                EXPECT_LE(r.right, textLeft) << "system menu button under the title";
            else
                EXPECT_GE(r.left, textRight) << "caption button under the title";
            for (const RECT& other : placed) {
                RECT both;
                EXPECT_FALSE(IntersectRect(&both, &r, &other)) << "overlapping caption buttons";
            }
            placed.push_back(r);
            actions.push_back(b->Action);
        }
        for (int action : {0, 1, 2, 3})
            EXPECT_EQ(std::count(actions.begin(), actions.end(), action), 1) << "action " << action;
    }
}

TEST_F(ProductSkin, WindowOutlineHasRoundedTopCornersAndSquareBottom)
{
    skin::TSkinData& s = Skin();
    const int H = WindowHeight();
    for (int frame : {1, 2}) {
        SCOPED_TRACE(frame == 1 ? "active" : "inactive");
        // Left border, drawn the way the frame paints it and shapes the window with it.
        auto left = skin::BuildSkinRect(ui::Rect(0, 0, BorderLeft(), H), &s.FrameLeft->Bitmap,
                                        s.FrameLeft->Margins(), false, s.FrameLeft->Tile != 1,
                                        s.FrameLeft->Frame, frame);
        ASSERT_TRUE(left);
        HRGN region = skin::BitmapToRegion(left.get(), 0, 0, 1, 1, 1, skin::SkinKeyColor);
        EXPECT_FALSE(PtInRegion(region, 0, 0)) << "top-left corner is cut away";
        EXPECT_TRUE(PtInRegion(region, BorderLeft() - 1, BorderTop()));
        EXPECT_TRUE(PtInRegion(region, 0, BorderTop()));
        EXPECT_TRUE(PtInRegion(region, 0, H - 1)) << "bottom corners stay square";
        DeleteObject(region);
        // The caption strip between the side borders and the right border: together with the left
        // border they give a symmetric outline, cut at both top corners, whole in the middle.
        const int W = WindowWidth();
        const int topWidth = W - BorderLeft() - BorderRight();
        auto top = skin::BuildSkinRect(ui::Rect(0, 0, topWidth, BorderTop()), &s.FrameTop->Bitmap,
                                       s.FrameTop->Margins(), true, s.FrameTop->Tile != 1, s.FrameTop->Frame,
                                       frame);
        auto right = skin::BuildSkinRect(ui::Rect(0, 0, BorderRight(), H), &s.FrameRight->Bitmap,
                                         s.FrameRight->Margins(), false, s.FrameRight->Tile != 1,
                                         s.FrameRight->Frame, frame);
        ASSERT_TRUE(top && right);
        auto cut = [&](int x, int y) {
            if (x < BorderLeft())
                return IsKey(PixelOf(*left, x, y));
            if (x >= W - BorderRight())
                return IsKey(PixelOf(*right, x - (W - BorderRight()), y));
            return IsKey(PixelOf(*top, x - BorderLeft(), y));
        };
        EXPECT_TRUE(cut(0, 0));
        EXPECT_TRUE(cut(W - 1, 0));
        EXPECT_FALSE(cut(W / 2, 0));
        for (int y = 0; y < BorderTop(); ++y) {
            int fromLeft = 0, fromRight = 0;
            while (fromLeft < W / 2 && cut(fromLeft, y))
                ++fromLeft;
            while (fromRight < W / 2 && cut(W - 1 - fromRight, y))
                ++fromRight;
            EXPECT_EQ(fromLeft, fromRight) << "row " << y;
            EXPECT_LE(fromLeft, y == 0 ? BorderLeft() + 8 : BorderLeft()) << "row " << y;
            for (int x = fromLeft; x < W - fromRight; ++x)
                ASSERT_FALSE(cut(x, y)) << "hole at " << x << "," << y;
        }
        EXPECT_FALSE(cut(0, BorderTop() - 1)) << "the curve ends inside the caption";
    }
    EXPECT_TRUE(s.FrameLeft->Trans && s.FrameRight->Trans && s.FrameTop->Trans);
}

TEST_F(ProductSkin, TextReadsOnTheFacesItIsDrawnOn)
{
    skin::TSkinData& s = Skin();
    const COLORREF face = ui::ColorToRGB(s.ButtonFaceColor);
    EXPECT_GE(Contrast(s.WindowTextColor, face), 7.0);
    EXPECT_GE(Contrast(s.MenuTextColor, ui::ColorToRGB(s.MenuColor)), 7.0);
    EXPECT_GE(Contrast(s.HilightTextColor, ui::ColorToRGB(s.HilightColor)), 4.5);
    EXPECT_GE(Contrast(s.ButtonShadowColor, face), 2.0) << "edit and group-box outlines";
    // Push buttons: normal, pressed, mouse over and default faces with their text colours.
    EXPECT_GE(Contrast(s.Buttons->NormalColour2, FrameCentre(*s.Buttons, 5, 1)), 7.0);
    EXPECT_GE(Contrast(s.Buttons->PressedColour2, FrameCentre(*s.Buttons, 5, 2)), 7.0);
    EXPECT_GE(Contrast(s.Buttons->MouseOverColour2, FrameCentre(*s.Buttons, 5, 4)), 7.0);
    EXPECT_GE(Contrast(s.ButtonTextColor, FrameCentre(*s.Buttons, 5, 5)), 7.0);
    // A disabled button is drawn in clBtnShadow: visible, but clearly weaker than enabled text.
    EXPECT_GE(Contrast(ui::clBtnShadow, FrameCentre(*s.Buttons, 5, 3)), 2.0);
    // The caption title, active and inactive, on the caption row it is centred on.
    const int row = BorderTop() / 2;
    const int x = s.FrameTop->Bitmap.Width() / 2;
    const COLORREF capActive = PixelOf(s.FrameTop->Bitmap, x, row);
    const COLORREF capInactive = PixelOf(s.FrameTop->Bitmap, x, BorderTop() + row);
    EXPECT_GE(Contrast(s.TitleTextActiveColor, capActive), 7.0);
    EXPECT_GE(Contrast(s.Title->ActiveTextColor, capActive), 7.0);
    EXPECT_GE(Contrast(s.TitleTextNoActiveColor, capInactive), 3.0);
    EXPECT_GE(Contrast(s.Title->InactiveTextColor, capInactive), 3.0);
    // The title background under the text keeps it readable.
    const int tbw = s.Title->Bitmap.Width();
    EXPECT_GE(Contrast(s.TitleTextActiveColor, PixelOf(s.Title->Bitmap, tbw / 2, row)), 7.0);
    // Menus: bar text on the bar, selected item text on the selected item picture.
    EXPECT_GE(Contrast(s.MenuBarTextColor, PixelOf(s.MenuBar->Bitmap, s.MenuBar->Bitmap.Width() / 2,
                                                    s.MenuBar->Bitmap.Height() / 4)), 7.0);
    EXPECT_GE(Contrast(s.HilightTextColor, FrameCentre(*s.MenuItem, 5, 4)), 4.5);
    // Tabs, status bar and header texts.
    EXPECT_GE(Contrast(s.Tabs->NormalColour2, FrameCentre(*s.Tabs, 5, 1)), 4.5);
    EXPECT_GE(Contrast(s.Tabs->MouseOverColour2, FrameCentre(*s.Tabs, 5, 2)), 4.5);
    EXPECT_GE(Contrast(s.StatusBarEdges->NormalColour2, FrameCentre(*s.StatusBarEdges, 3, 1)), 4.5);
    EXPECT_GE(Contrast(s.WindowTextColor, FrameCentre(*s.Headerbar, 5, 1)), 7.0);
}

TEST_F(ProductSkin, ComboPictureFramesTheTextAreaAndShowsTheArrow)
{
    skin::TSkinData& s = Skin();
    ASSERT_EQ(s.ComboButton->Style, 2) << "the combo composite ran";
    TDataSkinObject& combo = *s.ComboButton;
    const int fw = combo.Bitmap.Width() / combo.Frame;
    const int h = combo.Bitmap.Height();
    for (int frame = 1; frame <= combo.Frame; ++frame) {
        SCOPED_TRACE(frame);
        const int x0 = fw * (frame - 1);
        EXPECT_TRUE(IsKey(PixelOf(combo.Bitmap, x0 + 8, h / 2))) << "the native text shows through";
        EXPECT_FALSE(IsKey(PixelOf(combo.Bitmap, x0, h / 2))) << "left edge";
        EXPECT_FALSE(IsKey(PixelOf(combo.Bitmap, x0 + 8, 0))) << "top edge";
        EXPECT_FALSE(IsKey(PixelOf(combo.Bitmap, x0 + 8, h - 1))) << "bottom edge";
        // The button part holds the arrow: darker pixels than its face around the centre.
        const int bx0 = x0 + fw - combo.RightWidth + 2, bx1 = x0 + fw - 2;
        double darkest = 1.0, lightest = 0.0;
        for (int y = 2; y < h - 2; ++y)
            for (int x = bx0; x < bx1; ++x) {
                const COLORREF c = PixelOf(combo.Bitmap, x, y);
                if (IsKey(c))
                    continue;
                darkest = std::min(darkest, Luminance(c));
                lightest = std::max(lightest, Luminance(c));
            }
        EXPECT_GE((lightest + 0.05) / (darkest + 0.05), frame == 3 ? 1.5 : 3.0) << "arrow glyph";
    }
}

} // namespace
