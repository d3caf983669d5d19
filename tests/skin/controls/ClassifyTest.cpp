// Which controls the frame skins and with which object, and the life of those objects: skin off
// and on, controls and forms freed while skinned, skin painting switched off.
#include "FrameTesting.h"
#include "WindowTesting.h"

#include "skin/controls/WinSubClass.h"
#include "ui/Buttons.h"
#include "ui/CheckBoxes.h"
#include "ui/GroupBoxes.h"
#include "ui/ExtCtrls.h"
#include "ui/HeaderControls.h"
#include "ui/ListBoxes.h"
#include "ui/ListViews.h"
#include "ui/Memos.h"
#include "ui/ProgressBars.h"
#include "ui/ScrollBars.h"
#include "ui/StatusBars.h"
#include "ui/StdCtrls.h"
#include "ui/TabControls.h"
#include "ui/TabSets.h"
#include "ui/ToolBars.h"
#include "ui/TrackBars.h"
#include "ui/UpDowns.h"

#include <gtest/gtest.h>

using namespace skin;
using namespace frame_testing;
using testing_support::PumpUntil;

namespace {

class Classification : public ::testing::Test {
protected:
    SkinnedWindows windows;

    template <class C>
    C* Add(ui::TForm& form, int tag = 0, ui::TWinControl* parent = nullptr, ui::TComponent* owner = nullptr)
    {
        auto* control = new C(owner ? owner : &form);
        control->SetParent(parent ? parent : &form);
        control->SetBounds(8, 8 + 28 * form.ComponentCount(), 90, 24);
        control->SetTag(tag);
        return control;
    }
    template <class T>
    static bool SkinnedAs(ui::TForm* form, ui::TControl* control)
    {
        TSkinControl* object = SkinnedWindows::FrameOf(form->Handle())->FindControlObject(control);
        return object && typeid(*object) == typeid(T);
    }
    static TSkinControl* ObjectOf(ui::TForm* form, ui::TControl* control)
    {
        return SkinnedWindows::FrameOf(form->Handle())->FindControlObject(control);
    }
};

// Counts the messages that reach a control's own handling.
struct TCountingProc {
    ui::TWndMethod next;
    int* count;
    UINT watched;
    void operator()(ui::TMessage& message) const
    {
        if (message.Msg == watched)
            ++*count;
        next(message);
    }
};

constexpr UINT kProbeMessage = WM_APP + 7;

// Stands in for a control kind and counts its paints.
class TCountingSkin : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void DrawSkin(HDC, const ui::TRect&) override { ++paints; }
    int paints = 0;
};

} // namespace

TEST_F(Classification, EachStandardControlGetsItsKindAndTagsOptOut)
{
    ui::TButton *button = nullptr, *withTag99 = nullptr;
    ui::TBitBtn* bitButton = nullptr;
    ui::TEdit *edit = nullptr, *withTag199 = nullptr, *withTag98 = nullptr;
    ui::TComboBox* combo = nullptr;
    ui::TPanel* panel = nullptr;
    ui::TButton* onPanel = nullptr;
    ui::TForm* form = windows.ShowFormWith([&](ui::TForm& f) {
        button = Add<ui::TButton>(f);
        bitButton = Add<ui::TBitBtn>(f);
        edit = Add<ui::TEdit>(f);
        combo = Add<ui::TComboBox>(f);
        panel = Add<ui::TPanel>(f);
        panel->SetBounds(120, 8, 150, 120);
        onPanel = Add<ui::TButton>(f, 0, panel);
        onPanel->SetBounds(4, 4, 80, 24);
        withTag99 = Add<ui::TButton>(f, 99);
        withTag199 = Add<ui::TEdit>(f, 199);
        withTag98 = Add<ui::TEdit>(f, 98);
    }, 300, 340);

    EXPECT_TRUE(SkinnedAs<TSkinButton>(form, button));
    EXPECT_TRUE(SkinnedAs<TSkinBitButton>(form, bitButton));
    EXPECT_TRUE(SkinnedAs<TSkinEdit>(form, edit));
    EXPECT_TRUE(SkinnedAs<TSkinComBox>(form, combo));
    EXPECT_TRUE(SkinnedAs<TSkinBox>(form, panel));
    EXPECT_TRUE(SkinnedAs<TSkinButton>(form, onPanel)) << "controls on a panel are skinned too";
    EXPECT_EQ(ObjectOf(form, withTag99), nullptr);
    EXPECT_EQ(ObjectOf(form, withTag199), nullptr) << "199 mod 100 is the disable tag";
    EXPECT_TRUE(SkinnedAs<TSkinEdit>(form, withTag98));
    EXPECT_EQ(panel->Color(), windows.Data().ButtonFaceColor);

    // A second pass finds every control skinned and adds nothing.
    TWinSkinForm* frame = SkinnedWindows::FrameOf(form->Handle());
    const size_t count = frame->Controls.size();
    frame->SkinComponents(form);
    EXPECT_EQ(frame->Controls.size(), count);
}

