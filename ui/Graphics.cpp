#include "Graphics.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace ui {

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

void TFont::Assign(const TFont& other)
{
    name_ = other.name_;
    height_ = other.height_;
    style_ = other.style_;
    color_ = other.color_;
    Release();
}

void TFont::SetName(const std::wstring& name)
{
    if (name != name_) { name_ = name; Release(); }
}

void TFont::SetHeight(int height)
{
    if (height != height_) { height_ = height; Release(); }
}

void TFont::SetStyle(TFontStyles style)
{
    if (style != style_) { style_ = style; Release(); }
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
    Release();
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
        log.lfCharSet = DEFAULT_CHARSET;
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
    if (bitmap.Transparent()) {
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
    if (bitmap.Transparent()) {
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

} // namespace ui
