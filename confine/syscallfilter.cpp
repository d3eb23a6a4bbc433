#include "confine/syscallfilter.h"

#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <vector>

namespace folivex::confine {

namespace {

#if defined(__x86_64__)
constexpr uint32_t ThisArch = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
constexpr uint32_t ThisArch = AUDIT_ARCH_AARCH64;
#else
constexpr uint32_t ThisArch = 0;
#endif

// x32 calls share the x86_64 architecture with this bit set in the number.
constexpr uint32_t X32Bit = 0x40000000;

sock_filter statement(uint16_t code, uint32_t k)
{
    return BPF_STMT(code, k);
}
sock_filter jump(uint16_t code, uint32_t k, uint8_t yes, uint8_t no)
{
    return BPF_JUMP(code, k, yes, no);
}

void refuse(std::vector<sock_filter> &program, long number, int error)
{
    program.push_back(jump(BPF_JMP | BPF_JEQ | BPF_K, uint32_t(number), 0, 1));
    program.push_back(statement(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | uint32_t(error)));
}

} // namespace

bool SyscallFilterAvailable()
{
    // Asking for the mode works wherever seccomp is built in.
    return ThisArch != 0 && ::prctl(PR_GET_SECCOMP, 0, 0, 0, 0) >= 0;
}

std::string InstallSyscallFilter()
{
    if (ThisArch == 0)
        return "no system-call filter for this processor";
    std::vector<sock_filter> program;
    // A call made for another architecture's table would name other calls:
    // the process is ended.
    program.push_back(statement(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)));
    program.push_back(jump(BPF_JMP | BPF_JEQ | BPF_K, ThisArch, 1, 0));
    program.push_back(statement(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS));
    program.push_back(statement(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)));
#if defined(__x86_64__)
    program.push_back(jump(BPF_JMP | BPF_JGE | BPF_K, X32Bit, 0, 1));
    program.push_back(statement(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EACCES));
#endif
    refuse(program, SYS_socket, EACCES);
    refuse(program, SYS_io_uring_setup, ENOSYS);
    refuse(program, SYS_io_uring_enter, ENOSYS);
    refuse(program, SYS_io_uring_register, ENOSYS);
    refuse(program, SYS_ptrace, EPERM);
    refuse(program, SYS_process_vm_readv, EPERM);
    refuse(program, SYS_process_vm_writev, EPERM);
    program.push_back(statement(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));

    sock_fprog fprog{static_cast<unsigned short>(program.size()), program.data()};
    if (::syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, 0, &fprog) != 0)
        return std::string("seccomp: ") + std::strerror(errno);
    return {};
}

} // namespace folivex::confine
