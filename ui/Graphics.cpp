#include "Graphics.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace ui {

const TIdentMap& ColorIdents()
{
    static const TIdentMap map{{
        {"clBlack", 0x000000}, {"clMaroon", 0x000080}, {"clGreen", 0x008000}, {"clOlive", 0x008080},
        {"clNavy", 0x800000}, {"clPurple", 0x800080}, {"clTeal", 0x808000}, {"clGray", 0x808080},
        {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF}, {"clLime", 0x00FF00}, {"clYellow", 0x00FFFF},
        {"clBlue", 0xFF0000}, {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00}, {"clWhite", 0xFFFFFF},
        {"clScrollBar", SystemColor(COLOR_SCROLLBAR)}, {"clBackground", SystemColor(COLOR_BACKGROUND)},
        {"clActiveCaption", SystemColor(COLOR_ACTIVECAPTION)}, {"clInactiveCaption", SystemColor(COLOR_INACTIVECAPTION)},
        {"clMenu", SystemColor(COLOR_MENU)}, {"clWindow", SystemColor(COLOR_WINDOW)},
        {"clWindowFrame", SystemColor(COLOR_WINDOWFRAME)}, {"clMenuText", SystemColor(COLOR_MENUTEXT)},
        {"clWindowText", SystemColor(COLOR_WINDOWTEXT)}, {"clCaptionText", SystemColor(COLOR_CAPTIONTEXT)},
        {"clActiveBorder", SystemColor(COLOR_ACTIVEBORDER)}, {"clInactiveBorder", SystemColor(COLOR_INACTIVEBORDER)},
        {"clAppWorkSpace", SystemColor(COLOR_APPWORKSPACE)}, {"clHighlight", SystemColor(COLOR_HIGHLIGHT)},
        {"clHighlightText", SystemColor(COLOR_HIGHLIGHTTEXT)}, {"clBtnFace", SystemColor(COLOR_BTNFACE)},
        {"clBtnShadow", SystemColor(COLOR_BTNSHADOW)}, {"clGrayText", SystemColor(COLOR_GRAYTEXT)},
        {"clBtnText", SystemColor(COLOR_BTNTEXT)}, {"clInactiveCaptionText", SystemColor(COLOR_INACTIVECAPTIONTEXT)},
        {"clBtnHighlight", SystemColor(COLOR_BTNHIGHLIGHT)}, {"cl3DDkShadow", SystemColor(COLOR_3DDKSHADOW)},
        {"cl3DLight", SystemColor(COLOR_3DLIGHT)}, {"clInfoText", SystemColor(COLOR_INFOTEXT)},
        {"clInfoBk", SystemColor(COLOR_INFOBK)}, {"clNone", clNone}, {"clDefault", 0x20000000},
    }};
    return map;
}

const TIdentMap& CharsetIdents()
{
    static const TIdentMap map{{
        {"ANSI_CHARSET", ANSI_CHARSET}, {"DEFAULT_CHARSET", DEFAULT_CHARSET}, {"SYMBOL_CHARSET", SYMBOL_CHARSET},
        {"MAC_CHARSET", MAC_CHARSET}, {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET}, {"HANGEUL_CHARSET", HANGEUL_CHARSET},
        {"GB2312_CHARSET", GB2312_CHARSET}, {"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET},
        {"GREEK_CHARSET", GREEK_CHARSET}, {"TURKISH_CHARSET", TURKISH_CHARSET}, {"HEBREW_CHARSET", HEBREW_CHARSET},
        {"ARABIC_CHARSET", ARABIC_CHARSET}, {"BALTIC_CHARSET", BALTIC_CHARSET}, {"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
        {"THAI_CHARSET", THAI_CHARSET}, {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET}, {"OEM_CHARSET", OEM_CHARSET},
    }};
    return map;
}

const TEnumInfo& FontStyleElements()
{
    static const TEnumInfo info{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
    return info;
}

const TClassInfo& TFont::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TFont, TPersistent>("TFont")
        .Int("Charset", &TFont::Charset, &TFont::SetCharset, &CharsetIdents())
        .Int("Color", &TFont::Color, &TFont::SetColor, &ColorIdents())
        .Int("Height", [](TFont& f) { return -f.Height(); }, [](TFont& f, int v) { f.SetHeight(v < 0 ? -v : v); })
        .Str("Name", [](TFont& f) { return WideToUtf8(f.Name()); }, [](TFont& f, const std::string& v) { f.SetName(Utf8ToWide(v)); })
        .Int("Size", &TFont::Size, &TFont::SetSize)
        .Set("Style", FontStyleElements(), &TFont::Style, &TFont::SetStyle)
        .Build();
    return info;
}

const TClassInfo& TBrush::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TBrush, TPersistent>("TBrush")
        .Int("Color", &TBrush::Color, &TBrush::SetColor, &ColorIdents())
        .Build();
    return info;
}

const TClassInfo& TPen::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TPen, TPersistent>("TPen")
        .Int("Color", &TPen::Color, &TPen::SetColor, &ColorIdents())
        .Int("Width", &TPen::Width, &TPen::SetWidth)
        .Build();
    return info;
}

