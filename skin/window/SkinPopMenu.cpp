#include "skin/window/SkinPopMenu.h"

#include "skin/data/SkinDraw.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "ui/GdiObjects.h"

#include <functional>
#include <vector>

namespace skin {

namespace {

// Asks a popup-menu window for the menu it shows (answered once the window has handled WM_CREATE).
constexpr UINT MessageGetMenu = 0x01E1;

TWinSkinPopMenu* gPendingPopup = nullptr;

bool SkinningOn()
{
    TSkinManage* manager = SkinManager();
    return manager && manager->SkinEnabled;
}

// Where the client area starts inside the window: (0, 0) where the menu window has no
// non-client border (Wine), the border width where it has one (Windows).
POINT ClientOrigin(HWND window)
{
    RECT bounds{};
    GetWindowRect(window, &bounds);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return POINT{origin.x - bounds.left, origin.y - bounds.top};
}

} // namespace

TWinSkinPopMenu* PendingPopup()
{
    return gPendingPopup;
}

void SetPendingPopup(TWinSkinPopMenu* popup)
{
    gPendingPopup = popup;
}

TWinSkinPopMenu::~TWinSkinPopMenu()
{
    Detach();
    // Even an object never attached must not stay reachable.
    if (gPendingPopup == this)
        gPendingPopup = nullptr;
}

void TWinSkinPopMenu::Attach(HWND handle, TSkinData* skinData)
{
    Detach();
    if (!subclass_.Install(handle, [this](UINT message, WPARAM wParam, LPARAM lParam) {
            return WindowProcedure(message, wParam, lParam);
        }))
        return;
    Handle = handle;
    SkinData = skinData;
    // Known here when the window already exists; a window still being created answers after WM_CREATE.
    Menu = reinterpret_cast<HMENU>(SendMessageW(handle, MessageGetMenu, 0, 0));
}

void TWinSkinPopMenu::Detach()
{
    subclass_.Remove();
    if (gPendingPopup == this)
        gPendingPopup = nullptr;
}

bool TWinSkinPopMenu::Attached() const
{
    return subclass_.Installed();
}

bool TWinSkinPopMenu::ComposeBackground()
{
    TDataSkinObject* back = SkinData ? SkinData->MenuBackground.get() : nullptr;
    if (!back || back->Bitmap.Empty() || !Handle)
        return false;
    if (!Menu)
        Menu = reinterpret_cast<HMENU>(SendMessageW(Handle, MessageGetMenu, 0, 0));
    if (!Menu)
        SetPendingPopup(this);
    RECT bounds{};
    GetWindowRect(Handle, &bounds);
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0)
        return false;
    if (Background.Width() == width && Background.Height() == height)
        return true;
    // Menus of one size come back (the same menu opened again): the last background made is kept.
    static std::unique_ptr<ui::TBitmap> last;
    static HBITMAP lastSource = nullptr;
    if (!last || last->Width() != width || last->Height() != height || lastSource != back->Bitmap.Handle()) {
        last = BuildSkinRect(ui::Rect(0, 0, width, height), &back->Bitmap, back->Margins(), false, back->Tile != 0, 1, 1);
        lastSource = back->Bitmap.Handle();
    }
    if (!last)
        return false;
    Background.Assign(*last);
    return !Background.Empty();
}

namespace {

// The rectangles of the menu's items in window coordinates.
std::vector<RECT> ItemRects(HWND window, HMENU menu)
{
    std::vector<RECT> rects;
    if (!menu)
        return rects;
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &r) && r.right > r.left && r.bottom > r.top) {
            OffsetRect(&r, -bounds.left, -bounds.top);
            rects.push_back(r);
        }
    }
    return rects;
}

} // namespace

