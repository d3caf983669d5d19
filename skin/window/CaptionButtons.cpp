// Caption buttons: the mouse states of non-client objects, when a caption button is shown, where it
// sits, how it is drawn and what a click on it does.
#include "skin/window/WinSkinForm.h"

#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"

#include <algorithm>

namespace skin {

TNCObject::~TNCObject()
{
    if (Form.HotObject == this)
        Form.HotObject = nullptr;
}

void TNCObject::MouseDown()
{
    if (Form.HotObject && Form.HotObject != this)
        Form.HotObject->MouseLeave();
    if (!Visible)
        return;
    Form.HotObject = this;
    State = ncsPressed;
    Paint();
}

void TNCObject::MouseUp()
{
    if (!Visible)
        return;
    State = ncsHot;
    Paint();
}

void TNCObject::MouseMove()
{
    if (Form.HotObject == this)
        return;
    if (Form.HotObject)
        Form.HotObject->MouseLeave();
    if (!Visible)
        return;
    Form.HotObject = this;
    State = ncsHot;
    Paint();
}

void TNCObject::MouseLeave()
{
    if (Form.HotObject == this)
        Form.HotObject = nullptr;
    if (!Visible)
        return;
    State = ncsNormal;
    Paint();
}

bool TWinSysButton::ShowsIcon() const
{
    return Skin->Action == 3 || Skin->Action == 11;
}

int TWinSysButton::FrameIndex() const
{
    if (!Form.Active && Skin->Frame >= 4)
        return 4;
    if (!Form.Active)
        return 1;
    switch (State) {
    case ncsPressed:
        return 2;
    case ncsHot:
        return Skin->Visibility == 100 ? 4 : 3;
    default:
        return 1;
    }
}

void TWinSysButton::Paint()
{
    // The caption is composed off-screen with every button in its state and copied at once.
    Form.PaintFrame();
}

namespace {

bool VisibilityHolds(int value, bool firstCondition, const TWinSkinForm& frame, const TDataSkinSysButton& skin)
{
    const bool max = frame.StyleFlags & sfMaxBox;
    const bool min = frame.StyleFlags & sfMinBox;
    const bool sys = frame.StyleFlags & sfSysMenu;
    const bool maxed = frame.WindowState == fwsMaximized;
    switch (value) {
    case 0:
        return !firstCondition || !(skin.Action == 0 && !sys);
    case 1:
        return maxed;
    case 2:
        return !maxed;
    case 3:
        return frame.Active;
    case 4:
        return !frame.Active;
    case 6:
        return firstCondition ? max && sys : max;
    case 7:
        return !max;
    case 8:
        return firstCondition ? min && sys : min;
    case 9:
        return !min;
    case 100: {
        // In the menu bar of an MDI frame whose active child is maximised.
        return frame.MenuHeight > 0 && frame.ActiveChildMaximized();
    }
    case 200:
        return !frame.DialogClass && frame.BorderKind == bkDialog;
    default:
        return value >= 201 && value <= 2000;
    }
}

} // namespace

bool TWinSkinForm::IsShown(int index)
{
    TWinSysButton& button = *CaptionButtons.at(index);
    const TDataSkinSysButton& skin = *button.Skin;
    bool shown = VisibilityHolds(skin.Visibility, true, *this, skin) &&
                 VisibilityHolds(skin.Visibility1, false, *this, skin);
    if (skin.Action == 1 && !(StyleFlags & sfMaxBox))
        shown = false;
    if (skin.Action == 2 && !(StyleFlags & sfMinBox))
        shown = false;
    if ((skin.Action == 3 || skin.Action == 11 || skin.Action == 12) && BorderKind == bkDialog)
        shown = false;
    button.Visible = shown;
    return shown;
}

void TWinSkinForm::LayoutCaptionButtons()
{
    int rightmostLeft = 0;
    for (int i = 0; i < CaptionButtonCount(); ++i) {
        TWinSysButton& button = *CaptionButtons[i];
        const TDataSkinSysButton& skin = *button.Skin;
        if (!IsShown(i) || skin.Bitmap.Empty() || skin.Frame < 1) {
            button.Visible = false;
            continue;
        }
        const int w = skin.Bitmap.Width() / skin.Frame;
        const int h = skin.Bitmap.Height();
        int x = 0;
        int y = 0;
        switch (skin.Align) {
        case 0:
            x = skin.Xcoord;
            y = skin.Ycoord;
            break;
        case 1:
            x = WindowWidth - skin.Xcoord;
            y = skin.Ycoord;
            rightmostLeft = std::max(rightmostLeft, x);
            break;
        case 2:
        case 8:
            x = TextRect.left - w - skin.Xcoord;
            y = skin.Ycoord;
            break;
        case 3:
        case 9:
            x = TextRect.right + skin.Xcoord;
            y = skin.Ycoord;
            break;
        case 100: {
            const TDataSkinObject* bar = skinData_->MenuBar.get();
            const int barLeft = bar ? bar->LeftWidth : 0;
            y = (MenuHeight - h) / 2 + BorderTop;
            x = RightToLeft ? skin.Xcoord + BorderLeft + barLeft : WindowWidth - skin.Xcoord - BorderRight - barLeft;
            break;
        }
        default:
            break;
        }
        button.Bounds = RECT{x, y, x + w, y + h};
    }
    if (rightmostLeft > 0)
        RightButtonsLeft = rightmostLeft;
}

void TWinSkinForm::PaintCaptionButtons(HDC dc)
{
    for (auto& button : CaptionButtons) {
        const TDataSkinSysButton& skin = *button->Skin;
        if (!button->Visible || skin.Visibility == 100)
            continue;
        if (button->ShowsIcon()) {
            // The window's icon, whatever state the button is in; nothing when it has none.
            if (scaledIcon_)
                DrawIconEx(dc, button->Bounds.left, button->Bounds.top, scaledIcon_, IconSize, IconSize, 0, nullptr,
                           DI_NORMAL);
            continue;
        }
        ui::TRect bounds = button->Bounds;
        DrawSkinStretch(dc, bounds, &button->Skin->Bitmap, true, skin.Frame, button->FrameIndex());
    }
}

TNCObject* TWinSkinForm::ObjectAt(POINT windowPoint)
{
    for (auto& button : CaptionButtons)
        if (button->Visible && button->Skin->Action >= 0 && PtInRect(&button->Bounds, windowPoint))
            return button.get();
    return SkinMenu ? SkinMenu->FindBarButton(windowPoint) : nullptr;
}

void TWinSkinForm::PerformAction(int x, int y)
{
    auto* button = dynamic_cast<TWinSysButton*>(HotObject);
    if (!button)
        return;
    const int action = button->Skin->Action;
    switch (action) {
    case 0:
        Close(true);
        break;
    case 1:
    case 22:
        Maximise();
        break;
    case 2:
    case 23:
        Minimise();
        break;
    case 3:
    case 11:
    case 12:
        ShowSystemMenu(POINT{x + 1, y + 1});
        break;
    case 7:
    case 60:
    case 8:
    case 61:
    case 9:
    case 62: {
        // Commands for the active child of an MDI frame.
        static constexpr UINT codes[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
        const int which = (action == 7 || action == 60) ? 0 : (action == 8 || action == 61) ? 1 : 2;
        MDIChildCommand(codes[which]);
        break;
    }
    default:
        PostMessageW(WindowHandle, WM_SKINBUTTONCLICK, static_cast<WPARAM>(action), 0);
        break;
    }
}

void TWinSkinForm::ShowSystemMenu(POINT screenPoint)
{
    const DWORD now = GetTickCount();
    // Unsigned difference: right across the tick counter's wrap-around.
    const bool passed = !SysMenuTicked || static_cast<int>(DoubleClickTime) < 0 || now - LastSysMenuTick > DoubleClickTime;
    if (!passed) {
        // The second request within the double-click time closes the window.
        if (HotObject) {
            EnableTimer(false);
            PostMessageW(WindowHandle, WM_CLOSE, 0, 0);
        }
        return;
    }
    LastSysMenuTick = now;
    SysMenuTicked = true;
    TrackSystemMenu(screenPoint);
}

} // namespace skin
