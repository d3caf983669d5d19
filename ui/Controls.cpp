#include "Controls.h"

#include "Forms.h"
#include "GdiObjects.h"
#include "Menus.h"

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <unordered_map>

namespace ui {

// ---- enumerations ----

const TEnumInfo& AlignEnum()
{
    static const TEnumInfo info{"TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}};
    return info;
}

const TEnumInfo& AlignmentEnum()
{
    static const TEnumInfo info{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};
    return info;
}

const TEnumInfo& BorderStyleEnum()
{
    static const TEnumInfo info{"TBorderStyle", {"bsNone", "bsSingle"}};
    return info;
}

TShiftState KeyboardShiftState()
{
    TShiftState state = 0;
    if (GetKeyState(VK_SHIFT) < 0) state |= ssShift;
    if (GetKeyState(VK_MENU) < 0) state |= ssAlt;
    if (GetKeyState(VK_CONTROL) < 0) state |= ssCtrl;
    return state;
}

bool IsAccel(wchar_t accel, const std::wstring& caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&')
            continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(static_cast<unsigned short>(caption[i + 1]))))
            == CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(static_cast<unsigned short>(accel))));
    }
    return false;
}

// ---- class information ----

const TClassInfo& TControl::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TControl, TComponent>("TControl")
        .NotCreatable()
        .Int("Left", &TControl::Left, &TControl::SetLeft)
        .Int("Top", &TControl::Top, &TControl::SetTop)
        .Int("Width", &TControl::Width, &TControl::SetWidth)
        .Int("Height", &TControl::Height, &TControl::SetHeight)
        .Enum<TAlign>("Align", AlignEnum(), &TControl::Align, &TControl::SetAlign)
        .Bool("Visible", &TControl::Visible, &TControl::SetVisible)
        .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled)
        .Int("Color", &TControl::Color, &TControl::SetColor, &ColorIdents())
        .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
        .Object<TFont>("Font", [](TControl& c) -> TFont& { return c.Font(); })
        .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
        .Object<TPopupMenu>("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
        .Event("OnClick", &TControl::OnClick)
        .Build();
    return info;
}

const TClassInfo& TGraphicControl::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TGraphicControl, TControl>("TGraphicControl").NotCreatable().Build();
    return info;
}

const TClassInfo& TWinControl::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TWinControl, TControl>("TWinControl")
        .NotCreatable()
        .Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
        .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
        .Bool("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D)
        .Bool("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D)
        .Bool("DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered)
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnExit", &TWinControl::OnExit)
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Event("OnKeyUp", &TWinControl::OnKeyUp)
        .Event("OnKeyPress", &TWinControl::OnKeyPress)
        .Build();
    return info;
}

const TClassInfo& TCustomControl::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCustomControl, TWinControl>("TCustomControl").NotCreatable().Build();
    return info;
}

// ---- TControl ----

TControl::TControl(TComponent* owner) : TComponent(owner)
{
    WindowProc = [this](TMessage& m) { WndProc(m); };
    font_.OnChange = [this] { FontChanged(); };
    parentColor_ = true;
}

TControl::~TControl()
{
    font_.OnChange = nullptr;
    if (parent_)
        parent_->RemoveControl(this);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetPopupMenu(TPopupMenu* value)
{
    SetReference(popupMenu_, value);
}

void TControl::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == popupMenu_)
        popupMenu_ = nullptr;
}

void TControl::SetParentComponent(TComponent* parent)
{
    if (auto* window = dynamic_cast<TWinControl*>(parent))
        SetParent(window);
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_)
        return;
    if (parent == this)
        throw EInvalidOperation("A control cannot be its own parent");
    if (parent_)
        parent_->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Invalidate();
    RequestAlign();
}

TRect TControl::ClientRect() const { return Rect(0, 0, width_, height_); }

void TControl::SetClientWidth(int value) { SetWidth(value + width_ - ClientWidth()); }
void TControl::SetClientHeight(int value) { SetHeight(value + height_ - ClientHeight()); }

void TControl::SetAlign(TAlign align)
{
    if (align == align_)
        return;
    align_ = align;
    RequestAlign();
}

void TControl::RequestAlign()
{
    if (parent_ && align_ != TAlign::alNone)
        parent_->AlignControls();
}

void TControl::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    VisibleChanged();
}

void TControl::VisibleChanged()
{
    if (parent_) {
        TRect r = BoundsRect();
        if (parent_->HandleAllocated())
            InvalidateRect(parent_->WindowHandle(), &r, TRUE);
        if (align_ != TAlign::alNone)
            parent_->AlignControls();
    }
    Perform(CM_VISIBLECHANGED, visible_ ? 1 : 0);
}

