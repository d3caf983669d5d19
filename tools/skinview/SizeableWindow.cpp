#include "SizeableWindow.h"

#include "ui/Dialogs.h"

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
    AboutLabel->SetBounds(16, 44, 470, 80);
    AboutLabel->SetCaption(
        L"A sizeable window with every caption button: minimise, maximise and close. "
        L"Move it, size it from its borders and corners, maximise and restore it, and "
        L"activate the dialog window to see the inactive frame. Its menus show every kind of "
        L"item; a right click opens its context menu.");

    StatusLabel = new ui::TLabel(this);
    StatusLabel->SetParent(this);
    StatusLabel->SetTransparent(true);
    StatusLabel->SetAutoSize(false);
    StatusLabel->SetBounds(16, 132, 470, 20);
    StatusLabel->SetCaption(L"No menu item chosen yet.");
}

void TSizeableWindow::ShowSkin(const TViewerSkin& skin)
{
    SetCaption(L"SkinView - " + skin.Name);
    SkinLabel->SetCaption(L"Skin: " + skin.Name + L"  (" + skin.Source + L")");
}

void TSizeableWindow::BuildMenus(TMenuCommands commands)
{
    commands.Report = [this](const std::wstring& what) { StatusLabel->SetCaption(L"Chosen: " + what); };
    commands.Exit = [this] { Close(); };
    commands.WordWrap = [this](bool on) { AboutLabel->SetWordWrap(on); };
    commands.StatusBar = [this](bool on) { StatusLabel->SetVisible(on); };
    commands.About = [] {
        ui::MessageDlg(L"SkinView shows a skin on real windows, menus and controls.", ui::TMsgDlgType::mtInformation,
                       ui::mbOK);
    };

    MenuImages = MakeMenuImages(this);
    MainMenu = new ui::TMainMenu(this);
    MainMenu->SetImages(MenuImages);
    FileMenu = AddFileMenu(*MainMenu, commands);
    AddEditMenu(*MainMenu, commands);
    AddViewMenu(*MainMenu, commands);
    AddWindowMenu(*MainMenu, commands);
    AddHelpMenu(*MainMenu, commands);
    SetMenu(MainMenu);

    ContextMenu = MakeContextMenu(this, MenuImages, commands);
    SetPopupMenu(ContextMenu);
}

} // namespace skinview
