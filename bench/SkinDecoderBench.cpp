// Expands a skin archive of realistic size many times and prints the decoder's speed beside
// zlib's inflate of the same container, in the same process.
//   skin_decoder_bench [archive.skn] [seconds-per-measure]
// Without an archive it builds one like the product skin: one definition and 49 bitmaps,
// about 250 KB expanded.
#include "skin/data/Lzh.h"
#include "skin/data/SkinArchiveWriter.h"
#include "skin/data/SkinReader.h"

#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

void Put(Bytes& b, std::size_t at, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A 24-bit skin strip: frames of a bevelled face with a gradient, a magenta key border and a
// little dithering noise, which is what skin bitmaps are made of.
Bytes SkinBitmap(int width, int height, int frames, std::mt19937& random)
{
    const std::size_t stride = ((static_cast<std::size_t>(width) * 24 + 31) / 32) * 4;
    Bytes b(54 + stride * height, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put(b, 2, static_cast<std::uint32_t>(b.size()), 4);
    Put(b, 10, 54, 4);
    Put(b, 14, 40, 4);
    Put(b, 18, static_cast<std::uint32_t>(width), 4);
    Put(b, 22, static_cast<std::uint32_t>(height), 4);
    Put(b, 26, 1, 2);
    Put(b, 28, 24, 2);
    const int frameWidth = width / frames;
    const int base = static_cast<int>(random() % 160) + 40;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = b.data() + 54 + y * stride;
        for (int x = 0; x < width; ++x) {
            const int fx = x % frameWidth, frame = x / frameWidth;
            int r, g, bl;
            if (fx == 0 || y == 0 || fx == frameWidth - 1 || y == height - 1) {
                r = 255; g = 0; bl = 255;  // transparent key
            } else if (fx == 1 || y == 1) {
                r = g = bl = 240;
            } else if (fx == frameWidth - 2 || y == height - 2) {
                r = g = bl = 96;
            } else {
                const int shade = base + frame * 12 + (y * 40) / height;
                r = shade - 20; g = shade; bl = shade + 25;
                if (random() % 48 == 0)
                    g += 1;
            }
            row[3 * x] = static_cast<std::uint8_t>(std::clamp(bl, 0, 255));
            row[3 * x + 1] = static_cast<std::uint8_t>(std::clamp(g, 0, 255));
            row[3 * x + 2] = static_cast<std::uint8_t>(std::clamp(r, 0, 255));
        }
    }
    return b;
}

std::vector<skin::TSkinArchiveEntry> ProductLikeSkin()
{
    std::mt19937 random(2024);
    std::vector<skin::TSkinArchiveEntry> entries;
    std::string ini;
    for (int s = 0; s < 40; ++s) {
        ini += "[Section" + std::to_string(s) + "]\r\nImage=part" + std::to_string(s % 49) + ".bmp\r\n";
        ini += "LeftWidth=4\r\nRightWidth=4\r\nTopHeight=3\r\nBottomHeight=3\r\nTrans=1\r\nTile=0\r\n";
        ini += "NormalColour2=0 0 0\r\nMouseOverColour2=16 32 64\r\nPressedColour2=255 255 255\r\n\r\n";
    }
    entries.push_back({"skin.ini", Bytes(ini.begin(), ini.end())});
    const int sizes[][3] = {{120, 21, 4}, {60, 18, 3}, {64, 16, 4}, {40, 40, 2}, {120, 24, 2}, {30, 30, 6}, {16, 80, 2}};
    for (int i = 0; i < 49; ++i) {
        const auto& s = sizes[i % 7];
        entries.push_back({"part" + std::to_string(i) + ".bmp", SkinBitmap(s[0], s[1], s[2], random)});
    }
    return entries;
}

// Runs `work` repeatedly for about `seconds`; returns the mean time of one run in seconds.
template <typename Work>
double Measure(double seconds, Work work)
{
    work();  // warm up
    int runs = 0;
    const auto start = Clock::now();
    double elapsed = 0;
    do {
        work();
        ++runs;
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    } while (elapsed < seconds);
    return elapsed / runs;
}

} // namespace

int main(int argc, char** argv)
{
    Bytes stored;
    if (argc > 1 && std::string(argv[1]) != "-") {
        std::ifstream in(argv[1], std::ios::binary);
        stored.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (stored.size() < 4) {
            std::fprintf(stderr, "cannot read a skin archive from %s\n", argv[1]);
            return 1;
        }
    } else {
        stored = skin::BuildSkinArchive(ProductLikeSkin());
    }
    const double seconds = argc > 2 ? std::atof(argv[2]) : 2.0;

    // The container, as the decoder gives it, is the reference both decoders produce.
    ui::TMemoryStream storedStream(stored);
    const std::uint32_t expandedSize = static_cast<std::uint32_t>(stored[0] | stored[1] << 8 | stored[2] << 16 | stored[3] << 24);
    ui::TMemoryStream container;
    storedStream.SetPosition(4);
    skin::TLZH(&storedStream, &container).Expand(expandedSize);

    uLongf deflatedSize = compressBound(static_cast<uLong>(container.Size()));
    Bytes deflated(deflatedSize);
    if (compress2(deflated.data(), &deflatedSize, container.Memory(), static_cast<uLong>(container.Size()), 9) != Z_OK)
        return 1;
    deflated.resize(deflatedSize);

    const double lzhTime = Measure(seconds, [&] {
        ui::TMemoryStream in(stored), out;
        in.SetPosition(4);
        skin::TLZH(&in, &out).Expand(expandedSize);
        if (out.Size() != container.Size())
            std::abort();
    });
    const double loadTime = Measure(seconds, [&] {
        ui::TMemoryStream in(stored);
        skin::TSkinReader reader;
        if (!reader.LoadArchive(in))
            std::abort();
    });
    Bytes inflated(container.Size());
    const double zlibTime = Measure(seconds, [&] {
        uLongf size = static_cast<uLongf>(inflated.size());
        if (uncompress(inflated.data(), &size, deflated.data(), static_cast<uLong>(deflated.size())) != Z_OK
            || size != container.Size())
            std::abort();
    });
    if (inflated != container.Bytes())
        return 1;

    const double mb = container.Size() / 1e6;
    std::printf("container        %zu bytes; LZH %zu bytes, zlib -9 %zu bytes\n", container.Size(), stored.size(),
                deflated.size());
    std::printf("LZH Expand       %8.1f MB/s  (%.3f ms per expansion)\n", mb / lzhTime, lzhTime * 1e3);
    std::printf("LoadArchive      %8.1f MB/s  (%.3f ms per load)\n", mb / loadTime, loadTime * 1e3);
    std::printf("zlib inflate     %8.1f MB/s  (%.3f ms per expansion)\n", mb / zlibTime, zlibTime * 1e3);
    std::printf("ratio LZH/zlib   %8.3f  (zlib is %.1fx faster)\n", zlibTime / lzhTime, lzhTime / zlibTime);
    return 0;
}
