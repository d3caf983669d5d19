#include "ScrollTesting.h"

#include "skin/data/WinSkinData.h"

namespace scroll_testing {

using skin::TSkinArchiveEntry;

std::vector<std::uint8_t> SolidScrollSkin(TSolidParts parts)
{
    const int a = GetSystemMetrics(SM_CXVSCROLL);
    std::string ini = "[TitlebarSkin]\nSkinName=Solid bars\n[Personality]\n[Colours]\nButtonFace=90 60 30\n";
    std::vector<TSkinArchiveEntry> entries;
    const auto strip = [](int frames, int w, int h, COLORREF (*colour)(int)) {
        return ui_testing::MakeBmp(frames * w, h, [=](int x, int) { return colour(x / w + 1); });
    };
    if (parts.arrows) {
        ini += "[Scrollbar]\nImage=arrows.bmp\nTrans=0\n";
        entries.push_back({"arrows.bmp", strip(23, a, a, ArrowColour)});
    }
    if (parts.tracks) {
        ini += "[HorzScroll]\nImage=htrack.bmp\nTrans=0\nTile=0\n[VertScroll]\nImage=vtrack.bmp\nTrans=0\nTile=0\n";
        entries.push_back({"htrack.bmp", strip(4, 8, a, HorzTrackColour)});
        entries.push_back({"vtrack.bmp", strip(4, a, 8, VertTrackColour)});
    }
    if (parts.thumbs) {
        ini += "[HorzScrollThumb]\nImage=hthumb.bmp\nFrameCount=3\nTrans=0\n"
               "[VertScrollThumb]\nImage=vthumb.bmp\nFrameCount=3\nTrans=0\n";
        entries.push_back({"hthumb.bmp", strip(3, 12, a, HorzThumbColour)});
        entries.push_back({"vthumb.bmp", strip(3, a, 12, VertThumbColour)});
    }
    entries.insert(entries.begin(), {"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())});
    return skin::BuildSkinArchive(entries);
}

void Settle()
{
    for (int i = 0; i < 4; ++i) {
        ui::Application.ProcessMessages();
        Sleep(5);
    }
}

void LeftButton(bool down)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof(input));
}

namespace {
std::vector<std::function<void()>> gSteps;
std::size_t gStep = 0;
bool gReleased = false;

void CALLBACK HoldTick(HWND, UINT, UINT_PTR id, DWORD)
{
    if (gStep < gSteps.size()) {
        const std::function<void()> step = gSteps[gStep++];
        step();
        return;
    }
    KillTimer(nullptr, id);
    LeftButton(false);
    gReleased = true;
}
} // namespace

void PressAndHold(POINT screen, std::vector<std::function<void()>> steps)
{
    testing_support::MouseTo(screen);
    Settle();
    gSteps = std::move(steps);
    gStep = 0;
    gReleased = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 120, &HoldTick);
    LeftButton(true);
    testing_support::PumpUntil([] { return gReleased; });
    KillTimer(nullptr, timer);
    Settle();
    gSteps.clear();
}

std::vector<HWND> OverlayWindows()
{
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND top, LPARAM list) -> BOOL {
        wchar_t name[64] = {};
        GetClassNameW(top, name, 63);
        if (std::wstring(name) == L"SkinScrollOverlay")
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(top);
        EnumChildWindows(top, [](HWND w, LPARAM l) -> BOOL {
            wchar_t n[64] = {};
            GetClassNameW(w, n, 63);
            if (std::wstring(n) == L"SkinScrollOverlay")
                reinterpret_cast<std::vector<HWND>*>(l)->push_back(w);
            return TRUE;
        }, list);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

POINT BarPoint(const skin::TWScrollbar& bar, int along)
{
    RECT r{};
    GetWindowRect(bar.Window(), &r);
    if (bar.Orientation == 1)
        return POINT{(r.left + r.right) / 2, r.top + along};
    return POINT{r.left + along, (r.top + r.bottom) / 2};
}

std::uint32_t BarPixel(const TWindowPixels& shown, const skin::TWScrollbar& bar, int along)
{
    if (bar.Orientation == 1)
        return shown.At(shown.width / 2, along);
    return shown.At(along, shown.height / 2);
}

std::wstring NumberedLines(int count)
{
    std::wstring text;
    for (int i = 0; i < count; ++i) {
        text += L"Line " + std::to_wstring(i) + L" of the memo, long enough to reach past its right edge";
        if (i + 1 < count)
            text += L"\r\n";
    }
    return text;
}

ScrollFixture::~ScrollFixture() { SetCursorPos(0, 0); }

void ScrollFixture::UseSkin(const std::vector<std::uint8_t>& archive)
{
    Data().SkinStream() = ui::TMemoryStream(archive);
    ASSERT_TRUE(Data().LoadSkinData());
}

ui::TMemo* ScrollFixture::ShowMemo(int lines, ui::TScrollStyle bars, int width, int height)
{
    ui::TMemo* memo = nullptr;
    form_ = ShowFormWith([&](ui::TForm& f) {
        memo = new ui::TMemo(&f);
        memo->SetParent(&f);
        memo->SetBounds(10, 10, width, height);
        memo->SetWordWrap(false);
        memo->SetScrollBars(bars);
        memo->SetText(NumberedLines(lines));
    }, width + 60, height + 60);
    Settle();
    return memo;
}

skin::TSkinScrollbar* ScrollFixture::SkinOf(ui::TWinControl* control)
{
    skin::TWinSkinForm* frame = FrameOf(form_->Handle());
    return frame ? dynamic_cast<skin::TSkinScrollbar*>(frame->FindControlObject(control)) : nullptr;
}

} // namespace scroll_testing
