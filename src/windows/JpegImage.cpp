#include "windows/JpegImage.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "platform/Error.h"

namespace tabrix {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

void onFatal(j_common_ptr info) {
    // libjpeg would exit() here; jump back to the decoder instead.
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1);
}

void onMessage(j_common_ptr, int) {}  // warnings about recoverable damage are not shown

}  // namespace

Pixels decodeJpeg(const std::string& bytes) {
    if (bytes.empty()) throw Error("Cannot decode the picture");
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onFatal;
    errors.base.emit_message = onMessage;
    Pixels out;  // declared before setjmp so nothing with a destructor is skipped by longjmp
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        throw Error("Cannot decode the picture");
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width == 0 || info.image_height == 0 ||
        info.image_width > static_cast<unsigned>(kMaxPictureSide) ||
        info.image_height > static_cast<unsigned>(kMaxPictureSide)) {
        jpeg_destroy_decompress(&info);
        throw Error("Cannot decode the picture");
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    out.width = static_cast<int>(info.output_width);
    out.height = static_cast<int>(info.output_height);
    out.data.resize(static_cast<size_t>(out.width) * out.height);
    std::vector<unsigned char> row(static_cast<size_t>(out.width) * 3);
    while (info.output_scanline < info.output_height) {
        unsigned char* rows[1] = {row.data()};
        const int y = static_cast<int>(info.output_scanline);
        jpeg_read_scanlines(&info, rows, 1);
        uint32_t* dst = &out.data[static_cast<size_t>(y) * out.width];
        for (int x = 0; x < out.width; ++x)
            dst[x] = (uint32_t(row[3 * x]) << 16) | (uint32_t(row[3 * x + 1]) << 8) | row[3 * x + 2];
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return out;
}

}  // namespace tabrix
