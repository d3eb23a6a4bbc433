#include "platform/remotepicture.h"

#include "core/error.h"
#include "platform/remotehost.h"

namespace folivex::automation {

RemotePicture::RemotePicture(std::weak_ptr<RemoteHost> connection, uint32_t picture, std::string application)
    : connection_(std::move(connection)), picture_(picture), application_(std::move(application))
{
}

RemotePicture::~RemotePicture()
{
    if (auto connection = connection_.lock())
        connection->releasePicture(picture_);
}

void RemotePicture::play(QImage &target, const QRect &rect) const
{
    if (target.format() != QImage::Format_RGB888)
        throw Error("A picture plays only into a 24-bit RGB bitmap");
    auto connection = connection_.lock();
    if (!connection)
        throw Error("Cannot draw the picture: " + application_ + " has ended");
    connection->render(picture_, target, rect);
}

} // namespace folivex::automation
