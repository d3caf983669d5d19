// Which controls of a window are skinned, and by which kind of control object: per component for a
// framework form, per child window for a plain window (a system dialog box).
#include "skin/window/WinSkinForm.h"

#include "skin/data/WinSkinData.h"
#include "ui/Forms.h"

#include <algorithm>
#include <cctype>

namespace skin {

namespace {

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string WindowClassLower(HWND window)
{
    char name[101] = {};
    GetClassNameA(window, name, 100);
    return Lower(name);
}

bool Is(const ui::TComponent* component, const char* className) { return component->InheritsFrom(className); }

HWND WindowOf(ui::TComponent* component)
{
    auto* windowed = dynamic_cast<ui::TWinControl*>(component);
    return windowed ? windowed->Handle() : nullptr;
}

} // namespace

// The kinds of control object a rule can give.
enum class TControlKind {
    None, ComboBox, Edit, EditByWindow, RadioButton, CheckBox, Panel, GroupBox, Button, BitButton, SpeedButton,
    TrackBar, UpDown, Tab, Tab31, Progress, Scrollbar, ScrollControl, StatusBar, ListView, GlyphCheckBox, ToolBar, Header
};

template <class T>
void TWinSkinForm::Attach(ui::TComponent* component, bool useSkinColor)
{
    auto* object = new T(component);
    object->AttachControl(this, skinData_, useSkinColor, &controlCanvas_);
    if (!object->Attached)
        delete object;
}

template <class T>
void TWinSkinForm::AttachHandle(ui::TComponent* owner, HWND window)
{
    auto* object = new T(owner);
    object->AttachWindow(window, skinData_, this, &controlCanvas_);
    if (!object->Attached)
        delete object;
}

namespace {

// Creates and attaches the object of a kind; nothing for a kind this build has no object for.
void AttachKind(TWinSkinForm& frame, TControlKind kind, ui::TComponent* component, bool useSkinColor);

// A group of buttons: an object of the item kind for each of its buttons, then the group's own.
void AttachGroup(TWinSkinForm& frame, const TSkinData& data, ui::TComponent* component, TControlKind item)
{
    auto* group = dynamic_cast<ui::TWinControl*>(component);
    if (!group)
        return;
    if (data.HasSkinControl(xcRadioButton))
        for (int i = 0; i < group->ControlCount(); ++i)
            AttachKind(frame, item, group->Controls(i), false);
    if (data.HasSkinControl(xcGroupBox))
        AttachKind(frame, TControlKind::GroupBox, component, true);
}

} // namespace

void TWinSkinForm::SkinComponents(ui::TComponent* owner)
{
    if (!owner || !skinData_)
        return;
    PurgeDeadControls();
    // Classifying may create components (a radio group's buttons): walk a copy.
    std::vector<ui::TComponent*> components;
    for (int i = 0; i < owner->ComponentCount(); ++i)
        components.push_back(owner->Components(i));
    for (ui::TComponent* component : components) {
        if (dynamic_cast<ui::TControl*>(component) && !dynamic_cast<TSkinControl*>(component))
            ClassifyComponent(component, owner);
    }
}

bool TWinSkinForm::IsSkinned(ui::TComponent* component) const
{
    auto* windowed = dynamic_cast<ui::TWinControl*>(component);
    for (TSkinControl* object : Controls) {
        if (!object->Handle) {
            if (object->TargetControl() == component)
                return true;
            continue;
        }
        if (!windowed)
            continue;
        if (!windowed->HandleAllocated()) {
            // Report previews build their windows late; their controls count as skinned.
            const std::string name = Form ? Form->Name() : std::string();
            return name == "TQRStandardPreview" || name == "TppPrintPreview" || name == "TdxfmStdPreview" ||
                   Lower(name).find("preview") != std::string::npos;
        }
        if (object->Handle == windowed->WindowHandle())
            return true;
    }
    return false;
}

bool TWinSkinForm::MapSkin3rd(const std::string& className, ui::TComponent* component)
{
    const std::string key = Lower(className) + "=";
    std::string kind;
    bool found = false;
    for (int i = 0; i < skinData_->Skin3rd().Count(); ++i) {
        const std::string line = Lower(skinData_->Skin3rd()[i]);
        if (line.compare(0, key.size(), key) == 0) {
            kind = line.substr(key.size(), 50);
            found = true;
            break;
        }
    }
    if (!found)
        return false;
    const TSkinData& d = *skinData_;
    const bool tabs = d.Tabs && !d.Tabs->Bitmap.Empty();
    if (kind == "combobox" && d.HasSkinControl(xcCombo)) {
        AttachKind(*this, TControlKind::ComboBox, component, false);
    } else if (kind == "edit" && d.HasSkinControl(xcEdit)) {
        AttachKind(*this, TControlKind::EditByWindow, component, false);
    } else if (kind == "radiobutton" && d.HasSkinControl(xcRadioButton)) {
        AttachKind(*this, TControlKind::RadioButton, component, false);
    } else if (kind == "panel" && d.HasSkinControl(xcPanel)) {
        SetPropByText(component, "Transparent", "True");
        AttachKind(*this, TControlKind::Panel, component, true);
    } else if (kind == "trackbar" && d.HasSkinControl(xcButton)) {
        SetPropByText(component, "Transparent", "True");
        AttachKind(*this, TControlKind::TrackBar, component, false);
    } else if (kind == "button" && d.HasSkinControl(xcButton)) {
        AttachKind(*this, TControlKind::Button, component, false);
    } else if (kind == "bitbtn" && d.HasSkinControl(xcButton)) {
        AttachKind(*this, TControlKind::BitButton, component, false);
    } else if (kind == "speedbutton" && d.HasSkinControl(xcSpeedButton)) {
        AttachKind(*this, TControlKind::SpeedButton, component, false);
    } else if (kind == "tab" && d.HasSkinControl(xcTab) && tabs) {
        AttachKind(*this, TControlKind::Tab, component, false);
    } else if (kind == "progress" && d.HasSkinControl(xcProgress)) {
        AttachKind(*this, TControlKind::Progress, component, false);
    } else if (kind == "scrollbar" && d.HasSkinControl(xcScrollbar)) {
        AttachKind(*this, TControlKind::Scrollbar, component, false);
        SkinComponents(component);
    } else if (kind == "embedscrollbar" && d.HasSkinControl(xcScrollbar)) {
        AttachKind(*this, TControlKind::ScrollControl, component, false);
    } else if (kind == "groupbox" && d.HasSkinControl(xcGroupBox)) {
        AttachKind(*this, TControlKind::GroupBox, component, true);
    } else if ((kind == "radiogroup" && d.HasSkinControl(xcGroupBox)) || (kind == "checkgroup" && d.HasSkinControl(xcPanel))) {
        AttachGroup(*this, d, component, kind == "radiogroup" ? TControlKind::RadioButton : TControlKind::CheckBox);
    } else if (kind == "checkbox" && d.HasSkinControl(xcCheckBox)) {
        AttachKind(*this, TControlKind::CheckBox, component, false);
    }
    return true;
}

void TWinSkinForm::ClassifyComponent(ui::TComponent* component, ui::TComponent* owner)
{
    const TSkinData& d = *skinData_;
    if (component->Tag() % 100 == d.DisableTag() || IsSkinned(component))
        return;
    auto* windowed = dynamic_cast<ui::TWinControl*>(component);
    if (windowed) {
        try {
            windowed->HandleNeeded();
        } catch (...) {
            return;
        }
    }
    const std::string cn = Upper(component->ClassName());

    if (skinData_->OnSkinControl) {
        ui::TComponent* supplied = nullptr;
        skinData_->OnSkinControl(Form, skinData_, dynamic_cast<ui::TControl*>(owner), dynamic_cast<ui::TControl*>(component),
                                 cn, supplied);
        if (auto* object = dynamic_cast<TSkinControl*>(supplied)) {
            if (std::find(Controls.begin(), Controls.end(), object) == Controls.end()) {
                RegisterControl(object);
                object->AttachControl(this, skinData_, object->UseSkinColor, &controlCanvas_);
                if (Is(component, "TCustomPanel"))
                    SkinComponents(component);
            }
            return;
        }
    }

    if (MapSkin3rd(cn, component) || cn == "TDBCOMBOBOXEH" || cn == "TQRPREVIEW" || cn == "TFRDESIGNERPAGE" ||
        cn == "TFRPBOX") {
        SkinComponents(component);
        return;
    }

    const bool tabs = d.Tabs && !d.Tabs->Bitmap.Empty();
    auto has = [&d](TSkinControlType type) { return d.HasSkinControl(type); };
    auto attach = [this, component](TControlKind kind, bool useSkinColor) {
        AttachKind(*this, kind, component, useSkinColor);
    };

    if (cn == "TTABSET") {
        if (has(xcTab) && tabs)
            return attach(TControlKind::Tab31, false);
    }
    if (cn == "TTABBEDNOTEBOOK" && has(xcTab) && tabs)
        return attach(TControlKind::Tab, false);
    if (cn == "TMVCPANEL")
        return;
    if (cn == "TTRACKBAR" && has(xcButton))
        return attach(TControlKind::TrackBar, false);
    if ((cn == "TUPDOWN" || cn == "TSPINBUTTON") && has(xcButton))
        return attach(TControlKind::UpDown, false);
    if (cn == "TDBNAVIGATOR" && has(xcPanel)) {
        SetPropByText(component, "Flat", "True");
        return attach(TControlKind::Panel, true);
    }
    if (cn == "TRZDBCHECKBOX" && has(xcCheckBox))
        return attach(TControlKind::GlyphCheckBox, true);
    if (Is(component, "TCustomComboBox") && has(xcCombo))
        return attach(TControlKind::ComboBox, false);
    if (cn == "TDATETIMEPICKER" && has(xcEdit)) {
        // A picker with an up-down field (DTS_UPDOWN) looks like an edit, else like a combo box.
        const bool upDown = windowed && (GetWindowLongPtrW(windowed->Handle(), GWL_STYLE) & 0x0001) != 0;
        return attach(upDown ? TControlKind::Edit : TControlKind::ComboBox, false);
    }
    if (has(xcScrollbar) && (cn == "TRICHEDIT" || cn == "TWWDBRICHEDIT" || cn == "TDXDBMEMO"))
        return attach(TControlKind::Scrollbar, false);
    if (Is(component, "TBitBtn")) {
        // Never a plain push button: without its own switch it stays as it is.
        if (has(xcBitBtn))
            attach(TControlKind::BitButton, false);
        return;
    }

    // The framework's other standard controls.
    if (Is(component, "TCustomTabControl") && has(xcTab) && tabs)
        return attach(TControlKind::Tab, false);
    if (Is(component, "TCustomCheckBox") && has(xcCheckBox))
        return attach(TControlKind::CheckBox, false);
    if (Is(component, "TCustomRadioGroup"))
        return AttachGroup(*this, d, component, TControlKind::RadioButton);
    if (Is(component, "TCustomGroupBox") && has(xcGroupBox)) {
        attach(TControlKind::GroupBox, true);
        SkinComponents(component);
        return;
    }
    if (Is(component, "TRadioButton") && has(xcRadioButton))
        return attach(TControlKind::RadioButton, false);
    if (Is(component, "TToolBar") && has(xcToolbar)) {
        SetPropByText(component, "Flat", "True");
        return attach(TControlKind::ToolBar, true);
    }
    if (Is(component, "TStatusBar") && has(xcStatusBar))
        return attach(TControlKind::StatusBar, false);
    if (Is(component, "TProgressBar") && has(xcProgress))
        return attach(TControlKind::Progress, false);
    if (Is(component, "TScrollBar") && has(xcScrollbar))
        return attach(TControlKind::ScrollControl, false);
    if (Is(component, "TSpeedButton") && has(xcSpeedButton))
        return attach(TControlKind::SpeedButton, false);
    if (Is(component, "TCustomListView") && has(xcScrollbar))
        return attach(TControlKind::ListView, false);
    // An empty list box has no scroll bar yet; its bars come with its items.
    if (Is(component, "TCustomListBox") && has(xcScrollbar))
        return attach(TControlKind::Scrollbar, false);
    // A stand-alone header looks like a list view's.
    if (Is(component, "THeaderControl") && has(xcScrollbar))
        return attach(TControlKind::Header, false);

    if (Is(component, "TCustomPanel") && has(xcPanel)) {
        attach(TControlKind::Panel, true);
        SkinComponents(component);
        return;
    }
    if ((cn == "TDXTREELIST" || cn == "TDXDBTREELIST" || cn == "TDXDBGRID") && has(xcScrollbar))
        return attach(TControlKind::Scrollbar, false);
    if (has(xcScrollbar) && windowed &&
        ((GetWindowLongPtrW(windowed->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) || component->Tag() == 55))
        return attach(TControlKind::Scrollbar, false);
    if (Is(component, "TButton") && has(xcButton))
        return attach(TControlKind::Button, false);
    if (Is(component, "TCustomEdit") && has(xcEdit))
        return attach(TControlKind::EditByWindow, false);
    if (cn != "TDCEDIT" && cn != "TDCDBEDIT") {
        if (Is(component, "TCustomForm")) {
            attach(TControlKind::Panel, true);
            SkinComponents(component);
        }
        return;
    }
    const int buttons = GetIntProp(component, "NumButtons");
    if (buttons == 1 && has(xcCombo))
        attach(TControlKind::ComboBox, false);
    else if (buttons == 0 && has(xcEdit))
        attach(TControlKind::EditByWindow, false);
}

void TWinSkinForm::SkinChildWindows()
{
    for (HWND child = GetTopWindow(WindowHandle); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD)
            SkinChildWindow(child);
    }
}

void TWinSkinForm::SkinChildWindow(HWND handle)
{
    if (!handle || !skinData_ || FindWindowObject(handle))
        return;
    const std::string cn = WindowClassLower(handle);
    const LONG_PTR s = GetWindowLongPtrW(handle, GWL_STYLE);
    if (cn == "button") {
        if ((s & 7) == 7)
            return;   // a group box keeps its own frame
        if ((s & 3) == 3 || (s & 2) != 0 || (s & 5) == 5)
            AttachHandle<TSkinCheckBox>(nullptr, handle);
        else if ((s & 9) == 9 || (s & 4) != 0)
            AttachHandle<TSkinRadioButton>(nullptr, handle);
        else
            AttachHandle<TSkinButton>(nullptr, handle);
    } else if (cn == "combobox") {
        if ((s & 3) != 1)
            AttachHandle<TSkinComBox>(nullptr, handle);
    } else if (cn == "comboboxex32") {
        if (HWND inner = GetTopWindow(handle); inner && !FindWindowObject(inner))
            AttachHandle<TSkinComBox>(nullptr, inner);
    } else if (cn == "scrollbar") {
        // Only size boxes and grips are painted flat; a real scroll bar gets a skinned bar.
        if (s & (SBS_SIZEBOX | SBS_SIZEGRIP))
            AttachHandle<TSkinSizer>(nullptr, handle);
        else
            AttachHandle<TSkinScControl>(nullptr, handle);
    } else if (cn == "edit") {
        AttachHandle<TSkinEdit>(nullptr, handle);
    }
}

namespace {

void AttachKind(TWinSkinForm& frame, TControlKind kind, ui::TComponent* component, bool useSkinColor)
{
    if (!component)
        return;
    switch (kind) {
    case TControlKind::ComboBox: frame.Attach<TSkinComBox>(component, useSkinColor); break;
    case TControlKind::Edit: frame.Attach<TSkinEdit>(component, useSkinColor); break;
    case TControlKind::EditByWindow:
        if (HWND window = WindowOf(component))
            frame.AttachHandle<TSkinEdit>(component, window);
        break;
    case TControlKind::RadioButton: frame.Attach<TSkinRadioButton>(component, useSkinColor); break;
    case TControlKind::CheckBox: frame.Attach<TSkinCheckBox>(component, useSkinColor); break;
    case TControlKind::Panel: frame.Attach<TSkinBox>(component, useSkinColor); break;
    case TControlKind::GroupBox: frame.Attach<TSkinGroupBox>(component, useSkinColor); break;
    case TControlKind::Button: frame.Attach<TSkinButton>(component, useSkinColor); break;
    case TControlKind::BitButton: frame.Attach<TSkinBitButton>(component, useSkinColor); break;
    case TControlKind::SpeedButton: frame.AttachGraphicControl(component); break;
    case TControlKind::TrackBar: frame.Attach<TSkinTrackBar>(component, useSkinColor); break;
    case TControlKind::UpDown: frame.Attach<TSkinUpDown>(component, useSkinColor); break;
    case TControlKind::Progress: frame.Attach<TSkinProgress>(component, useSkinColor); break;
    case TControlKind::StatusBar: frame.Attach<TSkinStatusBar>(component, useSkinColor); break;
    case TControlKind::ToolBar: frame.Attach<TSkinToolBar>(component, useSkinColor); break;
    case TControlKind::Tab31: frame.Attach<TSkinTab31>(component, useSkinColor); break;
    case TControlKind::GlyphCheckBox: frame.AttachGlyphCheckBox(component); break;
    case TControlKind::Header:
        if (HWND window = WindowOf(component))
            frame.AttachHandle<TSkinHeader>(component, window);
        break;
    case TControlKind::Tab:
        if (HWND window = WindowOf(component))
            frame.AttachHandle<TSkinTab>(component, window);
        break;
    case TControlKind::Scrollbar: frame.AttachScrolling<TSkinScrollbar>(component); break;
    case TControlKind::ListView: frame.AttachScrolling<TSkinListView>(component); break;
    case TControlKind::ScrollControl: frame.AttachScrollControl(component); break;
    default: break;
    }
}

} // namespace

template <class T>
void TWinSkinForm::AttachScrolling(ui::TComponent* component)
{
    auto* control = dynamic_cast<ui::TWinControl*>(component);
    if (!control)
        return;
    auto* object = new T(component);
    object->AttachScrollbars(control, skinData_, this, &controlCanvas_);
    if (!object->Hooked())
        delete object;
}

void TWinSkinForm::AttachScrollControl(ui::TComponent* component)
{
    auto* control = dynamic_cast<ui::TWinControl*>(component);
    if (!control)
        return;
    auto* object = new TSkinScControl(component);
    object->AttachScrollControl(control, skinData_, this, &controlCanvas_);
    if (!object->Hooked())
        delete object;
}

void TWinSkinForm::AttachGlyphCheckBox(ui::TComponent* component)
{
    auto* object = new TSkinObjImage(component);
    object->GlyphMode = 1;
    object->AttachControl(this, skinData_, true, &controlCanvas_);
    if (!object->Attached)
        delete object;
}

void TWinSkinForm::AttachGraphicControl(ui::TComponent* component)
{
    auto* object = new TSkinSpeedButton(component);
    object->AttachGraphic(this, skinData_, &controlCanvas_);
    if (!object->Attached)
        delete object;
}

} // namespace skin
