#pragma once
// Canvas, bitmap, font, brush and pen: thin owners of GDI objects, as the forms, controls and the
// skin engine use them. Every bitmap is a device-independent section, so its pixels can be read and
// written directly.
#include "TypInfo.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

// 0x00BBGGRR for a direct colour; 0xFF000000 | index for a system colour.
using TColor = std::int32_t;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor SystemColor(int index) { return static_cast<TColor>(0xFF000000u | static_cast<unsigned>(index)); }
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);

// The RGB value of a colour, system colours resolved.
COLORREF ColorToRGB(TColor color);

using TRect = RECT;
inline TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }
inline int RectWidth(const TRect& r) { return r.right - r.left; }
inline int RectHeight(const TRect& r) { return r.bottom - r.top; }

enum class TFontStyle : unsigned { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
using TFontStyles = unsigned;

// Identifiers of colours and character sets as form descriptions write them (clBtnFace, ...).
const TIdentMap& ColorIdents();
const TIdentMap& CharsetIdents();
// Element names of TFontStyles: fsBold, fsItalic, fsUnderline, fsStrikeOut.
const TEnumInfo& FontStyleElements();

// A logical font; the GDI object is made on first use and remade after a change.
// Published: Charset, Color, Height (negative: character height), Name, Size (points), Style.
class TFont : public TPersistent {
    UI_CLASS(TFont)
public:
    TFont();
    ~TFont() override;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    void Assign(const TFont& other);
    const std::wstring& Name() const { return name_; }
    void SetName(const std::wstring& name);
    // Character height in pixels (negative LOGFONT height).
    int Height() const { return height_; }
    void SetHeight(int height);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    void SetFromHandle(HFONT font);
    HFONT Handle();
    // Size in points at 96 pixels per inch.
    int Size() const { return MulDiv(height_, 72, 96); }
    void SetSize(int points) { SetHeight(MulDiv(points < 0 ? -points : points, 96, 72)); }
    int Charset() const { return charset_; }
    void SetCharset(int charset);

    // Runs after any change (a control reapplies the font to its window).
    std::function<void()> OnChange;

private:
    void Release();
    void Changed();
    int charset_ = DEFAULT_CHARSET;
    std::wstring name_ = L"MS Sans Serif";
    int height_ = 11;
    TFontStyles style_ = 0;
    TColor color_ = clWindowText;
    HFONT handle_ = nullptr;
};

enum class TBrushStyle { Solid, Clear };

class TBrush : public TPersistent {
    UI_CLASS(TBrush)
public:
    TBrush() = default;
    ~TBrush() override;
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    HBRUSH Handle();

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::Solid;
    HBRUSH handle_ = nullptr;
};

class TPen : public TPersistent {
    UI_CLASS(TPen)
public:
    TPen() = default;
    ~TPen() override;
    TPen(const TPen&) = delete;
    TPen& operator=(const TPen&) = delete;
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    HPEN Handle();

private:
    TColor color_ = clBlack;
    int width_ = 1;
    HPEN handle_ = nullptr;
};

class TBitmap;

// Drawing surface over a device context; selects its font, brush and pen before each operation.
// A canvas either wraps a DC it does not own (SetHandle) or belongs to a bitmap.
class TCanvas {
public:
    TCanvas() = default;
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle() const { return dc_; }
    // Binds the canvas to a DC it does not own; nullptr unbinds it and deselects its objects.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont& Font() { return font_; }
    TBrush& Brush() { return brush_; }
    TPen& Pen() { return pen_; }

    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    void Rectangle(const TRect& rect);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void SetPixel(int x, int y, TColor color);
    TColor Pixel(int x, int y) const;
    void TextOut(int x, int y, const std::wstring& text);
    SIZE TextExtent(const std::wstring& text);
    int DrawText(const std::wstring& text, TRect& rect, UINT format);
    // Stretches `source` (whole bitmap) of `bitmap` into `dest` (COLORONCOLOR when the mode is set).
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);
    // Draws a bitmap at (x, y) at natural size, honouring its transparency.
    void Draw(int x, int y, TBitmap& bitmap);
    void StretchDraw(const TRect& dest, TBitmap& bitmap);
    void SetStretchMode(int mode);

    // Selects font, brush and pen into the DC (done by every drawing operation).
    void Prepare();

private:
    friend class TBitmap;
    void Unselect();
    HDC dc_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    HGDIOBJ oldBrush_ = nullptr;
    HGDIOBJ oldPen_ = nullptr;
    TFont font_;
    TBrush brush_;
    TPen pen_;
};

