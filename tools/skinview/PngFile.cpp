#include "PngFile.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace skinview {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Kept out of the function that calls setjmp, so no object with a destructor lives across it.
bool WriteRows(std::FILE* file, const TRgbaPicture& picture)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = png && info;
    if (ok && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(picture.Width), static_cast<png_uint_32>(picture.Height), 8,
                     PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        const std::size_t stride = static_cast<std::size_t>(picture.Width) * 4;
        for (int y = 0; y < picture.Height; ++y)
            png_write_row(png, picture.Pixels.data() + stride * static_cast<std::size_t>(y));
        png_write_end(png, nullptr);
    } else {
        ok = false;
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    return ok;
}

} // namespace

bool WritePng(const std::wstring& path, const TRgbaPicture& picture)
{
    if (picture.Width <= 0 || picture.Height <= 0 ||
        picture.Pixels.size() != static_cast<std::size_t>(picture.Width) * static_cast<std::size_t>(picture.Height) * 4)
        return false;
    std::unique_ptr<std::FILE, FileCloser> file(_wfopen(path.c_str(), L"wb"));
    if (!file)
        return false;
    const bool written = WriteRows(file.get(), picture) && std::fflush(file.get()) == 0;
    if (!written) {
        // No half-written picture is left behind to be mistaken for a good one.
        file.reset();
        _wremove(path.c_str());
    }
    return written;
}

} // namespace skinview
