#pragma once
// Edits: a two-line border from the skin's colours around an edit that has a border.
#include "skin/controls/WinSubClass.h"

namespace skin {

class TSkinEdit : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void AfterMessage(ui::TMessage& message) override;
    void DrawSkin(HDC dc, const ui::TRect& rect) override;
    // The border drawn into a DC the window is printed into (the window DC when dc is nullptr).
    void PrintBorder(HDC dc);
    // The up-down child found inside the edit (skinned with the scroll-bar controls); 0 until found.
    HWND UpDownWindow = nullptr;

private:
    void FindUpDown();
    bool HasBorder() const;
};

} // namespace skin
