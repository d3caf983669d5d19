#include "SizeableWindow.h"

namespace skinview {

const ui::TClassInfo& TSizeableWindow::StaticClassInfo()
{
    static const ui::TClassInfo info =
        ui::TClassBuilder<TSizeableWindow, ui::TForm>("TSizeableWindow").NotCreatable().Build();
    return info;
}

TSizeableWindow::TSizeableWindow(ui::TComponent* owner) : ui::TForm(owner)
{
    SetBorderStyle(ui::TFormBorderStyle::bsSizeable);
    SetBorderIcons(ui::biSystemMenu | ui::biMinimize | ui::biMaximize);
    SetBounds(24, 24, 520, 360);
    SetCaption(L"SkinView");

    // One line, as wide as its text.
    SkinLabel = new ui::TLabel(this);
    SkinLabel->SetParent(this);
    SkinLabel->SetTransparent(true);
    SkinLabel->SetLeft(16);
    SkinLabel->SetTop(16);
    SkinLabel->Font().SetStyle(static_cast<ui::TFontStyles>(ui::TFontStyle::Bold));

    // A fixed box the text wraps in.
    AboutLabel = new ui::TLabel(this);
    AboutLabel->SetParent(this);
    AboutLabel->SetTransparent(true);
    AboutLabel->SetAutoSize(false);
    AboutLabel->SetWordWrap(true);
    AboutLabel->SetBounds(16, 44, 470, 64);
    AboutLabel->SetCaption(
        L"A sizeable window with every caption button: minimise, maximise and close. "
        L"Move it, size it from its borders and corners, maximise and restore it, and "
        L"activate the dialog window to see the inactive frame.");
}

void TSizeableWindow::ShowSkin(const TViewerSkin& skin)
{
    SetCaption(L"SkinView - " + skin.Name);
    SkinLabel->SetCaption(L"Skin: " + skin.Name + L"  (" + skin.Source + L")");
}

} // namespace skinview
