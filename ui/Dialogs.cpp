#include "Dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <memory>

namespace ui {

const TEnumInfo& OpenOptionElements()
{
    static const TEnumInfo info{"TOpenOption", {
        "ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp", "ofNoValidate",
        "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt",
        "ofShareAware", "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames",
        "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing",
        "ofDontAddToRecent", "ofForceShowHidden"}};
    return info;
}

const TClassInfo& TMessageForm::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TMessageForm, TForm>("TMessageForm").NotCreatable().Build();
    return info;
}

const TClassInfo& TOpenDialog::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TOpenDialog, TComponent>("TOpenDialog")
        .WStr("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
        .WStr("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
        .Int("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex)
        .WStr("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
        .WStr("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
        .WStr("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)
        .Set("Options", OpenOptionElements(), &TOpenDialog::Options, &TOpenDialog::SetOptions)
        .Build();
    return info;
}

// ---- message dialog ----

TMessageForm::TMessageForm(TComponent* owner) : TForm(owner) {}

void TMessageForm::PaintWindow(HDC dc)
{
    TForm::PaintWindow(dc);
    if (icon_)
        DrawIconEx(dc, iconRect_.left, iconRect_.top, icon_, RectWidth(iconRect_), RectHeight(iconRect_), 0, nullptr, DI_NORMAL);
    HGDIOBJ old = SelectObject(dc, font_.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(font_.Color()));
    TRect r = textRect_;
    DrawTextW(dc, message_.c_str(), static_cast<int>(message_.size()), &r, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
}

namespace {
// Line breaks as the text gives them (CR, LF or CR LF) become CR LF for drawing.
std::wstring NormaliseBreaks(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r') {
            out += L"\r\n";
            if (i + 1 < text.size() && text[i + 1] == L'\n')
                ++i;
        } else if (text[i] == L'\n') {
            out += L"\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

struct ButtonKind {
    TMsgDlgBtn button;
    const char* name;
    const wchar_t* caption;
    int result;
};

const ButtonKind kButtons[] = {
    {mbYes, "Yes", L"&Yes", mrYes}, {mbNo, "No", L"&No", mrNo}, {mbOK, "OK", L"OK", mrOk},
    {mbCancel, "Cancel", L"Cancel", mrCancel}, {mbAbort, "Abort", L"&Abort", mrAbort},
    {mbRetry, "Retry", L"&Retry", mrRetry}, {mbIgnore, "Ignore", L"&Ignore", mrIgnore},
    {mbAll, "All", L"&All", mrAll}, {mbNoToAll, "NoToAll", L"N&o to All", mrNo + 3},
    {mbYesToAll, "YesToAll", L"Yes to &All", mrYes + 4}, {mbHelp, "Help", L"&Help", mrNone},
};
} // namespace

TMessageForm* CreateMessageDialog(const std::wstring& message, TMsgDlgType type, TMsgDlgButtons buttons)
{
    const int margin = 8, spacing = 10, buttonWidth = 75, buttonHeight = 25, buttonSpacing = 4;
    auto form = std::make_unique<TMessageForm>(nullptr);
    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    form->SetPosition(TPosition::poScreenCenter);
    form->SetBorderIcons(biSystemMenu);
    switch (type) {
    case TMsgDlgType::mtWarning: form->SetCaption(L"Warning"); form->icon_ = LoadIconW(nullptr, IDI_WARNING); break;
    case TMsgDlgType::mtError: form->SetCaption(L"Error"); form->icon_ = LoadIconW(nullptr, IDI_ERROR); break;
    case TMsgDlgType::mtInformation: form->SetCaption(L"Information"); form->icon_ = LoadIconW(nullptr, IDI_INFORMATION); break;
    case TMsgDlgType::mtConfirmation: form->SetCaption(L"Confirm"); form->icon_ = LoadIconW(nullptr, IDI_QUESTION); break;
    case TMsgDlgType::mtCustom: form->SetCaption(Application.Title()); break;
    }
    form->message_ = NormaliseBreaks(message);

    // Text size in the dialog's font, wrapped at half the screen.
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, form->Font().Handle());
    RECT text{0, 0, std::max(200, GetSystemMetrics(SM_CXSCREEN) / 2), 0};
    const std::wstring measured = form->message_.empty() ? std::wstring(L" ") : form->message_;
    DrawTextW(dc, measured.c_str(), static_cast<int>(measured.size()), &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);

    const int iconSize = form->icon_ ? GetSystemMetrics(SM_CXICON) : 0;
    int textLeft = margin;
    if (iconSize) {
        form->iconRect_ = Rect(margin, margin, margin + iconSize, margin + iconSize);
        textLeft = margin + iconSize + spacing;
    }
    form->textRect_ = Rect(textLeft, margin, textLeft + text.right, margin + text.bottom);

    std::vector<const ButtonKind*> kinds;
    for (const ButtonKind& kind : kButtons)
        if (buttons & kind.button)
            kinds.push_back(&kind);
    if (kinds.empty())
        kinds.push_back(&kButtons[2]);
    const int buttonsWidth = static_cast<int>(kinds.size()) * buttonWidth + static_cast<int>(kinds.size() - 1) * buttonSpacing;
    const int contentHeight = std::max(iconSize, static_cast<int>(text.bottom));
    const int clientWidth = std::max(static_cast<int>(form->textRect_.right) + margin, buttonsWidth + 2 * margin);
    const int buttonTop = margin + contentHeight + spacing;
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(buttonTop + buttonHeight + margin);

    // The default is OK, else Yes, else the first; Esc answers Cancel, else No, else OK.
    TMsgDlgBtn defaultButton = (buttons & mbOK) ? mbOK : (buttons & mbYes) ? mbYes : kinds.front()->button;
    TMsgDlgBtn cancelButton = (buttons & mbCancel) ? mbCancel : (buttons & mbNo) ? mbNo : (buttons & mbOK) ? mbOK : TMsgDlgBtn(0);
    int x = (clientWidth - buttonsWidth) / 2;
    for (const ButtonKind* kind : kinds) {
        auto* button = new TButton(form.get());
        button->SetName(kind->name);
        button->SetParent(form.get());
        button->SetCaption(kind->caption);
        button->SetModalResult(kind->result);
        button->SetBounds(x, buttonTop, buttonWidth, buttonHeight);
        if (kind->button == defaultButton) {
            button->SetDefault(true);
            form->SetActiveControl(button);
        }
        if (kind->button == cancelButton)
            button->SetCancel(true);
        x += buttonWidth + buttonSpacing;
    }
    return form.release();
}

int MessageDlg(const std::wstring& message, TMsgDlgType type, TMsgDlgButtons buttons, int)
{
    std::unique_ptr<TMessageForm> form(CreateMessageDialog(message, type, buttons));
    return form->ShowModal();
}

// ---- file-open dialog ----

std::wstring MakeWindowsFilter(const std::wstring& filter)
{
    if (filter.empty())
        return {};
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = filter.find(L'|', start);
        parts.push_back(filter.substr(start, bar == std::wstring::npos ? std::wstring::npos : bar - start));
        if (bar == std::wstring::npos)
            break;
        start = bar + 1;
    }
    auto trim = [](std::wstring s) {
        const auto first = s.find_first_not_of(L" \t");
        if (first == std::wstring::npos)
            return std::wstring();
        return s.substr(first, s.find_last_not_of(L" \t") - first + 1);
    };
    std::wstring out;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        const std::wstring description = parts[i];
        std::wstring patterns;
        if (i + 1 < parts.size()) {
            std::size_t from = 0;
            const std::wstring& list = parts[i + 1];
            while (true) {
                const std::size_t semi = list.find(L';', from);
                const std::wstring pattern = trim(list.substr(from, semi == std::wstring::npos ? std::wstring::npos : semi - from));
                if (!pattern.empty()) {
                    if (!patterns.empty())
                        patterns += L';';
                    patterns += pattern;
                }
                if (semi == std::wstring::npos)
                    break;
                from = semi + 1;
            }
        } else {
            patterns = trim(description);
        }
        out += description;
        out += L'\0';
        out += patterns;
        out += L'\0';
    }
    out += L'\0';
    return out;
}

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

bool TOpenDialog::Execute()
{
    const std::wstring filter = MakeWindowsFilter(filter_);
    std::vector<wchar_t> file(32768, L'\0');
    std::copy_n(fileName_.begin(), std::min(fileName_.size(), file.size() - 1), file.begin());
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    TCustomForm* active = Screen.ActiveForm();
    ofn.hwndOwner = active ? active->WindowHandle() : GetActiveWindow();
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(filterIndex_);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
    ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    ofn.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
    DWORD flags = OFN_EXPLORER;
    if (options_ & ofReadOnly) flags |= OFN_READONLY;
    if (options_ & ofOverwritePrompt) flags |= OFN_OVERWRITEPROMPT;
    if (options_ & ofHideReadOnly) flags |= OFN_HIDEREADONLY;
    if (options_ & ofNoChangeDir) flags |= OFN_NOCHANGEDIR;
    if (options_ & ofNoValidate) flags |= OFN_NOVALIDATE;
    if (options_ & ofPathMustExist) flags |= OFN_PATHMUSTEXIST;
    if (options_ & ofFileMustExist) flags |= OFN_FILEMUSTEXIST;
    if (options_ & ofCreatePrompt) flags |= OFN_CREATEPROMPT;
    if (options_ & ofShareAware) flags |= OFN_SHAREAWARE;
    if (options_ & ofNoReadOnlyReturn) flags |= OFN_NOREADONLYRETURN;
    if (options_ & ofNoTestFileCreate) flags |= OFN_NOTESTFILECREATE;
    if (options_ & ofNoDereferenceLinks) flags |= OFN_NODEREFERENCELINKS;
    if (options_ & ofEnableSizing) flags |= OFN_ENABLESIZING;
    if (options_ & ofDontAddToRecent) flags |= OFN_DONTADDTORECENT;
    if (options_ & ofForceShowHidden) flags |= OFN_FORCESHOWHIDDEN;
    ofn.Flags = flags;
    if (!GetOpenFileNameW(&ofn))
        return false;
    fileName_ = file.data();
    filterIndex_ = static_cast<int>(ofn.nFilterIndex);
    return true;
}

} // namespace ui
