// Panels: only the skin's face colour; the panel paints itself.
#include "skin/controls/SkinBox.h"

#include "skin/data/WinSkinData.h"

namespace skin {

void TSkinBox::AttachControl(TSkinHost* form, TSkinData* skinData, bool useSkinColor, ui::TCanvas* canvas)
{
    auto* control = dynamic_cast<ui::TWinControl*>(Owner());
    if (Attached || !control)
        return;
    Form = form;
    SkinData = skinData;
    UseSkinColor = useSkinColor;
    Canvas = canvas;
    Control = control;
    Handle = control->Handle();
    if (Form)
        Form->RegisterControl(this);
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
