// skinpack: builds skin archives from a skin's definition and bitmaps, and looks inside them.
//
//   skinpack pack <folder-or-files...> -o <out.skn>
//   skinpack list <archive.skn>
//   skinpack extract <archive.skn> <name> [-o <file>]
#include "skin/data/BmpImage.h"
#include "skin/data/QuickIni.h"
#include "skin/data/SkinArchiveWriter.h"
#include "skin/data/SkinReader.h"
#include "ui/Classes.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const kUsage =
    "usage:\n"
    "  skinpack pack <folder-or-files...> -o <out.skn>\n"
    "      Packs a skin: the definition (*.ini) first, then the bitmaps. A folder contributes its\n"
    "      .ini and .bmp files, in name order; files named one by one go in as given.\n"
    "  skinpack list <archive.skn>\n"
    "      Lists the files of an archive with their sizes.\n"
    "  skinpack extract <archive.skn> <name> [-o <file>]\n"
    "      Writes one file of an archive (name matched without regard to case); by default to\n"
    "      <name> in the current folder.\n";

struct TUsageError {
    std::string text;
};

struct TToolError {
    std::string text;
};

std::vector<std::uint8_t> ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw TToolError{"cannot open " + path.string()};
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw TToolError{"cannot read " + path.string()};
    return bytes;
}

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    // Through a temporary name, so a failed run never leaves half an archive behind.
    const fs::path temporary = path.string() + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            throw TToolError{"cannot write " + path.string()};
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            throw TToolError{"cannot write " + path.string()};
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) {
        fs::remove(temporary, error);
        throw TToolError{"cannot write " + path.string()};
    }
}

std::string Lower(const std::string& text) { return ui::LowerCaseAscii(text); }

bool HasExtension(const fs::path& path, const char* extension)
{
    return Lower(path.extension().string()) == extension;
}

void Warn(const std::string& text) { std::cerr << "skinpack: warning: " << text << "\n"; }

