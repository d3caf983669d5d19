#pragma once
// Components: named objects with an owner that frees them, a Tag, and the loading state the form
// reader drives (Loaded runs on every component once the description has been read). Platform-free.
#include "TypInfo.h"

#include <string>
#include <vector>

namespace ui {

enum TComponentStateFlag : unsigned {
    csLoading = 1,    // the form description is being read; Loaded has not run yet
    csReading = 2,    // this component's own properties are being read
    csDesigning = 4,  // never set at run time; kept for code that asks
    csDestroying = 8,
};
using TComponentState = unsigned;

enum class TOperation { opInsert, opRemove };

class EComponentError : public Exception {
public:
    using Exception::Exception;
};

class TComponent : public TPersistent {
    UI_CLASS(TComponent)
public:
    explicit TComponent(TComponent* owner);
    // Frees every owned component, last first.
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(index); }
    // The owned component with that name (letter case ignored), or nullptr.
    TComponent* FindComponent(const std::string& name) const;
    // Moves a component under this owner (taking it from its previous owner).
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    const std::string& Name() const { return name_; }
    // Raises EComponentError for a name that is not an identifier or is taken among the owner's
    // components.
    virtual void SetName(const std::string& name);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    TComponentState ComponentState() const { return state_; }
    bool IsLoading() const { return (state_ & csLoading) != 0; }
    bool IsDestroying() const { return (state_ & csDestroying) != 0; }

    // Runs after the whole description holding this component has been read.
    virtual void Loaded();

    // The reader nests objects: a control's parent component is its parent window.
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent*) {}

    // Told about components inserted into or removed from this owner, and about components this
    // one asked to hear of (FreeNotification) being destroyed.
    virtual void Notification(TComponent* component, TOperation operation);
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    // Points `field` at `value`, to be told of its destruction instead of the old one's; false
    // when nothing changed.
    template <class T>
    bool SetReference(T*& field, T* value)
    {
        if (field == value)
            return false;
        if (field)
            field->RemoveFreeNotification(this);
        field = value;
        if (value)
            value->FreeNotification(this);
        return true;
    }

    // State switches used by the form reader.
    void SetLoadingState(bool loading);
    void SetReadingState(bool reading);

protected:
    void Destroying() { state_ |= csDestroying; }

private:
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    std::string name_;
    int tag_ = 0;
    TComponentState state_ = 0;
};

bool IsValidIdent(const std::string& name);

} // namespace ui
