// RemoteHost: what the client's proxies of a host's objects and pictures ask
// of the connection to that host. Connection is the one implementation; the
// proxies know only this, so they and the connection that makes them do not
// depend on each other.
#pragma once

#include "platform/variant.h"

#include <QImage>
#include <QRect>

#include <cstdint>
#include <string_view>
#include <vector>

namespace folivex::automation {

class RemoteHost {
public:
    virtual ~RemoteHost() = default;

    // Calls on object `object` of class `classId`; both throw folivex::Error
    // with the host's text, or with the text of how the host ended.
    virtual int32_t resolve(uint32_t object, uint32_t classId, std::string_view name) = 0;
    virtual Variant invoke(uint32_t object, uint32_t classId, int32_t dispid, unsigned flags,
                           const std::vector<Variant> &args) = 0;
    // Renders picture `picture` at the size of `rect` and composes it into
    // `target` (Format_RGB888) there; throws folivex::Error.
    virtual void render(uint32_t picture, QImage &target, const QRect &rect) = 0;
    // Best effort, never throws: a dead host has freed everything already.
    virtual void releaseObject(uint32_t object) noexcept = 0;
    virtual void releasePicture(uint32_t picture) noexcept = 0;
    // The host's process id.
    virtual int pid() const = 0;
};

} // namespace folivex::automation
