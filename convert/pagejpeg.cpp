#include "pagejpeg.h"

#include "convert/jpegencoder.h"

namespace folivex::convert {

void PageJpeg::Assign(const QImage &bitmap)
{
    bitmap_ = bitmap;
    paint_ = nullptr;
    jpeg_.clear();
    encoded_ = false;
}

void PageJpeg::AssignBands(int width, int height, int bandRows, BandPainter paint)
{
    bitmap_ = QImage();
    bandWidth_ = width;
    bandHeight_ = height;
    bandRows_ = bandRows;
    paint_ = std::move(paint);
    jpeg_.clear();
    encoded_ = false;
}

void PageJpeg::SaveToStream(ByteSink &stream)
{
    if (!encoded_) {
        if (paint_)
            jpeg_ = EncodeBaselineJpegInBands(bandWidth_, bandHeight_, bandRows_, paint_);
        else
            jpeg_ = bitmap_.isNull() || bitmap_.width() == 0 || bitmap_.height() == 0
                        ? std::vector<std::uint8_t>()
                        : EncodeBaselineJpeg(bitmap_);
        encoded_ = true;
    }
    if (!jpeg_.empty())
        stream.write(jpeg_.data(), jpeg_.size());
}

} // namespace folivex::convert