bool TControl::Showing() const { return visible_ && (!parent_ || parent_->Showing()); }

void TControl::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    EnabledChanged();
}

void TControl::EnabledChanged()
{
    Invalidate();
    Perform(CM_ENABLEDCHANGED);
}

std::wstring TControl::GetText() const { return text_; }

void TControl::SetText(const std::wstring& text)
{
    if (text == text_)
        return;
    text_ = text;
    TextChanged();
    Invalidate();
    Perform(CM_TEXTCHANGED);
}

void TControl::SetColor(TColor color)
{
    parentColor_ = false;
    if (color == color_)
        return;
    color_ = color;
    ColorChanged();
}

void TControl::ColorChanged()
{
    Invalidate();
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value)
{
    parentColor_ = value;
    if (value && parent_)
        ParentColorChanged();
}

void TControl::ParentColorChanged()
{
    if (!parentColor_ || !parent_)
        return;
    if (color_ != parent_->Color()) {
        color_ = parent_->Color();
        ColorChanged();
    }
}

void TControl::SetParentFont(bool value)
{
    parentFont_ = value;
    if (value && parent_)
        ParentFontChanged();
}

void TControl::ParentFontChanged()
{
    if (!parentFont_ || !parent_)
        return;
    applyingParentFont_ = true;
    try {
        font_.Assign(parent_->Font());
    } catch (...) {
        applyingParentFont_ = false;
        throw;
    }
    applyingParentFont_ = false;
}

void TControl::FontChanged()
{
    if (!applyingParentFont_)
        parentFont_ = false;
    Invalidate();
    Perform(CM_FONTCHANGED);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    if (WindowProc)
        WindowProc(m);
    else
        WndProc(m);
    return m.Result;
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::Invalidate()
{
    if (parent_ && parent_->HandleAllocated() && visible_) {
        TRect r = BoundsRect();
        InvalidateRect(parent_->WindowHandle(), &r, TRUE);
    }
}

void TControl::Update()
{
    if (parent_ && parent_->HandleAllocated())
        UpdateWindow(parent_->WindowHandle());
}

void TControl::BringToFront()
{
    if (!parent_)
        return;
    auto& list = parent_->controls_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.push_back(this);
    Invalidate();
}

POINT TControl::ClientToScreen(POINT point) const
{
    // A window knows where it is; a windowless control is where its parent puts it.
    if (auto* window = dynamic_cast<const TWinControl*>(this); window && window->handle_) {
        ::ClientToScreen(window->handle_, &point);
        return point;
    }
    if (parent_) {
        point.x += left_;
        point.y += top_;
        return parent_->ClientToScreen(point);
    }
    return point;
}

POINT TControl::ScreenToClient(POINT point) const
{
    if (auto* window = dynamic_cast<const TWinControl*>(this); window && window->handle_) {
        ::ScreenToClient(window->handle_, &point);
        return point;
    }
    if (parent_) {
        point = parent_->ScreenToClient(point);
        point.x -= left_;
        point.y -= top_;
    }
    return point;
}

void TControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONUP:
        if (enabled_) {
            const POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
            if (p.x >= 0 && p.y >= 0 && p.x < width_ && p.y < height_)
                Click();
        }
        break;
    default:
        DefaultHandler(message);
        break;
    }
}

void TControl::DefaultHandler(TMessage& message) { message.Result = 0; }

// ---- TGraphicControl ----

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

TGraphicControl::~TGraphicControl() { canvas_.SetHandle(nullptr); }

void TGraphicControl::Invalidate() { TControl::Invalidate(); }

void TGraphicControl::Update() { TControl::Update(); }

void TGraphicControl::WndProc(TMessage& message)
{
    if (message.Msg == WM_PAINT) {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        if (dc) {
            canvas_.SetHandle(dc);
            try {
                Paint();
            } catch (...) {
                canvas_.SetHandle(nullptr);
                throw;
            }
            canvas_.SetHandle(nullptr);
        }
        message.Result = 0;
        return;
    }
    TControl::WndProc(message);
}

// ---- window registry ----

namespace {
std::unordered_map<HWND, TWinControl*>& WindowMap()
{
    static std::unordered_map<HWND, TWinControl*> map;
    return map;
}

std::map<std::wstring, WNDPROC>& ClassMap()
{
    static std::map<std::wstring, WNDPROC> map;
    return map;
}

thread_local TWinControl* g_creating = nullptr;
std::uint64_t g_creationCounter = 0;
} // namespace