TEST_F(Classification, GlyphButtonsFollowTheirOwnSwitchAndNeverBecomePlainButtons)
{
    windows.Data().SetSkinControls(windows.Data().SkinControls() & ~SkinControl(xcBitBtn));
    ui::TBitBtn* bitButton = nullptr;
    ui::TButton* button = nullptr;
    ui::TForm* form = windows.ShowFormWith([&](ui::TForm& f) {
        bitButton = Add<ui::TBitBtn>(f);
        button = Add<ui::TButton>(f);
    }, 200, 100);
    EXPECT_EQ(ObjectOf(form, bitButton), nullptr);
    EXPECT_TRUE(SkinnedAs<TSkinButton>(form, button));

    // Named in the third-party list, the kind "bitbtn" goes by the push-button switch.
    windows.Data().Skin3rd().Add("TBitBtn=bitbtn");
    ui::TBitBtn* listed = nullptr;
    ui::TForm* second = windows.ShowFormWith([&](ui::TForm& f) { listed = Add<ui::TBitBtn>(f); }, 200, 100);
    EXPECT_TRUE(SkinnedAs<TSkinBitButton>(second, listed));
}

TEST_F(Classification, ThirdPartyLinesMatchWholeClassNamesAndTheFirstLineWins)
{
    ui::TStringList lines;
    lines.Add("TEditX=nil");       // a longer name: not TEdit's line
    lines.Add("tpanel=NIL");       // any letter case
    lines.Add("TButton=edit");
    lines.Add("TButton=nil");      // later line for the same class: ignored
    windows.Data().SetSkin3rd(lines);
    ui::TEdit* edit = nullptr;
    ui::TPanel* panel = nullptr;
    ui::TButton *button = nullptr, *ownedByPanel = nullptr;
    ui::TForm* form = windows.ShowFormWith([&](ui::TForm& f) {
        edit = Add<ui::TEdit>(f);
        panel = Add<ui::TPanel>(f);
        button = Add<ui::TButton>(f);
        ownedByPanel = Add<ui::TButton>(f, 0, panel, panel);
        ownedByPanel->SetBounds(2, 2, 60, 20);
    }, 200, 200);
    EXPECT_TRUE(SkinnedAs<TSkinEdit>(form, edit));
    EXPECT_EQ(ObjectOf(form, panel), nullptr) << "\"nil\" leaves the class alone";
    EXPECT_NE(panel->Color(), windows.Data().ButtonFaceColor);
    EXPECT_TRUE(SkinnedAs<TSkinEdit>(form, button)) << "the line's kind, not the built-in rule";
    EXPECT_TRUE(SkinnedAs<TSkinEdit>(form, ownedByPanel)) << "what a listed control owns is still classified";
}

namespace {
class TScrollingEdit : public ui::TEdit {
public:
    using ui::TEdit::TEdit;

protected:
    void CreateParams(ui::TCreateParams& params) override
    {
        ui::TEdit::CreateParams(params);
        params.Style |= WS_VSCROLL | ES_MULTILINE;
    }
};
} // namespace

TEST_F(Classification, AControlWithAScrollBarGoesToTheScrollBarRule)
{
    ui::TEdit *plain = nullptr, *scrolling = nullptr;
    ui::TForm* form = windows.ShowFormWith([&](ui::TForm& f) {
        plain = Add<ui::TEdit>(f);
        scrolling = Add<TScrollingEdit>(f);
    }, 200, 100);
    EXPECT_TRUE(SkinnedAs<TSkinEdit>(form, plain));
    // The scroll-bar rule comes before the edit rule.
    EXPECT_TRUE(SkinnedAs<TSkinScrollbar>(form, scrolling));
}

