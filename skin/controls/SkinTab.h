#pragma once
// Tab controls, page controls and tab sets: the tab strip and the page border from the skin.
#include "skin/controls/SkinControl.h"

namespace skin {

class TSkinUpDown;

enum TTabPosition : int { tpTop = 0, tpBottom = 1, tpLeft = 2, tpRight = 3 };

class TSkinTab : public TSkinControl {
public:
    explicit TSkinTab(ui::TComponent* owner);
    ~TSkinTab() override;
    void AttachWindow(HWND handle, TSkinData* skinData, TSkinHost* form, ui::TCanvas* canvas) override;
    bool BeforeMessage(ui::TMessage& message) override;
    void AfterMessage(ui::TMessage& message) override;
    void SkinChanged() override;
    void DrawSkin(HDC dc, const ui::TRect& rect) override;
    void PrepareImages();
    // Skins the tab control's scroll up-down; answers whether it is showing.
    bool FindUpDown();
    void Unskin() override;
    void Notification(ui::TComponent* component, ui::TOperation operation) override;
    // The skin has a tab image to paint the strip with.
    bool HasTabs() const;
    // The visible scroll up-down in client coordinates, empty when there is none.
    RECT UpDownRect() const;
    // The control's own paint and the skin over it, composed off-screen and copied to target once.
    void Compose(HDC target);

    int TabPosition = tpTop;
    ui::TBitmap TabImage;
    ui::TBitmap BorderImage;
    ui::TBitmap WorkImage;
    TSkinUpDown* UpDown = nullptr;
};

// A tab set: a row of tabs the control keeps itself ("TTabSet").
class TSkinTab31 : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    ~TSkinTab31() override;
    void AttachControl(TSkinHost* form, TSkinData* skinData, bool useSkinColor, ui::TCanvas* canvas) override;
    bool BeforeMessage(ui::TMessage& message) override;
    void SkinChanged() override;
    void DrawSkin(HDC dc, const ui::TRect& rect) override;
    void PrepareImage();
    void Unskin() override;
    void Notification(ui::TComponent* component, ui::TOperation operation) override;
    bool HasImage() const;

    ui::TBitmap TabImage;
    TSkinUpDown* UpDown = nullptr;
    ui::TWinControl* Scroller = nullptr;
};

// An image from a list and a text, aligned in rect (0 left, 1 centre, 2 right), for tab and header
// items.
void DrawImageAndText(HDC dc, const ui::TRect& rect, int alignment, const std::wstring& text, int imageIndex,
                      HIMAGELIST images, bool enabled);

} // namespace skin
