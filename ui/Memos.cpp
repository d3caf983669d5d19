#include "ui/Memos.h"

namespace ui {

const TEnumInfo& ScrollStyleEnum()
{
    static const TEnumInfo info{"TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};
    return info;
}

const TClassInfo& TCustomMemo::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomMemo, TCustomEdit>("TCustomMemo")
        .NotCreatable()
        .Object<TStringList>("Lines", [](TCustomMemo& m) -> TStringList& { return m.Lines(); },
                             [](TCustomMemo& m, TStringList* list) { if (list) m.Lines().Assign(*list); })
        .Enum<TScrollStyle>("ScrollBars", ScrollStyleEnum(), &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars)
        .Bool("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap)
        .Bool("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns)
        .Bool("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs)
        .Build();
    return info;
}

const TClassInfo& TMemo::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TMemo, TCustomMemo>("TMemo").Build();
    return info;
}

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner)
{
    width_ = 185;
    height_ = 89;
    autoSize_ = false;
    lines_.OnChange = [this] {
        if (syncing_)
            return;
        const std::wstring text = Utf8ToWide(lines_.Text());
        if (handle_)
            SendMessageW(handle_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        else
            text_ = text;
    };
}

TCustomMemo::~TCustomMemo() { lines_.OnChange = nullptr; }

TMemo::TMemo(TComponent* owner) : TCustomMemo(owner) {}

TStringList& TCustomMemo::Lines()
{
    // The window holds the truth while it exists: the user may have typed since.
    syncing_ = true;
    lines_.SetText(WideToUtf8(GetText()));
    syncing_ = false;
    return lines_;
}

void TCustomMemo::SetScrollBars(TScrollStyle value)
{
    if (value == scrollBars_)
        return;
    scrollBars_ = value;
    if (handle_)
        RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value)
{
    if (value == wordWrap_)
        return;
    wordWrap_ = value;
    if (handle_)
        RecreateWnd();
}

void TCustomMemo::CreateParams(TCreateParams& params)
{
    TCustomEdit::CreateParams(params);
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
    if (wantReturns_)
        params.Style |= ES_WANTRETURN;
    // A wrapping memo scrolls no sideways: the lines break at its right edge.
    const bool horizontal = scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth;
    if (wordWrap_ && !horizontal)
        params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    if (horizontal)
        params.Style |= WS_HSCROLL;
    if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth)
        params.Style |= WS_VSCROLL;
}

void TCustomMemo::CreateHandleDone()
{
    TCustomEdit::CreateHandleDone();
}

void TCustomMemo::DestroyWnd()
{
    if (handle_)
        text_ = GetText();
    TCustomEdit::DestroyWnd();
}

int TCustomMemo::TopLine() const
{
    return handle_ ? static_cast<int>(SendMessageW(handle_, EM_GETFIRSTVISIBLELINE, 0, 0)) : 0;
}

void TCustomMemo::SetTopLine(int line)
{
    if (handle_)
        SendMessageW(handle_, EM_LINESCROLL, 0, line - TopLine());
}

int TCustomMemo::LineCount() const
{
    return handle_ ? static_cast<int>(SendMessageW(handle_, EM_GETLINECOUNT, 0, 0)) : 0;
}

bool TCustomMemo::WantsKey(std::uint16_t key) const
{
    if (key == VK_RETURN)
        return wantReturns_;
    if (key == VK_TAB)
        return wantTabs_;
    return TCustomEdit::WantsKey(key);
}

} // namespace ui
