#include "ownertag.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace folivex {

namespace {

std::string hostHash()
{
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    // FNV-1a: stable across runs and builds, which std::hash is not bound to be.
    std::uint32_t hash = 2166136261u;
    for (const char *c = host; *c; ++c)
        hash = (hash ^ static_cast<unsigned char>(*c)) * 16777619u;
    char text[16];
    std::snprintf(text, sizeof text, "%08x", hash);
    return text;
}

// Field 22 of /proc/PID/stat, the start time; empty when there is no such process.
std::string startTimeOf(long pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    const std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The command name in parentheses may hold blanks; the fields count from after it.
    std::size_t at = stat.rfind(')');
    if (at == std::string::npos)
        return {};
    for (int field = 2; field < 22 && at != std::string::npos; ++field)
        at = stat.find(' ', at + 1);
    if (at == std::string::npos)
        return {};
    return stat.substr(at + 1, stat.find(' ', at + 1) - at - 1);
}

} // namespace

std::string OwnerTag()
{
    static const std::string tag = hostHash() + "-" + std::to_string(::getpid()) + "-" + startTimeOf(::getpid());
    return tag;
}

bool OwnerIsGone(std::string_view tag)
{
    const std::size_t first = tag.find('-');
    const std::size_t second = first == std::string_view::npos ? first : tag.find('-', first + 1);
    if (second == std::string_view::npos || tag.substr(0, first) != hostHash())
        return false;
    long pid = 0;
    const std::string_view pidText = tag.substr(first + 1, second - first - 1);
    const auto [end, error] = std::from_chars(pidText.data(), pidText.data() + pidText.size(), pid);
    if (error != std::errc() || end != pidText.data() + pidText.size() || pid <= 0)
        return false;
    if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
        return true;
    const std::string started = startTimeOf(pid);
    return !started.empty() && started != tag.substr(second + 1);
}

std::string_view OwnerTagIn(std::string_view name, std::string_view prefix, std::string_view suffix)
{
    if (name.size() < prefix.size() + suffix.size() || name.substr(0, prefix.size()) != prefix ||
        name.substr(name.size() - suffix.size()) != suffix)
        return {};
    const std::string_view middle = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    const std::size_t last = middle.rfind('-');
    return last == std::string_view::npos ? std::string_view() : middle.substr(0, last);
}

} // namespace folivex
