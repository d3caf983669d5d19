#pragma once
// Standard controls: label (windowless), edit (EDIT), combo box (COMBOBOX) and push button (BUTTON),
// the windowed ones superclassing the system classes under their own class names.
#include "Controls.h"

namespace ui {

enum class TTextLayout { tlTop, tlCenter, tlBottom };
const TEnumInfo& TextLayoutEnum();

// Published: Caption, Alignment, AutoSize, Transparent, Layout, WordWrap, FocusControl, Color,
// ParentColor, Font, ParentFont, OnClick.
class TCustomLabel : public TGraphicControl {
    UI_CLASS(TCustomLabel)
public:
    explicit TCustomLabel(TComponent* owner);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { alignment_ = value; Invalidate(); }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; Invalidate(); }
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value) { layout_ = value; Invalidate(); }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value) { wordWrap_ = value; AdjustBounds(); }
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control) { focusControl_ = control; }
    void Loaded() override;
    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    void AdjustBounds();
    UINT TextFormat() const;

    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool autoSize_ = true;
    bool transparent_ = false;
    TTextLayout layout_ = TTextLayout::tlTop;
    bool wordWrap_ = false;
    TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
    UI_CLASS(TLabel)
public:
    explicit TLabel(TComponent* owner);
};

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// Published: Text, MaxLength, ReadOnly, CharCase, BorderStyle, AutoSize, PasswordChar, OnChange,
// and the windowed-control events.
class TCustomEdit : public TWinControl {
    UI_CLASS(TCustomEdit)
public:
    explicit TCustomEdit(TComponent* owner);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase value) { charCase_ = value; RecreateWnd(); }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value) { borderStyle_ = value; RecreateWnd(); }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value) { autoSize_ = value; }
    void SelectAll();
    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    void SetSelLength(int value);
    void Clear() { SetText(L""); }

    TNotifyEvent OnChange;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    virtual void Change();
    int maxLength_ = 0;
    bool readOnly_ = false;
    TEditCharCase charCase_ = TEditCharCase::ecNormal;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    bool autoSize_ = true;
};

class TEdit : public TCustomEdit {
    UI_CLASS(TEdit)
public:
    explicit TEdit(TComponent* owner);
};

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
const TEnumInfo& ComboBoxStyleEnum();

// Published: Style, Items (Items.Strings in a description), ItemIndex, ItemHeight, Text,
// DropDownCount, MaxLength, Sorted, OnChange, and the windowed-control events. Keys typed in the
// inner edit of an editable combo box reach the combo box's own key handlers.
class TCustomComboBox : public TWinControl {
    UI_CLASS(TCustomComboBox)
public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;

    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle value) { style_ = value; RecreateWnd(); }
    // Items as UTF-8 lines; changing the list updates the window.
    TStringList& Items() { return items_; }
    int ItemIndex() const;
    void SetItemIndex(int index);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value) { dropDownCount_ = value; }
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value) { sorted_ = value; RecreateWnd(); }
    bool DroppedDown() const;
    void SetDroppedDown(bool value);
    // The inner edit window of an editable combo box (nullptr for a drop-down list).
    HWND EditHandle() const { return editHandle_; }
    void SelectAll();
    void Clear();

    std::wstring GetText() const override;
    void SetText(const std::wstring& text) override;
    bool WantsKey(std::uint16_t key) const override;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandleDone() override;
    void DestroyWnd() override;
    int WindowHeight() const override;
    void FillWindowList();
    static LRESULT CALLBACK EditWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
    TStringList items_;
    int itemIndex_ = -1;
    int itemHeight_ = 13;
    int dropDownCount_ = 8;
    int maxLength_ = 0;
    bool sorted_ = false;
    HWND editHandle_ = nullptr;
    WNDPROC editDefProc_ = nullptr;
};

class TComboBox : public TCustomComboBox {
    UI_CLASS(TComboBox)
public:
    explicit TComboBox(TComponent* owner);
};

// Modal results of buttons and dialogs.
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7, mrAll = 8 };

// The base of buttons, check boxes and radio buttons. Its mnemonic reaches it as CM_DIALOGCHAR
// (wParam the character), which it answers 1 after acting: a click here.
class TButtonControl : public TWinControl {
    UI_CLASS(TButtonControl)
public:
    explicit TButtonControl(TComponent* owner);
    bool WantsKey(std::uint16_t key) const override;
    void WndProc(TMessage& message) override;
};

// Published: Caption, Default, Cancel, ModalResult, and the windowed-control events. Enter or Space
// on the focused button, Alt plus its mnemonic, or a click press it: Click runs OnClick and, when
// ModalResult is set, ends the modal form holding it with that result.
class TButton : public TButtonControl {
    UI_CLASS(TButton)
public:
    explicit TButton(TComponent* owner);
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }
    void Click() override;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = mrNone;
};

} // namespace ui
