// The whole load of the product skin (expand, index, read the definition, decode the bitmaps, build
// the objects), in milliseconds, beside two references measured in the same run: the bare expand
// and index of the archive, and a memcpy of the expanded container.
#include "skin/data/SkinReader.h"
#include "skin/data/WinSkinData.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace {

std::vector<std::uint8_t> LinkedSkin()
{
    HRSRC resource = FindResourceW(nullptr, L"PRODUCTSKIN", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!resource)
        return {};
    const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, resource)));
    return std::vector<std::uint8_t>(bytes, bytes + SizeofResource(nullptr, resource));
}

// Median time of `runs` calls, in milliseconds.
double Median(int runs, const std::function<void()>& work)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QueryPerformanceCounter(&start);
        work();
        QueryPerformanceCounter(&end);
        times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
    const std::vector<std::uint8_t> stored = LinkedSkin();
    if (stored.size() < 4) {
        std::fprintf(stderr, "skin_load_bench: the product skin is not linked in\n");
        return 1;
    }

    skin::TSkinData data(nullptr);
    data.SkinStream() = ui::TMemoryStream(stored);
    if (!data.LoadSkinData()) {
        std::fprintf(stderr, "skin_load_bench: the product skin does not load\n");
        return 1;
    }
    std::size_t expanded = 0;
    {
        ui::TMemoryStream copy(stored);
        skin::TSkinReader reader;
        reader.LoadArchive(copy);
        expanded = 16 + reader.Header.NameListLength + 4u * reader.Count + reader.Bodies.Size();
    }
    std::vector<std::uint8_t> container(expanded, 1), target(expanded);

    // Warm-up, then alternate so both see the same machine state.
    data.LoadSkinData();
    const double load = Median(runs, [&] { data.LoadSkinData(); });
    const double expand = Median(runs, [&] {
        ui::TMemoryStream copy(stored);
        skin::TSkinReader reader;
        reader.LoadArchive(copy);
    });
    const double copy = Median(runs * 10, [&] {
        std::memcpy(target.data(), container.data(), container.size());
        container[target[expanded / 2] % expanded] ^= 1;  // keeps the copy from being optimised away
    });

    std::printf("product skin: %zu bytes stored, %zu bytes expanded, %d files, skin \"%s\"\n", stored.size(),
                expanded, [&] {
                    ui::TMemoryStream s(stored);
                    skin::TSkinReader r;
                    r.LoadArchive(s);
                    return r.Count;
                }(),
                data.SkinName.c_str());
    std::printf("whole skin load (expand, index, definition, bitmaps, objects): %8.3f ms (median of %d)\n", load, runs);
    std::printf("reference: expand and index only:                             %8.3f ms  -> load / expand = %.2f\n",
                expand, load / expand);
    std::printf("reference: memcpy of the expanded container:                  %8.4f ms  -> load / memcpy = %.0f\n",
                copy, load / copy);
    std::printf("definition, bitmaps and objects alone:                        %8.3f ms (%.0f %% of the load)\n",
                load - expand, 100.0 * (load - expand) / load);
    return 0;
}