const TClassInfo& TBitmap::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TBitmap, TPersistent>("TBitmap")
        .Int("Width", &TBitmap::Width, [](TBitmap& b, int v) { b.SetSize(v, b.Height()); })
        .Int("Height", &TBitmap::Height, [](TBitmap& b, int v) { b.SetSize(b.Width(), v); })
        .Bool("Transparent", &TBitmap::Transparent, &TBitmap::SetTransparent)
        .Build();
    return info;
}

const TClassInfo& TPicture::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TPicture, TPersistent>("TPicture").Build();
    return info;
}

COLORREF ColorToRGB(TColor color)
{
    if (static_cast<std::uint32_t>(color) & 0xFF000000u)
        return GetSysColor(static_cast<int>(static_cast<std::uint32_t>(color) & 0xFF));
    return static_cast<COLORREF>(color) & 0xFFFFFF;
}

// ---- TFont ----

TFont::TFont() = default;
TFont::~TFont() { Release(); }

void TFont::Release()
{
    if (handle_)
        DeleteObject(handle_);
    handle_ = nullptr;
}

void TFont::Changed()
{
    Release();
    if (OnChange)
        OnChange();
}

void TFont::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    if (OnChange)
        OnChange();
}

void TFont::SetCharset(int charset)
{
    if (charset != charset_) { charset_ = charset; Changed(); }
}

void TFont::Assign(const TFont& other)
{
    // The same face keeps its handle (making a font is not cheap; menus assign one per item).
    if (name_ == other.name_ && height_ == other.height_ && style_ == other.style_ && charset_ == other.charset_) {
        SetColor(other.color_);
        return;
    }
    name_ = other.name_;
    height_ = other.height_;
    style_ = other.style_;
    color_ = other.color_;
    charset_ = other.charset_;
    Changed();
}

void TFont::SetName(const std::wstring& name)
{
    if (name != name_) { name_ = name; Changed(); }
}

void TFont::SetHeight(int height)
{
    if (height != height_) { height_ = height; Changed(); }
}

void TFont::SetStyle(TFontStyles style)
{
    if (style != style_) { style_ = style; Changed(); }
}

void TFont::SetFromHandle(HFONT font)
{
    LOGFONTW log{};
    if (!GetObjectW(font, sizeof(log), &log))
        return;
    name_ = log.lfFaceName;
    height_ = std::abs(log.lfHeight);
    style_ = (log.lfWeight >= FW_BOLD ? unsigned(TFontStyle::Bold) : 0u) | (log.lfItalic ? unsigned(TFontStyle::Italic) : 0u)
        | (log.lfUnderline ? unsigned(TFontStyle::Underline) : 0u) | (log.lfStrikeOut ? unsigned(TFontStyle::StrikeOut) : 0u);
    charset_ = log.lfCharSet;
    Changed();
}

