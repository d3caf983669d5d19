// Writes the seed corpus of skin_fuzz into a folder: each file is a mode byte (see SkinFuzz.cpp)
// followed by a packed archive, a container, a definition, a colour text or a bitmap.
//   skin_fuzz_seeds <corpus-dir> [skin-folder]
#include "skin/data/SkinArchiveWriter.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

int g_count = 0;

void Seed(const fs::path& dir, std::uint8_t mode, const Bytes& body)
{
    std::ofstream out(dir / ("seed-" + std::to_string(mode) + "-" + std::to_string(g_count++)), std::ios::binary);
    out.put(static_cast<char>(mode));
    out.write(reinterpret_cast<const char*>(body.data()), static_cast<std::streamsize>(body.size()));
}

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

void Put(Bytes& b, std::size_t at, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A small BMP with a 40-byte header: a gradient with a magenta corner.
Bytes Bitmap(int width, int height, int bits)
{
    const int colours = bits <= 8 ? (1 << bits) : 0;
    const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    const std::size_t offset = 54 + 4 * colours;
    Bytes b(offset + stride * height, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put(b, 2, static_cast<std::uint32_t>(b.size()), 4);
    Put(b, 10, static_cast<std::uint32_t>(offset), 4);
    Put(b, 14, 40, 4);
    Put(b, 18, static_cast<std::uint32_t>(width), 4);
    Put(b, 22, static_cast<std::uint32_t>(height), 4);
    Put(b, 26, 1, 2);
    Put(b, 28, static_cast<std::uint32_t>(bits), 2);
    Put(b, 34, static_cast<std::uint32_t>(stride * height), 4);
    for (int i = 0; i < colours; ++i)
        Put(b, 54 + 4 * i, static_cast<std::uint32_t>(i * 0x010101 * (255 / (colours - 1 ? colours - 1 : 1))), 4);
    for (std::size_t i = offset; i < b.size(); ++i)
        b[i] = static_cast<std::uint8_t>(i * 7);
    return b;
}

Bytes ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: skin_fuzz_seeds <corpus-dir> [skin-folder]\n";
        return 2;
    }
    const fs::path dir = argv[1];
    fs::create_directories(dir);

    const std::string definition =
        "[Personality]\r\nSkinName=Seed\r\nTextBack=title.bmp\r\nTopHeight = 9\r\nHex=0x1F\r\n"
        "; comment\r\n[Buttons]\r\nBitmap=button.bmp\r\nNormalColour2=232, 234, 232\r\n[Colours]\r\n"
        "ButtonFace=212 208 200\r\n[COLOUR1]\r\ncolor=1 2 3\r\n";
    std::vector<skin::TSkinArchiveEntry> small = {
        {"seed.ini", Text(definition)},
        {"title.bmp", Bitmap(12, 4, 24)},
        {"button.bmp", Bitmap(9, 3, 32)},
        {"glyph.bmp", Bitmap(8, 8, 8)},
    };
    std::vector<skin::TSkinArchiveEntry> product;
    if (argc > 2) {
        for (const auto& item : fs::directory_iterator(argv[2])) {
            const std::string ext = item.path().extension().string();
            if (ext == ".ini")
                product.insert(product.begin(), {item.path().filename().string(), ReadFile(item.path())});
            else if (ext == ".bmp")
                product.push_back({item.path().filename().string(), ReadFile(item.path())});
        }
    }

    // The fuzz target expands at most 64 KiB: the product skin goes in as its first files.
    std::size_t kept = 0, bytes = 0;
    while (kept < product.size() && bytes + product[kept].Body.size() < 48000)
        bytes += product[kept++].Body.size();
    product.resize(kept);
    for (const auto* entries : {&small, &product}) {
        if (entries->empty())
            continue;
        const Bytes archive = skin::BuildSkinArchive(*entries);
        Seed(dir, 0, archive);
        Bytes cut(archive.begin(), archive.begin() + archive.size() / 2);
        Seed(dir, 0, cut);
        // Containers stay small: the mode packs them on every run.
        std::vector<skin::TSkinArchiveEntry> few(entries->begin(), entries->begin() + std::min<std::size_t>(4, entries->size()));
        Seed(dir, 1, skin::BuildSkinContainer(few));
        for (const auto& entry : *entries) {
            if (entry.Name.find(".ini") != std::string::npos)
                Seed(dir, 2, entry.Body);
            else if (entry.Body.size() < 16384)
                Seed(dir, 4, entry.Body);
        }
    }
    Seed(dir, 0, {0, 0, 0, 0});
    Seed(dir, 1, Text("junk"));
    Seed(dir, 2, Text("[a]\nk=1\r\n[A]\rk=\n\0[b]"));
    for (const char* colour : {"0 0 0", "232, 234, 232", "255 255", "1 2 3 4", "$7FFFFFFF", "-0x10"})
        Seed(dir, 3, Text(colour));
    for (int bits : {1, 4, 16})
        Seed(dir, 4, Bitmap(5, 3, bits));
    std::cout << g_count << " seeds in " << dir.string() << "\n";
    return 0;
}
