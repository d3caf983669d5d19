#include "Screenshots.h"

#include "MenuShots.h"

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

// The pixels of a DC's rectangle; those outside `mask` (one entry per pixel) transparent.
TRgbaPicture ReadPixels(HDC source, int left, int top, int width, int height, const std::vector<bool>& mask)
{
    ui::TBitmap shot(width, height, ui::TPixelFormat::pf32bit);
    BitBlt(shot.Canvas().Handle(), 0, 0, width, height, source, left, top, SRCCOPY);
    GdiFlush();
    TRgbaPicture picture;
    picture.Width = width;
    picture.Height = height;
    picture.Pixels.resize(mask.size() * 4);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = shot.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * width + x;
            std::uint8_t* out = &picture.Pixels[at * 4];
            out[0] = row[x * 4 + 2];
            out[1] = row[x * 4 + 1];
            out[2] = row[x * 4 + 0];
            out[3] = mask[at] ? 255 : 0;
        }
    }
    return picture;
}

std::wstring JoinPath(const std::wstring& folder, const wchar_t* name)
{
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/')
        path += L'\\';
    return path + name;
}

bool HasFrame(HWND window)
{
    skin::TSkinManage* manager = skin::SkinManager();
    return manager && manager->FindSkinForm(window);
}

// Mouse messages carry client coordinates: the middle of the window.
LPARAM CentreOf(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return MAKELPARAM(client.right / 2, client.bottom / 2);
}

// A click as the mouse gives it, through the window's own queue.
void ClickWindow(HWND window)
{
    const LPARAM at = CentreOf(window);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
}

// The pointer really moves there: hot tracking checks where it is.
void MovePointerTo(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    POINT centre{client.right / 2, client.bottom / 2};
    ClientToScreen(window, &centre);
    SetCursorPos(centre.x, centre.y);
}

void MovePointerAway()
{
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The message dialog runs its own modal loop: it is watched, pictured and answered from a timer
// that runs inside that loop.
struct TMessageBoxShot {
    TShotWriter* Shots = nullptr;
    HWND Box = nullptr;
    ULONGLONG SeenAt = 0;
    ULONGLONG AnsweredAt = 0;
    bool Captured = false;
};
TMessageBoxShot* g_boxShot = nullptr;

HWND FindMessageBox()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM param) -> BOOL {
        if (IsWindowVisible(window) && ClassOf(window) == L"TMessageForm") {
            *reinterpret_cast<HWND*>(param) = window;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The dialog's last button (No, or OK when it has one button).
HWND LastButtonOf(HWND box)
{
    HWND last = nullptr;
    EnumChildWindows(box, [](HWND child, LPARAM param) -> BOOL {
        if (ClassOf(child).find(L"Button") != std::wstring::npos && IsWindowVisible(child))
            *reinterpret_cast<HWND*>(param) = child;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&last));
    return last;
}

void CALLBACK WatchMessageBox(HWND, UINT, UINT_PTR, DWORD)
{
    TMessageBoxShot* shot = g_boxShot;
    if (!shot)
        return;
    const ULONGLONG now = GetTickCount64();
    if (!shot->Box) {
        shot->Box = FindMessageBox();
        shot->SeenAt = now;
        return;
    }
    if (!IsWindow(shot->Box))
        return;
    if (shot->Captured) {
        // A press the dialog did not take: close it, or the modal loop never ends.
        if (now - shot->AnsweredAt > SkinTimeout)
            PostMessageW(shot->Box, WM_CLOSE, 0, 0);
        return;
    }
    if (now - shot->SeenAt < FirstShowTime || (!HasFrame(shot->Box) && now - shot->SeenAt < SkinTimeout))
        return;
    shot->Captured = true;
    if (!HasFrame(shot->Box))
        PrintError("the message dialog was not skinned; its picture shows the platform's frame");
    shot->Shots->Write(shot->Box, L"message-box.png");
    shot->AnsweredAt = now;
    if (HWND button = LastButtonOf(shot->Box))
        ClickWindow(button);
    else
        PostMessageW(shot->Box, WM_CLOSE, 0, 0);
}

void ShootControls(TShotWriter& shots, const TControlWindows& controls)
{
    ActivateWindow(controls.Window);
    shots.Write(controls.Window, L"controls.png");

    MovePointerTo(controls.HotButton);
    SendMessageW(controls.HotButton, WM_MOUSEMOVE, 0, CentreOf(controls.HotButton));
    SendMessageW(controls.PressedButton, WM_LBUTTONDOWN, MK_LBUTTON, CentreOf(controls.PressedButton));
    PumpMessagesFor(SettleTime);
    shots.Write(controls.Window, L"controls-hot-pressed.png");
    SendMessageW(controls.PressedButton, WM_LBUTTONUP, 0, CentreOf(controls.PressedButton));
    MovePointerAway();
    PumpMessagesFor(SettleTime);
}

void ShootMessageBox(TShotWriter& shots, const TControlWindows& controls)
{
    TMessageBoxShot shot;
    shot.Shots = &shots;
    g_boxShot = &shot;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, WatchMessageBox);
    ClickWindow(controls.MessageButton);
    const ULONGLONG end = GetTickCount64() + FirstShowTime + 3 * SkinTimeout;
    while (!(shot.Captured && !IsWindow(shot.Box)) && GetTickCount64() < end)
        PumpMessagesFor(50);
    KillTimer(nullptr, timer);
    g_boxShot = nullptr;
    if (!shot.Captured)
        shots.Fail("the message dialog did not show");
    else if (IsWindow(shot.Box))
        shots.Fail("the message dialog did not close on its button");
    PumpMessagesFor(SettleTime);
}

} // namespace

