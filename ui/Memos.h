#pragma once
// Multi-line edits over the system EDIT class.
#include "ui/StdCtrls.h"

namespace ui {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
const TEnumInfo& ScrollStyleEnum();

// Published in addition to the edit's: Lines (Lines.Strings in a description), ScrollBars,
// WordWrap, WantReturns, WantTabs. Lines reads the window's text each time it is asked for, so it
// shows what the user typed; changing it replaces the text.
class TCustomMemo : public TCustomEdit {
    UI_CLASS(TCustomMemo)
public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;
    TStringList& Lines();
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value) { wantReturns_ = value; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }
    // The first line shown, and a scroll to bring another there.
    int TopLine() const;
    void SetTopLine(int line);
    int LineCount() const;
    bool WantsKey(std::uint16_t key) const override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void DestroyWnd() override;

    TStringList lines_;
    TScrollStyle scrollBars_ = TScrollStyle::ssNone;
    bool wordWrap_ = true;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
    bool syncing_ = false;
};

class TMemo : public TCustomMemo {
    UI_CLASS(TMemo)
public:
    explicit TMemo(TComponent* owner);
};

} // namespace ui
