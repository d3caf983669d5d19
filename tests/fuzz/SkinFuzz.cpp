// Fuzz target of the skin parsers. The first byte picks the consumer of the rest:
//   0  a stored skin stream: LoadArchive, then the definition and bitmaps found inside
//   1  an expanded container: packed by the encoder, then loaded (the encoder/decoder pair must
//      round-trip exactly)
//   2  a definition text: TQuickIni and its lookups
//   3  a colour or integer text: ParseColour, TryStrToInt
//   4  a BMP file: the validator and decoder
#include "skin/data/BmpImage.h"
#include "skin/data/Lzh.h"
#include "skin/data/LzhEncoder.h"
#include "skin/data/QuickIni.h"
#include "skin/data/SkinArchiveWriter.h"
#include "skin/data/SkinColour.h"
#include "skin/data/SkinReader.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Far below the product's bound, so that a mutated length field (expanded with zeros up to the
// length it names) keeps each run short; the bound itself is checked by the tests.
constexpr std::uint32_t kFuzzExpandLimit = 64u << 10;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void ReadDefinition(const std::string& text)
{
    skin::TQuickIni ini;
    ini.LoadFromText(text);
    ui::TStringList sections;
    ini.ReadSections(sections);
    Check(sections.Count() == ini.Sections.Count());
    for (int i = 0; i < ini.Lines.Count() && i < 200; ++i) {
        const std::string& line = ini.Lines[i];
        const std::size_t equals = line.find('=');
        const std::string key = equals == std::string::npos ? line : line.substr(0, equals);
        const std::string section = sections.Count() ? sections[i % sections.Count()] : line;
        const std::string value = ini.ReadString(section, key, "\x01");
        Check(!value.empty());
        ini.ReadInteger(section, key, -1);
        skin::ParseColour(value);
    }
    // Every header is found by its own name, at a header line with that text.
    for (int i = 0; i < ini.Sections.Count() && i < 50; ++i) {
        const std::string& header = ini.Sections[i];
        const int line = ini.FindSection(header.substr(1, header.size() - 2));
        Check(line >= 0 && line <= static_cast<int>(ini.Sections.Object(i)) && line < ini.Lines.Count());
        Check(ui::LowerCaseAscii(ini.Lines[line]) == ui::LowerCaseAscii(header));
    }
}

void ReadBitmap(const std::uint8_t* data, std::size_t size)
{
    skin::TBmpInfo info;
    const bool valid = skin::ReadBmpInfo(data, size, info);
    skin::TBmpImage image;
    const bool decoded = skin::DecodeBmp(data, size, image);
    Check(valid == decoded);
    if (decoded) {
        Check(image.Pixels.size() == static_cast<std::size_t>(image.Width) * image.Height);
        Check(info.PixelOffset + info.Stride * info.Height <= size);
    }
}

void ReadArchive(ui::TMemoryStream& stored)
{
    skin::TSkinReader reader;
    reader.ExpandLimit = kFuzzExpandLimit;
    if (!reader.LoadArchive(stored)) {
        Check(reader.Count == 0);
        return;
    }
    Check(reader.Count == reader.Names.Count() && reader.Count <= skin::TSkinReader::MaxEntries);
    ui::TMemoryStream file;
    std::string found;
    if (reader.FindFile(".ini", file, found))
        ReadDefinition(std::string(file.Bytes().begin(), file.Bytes().end()));
    for (int i = 0; i < reader.Count && i < 64; ++i) {
        Check(reader.GetFile(reader.Names[i], file));
        Check(file.Size() == reader.Sizes[i] || reader.Names.IndexOf(reader.Names[i]) < i);
        ReadBitmap(file.Memory(), file.Size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t mode = data[0] % 5;
    ++data;
    --size;
    switch (mode) {
    case 0: {
        ui::TMemoryStream stored(std::vector<std::uint8_t>(data, data + size));
        ReadArchive(stored);
        break;
    }
    case 1: {
        const std::vector<std::uint8_t> container(data, data + size);
        // A short match search: this mode fuzzes the format, not the compression ratio.
        skin::TLzhEncodeOptions options;
        options.MaxChain = 4;
        const std::vector<std::uint8_t> packed = skin::PackStoredStream(container, options);
        ui::TMemoryStream in(packed), out;
        in.SetPosition(4);
        skin::TLZH(&in, &out).Expand(static_cast<std::uint32_t>(container.size()));
        Check(out.Bytes() == container);
        in.SetPosition(0);
        ReadArchive(in);
        break;
    }
    case 2:
        ReadDefinition(std::string(reinterpret_cast<const char*>(data), size));
        break;
    case 3: {
        const std::string text(reinterpret_cast<const char*>(data), size);
        const std::int32_t colour = skin::ParseColour(text);
        Check((colour & 0xFF000000) == 0);
        int value = 0;
        skin::TryStrToInt(text, value);
        break;
    }
    default:
        ReadBitmap(data, size);
        break;
    }
    return 0;
}