void TShotWriter::Write(HWND window, const wchar_t* name) { Write(CaptureWindow(window), name); }

void TShotWriter::Write(const TRgbaPicture& picture, const wchar_t* name)
{
    const std::wstring path = JoinPath(folder_, name);
    if (!WritePng(path, picture)) {
        PrintError("cannot write " + ui::WideToUtf8(path));
        failed_ = true;
        return;
    }
    std::printf("%s\n", ui::WideToUtf8(path).c_str());
    std::fflush(stdout);
}

void TShotWriter::Fail(const std::string& text)
{
    PrintError(text);
    failed_ = true;
}

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
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0)
        return {};
    // Not PrintWindow or WM_PRINT: Wine answers those with its own frame, not the skin's.
    ui::TWindowDC source(window);
    return ReadPixels(source.Get(), 0, 0, width, height, RegionMask(window, width, height));
}

TRgbaPicture CaptureScreenArea(const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return {};
    ui::TClientDC screen(nullptr);
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    return ReadPixels(screen.Get(), area.left, area.top, width, height, std::vector<bool>(count, true));
}

void ActivateWindow(HWND window)
{
    SetForegroundWindow(window);
    SetActiveWindow(window);
    PumpMessagesFor(SettleTime);
}

int TakeScreenshots(HWND sizeable, HWND dialog, const TControlWindows& controls, const TMenuWindows& menus,
                    const std::wstring& folder)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(folder), error);
    if (error || !std::filesystem::is_directory(std::filesystem::path(folder))) {
        PrintError("cannot create the folder " + ui::WideToUtf8(folder));
        return 1;
    }

    PumpMessagesFor(FirstShowTime);
    std::vector<HWND> windows{sizeable, dialog, controls.Window};
    if (controls.Scrolling)
        windows.push_back(controls.Scrolling);
    if (!PumpUntilSkinned(windows, SkinTimeout))
        PrintError("a window was not skinned; its pictures show the platform's frame");
    PumpMessagesFor(SettleTime);

    TShotWriter shots(folder);
    ActivateWindow(sizeable);
    shots.Write(sizeable, L"sizeable-active.png");
    shots.Write(dialog, L"dialog-inactive.png");

    ActivateWindow(dialog);
    shots.Write(dialog, L"dialog-active.png");
    shots.Write(sizeable, L"sizeable-inactive.png");

    // Before the maximised window covers it.
    ShootControls(shots, controls);
    ShootMessageBox(shots, controls);
    if (controls.Scrolling) {
        ActivateWindow(controls.Scrolling);
        shots.Write(controls.Scrolling, L"scrolling.png");
    }

    // The menus and the MDI window, before the maximised window covers the screen.
    ActivateWindow(sizeable);
    shots.Write(sizeable, L"menu-bar.png");
    ShootMenus(shots, sizeable, menus.ContextMenu);
    if (menus.Mdi)
        ShootMdi(shots, *menus.Mdi);

    ActivateWindow(sizeable);
    ShowWindow(sizeable, SW_MAXIMIZE);
    PumpMessagesFor(SettleTime);
    shots.Write(sizeable, L"sizeable-maximised.png");
    return shots.Failed() ? 1 : 0;
}

} // namespace skinview
