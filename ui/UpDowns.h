#pragma once
// Up-down (spin) buttons over the system's up-down class, optionally steering an associated
// control (an edit shows the position as its text).
#include "ui/CommonControls.h"
#include "ui/Controls.h"

namespace ui {

enum class TUDOrientation { udHorizontal, udVertical };
enum class TUDBtnType { btNext, btPrev };

using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;
using TUDChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// Published: Orientation, Min, Max, Position, Increment, Wrap, Associate, OnClick (after a step,
// with the button that made it), OnChanging (before a step; may refuse it).
class TUpDown : public TWinControl {
    UI_CLASS(TUpDown)
public:
    explicit TUpDown(TComponent* owner);
    ~TUpDown() override;

    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation value);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const;
    void SetPosition(int value);
    int Increment() const { return increment_; }
    void SetIncrement(int value);
    bool Wrap() const { return wrap_; }
    void SetWrap(bool value);
    // The control the buttons sit beside; nullptr for none.
    TWinControl* Associate() const { return associate_; }
    void SetAssociate(TWinControl* value);

    // Hides TControl's plain OnClick: an up-down's click says which button.
    TUDClickEvent OnClick;
    TUDChangingEvent OnChanging;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual void Click(TUDBtnType button);

private:
    void SendRange();
    void SendBuddy();
    TUDOrientation orientation_ = TUDOrientation::udVertical;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int increment_ = 1;
    bool wrap_ = false;
    TWinControl* associate_ = nullptr;
};

} // namespace ui