TWinControl* FindControl(HWND window)
{
    if (!window)
        return nullptr;
    auto it = WindowMap().find(window);
    return it == WindowMap().end() ? nullptr : it->second;
}

TWinControl* FindOwningControl(HWND window)
{
    while (window) {
        if (TWinControl* c = FindControl(window))
            return c;
        window = GetParent(window);
    }
    return nullptr;
}

LRESULT DispatchToControl(TWinControl* control, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    try {
        if (msg == WM_PAINT && !wParam && control->doubleBuffered_ && control->handle_)
            control->PaintBuffered();
        else if (control->WindowProc)
            control->WindowProc(m);
        else
            control->WndProc(m);
    } catch (const std::exception& e) {
        Application.HandleException(&e);
    } catch (...) {
        Application.HandleException(nullptr);
    }
    return m.Result;
}

LRESULT CALLBACK ControlWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWinControl* control = FindControl(window);
    if (!control && g_creating) {
        // First message of a window being created: bind it to its control.
        control = g_creating;
        g_creating = nullptr;
        control->handle_ = window;
        WindowMap()[window] = control;
    }
    if (!control) {
        wchar_t name[256] = {};
        GetClassNameW(window, name, 256);
        auto it = ClassMap().find(name);
        return CallWindowProcW(it != ClassMap().end() ? it->second : DefWindowProcW, window, msg, wParam, lParam);
    }
    return DispatchToControl(control, msg, wParam, lParam);
}

LRESULT CALLBACK InitWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ControlWndProc(window, msg, wParam, lParam);
}

namespace {
WNDPROC EnsureWindowClass(const TCreateParams& params)
{
    auto it = ClassMap().find(params.WinClassName);
    if (it != ClassMap().end())
        return it->second;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    WNDPROC base = DefWindowProcW;
    if (!params.BaseClassName.empty()) {
        if (!GetClassInfoExW(nullptr, params.BaseClassName.c_str(), &wc))
            throw Exception("System window class " + WideToUtf8(params.BaseClassName) + " is missing");
        base = wc.lpfnWndProc;
        wc.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
    } else {
        wc.style = params.ClassStyle;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = params.Icon;
        wc.hIconSm = params.SmallIcon;
    }
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = InitWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = params.WinClassName.c_str();
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw Exception("Cannot register window class " + WideToUtf8(params.WinClassName));
    ClassMap()[params.WinClassName] = base;
    return base;
}
} // namespace

// ---- TWinControl ----

TWinControl::TWinControl(TComponent* owner) : TControl(owner)
{
    creationIndex_ = ++g_creationCounter;
}

TWinControl::~TWinControl()
{
    Destroying();
    // The form forgets it first, so that the focus moving away as its window goes fires no exit on
    // a control half destroyed.
    if (TCustomForm* form = GetParentForm(this); form && form != this) {
        if (form->focusedControl_ == this || ContainsControl(form->focusedControl_))
            form->focusedControl_ = nullptr;
        if (form->activeControl_ == this || ContainsControl(form->activeControl_))
            form->activeControl_ = nullptr;
    }
    DestroyHandle();
    while (!controls_.empty()) {
        TControl* child = controls_.back();
        delete child;
    }
    if (brush_)
        DeleteObject(brush_);
}

HWND TWinControl::Handle()
{
    HandleNeeded();
    return handle_;
}

void TWinControl::HandleNeeded()
{
    if (handle_)
        return;
    if (parent_)
        parent_->HandleNeeded();
    CreateWnd();
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.Caption = text_;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (visible_)
        params.Style |= WS_VISIBLE;
    if (!enabled_)
        params.Style |= WS_DISABLED;
    if (tabStop_)
        params.Style |= WS_TABSTOP;
    params.X = left_;
    params.Y = top_;
    params.Width = width_;
    params.Height = WindowHeight();
    params.WndParent = parent_ ? parent_->handle_ : nullptr;
    params.WinClassName = Utf8ToWide(ClassName());
}

void TWinControl::CreateWnd()
{
    if (IsDestroying())
        throw EInvalidOperation("Cannot create a window for a control being destroyed");
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    defWndProc_ = EnsureWindowClass(params);
    TWinControl* previous = g_creating;
    g_creating = this;
    HWND window = nullptr;
    try {
        window = CreateWindowHandle(params);
    } catch (...) {
        g_creating = previous;
        throw;
    }
    g_creating = previous;
    if (!window) {
        handle_ = nullptr;
        throw Exception("Cannot create the window of " + (Name().empty() ? ClassName() : Name()));
    }
    handle_ = window;
    WindowMap()[window] = this;
    CreateHandleDone();
}

