#include "jpegframe.h"

namespace folivex::pdf {

namespace {
constexpr std::uint16_t kStartOfImage = 0xFFD8;
constexpr std::uint16_t kEndOfImage = 0xFFD9;
constexpr std::uint16_t kBaselineFrame = 0xFFC0;
constexpr std::uint16_t kProgressiveFrame = 0xFFC2;
constexpr std::uint16_t kFill = 0xFFFF;
} // namespace

bool ScanJpegFrameHeader(MemoryStream &stream, JpegFrame &frame)
{
    if (stream.readBigEndian16() != kStartOfImage)
        return false;
    for (;;) {
        const std::uint16_t marker = stream.readBigEndian16();
        if (marker == kBaselineFrame || marker == kProgressiveFrame) {
            std::uint8_t lengthAndPrecision[3];
            stream.read(lengthAndPrecision, sizeof lengthAndPrecision);
            frame.height = stream.readBigEndian16();
            frame.width = stream.readBigEndian16();
            switch (stream.readByte()) {
            case 3: frame.colour = JpegColour::Rgb; return true;
            case 4: frame.colour = JpegColour::Cmyk; return true;
            case 1: frame.colour = JpegColour::Gray; return true;
            default: return false;
            }
        }
        if (marker == kFill || marker == kEndOfImage)
            return false;
        const std::uint16_t length = stream.readBigEndian16();
        // The length counts its own two bytes; anything shorter is no segment.
        if (length < 2)
            return false;
        stream.seek(stream.readPosition() + length - 2);
    }
}

} // namespace folivex::pdf
