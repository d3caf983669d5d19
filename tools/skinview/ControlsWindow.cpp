#include "ControlsWindow.h"

#include "ui/Dialogs.h"

#include <cmath>

namespace skinview {

namespace {

constexpr int Margin = 12;
constexpr int LabelWidth = 104;
constexpr int FirstColumn = Margin + LabelWidth + 8;
constexpr int ColumnPitch = 136;
constexpr int ColumnWidth = 124;
constexpr int ButtonHeight = 25;
// Check boxes and radio buttons; edits and combo boxes.
constexpr int LineHeight = 20;
constexpr int EditHeight = 21;
constexpr int FormClientWidth = FirstColumn + 3 * ColumnPitch + ColumnWidth + Margin;

// Rows from the top of the client area.
constexpr int PushRow = Margin;
constexpr int GlyphRow = PushRow + 36;
constexpr int GlyphRowHeight = 44;
constexpr int SpeedRow = GlyphRow + GlyphRowHeight + 12;
constexpr int CheckRow = SpeedRow + 36;
constexpr int CheckDisabledRow = CheckRow + 26;
constexpr int RadioRow = CheckDisabledRow + 30;
constexpr int EditRow = RadioRow + 30;
constexpr int ComboRow = EditRow + 32;
constexpr int GroupRow = ComboRow + 38;
constexpr int GroupHeight = 96;
constexpr int PanelRow = GroupRow + GroupHeight + 12;
constexpr int PanelHeight = 48;
constexpr int FormClientHeight = PanelRow + PanelHeight + Margin;

constexpr int ColumnLeft(int column) { return FirstColumn + column * ColumnPitch; }

enum class TGlyphPicture { Tick, Arrow };

// A 16 x 16 glyph drawn here, so the viewer needs no picture files. The bottom-left pixel is the
// key colour the buttons leave out.
void DrawGlyph(ui::TBitmap& glyph, TGlyphPicture picture)
{
    constexpr int Size = 16;
    constexpr ui::TColor Key = ui::clFuchsia;
    glyph.SetSize(Size, Size);
    ui::TCanvas& canvas = glyph.Canvas();
    canvas.Brush().SetColor(Key);
    canvas.FillRect(ui::Rect(0, 0, Size, Size));
    if (picture == TGlyphPicture::Tick) {
        // A green disc with a white tick.
        const double centre = 7.5;
        for (int y = 0; y < Size - 1; ++y)
            for (int x = 0; x < Size - 1; ++x) {
                const double d = std::hypot(x - centre + 0.5, y - centre + 0.5);
                if (d <= 6.6)
                    canvas.SetPixel(x, y, d > 5.6 ? RGB(22, 110, 40) : RGB(46, 160, 67));
            }
        const POINT tick[] = {{4, 7}, {5, 8}, {6, 9}, {7, 8}, {8, 7}, {9, 6}, {10, 5}};
        for (const POINT& p : tick) {
            canvas.SetPixel(p.x, p.y, RGB(255, 255, 255));
            canvas.SetPixel(p.x, p.y + 1, RGB(255, 255, 255));
        }
        return;
    }
    // A blue arrow pointing right.
    for (int y = 6; y <= 9; ++y)
        for (int x = 2; x <= 8; ++x)
            canvas.SetPixel(x, y, RGB(37, 99, 200));
    for (int i = 0; i <= 5; ++i)
        for (int y = 2 + i; y <= 13 - i; ++y)
            canvas.SetPixel(8 + i, y, RGB(37, 99, 200));
}

} // namespace

const ui::TClassInfo& TControlsWindow::StaticClassInfo()
{
    static const ui::TClassInfo info =
        ui::TClassBuilder<TControlsWindow, ui::TForm>("TControlsWindow").NotCreatable().Build();
    return info;
}

TControlsWindow::TControlsWindow(ui::TComponent* owner) : ui::TForm(owner)
{
    SetBorderStyle(ui::TFormBorderStyle::bsSingle);
    SetBorderIcons(ui::biSystemMenu | ui::biMinimize);
    SetCaption(L"Controls");
    // Below the sizeable window, so that no window hides another.
    SetBounds(24, 400, FormClientWidth + 16, FormClientHeight + 40);
    SetClientWidth(FormClientWidth);
    SetClientHeight(FormClientHeight);

    AddRowLabel(PushRow, L"Push buttons", ButtonHeight);
    EnabledButton = AddButton(0, PushRow, L"Enabled");
    AddButton(1, PushRow, L"Disabled")->SetEnabled(false);
    AddButton(2, PushRow, L"Default")->SetDefault(true);
    FocusedButton = AddButton(3, PushRow, L"Focused");
    SetActiveControl(FocusedButton);

    AddRowLabel(GlyphRow, L"Glyph buttons", GlyphRowHeight);
    GlyphLeftButton = AddBitBtn(0, GlyphRow, GlyphRowHeight, L"Glyph left", ui::TButtonLayout::blGlyphLeft);
    AddBitBtn(1, GlyphRow, GlyphRowHeight, L"Glyph top", ui::TButtonLayout::blGlyphTop);
    AddBitBtn(2, GlyphRow, GlyphRowHeight, L"Disabled", ui::TButtonLayout::blGlyphLeft)->SetEnabled(false);
    AddBitBtn(3, GlyphRow, GlyphRowHeight, L"Disabled top", ui::TButtonLayout::blGlyphTop)->SetEnabled(false);

    AddRowLabel(SpeedRow, L"Speed buttons", ButtonHeight);
    AddSpeedButton(0, SpeedRow, L"Normal");
    AddSpeedButton(1, SpeedRow, L"Flat")->SetFlat(true);
    ui::TSpeedButton* down = AddSpeedButton(2, SpeedRow, L"Down");
    down->SetGroupIndex(1);
    down->SetAllowAllUp(true);
    down->SetDown(true);
    AddSpeedButton(3, SpeedRow, L"Disabled")->SetEnabled(false);

    using ui::TCheckBoxState;
    AddRowLabel(CheckRow, L"Check boxes", LineHeight);
    AddCheckBox(this, ColumnLeft(0), CheckRow, L"Unchecked", TCheckBoxState::cbUnchecked);
    AddCheckBox(this, ColumnLeft(1), CheckRow, L"Checked", TCheckBoxState::cbChecked);
    AddCheckBox(this, ColumnLeft(2), CheckRow, L"Grayed", TCheckBoxState::cbGrayed);
    AddCheckBox(this, ColumnLeft(3), CheckRow, L"Text on the left", TCheckBoxState::cbChecked)
        ->SetAlignment(ui::TAlignment::taLeftJustify);

    AddRowLabel(CheckDisabledRow, L"  disabled", LineHeight);
    AddCheckBox(this, ColumnLeft(0), CheckDisabledRow, L"Unchecked", TCheckBoxState::cbUnchecked)->SetEnabled(false);
    AddCheckBox(this, ColumnLeft(1), CheckDisabledRow, L"Checked", TCheckBoxState::cbChecked)->SetEnabled(false);
    AddCheckBox(this, ColumnLeft(2), CheckDisabledRow, L"Grayed", TCheckBoxState::cbGrayed)->SetEnabled(false);
    ui::TCheckBox* leftDisabled =
        AddCheckBox(this, ColumnLeft(3), CheckDisabledRow, L"Text on the left", TCheckBoxState::cbChecked);
    leftDisabled->SetAlignment(ui::TAlignment::taLeftJustify);
    leftDisabled->SetEnabled(false);

    AddRowLabel(RadioRow, L"Radio buttons", LineHeight);
    AddRadioButton(this, ColumnLeft(0), RadioRow, L"Checked")->SetChecked(true);
    AddRadioButton(this, ColumnLeft(1), RadioRow, L"Unchecked");
    AddRadioButton(this, ColumnLeft(2), RadioRow, L"Disabled")->SetEnabled(false);
    // Checking a radio button unchecks the others of its parent: this one sits on a plain panel.
    auto* radioHolder = new ui::TPanel(this);
    radioHolder->SetParent(this);
    radioHolder->SetBevelOuter(ui::TBevelCut::bvNone);
    radioHolder->SetBounds(ColumnLeft(3), RadioRow, ColumnWidth, LineHeight);
    ui::TRadioButton* disabledChecked = AddRadioButton(radioHolder, 0, 0, L"Disabled, checked");
    disabledChecked->SetChecked(true);
    disabledChecked->SetEnabled(false);

    AddRowLabel(EditRow, L"Edits", EditHeight);
    AddEdit(this, ColumnLeft(0), EditRow, ColumnWidth, L"Normal");
    AddEdit(this, ColumnLeft(1), EditRow, ColumnWidth, L"Read-only")->SetReadOnly(true);
    AddEdit(this, ColumnLeft(2), EditRow, ColumnWidth, L"Disabled")->SetEnabled(false);

    AddRowLabel(ComboRow, L"Combo boxes", EditHeight);
    ui::TComboBox* dropDown = AddComboBox(0, ComboRow, ui::TComboBoxStyle::csDropDown, {"Typed", "Second", "Third"});
    dropDown->SetText(L"Drop-down");
    ui::TComboBox* list =
        AddComboBox(1, ComboRow, ui::TComboBoxStyle::csDropDownList, {"First", "List, selected", "Third"});
    list->SetItemIndex(1);
    ui::TComboBox* disabledCombo =
        AddComboBox(2, ComboRow, ui::TComboBoxStyle::csDropDown, {"Disabled", "Second", "Third"});
    disabledCombo->SetText(L"Disabled");
    disabledCombo->SetEnabled(false);

    AddRowLabel(GroupRow, L"Groups", LineHeight);
    auto* radioGroup = new ui::TRadioGroup(this);
    radioGroup->SetParent(this);
    radioGroup->SetBounds(ColumnLeft(0), GroupRow, ColumnPitch + ColumnWidth, GroupHeight);
    radioGroup->SetCaption(L"Radio group");
    radioGroup->SetColumns(2);
    for (const char* item : {"First", "Second", "Third", "Fourth"})
        radioGroup->Items().Add(item);
    radioGroup->SetItemIndex(1);

    auto* groupBox = new ui::TGroupBox(this);
    groupBox->SetParent(this);
    groupBox->SetBounds(ColumnLeft(2), GroupRow, ColumnPitch + ColumnWidth, GroupHeight);
    groupBox->SetCaption(L"Group box");
    AddEdit(groupBox, 12, 24, ColumnPitch + ColumnWidth - 24, L"An edit in a group box");
    AddCheckBox(groupBox, 12, 58, L"A check box in a group box", TCheckBoxState::cbChecked)->SetWidth(200);

    AddRowLabel(PanelRow, L"Panel, dialog", PanelHeight);
    auto* panel = new ui::TPanel(this);
    panel->SetParent(this);
    panel->SetBounds(ColumnLeft(0), PanelRow, ColumnPitch + ColumnWidth, PanelHeight);
    panel->SetCaption(L"A panel with a caption");

    MessageButton = AddButton(2, PanelRow + (PanelHeight - ButtonHeight) / 2, L"Message box...");
    MessageButton->OnClick = [](ui::TObject*) {
        ui::MessageDlg(L"A message dialog in the skin.\nDo its buttons show the skin's faces?",
                       ui::TMsgDlgType::mtConfirmation, ui::mbYesNo);
    };
}

void TControlsWindow::AddRowLabel(int top, const wchar_t* caption, int height)
{
    // Centred on the row's controls.
    auto* label = new ui::TLabel(this);
    label->SetParent(this);
    label->SetTransparent(true);
    label->SetAutoSize(false);
    label->SetLayout(ui::TTextLayout::tlCenter);
    label->SetBounds(Margin, top, LabelWidth, height);
    label->SetCaption(caption);
}

ui::TButton* TControlsWindow::AddButton(int column, int top, const wchar_t* caption)
{
    auto* button = new ui::TButton(this);
    button->SetParent(this);
    button->SetBounds(ColumnLeft(column), top, ColumnWidth, ButtonHeight);
    button->SetCaption(caption);
    return button;
}

ui::TBitBtn* TControlsWindow::AddBitBtn(int column, int top, int height, const wchar_t* caption,
                                        ui::TButtonLayout layout)
{
    auto* button = new ui::TBitBtn(this);
    DrawGlyph(button->Glyph(), TGlyphPicture::Tick);
    button->SetParent(this);
    button->SetBounds(ColumnLeft(column), top, ColumnWidth, height);
    button->SetCaption(caption);
    button->SetLayout(layout);
    return button;
}

ui::TSpeedButton* TControlsWindow::AddSpeedButton(int column, int top, const wchar_t* caption)
{
    auto* button = new ui::TSpeedButton(this);
    DrawGlyph(button->Glyph(), TGlyphPicture::Arrow);
    button->SetParent(this);
    button->SetBounds(ColumnLeft(column), top, ColumnWidth, ButtonHeight);
    button->SetCaption(caption);
    return button;
}

ui::TCheckBox* TControlsWindow::AddCheckBox(ui::TWinControl* parent, int left, int top, const wchar_t* caption,
                                            ui::TCheckBoxState state)
{
    auto* box = new ui::TCheckBox(this);
    box->SetParent(parent);
    box->SetBounds(left, top, ColumnWidth, LineHeight);
    box->SetCaption(caption);
    box->SetAllowGrayed(true);
    box->SetState(state);
    return box;
}

ui::TRadioButton* TControlsWindow::AddRadioButton(ui::TWinControl* parent, int left, int top, const wchar_t* caption)
{
    auto* button = new ui::TRadioButton(this);
    button->SetParent(parent);
    button->SetBounds(left, top, ColumnWidth, LineHeight);
    button->SetCaption(caption);
    return button;
}

ui::TEdit* TControlsWindow::AddEdit(ui::TWinControl* parent, int left, int top, int width, const wchar_t* text)
{
    auto* edit = new ui::TEdit(this);
    edit->SetParent(parent);
    edit->SetBounds(left, top, width, EditHeight);
    edit->SetText(text);
    return edit;
}

ui::TComboBox* TControlsWindow::AddComboBox(int column, int top, ui::TComboBoxStyle style,
                                            std::initializer_list<const char*> items)
{
    auto* combo = new ui::TComboBox(this);
    combo->SetParent(this);
    combo->SetStyle(style);
    combo->SetBounds(ColumnLeft(column), top, ColumnWidth, EditHeight);
    for (const char* item : items)
        combo->Items().Add(item);
    return combo;
}

} // namespace skinview
