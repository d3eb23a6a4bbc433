// Socket calls that carry a file descriptor beside the bytes (SCM_RIGHTS),
// as a picture buffer travels with the request that first uses it. Both ends
// of the client's socket, and the host's socket to its render worker, read
// and write through these.
#pragma once

#include "core/uniquefd.h"

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace folivex::wire {

// Sends up to `size` bytes of `data`, with `fd` attached unless it is -1;
// never raises SIGPIPE. Returns what sendmsg returns, errno set on failure.
ssize_t SendWithFd(int socket, const uint8_t *data, size_t size, int fd);

// Sends all of `frame`, `fd` attached to its first byte unless it is -1,
// going on after a signal interrupts it. False when the socket fails, errno
// set (EPIPE: the peer has closed its end).
bool SendFrame(int socket, const std::vector<uint8_t> &frame, int fd);

// Receives up to `size` bytes without waiting. A descriptor that came with
// them replaces `fd`, close-on-exec. Returns what recvmsg returns, errno set
// on failure (EAGAIN: nothing has arrived).
ssize_t ReceiveWithFd(int socket, uint8_t *data, size_t size, UniqueFd &fd);

} // namespace folivex::wire
