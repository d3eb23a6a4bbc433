// RemotePicture: a page picture kept by the Office host that made it. play()
// asks the host to render the page at the pixel size of the rectangle (with
// LibreOffice's own rendering at that size) and composes the result into the
// target. The picture holds its host weakly: once the host has ended, play()
// throws folivex::Error. Destroying it frees the host's copy.
#pragma once

#include "platform/picture.h"

#include <memory>
#include <string>

namespace folivex::automation {

class RemoteHost;

class RemotePicture : public clipboard::Picture {
public:
    RemotePicture(std::weak_ptr<RemoteHost> connection, uint32_t picture, std::string application);
    ~RemotePicture() override;
    void play(QImage &target, const QRect &rect) const override;

private:
    std::weak_ptr<RemoteHost> connection_;
    uint32_t picture_;
    std::string application_;
};

} // namespace folivex::automation