TEST_F(Classification, ScrollingAndBarControlsGetTheirKinds)
{
    ui::TMemo* memo = nullptr;
    ui::TListBox* list = nullptr;
    ui::TScrollBar* bar = nullptr;
    ui::TTrackBar* track = nullptr;
    ui::TUpDown* spin = nullptr;
    ui::TProgressBar* progress = nullptr;
    ui::TStatusBar* status = nullptr;
    ui::TToolBar* tools = nullptr;
    ui::TPageControl* pages = nullptr;
    ui::TTabSet* tabSet = nullptr;
    ui::TListView* view = nullptr;
    ui::THeaderControl* header = nullptr;
    ui::TProgressBar* optedOut = nullptr;
    ui::TForm* form = windows.ShowFormWith([&](ui::TForm& f) {
        memo = Add<ui::TMemo>(f);
        memo->SetScrollBars(ui::TScrollStyle::ssVertical);
        list = Add<ui::TListBox>(f);
        bar = Add<ui::TScrollBar>(f);
        track = Add<ui::TTrackBar>(f);
        spin = Add<ui::TUpDown>(f);
        progress = Add<ui::TProgressBar>(f);
        optedOut = Add<ui::TProgressBar>(f, 99);
        tabSet = Add<ui::TTabSet>(f);
        view = Add<ui::TListView>(f);
        pages = Add<ui::TPageControl>(f);
        header = Add<ui::THeaderControl>(f);
        status = new ui::TStatusBar(&f);
        status->SetParent(&f);
        tools = new ui::TToolBar(&f);
        tools->SetParent(&f);
    }, 300, 460);
    EXPECT_TRUE(SkinnedAs<TSkinScrollbar>(form, memo));
    EXPECT_TRUE(SkinnedAs<TSkinScrollbar>(form, list));
    EXPECT_TRUE(SkinnedAs<TSkinScControl>(form, bar));
    EXPECT_TRUE(SkinnedAs<TSkinTrackBar>(form, track));
    EXPECT_TRUE(SkinnedAs<TSkinUpDown>(form, spin));
    EXPECT_TRUE(SkinnedAs<TSkinProgress>(form, progress));
    EXPECT_EQ(ObjectOf(form, optedOut), nullptr);
    EXPECT_TRUE(SkinnedAs<TSkinStatusBar>(form, status));
    EXPECT_TRUE(SkinnedAs<TSkinToolBar>(form, tools));
    EXPECT_TRUE(PropIsTrue(tools, "Flat"));
    EXPECT_TRUE(SkinnedAs<TSkinTab>(form, pages));
    EXPECT_TRUE(SkinnedAs<TSkinTab31>(form, tabSet));
    EXPECT_TRUE(SkinnedAs<TSkinListView>(form, view));
    EXPECT_TRUE(SkinnedAs<TSkinHeader>(form, header));
}