HFONT TFont::Handle()
{
    if (!handle_) {
        LOGFONTW log{};
        log.lfHeight = -height_;
        log.lfWeight = (style_ & unsigned(TFontStyle::Bold)) ? FW_BOLD : FW_NORMAL;
        log.lfItalic = (style_ & unsigned(TFontStyle::Italic)) ? 1 : 0;
        log.lfUnderline = (style_ & unsigned(TFontStyle::Underline)) ? 1 : 0;
        log.lfStrikeOut = (style_ & unsigned(TFontStyle::StrikeOut)) ? 1 : 0;
        log.lfCharSet = static_cast<BYTE>(charset_);
        log.lfQuality = DEFAULT_QUALITY;
        wcsncpy(log.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
        handle_ = CreateFontIndirectW(&log);
    }
    return handle_;
}

// ---- TBrush / TPen ----

TBrush::~TBrush()
{
    if (handle_)
        DeleteObject(handle_);
}

void TBrush::SetColor(TColor color)
{
    if (color == color_ && style_ == TBrushStyle::Solid)
        return;
    color_ = color;
    style_ = TBrushStyle::Solid;
    if (handle_) { DeleteObject(handle_); handle_ = nullptr; }
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (style == style_)
        return;
    style_ = style;
    if (handle_) { DeleteObject(handle_); handle_ = nullptr; }
}

HBRUSH TBrush::Handle()
{
    if (!handle_) {
        LOGBRUSH log{};
        log.lbStyle = style_ == TBrushStyle::Clear ? BS_NULL : BS_SOLID;
        log.lbColor = ColorToRGB(color_);
        handle_ = CreateBrushIndirect(&log);
    }
    return handle_;
}

TPen::~TPen()
{
    if (handle_)
        DeleteObject(handle_);
}

void TPen::SetColor(TColor color)
{
    if (color == color_) return;
    color_ = color;
    if (handle_) { DeleteObject(handle_); handle_ = nullptr; }
}

void TPen::SetWidth(int width)
{
    if (width == width_) return;
    width_ = width;
    if (handle_) { DeleteObject(handle_); handle_ = nullptr; }
}

HPEN TPen::Handle()
{
    if (!handle_)
        handle_ = CreatePen(PS_SOLID, width_, ColorToRGB(color_));
    return handle_;
}

// ---- TCanvas ----

TCanvas::~TCanvas() { Unselect(); }

void TCanvas::Unselect()
{
    if (!dc_)
        return;
    if (oldFont_) SelectObject(dc_, oldFont_);
    if (oldBrush_) SelectObject(dc_, oldBrush_);
    if (oldPen_) SelectObject(dc_, oldPen_);
    oldFont_ = oldBrush_ = oldPen_ = nullptr;
}

void TCanvas::SetHandle(HDC dc)
{
    if (dc == dc_)
        return;
    Unselect();
    dc_ = dc;
}

void TCanvas::Prepare()
{
    if (!dc_)
        return;
    HGDIOBJ old = SelectObject(dc_, font_.Handle());
    if (!oldFont_) oldFont_ = old;
    old = SelectObject(dc_, brush_.Handle());
    if (!oldBrush_) oldBrush_ = old;
    old = SelectObject(dc_, pen_.Handle());
    if (!oldPen_) oldPen_ = old;
    SetTextColor(dc_, ColorToRGB(font_.Color()));
    if (brush_.Style() == TBrushStyle::Clear) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, ColorToRGB(brush_.Color()));
    }
}

void TCanvas::FillRect(const TRect& rect)
{
    if (!dc_) return;
    Prepare();
    ::FillRect(dc_, &rect, brush_.Handle());
}

void TCanvas::FrameRect(const TRect& rect)
{
    if (!dc_) return;
    Prepare();
    ::FrameRect(dc_, &rect, brush_.Handle());
}

void TCanvas::Rectangle(const TRect& rect)
{
    if (!dc_) return;
    Prepare();
    ::Rectangle(dc_, rect.left, rect.top, rect.right, rect.bottom);
}

void TCanvas::MoveTo(int x, int y)
{
    if (dc_) MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y)
{
    if (!dc_) return;
    Prepare();
    ::LineTo(dc_, x, y);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    if (dc_) ::SetPixel(dc_, x, y, ColorToRGB(color));
}

TColor TCanvas::Pixel(int x, int y) const
{
    return dc_ ? static_cast<TColor>(::GetPixel(dc_, x, y)) : clNone;
}

