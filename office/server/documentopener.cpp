#include "office/server/documentopener.h"

#include "core/error.h"
#include "platform/fdsocket.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace folivex::office {

namespace {

constexpr size_t PathLimit = 4096;

// The opener's answer: 0 and the descriptor, EmptyFile, or the errno of the
// failure.
constexpr int EmptyFile = -1;

// Answers requests until it has handed over a descriptor, then leaves: a
// path that opens nothing gives nothing away, so the client may try again.
[[noreturn]] void serve(int socket)
{
    char path[PathLimit + 1];
    for (;;) {
        ssize_t n;
        do
            n = ::recv(socket, path, PathLimit, 0);
        while (n < 0 && errno == EINTR);
        if (n <= 0)
            ::_exit(0);
        path[n] = '\0';
        int answer = 0;
        // Non-blocking, so that a FIFO named like a document cannot hold it.
        int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        struct stat st {};
        if (fd < 0)
            answer = errno;
        else if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
            answer = ENOENT;
        else if (st.st_size == 0)
            answer = EmptyFile;
        if (answer != 0 && fd >= 0) {
            ::close(fd);
            fd = -1;
        }
        wire::SendWithFd(socket, reinterpret_cast<const uint8_t *>(&answer), sizeof answer, fd);
        if (fd >= 0)
            ::_exit(0);
    }
}

} // namespace

DocumentOpener DocumentOpener::start()
{
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, pair) != 0)
        throw Error(std::string("Cannot start the document opener: ") + std::strerror(errno));
    UniqueFd mine(pair[0]);
    UniqueFd theirs(pair[1]);
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0)
        throw Error(std::string("Cannot start the document opener: ") + std::strerror(errno));
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(0);
        mine.reset();
        serve(theirs.get());
    }
    DocumentOpener opener;
    opener.socket_ = std::move(mine);
    opener.pid_ = pid;
    return opener;
}

DocumentOpener::DocumentOpener(DocumentOpener &&other) noexcept
    : socket_(std::move(other.socket_)), pid_(std::exchange(other.pid_, -1))
{
}

DocumentOpener &DocumentOpener::operator=(DocumentOpener &&other) noexcept
{
    if (this != &other) {
        finish();
        socket_ = std::move(other.socket_);
        pid_ = std::exchange(other.pid_, -1);
    }
    return *this;
}

DocumentOpener::~DocumentOpener()
{
    finish();
}

void DocumentOpener::finish()
{
    socket_.reset();
    if (pid_ > 0) {
        // Without its socket the opener leaves at once.
        while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
    }
}

UniqueFd DocumentOpener::open(const std::string &path)
{
    if (!socket_)
        throw Error("Cannot open " + path + ": this host has opened its document already");
    if (path.empty() || path.size() > PathLimit || path.find('\0') != std::string::npos)
        throw Error("Cannot open " + path + ": there is no such file");
    ssize_t sent;
    do
        sent = ::send(socket_.get(), path.data(), path.size(), MSG_NOSIGNAL);
    while (sent < 0 && errno == EINTR);
    int answer = -1;
    UniqueFd fd;
    ssize_t got = -1;
    if (sent == ssize_t(path.size())) {
        for (;;) {
            got = wire::ReceiveWithFd(socket_.get(), reinterpret_cast<uint8_t *>(&answer), sizeof answer, fd);
            if (got >= 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
                break;
            pollfd p{socket_.get(), POLLIN, 0};
            ::poll(&p, 1, -1);
        }
    }
    if (got != ssize_t(sizeof answer)) {
        finish();
        throw Error("Cannot open " + path + ": the document opener is gone");
    }
    if (answer == ENOENT || answer == ENOTDIR)
        throw Error("Cannot open " + path + ": there is no such file");
    // LibreOffice opens an empty file as a new, empty document.
    if (answer == EmptyFile)
        throw Error("Cannot open " + path + ": the file is empty");
    if (answer != 0 || !fd)
        throw Error("Cannot open " + path + ": " + std::strerror(answer ? answer : EIO));
    finish();
    return fd;
}

} // namespace folivex::office
