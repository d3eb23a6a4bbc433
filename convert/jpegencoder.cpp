#include "jpegencoder.h"

#include "core/error.h"

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jpeglib.h>

namespace folivex::convert {

namespace {

constexpr std::size_t kStagingSize = 4096;

// The error manager: a library error jumps back to the compressor's caller
// with the message number; warnings and trace messages are dropped.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

void exitWithError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->escape, 1);
}

void ignoreMessage(j_common_ptr, int) {}
void ignoreOutput(j_common_ptr) {}

// The destination: a 4096-byte staging buffer emptied into a growing vector.
struct Destination {
    jpeg_destination_mgr base;
    std::vector<std::uint8_t> *bytes;
    JOCTET staging[kStagingSize];
};

void initDestination(j_compress_ptr info)
{
    auto *dest = reinterpret_cast<Destination *>(info->dest);
    dest->base.next_output_byte = dest->staging;
    dest->base.free_in_buffer = kStagingSize;
}

boolean emptyBuffer(j_compress_ptr info)
{
    auto *dest = reinterpret_cast<Destination *>(info->dest);
    dest->bytes->insert(dest->bytes->end(), dest->staging, dest->staging + kStagingSize);
    dest->base.next_output_byte = dest->staging;
    dest->base.free_in_buffer = kStagingSize;
    return TRUE;
}

void termDestination(j_compress_ptr info)
{
    auto *dest = reinterpret_cast<Destination *>(info->dest);
    dest->bytes->insert(dest->bytes->end(), dest->staging,
                        dest->staging + (kStagingSize - dest->base.free_in_buffer));
}

// Runs the compressor. Returns 0, or the library's message number after an
// error. No C++ object with a destructor lives in this frame across setjmp.
int compress(const QImage &rgb, std::vector<std::uint8_t> &bytes)
{
    jpeg_compress_struct info;
    ErrorManager errors;
    Destination dest;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = exitWithError;
    errors.base.emit_message = ignoreMessage;
    errors.base.output_message = ignoreOutput;
    if (setjmp(errors.escape)) {
        const int code = errors.base.msg_code;
        jpeg_destroy_compress(&info);
        return code;
    }
    jpeg_create_compress(&info);
    dest.base.init_destination = initDestination;
    dest.base.empty_output_buffer = emptyBuffer;
    dest.base.term_destination = termDestination;
    dest.bytes = &bytes;
    info.dest = &dest.base;

    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    JSAMPROW rows[16];
    while (info.next_scanline < info.image_height) {
        JDIMENSION count = 0;
        for (; count < 16 && info.next_scanline + count < info.image_height; ++count)
            rows[count] = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline + count)));
        jpeg_write_scanlines(&info, rows, count);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return 0;
}

} // namespace

std::vector<std::uint8_t> EncodeBaselineJpeg(const QImage &bitmap)
{
    const QImage rgb = bitmap.format() == QImage::Format_RGB888 ? bitmap
                                                                 : bitmap.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull())
        throw Error("the page bitmap cannot be converted to 24 bits per pixel", {}, 0, "encoding");
    std::vector<std::uint8_t> bytes;
    if (const int code = compress(rgb, bytes))
        throw Error("JPEG error #" + std::to_string(code));
    return bytes;
}

} // namespace folivex::convert
