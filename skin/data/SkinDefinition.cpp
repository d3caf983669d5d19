#include "skin/data/SkinDefinition.h"

#include "skin/data/BmpImage.h"
#include "skin/data/QuickIni.h"
#include "skin/data/SkinDraw.h"
#include "skin/data/SkinPixelOps.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinColour.h"

#include <algorithm>
#include <cstring>

namespace skin {

namespace {

// The combo composite's cell: one whole combo box frame per state.
constexpr int ComboCellWidth = 50;
constexpr int ComboCellHeight = 21;

// Pixels one skin load may decode in all. One file may be named from every slot, so the bound per
// image alone lets a hostile skin decode it dozens of times; 16 Mi pixels (64 MiB at 32 bits) is
// several screen-sized backgrounds, far beyond what a real skin holds.
constexpr std::uint64_t kSkinMaxDecodedPixels = 1ull << 24;

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

TSkinDefinition::TSkinDefinition()
    : FrameLeft(std::make_unique<TDataSkinBorder>("Left")),
      FrameRight(std::make_unique<TDataSkinBorder>("Right")),
      FrameTop(std::make_unique<TDataSkinBorder>("Top")),
      FrameBottom(std::make_unique<TDataSkinBorder>("Bottom")),
      Title(std::make_unique<TDataSkinTitle>("Title")),
      Buttons(std::make_unique<TDataSkinButton>("Buttons"))
{
    CustomColors.fill(ui::clWhite);
}

TSkinDefinition::~TSkinDefinition()
{
    if (FaceBrush)
        DeleteObject(FaceBrush);
}

std::string TSkinDefinition::Str(const std::string& section, const std::string& key, const std::string& def) const
{
    return ini_->ReadString(section, key, def);
}

int TSkinDefinition::Int(const std::string& section, const std::string& key, int def) const
{
    return ini_->ReadInteger(section, key, def);
}

ui::TColor TSkinDefinition::ReadColour(const std::string& text, ui::TColor def)
{
    return text.empty() ? def : ParseColour(text);
}

bool TSkinDefinition::LoadSkinImage(ui::TBitmap& bitmap, const std::string& value)
{
    const std::size_t slash = value.find_last_of("\\:");
    const std::string name = slash == std::string::npos ? value : value.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    // The comparison is case-sensitive: ".BMP" names no image.
    if (name.empty() || dot == std::string::npos || name.substr(dot) != ".bmp" || !archive_) {
        bitmap.Clear();
        return true;
    }
    ui::TMemoryStream file;
    archive_->GetFile(name, file);
    if (file.Size() == 0) {
        bitmap.Clear();
        return true;
    }
    TBmpInfo info;
    // A header that lies about the file is a damaged skin, never handed to GDI.
    bool sound = ReadBmpInfo(file.Memory(), file.Size(), info);
    if (sound) {
        decodedPixels_ += static_cast<std::uint64_t>(info.Width) * static_cast<std::uint64_t>(info.Height);
        // Past the budget nothing more is decoded: the load is refused like any damaged skin.
        sound = decodedPixels_ <= kSkinMaxDecodedPixels && DecodeImage(bitmap, file, info);
    }
    if (!sound) {
        bitmap.Clear();
        damaged_ = true;
        return false;
    }
    return true;
}

// Skins hold uncompressed 24- and 32-bit pictures: their rows are copied straight into the
// section's memory (a GDI transfer per image costs more than the rest of the load together).
// Other formats go through GDI.
bool TSkinDefinition::DecodeImage(ui::TBitmap& bitmap, const ui::TMemoryStream& file, const TBmpInfo& info)
{
    if (info.Compression != 0 || (info.BitCount != 24 && info.BitCount != 32))
        return bitmap.LoadFromBmpBytes(file.Memory(), file.Size());
    bitmap.Clear();
    bitmap.SetPixelFormat(info.BitCount == 32 ? ui::TPixelFormat::pf32bit : ui::TPixelFormat::pf24bit);
    bitmap.SetSize(info.Width, info.Height);
    if (bitmap.Empty())
        return false;
    const std::size_t rowBytes = static_cast<std::size_t>(info.Width) * (info.BitCount / 8);
    std::uint8_t* first = bitmap.ScanLine(0);
    const std::size_t stride = static_cast<std::size_t>(bitmap.BytesPerRow());
    for (int y = 0; y < info.Height; ++y) {
        const int stored = info.TopDown ? y : info.Height - 1 - y;
        std::memcpy(first + stride * y, file.Memory() + info.PixelOffset + info.Stride * stored, rowBytes);
    }
    return true;
}

void TSkinDefinition::ReleaseSlots()
{
    SysButtons.clear();
    Progress.reset();
    MenuBar.reset();
    GroupBoxEdge.reset();
    GroupBox.reset();
    Toolbars.reset();
    Tabs.reset();
    StatusBarEdges.reset();
    ComboButton.reset();
    SunkEdge.reset();
    ExtraImages.reset();
    Headerbar.reset();
    MenuItem.reset();
    MenuBackground.reset();
    Scrollbar.reset();
    HorzScroll.reset();
    VertScroll.reset();
    HorzScrollThumb.reset();
    VertScrollThumb.reset();
    TrackbarThumbHorz.reset();
    TrackbarThumbVert.reset();
    TrackbarThumbLeft.reset();
    TrackbarThumbRight.reset();
    TrackbarThumbUp.reset();
    TrackbarThumbDown.reset();
    UpDownHorz.reset();
    UpDownVert.reset();
}

namespace {

// Empties an object in place: frames may hold pointers to the permanent objects.
void ResetObject(TDataSkinObject& o)
{
    o.LeftWidth = o.TopHeight = o.RightWidth = o.BottomHeight = 0;
    o.Bitmap.Clear();
    o.Trans = o.Tile = o.Frame = o.Style = 0;
    o.NormalColour = o.MouseOverColour = o.PressedColour = NoColourChoice;
    o.NormalColour2 = o.MouseOverColour2 = o.PressedColour2 = 0;
}

} // namespace

void TSkinDefinition::ClearSkin()
{
    ReleaseSlots();
    for (TDataSkinBorder* border : {FrameLeft.get(), FrameRight.get(), FrameTop.get(), FrameBottom.get()}) {
        ResetObject(*border);
        border->Chunk.Clear();
    }
    ResetObject(*Title);
    Title->TextAlignment = Title->Textbackground = Title->TXTBackleft = Title->TXTBackRight = 0;
    Title->FontHeight = 14;
    Title->ActiveTextColor = Title->InactiveTextColor = ui::clNone;
    ResetObject(*Buttons);
    Buttons->CheckBitmap.Clear();
    Buttons->RadioBitmap.Clear();
    Buttons->RadioButtonFrame = Buttons->CheckButtonFrame = 0;
    Buttons->HasNormalColour2 = Buttons->HasMouseOverColour2 = Buttons->HasPressedColour2 = false;
    SectionColors.clear();
    NoSkin = true;
}

// The generic part every object reader shares: free the slot, create the object when the section
// names an image, and load that image.
template <class T>
bool TSkinDefinition::ReadObject(std::unique_ptr<T>& slot, const std::string& section)
{
    slot.reset();
    const std::string image = Str(section, "Image");
    if (image.empty())
        return false;
    slot = std::make_unique<T>(section);
    LoadSkinImage(slot->Bitmap, image);
    return true;
}

// The keys the generic, border and box-label readers share. Only the border reader skips Style;
// all three turn a Tile above 1 into 0.
void TSkinDefinition::ReadCommon(TDataSkinObject& o, const std::string& section, bool withStyle)
{
    if (withStyle)
        o.Style = Int(section, "Style", 0);
    o.LeftWidth = Int(section, "LeftWidth", 0);
    o.RightWidth = Int(section, "RightWidth", 0);
    o.TopHeight = Int(section, "TopHeight", 0);
    o.BottomHeight = Int(section, "BottomHeight", 0);
    o.Trans = Int(section, "Trans", 0);
    o.Tile = Int(section, "Tile", 0);
    o.NormalColour = Int(section, "NormalColour", NoColourChoice);
    o.MouseOverColour = Int(section, "MouseOverColour", NoColourChoice);
    o.PressedColour = Int(section, "PressedColour", NoColourChoice);
    o.NormalColour2 = ReadColour(Str(section, "NormalColour2"), ButtonTextColor);
    o.MouseOverColour2 = ReadColour(Str(section, "MouseOverColour2"), ButtonTextColor);
    o.PressedColour2 = ReadColour(Str(section, "PressedColour2"), ButtonTextColor);
    if (o.Tile > 1)
        o.Tile = 0;
}

void TSkinDefinition::ReadGeneric(std::unique_ptr<TDataSkinObject>& slot, const std::string& section)
{
    if (ReadObject(slot, section))
        ReadCommon(*slot, section, true);
}

void TSkinDefinition::ReadBorder(std::unique_ptr<TDataSkinBorder>& slot, const std::string& section,
                                 const std::string& secondKey)
{
    if (!ReadObject(slot, section))
        return;
    const std::string second = Str(section, secondKey);
    if (!second.empty())
        LoadSkinImage(slot->Chunk, second);
    ReadCommon(*slot, section, false);
}

void TSkinDefinition::ReadBoxLabel(std::unique_ptr<TDataSkinBoxLabel>& slot, const std::string& section)
{
    if (!ReadObject(slot, section))
        return;
    TDataSkinBoxLabel& o = *slot;
    ReadCommon(o, section, true);
    o.BackgroundAlignment = Int(section, "BackgroundAlignment", 0);
    o.BackgroundLeftShift = Int(section, "BackgroundLeftShift", 0);
    o.BackgroundRightShift = Int(section, "BackgroundRightShift", 0);
}

// The progress bar: its image key is "Bitmap"; no colours, and Tile is kept as written.
void TSkinDefinition::ReadProgress(std::unique_ptr<TDataSkinBorder>& slot, const std::string& section)
{
    slot.reset();
    const std::string image = Str(section, "Bitmap");
    if (image.empty())
        return;
    slot = std::make_unique<TDataSkinBorder>(section);
    TDataSkinBorder& o = *slot;
    LoadSkinImage(o.Bitmap, image);
    const std::string chunk = Str(section, "Chunk");
    if (!chunk.empty())
        LoadSkinImage(o.Chunk, chunk);
    o.Style = Int(section, "Style", 0);
    o.LeftWidth = Int(section, "LeftWidth", 0);
    o.RightWidth = Int(section, "RightWidth", 0);
    o.TopHeight = Int(section, "TopHeight", 0);
    o.BottomHeight = Int(section, "BottomHeight", 0);
    o.Trans = Int(section, "Trans", 0);
    o.Tile = Int(section, "Tile", 0);
}

void TSkinDefinition::ReadButtons()
{
    const std::string s = "Buttons";
    TDataSkinButton& o = *Buttons;
    o.LeftWidth = Int(s, "LeftWidth", 0);
    o.RightWidth = Int(s, "RightWidth", 0);
    o.TopHeight = Int(s, "TopHeight", 0);
    o.BottomHeight = Int(s, "BottomHeight", 0);
    o.Trans = Int(s, "Trans", 0);
    o.Tile = Int(s, "Tile", 0);
    // A missing key clears the image: a reload never keeps the previous skin's picture.
    LoadSkinImage(o.Bitmap, Str(s, "Bitmap"));
    LoadSkinImage(o.CheckBitmap, Str(s, "CheckButton"));
    LoadSkinImage(o.RadioBitmap, Str(s, "RadioButton"));
    o.NormalColour = Int(s, "NormalColour", NoColourChoice);
    o.MouseOverColour = Int(s, "MouseOverColour", NoColourChoice);
    o.PressedColour = Int(s, "PressedColour", NoColourChoice);
    o.RadioButtonFrame = Int(s, "RadioButtonFrame", 0);
    o.CheckButtonFrame = Int(s, "CheckButtonFrame", 0);
    const std::string normal = Str(s, "NormalColour2");
    const std::string over = Str(s, "MouseOverColour2");
    const std::string pressed = Str(s, "PressedColour2");
    o.HasNormalColour2 = !normal.empty();
    o.HasMouseOverColour2 = !over.empty();
    o.HasPressedColour2 = !pressed.empty();
    o.NormalColour2 = ReadColour(normal, ButtonTextColor);
    o.MouseOverColour2 = ReadColour(over, ButtonTextColor);
    o.PressedColour2 = ReadColour(pressed, ButtonTextColor);
}

void TSkinDefinition::ReadMenuBar()
{
    const std::string s = "Personality";
    MenuBar.reset();
    const std::string image = Str(s, "menuBar");
    if (image.empty())
        return;
    MenuBar = std::make_unique<TDataSkinObject>("menuBar");
    LoadSkinImage(MenuBar->Bitmap, image);
    MenuBar->TopHeight = 0;
    MenuBar->BottomHeight = 0;
    MenuBar->Tile = Int(s, "TileMenu", 0);
    // The menu bar's side margins carry whether its ends are tiled.
    MenuBar->LeftWidth = Int(s, "TileLeftMenu", 1);
    MenuBar->RightWidth = Int(s, "TileRightMenu", 1);
}

void TSkinDefinition::ReadTitle()
{
    const std::string s = "Personality";
    TDataSkinTitle& o = *Title;
    LoadSkinImage(o.Bitmap, Str(s, "TextBack"));
    o.LeftWidth = Int(s, "TextShift", 0);
    o.TopHeight = Int(s, "TextShiftVert", 0);
    o.RightWidth = Int(s, "TextRightClip", 0);
    o.BottomHeight = 0;
    o.TextAlignment = Int(s, "TextAlignment", 0);
    o.Textbackground = Int(s, "Textbackground", 0);
    o.FontHeight = Int("Fonts", "FontHeight", 14);
    o.TXTBackleft = Int(s, "TXTBackleft", 0);
    o.TXTBackRight = Int(s, "TXTBackRight", 0);
    // A colour counts only when all three of its components are given.
    auto rgb = [&](const std::string& prefix) {
        const int r = Int(s, prefix + "R", -1);
        const int g = Int(s, prefix + "G", -1);
        const int b = Int(s, prefix + "B", -1);
        if (r < 0 || g < 0 || b < 0)
            return ui::clNone;
        return static_cast<ui::TColor>((r % 256) + (g % 256) * 256 + (b % 256) * 65536);
    };
    o.ActiveTextColor = rgb("ActiveText");
    o.InactiveTextColor = rgb("InActiveText");
}

void TSkinDefinition::ReadFrameBorders()
{
    const std::string s = "Personality";
    for (TDataSkinBorder* o : {FrameLeft.get(), FrameRight.get(), FrameTop.get(), FrameBottom.get()}) {
        const std::string& name = o->Name;
        if (o == FrameLeft.get() || o == FrameRight.get()) {
            o->TopHeight = Int(s, name + "TopHeight", 0);
            o->BottomHeight = Int(s, name + "BotHeight", 0);
            o->LeftWidth = o->RightWidth = 0;
        } else {
            o->LeftWidth = Int(s, name + "TopHeight", 0);
            o->RightWidth = Int(s, name + "BotHeight", 0);
            o->TopHeight = o->BottomHeight = 0;
        }
        o->Frame = Int(s, name + "Frame", 1);
        // The borders' Tile carries the Stretch key: 1 stretches, anything else tiles.
        o->Tile = Int(s, name + "Stretch", 1);
        o->Trans = Int(s, name + "Trans", 1);
        LoadSkinImage(o->Bitmap, Str(s, name));
    }
}

void TSkinDefinition::ReadColours()
{
    const std::string s = "Colours";
    auto colour = [&](const char* key, ui::TColor def) { return ReadColour(Str(s, key), def); };
    WindowTextColor = colour("WindowText", ui::SystemColor(COLOR_WINDOWTEXT));
    ButtonFaceColor = colour("ButtonFace", ui::SystemColor(COLOR_BTNFACE));
    ScrollbarColor = colour("Scrollbar", ui::SystemColor(COLOR_SCROLLBAR));
    HilightTextColor = colour("HilightText", ui::SystemColor(COLOR_HIGHLIGHTTEXT));
    HilightColor = colour("Hilight", ui::SystemColor(COLOR_HIGHLIGHT));
    MenubarColor = colour("Menubar", ButtonFaceColor);
    MenuColor = colour("Menu", ui::SystemColor(COLOR_MENU));
    MenuTextColor = colour("MenuText", ui::SystemColor(COLOR_MENUTEXT));
    ButtonTextColor = colour("ButtonText", ui::SystemColor(COLOR_BTNTEXT));
    ButtonHilightColor = colour("ButtonHilight", ui::SystemColor(COLOR_BTNHIGHLIGHT));
    ButtonLightColor = colour("Buttonlight", ui::SystemColor(COLOR_BTNHIGHLIGHT));
    ButtonShadowColor = colour("ButtonShadow", ui::SystemColor(COLOR_BTNSHADOW));
    ButtonDkShadowColor = colour("ButtonDkShadow", ui::SystemColor(COLOR_3DDKSHADOW));
    MenuBarTextColor = colour("MenuBarText", ui::SystemColor(COLOR_MENUTEXT));
    TitleTextActiveColor = colour("TitleTextActive", ui::SystemColor(COLOR_CAPTIONTEXT));
    TitleTextNoActiveColor = colour("TitleTextNoActive", ui::SystemColor(COLOR_INACTIVECAPTIONTEXT));

    SectionColors.clear();
    for (int i = 0; i < sections_.Count(); ++i) {
        const std::string upper = ui::UpperCaseAscii(sections_[i]);
        if (StartsWith(upper, "COLOUR") && upper != "COLOURS")
            SectionColors.push_back(ReadColour(Str(sections_[i], "color"), ui::SystemColor(COLOR_WINDOWTEXT)));
    }
    for (int i = 0; i < 10; ++i)
        CustomColors[i] = ReadColour(Str("Customcolors", "Color" + std::to_string(i)), ui::clWhite);
}

void TSkinDefinition::ReadCaptionButtons()
{
    SysButtons.clear();
    std::vector<std::string> names;
    for (int i = sections_.Count() - 1; i >= 0; --i) {
        const std::string upper = ui::UpperCaseAscii(sections_[i]);
        if (!StartsWith(upper, "BUTTON") || upper == "BUTTON" || upper == "BUTTONS" || upper == "BUTTON.RADIO"
            || upper == "BUTTON.CHECKBOX")
            continue;
        // A hidden button without an action of its own is no button at all.
        if (Int(upper, "Action", 0) == -1 && Int(upper, "Visibility", -1) != 0)
            continue;
        names.insert(names.begin(), upper);
    }
    const std::size_t n = names.size();
    SysButtons.reserve(n + 3);
    for (const std::string& section : names) {
        auto button = std::make_unique<TDataSkinSysButton>(section);
        TDataSkinSysButton& b = *button;
        b.Action = Int(section, "Action", 0);
        b.Align = Int(section, "Align", 0);
        b.Xcoord = Int(section, "Xcoord", 0);
        b.Ycoord = Int(section, "Ycoord", 0);
        b.Visibility = Int(section, "Visibility", 0);
        b.Visibility1 = Int(section, "Visibility1", b.Action == -1 ? -1 : 0);
        b.CombineOp = Int(section, "CombineOp", -1);
        b.Frame = Int(section, "frame", 0);
        LoadSkinImage(b.Bitmap, Str(section, "ButtonImage"));
        if (b.Frame == 0) {
            b.Frame = 6;
            if (!b.Bitmap.Empty())
                b.Frame = static_cast<double>(b.Bitmap.Width()) / b.Bitmap.Height() <= 3.8 ? 3 : 6;
            if (b.Action < 0)
                b.Frame = 6;
            if (b.Action == 3 || b.Action == 11)
                b.Bitmap.Clear();
        }
        SysButtons.push_back(std::move(button));
    }

    // The MDI child buttons follow the skin's own: minimise, restore and close of a maximised child.
    for (int k = 0; k < 3; ++k) {
        auto button = std::make_unique<TDataSkinSysButton>("MDICONTROLS");
        button->Action = 7 + k;
        button->Align = button->Visibility = button->Visibility1 = 100;
        button->Frame = 4;
        SysButtons.push_back(std::move(button));
    }
    ui::TBitmap strip;
    LoadSkinImage(strip, Str("MDICONTROLS", "Image"));
    if (strip.Empty())
        return;
    const int a = strip.Width() / 12;
    for (int k = 0; k < 3; ++k) {
        TDataSkinSysButton& b = *SysButtons[n + k];
        b.Bitmap.SetSize(4 * a, strip.Height());
        if (!b.Bitmap.Empty())
            BitBlt(b.Bitmap.Canvas().Handle(), 0, 0, 4 * a, strip.Height(), strip.Canvas().Handle(), 4 * a * k, 0,
                   SRCCOPY);
        b.Xcoord = (a + 4) * (3 - k);
    }
}

void TSkinDefinition::ApplyFrameCounts()
{
    auto set = [](auto& slot, int frames) {
        if (slot)
            slot->Frame = frames;
    };
    set(Title, 2);
    set(Buttons, 5);
    set(Progress, 2);
    set(MenuBar, 2);
    set(GroupBoxEdge, 2);
    set(GroupBox, 1);
    set(Toolbars, 5);
    set(Tabs, 5);
    set(StatusBarEdges, 3);
    set(ComboButton, 4);
    set(SunkEdge, 4);
    set(ExtraImages, 5);
    set(Headerbar, 5);
    set(MenuItem, 5);
    set(MenuBackground, 1);
    set(Scrollbar, 23);
    set(HorzScroll, 4);
    set(VertScroll, 4);
    set(HorzScrollThumb, Int("HorzScrollThumb", "FrameCount", 3));
    set(VertScrollThumb, Int("VertScrollThumb", "FrameCount", 3));
    for (auto* thumb : {&TrackbarThumbHorz, &TrackbarThumbVert, &TrackbarThumbLeft, &TrackbarThumbRight,
                        &TrackbarThumbUp, &TrackbarThumbDown})
        set(*thumb, 5);
    set(UpDownHorz, 8);
    set(UpDownVert, 8);

    // Check and radio strips: small glyphs are 13 pixels wide, others 16; never fewer than 4 states.
    auto strip = [](const ui::TBitmap& bitmap) {
        const int cell = bitmap.Height() < 16 ? 13 : 16;
        return std::max(bitmap.Width() / cell, 4);
    };
    if (Buttons->RadioButtonFrame == 0)
        Buttons->RadioButtonFrame = strip(Buttons->RadioBitmap);
    if (Buttons->CheckButtonFrame == 0)
        Buttons->CheckButtonFrame = strip(Buttons->CheckBitmap);
}

// Turns the combo button into a ready-made picture of a whole combo box frame per state: the sunken
// edge, the button at its right end with the arrow from the extra images, and a transparent inside.
void TSkinDefinition::BuildComboComposite()
{
    if (!SunkEdge || !ComboButton)
        return;
    const int w = GetSystemMetrics(SM_CXHSCROLL) + 2;
    const int frames = std::max(SunkEdge->Frame, 1);
    ui::TBitmap work(ComboCellWidth, ComboCellHeight);
    ui::TBitmap strip(ComboCellWidth * frames, ComboCellHeight);
    work.Canvas().Brush().SetColor(SkinKeyColor);
    strip.Canvas().Brush().SetColor(SkinKeyColor);
    strip.Canvas().FillRect(ui::Rect(0, 0, strip.Width(), strip.Height()));
    const ui::TRect cell = ui::Rect(0, 0, ComboCellWidth, ComboCellHeight);
    const ui::TRect button = ui::Rect(ComboCellWidth - w, 0, ComboCellWidth, ComboCellHeight);
    for (int b = 1; b <= frames; ++b) {
        // Start each state from the key colour, so a transparent edge leaves nothing of the last one.
        work.Canvas().FillRect(cell);
        HDC dc = work.Canvas().Handle();
        DrawSkinRect(dc, cell, &SunkEdge->Bitmap, false, false, SunkEdge->Trans != 0, SunkEdge->Frame, b,
                     SunkEdge->Margins());
        DrawSkinRect(dc, button, &ComboButton->Bitmap, false, false, true, ComboButton->Frame, b,
                     ComboButton->Margins());
        if (ExtraImages)
            DrawSkinCentered(dc, button, &ExtraImages->Bitmap, true, ExtraImages->Frame, b);
        work.Canvas().FillRect(ui::Rect(2, 2, ComboCellWidth - 1 - w, ComboCellHeight - 3));
        BitBlt(strip.Canvas().Handle(), ComboCellWidth * (b - 1), 0, ComboCellWidth, ComboCellHeight, dc, 0, 0,
               SRCCOPY);
    }
    ComboButton->Style = 2;
    ComboButton->LeftWidth = 2;
    ComboButton->TopHeight = SunkEdge->TopHeight;
    ComboButton->RightWidth = w + 2;
    ComboButton->BottomHeight = SunkEdge->BottomHeight;
    ComboButton->Bitmap.Assign(strip);
}

bool TSkinDefinition::LoadSkinDefinition(const TQuickIni& ini, TSkinReader& archive)
{
    NoSkin = true;
    ini_ = &ini;
    archive_ = &archive;
    damaged_ = false;
    decodedPixels_ = 0;
    struct Release {
        TSkinDefinition* self;
        ~Release()
        {
            self->ini_ = nullptr;
            self->archive_ = nullptr;
            self->sections_.Clear();
        }
    } release{this};

    SkinName = Str("TitlebarSkin", "SkinName");
    ini.ReadSections(sections_);

    ReadFrameBorders();
    ReadColours();
    ReadCaptionButtons();
    ReadButtons();
    ReadTitle();
    ReadProgress(Progress, "Progress");
    ReadMenuBar();

    ReadGeneric(GroupBoxEdge, "GroupBoxEdge");
    ReadBoxLabel(GroupBox, "GroupBox");
    ReadGeneric(Toolbars, "Toolbars");
    ReadBorder(Tabs, "Tabs", "Border");
    ReadGeneric(StatusBarEdges, "StatusBarEdges");
    // No skin defines the key "****": the combo button's second image is its own mirror.
    ReadBorder(ComboButton, "ComboButton", "****");
    if (ComboButton && !ComboButton->Bitmap.Empty()) {
        ComboButton->Chunk.Assign(ComboButton->Bitmap);
        ComboButton->Chunk.SetPixelFormat(ui::TPixelFormat::pf24bit);
        MirrorBitmap(&ComboButton->Chunk);
    }
    ReadGeneric(SunkEdge, "SunkEdge");
    ReadGeneric(ExtraImages, "ExtraImages");
    ReadGeneric(Headerbar, "Headerbar");
    ReadGeneric(MenuItem, "MenuItem");
    ReadGeneric(MenuBackground, "MenuBackground");
    ReadGeneric(Scrollbar, "Scrollbar");
    ReadGeneric(HorzScroll, "HorzScroll");
    ReadGeneric(VertScroll, "VertScroll");
    ReadGeneric(HorzScrollThumb, "HorzScrollThumb");
    ReadGeneric(VertScrollThumb, "VertScrollThumb");
    ReadGeneric(TrackbarThumbHorz, "Trackbar.ThumbHorz");
    ReadGeneric(TrackbarThumbVert, "Trackbar.ThumbVert");
    ReadGeneric(TrackbarThumbLeft, "Trackbar.ThumbLeft");
    ReadGeneric(TrackbarThumbRight, "Trackbar.ThumbRight");
    ReadGeneric(TrackbarThumbUp, "Trackbar.ThumbUp");
    ReadGeneric(TrackbarThumbDown, "Trackbar.ThumbDown");
    ReadBorder(UpDownHorz, "UpDown.Horz", "GlyphImage");
    ReadBorder(UpDownVert, "UpDown.Vert", "GlyphImage");

    if (damaged_) {
        ClearSkin();
        return false;
    }
    ApplyFrameCounts();
    BuildComboComposite();

    if (FaceBrush)
        DeleteObject(FaceBrush);
    FaceBrush = CreateSolidBrush(ui::ColorToRGB(ButtonFaceColor));
    NoSkin = false;
    return true;
}

} // namespace skin
