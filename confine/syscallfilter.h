// The system-call filter of a confined process (seccomp): what no rendering
// needs and a hostile document could use.
//
// - socket() of every family: no Internet socket (TCP, UDP, and so DNS), no
//   Unix socket to another service (D-Bus, the name service cache). Sockets
//   the process already has, and socketpair(), keep working.
// - io_uring, which can open sockets and files past this filter;
// - ptrace and process_vm_readv/writev: no reading another process's memory.
//
// A refused call fails with EACCES (ENOSYS for io_uring) and the process
// goes on. The filter binds the calling thread and every thread and process
// it starts afterwards; install it while the process has one thread.
#pragma once

#include <string>

namespace folivex::confine {

// Whether this kernel filters system calls for unprivileged processes.
bool SyscallFilterAvailable();

// Installs the filter. The caller must have set no_new_privs. Returns an
// empty text, or why the kernel refused. Never throws.
std::string InstallSyscallFilter();

} // namespace folivex::confine
