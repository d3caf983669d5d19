#pragma once
// Combo boxes: the border and the drop-down button from the skin, with the button's pressed and
// mouse-over state; an editable combo's inner edit reports its clicks.
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinScrollbarH;

// The drop button's rectangle, the glyph area inside it and the text area the skin leaves to the
// control, for a button on the right or (right-to-left reading) on the left. Painting and any hit
// test take them from here.
struct TComboGeometry {
    ui::TRect button{};
    ui::TRect glyphArea{};
    ui::TRect textArea{};
};
TComboGeometry ComboGeometry(const ui::TRect& rect, int arrowWidth, bool buttonLeft);
// The ComboButton strip frame of a state: disabled wins, then pressed, then hot or focused.
int ComboFrame(bool pressed, bool hot, bool focused, bool enabled);

class TSkinComBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    ~TSkinComBox() override;
    void AttachControl(TSkinHost* form, TSkinData* skinData, bool useSkinColor, ui::TCanvas* canvas) override;
    void AttachWindow(HWND handle, TSkinData* skinData, TSkinHost* form, ui::TCanvas* canvas) override;
    void Unskin() override;
    bool BeforeMessage(ui::TMessage& message) override;
    void AfterMessage(ui::TMessage& message) override;
    void DrawSkin(HDC dc, const ui::TRect& rect) override;

    LONG_PTR Style = 0;
    LONG_PTR ExStyle = 0;
    // The drop-down list window (a "ComboLBox"), as the combo reports it.
    HWND ListHandle = nullptr;
    // The inner edit of an editable combo while it is hooked.
    HWND EditHandle = nullptr;
    COMBOBOXINFO ComboInfo{};
    // The skinned scroll bar of the drop-down list while the list is open.
    std::unique_ptr<TSkinScrollbarH> ListScrollbar;
    // The frame last painted (for the viewer and the tests).
    int LastFrame = 0;

private:
    void HookParts();
    void UnhookEdit();
    bool ReadComboInfo();
    LRESULT EditMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // A press or release on the combo or its edit shows on the drop button.
    void NotePress(UINT msg);
    // Hot tracking for windows that report no mouse enter and leave of their own.
    void TrackHot(HWND window);
    void LeaveHot();
    // The list's bar comes when the list shows and goes once it closed.
    void FollowList();
    void DropListBar();
    bool CanSkin() const;
    // The skin's parts drawn into an off-screen picture that already holds what the control drew;
    // drewBorder tells whether the border around the text area was drawn too.
    bool Compose(HDC picture, HDC target, const ui::TRect& rect, int frame, const TComboGeometry& geometry,
                 bool buttonLeft, bool& drewBorder) const;
    void StartBuffer(HDC buffer, HDC screen, const ui::TRect& rect) override;
    // The inner edit's rectangle in the combo's coordinates: it paints itself.
    RECT BufferKeepOut() const override;
    ui::TSubclass editLink_;
    bool addedClipChildren_ = false;
};

} // namespace skin
