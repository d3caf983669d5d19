#include "ViewerSkin.h"

#include "skin/data/SkinArchiveWriter.h"
#include "skin/data/SkinReader.h"
#include "skin/data/WinSkinData.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace skinview {

namespace {

std::string Lower(const std::string& text) { return ui::LowerCaseAscii(text); }

std::string Utf8(const std::wstring& text) { return ui::WideToUtf8(text); }

std::vector<std::uint8_t> ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ESkinLoadError("Cannot open " + Utf8(path.wstring()) + ".");
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::vector<std::uint8_t> LinkedProductSkin()
{
    HRSRC resource = FindResourceW(nullptr, L"PRODUCTSKIN", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    const auto* bytes = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
    if (!bytes)
        throw ESkinLoadError("the product skin is not linked into this program");
    return std::vector<std::uint8_t>(bytes, bytes + SizeofResource(nullptr, resource));
}

// Skin definitions are ANSI text.
std::wstring FromAnsi(const std::string& text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// Says why a stored stream that the component refused cannot be shown.
std::string WhyRefused(const std::vector<std::uint8_t>& stored)
{
    ui::TMemoryStream stream(stored);
    skin::TSkinReader reader;
    if (!reader.LoadArchive(stream))
        return "it is not a usable skin archive" + (reader.Damage.empty() ? std::string() : " (" + reader.Damage + ")");
    ui::TMemoryStream definition;
    std::string found;
    if (!reader.FindFile(".ini", definition, found))
        return "it holds no skin definition (.ini)";
    return "its definition (" + found + ") names a bitmap that is not a sound BMP file";
}

void LoadStored(skin::TSkinData& data, const std::vector<std::uint8_t>& stored, const std::wstring& source)
{
    data.SkinStream() = ui::TMemoryStream(stored);
    if (!data.LoadSkinData())
        throw ESkinLoadError("The skin " + Utf8(source) + " cannot be loaded: " + WhyRefused(stored) + ".");
}

void LoadFile(skin::TSkinData& data, const fs::path& file)
{
    // The component reads the file itself, as it does for its SkinFile property.
    data.SetSkinFile(Utf8(file.wstring()));
    if (data.NoSkin)
        throw ESkinLoadError("The skin " + Utf8(file.wstring()) + " cannot be loaded: " + WhyRefused(ReadBytes(file)) +
                             ".");
}

} // namespace

std::vector<std::uint8_t> PackSkinFolder(const std::wstring& folder)
{
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& item : fs::directory_iterator(fs::path(folder), error)) {
        const std::string extension = Lower(Utf8(item.path().extension().wstring()));
        if (item.is_regular_file() && (extension == ".ini" || extension == ".bmp"))
            files.push_back(item.path());
    }
    if (error)
        throw ESkinLoadError("Cannot read the folder " + Utf8(folder) + ".");
    auto name = [](const fs::path& p) { return Lower(Utf8(p.filename().wstring())); };
    std::sort(files.begin(), files.end(), [&](const fs::path& a, const fs::path& b) { return name(a) < name(b); });
    // The engine takes the first entry whose name holds ".ini" as the definition.
    std::stable_partition(files.begin(), files.end(),
                          [&](const fs::path& p) { return name(p).find(".ini") != std::string::npos; });
    if (files.empty() || name(files.front()).find(".ini") == std::string::npos)
        throw ESkinLoadError("The folder " + Utf8(folder) + " holds no skin definition (.ini).");

    std::vector<skin::TSkinArchiveEntry> entries;
    for (const fs::path& file : files)
        entries.push_back({Utf8(file.filename().wstring()), ReadBytes(file)});
    try {
        return skin::BuildSkinArchive(entries);
    } catch (const ui::Exception& e) {
        throw ESkinLoadError("The folder " + Utf8(folder) + " cannot be packed: " + e.what());
    }
}

TViewerSkin LoadViewerSkin(skin::TSkinData& data, const std::wstring& path)
{
    TViewerSkin loaded;
    loaded.Source = path.empty() ? L"the product skin" : path;
    if (path.empty()) {
        LoadStored(data, LinkedProductSkin(), loaded.Source);
    } else {
        fs::path target(path);
        std::error_code error;
        // A definition file stands for the folder holding it.
        if (fs::is_regular_file(target, error) && Lower(Utf8(target.extension().wstring())) == ".ini")
            target = target.parent_path();
        // "folder\" names the folder too.
        const fs::path named = target.has_filename() ? target : target.parent_path();
        if (fs::is_directory(target, error)) {
            LoadStored(data, PackSkinFolder(target.wstring()), path);
            loaded.Name = named.filename().wstring();
        } else if (fs::is_regular_file(target, error)) {
            LoadFile(data, target);
            loaded.Name = named.stem().wstring();
        } else {
            throw ESkinLoadError("There is no skin file or folder " + Utf8(path) + ".");
        }
    }
    if (!data.SkinName.empty())
        loaded.Name = FromAnsi(data.SkinName);
    else if (loaded.Name.empty())
        loaded.Name = L"(unnamed skin)";
    return loaded;
}

} // namespace skinview
