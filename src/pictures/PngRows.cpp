// PNG rows through libpng: its errors come back as a jump to the calling
// function, so the functions that call into it hold no objects of their own.
#include "pictures/PngRows.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace pictures {

struct PngRowReader::State {
    const QByteArray& bytes;
    size_t offset = 0;
    png_structp png = nullptr;
    png_infop info = nullptr;
    bool failed = false;
};

namespace {

void ReadFromBytes(png_structp png, png_bytep out, png_size_t count)
{
    auto* state = static_cast<PngRowReader::State*>(png_get_io_ptr(png));
    const size_t available = static_cast<size_t>(state->bytes.size()) - state->offset;
    if (count > available) png_error(png, "truncated");
    std::memcpy(out, state->bytes.constData() + state->offset, count);
    state->offset += count;
}

// Damaged data ends the reading quietly: the caller says what it means.
[[noreturn]] void StopOnError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp)
{}

// Reads the header and sets the transformations to 8-bit BGRX rows; the
// picture's size, or an empty one.
QSize OpenPng(png_structp png, png_infop info)
{
    if (setjmp(png_jmpbuf(png))) return {};
    png_read_info(png, info);
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int depth = 0;
    int colourType = 0;
    int interlace = 0;
    png_get_IHDR(png, info, &width, &height, &depth, &colourType, &interlace, nullptr, nullptr);
    if (interlace != PNG_INTERLACE_NONE || width == 0 || height == 0 || width > 1u << 16 || height > 1u << 16) {
        return {};
    }
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    if ((colourType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS)) {
        png_color_16 black{};
        png_set_background(png, &black, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
    }
    png_set_bgr(png);
    png_set_filler(png, 0xff, PNG_FILLER_AFTER);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 4) return {};
    return QSize(static_cast<int>(width), static_cast<int>(height));
}

bool ReadPngRow(png_structp png, unsigned char* line)
{
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_row(png, line, nullptr);
    return true;
}

}  // namespace

PngRowReader::PngRowReader(const QByteArray& bytes) : state_(new State{bytes})
{
    if (!IsPng(bytes)) return;
    state_->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, StopOnError, IgnoreWarning);
    if (!state_->png) return;
    state_->info = png_create_info_struct(state_->png);
    if (!state_->info) return;
    png_set_read_fn(state_->png, state_.get(), ReadFromBytes);
    size_ = OpenPng(state_->png, state_->info);
}

PngRowReader::~PngRowReader()
{
    if (state_->png) png_destroy_read_struct(&state_->png, state_->info ? &state_->info : nullptr, nullptr);
}

bool PngRowReader::ReadRow(unsigned char* line)
{
    if (size_.isEmpty() || state_->failed || rowsRead_ >= size_.height()) return false;
    if (!ReadPngRow(state_->png, line)) {
        state_->failed = true;
        return false;
    }
    ++rowsRead_;
    return true;
}

bool PngRowReader::IsPng(const QByteArray& bytes)
{
    return bytes.size() >= 8 && png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.constData()), 0, 8) == 0;
}

}  // namespace pictures
