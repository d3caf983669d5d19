#include "skin/data/SkinRegion.h"

#include <algorithm>
#include <vector>

namespace skin {

namespace {

// Rectangles handed to the platform per call; more at once makes region building slow.
constexpr std::size_t BatchLimit = 2000;
constexpr std::size_t BatchGrowth = 500;

HRGN RegionOf(const std::vector<RECT>& rects)
{
    std::vector<BYTE> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(rects.size());
    data->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    RECT bound{0, 0, 0, 0};
    if (!rects.empty()) {
        bound = rects.front();
        for (const RECT& r : rects) {
            bound.left = std::min(bound.left, r.left);
            bound.top = std::min(bound.top, r.top);
            bound.right = std::max(bound.right, r.right);
            bound.bottom = std::max(bound.bottom, r.bottom);
        }
        std::copy(rects.begin(), rects.end(), reinterpret_cast<RECT*>(data->Buffer));
    }
    data->rdh.rcBound = bound;
    HRGN region = ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data);
    if (!region) {
        // The platform refused the batch: build it one rectangle at a time.
        region = CreateRectRgn(0, 0, 0, 0);
        for (const RECT& r : rects) {
            HRGN one = CreateRectRgnIndirect(&r);
            CombineRgn(region, region, one, RGN_OR);
            DeleteObject(one);
        }
    }
    return region;
}

} // namespace

HRGN BitmapToRegion(ui::TBitmap* bitmap, int offsetX, int offsetY, std::uint8_t deltaB, std::uint8_t deltaG,
                    std::uint8_t deltaR, ui::TColor keyColor)
{
    if (!bitmap || bitmap->Empty())
        return CreateRectRgn(0, 0, 0, 0);
    const COLORREF key = ui::ColorToRGB(keyColor);
    const int lowR = GetRValue(key), lowG = GetGValue(key), lowB = GetBValue(key);
    const int highR = std::min(255, lowR + deltaR);
    const int highG = std::min(255, lowG + deltaG);
    const int highB = std::min(255, lowB + deltaB);
    const int bytes = static_cast<int>(bitmap->PixelFormat()) / 8;
    const int width = bitmap->Width(), height = bitmap->Height();

    std::vector<RECT> batch;
    batch.reserve(BatchGrowth);
    HRGN result = nullptr;
    auto flush = [&] {
        HRGN region = RegionOf(batch);
        if (!result) {
            result = region;
        } else {
            CombineRgn(result, result, region, RGN_OR);
            DeleteObject(region);
        }
        batch.clear();
    };

    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = bitmap->ScanLine(y);
        auto transparent = [&](int x) {
            const std::uint8_t* p = row + x * bytes;
            return p[0] >= lowB && p[0] <= highB && p[1] >= lowG && p[1] <= highG && p[2] >= lowR && p[2] <= highR;
        };
        int x = 0;
        while (x < width) {
            const int x0 = x;
            while (x < width && !transparent(x))
                ++x;
            if (x > x0) {
                if (batch.size() == batch.capacity())
                    batch.reserve(batch.capacity() + BatchGrowth);
                batch.push_back(RECT{x0 + offsetX, y + offsetY, x + offsetX, y + 1 + offsetY});
                if (batch.size() == BatchLimit)
                    flush();
            }
            ++x; // the transparent pixel that ended the run
        }
    }
    flush();
    return result;
}

} // namespace skin
