#pragma once
// Up-down (spin) buttons, stand-alone or inside an edit, a tab control or a tab set.
#include "skin/controls/SkinControl.h"

namespace skin {

enum TSpinArrow : int { saUp = 0, saDown = 1, saLeft = 2, saRight = 3 };
// Button states, numbered as the up-down strips' frames within a button's group.
enum TSpinState : int { ssNormal = 1, ssPressedButton = 2, ssDisabledButton = 3, ssHotButton = 4 };

class TSkinUpDown : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    bool BeforeMessage(ui::TMessage& message) override;
    void AfterMessage(ui::TMessage& message) override;
    void DrawSkin(HDC dc, const ui::TRect& rect) override;
    // The states of the first (up or left) and second button for a cursor in client coordinates.
    void ButtonStates(POINT cursor, const ui::TRect& client, int& first, int& second) const;
    void DrawSpinButton(HDC dc, const ui::TRect& buttonRect, int arrow, int state);
    void DrawPlainSpinButton(HDC dc, const ui::TRect& buttonRect, int arrow, int state);

    // Inside an edit: the drawing area is one pixel smaller on each side.
    bool InEdit = false;
    // 1 forces side-by-side buttons (a tab set's scroll buttons).
    int Horizontal = 0;
    // The states the last paint showed (first and second button), 0 before the first.
    int LastFirst = 0;
    int LastSecond = 0;

private:
    bool SideBySide() const;
    // The drawing area in client coordinates.
    ui::TRect DrawArea() const;
    // Repaints when the states under the cursor differ from what shows.
    void UpdateMouseState();
};

// A small solid arrow for plain spin buttons.
void DrawArrow(HDC dc, int x, int y, int direction, COLORREF colour);

} // namespace skin