TEST_F(Classification, DialogChildWindowsAreSkinnedByClassAndStyle)
{
    HWND dialog = windows.ShowPlainWindow(WS_OVERLAPPEDWINDOW, 360, 340);
    auto child = [dialog](const wchar_t* cls, DWORD style, int y) {
        return CreateWindowExW(0, cls, L"Item", WS_CHILD | WS_VISIBLE | style, 10, y, 120, 22, dialog, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    };
    HWND push = child(L"Button", BS_PUSHBUTTON, 4);
    HWND defPush = child(L"Button", BS_DEFPUSHBUTTON, 30);
    HWND ownerDrawn = child(L"Button", BS_OWNERDRAW, 56);
    HWND group = child(L"Button", BS_GROUPBOX, 82);
    HWND check = child(L"Button", BS_AUTOCHECKBOX, 108);
    HWND radio = child(L"Button", BS_AUTORADIOBUTTON, 134);
    HWND edit = child(L"Edit", WS_BORDER, 160);
    HWND simple = child(L"ComboBox", CBS_SIMPLE, 186);
    HWND dropList = child(L"ComboBox", CBS_DROPDOWNLIST, 212);
    HWND grip = child(L"ScrollBar", SBS_SIZEGRIP, 238);
    HWND sizeBox = child(L"ScrollBar", SBS_SIZEBOX, 262);
    HWND scrollBar = child(L"ScrollBar", SBS_HORZ, 288);
    TWinSkinForm* frame = SkinnedWindows::FrameOf(dialog);
    ASSERT_NE(frame, nullptr);
    frame->SkinChildWindows();

    auto kind = [frame](HWND window) -> const std::type_info* {
        TSkinControl* object = frame->FindWindowObject(window);
        return object ? &typeid(*object) : nullptr;
    };
    EXPECT_EQ(kind(push), &typeid(TSkinButton));
    EXPECT_EQ(kind(defPush), &typeid(TSkinButton));
    EXPECT_EQ(kind(ownerDrawn), &typeid(TSkinCheckBox));
    EXPECT_EQ(kind(group), nullptr);
    EXPECT_EQ(kind(check), &typeid(TSkinCheckBox));
    EXPECT_EQ(kind(radio), &typeid(TSkinRadioButton));
    EXPECT_EQ(kind(edit), &typeid(TSkinEdit));
    EXPECT_EQ(kind(simple), nullptr);
    EXPECT_EQ(kind(dropList), &typeid(TSkinComBox));
    // Only size boxes are painted flat; a real scroll bar gets a skinned bar.
    EXPECT_EQ(kind(grip), &typeid(TSkinSizer));
    EXPECT_EQ(kind(sizeBox), &typeid(TSkinSizer));
    EXPECT_EQ(kind(scrollBar), &typeid(TSkinScControl));
    for (HWND w : {push, check, edit})
        EXPECT_TRUE(IsWindowUnicode(w));

    // A child destroyed while skinned leaves a dead object that the next pass frees.
    const size_t before = frame->Controls.size();
    DestroyWindow(push);
    frame->PurgeDeadControls();
    EXPECT_EQ(frame->Controls.size(), before - 1);
}

TEST_F(Classification, SkinOffAndOnLeavesOneLinkAndTheColoursAsTheyWere)
{
    int reached = 0;
    ui::TButton* button = nullptr;
    ui::TPanel* panel = nullptr;
    ui::TColor panelColour = 0;
    ui::TForm* form = windows.ShowFormWith([&](ui::TForm& f) {
        button = Add<ui::TButton>(f);
        panel = Add<ui::TPanel>(f);
        panel->SetBounds(120, 8, 60, 60);
        panelColour = panel->Color();
        button->WindowProc = TCountingProc{button->WindowProc, &reached, kProbeMessage};
    }, 200, 100);
    HWND w = form->Handle();
    ASSERT_NE(ObjectOf(form, button), nullptr);

    for (int round = 0; round < 3; ++round) {
        windows.Data().SetActive(false);
        ASSERT_TRUE(PumpUntil([] { return SkinManager()->SkinForms.empty(); }));
        EXPECT_EQ(panel->Color(), panelColour);
        button->Perform(kProbeMessage);
        windows.Data().SetActive(true);
        ASSERT_TRUE(PumpUntil([w] {
            TWinSkinForm* frame = SkinnedWindows::FrameOf(w);
            return frame && frame->Status == fsAttached;
        }));
        button->Perform(kProbeMessage);
    }
    EXPECT_EQ(reached, 6) << "each message reaches the control's own handling once";
    EXPECT_TRUE(SkinnedAs<TSkinButton>(form, button));
    EXPECT_EQ(panel->Color(), windows.Data().ButtonFaceColor);
}

TEST_F(Classification, ControlsAndFormsFreedWhileSkinnedLeaveNothingBehind)
{
    ui::TButton* button = nullptr;
    ui::TEdit* edit = nullptr;
    ui::TForm* form = windows.ShowFormWith([&](ui::TForm& f) {
        button = Add<ui::TButton>(f);
        edit = Add<ui::TEdit>(f);
    }, 200, 100);
    TWinSkinForm* frame = SkinnedWindows::FrameOf(form->Handle());
    const size_t before = frame->Controls.size();
    delete button;
    EXPECT_EQ(frame->Controls.size(), before - 1) << "the object went with its control";
    // A window made again loses its object; the next pass skins the new window.
    edit->RecreateWnd();
    edit->HandleNeeded();
    frame->SkinComponents(form);
    ASSERT_NE(ObjectOf(form, edit), nullptr);
    EXPECT_EQ(ObjectOf(form, edit)->Handle, edit->WindowHandle());

    auto owned = std::make_unique<ui::TForm>(nullptr);
    auto* inner = new ui::TButton(owned.get());
    inner->SetParent(owned.get());
    inner->SetBounds(4, 4, 80, 24);
    owned->Show();
    SetForegroundWindow(owned->Handle());
    ASSERT_TRUE(SkinnedWindows::WaitSkinned(owned->Handle()));
    ASSERT_NE(SkinnedWindows::FrameOf(owned->Handle())->FindControlObject(inner), nullptr);
    owned.reset();
    testing_support::PumpMessages();
    SkinManager()->PurgeDeadForms();
    SUCCEED();
}

TEST_F(Classification, SkinPaintingSwitchesOffAndOnAndABufferedPaintDrawsOnce)
{
    ui::TButton* button = nullptr;
    int reached = 0;
    ui::TForm* form = windows.ShowFormWith([&](ui::TForm& f) {
        button = Add<ui::TButton>(f, 99);   // left to the counting object below
        button->WindowProc = TCountingProc{button->WindowProc, &reached, WM_SKINACTIVE};
    }, 200, 100);
    TWinSkinForm* frame = SkinnedWindows::FrameOf(form->Handle());
    auto* counting = new TCountingSkin(button);
    counting->AttachControl(frame, &windows.Data(), false, frame->ControlCanvas());
    ASSERT_TRUE(counting->Attached);
    counting->AttachControl(frame, &windows.Data(), false, frame->ControlCanvas());   // a second attach: nothing
    HWND w = button->Handle();

    testing_support::PumpMessages();
    counting->paints = 0;
    InvalidateRect(w, nullptr, TRUE);
    UpdateWindow(w);
    EXPECT_EQ(counting->paints, 1);

    SendMessageW(w, WM_SKINACTIVE, 0, 0);
    EXPECT_FALSE(counting->Active);
    counting->paints = 0;
    InvalidateRect(w, nullptr, TRUE);
    UpdateWindow(w);
    EXPECT_EQ(counting->paints, 0);
    SendMessageW(w, WM_SKINACTIVE, 1, 0);
    EXPECT_TRUE(counting->Active);
    UpdateWindow(w);
    EXPECT_EQ(counting->paints, 1) << "painted again at once";
    EXPECT_EQ(reached, 1) << "only the message that arrived while painting was on reached the control";
}

TEST_F(Classification, FiftySkinOffAndOnCyclesGiveBackEveryGdiObject)
{
    std::vector<ui::TControl*> controls;
    ui::TForm* form = windows.ShowFormWith([&](ui::TForm& f) {
        controls.push_back(Add<ui::TButton>(f));
        controls.push_back(Add<ui::TBitBtn>(f));
        controls.push_back(Add<ui::TEdit>(f));
        controls.push_back(Add<ui::TComboBox>(f));
        auto* list = Add<ui::TComboBox>(f);
        list->SetStyle(ui::TComboBoxStyle::csDropDownList);
        controls.push_back(list);
        controls.push_back(Add<ui::TCheckBox>(f));
        controls.push_back(Add<ui::TRadioButton>(f));
        controls.push_back(Add<ui::TSpeedButton>(f));
        auto* group = Add<ui::TGroupBox>(f);
        group->SetBounds(120, 8, 150, 80);
        controls.push_back(group);
        auto* panel = Add<ui::TPanel>(f);
        panel->SetBounds(120, 100, 150, 60);
        controls.push_back(panel);
    }, 300, 320);
    HWND w = form->Handle();
    auto cycle = [&] {
        windows.Data().SetActive(false);
        SkinManager()->ApplyPendingAction();
        RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        windows.Data().SetActive(true);
        SkinManager()->ApplyPendingAction();
        RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        testing_support::PumpMessages();
    };
    cycle();   // what the controls keep for good (their colour brushes) is made once
    const unsigned before = GdiProbe();
    for (int i = 0; i < 50; ++i)
        cycle();
    EXPECT_LE(GdiProbe(), before + 6);
    for (ui::TControl* control : controls)
        EXPECT_NE(ObjectOf(form, control), nullptr) << control->ClassName() << " skinned again";
}
