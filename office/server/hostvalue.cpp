#include "office/server/hostvalue.h"

#include "core/error.h"

#include <cmath>

namespace folivex::office {

namespace {

[[noreturn]] void badArgument(size_t index, const char *member, const char *wanted)
{
    throw Error("Argument " + std::to_string(index + 1) + " of " + member + " must be " + wanted);
}

} // namespace

double numberArgument(const HostArgs &args, size_t index, const char *member)
{
    if (index >= args.size())
        badArgument(index, member, "given");
    const HostValue &v = args[index];
    if (auto i = std::get_if<int32_t>(&v))
        return *i;
    if (auto d = std::get_if<double>(&v))
        return *d;
    if (auto b = std::get_if<bool>(&v))
        return *b ? -1 : 0;
    badArgument(index, member, "a number");
}

int32_t intArgument(const HostArgs &args, size_t index, const char *member)
{
    double d = numberArgument(args, index, member);
    double r = std::nearbyint(d);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        badArgument(index, member, "a 32-bit integer");
    return int32_t(r);
}

std::string stringArgument(const HostArgs &args, size_t index, const char *member)
{
    if (index >= args.size())
        badArgument(index, member, "given");
    if (auto s = std::get_if<std::string>(&args[index]))
        return *s;
    badArgument(index, member, "a string");
}

} // namespace folivex::office