HWND TWinControl::CreateWindowHandle(const TCreateParams& params)
{
    return CreateWindowExW(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style, params.X,
                           params.Y, params.Width, params.Height, params.WndParent, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

void TWinControl::CreateHandleDone()
{
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), 0);
    // Children get their windows now, in creation (z) order.
    std::vector<TControl*> children = controls_;
    for (TControl* child : children)
        if (auto* window = dynamic_cast<TWinControl*>(child))
            if (!window->handle_)
                window->CreateWnd();
    AlignControls();
}

void TWinControl::DestroyWnd()
{
    if (handle_)
        DestroyWindow(handle_);
}

void TWinControl::DestroyHandle()
{
    if (!handle_)
        return;
    DestroyWnd();
    if (handle_) {
        WindowMap().erase(handle_);
        handle_ = nullptr;
    }
}

void TWinControl::RecreateWnd()
{
    if (!handle_ || IsLoading())
        return;
    const std::wstring text = GetText();
    text_ = text;
    const bool hadFocus = Focused();
    DestroyHandle();
    CreateWnd();
    if (hadFocus)
        SetFocus();
}

void TWinControl::InsertControl(TControl* control)
{
    if (!control || control->parent_ == this)
        return;
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* window = dynamic_cast<TWinControl*>(control)) {
        if (window->tabOrder_ < 0) {
            int count = 0;
            for (TControl* c : controls_)
                if (c != control && dynamic_cast<TWinControl*>(c))
                    ++count;
            window->tabOrder_ = count;
        }
        if (window->parentCtl3D_)
            window->ctl3D_ = ctl3D_;
    }
    control->ParentFontChanged();
    control->ParentColorChanged();
    if (auto* window = dynamic_cast<TWinControl*>(control)) {
        if (handle_ && !window->handle_ && !IsLoading() && !window->IsLoading())
            window->CreateWnd();
    } else {
        control->Invalidate();
    }
    if (control->align_ != TAlign::alNone)
        AlignControls();
}

void TWinControl::RemoveControl(TControl* control)
{
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end())
        return;
    // The form forgets a focused control that leaves it.
    if (TCustomForm* form = GetParentForm(this)) {
        // Compared as controls: a control being destroyed is no longer a TWinControl here.
        auto* window = dynamic_cast<TWinControl*>(control);
        auto inside = [&](TWinControl* c) {
            return c && (static_cast<TControl*>(c) == control || (window && window->ContainsControl(c)));
        };
        if (inside(form->activeControl_))
            form->activeControl_ = nullptr;
        if (inside(form->focusedControl_))
            form->focusedControl_ = nullptr;
    }
    if (captureControl_ == control) {
        captureControl_ = nullptr;
        if (handle_ && GetCapture() == handle_)
            ReleaseCapture();
    }
    if (mouseControl_ == control)
        mouseControl_ = nullptr;
    control->Invalidate();
    controls_.erase(it);
    control->parent_ = nullptr;
    if (auto* window = dynamic_cast<TWinControl*>(control))
        window->DestroyHandle();
}

bool TWinControl::ContainsControl(const TControl* control) const
{
    for (const TControl* c = control ? control->parent_ : nullptr; c; c = c->parent_)
        if (c == this)
            return true;
    return false;
}

void TWinControl::SetTabOrder(int value)
{
    tabOrder_ = value < 0 ? 0 : value;
}

void TWinControl::SetTabStop(bool value)
{
    tabStop_ = value;
    if (handle_) {
        LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
        style = value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        SetWindowLongPtrW(handle_, GWL_STYLE, style);
    }
}

void TWinControl::SetCtl3D(bool value)
{
    parentCtl3D_ = false;
    if (value == ctl3D_)
        return;
    ctl3D_ = value;
    RecreateWnd();
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c))
            if (w->parentCtl3D_) {
                w->SetCtl3D(value);
                w->parentCtl3D_ = true;
            }
}

void TWinControl::SetParentCtl3D(bool value)
{
    parentCtl3D_ = value;
    if (value && parent_ && parent_->ctl3D_ != ctl3D_) {
        SetCtl3D(parent_->ctl3D_);
        parentCtl3D_ = true;
    }
}

bool TWinControl::Showing() const
{
    if (handle_)
        return IsWindowVisible(handle_) != FALSE;
    return TControl::Showing();
}

bool TWinControl::Focused() const
{
    if (!handle_)
        return false;
    HWND focus = GetFocus();
    return focus && (focus == handle_ || IsChild(handle_, focus));
}

