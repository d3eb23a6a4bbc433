#include "pagejpeg.h"

#include "convert/jpegencoder.h"

namespace folivex::convert {

void PageJpeg::Assign(const QImage &bitmap, ScanLayout layout)
{
    bitmap_ = bitmap;
    layout_ = layout;
    paint_ = nullptr;
    jpeg_.clear();
    encoded_ = false;
}

void PageJpeg::AssignBands(int width, int height, int bandRows, BandPainter paint, ScanLayout layout)
{
    bitmap_ = QImage();
    layout_ = layout;
    bandWidth_ = width;
    bandHeight_ = height;
    bandRows_ = bandRows;
    paint_ = std::move(paint);
    jpeg_.clear();
    encoded_ = false;
}

namespace {

std::vector<std::uint8_t> encodeWhole(const QImage &bitmap, ScanLayout layout)
{
    return bitmap.isNull() || bitmap.width() == 0 || bitmap.height() == 0 ? std::vector<std::uint8_t>()
                                                                          : EncodeBaselineJpeg(bitmap, layout);
}

} // namespace

std::function<std::vector<std::uint8_t>()> PageJpeg::DetachEncoding() const
{
    if (paint_ || encoded_)
        return {};
    return [bitmap = bitmap_, layout = layout_] { return encodeWhole(bitmap, layout); };
}

void PageJpeg::SaveToStream(ByteSink &stream)
{
    if (!encoded_) {
        if (paint_)
            jpeg_ = EncodeBaselineJpegInBands(bandWidth_, bandHeight_, bandRows_, paint_, layout_);
        else
            jpeg_ = encodeWhole(bitmap_, layout_);
        encoded_ = true;
    }
    if (!jpeg_.empty())
        stream.write(jpeg_.data(), jpeg_.size());
}

} // namespace folivex::convert
