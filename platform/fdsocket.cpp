#include "platform/fdsocket.h"

#include <sys/socket.h>

#include <cerrno>
#include <cstring>

namespace folivex::wire {

ssize_t SendWithFd(int socket, const uint8_t *data, size_t size, int fd)
{
    iovec iov{const_cast<uint8_t *>(data), size};
    msghdr msg{};
    msg.msg_iov = &iov;
    msg.msg_iovlen = 1;
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    if (fd >= 0) {
        msg.msg_control = control;
        msg.msg_controllen = sizeof control;
        cmsghdr *cm = CMSG_FIRSTHDR(&msg);
        cm->cmsg_level = SOL_SOCKET;
        cm->cmsg_type = SCM_RIGHTS;
        cm->cmsg_len = CMSG_LEN(sizeof(int));
        std::memcpy(CMSG_DATA(cm), &fd, sizeof fd);
    }
    return ::sendmsg(socket, &msg, MSG_NOSIGNAL);
}

bool SendFrame(int socket, const std::vector<uint8_t> &frame, int fd)
{
    size_t sent = 0;
    while (sent < frame.size()) {
        const ssize_t n = SendWithFd(socket, frame.data() + sent, frame.size() - sent, sent == 0 ? fd : -1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EPIPE;
            return false;
        }
        sent += size_t(n);
    }
    return true;
}

ssize_t ReceiveWithFd(int socket, uint8_t *data, size_t size, UniqueFd &fd)
{
    iovec iov{data, size};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))];
    msghdr msg{};
    msg.msg_iov = &iov;
    msg.msg_iovlen = 1;
    msg.msg_control = control;
    msg.msg_controllen = sizeof control;
    const ssize_t k = ::recvmsg(socket, &msg, MSG_CMSG_CLOEXEC | MSG_DONTWAIT);
    if (k > 0)
        for (cmsghdr *cm = CMSG_FIRSTHDR(&msg); cm; cm = CMSG_NXTHDR(&msg, cm))
            if (cm->cmsg_level == SOL_SOCKET && cm->cmsg_type == SCM_RIGHTS) {
                int received;
                std::memcpy(&received, CMSG_DATA(cm), sizeof received);
                fd.reset(received);
            }
    return k;
}

} // namespace folivex::wire
