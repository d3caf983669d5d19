#include "UiTesting.h"

#include "ui/Forms.h"

#include <png.h>

#include <algorithm>

namespace ui_testing {

COLORREF ScreenPixel(HWND window, int x, int y)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ui::Application.ProcessMessages();
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

int CountPixels(HWND window, const RECT& area, COLORREF color)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ui::Application.ProcessMessages();
    const int w = area.right - area.left, h = area.bottom - area.top;
    ui::TBitmap copy(w, h);
    HDC dc = GetDC(window);
    BitBlt(copy.Canvas().Handle(), 0, 0, w, h, dc, area.left, area.top, SRCCOPY);
    ReleaseDC(window, dc);
    int count = 0;
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* p = copy.ScanLine(y);
        for (int x = 0; x < w; ++x, p += 3)
            if (RGB(p[2], p[1], p[0]) == color)
                ++count;
    }
    return count;
}

unsigned GdiObjectsAlive()
{
    // More probes than there can be free slots: every free slot fills, so the highest slot taken
    // less the probe count is the number of objects alive, whatever order slots were freed in.
    constexpr int probes = 3000;
    std::vector<HBRUSH> brushes;
    brushes.reserve(probes);
    unsigned highest = 0;
    for (int i = 0; i < probes; ++i) {
        brushes.push_back(CreateSolidBrush(RGB(1, 2, 3)));
        highest = std::max(highest, static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(brushes.back()) & 0xFFFF));
    }
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    return highest - probes;
}

namespace {
void WritePng(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
void FlushPng(png_structp) {}
} // namespace

std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint8_t>& rgba)
{
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, WritePng, FlushPng);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, const_cast<png_bytep>(rgba.data() + static_cast<std::size_t>(y) * width * 4));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::string Hex(const std::vector<std::uint8_t>& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i % 32 == 0)
            out += "\n      ";
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

namespace {
struct ChildSearch {
    std::wstring className;
    std::vector<HWND> found;
};
BOOL CALLBACK CollectChild(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<ChildSearch*>(param);
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    if (search->className == name)
        search->found.push_back(window);
    return TRUE;
}
} // namespace

std::vector<HWND> ChildWindows(HWND parent, const std::wstring& className)
{
    ChildSearch search{className, {}};
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PressKey(HWND window, WORD key)
{
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
    ui::Application.ProcessMessages();
}

void PressAltChar(HWND window, wchar_t ch)
{
    PostMessageW(window, WM_SYSCHAR, ch, static_cast<LPARAM>(0x20000001u));
    ui::Application.ProcessMessages();
}

unsigned UserSlotProbe()
{
    HMENU probe = CreatePopupMenu();
    const unsigned slot = LOWORD(reinterpret_cast<UINT_PTR>(probe));
    DestroyMenu(probe);
    return slot;
}

bool PumpAppUntil(const std::function<bool()>& done)
{
    for (int i = 0; i < 2000 && !done(); ++i) {
        ui::Application.ProcessMessages();
        Sleep(5);
    }
    return done();
}

} // namespace ui_testing
