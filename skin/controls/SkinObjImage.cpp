// Glyph check boxes: controls that draw their box from a strip of nine glyphs (unchecked, checked,
// grayed; each normal, pressed and disabled) get that strip made from the skin's check images.
// The control keeps its own messages; only its published glyph properties are set.
#include "skin/controls/SkinObjImage.h"

#include "skin/data/SkinDraw.h"
#include "skin/data/WinSkinData.h"
#include "ui/GdiObjects.h"

#include <array>
#include <string>

namespace skin {

namespace {

constexpr int kGlyphColumns = 9;
constexpr int kNoFrame = -1;

// The skin frame (from 0) each strip column takes, for the skin's frame count; kNoFrame leaves the
// column empty.
std::array<int, kGlyphColumns> ColumnSources(int frames)
{
    if (frames == 12) {
        // Unchecked, checked and grayed groups of four; the fourth of a group is its disabled look.
        return {0, 4, 8, 0, 4, 8, 3, 7, 11};
    }
    // Unchecked, checked, unchecked disabled, checked disabled, and a fifth for grayed.
    const int grayed = frames == 5 ? 4 : kNoFrame;
    return {0, 1, grayed, 0, 1, grayed, 2, 3, grayed};
}

} // namespace

void TSkinObjImage::AttachControl(TSkinHost* form, TSkinData* skinData, bool useSkinColor, ui::TCanvas* canvas)
{
    if (Attached)
        return;
    (void)useSkinColor;
    SkinData = skinData;
    Form = form;
    Canvas = canvas;
    Control = dynamic_cast<ui::TWinControl*>(Owner());
    if (!Control)
        GraphicControl = dynamic_cast<ui::TControl*>(Owner());
    Handle = Control && Control->HandleAllocated() ? Control->WindowHandle() : nullptr;
    if (Form)
        Form->RegisterControl(this);
    if (GlyphMode == 1)
        BuildGlyphs();
    Attached = true;
    Status = ssAttached;
}

void TSkinObjImage::SkinChanged()
{
    if (GlyphMode == 1)
        BuildGlyphs();
}

void TSkinObjImage::Unskin()
{
    if (GlyphMode == 1 && Owner() && !Owner()->IsDestroying())
        SetPropByText(Owner(), "UseCustomGlyphs", "false");
}

std::unique_ptr<ui::TBitmap> TSkinObjImage::BuildGlyphStrip() const
{
    if (!SkinData || !SkinData->Buttons)
        return nullptr;
    const TDataSkinButton& buttons = *SkinData->Buttons;
    const ui::TBitmap& check = buttons.CheckBitmap;
    const int frames = buttons.CheckButtonFrame;
    if (check.Empty() || frames <= 0)
        return nullptr;
    const int w = check.Width() / frames, h = check.Height();
    if (w <= 0 || h <= 0)
        return nullptr;
    auto strip = std::make_unique<ui::TBitmap>(kGlyphColumns * w, h, ui::TPixelFormat::pf24bit);
    if (strip->Empty())
        return nullptr;
    HDC dc = strip->Canvas().Handle();
    {
        // Columns the skin has nothing for stay key-coloured: the control shows nothing there.
        ui::TBrushHandle key(CreateSolidBrush(ui::ColorToRGB(SkinKeyColor)));
        const RECT all{0, 0, strip->Width(), h};
        if (key)
            FillRect(dc, &all, key.Get());
    }
    HDC source = const_cast<ui::TBitmap&>(check).Canvas().Handle();
    const std::array<int, kGlyphColumns> sources = ColumnSources(frames);
    for (int column = 0; column < kGlyphColumns; ++column) {
        const int from = sources[static_cast<std::size_t>(column)];
        if (from == kNoFrame || from >= frames)
            continue;
        BitBlt(dc, column * w, 0, w, h, source, from * w, 0, SRCCOPY);
    }
    return strip;
}

void TSkinObjImage::BuildGlyphs()
{
    std::unique_ptr<ui::TBitmap> strip = BuildGlyphStrip();
    if (!strip)
        return;
    ui::TComponent* target = Owner();
    auto* glyphs = dynamic_cast<ui::TBitmap*>(GetObjectPropOf(target, "CustomGlyphs", "TBitmap"));
    if (!glyphs)
        return;
    glyphs->Assign(*strip);
    SetPropByText(target, "transparentcolor", std::to_string(SkinKeyColor));
    // Off and on again: the control reloads its glyphs only when the switch changes.
    SetPropByText(target, "UseCustomGlyphs", "false");
    SetPropByText(target, "UseCustomGlyphs", "true");
}

} // namespace skin
