#include "Screenshots.h"

#include "skin/window/SkinManage.h"
#include "ui/Classes.h"
#include "ui/Forms.h"
#include "ui/GdiObjects.h"
#include "ui/Graphics.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace skinview {

namespace {

// The skin goes on through a posted message and the manager's 250 ms timer; this leaves room for
// both and for the paints that follow.
constexpr DWORD FirstShowTime = 1000;
constexpr DWORD SkinTimeout = 5000;
constexpr DWORD SettleTime = 500;

void PrintError(const std::string& text) { std::fprintf(stderr, "SkinView: %s\n", text.c_str()); }

// One entry per pixel of the window: true inside its region (all of it when it has none).
std::vector<bool> RegionMask(HWND window, int width, int height)
{
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    ui::TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
    const int kind = GetWindowRgn(window, region.Get());
    if (kind == ERROR)
        return std::vector<bool>(count, true);
    std::vector<bool> mask(count, false);
    const DWORD size = GetRegionData(region.Get(), 0, nullptr);
    if (size == 0)
        return mask;
    std::vector<std::uint8_t> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (GetRegionData(region.Get(), size, data) == 0)
        return std::vector<bool>(count, true);
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    for (DWORD i = 0; i < data->rdh.nCount; ++i) {
        const RECT& r = rects[i];
        for (LONG y = std::max(0L, r.top); y < std::min<LONG>(height, r.bottom); ++y)
            for (LONG x = std::max(0L, r.left); x < std::min<LONG>(width, r.right); ++x)
                mask[static_cast<std::size_t>(y) * width + x] = true;
    }
    return mask;
}

std::wstring JoinPath(const std::wstring& folder, const wchar_t* name)
{
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/')
        path += L'\\';
    return path + name;
}

class TShotWriter {
public:
    explicit TShotWriter(const std::wstring& folder) : folder_(folder) {}

    void Write(HWND window, const wchar_t* name)
    {
        const std::wstring path = JoinPath(folder_, name);
        if (!WritePng(path, CaptureWindow(window))) {
            PrintError("cannot write " + ui::WideToUtf8(path));
            failed_ = true;
            return;
        }
        std::printf("%s\n", ui::WideToUtf8(path).c_str());
        std::fflush(stdout);
    }
    bool Failed() const { return failed_; }

private:
    std::wstring folder_;
    bool failed_ = false;
};

bool HasFrame(HWND window)
{
    skin::TSkinManage* manager = skin::SkinManager();
    return manager && manager->FindSkinForm(window);
}

} // namespace

void PumpMessagesFor(DWORD milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        while (ui::Application.HandleMessage()) {
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= end)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
}

bool PumpUntilSkinned(const std::vector<HWND>& windows, DWORD timeout)
{
    const ULONGLONG end = GetTickCount64() + timeout;
    for (;;) {
        bool all = true;
        for (HWND window : windows)
            all = all && HasFrame(window);
        if (all)
            return true;
        if (GetTickCount64() >= end)
            return false;
        PumpMessagesFor(50);
    }
}

TRgbaPicture CaptureWindow(HWND window)
{
    RECT bounds{};
    GetWindowRect(window, &bounds);
    TRgbaPicture picture;
    picture.Width = bounds.right - bounds.left;
    picture.Height = bounds.bottom - bounds.top;
    if (picture.Width <= 0 || picture.Height <= 0)
        return picture;

    // Not PrintWindow or WM_PRINT: Wine answers those with its own frame, not the skin's.
    ui::TBitmap shot(picture.Width, picture.Height, ui::TPixelFormat::pf32bit);
    {
        ui::TWindowDC source(window);
        BitBlt(shot.Canvas().Handle(), 0, 0, picture.Width, picture.Height, source.Get(), 0, 0, SRCCOPY);
    }
    GdiFlush();

    const std::vector<bool> mask = RegionMask(window, picture.Width, picture.Height);
    picture.Pixels.resize(mask.size() * 4);
    for (int y = 0; y < picture.Height; ++y) {
        const std::uint8_t* row = shot.ScanLine(y);
        for (int x = 0; x < picture.Width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * picture.Width + x;
            std::uint8_t* out = &picture.Pixels[at * 4];
            out[0] = row[x * 4 + 2];
            out[1] = row[x * 4 + 1];
            out[2] = row[x * 4 + 0];
            out[3] = mask[at] ? 255 : 0;
        }
    }
    return picture;
}

void ActivateWindow(HWND window)
{
    SetForegroundWindow(window);
    SetActiveWindow(window);
    PumpMessagesFor(SettleTime);
}

int TakeScreenshots(HWND sizeable, HWND dialog, const std::wstring& folder)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(folder), error);
    if (error || !std::filesystem::is_directory(std::filesystem::path(folder))) {
        PrintError("cannot create the folder " + ui::WideToUtf8(folder));
        return 1;
    }

    PumpMessagesFor(FirstShowTime);
    if (!PumpUntilSkinned({sizeable, dialog}, SkinTimeout))
        PrintError("a window was not skinned; its pictures show the platform's frame");
    PumpMessagesFor(SettleTime);

    TShotWriter shots(folder);
    ActivateWindow(sizeable);
    shots.Write(sizeable, L"sizeable-active.png");
    shots.Write(dialog, L"dialog-inactive.png");

    ActivateWindow(dialog);
    shots.Write(dialog, L"dialog-active.png");
    shots.Write(sizeable, L"sizeable-inactive.png");

    ActivateWindow(sizeable);
    ShowWindow(sizeable, SW_MAXIMIZE);
    PumpMessagesFor(SettleTime);
    shots.Write(sizeable, L"sizeable-maximised.png");
    return shots.Failed() ? 1 : 0;
}

} // namespace skinview
