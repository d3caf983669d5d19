#include "skin/data/SkinText.h"

#include <vector>

namespace skin {

int DrawTextUnicode(HDC dc, const std::wstring& text, ui::TRect& rect, UINT format)
{
    if (format & DT_MODIFYSTRING) {
        // DrawText may write an ellipsis of up to four characters past the text.
        std::vector<wchar_t> buffer(text.begin(), text.end());
        buffer.resize(text.size() + 5, L'\0');
        return DrawTextW(dc, buffer.data(), static_cast<int>(text.size()), &rect, format);
    }
    return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

std::wstring AnsiToWide(const std::string& text)
{
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

std::string WideToAnsi(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

} // namespace skin
