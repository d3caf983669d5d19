// The menus of a skinned frame: making and rebuilding its bar, the owner-drawn items that reach
// its window, the form's menus switched to the skin's drawing and back, menu accelerators.
#include "skin/window/WinSkinForm.h"

#include "skin/data/WinSkinData.h"
#include "skin/window/SkinMenuItems.h"
#include "skin/window/SkinPopMenu.h"
#include "ui/Forms.h"
#include "ui/Menus.h"

namespace skin {

namespace {

// Platform menus of the system and of dialogs use identifiers from here up; below it an
// identifier the framework does not know belongs to the application.
constexpr UINT FirstSystemId = 4096;

// Text is measured on a screen-compatible DC and canvas kept for the purpose: a menu measures
// every item each time it opens.
ui::TCanvas& MeasuringCanvas()
{
    static ui::TMemoryDC dc;
    static ui::TCanvas canvas;
    if (!canvas.HandleAllocated())
        canvas.SetHandle(dc.Get());
    canvas.Font().Assign(ui::Screen.MenuFont());
    return canvas;
}

} // namespace

ui::TMainMenu* TWinSkinForm::MainMenu() const
{
    return Form ? Form->Menu() : nullptr;
}

void TWinSkinForm::CreateMenuBar()
{
    if (!FrameSkinned || IsMDIChild() || SkinMenu)
        return;
    MenuHandle = GetMenu(WindowHandle);
    ui::TMainMenu* main = MainMenu();
    if (!MenuHandle && !(main && main->HasHandle()))
        return;
    SkinMenu = std::make_unique<TWinSkinMenu>(*this, skinData_, main);
    // Taking the platform bar off repaints the frame, which then has room for the skinned one.
    MenuHeight = GetSystemMetrics(SM_CYMENU);
    if (main)
        SkinMenu->BuildFromMainMenu();
    else
        SkinMenu->BuildFromWindowMenu();
}

void TWinSkinForm::RebuildMenuBar()
{
    if (MenuTracking) {
        MenuRebuildPending = true;
        return;
    }
    if (!SkinMenu) {
        // A menu given to the window after it was skinned.
        CreateMenuBar();
        if (SkinMenu)
            SetWindowPos(WindowHandle, nullptr, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        return;
    }
    SkinMenu->Menu = MainMenu();
    if (skinData_->MenuMerge() || !SkinMenu->Menu)
        SkinMenu->BuildFromWindowMenu();
    else
        SkinMenu->BuildFromMainMenu();
    composedValid_ = false;
    PaintFrame();
}

void TWinSkinForm::FreeMenuBar(bool restore)
{
    if (!SkinMenu)
        return;
    if (HotObject && dynamic_cast<TMenuBtn*>(HotObject))
        HotObject = nullptr;
    HMENU menu = SkinMenu->MenuHandle;
    SkinMenu.reset();
    if (restore && menu && IsMenu(menu) && IsWindow(WindowHandle)) {
        // The platform draws the menu again, with the items' own text.
        if (!MainMenu())
            SetPlatformMenuOwnerDraw(menu, false);
        SetMenu(WindowHandle, menu);
    }
}

void TWinSkinForm::SkinFormMenus(bool value)
{
    if (!Form || !skinData_)
        return;
    if (!value || skinData_->HasSkinControl(xcPopupMenu))
        MakePopupMenusOwnerDraw(Form, skinData_, value);
    if (!value || skinData_->HasSkinControl(xcMenuItem))
        MakeMainMenusOwnerDraw(Form, skinData_, value);
    if (!value)
        if (ui::TMainMenu* main = MainMenu(); main && main->HasHandle())
            SetPlatformMenuOwnerDraw(main->Handle(), false);
}

bool TWinSkinForm::MeasureMenuItem(MEASUREITEMSTRUCT& measure)
{
    if (measure.CtlType != ODT_MENU || !skinData_)
        return false;
    if (ui::TMainMenu* main = MainMenu()) {
        if (ui::TMenuItem* item = main->FindItem(measure.itemID, ui::TFindItemKind::fkCommand)) {
            int width = static_cast<int>(measure.itemWidth);
            int height = static_cast<int>(measure.itemHeight);
            ui::TCanvas& mc = MeasuringCanvas();
            MeasureMainMenuItem(*skinData_, *item, mc, width, height);
            measure.itemWidth = static_cast<UINT>(width);
            measure.itemHeight = static_cast<UINT>(height);
            return true;
        }
    }
    if (Form && measure.itemID >= 1 && measure.itemID < FirstSystemId)
        return false;
    MeasurePlatformMenuItem(*skinData_, TrackedMenu ? TrackedMenu : SystemMenu, measure);
    return true;
}

bool TWinSkinForm::DrawMenuItem(const DRAWITEMSTRUCT& draw)
{
    if (draw.CtlType != ODT_MENU || !skinData_)
        return false;
    if (TWinSkinPopMenu* pending = PendingPopup()) {
        pending->Menu = reinterpret_cast<HMENU>(draw.hwndItem);
        SetPendingPopup(nullptr);
    }
    if (ui::TMainMenu* main = MainMenu()) {
        if (ui::TMenuItem* item = main->FindItem(draw.itemID, ui::TFindItemKind::fkCommand)) {
            ui::TBorrowedCanvas canvas(draw.hDC, &ui::Screen.MenuFont());
            DrawSkinMenuItem(*skinData_, *item, canvas.Canvas(), draw.rcItem, (draw.itemState & ODS_SELECTED) != 0);
            return true;
        }
    }
    if (Form && draw.itemID >= 1 && draw.itemID < FirstSystemId)
        return false;
    DrawPlatformMenuItem(*skinData_, draw);
    return true;
}

TWinSkinForm* TWinSkinForm::MDIFrame() const
{
    if (!IsMDIChild())
        return nullptr;
    // The child's own frame is the parent of its MDI client.
    HWND client = GetParent(WindowHandle);
    return client ? Find(GetParent(client)) : nullptr;
}

bool TWinSkinForm::MenuAccelerator(wchar_t ch)
{
    // An MDI child's keys open its frame's menus.
    if (TWinSkinForm* frame = MDIFrame())
        return frame->MenuAccelerator(ch);
    if (!SkinMenu || MenuTracking)
        return false;
    TMenuBtn* button = ch ? SkinMenu->AccelButton(ch) : SkinMenu->FirstButton();
    if (!button)
        return false;
    SkinMenu->SwitchToButton(*button);
    return true;
}

bool TWinSkinForm::DialogChar(ui::TMessage& message)
{
    const auto ch = static_cast<wchar_t>(LOWORD(message.WParam));
    if (SkinMenu && !MenuTracking && ui::KeyboardShiftState() == ui::ssAlt) {
        if (TMenuBtn* button = SkinMenu->AccelButton(ch)) {
            SkinMenu->SwitchToButton(*button);
            message.Result = 1;
            return true;
        }
    }
    TWinSkinForm* frame = MDIFrame();
    if (!frame || !frame->Form)
        return false;
    const LRESULT result = frame->Form->Perform(ui::CM_DIALOGCHAR, message.WParam, message.LParam);
    if (!result)
        return false;
    message.Result = result;
    return true;
}

} // namespace skin