bool TWinControl::CanFocus() const
{
    const TCustomForm* form = GetParentForm(this);
    if (!form)
        return false;
    for (const TControl* c = this; c && c != form; c = c->parent_)
        if (!c->visible_ || !c->enabled_)
            return false;
    return form->enabled_;
}

void TWinControl::SetFocus()
{
    if (!CanFocus())
        return;
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && !(form->handle_ && IsWindowVisible(form->handle_))) {
        form->activeControl_ = this;
        return;
    }
    ::SetFocus(Handle());
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const
{
    std::vector<TWinControl*> children;
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c))
            children.push_back(w);
    std::stable_sort(children.begin(), children.end(), [](const TWinControl* a, const TWinControl* b) {
        return a->tabOrder_ != b->tabOrder_ ? a->tabOrder_ < b->tabOrder_ : a->creationIndex_ < b->creationIndex_;
    });
    for (TWinControl* child : children) {
        list.push_back(child);
        child->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    const int count = static_cast<int>(list.size());
    int start = -1;
    for (int i = 0; i < count; ++i)
        if (list[i] == current)
            start = i;
    if (start < 0)
        start = goForward ? count - 1 : 0;
    int i = start;
    for (int n = 0; n < count; ++n) {
        i = goForward ? (i + 1) % count : (i - 1 + count) % count;
        TWinControl* c = list[i];
        if (c == current)
            break;
        if ((!checkTabStop || c->tabStop_) && (!checkParent || c->parent_ == this) && c->CanFocus())
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, false))
        next->SetFocus();
}

