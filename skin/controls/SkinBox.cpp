// Panels: only the skin's face colour; the panel paints itself.
#include "skin/controls/SkinBox.h"

#include "skin/data/WinSkinData.h"

namespace skin {

void TSkinBox::AttachControl(TSkinHost* form, TSkinData* skinData, bool useSkinColor, ui::TCanvas* canvas)
{
    auto* control = dynamic_cast<ui::TWinControl*>(Owner());
    if (Attached || !control)
        return;
    Bind(control, control->Handle(), skinData, form, canvas);
    UseSkinColor = useSkinColor;
    if (UseSkinColor && SkinData) {
        SavedColor = control->Color();
        control->SetColor(SkinData->ButtonFaceColor);
    }
    Attached = true;
    Status = ssAttached;
}

void TSkinBox::Unskin()
{
    TSkinControl::Unskin();
    Status = ssUnskinned;
}

} // namespace skin
