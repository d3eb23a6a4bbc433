#include "confine/landlock.h"

#include "core/uniquefd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace folivex::confine {

namespace {

// The kernel's interface (linux/landlock.h), written out so that the build
// does not depend on how new the installed kernel headers are.
constexpr long SysCreateRuleset = 444;
constexpr long SysAddRule = 445;
constexpr long SysRestrictSelf = 446;
constexpr uint32_t CreateRulesetVersion = 1u << 0;
constexpr int RulePathBeneath = 1;

constexpr uint64_t Execute = 1ull << 0;
constexpr uint64_t WriteFile = 1ull << 1;
constexpr uint64_t ReadFile = 1ull << 2;
constexpr uint64_t ReadDir = 1ull << 3;
constexpr uint64_t RemoveDir = 1ull << 4;
constexpr uint64_t RemoveFile = 1ull << 5;
constexpr uint64_t MakeChar = 1ull << 6;
constexpr uint64_t MakeDir = 1ull << 7;
constexpr uint64_t MakeReg = 1ull << 8;
constexpr uint64_t MakeSock = 1ull << 9;
constexpr uint64_t MakeFifo = 1ull << 10;
constexpr uint64_t MakeBlock = 1ull << 11;
constexpr uint64_t MakeSym = 1ull << 12;
constexpr uint64_t Refer = 1ull << 13;    // ABI 2
constexpr uint64_t Truncate = 1ull << 14; // ABI 3
constexpr uint64_t IoctlDev = 1ull << 15; // ABI 5
constexpr uint64_t BindTcp = 1ull << 0;   // ABI 4, network
constexpr uint64_t ConnectTcp = 1ull << 1;

struct RulesetAttr {
    uint64_t handledAccessFs;
    uint64_t handledAccessNet;
};

struct [[gnu::packed]] PathBeneathAttr {
    uint64_t allowedAccess;
    int32_t parentFd;
};

// The rights a file (not a folder) can be given.
constexpr uint64_t FileRights = Execute | WriteFile | ReadFile | Truncate | IoctlDev;

uint64_t handledRights(int abi)
{
    uint64_t rights = Execute | WriteFile | ReadFile | ReadDir | RemoveDir | RemoveFile | MakeChar | MakeDir | MakeReg |
                      MakeSock | MakeFifo | MakeBlock | MakeSym;
    if (abi >= 2)
        rights |= Refer;
    if (abi >= 3)
        rights |= Truncate;
    if (abi >= 5)
        rights |= IoctlDev;
    return rights;
}

std::string failure(const char *what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

} // namespace

int LandlockAbi()
{
    long abi = ::syscall(SysCreateRuleset, nullptr, 0, CreateRulesetVersion);
    return abi < 0 ? 0 : int(abi);
}

std::string RestrictPaths(const std::vector<PathRule> &rules)
{
    const int abi = LandlockAbi();
    if (abi < 1)
        return "the kernel has no Landlock";
    const uint64_t handled = handledRights(abi);
    RulesetAttr attr{handled, abi >= 4 ? (BindTcp | ConnectTcp) : 0};
    // An older kernel takes the older, shorter structure.
    const size_t attrSize = abi >= 4 ? sizeof attr : sizeof attr.handledAccessFs;
    UniqueFd ruleset(int(::syscall(SysCreateRuleset, &attr, attrSize, 0)));
    if (!ruleset)
        return failure("landlock_create_ruleset");

    const uint64_t read = Execute | ReadFile | ReadDir;
    // A writer may also make a device node or a socket file no more than a
    // reader may: those stay refused.
    const uint64_t write = read | WriteFile | RemoveDir | RemoveFile | MakeDir | MakeReg | MakeFifo | MakeSym |
                           (handled & (Refer | Truncate));
    for (const PathRule &rule : rules) {
        UniqueFd path(::open(rule.path.c_str(), O_PATH | O_CLOEXEC));
        if (!path)
            continue;
        struct stat st {};
        if (::fstat(path.get(), &st) != 0)
            continue;
        uint64_t allowed = rule.access == Access::Read ? read : write;
        if (!S_ISDIR(st.st_mode))
            allowed &= FileRights;
        // Character devices (/dev/null) are used through ioctl-free reads and
        // writes; the device ioctl right stays refused.
        PathBeneathAttr beneath{allowed & handled & ~IoctlDev, path.get()};
        if (::syscall(SysAddRule, ruleset.get(), RulePathBeneath, &beneath, 0) != 0)
            return failure(("landlock_add_rule for " + rule.path).c_str());
    }
    if (::syscall(SysRestrictSelf, ruleset.get(), 0) != 0)
        return failure("landlock_restrict_self");
    return {};
}

} // namespace folivex::confine
