#include "images/JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>
// jerror.h after jpeglib.h, which it needs.
#include <jerror.h>

#include "platform/Error.h"

namespace tabrix {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

void onFatal(j_common_ptr info) {
    // libjpeg would exit() here; jump back to the guard instead.
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1);
}

// Warnings about recoverable damage are not shown. Damage met before the last row is not
// recoverable, whichever warning libjpeg gives for it (a marker comes early, a code is bad):
// libjpeg would make up every missing row (thousands, for a header of a few bytes claiming a
// large picture), so the picture is refused as damaged instead. The end of the data is no
// damage by itself: the decoder reads ahead, so a whole picture without its end marker meets
// it before the last row is out; rows that really lack their data give another warning.
void onMessage(j_common_ptr info, int level) {
    if (level >= 0 || !info->is_decompressor || info->err->msg_code == JWRN_JPEG_EOF) return;
    const auto* d = reinterpret_cast<j_decompress_ptr>(info);
    if (d->output_scanline < d->output_height) onFatal(info);
}

// Everything one decoding step needs, as plain pointers: the buffers belong to the caller.
struct Decoding {
    jpeg_decompress_struct info;
    ErrorManager errors;
    const unsigned char* bytes;
    unsigned long size;
    unsigned char* row;             // one output row, 3 bytes a pixel
    std::vector<uint32_t>* pixels;  // room for width x height reserved; grows a row at a time
};

void readHeader(Decoding& d) {
    jpeg_create_decompress(&d.info);
    jpeg_mem_src(&d.info, d.bytes, d.size);
    jpeg_read_header(&d.info, TRUE);
}

void startOutput(Decoding& d) {
    d.info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d.info);
}

void readRows(Decoding& d) {
    const JDIMENSION width = d.info.output_width;
    while (d.info.output_scanline < d.info.output_height) {
        unsigned char* rows[1] = {d.row};
        const size_t at = static_cast<size_t>(d.info.output_scanline) * width;
        if (jpeg_read_scanlines(&d.info, rows, 1) != 1) break;
        d.pixels->resize(at + width);  // within the reserved room: never reallocates
        uint32_t* dst = d.pixels->data() + at;
        for (JDIMENSION x = 0; x < width; ++x)
            dst[x] = (uint32_t(d.row[3 * x]) << 16) | (uint32_t(d.row[3 * x + 1]) << 8) | d.row[3 * x + 2];
    }
}

void finish(Decoding& d) {
    jpeg_finish_decompress(&d.info);
}

// Runs one libjpeg step; false when the library raised a fatal error. The error handler's
// longjmp lands here, so this frame and every frame it jumps over (the step's, the
// library's) must own nothing with a destructor: no buffer is ever skipped.
bool guarded(Decoding& d, void (*step)(Decoding&)) {
    if (setjmp(d.errors.escape)) return false;
    step(d);
    return true;
}

[[noreturn]] void fail(Decoding& d) {
    jpeg_destroy_decompress(&d.info);
    throw Error("Cannot decode the picture");
}

}  // namespace

Pixels decodeJpeg(const std::string& bytes) {
    if (bytes.empty()) throw Error("Cannot decode the picture");
    Decoding d{};
    d.info.err = jpeg_std_error(&d.errors.base);
    d.errors.base.error_exit = onFatal;
    d.errors.base.emit_message = onMessage;
    d.bytes = reinterpret_cast<const unsigned char*>(bytes.data());
    d.size = static_cast<unsigned long>(bytes.size());
    if (!guarded(d, readHeader)) fail(d);
    if (d.info.image_width == 0 || d.info.image_height == 0 ||
        d.info.image_width > static_cast<unsigned>(kMaxPictureSide) ||
        d.info.image_height > static_cast<unsigned>(kMaxPictureSide))
        fail(d);
    if (!guarded(d, startOutput)) fail(d);
    Pixels out;
    out.width = static_cast<int>(d.info.output_width);
    out.height = static_cast<int>(d.info.output_height);
    // Reserved, not filled: a picture whose data ends early touches only the rows it had.
    const size_t all = static_cast<size_t>(out.width) * out.height;
    out.data.reserve(all);
    std::vector<unsigned char> row(static_cast<size_t>(out.width) * 3);
    d.row = row.data();
    d.pixels = &out.data;
    if (!guarded(d, readRows) || !guarded(d, finish)) fail(d);
    out.data.resize(all);
    jpeg_destroy_decompress(&d.info);
    return out;
}

}  // namespace tabrix
