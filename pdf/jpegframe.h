// Reading a JPEG file's frame header: its size and colour components.
#pragma once

#include "core/memorystream.h"

#include <cstdint>

namespace folivex::pdf {

enum class JpegColour { Rgb, Cmyk, Gray };

struct JpegFrame {
    std::int32_t width = 0;
    std::int32_t height = 0;
    JpegColour colour = JpegColour::Rgb;
};

// Scans `stream` from its read position for the first baseline (SOF0) or
// progressive (SOF2) frame header, skipping the segments before it by their
// lengths. Returns true for a frame of 3 (RGB), 4 (CMYK) or 1 (gray)
// components. Returns false, storing nothing, when the stream does not start
// with SOI, when EOI or a 0xFFFF pair comes first, or when a segment length
// is below 2; a frame with another component count stores its height and width
// and returns false with `frame.colour` untouched. A stream that ends inside a
// read throws folivex::Error("Stream read error").
bool ScanJpegFrameHeader(MemoryStream &stream, JpegFrame &frame);

} // namespace folivex::pdf
