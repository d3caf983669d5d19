#include "ViewerOptions.h"

#include <windows.h>
#include <shellapi.h>

namespace skinview {

const wchar_t* const ViewerUsage =
    L"usage: SkinView.exe [skin] [--screenshot DIR]\n"
    L"  skin             a skin archive (.skn) or a skin folder (definition .ini and its .bmp files);\n"
    L"                   without one, the product skin\n"
    L"  --screenshot DIR saves PNG pictures of the windows into DIR, prints their paths and ends\n";

std::optional<TViewerOptions> ParseViewerOptions(const std::vector<std::wstring>& args, std::wstring& error)
{
    TViewerOptions options;
    bool haveSkin = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        if (arg == L"--screenshot") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                error = L"--screenshot needs a folder";
                return std::nullopt;
            }
            options.Screenshot = true;
            options.ScreenshotDir = args[++i];
        } else if (arg.size() > 1 && arg[0] == L'-' && arg[1] == L'-') {
            error = L"unknown option " + arg;
            return std::nullopt;
        } else if (haveSkin) {
            error = L"more than one skin named";
            return std::nullopt;
        } else {
            options.SkinPath = arg;
            haveSkin = true;
        }
    }
    return options;
}

std::vector<std::wstring> CommandLineArguments()
{
    std::vector<std::wstring> args;
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!list)
        return args;
    for (int i = 1; i < count; ++i)
        args.emplace_back(list[i]);
    LocalFree(list);
    return args;
}

} // namespace skinview
