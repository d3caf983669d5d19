#include "FrameTesting.h"

#include "UiTesting.h"
#include "WindowTesting.h"

#include "skin/data/SkinArchiveWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace skin;

namespace frame_testing {

std::vector<std::pair<UINT, WPARAM>> SkinnedWindows::plainLog;

std::vector<std::uint8_t> ProductSkinArchive()
{
    std::ifstream in(PRODUCT_SKIN_FILE, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TWindowPixels ReadWindow(HWND window)
{
    // Everything pending first, the frame's own paint included.
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ui::Application.ProcessMessages();
    return ReadWindowAsIs(window);
}

unsigned GdiProbe() { return ui_testing::GdiObjectsAlive(); }

std::vector<std::uint8_t> PlainBorderSkin(int left, int top, int right, int bottom)
{
    std::string ini = "[TitlebarSkin]\nSkinName=Plain borders\n[Personality]\n";
    std::vector<TSkinArchiveEntry> entries;
    const auto add = [&](const char* key, int width, int height, COLORREF colour) {
        if (width <= 0 || height <= 0)
            return;
        const std::string file = std::string(key) + ".bmp";
        ini += std::string(key) + "=" + file + "\n" + key + "Frame=1\n";
        entries.push_back({file, ui_testing::MakeBmp(width, height, [colour](int, int) { return colour; })});
    };
    add("Left", left, 40, RGB(200, 0, 0));
    add("Right", right, 40, RGB(0, 200, 0));
    add("Top", 40, top, RGB(0, 0, 200));
    add("Bottom", 40, bottom, RGB(200, 200, 0));
    entries.insert(entries.begin(), {"skin.ini", std::vector<std::uint8_t>(ini.begin(), ini.end())});
    return BuildSkinArchive(entries);
}

TWindowPixels ReadWindowAsIs(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    TWindowPixels out;
    out.width = r.right - r.left;
    out.height = r.bottom - r.top;
    ui::TBitmap copy(out.width, out.height);
    HDC dc = GetWindowDC(window);
    BitBlt(copy.Canvas().Handle(), 0, 0, out.width, out.height, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        const std::uint8_t* p = copy.ScanLine(y);
        for (int x = 0; x < out.width; ++x, p += 3)
            out.pixels[static_cast<std::size_t>(y) * out.width + x] = (p[2] << 16) | (p[1] << 8) | p[0];
    }
    return out;
}

std::uint32_t FramePixel(const TWinSkinForm& frame, int x, int y)
{
    const std::uint8_t* p = frame.FrameImage().ScanLine(y) + x * 3;
    return (p[2] << 16) | (p[1] << 8) | p[0];
}

void SaveScreenshot(HWND window, const std::string& name)
{
    const TWindowPixels shot = ReadWindow(window);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool shaped = GetWindowRgn(window, region) != ERROR;
    std::vector<std::uint8_t> rgba;
    rgba.reserve(shot.pixels.size() * 4);
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) {
            const std::uint32_t c = shot.At(x, y);
            rgba.push_back(static_cast<std::uint8_t>(c >> 16));
            rgba.push_back(static_cast<std::uint8_t>(c >> 8));
            rgba.push_back(static_cast<std::uint8_t>(c));
            rgba.push_back(!shaped || PtInRegion(region, x, y) ? 255 : 0);
        }
    DeleteObject(region);
    const std::vector<std::uint8_t> png = ui_testing::EncodePng(shot.width, shot.height, rgba);
    std::filesystem::create_directories(SCREENSHOT_DIR);
    std::ofstream out(std::string(SCREENSHOT_DIR) + "/" + name + ".png", std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
}

SkinnedWindows::SkinnedWindows()
{
    plainLog.clear();
    FreeSkinManager();
    UseWindowSkinning();
    data_ = std::make_unique<TSkinData>(nullptr);
    const std::vector<std::uint8_t> archive = ProductSkinArchive();
    EXPECT_FALSE(archive.empty()) << "missing " << PRODUCT_SKIN_FILE;
    data_->SkinStream().Write(archive.data(), archive.size());
    EXPECT_TRUE(data_->LoadSkinData());
    data_->SetActive(true);
    data_->Loaded();
}

SkinnedWindows::~SkinnedWindows()
{
    forms_.clear();
    for (HWND w : plain_)
        if (IsWindow(w))
            DestroyWindow(w);
    ui::Application.ProcessMessages();
    data_.reset();
    FreeSkinManager();
    TSkinManage::FrameFactory = nullptr;
}

ui::TForm* SkinnedWindows::ShowForm(ui::TFormBorderStyle style, int clientWidth, int clientHeight,
                                    ui::TBorderIcons icons)
{
    auto form = std::make_unique<ui::TForm>(nullptr);
    form->SetBorderStyle(style);
    form->SetBorderIcons(icons);
    form->SetBounds(40, 40, 300, 200);
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(clientHeight);
    form->SetCaption(L"Skinned form");
    form->Show();
    SetForegroundWindow(form->Handle());
    WaitSkinned(form->Handle());
    forms_.push_back(std::move(form));
    return forms_.back().get();
}

ui::TForm* SkinnedWindows::ShowFormWith(const std::function<void(ui::TForm&)>& populate, int clientWidth,
                                        int clientHeight)
{
    auto form = std::make_unique<ui::TForm>(nullptr);
    form->SetBorderStyle(ui::TFormBorderStyle::bsSizeable);
    form->SetBounds(40, 40, 300, 200);
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(clientHeight);
    form->SetCaption(L"Skinned controls");
    populate(*form);
    form->Show();
    SetForegroundWindow(form->Handle());
    WaitSkinned(form->Handle());
    forms_.push_back(std::move(form));
    return forms_.back().get();
}

namespace {
LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SYSCOMMAND || message == WM_CLOSE || message == WM_SKINBUTTONCLICK)
        SkinnedWindows::plainLog.emplace_back(message, wParam);
    if (message == WM_CLOSE)
        return 0;  // the test decides when the window goes
    return DefWindowProcW(window, message, wParam, lParam);
}
} // namespace

HWND SkinnedWindows::ShowPlainWindow(DWORD style, int width, int height, HWND owner)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"FrameTestPlain";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Plain window", style, 60, 60, width, height, owner, nullptr,
                                  wc.hInstance, nullptr);
    plain_.push_back(window);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    WaitSkinned(window);
    return window;
}

TWinSkinForm* SkinnedWindows::FrameOf(HWND window)
{
    return TWinSkinForm::Find(window);
}

bool SkinnedWindows::WaitSkinned(HWND window)
{
    return testing_support::PumpUntil([window] {
        TWinSkinForm* frame = FrameOf(window);
        return frame && frame->Status == fsAttached;
    });
}

} // namespace frame_testing
