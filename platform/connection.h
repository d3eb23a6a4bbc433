// Connection: the client's side of one Office host. It owns the host process
// and speaks the protocol of platform/protocol.h with it.
//
// Calls are synchronous for their caller but may nest: while a call waits,
// the message pump runs and may make further calls on this connection;
// replies are matched to their requests by sequence number. A host that
// ends, breaks the protocol or exceeds a call's time limit is killed with its
// process group; from then on every call throws folivex::Error with the text
// that says what happened ("Word ended unexpectedly (killed by signal 9)"),
// except Quit and releases, which do nothing on a host that has ended.
//
// Owned through shared_ptr by every object proxy of the host; the clipboard's
// pictures hold it weakly. The destructor ends the host.
#pragma once

#include "core/mappedregion.h"
#include "platform/frameparser.h"
#include "platform/hostprocess.h"
#include "platform/quitmembers.h"
#include "platform/remotehost.h"
#include "platform/valuecodec.h"
#include "platform/variant.h"
#include "platform/wire.h"

#include <QImage>
#include <QRect>

#include <chrono>
#include <map>
#include <memory>
#include <string>

namespace folivex::automation {

class Connection : public RemoteHost, public std::enable_shared_from_this<Connection> {
public:
    // Starts the host for `application` ("Word", "PowerPoint" or "Excel") and
    // returns its application object. Throws folivex::Error with the host's
    // own reason when it cannot start.
    static Variant start(const std::string &application);
    // The two halves of start: the host process started (it initialises
    // LibreOffice on its own meanwhile), then its greeting awaited.
    static std::shared_ptr<Connection> spawn(const std::string &application);
    Variant greet();
    // Ends the host now; every later call fails with `why`.
    void end(const std::string &why) { die(why); }
    ~Connection() override;
    // Ends every live host of this process (see automation::EndAllHosts).
    static void endAll(const std::string &why);
    // Ends the live host whose process id is `pid`, if there is one.
    static void endHost(int pid, const std::string &why);

    const std::string &application() const { return application_; }
    int pid() const override { return process_.pid(); }

    int32_t resolve(uint32_t object, uint32_t classId, std::string_view name) override;
    Variant invoke(uint32_t object, uint32_t classId, int32_t dispid, unsigned flags,
                   const std::vector<Variant> &args) override;
    // Only the rows of `rect` inside the target are rendered.
    void render(uint32_t picture, QImage &target, const QRect &rect) override;
    void releaseObject(uint32_t object) noexcept override;
    void releasePicture(uint32_t picture) noexcept override;

private:
    Connection(const std::string &application, std::vector<std::string> args);

    // Sends `request` and waits for its reply: the Reply it holds, or
    // folivex::Error with the host's text when it failed. `withFd`: a
    // descriptor to pass along (SCM_RIGHTS), or -1.
    template <typename Reply> Reply call(const wire::WireWriter &request, bool slow, int withFd = -1);
    // Sends a request that has no reply; nothing on a host that has ended.
    void post(const wire::WireWriter &request) noexcept;
    void send(uint32_t seq, const wire::WireWriter &body, int withFd);
    // Waits up to `limit` for the reply numbered `seq` and returns its body,
    // running the pump meanwhile. `starting`: the greeting, whose texts say
    // that the host did not start rather than that it did not answer.
    std::vector<uint8_t> awaitReply(uint32_t seq, std::chrono::milliseconds limit, bool starting);
    // Reads what the socket has and files complete replies; false on EOF.
    bool readAvailable();
    void die(const std::string &why);
    // The host ends after the reply to its Quit: every later call fails.
    void hostQuit();
    void checkAlive() const;
    // A value from the host (an object becomes a proxy) and one for it
    // (throws folivex::Error for an object, which the host cannot take).
    Variant fromWire(wire::Value value);
    wire::Value toWire(const Variant &value) const;

    std::string application_;
    HostProcess process_;
    bool alive_ = true;
    std::string deadText_;
    uint32_t nextSeq_ = 0;
    // What the host sent and no reply has been cut from yet.
    wire::FrameParser inbox_;
    std::map<uint32_t, std::vector<uint8_t>> replies_;
    // Member ids by class and lower-cased name; `slow` marks Open.
    struct Member {
        int32_t dispid;
        bool slow;
    };
    std::map<std::pair<uint32_t, std::string>, Member> members_;
    std::map<std::pair<uint32_t, int32_t>, bool> slowById_;
    // Once the host has ended, Quit does nothing.
    QuitMembers quitMembers_;
    // Shared pixel buffer for render(), mapped here and by the host.
    UniqueFd bufferFd_;
    MappedRegion buffer_;
};

} // namespace folivex::automation
