// HostValue: a value as the host's objects take and return it: empty, null,
// Boolean, 32-bit integer, double, UTF-8 string or one of the host's objects.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace folivex::office {

class HostObject;

struct HostNull {
    bool operator==(const HostNull &) const = default;
};

using HostValue =
    std::variant<std::monostate, HostNull, bool, int32_t, double, std::string, std::shared_ptr<HostObject>>;
using HostArgs = std::vector<HostValue>;

// Argument `index` of `args` as a number or a string, the way Office reads
// its arguments; throws folivex::Error("Argument N of NAME ...") when it is
// missing or has another type.
int32_t intArgument(const HostArgs &args, size_t index, const char *member);
double numberArgument(const HostArgs &args, size_t index, const char *member);
std::string stringArgument(const HostArgs &args, size_t index, const char *member);

} // namespace folivex::office
