#include "ViewerMenus.h"

#include <cmath>
#include <utility>

namespace skinview {

namespace {

constexpr int GlyphSize = 16;
// The strip's key colour: the image list leaves it out.
constexpr ui::TColor Key = ui::clFuchsia;

constexpr ui::TColor Outline = RGB(64, 64, 72);
constexpr ui::TColor Paper = RGB(255, 255, 255);
constexpr ui::TColor Ink = RGB(37, 99, 200);

// Drawing in one cell of the strip.
class TGlyphPen {
public:
    TGlyphPen(ui::TCanvas& canvas, int cell) : canvas_(canvas), left_(cell * GlyphSize) {}

    void Fill(int left, int top, int right, int bottom, ui::TColor color)
    {
        canvas_.Brush().SetColor(color);
        canvas_.FillRect(ui::Rect(left_ + left, top, left_ + right, bottom));
    }
    void Frame(int left, int top, int right, int bottom, ui::TColor color)
    {
        canvas_.Brush().SetColor(color);
        canvas_.FrameRect(ui::Rect(left_ + left, top, left_ + right, bottom));
    }
    // A framed box filled with `inside`.
    void Box(int left, int top, int right, int bottom, ui::TColor edge, ui::TColor inside)
    {
        Fill(left, top, right, bottom, inside);
        Frame(left, top, right, bottom, edge);
    }
    void Dot(int x, int y, ui::TColor color) { canvas_.SetPixel(left_ + x, y, color); }
    // A ring (or a disc when `inner` is 0) centred on (cx, cy).
    void Ring(double cx, double cy, double outer, double inner, ui::TColor color)
    {
        for (int y = 0; y < GlyphSize; ++y)
            for (int x = 0; x < GlyphSize; ++x) {
                const double d = std::hypot(x - cx, y - cy);
                if (d <= outer && d >= inner)
                    Dot(x, y, color);
            }
    }

private:
    ui::TCanvas& canvas_;
    int left_;
};

void DrawPage(TGlyphPen& pen, int left, int top, int right, int bottom, bool lines)
{
    pen.Box(left, top, right, bottom, Outline, Paper);
    if (lines)
        for (int y = top + 3; y < bottom - 2; y += 2)
            pen.Fill(left + 2, y, right - 2, y + 1, Ink);
}

void DrawGlyph(TGlyphPen& pen, TMenuImage image)
{
    switch (image) {
    case miNew:
        DrawPage(pen, 3, 1, 13, 15, false);
        // The folded corner.
        pen.Fill(9, 1, 13, 5, Key);
        for (int i = 0; i < 4; ++i) {
            pen.Dot(9 + i, 1 + i, Outline);
            pen.Dot(9, 1 + i, Outline);
            pen.Dot(9 + i, 4, Outline);
        }
        pen.Fill(6, 8, 10, 9, RGB(240, 180, 0));
        pen.Fill(7, 7, 9, 10, RGB(240, 180, 0));
        break;
    case miOpen:
        pen.Box(1, 3, 7, 6, RGB(150, 100, 20), RGB(240, 200, 80));
        pen.Box(1, 5, 15, 14, RGB(150, 100, 20), RGB(250, 210, 70));
        pen.Fill(2, 6, 14, 7, RGB(255, 240, 170));
        break;
    case miCut:
        // Two blades crossing above two red handles.
        for (int i = 0; i < 8; ++i) {
            pen.Dot(4 + i, 1 + i, Outline);
            pen.Dot(11 - i, 1 + i, Outline);
        }
        pen.Ring(4.5, 11.5, 3.2, 1.6, RGB(200, 30, 40));
        pen.Ring(11.5, 11.5, 3.2, 1.6, RGB(200, 30, 40));
        break;
    case miCopy:
        DrawPage(pen, 1, 1, 10, 11, true);
        DrawPage(pen, 6, 5, 15, 15, true);
        break;
    case miPaste:
        pen.Box(2, 2, 14, 15, RGB(110, 70, 30), RGB(170, 115, 55));
        pen.Box(4, 5, 12, 14, Outline, Paper);
        pen.Box(6, 1, 10, 4, Outline, RGB(190, 190, 200));
        pen.Fill(5, 7, 11, 8, Ink);
        pen.Fill(5, 9, 11, 10, Ink);
        pen.Fill(5, 11, 9, 12, Ink);
        break;
    case miDocument:
        DrawPage(pen, 3, 1, 13, 15, true);
        break;
    case miProperties:
        // A blue disc with a white "i".
        pen.Ring(7.5, 7.5, 7.0, 0.0, Ink);
        pen.Fill(7, 3, 9, 5, Paper);
        pen.Fill(7, 6, 9, 13, Paper);
        pen.Fill(6, 6, 7, 7, Paper);
        pen.Fill(6, 12, 10, 13, Paper);
        break;
    default:
        break;
    }
}

// One item under `parent`, owned by the parent's owner (the form) as a form description makes it.
ui::TMenuItem* AddItem(ui::TMenuItem& parent, const wchar_t* caption, ui::TNotifyEvent onClick = {},
                       const wchar_t* shortCut = nullptr, int image = -1)
{
    ui::TMenu* menu = parent.GetParentMenu();
    auto* item = new ui::TMenuItem(menu ? menu->Owner() : parent.Owner());
    item->SetCaption(caption);
    if (shortCut)
        item->SetShortCut(ui::TextToShortCut(shortCut));
    item->SetImageIndex(image);
    item->OnClick = std::move(onClick);
    parent.Add(item);
    return item;
}

void AddLine(ui::TMenuItem& parent) { AddItem(parent, L"-"); }

ui::TMenuItem* AddTopItem(ui::TMainMenu& menu, const wchar_t* caption)
{
    auto* item = new ui::TMenuItem(menu.Owner());
    item->SetCaption(caption);
    menu.Items()->Add(item);
    return item;
}

// Reports the item's caption (without its mnemonic) when it is chosen.
ui::TNotifyEvent Reporting(const TMenuCommands& commands)
{
    return [report = commands.Report](ui::TObject* sender) {
        auto* item = dynamic_cast<ui::TMenuItem*>(sender);
        if (!item || !report)
            return;
        std::wstring caption;
        for (wchar_t c : item->Caption())
            if (c != L'&')
                caption += c;
        report(caption);
    };
}

// A check item: the click flips it, then `changed` hears the new state.
ui::TNotifyEvent Toggling(std::function<void(bool)> changed)
{
    return [changed = std::move(changed)](ui::TObject* sender) {
        auto* item = dynamic_cast<ui::TMenuItem*>(sender);
        if (!item)
            return;
        item->SetChecked(!item->Checked());
        if (changed)
            changed(item->Checked());
    };
}

// A radio item: the click checks it (and unchecks the others of its group), then reports it.
ui::TNotifyEvent Choosing(const TMenuCommands& commands)
{
    return [report = Reporting(commands)](ui::TObject* sender) {
        if (auto* item = dynamic_cast<ui::TMenuItem*>(sender))
            item->SetChecked(true);
        report(sender);
    };
}

ui::TMenuItem* AddRadioItem(ui::TMenuItem& parent, const wchar_t* caption, int groupIndex,
                            const TMenuCommands& commands, int image = -1)
{
    ui::TMenuItem* item = AddItem(parent, caption, Choosing(commands), nullptr, image);
    item->SetRadioItem(true);
    item->SetGroupIndex(groupIndex);
    return item;
}

ui::TNotifyEvent Calling(const std::function<void()>& call)
{
    return [call](ui::TObject*) {
        if (call)
            call();
    };
}

} // namespace

ui::TImageList* MakeMenuImages(ui::TComponent* owner)
{
    ui::TBitmap strip(GlyphSize * MenuImageCount, GlyphSize);
    ui::TCanvas& canvas = strip.Canvas();
    canvas.Brush().SetColor(Key);
    canvas.FillRect(ui::Rect(0, 0, GlyphSize * MenuImageCount, GlyphSize));
    for (int i = 0; i < MenuImageCount; ++i) {
        TGlyphPen pen(canvas, i);
        DrawGlyph(pen, static_cast<TMenuImage>(i));
    }
    auto* images = new ui::TImageList(owner);
    images->SetWidth(GlyphSize);
    images->SetHeight(GlyphSize);
    images->AddMasked(strip, Key);
    return images;
}

ui::TMenuItem* AddFileMenu(ui::TMainMenu& menu, const TMenuCommands& commands)
{
    ui::TMenuItem* file = AddTopItem(menu, L"&File");
    const ui::TNotifyEvent report = Reporting(commands);
    AddItem(*file, L"&New", report, L"Ctrl+N", miNew);
    AddItem(*file, L"&Open...", report, L"Ctrl+O", miOpen);
    AddItem(*file, L"&Save", report, L"Ctrl+S");
    AddItem(*file, L"Save &as...", report)->SetEnabled(false);
    AddLine(*file);
    // The skin last chosen carries the check.
    ui::TMenuItem* recent = AddItem(*file, L"&Recent");
    AddRadioItem(*recent, L"&1 reprocessa.skn", 1, commands, miDocument);
    AddRadioItem(*recent, L"&2 contrast.skn", 1, commands)->SetChecked(true);
    AddRadioItem(*recent, L"&3 classic.skn", 1, commands, miDocument);
    AddLine(*file);
    AddItem(*file, L"E&xit", Calling(commands.Exit));
    return file;
}

ui::TMenuItem* AddEditMenu(ui::TMainMenu& menu, const TMenuCommands& commands)
{
    ui::TMenuItem* edit = AddTopItem(menu, L"&Edit");
    const ui::TNotifyEvent report = Reporting(commands);
    AddItem(*edit, L"&Undo", report, L"Ctrl+Z");
    AddLine(*edit);
    AddItem(*edit, L"Cu&t", report, L"Ctrl+X", miCut);
    AddItem(*edit, L"&Copy", report, L"Ctrl+C", miCopy);
    AddItem(*edit, L"&Paste", report, L"Ctrl+V", miPaste);
    AddLine(*edit);
    AddItem(*edit, L"&Word wrap", Toggling(commands.WordWrap))->SetChecked(true);
    return edit;
}

ui::TMenuItem* AddViewMenu(ui::TMainMenu& menu, const TMenuCommands& commands)
{
    ui::TMenuItem* view = AddTopItem(menu, L"&View");
    for (const wchar_t* caption : {L"&Large icons", L"S&mall icons", L"&List"})
        AddRadioItem(*view, caption, 1, commands);
    view->Items(1)->SetChecked(true);
    AddLine(*view);
    AddItem(*view, L"&Status bar", Toggling(commands.StatusBar))->SetChecked(true);
    AddItem(*view, L"&Toolbar", Toggling({}));
    return view;
}

ui::TMenuItem* AddWindowMenu(ui::TMainMenu& menu, const TMenuCommands& commands)
{
    ui::TMenuItem* window = AddTopItem(menu, L"&Window");
    AddItem(*window, L"&MDI window...", Calling(commands.ShowMdi));
    AddLine(*window);
    AddItem(*window, L"&Cascade", Calling(commands.CascadeMdi));
    AddItem(*window, L"&Tile", Calling(commands.TileMdi));
    return window;
}

ui::TMenuItem* AddHelpMenu(ui::TMainMenu& menu, const TMenuCommands& commands)
{
    ui::TMenuItem* help = AddTopItem(menu, L"&Help");
    AddItem(*help, L"&Contents", Reporting(commands), L"F1")->SetEnabled(false);
    AddLine(*help);
    AddItem(*help, L"&About...", Calling(commands.About));
    return help;
}

ui::TPopupMenu* MakeContextMenu(ui::TComponent* owner, ui::TImageList* images, const TMenuCommands& commands)
{
    auto* menu = new ui::TPopupMenu(owner);
    menu->SetImages(images);
    ui::TMenuItem& root = *menu->Items();
    const ui::TNotifyEvent report = Reporting(commands);
    AddItem(root, L"&Copy", report, L"Ctrl+C", miCopy);
    AddItem(root, L"&Paste", report, L"Ctrl+V", miPaste);
    AddLine(root);
    AddItem(root, L"P&roperties", report, L"Alt+Enter", miProperties)->SetDefault(true);
    return menu;
}

} // namespace skinview
