#pragma once
// The clickable objects of a skinned frame's non-client area: the base with its three-state mouse
// behaviour, and the caption buttons. (The menu bar's buttons derive from the same base.)
#include <windows.h>

namespace skin {

class TWinSkinForm;
class TDataSkinSysButton;

enum TNCState : int { ncsNone = 0, ncsNormal = 1, ncsPressed = 2, ncsHot = 3 };

class TNCObject {
public:
    explicit TNCObject(TWinSkinForm& form) : Form(form) {}
    // An object that goes is never left as the frame's hot object.
    virtual ~TNCObject();
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    virtual void MouseDown();
    virtual void MouseUp();
    virtual void MouseMove();
    virtual void MouseLeave();
    virtual void Paint() {}

    TWinSkinForm& Form;
    RECT Bounds{};  // window coordinates
    bool Visible = false;
    int State = ncsNone;
};

class TWinSysButton : public TNCObject {
public:
    TWinSysButton(TWinSkinForm& form, TDataSkinSysButton* skin) : TNCObject(form), Skin(skin) {}
    void Paint() override;
    // The strip frame this button shows now: the one place its state becomes a picture.
    int FrameIndex() const;
    // The button shows the window icon instead of an image (system-menu buttons).
    bool ShowsIcon() const;

    TDataSkinSysButton* Skin;
};

} // namespace skin