// The whole window as it must show: the menu's own drawing (the owner-drawn items, which take their
// background from Background) with Background everywhere outside the items.
static bool ComposeWindow(TWinSkinPopMenu& popup, ui::TBitmap& picture,
                          const std::function<LRESULT(UINT, WPARAM, LPARAM)>& previous)
{
    const int width = popup.Background.Width(), height = popup.Background.Height();
    picture.SetSize(width, height);
    if (picture.Empty())
        return false;
    HDC dc = picture.Canvas().Handle();
    HDC back = popup.Background.Canvas().Handle();
    BitBlt(dc, 0, 0, width, height, back, 0, 0, SRCCOPY);
    const POINT origin = ClientOrigin(popup.Handle);
    {
        ui::TSavedDC saved(dc);
        SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
       
        previous(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    }
    // The platform fills the gaps and draws its own border: those come from the skin instead.
   
    ui::TRegionHandle outside(CreateRectRgn(0, 0, width, height));
    for (const RECT& r : ItemRects(popup.Handle, popup.Menu)) {
        ui::TRegionHandle item(CreateRectRgnIndirect(&r));
        CombineRgn(outside.Get(), outside.Get(), item.Get(), RGN_DIFF);
    }
    ui::TSavedDC saved(dc);
    SelectClipRgn(dc, outside.Get());
    BitBlt(dc, 0, 0, width, height, back, 0, 0, SRCCOPY);
    return true;
}

LRESULT TWinSkinPopMenu::WindowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SKINQUERY)
        return 1;
    if (message == WM_DESTROY) {
        Detach();
        return subclass_.CallPrevious(message, wParam, lParam);
    }
    if (!SkinningOn())
        return subclass_.CallPrevious(message, wParam, lParam);
    if (message == WM_CREATE) {
        const LRESULT result = subclass_.CallPrevious(message, wParam, lParam);
        if (!Menu)
            Menu = reinterpret_cast<HMENU>(SendMessageW(Handle, MessageGetMenu, 0, 0));
        return result;
    }
    const bool painted = SkinData && SkinData->MenuBackground && !SkinData->MenuBackground->Bitmap.Empty();
    if (!painted)
        return subclass_.CallPrevious(message, wParam, lParam);
    const auto previous = [this](UINT m, WPARAM w, LPARAM l) { return subclass_.CallPrevious(m, w, l); };
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        if (!ComposeBackground())
            return subclass_.CallPrevious(message, wParam, lParam);
        ui::TPaintDC paint(Handle);
        ui::TBitmap picture;
        if (ComposeWindow(*this, picture, previous)) {
            const POINT origin = ClientOrigin(Handle);
            RECT client{};
            GetClientRect(Handle, &client);
            BitBlt(paint.Get(), 0, 0, client.right, client.bottom, picture.Canvas().Handle(), origin.x, origin.y,
                   SRCCOPY);
        }
        return 0;
    }
    case WM_PRINTCLIENT: {
        if (!ComposeBackground() || !wParam)
            return subclass_.CallPrevious(message, wParam, lParam);
        ui::TBitmap picture;
        if (ComposeWindow(*this, picture, previous)) {
            const POINT origin = ClientOrigin(Handle);
            RECT client{};
            GetClientRect(Handle, &client);
            BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, client.right, client.bottom, picture.Canvas().Handle(),
                   origin.x, origin.y, SRCCOPY);
        }
        return 0;
    }
    case WM_NCPAINT: {
        // The border ring only: the client area is painted on WM_PAINT (where the window has no
        // non-client area nothing is left to paint here).
        if (!ComposeBackground())
            return subclass_.CallPrevious(message, wParam, lParam);
        ui::TWindowDC dc(Handle);
        const POINT origin = ClientOrigin(Handle);
        RECT client{};
        GetClientRect(Handle, &client);
        ui::TSavedDC saved(dc.Get());
        ExcludeClipRect(dc.Get(), origin.x, origin.y, origin.x + client.right, origin.y + client.bottom);
        BitBlt(dc.Get(), 0, 0, Background.Width(), Background.Height(), Background.Canvas().Handle(), 0, 0,
               SRCCOPY);
        return 0;
    }
    case WM_PRINT: {
        if (!ComposeBackground() || !wParam)
            return subclass_.CallPrevious(message, wParam, lParam);
        ui::TBitmap picture;
        if (ComposeWindow(*this, picture, previous))
            BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, picture.Width(), picture.Height(), picture.Canvas().Handle(),
                   0, 0, SRCCOPY);
        return 0;
    }
    case WM_WINDOWPOSCHANGED: {
        const LRESULT result = subclass_.CallPrevious(message, wParam, lParam);
        // A new size needs a new background before the items draw.
        ComposeBackground();
        return result;
    }
    default:
        return subclass_.CallPrevious(message, wParam, lParam);
    }
}

} // namespace skin