void TWinControl::PaintTo(HDC dc, int x, int y)
{
    if (!handle_)
        return;
    RECT window;
    GetWindowRect(handle_, &window);
    POINT origin{0, 0};
    ::ClientToScreen(handle_, &origin);
    const int cx = x + origin.x - window.left, cy = y + origin.y - window.top;
    const int saved = SaveDC(dc);
    if (defWndProc_ != DefWindowProcW) {
        SetViewportOrgEx(dc, x, y, nullptr);
        SendMessageW(handle_, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    } else {
        SetViewportOrgEx(dc, cx, cy, nullptr);
        RECT client;
        GetClientRect(handle_, &client);
        IntersectClipRect(dc, 0, 0, client.right, client.bottom);
        Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
    RestoreDC(dc, saved);
    for (TControl* c : controls_) {
        auto* w = dynamic_cast<TWinControl*>(c);
        if (w && w->handle_ && IsWindowVisible(w->handle_))
            w->PaintTo(dc, cx + w->left_, cy + w->top_);
    }
}

void TWinControl::AlignControls()
{
    if (aligning_ || IsLoading())
        return;
    aligning_ = true;
    try {
        TRect r = ClientRect();
        AdjustClientRect(r);
        auto pick = [&](TAlign kind) {
            std::vector<TControl*> list;
            for (TControl* c : controls_)
                if (c->align_ == kind && c->visible_)
                    list.push_back(c);
            std::stable_sort(list.begin(), list.end(), [kind](TControl* a, TControl* b) {
                switch (kind) {
                case TAlign::alTop: return a->top_ < b->top_;
                case TAlign::alBottom: return a->top_ + a->height_ > b->top_ + b->height_;
                case TAlign::alLeft: return a->left_ < b->left_;
                case TAlign::alRight: return a->left_ + a->width_ > b->left_ + b->width_;
                default: return false;
                }
            });
            return list;
        };
        for (TControl* c : pick(TAlign::alTop)) {
            c->SetBounds(r.left, r.top, r.right - r.left, c->height_);
            r.top += c->height_;
        }
        for (TControl* c : pick(TAlign::alBottom)) {
            c->SetBounds(r.left, r.bottom - c->height_, r.right - r.left, c->height_);
            r.bottom -= c->height_;
        }
        for (TControl* c : pick(TAlign::alLeft)) {
            c->SetBounds(r.left, r.top, c->width_, std::max(0L, r.bottom - r.top));
            r.left += c->width_;
        }
        for (TControl* c : pick(TAlign::alRight)) {
            c->SetBounds(r.right - c->width_, r.top, c->width_, std::max(0L, r.bottom - r.top));
            r.right -= c->width_;
        }
        for (TControl* c : pick(TAlign::alClient))
            c->SetBounds(r.left, r.top, std::max(0L, r.right - r.left), std::max(0L, r.bottom - r.top));
    } catch (...) {
        aligning_ = false;
        throw;
    }
    aligning_ = false;
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    const bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (handle_ && !settingBounds_) {
        settingBounds_ = true;
        SetWindowPos(handle_, nullptr, left, top, width, WindowHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
        settingBounds_ = false;
    }
    RequestAlign();
    if (resized) {
        AlignControls();
        Resize();
    }
}

void TWinControl::UpdateBounds()
{
    if (!handle_)
        return;
    RECT r;
    GetWindowRect(handle_, &r);
    if (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD) {
        HWND parent = GetParent(handle_);
        MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    }
    const bool resized = r.right - r.left != width_ || r.bottom - r.top != height_;
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
    if (resized) {
        AlignControls();
        Resize();
    }
}

TRect TWinControl::ClientRect() const
{
    if (handle_) {
        RECT r;
        GetClientRect(handle_, &r);
        return r;
    }
    return TControl::ClientRect();
}

void TWinControl::Invalidate()
{
    if (handle_)
        InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update()
{
    if (handle_)
        UpdateWindow(handle_);
}

std::wstring TWinControl::GetText() const
{
    if (!handle_)
        return text_;
    const int length = static_cast<int>(SendMessageW(handle_, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<std::size_t>(std::max(0, length)) + 1, L'\0');
    const int got = static_cast<int>(SendMessageW(handle_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<std::size_t>(std::max(0, got)));
    return text;
}

void TWinControl::SetText(const std::wstring& text)
{
    if (handle_) {
        if (GetText() == text)
            return;
        text_ = text;
        SendMessageW(handle_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        TextChanged();
        Perform(CM_TEXTCHANGED);
        return;
    }
    TControl::SetText(text);
}

void TWinControl::FontChanged()
{
    if (!applyingParentFont_)
        parentFont_ = false;
    if (handle_) {
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
        Invalidate();
    }
    for (TControl* c : controls_)
        c->ParentFontChanged();
    Perform(CM_FONTCHANGED);
}

void TWinControl::ColorChanged()
{
    Invalidate();
    for (TControl* c : controls_)
        c->ParentColorChanged();
    Perform(CM_COLORCHANGED);
}

void TWinControl::VisibleChanged()
{
    if (handle_) {
        if (!visible_ && Focused()) {
            if (TCustomForm* form = GetParentForm(this); form && form != this && form->handle_)
                ::SetFocus(form->handle_);
        }
        ShowWindow(handle_, visible_ ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
    if (parent_ && align_ != TAlign::alNone)
        parent_->AlignControls();
    Perform(CM_VISIBLECHANGED, visible_ ? 1 : 0);
}

void TWinControl::EnabledChanged()
{
    if (handle_) {
        // A control losing its input takes the focus away to its form first, as the system would
        // otherwise leave no window focused.
        if (!enabled_ && Focused()) {
            if (TCustomForm* form = GetParentForm(this); form && form != this && form->handle_)
                ::SetFocus(form->handle_);
        }
        EnableWindow(handle_, enabled_ ? TRUE : FALSE);
    }
    Invalidate();
    Perform(CM_ENABLEDCHANGED);
}

HBRUSH TWinControl::ColorBrush()
{
    if (!brush_ || brushColor_ != color_) {
        if (brush_)
            DeleteObject(brush_);
        brush_ = CreateSolidBrush(ColorToRGB(color_));
        brushColor_ = color_;
    }
    return brush_;
}

bool TWinControl::DoKeyDown(std::uint16_t& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
    return key == 0;
}

bool TWinControl::DoKeyPress(wchar_t& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
    return key == 0;
}

void TWinControl::DoEnter()
{
    Perform(CM_ENTER);
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    Perform(CM_EXIT);
    if (OnExit)
        OnExit(this);
}

bool TWinControl::WantsKey(std::uint16_t key) const
{
    if (!handle_)
        return false;
    MSG msg{handle_, WM_KEYDOWN, key, 0, 0, {0, 0}};
    const LRESULT code = SendMessageW(handle_, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&msg));
    if (code & DLGC_WANTALLKEYS)
        return key != VK_TAB || (code & DLGC_WANTTAB);
    if (key == VK_TAB)
        return (code & DLGC_WANTTAB) != 0;
    if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN)
        return (code & DLGC_WANTARROWS) != 0;
    return false;
}

LRESULT TWinControl::CallDefault(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(defWndProc_ ? defWndProc_ : DefWindowProcW, handle_, msg, wParam, lParam);
}

void TWinControl::DefaultHandler(TMessage& message)
{
    if (!handle_ || (message.Msg >= CM_BASE && message.Msg < CN_BASE + 0x400)) {
        message.Result = 0;
        return;
    }
    message.Result = CallDefault(message.Msg, message.WParam, message.LParam);
}

TControl* TWinControl::ControlAtPos(POINT point) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c) || !c->visible_ || !c->enabled_)
            continue;
        if (c->ContainsPoint(point))
            return c;
    }
    return nullptr;
}

void TWinControl::SetMouseControl(TControl* control)
{
    if (control == mouseControl_)
        return;
    TControl* previous = mouseControl_;
    mouseControl_ = control;
    if (previous)
        previous->Perform(CM_MOUSELEAVE);
    if (control && control == mouseControl_)
        control->Perform(CM_MOUSEENTER);
}

bool TWinControl::RouteMouse(TMessage& message)
{
    const POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    auto deliver = [&](TControl* c) {
        c->Perform(message.Msg, message.WParam, MAKELPARAM(p.x - c->left_, p.y - c->top_));
        message.Result = 0;
    };
    switch (message.Msg) {
    case WM_MOUSEMOVE:
        if (captureControl_) {
            // Held: only the pressed control can be under the mouse.
            TControl* held = captureControl_;
            SetMouseControl(held->ContainsPoint(p) ? held : nullptr);
            if (captureControl_ == held)
                deliver(held);
            return true;
        }
        SetMouseControl(ControlAtPos(p));
        if (mouseControl_) {
            deliver(mouseControl_);
            return true;
        }
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        TControl* hit = ControlAtPos(p);
        if (!hit)
            return false;
        SetMouseControl(hit);
        captureControl_ = hit;
        SetCapture(handle_);
        deliver(hit);
        return true;
    }
    case WM_LBUTTONUP: {
        TControl* target = captureControl_;
        if (target) {
            // Cleared first: releasing sends WM_CAPTURECHANGED, which must not cancel this release.
            captureControl_ = nullptr;
            if (GetCapture() == handle_)
                ReleaseCapture();
        } else {
            target = ControlAtPos(p);
        }
        if (target)
            deliver(target);
        SetMouseControl(ControlAtPos(p));
        return target != nullptr;
    }
    default:
        return false;
    }
}

void TWinControl::PaintWindow(HDC dc) { PaintControls(dc); }

void TWinControl::PaintControls(HDC dc)
{
    for (TControl* c : controls_) {
        if (dynamic_cast<TWinControl*>(c) || !c->visible_)
            continue;
        const int saved = SaveDC(dc);
        POINT origin;
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x + c->left_, origin.y + c->top_, nullptr);
        IntersectClipRect(dc, 0, 0, c->width_, c->height_);
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        RestoreDC(dc, saved);
    }
}

void TWinControl::PaintHandler(TMessage& message)
{
    HDC given = reinterpret_cast<HDC>(message.WParam);
    if (given) {
        PaintWindow(given);
        message.Result = 0;
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle_, &ps);
    try {
        PaintWindow(dc);
    } catch (...) {
        EndPaint(handle_, &ps);
        throw;
    }
    EndPaint(handle_, &ps);
    message.Result = 0;
}

void TWinControl::PaintBuffered()
{
    TPaintDC paint(handle_);
    HDC dc = paint.Get();
    RECT client;
    GetClientRect(handle_, &client);
    const int w = std::max(1L, client.right), h = std::max(1L, client.bottom);
    TMemoryDC memory(dc);
    TBitmapHandle bitmap(CreateCompatibleBitmap(dc, w, h));
    if (!memory.Get() || !bitmap) {
        Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        return;
    }
    TSelectObject select(memory.Get(), bitmap.Get());
    const WPARAM target = reinterpret_cast<WPARAM>(memory.Get());
    Perform(WM_ERASEBKGND, target, static_cast<LPARAM>(target));
    Perform(WM_PAINT, target, 0);
    BitBlt(dc, 0, 0, w, h, memory.Get(), 0, 0, SRCCOPY);
}

namespace {
// WM_CONTEXTMENU: opens the popup menu of the control under the point (a windowless child
// included) or of its nearest parent that has one. True when a menu opened.
bool ContextPopup(TWinControl* self, TMessage& message)
{
    // Only a request from this control's own windows: one passed up by a child's default
    // handling has already been looked at there, with this control among the parents.
    if (FindOwningControl(reinterpret_cast<HWND>(message.WParam)) != self)
        return false;
    POINT point{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
    // The context-menu key (or Shift+F10) gives no point.
    const bool keyboard = point.x == -1 && point.y == -1;
    TControl* target = self;
    if (!keyboard)
        if (TControl* hit = self->ControlAtPos(self->ScreenToClient(point)))
            target = hit;
    TPopupMenu* menu = nullptr;
    for (TControl* c = target; c && !menu; c = c->Parent())
        menu = c->PopupMenu();
    if (!menu || !menu->AutoPopup())
        return false;
    if (keyboard)
        point = target->ClientToScreen(POINT{4, 4});
    menu->SetPopupComponent(target);
    menu->Popup(point.x, point.y);
    message.Result = 0;
    return true;
}
} // namespace

void TWinControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        if (defWndProc_ == DefWindowProcW) {
            PaintHandler(message);
            return;
        }
        break;
    case WM_ERASEBKGND:
        if (defWndProc_ == DefWindowProcW) {
            // Own windows paint every pixel in WM_PAINT.
            message.Result = 1;
            return;
        }
        break;
    case WM_PRINTCLIENT:
        if (defWndProc_ == DefWindowProcW) {
            PaintWindow(reinterpret_cast<HDC>(message.WParam));
            message.Result = 0;
            return;
        }
        break;
    case WM_SETFOCUS:
        if (TCustomForm* form = GetParentForm(this); form && form != this)
            form->FocusChanged(this);
        break;
    case WM_COMMAND:
        if (message.LParam) {
            if (TWinControl* child = FindControl(reinterpret_cast<HWND>(message.LParam)); child && child != this) {
                message.Result = child->Perform(CN_COMMAND, message.WParam, message.LParam);
                return;
            }
        }
        break;
    case WM_NOTIFY:
        // A common control's notification goes to the control it concerns (custom draw, tab
        // changes, header tracking); the control answers it.
        if (const auto* header = reinterpret_cast<const NMHDR*>(message.LParam))
            if (TWinControl* child = FindControl(header->hwndFrom); child && child != this) {
                message.Result = child->Perform(CN_NOTIFY, message.WParam, message.LParam);
                return;
            }
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        // From a scroll bar, track bar or up-down control: its own business.
        if (message.LParam)
            if (TWinControl* child = FindControl(reinterpret_cast<HWND>(message.LParam)); child && child != this) {
                message.Result = child->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
                return;
            }
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        if (item && item->CtlType != ODT_MENU)
            if (TWinControl* child = FindControl(item->hwndItem); child && child != this) {
                message.Result = child->Perform(CN_DRAWITEM, message.WParam, message.LParam);
                return;
            }
        break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        if (TWinControl* child = FindControl(reinterpret_cast<HWND>(message.LParam)); child && child != this) {
            message.Result = child->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
            return;
        }
        break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORLISTBOX: {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        SetTextColor(dc, ColorToRGB(font_.Color()));
        SetBkColor(dc, ColorToRGB(color_));
        message.Result = reinterpret_cast<LRESULT>(ColorBrush());
        return;
    }
    case CN_CTLCOLORBTN: {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        SetBkColor(dc, ColorToRGB(parent_ ? parent_->color_ : color_));
        message.Result = reinterpret_cast<LRESULT>(parent_ ? parent_->ColorBrush() : ColorBrush());
        return;
    }
    case WM_SIZE:
    case WM_MOVE:
        DefaultHandler(message);
        if (!settingBounds_)
            UpdateBounds();
        return;
    case WM_MOUSEMOVE:
        if (!mouseInside_) {
            mouseInside_ = true;
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, handle_, 0};
            TrackMouseEvent(&track);
            Perform(CM_MOUSEENTER);
        }
        if (RouteMouse(message))
            return;
        break;
    case WM_MOUSELEAVE:
        mouseInside_ = false;
        // While a windowless child holds the capture, the moves still come and decide.
        if (!captureControl_)
            SetMouseControl(nullptr);
        Perform(CM_MOUSELEAVE);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
        if (RouteMouse(message))
            return;
        break;
    case WM_CONTEXTMENU:
        if (ContextPopup(this, message))
            return;
        break;
    case WM_CAPTURECHANGED:
        if (captureControl_ && reinterpret_cast<HWND>(message.LParam) != handle_) {
            TControl* lost = captureControl_;
            captureControl_ = nullptr;
            lost->Perform(CM_CANCELMODE);
            SetMouseControl(nullptr);
        }
        break;
    case WM_NCDESTROY: {
        DefaultHandler(message);
        WindowMap().erase(handle_);
        handle_ = nullptr;
        mouseInside_ = false;
        captureControl_ = nullptr;
        mouseControl_ = nullptr;
        return;
    }
    default:
        break;
    }
    DefaultHandler(message);
}

// ---- TCustomControl ----

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

void TCustomControl::PaintWindow(HDC dc)
{
    canvas_.SetHandle(dc);
    try {
        Paint();
    } catch (...) {
        canvas_.SetHandle(nullptr);
        throw;
    }
    canvas_.SetHandle(nullptr);
    PaintControls(dc);
}

} // namespace ui