void TCanvas::TextOut(int x, int y, const std::wstring& text)
{
    if (!dc_) return;
    Prepare();
    ::TextOutW(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

SIZE TCanvas::TextExtent(const std::wstring& text)
{
    SIZE size{};
    if (!dc_) return size;
    Prepare();
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

int TCanvas::DrawText(const std::wstring& text, TRect& rect, UINT format)
{
    if (!dc_) return 0;
    Prepare();
    return ::DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect)
{
    if (!dc_ || !source.dc_) return;
    StretchBlt(dc_, dest.left, dest.top, RectWidth(dest), RectHeight(dest), source.dc_, sourceRect.left,
               sourceRect.top, RectWidth(sourceRect), RectHeight(sourceRect), SRCCOPY);
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap)
{
    if (!dc_ || bitmap.Empty()) return;
    HDC source = bitmap.Canvas().Handle();
    if (bitmap.AlphaPremultiplied() && bitmap.PixelFormat() == TPixelFormat::pf32bit) {
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dc_, x, y, bitmap.Width(), bitmap.Height(), source, 0, 0, bitmap.Width(), bitmap.Height(), blend);
    } else if (bitmap.Transparent()) {
        TransparentBlt(dc_, x, y, bitmap.Width(), bitmap.Height(), source, 0, 0, bitmap.Width(), bitmap.Height(),
                       ColorToRGB(bitmap.TransparentColor()));
    } else {
        BitBlt(dc_, x, y, bitmap.Width(), bitmap.Height(), source, 0, 0, SRCCOPY);
    }
}

void TCanvas::StretchDraw(const TRect& dest, TBitmap& bitmap)
{
    if (!dc_ || bitmap.Empty()) return;
    HDC source = bitmap.Canvas().Handle();
    if (bitmap.AlphaPremultiplied() && bitmap.PixelFormat() == TPixelFormat::pf32bit) {
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        SetStretchBltMode(dc_, HALFTONE);
        AlphaBlend(dc_, dest.left, dest.top, RectWidth(dest), RectHeight(dest), source, 0, 0, bitmap.Width(),
                   bitmap.Height(), blend);
    } else if (bitmap.Transparent()) {
        TransparentBlt(dc_, dest.left, dest.top, RectWidth(dest), RectHeight(dest), source, 0, 0, bitmap.Width(),
                       bitmap.Height(), ColorToRGB(bitmap.TransparentColor()));
    } else {
        StretchBlt(dc_, dest.left, dest.top, RectWidth(dest), RectHeight(dest), source, 0, 0, bitmap.Width(),
                   bitmap.Height(), SRCCOPY);
    }
}

void TCanvas::SetStretchMode(int mode)
{
    if (dc_) SetStretchBltMode(dc_, mode);
}

// ---- TBitmap ----

TBitmap::TBitmap(int width, int height, TPixelFormat format) { Create(width, height, format); }

TBitmap::~TBitmap() { Destroy(); }

void TBitmap::Destroy()
{
    if (canvas_) {
        HDC dc = canvas_->Handle();
        canvas_->SetHandle(nullptr);
        if (dc) {
            if (oldBitmap_) SelectObject(dc, oldBitmap_);
            DeleteDC(dc);
        }
    }
    oldBitmap_ = nullptr;
    if (handle_)
        DeleteObject(handle_);
    handle_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = 0;
}

void TBitmap::Create(int width, int height, TPixelFormat format)
{
    format_ = format;
    if (width <= 0 || height <= 0) {
        width_ = height_ = 0;
        return;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(format);
    info.bmiHeader.biCompression = BI_RGB;
    handle_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (!handle_) {
        width_ = height_ = 0;
        return;
    }
    width_ = width;
    height_ = height;
    std::memset(bits_, 0, static_cast<std::size_t>(BytesPerRow()) * height_);
}

TCanvas& TBitmap::Canvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TCanvas>();
    if (!canvas_->Handle() && handle_) {
        HDC dc = CreateCompatibleDC(nullptr);
        oldBitmap_ = SelectObject(dc, handle_);
        canvas_->SetHandle(dc);
    }
    return *canvas_;
}

int TBitmap::BytesPerRow() const
{
    return ((width_ * static_cast<int>(format_) + 31) / 32) * 4;
}

std::uint8_t* TBitmap::ScanLine(int row) const
{
    if (!bits_ || row < 0 || row >= height_)
        return nullptr;
    GdiFlush();
    return static_cast<std::uint8_t*>(bits_) + static_cast<std::size_t>(row) * BytesPerRow();
}

void TBitmap::SetSize(int width, int height)
{
    if (width == width_ && height == height_ && (handle_ || width <= 0 || height <= 0))
        return;
    TBitmap old;
    std::swap(old.handle_, handle_);
    std::swap(old.bits_, bits_);
    std::swap(old.width_, width_);
    std::swap(old.height_, height_);
    std::swap(old.canvas_, canvas_);
    std::swap(old.oldBitmap_, oldBitmap_);
    old.format_ = format_;
    Create(width, height, format_);
    if (handle_ && !old.Empty())
        BitBlt(Canvas().Handle(), 0, 0, std::min(width_, old.width_), std::min(height_, old.height_), old.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == format_)
        return;
    if (Empty()) {
        format_ = format;
        return;
    }
    TBitmap converted(width_, height_, format);
    BitBlt(converted.Canvas().Handle(), 0, 0, width_, height_, Canvas().Handle(), 0, 0, SRCCOPY);
    Destroy();
    format_ = format;
    std::swap(handle_, converted.handle_);
    std::swap(bits_, converted.bits_);
    std::swap(canvas_, converted.canvas_);
    std::swap(oldBitmap_, converted.oldBitmap_);
    width_ = converted.width_;
    height_ = converted.height_;
    converted.width_ = converted.height_ = 0;
}

void TBitmap::Assign(const TBitmap& other)
{
    Destroy();
    format_ = other.format_;
    transparent_ = other.transparent_;
    transparentColor_ = other.transparentColor_;
    alpha_ = other.alpha_;
    Create(other.width_, other.height_, other.format_);
    if (handle_)
        std::memcpy(bits_, other.bits_, static_cast<std::size_t>(BytesPerRow()) * height_);
}

TColor TBitmap::TransparentColor() const
{
    if (transparentColor_ != clNone)
        return transparentColor_;
    // Automatic: the bottom-left pixel.
    const std::uint8_t* row = ScanLine(height_ - 1);
    if (!row)
        return clNone;
    return static_cast<TColor>(row[2] | (row[1] << 8) | (row[0] << 16));
}

bool TBitmap::LoadFromBmpBytes(const std::uint8_t* data, std::size_t size)
{
    if (size < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || data[0] != 'B' || data[1] != 'M')
        return false;
    BITMAPFILEHEADER file;
    std::memcpy(&file, data, sizeof(file));
    const auto* info = reinterpret_cast<const BITMAPINFO*>(data + sizeof(BITMAPFILEHEADER));
    const BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biWidth <= 0 || header.biHeight == 0
        || file.bfOffBits >= size)
        return false;
    const int width = header.biWidth;
    const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    const std::size_t stride = ((static_cast<std::size_t>(width) * header.biBitCount + 31) / 32) * 4;
    if (header.biCompression == BI_RGB && stride * height > size - file.bfOffBits)
        return false;
    Destroy();
    Create(width, height, header.biBitCount == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);
    if (!handle_)
        return false;
    HDC screen = GetDC(nullptr);
    const int lines = SetDIBitsToDevice(Canvas().Handle(), 0, 0, width, height, 0, 0, 0, height,
                                        data + file.bfOffBits, info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return lines > 0;
}

void TBitmap::LoadFromHandle(HBITMAP bitmap)
{
    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof(info), &info))
        return;
    Destroy();
    Create(info.bmWidth, info.bmHeight, format_);
    if (!handle_)
        return;
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(Canvas().Handle(), 0, 0, width_, height_, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

namespace {
struct PngSource {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position;
};

void ReadPngData(png_structp png, png_bytep out, png_size_t count)
{
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (count > source->size - source->position)
        png_error(png, "truncated PNG data");
    std::memcpy(out, source->data + source->position, count);
    source->position += count;
}

void PngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void PngWarning(png_structp, png_const_charp) {}
} // namespace

bool TBitmap::LoadFromPngBytes(const std::uint8_t* data, std::size_t size)
{
    if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0)
        return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    PngSource source{data, size, 0};
    // Decoded rows live outside the setjmp frame so that nothing needing destruction is skipped.
    std::vector<std::uint8_t> pixels;
    std::vector<png_bytep> rows;
    png_uint_32 width = 0, height = 0;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &source, ReadPngData);
    png_read_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    if (width == 0 || height == 0 || width > 16384 || height > 16384)
        png_error(png, "unsupported size");
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4)
        png_error(png, "unexpected row size");
    pixels.resize(static_cast<std::size_t>(width) * height * 4);
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = pixels.data() + static_cast<std::size_t>(y) * width * 4;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);

    Destroy();
    Create(static_cast<int>(width), static_cast<int>(height), TPixelFormat::pf32bit);
    if (!handle_)
        return false;
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* out = ScanLine(y);
        const std::uint8_t* in = pixels.data() + static_cast<std::size_t>(y) * width * 4;
        for (int x = 0; x < width_; ++x, in += 4, out += 4) {
            const unsigned a = in[3];
            out[0] = static_cast<std::uint8_t>(in[0] * a / 255);
            out[1] = static_cast<std::uint8_t>(in[1] * a / 255);
            out[2] = static_cast<std::uint8_t>(in[2] * a / 255);
            out[3] = static_cast<std::uint8_t>(a);
        }
    }
    alpha_ = true;
    if (OnChange)
        OnChange();
    return true;
}

