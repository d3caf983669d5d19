#include "ScrollingWindow.h"

#include "ui/ExtCtrls.h"
#include "ui/HeaderControls.h"
#include "ui/ListBoxes.h"
#include "ui/ListViews.h"
#include "ui/ProgressBars.h"
#include "ui/ScrollBars.h"
#include "ui/StatusBars.h"
#include "ui/StdCtrls.h"
#include "ui/TabControls.h"
#include "ui/TabSets.h"
#include "ui/ToolBars.h"
#include "ui/TrackBars.h"
#include "ui/UpDowns.h"

#include <string>
#include <type_traits>

namespace skinview {

namespace {

constexpr int Margin = 12;
constexpr int Gap = 10;
// Three columns of controls between the tool bar and the status bar.
constexpr int ColumnWidth = 232;
constexpr int Column1 = Margin;
constexpr int Column2 = Column1 + ColumnWidth + 2 * Gap;
constexpr int Column3 = Column2 + ColumnWidth + 2 * Gap;
constexpr int FormClientWidth = Column3 + ColumnWidth + Margin;
constexpr int FirstRow = 40;   // below the tool bar
constexpr int FormClientHeight = 484;

template <class T>
T* Place(ui::TForm* form, ui::TWinControl* parent, int left, int top, int width, int height)
{
    auto* control = new T(form);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

// Turning a bar on its side swaps its extent: turned first, then placed.
template <class T, class TOrientation>
T* PlaceTurned(ui::TForm* form, TOrientation orientation, int left, int top, int width, int height)
{
    auto* control = new T(form);
    control->SetParent(form);
    if constexpr (std::is_same_v<T, ui::TScrollBar>)
        control->SetKind(orientation);
    else
        control->SetOrientation(orientation);
    control->SetBounds(left, top, width, height);
    return control;
}

void AddLabel(ui::TForm* form, int left, int top, const wchar_t* caption)
{
    auto* label = Place<ui::TLabel>(form, form, left, top, ColumnWidth, 16);
    label->SetTransparent(true);
    label->SetCaption(caption);
}

std::wstring Numbered(const wchar_t* text, int number) { return text + std::to_wstring(number); }

ui::TPageControl* AddPageControl(ui::TForm* form, int top, ui::TTabPosition position)
{
    auto* pages = Place<ui::TPageControl>(form, form, Column3, top, ColumnWidth, 96);
    pages->SetTabPosition(position);
    for (const wchar_t* caption : {L"General", L"Items", L"Journal"}) {
        auto* sheet = new ui::TTabSheet(form);
        sheet->SetPageControl(pages);
        sheet->SetCaption(caption);
        auto* text = Place<ui::TLabel>(form, sheet, 8, 8, ColumnWidth - 24, 16);
        text->SetCaption(std::wstring(L"The ") + caption + L" page");
    }
    pages->SetActivePageIndex(position == ui::TTabPosition::tpTop ? 0 : 1);
    return pages;
}

} // namespace

const ui::TClassInfo& TScrollingWindow::StaticClassInfo()
{
    static const ui::TClassInfo info =
        ui::TClassBuilder<TScrollingWindow, ui::TForm>("TScrollingWindow").NotCreatable().Build();
    return info;
}

TScrollingWindow::TScrollingWindow(ui::TComponent* owner) : ui::TForm(owner)
{
    SetCaption(L"Scrolling and bars");
    SetBounds(488, 24, FormClientWidth + 16, FormClientHeight + 40);
    SetClientWidth(FormClientWidth);
    SetClientHeight(FormClientHeight);

    auto* tools = new ui::TToolBar(this);
    tools->SetParent(this);
    tools->SetShowCaptions(true);
    tools->AddButton(L"New");
    tools->AddButton(L"Open");
    tools->AddButton(L"", -1, ui::TToolButtonStyle::tbsSeparator);
    tools->AddButton(L"Bold", -1, ui::TToolButtonStyle::tbsCheck)->SetDown(true);
    tools->AddButton(L"Print")->SetEnabled(false);

    auto* status = new ui::TStatusBar(this);
    status->SetParent(this);
    status->SetSizeGrip(true);
    const struct {
        const wchar_t* text;
        int width;
        ui::TStatusPanelBevel bevel;
        ui::TAlignment alignment;
    } panels[] = {
        {L"Ready", 180, ui::TStatusPanelBevel::pbLowered, ui::TAlignment::taLeftJustify},
        {L"Line 50", 120, ui::TStatusPanelBevel::pbRaised, ui::TAlignment::taCenter},
        {L"Branch 01", 120, ui::TStatusPanelBevel::pbNone, ui::TAlignment::taRightJustify},
        {L"The last panel reaches the grip", 100, ui::TStatusPanelBevel::pbLowered, ui::TAlignment::taLeftJustify},
    };
    for (const auto& p : panels) {
        ui::TStatusPanel* panel = status->Panels().Add();
        panel->SetText(p.text);
        panel->SetWidth(p.width);
        panel->SetBevel(p.bevel);
        panel->SetAlignment(p.alignment);
    }

    // First column: the scrolling controls.
    int y = FirstRow;
    AddLabel(this, Column1, y, L"Memo, both scroll bars");
    Memo = Place<ui::TMemo>(this, this, Column1, y + 18, ColumnWidth, 120);
    Memo->SetScrollBars(ui::TScrollStyle::ssBoth);
    Memo->SetWordWrap(false);
    for (int line = 1; line <= 100; ++line)
        Memo->Lines().Add(ui::WideToUtf8(Numbered(L"Line ", line) + L" of the memo, long enough to scroll sideways"));
    y += 18 + 120 + Gap;
    AddLabel(this, Column1, y, L"List box");
    auto* list = Place<ui::TListBox>(this, this, Column1, y + 18, ColumnWidth, 100);
    list->SetScrollWidth(ColumnWidth * 2);
    for (int item = 1; item <= 40; ++item)
        list->Items().Add(ui::WideToUtf8(Numbered(L"Order item ", item) + L", product and grid"));
    list->SetItemIndex(3);
    y += 18 + 100 + Gap;
    AddLabel(this, Column1, y, L"Scroll bars");
    auto* horizontal = Place<ui::TScrollBar>(this, this, Column1, y + 18, ColumnWidth - 28, 17);
    horizontal->SetKind(ui::TScrollBarKind::sbHorizontal);
    horizontal->SetParams(30, 0, 100);
    horizontal->SetPageSize(20);
    auto* disabled = Place<ui::TScrollBar>(this, this, Column1, y + 18 + 17 + 6, ColumnWidth - 28, 17);
    disabled->SetKind(ui::TScrollBarKind::sbHorizontal);
    disabled->SetEnabled(false);
    auto* vertical =
        PlaceTurned<ui::TScrollBar>(this, ui::TScrollBarKind::sbVertical, Column1 + ColumnWidth - 17, y + 18, 17, 100);
    vertical->SetParams(60, 0, 100);
    vertical->SetPageSize(10);

    // Second column: the range controls.
    y = FirstRow;
    AddLabel(this, Column2, y, L"Track bars");
    auto* track = Place<ui::TTrackBar>(this, this, Column2, y + 18, ColumnWidth - 44, 32);
    track->SetMax(10);
    track->SetPosition(4);
    auto* trackVertical = PlaceTurned<ui::TTrackBar>(this, ui::TTrackBarOrientation::trVertical,
                                                     Column2 + ColumnWidth - 36, y + 18, 32, 92);
    trackVertical->SetMax(10);
    trackVertical->SetPosition(7);
    AddLabel(this, Column2, y + 58, L"Up-downs");
    auto* edit = Place<ui::TEdit>(this, this, Column2, y + 76, 80, 21);
    edit->SetText(L"5");
    auto* spin = Place<ui::TUpDown>(this, this, Column2 + 80, y + 76, 17, 21);
    spin->SetMin(0);
    spin->SetMax(99);
    spin->SetPosition(5);
    spin->SetAssociate(edit);
    Place<ui::TUpDown>(this, this, Column2 + 108, y + 76, 17, 24);
    PlaceTurned<ui::TUpDown>(this, ui::TUDOrientation::udHorizontal, Column2 + 134, y + 78, 34, 17);
    y += 18 + 92 + Gap;
    AddLabel(this, Column2, y, L"Progress bars");
    auto* smooth = Place<ui::TProgressBar>(this, this, Column2, y + 18, ColumnWidth - 44, 18);
    smooth->SetSmooth(true);
    smooth->SetPosition(60);
    auto* blocks = Place<ui::TProgressBar>(this, this, Column2, y + 18 + 26, ColumnWidth - 44, 18);
    blocks->SetPosition(40);
    auto* rising = PlaceTurned<ui::TProgressBar>(this, ui::TProgressBarOrientation::pbVertical,
                                                 Column2 + ColumnWidth - 36, y + 18, 14, 90);
    rising->SetSmooth(true);
    rising->SetPosition(70);
    PlaceTurned<ui::TProgressBar>(this, ui::TProgressBarOrientation::pbVertical, Column2 + ColumnWidth - 16, y + 18,
                                  14, 90)
        ->SetPosition(30);
    y += 18 + 90 + Gap;
    AddLabel(this, Column2, y, L"Tab set");
    auto* tabSet = Place<ui::TTabSet>(this, this, Column2, y + 18, ColumnWidth, 24);
    for (const char* caption : {"Sales", "Stock", "Orders", "Customers", "Suppliers", "Reports"})
        tabSet->Tabs().Add(caption);
    tabSet->SetTabIndex(1);

    // Third column: tabs and lists.
    y = FirstRow;
    AddLabel(this, Column3, y, L"Page control, tabs on top");
    AddPageControl(this, y + 18, ui::TTabPosition::tpTop);
    y += 18 + 96 + Gap;
    AddLabel(this, Column3, y, L"Tabs at the bottom");
    AddPageControl(this, y + 18, ui::TTabPosition::tpBottom);
    y += 18 + 96 + Gap;
    AddLabel(this, Column3, y, L"List view and header");
    auto* view = Place<ui::TListView>(this, this, Column3, y + 18, ColumnWidth, 120);
    view->SetViewStyle(ui::TViewStyle::vsReport);
    view->AddColumn(L"Item", 60);
    view->AddColumn(L"Product", 100);
    view->AddColumn(L"Grid", 90);
    for (int item = 1; item <= 30; ++item)
        view->AddItem(std::to_wstring(item), {Numbered(L"Product ", 100 + item), item % 2 ? L"Blue / M" : L"Red / L"});
}

void TScrollingWindow::ScrollMemoToMiddle()
{
    // The middle line at the top leaves the thumb a little past the middle; half a page earlier
    // centres it.
    const int visible = Memo->ClientHeight() / 16;
    Memo->SetTopLine(Memo->LineCount() / 2 - visible / 2);
}

} // namespace skinview