// Checks that the bitmaps the definition names are in the archive under a name the engine finds.
void CheckDefinition(const skin::TSkinArchiveEntry& definition, const std::set<std::string>& names)
{
    skin::TQuickIni ini;
    ini.LoadFromText(std::string(definition.Body.begin(), definition.Body.end()));
    std::string section;
    std::set<std::string> reported;
    for (int i = 0; i < ini.Lines.Count(); ++i) {
        const std::string& line = ini.Lines[i];
        if (line.front() == '[') {
            section = line;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        std::string value = ui::Trim(line.substr(equals + 1));
        const std::size_t slash = value.find_last_of("\\:");
        if (slash != std::string::npos)
            value = value.substr(slash + 1);
        const std::size_t dot = value.rfind('.');
        if (dot == std::string::npos || Lower(value.substr(dot)) != ".bmp")
            continue;
        if (value.substr(dot) != ".bmp")
            Warn(section + " " + line + ": the engine only loads names ending in lower-case \".bmp\"");
        else if (!names.count(Lower(value)) && reported.insert(Lower(value)).second)
            Warn(section + " " + line + ": " + value + " is not in the archive");
    }
}

int Pack(const std::vector<std::string>& inputs, const std::string& output)
{
    if (inputs.empty())
        throw TUsageError{"pack needs a skin folder or files"};
    if (output.empty())
        throw TUsageError{"pack needs -o <out.skn>"};

    std::vector<fs::path> files;
    for (const std::string& input : inputs) {
        const fs::path path(input);
        if (fs::is_directory(path)) {
            std::vector<fs::path> found;
            for (const auto& item : fs::directory_iterator(path)) {
                if (!item.is_regular_file())
                    continue;
                if (HasExtension(item.path(), ".ini") || HasExtension(item.path(), ".bmp"))
                    found.push_back(item.path());
                else
                    Warn("skipping " + item.path().string() + " (neither .ini nor .bmp)");
            }
            std::sort(found.begin(), found.end(), [](const fs::path& a, const fs::path& b) {
                return Lower(a.filename().string()) < Lower(b.filename().string());
            });
            files.insert(files.end(), found.begin(), found.end());
        } else if (fs::is_regular_file(path)) {
            files.push_back(path);
        } else {
            throw TToolError{"no such file or folder: " + input};
        }
    }
    // The engine takes the first entry whose name holds ".ini" as the definition.
    std::stable_partition(files.begin(), files.end(), [](const fs::path& p) {
        return Lower(p.filename().string()).find(".ini") != std::string::npos;
    });

    std::vector<skin::TSkinArchiveEntry> entries;
    std::set<std::string> names;
    int definitions = 0;
    for (const fs::path& file : files) {
        skin::TSkinArchiveEntry entry{file.filename().string(), ReadFile(file)};
        if (!names.insert(Lower(entry.Name)).second)
            throw TToolError{"two files named " + entry.Name + " (names are matched without regard to case)"};
        if (Lower(entry.Name).find(".ini") != std::string::npos)
            ++definitions;
        if (HasExtension(file, ".bmp")) {
            std::string why;
            skin::TBmpInfo info;
            if (!skin::ReadBmpInfo(entry.Body.data(), entry.Body.size(), info, &why))
                Warn(file.string() + ": the engine will refuse this bitmap: " + why);
        }
        entries.push_back(std::move(entry));
    }
    if (entries.size() > static_cast<std::size_t>(skin::kSkinArchiveMaxEntries))
        throw TToolError{"a skin archive holds at most 1001 files; got " + std::to_string(entries.size())};
    if (definitions == 0)
        Warn("no definition (*.ini): the archive will load no skin");
    else {
        if (definitions > 1)
            Warn("several *.ini files: only the first, " + entries.front().Name + ", is read");
        CheckDefinition(entries.front(), names);
    }

    std::vector<std::uint8_t> container;
    std::vector<std::uint8_t> archive;
    try {
        container = skin::BuildSkinContainer(entries);
        archive = skin::PackStoredStream(container);
    } catch (const ui::Exception& e) {
        throw TToolError{e.what()};
    }

    // Read it back as the engine will before writing anything.
    ui::TMemoryStream stored(archive);
    skin::TSkinReader reader;
    if (!reader.LoadArchive(stored))
        throw TToolError{"internal error: the packed archive does not read back (" + reader.Damage + ")"};
    for (const skin::TSkinArchiveEntry& entry : entries) {
        ui::TMemoryStream body;
        reader.GetFile(entry.Name, body);
        if (body.Bytes() != entry.Body)
            throw TToolError{"internal error: " + entry.Name + " does not read back"};
    }

    WriteFile(output, archive);
    std::cout << "packed " << entries.size() << " files, " << container.size() << " bytes into " << archive.size()
              << " bytes: " << output << "\n";
    return 0;
}

void ReportOlderSkin(const std::string& text)
{
    std::string line = text;
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::cerr << "skinpack: " << line << "\n";
}

std::string EndsEarlyText(const std::string& path)
{
    return path + ": the compressed stream ends before the declared length; the files read from it are damaged";
}

// Opens an archive as the engine does. Returns whether its stream was whole; when it was not, the
// warning has been printed and the archive, if usable at all, is still indexed.
bool OpenArchive(skin::TSkinReader& reader, const std::string& path)
{
    ui::TMemoryStream stored(ReadFile(path));
    skin::SetOlderSkinHandler(ReportOlderSkin);
    const bool loaded = reader.LoadArchive(stored);
    const bool early = reader.StreamEndedEarly;
    if (!loaded)
        throw TToolError{path + " is not a usable skin archive: " + reader.Damage
                         + (early ? " (" + EndsEarlyText(path) + ")" : "")};
    if (early)
        Warn(EndsEarlyText(path));
    return !early;
}

int List(const std::string& path)
{
    skin::TSkinReader reader;
    const bool whole = OpenArchive(reader, path);
    std::uint64_t total = 0;
    for (int i = 0; i < reader.Count; ++i) {
        std::printf("%10u  %s\n", static_cast<unsigned>(reader.Sizes[i]), reader.Names[i].c_str());
        total += reader.Sizes[i];
    }
    std::printf("%10llu  %d files\n", static_cast<unsigned long long>(total), reader.Count);
    return whole ? 0 : 1;
}

int Extract(const std::string& path, const std::string& name, std::string output)
{
    skin::TSkinReader reader;
    const bool whole = OpenArchive(reader, path);
    ui::TMemoryStream body;
    if (!reader.GetFile(name, body))
        throw TToolError{"no file named " + name + " in " + path + " (see: skinpack list " + path + ")"};
    // What a damaged stream yields is not worth a file that looks sound.
    if (!whole)
        throw TToolError{"nothing written for " + name};
    if (output.empty())
        output = ui::LowerCaseAscii(fs::path(name).filename().string());
    WriteFile(output, body.Bytes());
    std::cout << "wrote " << body.Size() << " bytes: " << output << "\n";
    return 0;
}

int Run(const std::vector<std::string>& args)
{
    if (args.empty() || args[0] == "-h" || args[0] == "--help" || args[0] == "help") {
        std::cout << kUsage;
        return args.empty() ? 2 : 0;
    }
    const std::string command = args[0];
    std::vector<std::string> positional;
    std::string output;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size())
                throw TUsageError{"-o needs a file name"};
            output = args[++i];
        } else {
            positional.push_back(args[i]);
        }
    }
    if (command == "pack")
        return Pack(positional, output);
    if (command == "list") {
        if (positional.size() != 1 || !output.empty())
            throw TUsageError{"list takes one archive"};
        return List(positional[0]);
    }
    if (command == "extract") {
        if (positional.size() != 2)
            throw TUsageError{"extract takes an archive and a file name"};
        return Extract(positional[0], positional[1], output);
    }
    throw TUsageError{"unknown command " + command};
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const TUsageError& e) {
        std::cerr << "skinpack: " << e.text << "\n" << kUsage;
        return 2;
    } catch (const TToolError& e) {
        std::cerr << "skinpack: error: " << e.text << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "skinpack: error: " << e.what() << "\n";
        return 1;
    }
}
