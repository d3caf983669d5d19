#include "Component.h"

#include <algorithm>

namespace ui {

const TClassInfo& TComponent::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TComponent, TPersistent>("TComponent")
        .Str("Name", &TComponent::Name, &TComponent::SetName)
        .Int("Tag", &TComponent::Tag, &TComponent::SetTag)
        .Build();
    return info;
}

bool IsValidIdent(const std::string& name)
{
    if (name.empty())
        return false;
    auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!alpha(name[0]))
        return false;
    for (char c : name)
        if (!alpha(c) && !(c >= '0' && c <= '9'))
            return false;
    return true;
}

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    // Whoever asked to hear of this component's end is told (and forgets it).
    std::vector<TComponent*> notifies;
    notifies.swap(freeNotifies_);
    for (TComponent* other : notifies) {
        auto& list = other->freeNotifies_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        other->Notification(this, TOperation::opRemove);
    }
    // Owned components go last first; each one takes itself out of the list.
    while (!components_.empty()) {
        TComponent* child = components_.back();
        components_.pop_back();
        child->owner_ = nullptr;
        Notification(child, TOperation::opRemove);
        delete child;
    }
    if (owner_)
        owner_->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    if (name.empty())
        return nullptr;
    const std::string wanted = LowerCaseAscii(name);
    for (TComponent* c : components_)
        if (LowerCaseAscii(c->name_) == wanted)
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component || component->owner_ == this)
        return;
    if (!component->name_.empty() && FindComponent(component->name_))
        throw EComponentError("A component named " + component->name_ + " already exists");
    if (component->owner_)
        component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it == components_.end())
        return;
    components_.erase(it);
    component->owner_ = nullptr;
    if (!IsDestroying())
        Notification(component, TOperation::opRemove);
}

void TComponent::SetName(const std::string& name)
{
    if (name == name_)
        return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError("\"" + name + "\" is not a valid component name");
    if (owner_ && !name.empty()) {
        TComponent* other = owner_->FindComponent(name);
        if (other && other != this)
            throw EComponentError("A component named " + name + " already exists");
    }
    name_ = name;
}

void TComponent::Loaded() { state_ &= ~static_cast<unsigned>(csLoading); }

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == TOperation::opRemove) {
        auto& list = freeNotifies_;
        list.erase(std::remove(list.begin(), list.end(), component), list.end());
    }
    for (TComponent* c : components_)
        if (c != component)
            c->Notification(component, operation);
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this)
        return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
        freeNotifies_.push_back(component);
    if (std::find(component->freeNotifies_.begin(), component->freeNotifies_.end(), this) == component->freeNotifies_.end())
        component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (!component)
        return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component), freeNotifies_.end());
    auto& other = component->freeNotifies_;
    other.erase(std::remove(other.begin(), other.end(), this), other.end());
}

void TComponent::SetLoadingState(bool loading)
{
    if (loading)
        state_ |= csLoading;
    else
        state_ &= ~static_cast<unsigned>(csLoading);
}

void TComponent::SetReadingState(bool reading)
{
    if (reading)
        state_ |= csReading;
    else
        state_ &= ~static_cast<unsigned>(csReading);
}

} // namespace ui