// A canvas lent to a DC it does not own (a paint or an owner-drawn item's DC) for as long as it
// lives, with a font of the caller's when given; the DC gets its own objects back at the end.
class TBorrowedCanvas {
public:
    explicit TBorrowedCanvas(HDC dc, const TFont* font = nullptr)
    {
        canvas_.SetHandle(dc);
        if (font)
            canvas_.Font().Assign(*font);
    }
    ~TBorrowedCanvas() { canvas_.SetHandle(nullptr); }
    TBorrowedCanvas(const TBorrowedCanvas&) = delete;
    TBorrowedCanvas& operator=(const TBorrowedCanvas&) = delete;
    TCanvas& Canvas() { return canvas_; }

private:
    TCanvas canvas_;
};

enum class TPixelFormat { pf24bit = 24, pf32bit = 32 };

// A device-independent bitmap (DIB section), top-down rows, 24 or 32 bits per pixel, with its own
// memory DC. An empty bitmap has no section.
// In a form description its picture is the binary property Data: a 4-byte length and a BMP file.
class TBitmap : public TPersistent {
    UI_CLASS(TBitmap)
public:
    TBitmap() = default;
    TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    TPixelFormat PixelFormat() const { return format_; }
    // Changes the pixel format, keeping the picture.
    void SetPixelFormat(TPixelFormat format);
    // Resizes; the picture is kept where it overlaps (new parts are black).
    void SetSize(int width, int height);
    void Clear() { SetSize(0, 0); }
    void Assign(const TBitmap& other);

    // Transparent drawing with Canvas.Draw: the key colour is the given one, or the bottom-left
    // pixel when TransparentMode is automatic.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; }
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color) { transparentColor_ = color; }

    TCanvas& Canvas();
    HBITMAP Handle() const { return handle_; }
    // Pointer to the first byte of a row (top-down), 4-byte aligned rows.
    std::uint8_t* ScanLine(int row) const;
    int BytesPerRow() const;

    // Reads a Windows BMP file image (any format GDI understands) into this bitmap.
    bool LoadFromBmpBytes(const std::uint8_t* data, std::size_t size);
    // Replaces the picture with a copy of a GDI bitmap.
    void LoadFromHandle(HBITMAP bitmap);
    // Reads a PNG image into a 32-bit bitmap with premultiplied alpha (AlphaPremultiplied).
    bool LoadFromPngBytes(const std::uint8_t* data, std::size_t size);
    // 32-bit pixels carry premultiplied alpha: Canvas.Draw and StretchDraw blend them.
    bool AlphaPremultiplied() const { return alpha_; }
    void SetAlphaPremultiplied(bool value) { alpha_ = value; }

    bool ReadBinaryProperty(const std::string& name, TMemoryStream& stream) override;

    // Runs after the picture was replaced through LoadFrom... or the Data property.
    std::function<void()> OnChange;

private:
    bool alpha_ = false;
    void Create(int width, int height, TPixelFormat format);
    void Destroy();

    int width_ = 0;
    int height_ = 0;
    TPixelFormat format_ = TPixelFormat::pf24bit;
    HBITMAP handle_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    void* bits_ = nullptr;
    std::unique_ptr<TCanvas> canvas_;
    bool transparent_ = false;
    TColor transparentColor_ = clNone;
};

// Greys every pixel of a 24-bit bitmap but those of the key colour (how a disabled image shows).
void GreyBitmap(TBitmap& bitmap, COLORREF key);

// A picture held by an image control: one bitmap. In a form description its binary property Data
// holds a class name (a length byte and the name) and that class's data: "TBitmap" (4-byte length
// and BMP file) or "TPngImage"/"TPNGObject" (a PNG file).
class TPicture : public TPersistent {
    UI_CLASS(TPicture)
public:
    TBitmap& Bitmap() { return bitmap_; }
    const TBitmap& Bitmap() const { return bitmap_; }
    int Width() const { return bitmap_.Width(); }
    int Height() const { return bitmap_.Height(); }
    bool Empty() const { return bitmap_.Empty(); }
    bool LoadFromPngBytes(const std::uint8_t* data, std::size_t size);
    bool ReadBinaryProperty(const std::string& name, TMemoryStream& stream) override;

    std::function<void()> OnChange;

private:
    TBitmap bitmap_;
};

} // namespace ui
