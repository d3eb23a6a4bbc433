#include "confine/confinement.h"

#include "confine/syscallfilter.h"

#include <sys/prctl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace folivex::confine {

namespace {

bool confinementWanted()
{
    const char *setting = std::getenv("FOLIVEX_CONFINEMENT");
    return !(setting && std::strcmp(setting, "0") == 0);
}

std::string environmentPath(const char *name, const std::string &fallbackBelowHome)
{
    if (const char *value = std::getenv(name); value && *value == '/')
        return value;
    const char *home = std::getenv("HOME");
    return home && *home == '/' ? std::string(home) + "/" + fallbackBelowHome : std::string();
}

} // namespace

std::vector<PathRule> OfficePathRules(const std::string &programFolder, const std::vector<std::string> &writable)
{
    namespace fs = std::filesystem;
    std::vector<PathRule> rules;
    auto read = [&](const std::string &path) {
        if (!path.empty())
            rules.push_back({path, Access::Read});
    };
    // LibreOffice's installation: the program folder's parent holds its
    // share/ and its presets; /usr the system's libraries and data.
    std::error_code ec;
    read(fs::weakly_canonical(fs::path(programFolder) / "..", ec).string());
    for (const char *system : {"/usr", "/lib", "/lib64", "/lib32", "/bin", "/sbin"})
        read(system);
    // The configuration LibreOffice, the loader, fontconfig and the C
    // library read; the rest of /etc stays out of reach.
    for (const char *config : {"/etc/libreoffice", "/etc/fonts", "/etc/ld.so.cache", "/etc/ld.so.conf",
                               "/etc/ld.so.conf.d", "/etc/localtime", "/etc/timezone", "/etc/papersize",
                               "/etc/locale.alias", "/etc/locale.conf", "/etc/default/locale", "/etc/nsswitch.conf",
                               "/var/cache/fontconfig", "/var/lib/libreoffice", "/var/spool/libreoffice"})
        read(config);
    // The user's own fonts and fontconfig's cache of them.
    const std::string dataHome = environmentPath("XDG_DATA_HOME", ".local/share");
    const std::string cacheHome = environmentPath("XDG_CACHE_HOME", ".cache");
    const std::string configHome = environmentPath("XDG_CONFIG_HOME", ".config");
    if (!dataHome.empty())
        read(dataHome + "/fonts");
    if (!cacheHome.empty())
        read(cacheHome + "/fontconfig");
    if (!configHome.empty())
        read(configHome + "/fontconfig");
    if (const char *home = std::getenv("HOME"); home && *home == '/')
        read(std::string(home) + "/.fonts");
    // This process's own /proc entries and the machine's processor and
    // memory facts; no other process's.
    read("/proc/" + std::to_string(::getpid()));
    for (const char *fact : {"/proc/meminfo", "/proc/cpuinfo", "/proc/stat", "/proc/filesystems", "/proc/sys/kernel",
                             "/proc/sys/vm/overcommit_memory", "/sys/devices/system/cpu", "/sys/fs/cgroup"})
        read(fact);
    for (const char *device : {"/dev/urandom", "/dev/random"})
        read(device);
    rules.push_back({"/dev/null", Access::ReadWrite});
    for (const std::string &folder : writable)
        rules.push_back({folder, Access::ReadWrite});
    return rules;
}

Confinement ConfineProcess(const std::vector<PathRule> &rules)
{
    Confinement done;
    if (!confinementWanted()) {
        done.missing.push_back("confinement turned off by FOLIVEX_CONFINEMENT=0");
        return done;
    }
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) {
        done.missing.push_back(std::string("no_new_privs: ") + std::strerror(errno));
        return done;
    }
    done.noNewPrivs = true;
    if (std::string why = RestrictPaths(rules); why.empty())
        done.landlock = true;
    else
        done.missing.push_back("Landlock: " + why);
    if (std::string why = InstallSyscallFilter(); why.empty())
        done.syscallFilter = true;
    else
        done.missing.push_back("system-call filter: " + why);
    return done;
}

std::string ProtectionSummary()
{
    const char *links = std::getenv("FOLIVEX_BLOCK_LINKS");
    std::string line = links && std::strcmp(links, "0") == 0
                           ? "Document protections: links not blocked (FOLIVEX_BLOCK_LINKS=0)"
                           : "Document protections: links blocked by LibreOffice's settings";
    if (!confinementWanted())
        return line + "; kernel confinement turned off (FOLIVEX_CONFINEMENT=0)";
    const int abi = LandlockAbi();
    line += abi > 0 ? "; files: Landlock ABI " + std::to_string(abi) + (abi >= 4 ? " (TCP refused too)" : "")
                    : "; files: not confined (the kernel has no Landlock)";
    line += SyscallFilterAvailable() ? "; network: no sockets (seccomp)"
                                     : "; network: not confined (the kernel has no seccomp)";
    return line + "; memory limited per document";
}

} // namespace folivex::confine
