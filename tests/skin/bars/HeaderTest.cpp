// Skinned header controls on real forms: every section and the rest of the bar from the skin's
// header image, captions aligned per section, and a divider dragged with the real mouse resizing
// its section while the header stays skinned; a plain header window skinned the same way.
#include "BarsTesting.h"

#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinTab.h"
#include "ui/GdiObjects.h"
#include "ui/HeaderControls.h"

using namespace bars_testing;
using namespace frame_testing;
using testing_support::PumpUntil;

namespace {

class Headers : public BarsFixture {
protected:
    ui::THeaderControl* header = nullptr;
    std::vector<int> resized;

    ui::TForm* ShowHeader()
    {
        return ShowFormWith([&](ui::TForm& f) {
            header = new ui::THeaderControl(&f);
            header->SetParent(&f);
            header->SetHeight(22);
            const wchar_t* texts[] = {L"Left", L"Centre", L"Right"};
            const ui::TAlignment aligns[] = {ui::TAlignment::taLeftJustify, ui::TAlignment::taCenter,
                                             ui::TAlignment::taRightJustify};
            for (int i = 0; i < 3; ++i) {
                ui::THeaderSection* s = header->Sections().Add();
                s->SetText(texts[i]);
                s->SetWidth(90);
                s->SetAlignment(aligns[i]);
            }
            header->OnSectionResize = [this](ui::THeaderControl*, ui::THeaderSection* s) { resized.push_back(s->Index()); };
        }, 360, 120);
    }

    RECT ItemRect(HWND window, int index) const
    {
        RECT r{};
        SendMessageW(window, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return r;
    }

    // Each item's rim at both its edges, fill inside, and the rest of the bar as one more face.
    void ExpectSkinned(HWND window, int count)
    {
        const TWindowPixels shot = ReadWindow(window);
        const int mid = shot.height / 2;
        int last = 0;
        for (int i = 0; i < count; ++i) {
            const RECT r = ItemRect(window, i);
            SCOPED_TRACE(testing::Message() << "item " << i);
            EXPECT_EQ(shot.At(r.left, mid), Rgb(kHeadRim));
            EXPECT_EQ(shot.At(r.right - 1, mid), Rgb(kHeadRim));
            EXPECT_EQ(shot.At(r.left + 3, 0), Rgb(kHeadRim));
            EXPECT_EQ(shot.At(r.left + 3, shot.height - 1), Rgb(kHeadRim));
            last = r.right;
        }
        ASSERT_LT(last + 10, shot.width);
        EXPECT_EQ(shot.At(last, mid), Rgb(kHeadRim)) << "the rest of the bar: a face of its own";
        EXPECT_EQ(shot.At((last + shot.width) / 2, 3), Rgb(kHeadFill));
        EXPECT_EQ(shot.At(shot.width - 1, mid), Rgb(kHeadRim));
        for (int x = 0; x < shot.width; ++x)
            if (shot.At(x, mid) == Rgb(kHeadOther))
                ADD_FAILURE() << "a frame other than the first at x " << x;
    }
};

TEST_F(Headers, SectionsAndTheRestOfTheBarComeFromTheSkinWithCaptionsAligned)
{
    UseBarsSkin();
    ui::TForm* form = ShowHeader();
    ASSERT_NE(SkinOf<skin::TSkinHeader>(form, header), nullptr);
    ExpectSkinned(header->Handle(), 3);
    const TWindowPixels shot = ReadWindow(header->Handle());
    SaveScreenshot(header->Handle(), "header-test-skin");
    const int h = shot.height;
    const RECT left = ItemRect(header->Handle(), 0), centre = ItemRect(header->Handle(), 1),
               right = ItemRect(header->Handle(), 2);
    const auto l = DarkSpan(shot, RECT{left.left + 2, 2, left.right - 2, h - 2});
    const auto c = DarkSpan(shot, RECT{centre.left + 2, 2, centre.right - 2, h - 2});
    const auto r = DarkSpan(shot, RECT{right.left + 2, 2, right.right - 2, h - 2});
    ASSERT_TRUE(l.first >= 0 && c.first >= 0 && r.first >= 0);
    EXPECT_LT(l.first - left.left, 8);
    EXPECT_LE(std::abs((c.first - centre.left) - (centre.right - 1 - c.second)), 3);
    EXPECT_LT(right.right - 1 - r.second, 8);
    EXPECT_EQ(SendMessageW(header->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(GetDC(nullptr)), 0), 1)
        << "the skin paints every pixel";
}

TEST_F(Headers, DraggingADividerResizesItsSectionAndTheHeaderStaysSkinned)
{
    UseBarsSkin();
    ui::TForm* form = ShowHeader();
    ASSERT_NE(SkinOf<skin::TSkinHeader>(form, header), nullptr);
    HWND window = header->Handle();
    const RECT first = ItemRect(window, 0);
    const int y = (first.top + first.bottom) / 2;
    testing_support::MouseTo(ScreenOf(window, first.right - 1, y));
    Settle();
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &press, sizeof(press));
    Settle();
    for (int dx = 10; dx <= 40; dx += 10) {
        testing_support::MouseTo(ScreenOf(window, first.right - 1 + dx, y));
        Settle();
    }
    INPUT release{};
    release.type = INPUT_MOUSE;
    release.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &release, sizeof(release));
    EXPECT_TRUE(PumpUntil([&] { return ItemRect(window, 0).right >= first.right + 35; }))
        << "right edge " << ItemRect(window, 0).right;
    Settle();
    EXPECT_EQ(header->Sections()[0]->Width(), ItemRect(window, 0).right - ItemRect(window, 0).left);
    EXPECT_FALSE(resized.empty());
    EXPECT_EQ(ItemRect(window, 1).left, ItemRect(window, 0).right);
    ExpectSkinned(window, 3);
    SaveScreenshot(window, "header-resized");
}

