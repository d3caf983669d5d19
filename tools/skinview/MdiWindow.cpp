#include "MdiWindow.h"

#include <string>
#include <utility>

namespace skinview {

namespace {

// Merging puts a child's items between the frame's by GroupIndex: File, the child's menu, Window.
constexpr int FileGroup = 0;
constexpr int ChildGroup = 1;
constexpr int WindowGroup = 2;

ui::TMenuItem* AddItem(ui::TComponent* owner, ui::TMenuItem& parent, const wchar_t* caption,
                       ui::TNotifyEvent onClick = {}, const wchar_t* shortCut = nullptr)
{
    auto* item = new ui::TMenuItem(owner);
    item->SetCaption(caption);
    if (shortCut)
        item->SetShortCut(ui::TextToShortCut(shortCut));
    item->OnClick = std::move(onClick);
    parent.Add(item);
    return item;
}

ui::TMenuItem* AddTopItem(ui::TMainMenu& menu, const wchar_t* caption, int groupIndex)
{
    auto* item = new ui::TMenuItem(menu.Owner());
    item->SetCaption(caption);
    item->SetGroupIndex(groupIndex);
    menu.Items()->Add(item);
    return item;
}

// Sets the application's main form for as long as it lives: an MDI child finds its frame as the
// main form while its window is made.
class TMainFormSwap {
public:
    explicit TMainFormSwap(ui::TCustomForm* form) : previous_(ui::Application.MainForm())
    {
        ui::Application.SetMainForm(form);
    }
    ~TMainFormSwap() { ui::Application.SetMainForm(previous_); }
    TMainFormSwap(const TMainFormSwap&) = delete;
    TMainFormSwap& operator=(const TMainFormSwap&) = delete;

private:
    ui::TCustomForm* previous_;
};

} // namespace

const ui::TClassInfo& TMdiChild::StaticClassInfo()
{
    static const ui::TClassInfo info = ui::TClassBuilder<TMdiChild, ui::TForm>("TMdiChild").NotCreatable().Build();
    return info;
}

TMdiChild::TMdiChild(ui::TComponent* owner, int number) : ui::TForm(owner)
{
    SetFormStyle(ui::TFormStyle::fsMDIChild);
    // The client places and sizes it as it cascades new children.
    SetPosition(ui::TPosition::poDefault);
    const std::wstring name = L"Child " + std::to_wstring(number);
    SetCaption(name);

    TextLabel = new ui::TLabel(this);
    TextLabel->SetParent(this);
    TextLabel->SetTransparent(true);
    TextLabel->SetLeft(12);
    TextLabel->SetTop(12);
    TextLabel->SetCaption(name + L": an MDI child. Its \"Child\" menu joins the frame's bar while it is active.");

    ChildMenu = new ui::TMainMenu(this);
    ui::TMenuItem* child = AddTopItem(*ChildMenu, L"&Child", ChildGroup);
    AddItem(this, *child, L"Ma&ximise", [this](ui::TObject*) { Maximise(); });
    AddItem(this, *child, L"&Restore", [this](ui::TObject*) {
        if (HandleAllocated())
            ShowWindow(Handle(), SW_RESTORE);
    });
    AddItem(this, *child, L"-");
    AddItem(this, *child, L"&Close", [this](ui::TObject*) { Close(); }, L"Ctrl+F4");
    SetMenu(ChildMenu);
}

void TMdiChild::Maximise()
{
    if (HandleAllocated())
        SendMessageW(GetParent(Handle()), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(Handle()), 0);
}

const ui::TClassInfo& TMdiWindow::StaticClassInfo()
{
    static const ui::TClassInfo info = ui::TClassBuilder<TMdiWindow, ui::TForm>("TMdiWindow").NotCreatable().Build();
    return info;
}

TMdiWindow::TMdiWindow(ui::TComponent* owner) : ui::TForm(owner)
{
    SetFormStyle(ui::TFormStyle::fsMDIForm);
    SetBorderStyle(ui::TFormBorderStyle::bsSizeable);
    SetCaption(L"MDI window");
    // Right of the controls window, below the dialog.
    SetBounds(620, 230, 620, 440);

    FrameMenu = new ui::TMainMenu(this);
    ui::TMenuItem* file = AddTopItem(*FrameMenu, L"&File", FileGroup);
    AddItem(this, *file, L"&New child", [this](ui::TObject*) { AddChild(); }, L"Ctrl+N");
    AddItem(this, *file, L"&Close child", [this](ui::TObject*) { CloseActiveChild(); });
    AddItem(this, *file, L"-");
    AddItem(this, *file, L"Close &window", [this](ui::TObject*) { Close(); });

    WindowItem = AddTopItem(*FrameMenu, L"&Window", WindowGroup);
    AddItem(this, *WindowItem, L"&Cascade", [this](ui::TObject*) { Cascade(); });
    AddItem(this, *WindowItem, L"&Tile", [this](ui::TObject*) { Tile(); });
    SetMenu(FrameMenu);
    SetWindowMenu(WindowItem);
}

void TMdiWindow::Open()
{
    Show();
    if (childrenMade_ > 0)
        return;
    // The frame was skinned as it was activated: children made from here on are skinned by it.
    for (int i = 0; i < 3; ++i)
        AddChild();
    Cascade();
}

TMdiChild* TMdiWindow::AddChild()
{
    TMainFormSwap swap(this);
    auto* child = new TMdiChild(this, ++childrenMade_);
    child->Show();
    return child;
}

void TMdiWindow::CloseActiveChild()
{
    if (ui::TCustomForm* child = ActiveMDIChild())
        child->Close();
}

} // namespace skinview
