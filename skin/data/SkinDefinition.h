#pragma once
// A loaded skin: the skin objects in their named slots, the colours and the face brush, built from
// the definition text of a skin archive. The skin component (TSkinData) is one of these.
#include "skin/data/SkinObjects.h"
#include "ui/Classes.h"
#include "ui/Graphics.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace skin {

class TQuickIni;
class TSkinReader;
struct TBmpInfo;

class TSkinDefinition {
public:
    TSkinDefinition();
    virtual ~TSkinDefinition();
    TSkinDefinition(const TSkinDefinition&) = delete;
    TSkinDefinition& operator=(const TSkinDefinition&) = delete;

    // Builds every object, colour and brush from `ini`, taking the images from `archive`. Returns
    // false, with every object cleared and NoSkin left true, when an image the definition names is
    // not a sound BMP file (a damaged skin draws nothing).
    bool LoadSkinDefinition(const TQuickIni& ini, TSkinReader& archive);
    // Back to the state after construction: permanent objects emptied, other slots nil.
    void ClearSkin();

    // Fills `bitmap` from the archive file that a definition value names (".bmp" entries only);
    // cleared when there is none. False when the file is there but is not a sound BMP.
    bool LoadSkinImage(ui::TBitmap& bitmap, const std::string& value);
    // ParseColour of text, or `def` when the text is empty.
    static ui::TColor ReadColour(const std::string& text, ui::TColor def);

    // True from construction until a definition has been loaded completely.
    bool NoSkin = true;

    // Permanent objects: exist from construction and are refilled in place by every load.
    std::unique_ptr<TDataSkinBorder> FrameLeft, FrameRight, FrameTop, FrameBottom;
    std::unique_ptr<TDataSkinTitle> Title;
    std::unique_ptr<TDataSkinButton> Buttons;
    // Caption buttons of the skin, then the three MDI child buttons (actions 7, 8, 9).
    std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;
    // The other slots: nil when the skin lacks the element.
    std::unique_ptr<TDataSkinBorder> Progress;
    std::unique_ptr<TDataSkinObject> MenuBar;
    std::unique_ptr<TDataSkinObject> GroupBoxEdge;
    std::unique_ptr<TDataSkinBoxLabel> GroupBox;
    std::unique_ptr<TDataSkinObject> Toolbars;
    std::unique_ptr<TDataSkinBorder> Tabs;
    std::unique_ptr<TDataSkinObject> StatusBarEdges;
    std::unique_ptr<TDataSkinBorder> ComboButton;   // after loading: a whole combo frame (Style 2)
    std::unique_ptr<TDataSkinObject> SunkEdge;
    std::unique_ptr<TDataSkinObject> ExtraImages;
    std::unique_ptr<TDataSkinObject> Headerbar;
    std::unique_ptr<TDataSkinObject> MenuItem;
    std::unique_ptr<TDataSkinObject> MenuBackground;
    std::unique_ptr<TDataSkinObject> Scrollbar;
    std::unique_ptr<TDataSkinObject> HorzScroll, VertScroll;
    std::unique_ptr<TDataSkinObject> HorzScrollThumb, VertScrollThumb;
    std::unique_ptr<TDataSkinObject> TrackbarThumbHorz, TrackbarThumbVert, TrackbarThumbLeft, TrackbarThumbRight,
        TrackbarThumbUp, TrackbarThumbDown;
    std::unique_ptr<TDataSkinBorder> UpDownHorz, UpDownVert;

    // Colours (section "Colours").
    ui::TColor WindowTextColor = ui::SystemColor(COLOR_WINDOWTEXT);
    ui::TColor ButtonFaceColor = ui::SystemColor(COLOR_BTNFACE);
    ui::TColor ScrollbarColor = ui::SystemColor(COLOR_SCROLLBAR);
    ui::TColor HilightTextColor = ui::SystemColor(COLOR_HIGHLIGHTTEXT);
    ui::TColor HilightColor = ui::SystemColor(COLOR_HIGHLIGHT);
    ui::TColor MenubarColor = ui::SystemColor(COLOR_BTNFACE);
    ui::TColor MenuColor = ui::SystemColor(COLOR_MENU);
    ui::TColor MenuTextColor = ui::SystemColor(COLOR_MENUTEXT);
    ui::TColor ButtonTextColor = ui::SystemColor(COLOR_BTNTEXT);
    ui::TColor ButtonHilightColor = ui::SystemColor(COLOR_BTNHIGHLIGHT);
    ui::TColor ButtonLightColor = ui::SystemColor(COLOR_BTNHIGHLIGHT);
    ui::TColor ButtonShadowColor = ui::SystemColor(COLOR_BTNSHADOW);
    ui::TColor ButtonDkShadowColor = ui::SystemColor(COLOR_3DDKSHADOW);
    ui::TColor MenuBarTextColor = ui::SystemColor(COLOR_MENUTEXT);
    ui::TColor TitleTextActiveColor = ui::SystemColor(COLOR_CAPTIONTEXT);
    ui::TColor TitleTextNoActiveColor = ui::SystemColor(COLOR_INACTIVECAPTIONTEXT);
    // One per section named COLOUR... (not COLOURS), in section order.
    std::vector<ui::TColor> SectionColors;
    std::array<ui::TColor, 10> CustomColors{};
    // A solid brush of ButtonFaceColor; null before the first load.
    HBRUSH FaceBrush = nullptr;
    std::string SkinName;

private:
    void ReadFrameBorders();
    void ReadColours();
    void ReadCaptionButtons();
    void ReadButtons();
    void ReadTitle();
    void ReadMenuBar();
    void ReadProgress(std::unique_ptr<TDataSkinBorder>& slot, const std::string& section);
    template <class T>
    bool ReadObject(std::unique_ptr<T>& slot, const std::string& section);
    void ReadCommon(TDataSkinObject& object, const std::string& section, bool withStyle);
    void ReadGeneric(std::unique_ptr<TDataSkinObject>& slot, const std::string& section);
    void ReadBorder(std::unique_ptr<TDataSkinBorder>& slot, const std::string& section, const std::string& secondKey);
    void ReadBoxLabel(std::unique_ptr<TDataSkinBoxLabel>& slot, const std::string& section);
    void ApplyFrameCounts();
    void BuildComboComposite();
    void ReleaseSlots();
    static bool DecodeImage(ui::TBitmap& bitmap, const ui::TMemoryStream& file, const TBmpInfo& info);

    std::string Str(const std::string& section, const std::string& key, const std::string& def = {}) const;
    int Int(const std::string& section, const std::string& key, int def) const;

    // Valid only while LoadSkinDefinition runs.
    const TQuickIni* ini_ = nullptr;
    TSkinReader* archive_ = nullptr;
    ui::TStringList sections_;
    bool damaged_ = false;
    // Pixels decoded so far by this load, checked against a total budget.
    std::uint64_t decodedPixels_ = 0;
};

} // namespace skin