TEST_F(Headers, APlainHeaderWindowIsSkinnedThroughItsHandleAndItsCallersDcComesBack)
{
    UseBarsSkin();
    ui::TForm* form = ShowForm(ui::TFormBorderStyle::bsSizeable, 360, 120);
    ui::InitCommonControlClasses(ICC_LISTVIEW_CLASSES);
    HWND window = CreateWindowExW(0, WC_HEADERW, L"", WS_CHILD | WS_VISIBLE | HDS_BUTTONS | HDS_HORZ, 0, 0, 360, 22,
                                  form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    for (int i = 0; i < 2; ++i) {
        std::wstring text = i == 0 ? L"Name" : L"";
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.cxy = 100;
        item.fmt = HDF_STRING | HDF_LEFT;
        item.pszText = text.data();
        SendMessageW(window, HDM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    skin::TWinSkinForm* frame = FrameOf(form->Handle());
    ASSERT_NE(frame, nullptr);
    auto* object = new skin::TSkinHeader(nullptr);
    object->AttachWindow(window, &Data(), frame, frame->ControlCanvas());
    Settle();
    ExpectSkinned(window, 2);
    const TWindowPixels shot = ReadWindow(window);
    const RECT second = ItemRect(window, 1);
    EXPECT_EQ(DarkSpan(shot, RECT{second.left + 2, 2, second.right - 2, shot.height - 2}).first, -1)
        << "an item without text shows only its face";

    ui::TBitmap target(360, 22);
    HDC dc = target.Canvas().Handle();
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    const int mode = GetBkMode(dc);
    const COLORREF colour = GetTextColor(dc);
    object->RedrawSkin(dc);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetBkMode(dc), mode);
    EXPECT_EQ(GetTextColor(dc), colour);
    EXPECT_EQ(Rgb(GetPixel(dc, 0, 11)), Rgb(kHeadRim)) << "drawn into the caller's DC";

    const auto repaint = [&](int times) {
        for (int i = 0; i < times; ++i)
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        Settle();
    };
    repaint(50);
    const unsigned before = GdiProbe();
    repaint(400);
    const unsigned after = GdiProbe();
    EXPECT_LE(after, before + 6) << "before " << before << ", after " << after;
    DestroyWindow(window);
}

TEST(ImageAndText, ImageAndTextAreAlignedAsAGroupAndTheDcComesBackAsItWas)
{
    ui::TBitmap target(200, 24);
    HDC dc = target.Canvas().Handle();
    const RECT all{0, 0, 200, 24};
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    ui::TBitmap glyph(16, 16);
    glyph.Canvas().Brush().SetColor(0x0000FF);   // red
    glyph.Canvas().FillRect(ui::Rect(0, 0, 16, 16));
    HBITMAP copy = static_cast<HBITMAP>(CopyImage(glyph.Handle(), IMAGE_BITMAP, 16, 16, 0));
    ImageList_Add(images, copy, nullptr);
    DeleteObject(copy);
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    const COLORREF colour = GetTextColor(dc);
    auto paint = [&](int alignment, int image, bool enabled) {
        ui::TBrushHandle white(CreateSolidBrush(RGB(255, 255, 255)));
        FillRect(dc, &all, white.Get());
        skin::DrawImageAndText(dc, ui::Rect(0, 0, 200, 24), alignment, L"Text", image, images, enabled);
        int firstRed = -1, firstDark = -1, lastDark = -1;
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 24; ++y) {
                const std::uint32_t c = Rgb(GetPixel(dc, x, y));
                if (c == 0xFF0000 && firstRed < 0)
                    firstRed = x;
                if (IsDark(c)) {
                    if (firstDark < 0)
                        firstDark = x;
                    lastDark = x;
                }
            }
        return std::make_tuple(firstRed, firstDark, lastDark);
    };
    auto [red, dark, lastDark] = paint(0, 0, true);
    EXPECT_EQ(red, 2) << "the image two pixels in";
    EXPECT_GT(dark, 18) << "the text after the image";
    std::tie(red, dark, lastDark) = paint(2, 0, true);
    EXPECT_GT(red, 100) << "right-aligned: the image moves with the text";
    EXPECT_GE(lastDark, 190);
    std::tie(red, dark, lastDark) = paint(1, -1, true);
    EXPECT_EQ(red, -1) << "no image without an index";
    EXPECT_LE(std::abs(dark - (199 - lastDark)), 3);
    std::tie(red, dark, lastDark) = paint(0, -1, false);
    EXPECT_EQ(dark, -1) << "disabled text in the shadow colour, not dark";
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetTextColor(dc), colour);
    // An image list whose images are wider than the rectangle leaves the image out.
    skin::DrawImageAndText(dc, ui::Rect(0, 0, 12, 24), 0, L"T", 0, images, true);
    skin::DrawImageAndText(dc, ui::Rect(0, 0, 0, 0), 0, L"T", 0, images, true);
    ImageList_Destroy(images);
}

} // namespace
