#pragma once
// The viewer's command line: SkinView.exe [skin] [--screenshot DIR]
#include <optional>
#include <string>
#include <vector>

namespace skinview {

struct TViewerOptions {
    // A skin archive (.skn) or a skin folder; empty: the product skin linked into the program.
    std::wstring SkinPath;
    bool Screenshot = false;
    std::wstring ScreenshotDir;
};

// The options, or nothing with `error` set for a command line that makes no sense.
std::optional<TViewerOptions> ParseViewerOptions(const std::vector<std::wstring>& args, std::wstring& error);

// The program's arguments (without the program name), as Unicode text.
std::vector<std::wstring> CommandLineArguments();

extern const wchar_t* const ViewerUsage;

} // namespace skinview
