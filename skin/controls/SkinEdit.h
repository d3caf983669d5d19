#pragma once
// Edits: a two-line border from the skin's colours around an edit that has a border.
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinUpDown;

class TSkinEdit : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void AfterMessage(ui::TMessage& message) override;
    void DrawSkin(HDC dc, const ui::TRect& rect) override;
    // The border drawn into a DC the window is printed into (the window DC when dc is nullptr).
    void PrintBorder(HDC dc);
    // The up-down child found inside the edit; 0 until found.
    HWND UpDownWindow = nullptr;
    // Its skin object (owned by this one, so it goes with the edit's); nullptr until found.
    TSkinUpDown* UpDown = nullptr;

protected:
    void Notification(ui::TComponent* component, ui::TOperation operation) override;

private:
    void FindUpDown();
    bool HasBorder() const;
};

} // namespace skin
