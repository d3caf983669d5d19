#pragma once
// The standard message dialog and the file-open dialog.
#include "Forms.h"
#include "StdCtrls.h"

namespace ui {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : unsigned { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbAbort = 16, mbRetry = 32, mbIgnore = 64, mbAll = 128, mbNoToAll = 256, mbYesToAll = 512, mbHelp = 1024 };
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;

// The dialog form (window class "TMessageForm"): caption by kind ("Warning", "Error",
// "Information", "Confirm"), the kind's icon, the text (CR, LF or CR LF break lines) and the
// buttons ("&Yes", "&No", "OK", "Cancel", ...), the first one focused and default, Cancel (or No)
// answering Esc.
class TMessageForm : public TForm {
    UI_CLASS(TMessageForm)
public:
    explicit TMessageForm(TComponent* owner);
    std::wstring Message() const { return message_; }

private:
    friend TMessageForm* CreateMessageDialog(const std::wstring&, TMsgDlgType, TMsgDlgButtons);
    void PaintWindow(HDC dc) override;
    std::wstring message_;
    HICON icon_ = nullptr;
    TRect textRect_{};
    TRect iconRect_{};
};

// Builds the dialog (not shown); the caller owns it.
TMessageForm* CreateMessageDialog(const std::wstring& message, TMsgDlgType type, TMsgDlgButtons buttons);
// Shows the dialog modally, centred on the screen; returns mrOk, mrYes, mrNo, mrCancel...
// (mrCancel when closed without a button).
int MessageDlg(const std::wstring& message, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);

// Bit n is element n of OpenOptionElements (the names a description writes in Options = [...]).
enum TOpenOption : unsigned {
    ofReadOnly = 1u << 0, ofOverwritePrompt = 1u << 1, ofHideReadOnly = 1u << 2, ofNoChangeDir = 1u << 3,
    ofShowHelp = 1u << 4, ofNoValidate = 1u << 5, ofAllowMultiSelect = 1u << 6, ofExtensionDifferent = 1u << 7,
    ofPathMustExist = 1u << 8, ofFileMustExist = 1u << 9, ofCreatePrompt = 1u << 10, ofShareAware = 1u << 11,
    ofNoReadOnlyReturn = 1u << 12, ofNoTestFileCreate = 1u << 13, ofNoNetworkButton = 1u << 14,
    ofNoLongNames = 1u << 15, ofOldStyleDialog = 1u << 16, ofNoDereferenceLinks = 1u << 17,
    ofEnableIncludeNotify = 1u << 18, ofEnableSizing = 1u << 19, ofDontAddToRecent = 1u << 20,
    ofForceShowHidden = 1u << 21,
};
using TOpenOptions = unsigned;
const TEnumInfo& OpenOptionElements();

// Published: Filter (Delphi form "Desc (*.FB;*.FDB)|*.FB; *.FDB"), FilterIndex, FileName, InitialDir,
// DefaultExt, Title, Options.
class TOpenDialog : public TComponent {
    UI_CLASS(TOpenDialog)
public:
    explicit TOpenDialog(TComponent* owner);
    // Shows the system dialog owned by the active form; true when a file was chosen.
    bool Execute();
    const std::wstring& FileName() const { return fileName_; }
    void SetFileName(const std::wstring& value) { fileName_ = value; }
    const std::wstring& Filter() const { return filter_; }
    void SetFilter(const std::wstring& value) { filter_ = value; }
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int value) { filterIndex_ = value; }
    const std::wstring& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::wstring& value) { initialDir_ = value; }
    const std::wstring& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::wstring& value) { defaultExt_ = value; }
    const std::wstring& Title() const { return title_; }
    void SetTitle(const std::wstring& value) { title_ = value; }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions value) { options_ = value; }

private:
    std::wstring fileName_, filter_, initialDir_, defaultExt_, title_;
    int filterIndex_ = 1;
    TOpenOptions options_ = ofHideReadOnly | ofEnableSizing;
};

// The Windows filter string (pairs separated and ended by NULs) for a '|'-separated filter; blanks
// around the patterns of a pair are dropped ("*.FB; *.FDB" -> "*.FB;*.FDB").
std::wstring MakeWindowsFilter(const std::wstring& filter);

} // namespace ui