bool TBitmap::ReadBinaryProperty(const std::string& name, TMemoryStream& stream)
{
    if (LowerCaseAscii(name) != "data")
        return false;
    // A 4-byte length, then a BMP file.
    std::uint32_t length = 0;
    if (stream.Read(&length, 4) != 4 || length > stream.Size() - stream.Position())
        throw Exception("Bitmap data is damaged");
    if (length == 0) {
        Clear();
    } else if (!LoadFromBmpBytes(stream.Memory() + stream.Position(), length)) {
        throw Exception("Bitmap data is not a valid bitmap");
    }
    alpha_ = false;
    if (OnChange)
        OnChange();
    return true;
}

bool TPicture::LoadFromPngBytes(const std::uint8_t* data, std::size_t size)
{
    const bool ok = bitmap_.LoadFromPngBytes(data, size);
    if (ok && OnChange)
        OnChange();
    return ok;
}

bool TPicture::ReadBinaryProperty(const std::string& name, TMemoryStream& stream)
{
    if (LowerCaseAscii(name) != "data")
        return false;
    const std::uint8_t* bytes = stream.Memory();
    const std::size_t size = stream.Size();
    static const std::uint8_t pngSignature[4] = {0x89, 'P', 'N', 'G'};
    bool ok = false;
    if (size >= 8 && std::memcmp(bytes, pngSignature, 4) == 0) {
        ok = bitmap_.LoadFromPngBytes(bytes, size);
    } else if (size >= 1 && 1u + bytes[0] <= size) {
        const std::string graphicClass = LowerCaseAscii(std::string(reinterpret_cast<const char*>(bytes + 1), bytes[0]));
        TMemoryStream rest(std::vector<std::uint8_t>(bytes + 1 + bytes[0], bytes + size));
        if (graphicClass == "tbitmap")
            ok = bitmap_.ReadBinaryProperty("Data", rest);
        else if (graphicClass == "tpngimage" || graphicClass == "tpngobject")
            ok = bitmap_.LoadFromPngBytes(rest.Memory(), rest.Size());
        else
            throw Exception("Unknown picture class " + graphicClass);
    }
    if (!ok)
        throw Exception("Picture data is damaged");
    if (OnChange)
        OnChange();
    return true;
}

void GreyBitmap(TBitmap& bitmap, COLORREF key)
{
    if (bitmap.Empty() || bitmap.PixelFormat() != TPixelFormat::pf24bit)
        return;
    GdiFlush();
    const std::uint8_t kr = GetRValue(key), kg = GetGValue(key), kb = GetBValue(key);
    for (int row = 0; row < bitmap.Height(); ++row) {
        std::uint8_t* p = bitmap.ScanLine(row);
        for (int col = 0; col < bitmap.Width(); ++col, p += 3) {
            if (p[0] == kb && p[1] == kg && p[2] == kr)
                continue;
            const int luma = (p[2] * 30 + p[1] * 59 + p[0] * 11) / 100;
            const std::uint8_t g = static_cast<std::uint8_t>(128 + luma / 2);
            p[0] = p[1] = p[2] = g;
        }
    }
}

} // namespace ui
