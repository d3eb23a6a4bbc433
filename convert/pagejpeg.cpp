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

namespace {

std::vector<std::uint8_t> encodeWhole(const QImage &bitmap)
{
    return bitmap.isNull() || bitmap.width() == 0 || bitmap.height() == 0 ? std::vector<std::uint8_t>()
                                                                          : EncodeBaselineJpeg(bitmap);
}

} // namespace

std::function<std::vector<std::uint8_t>()> PageJpeg::DetachEncoding() const
{
    if (paint_ || encoded_)
        return {};
    return [bitmap = bitmap_] { return encodeWhole(bitmap); };
}

void PageJpeg::SaveToStream(ByteSink &stream)
{
    if (!encoded_) {
        if (paint_)
            jpeg_ = EncodeBaselineJpegInBands(bandWidth_, bandHeight_, bandRows_, paint_);
        else
            jpeg_ = encodeWhole(bitmap_);
        encoded_ = true;
    }
    if (!jpeg_.empty())
        stream.write(jpeg_.data(), jpeg_.size());
}

} // namespace folivex::convert
