// The frame's control list: registration, lookup, and the end of the control objects.
#include "skin/window/WinSkinForm.h"

#include <algorithm>

namespace skin {

void TWinSkinForm::RegisterControl(TSkinControl* control)
{
    if (control && std::find(Controls.begin(), Controls.end(), control) == Controls.end())
        Controls.push_back(control);
}

void TWinSkinForm::UnregisterControl(TSkinControl* control)
{
    // The last entry first: an object registers once, late objects go first.
    auto it = std::find(Controls.rbegin(), Controls.rend(), control);
    if (it != Controls.rend())
        Controls.erase(std::next(it).base());
    if (hotButton_ == control)
        hotButton_ = nullptr;
}

TSkinControl* TWinSkinForm::FindControlObject(const ui::TControl* control) const
{
    if (!control)
        return nullptr;
    for (TSkinControl* object : Controls) {
        if (object->Status != ssDestroyed && object->TargetControl() == control)
            return object;
    }
    // An edit is painted through its window rather than its framework object.
    if (auto* windowed = dynamic_cast<const ui::TWinControl*>(control); windowed && windowed->HandleAllocated())
        return FindWindowObject(windowed->WindowHandle());
    return nullptr;
}

TSkinControl* TWinSkinForm::FindWindowObject(HWND window) const
{
    if (!window)
        return nullptr;
    for (TSkinControl* object : Controls) {
        if (object->Status != ssDestroyed && object->Handle == window)
            return object;
    }
    return nullptr;
}

void TWinSkinForm::FreeControlObject(TSkinControl* control)
{
    // Whoever owns the object frees it; deleting it takes it out of its owner and of the list.
    UnregisterControl(control);
    control->Form = nullptr;
    delete control;
}

void TWinSkinForm::PurgeDeadControls()
{
    std::vector<TSkinControl*> dead;
    for (TSkinControl* object : Controls) {
        if (object->Status == ssDestroyed)
            dead.push_back(object);
    }
    for (TSkinControl* object : dead)
        FreeControlObject(object);
}

void TWinSkinForm::UnskinControls()
{
    // Last attached first, so that objects made inside others' attach go before them.
    while (!Controls.empty()) {
        TSkinControl* object = Controls.back();
        if (object->Status != ssDestroyed)
            object->Unskin();
        FreeControlObject(object);
    }
    hotButton_ = nullptr;
}

void TWinSkinForm::ControlsSkinChanged()
{
    const std::vector<TSkinControl*> objects = Controls;
    for (TSkinControl* object : objects) {
        if (object->Status != ssDestroyed)
            object->SkinChanged();
    }
}

} // namespace skin
