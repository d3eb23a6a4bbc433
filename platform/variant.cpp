#include "platform/variant.h"

#include "core/error.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace folivex::automation {

namespace {

// A numeric string as Automation reads it: optional blanks, then a number.
bool parseNumber(const std::string &text, double &out)
{
    size_t b = text.find_first_not_of(" \t");
    size_t e = text.find_last_not_of(" \t");
    if (b == std::string::npos)
        return false;
    const char *first = text.data() + b;
    const char *last = text.data() + e + 1;
    if (*first == '+')
        ++first;
    auto [ptr, ec] = std::from_chars(first, last, out);
    return ec == std::errc() && ptr == last;
}

int32_t roundToInt32(double v)
{
    if (std::isnan(v))
        throw Error("Cannot convert NaN to an integer");
    // Nearest, ties to even (the default rounding mode of nearbyint).
    double r = std::nearbyint(v);
    if (r < double(std::numeric_limits<int32_t>::min()) || r > double(std::numeric_limits<int32_t>::max()))
        throw Error("The number " + std::to_string(v) + " does not fit in a 32-bit integer");
    return int32_t(r);
}

} // namespace

std::string typeName(Variant::Type type)
{
    switch (type) {
    case Variant::Type::Empty: return "Empty";
    case Variant::Type::Null: return "Null";
    case Variant::Type::Bool: return "a Boolean";
    case Variant::Type::Int32: return "an integer";
    case Variant::Type::Double: return "a double";
    case Variant::Type::String: return "a string";
    case Variant::Type::Object: return "an object";
    }
    return "an unknown type";
}

Variant::Variant() = default;

Variant Variant::null()
{
    Variant v;
    v.value_ = NullTag{};
    return v;
}

Variant::Variant(bool v) : value_(v) {}
Variant::Variant(int32_t v) : value_(v) {}
Variant::Variant(double v) : value_(v) {}
Variant::Variant(std::string v) : value_(std::move(v)) {}
Variant::Variant(const char *v) : value_(std::string(v ? v : "")) {}
Variant::Variant(DispatchRef v)
{
    if (v)
        value_ = std::move(v);
    else
        value_ = NullTag{};
}

Variant::Type Variant::type() const
{
    return Type(value_.index());
}

bool Variant::toBool() const
{
    switch (type()) {
    case Type::Empty: return false;
    case Type::Bool: return std::get<bool>(value_);
    case Type::Int32: return std::get<int32_t>(value_) != 0;
    case Type::Double: return std::get<double>(value_) != 0.0;
    case Type::String: {
        const std::string &s = std::get<std::string>(value_);
        if (s == "True" || s == "true" || s == "TRUE")
            return true;
        if (s == "False" || s == "false" || s == "FALSE")
            return false;
        double d;
        if (parseNumber(s, d))
            return d != 0.0;
        throw Error("Cannot convert the string \"" + s + "\" to a Boolean");
    }
    default: throw Error("Cannot convert " + typeName(type()) + " to a Boolean");
    }
}

double Variant::toDouble() const
{
    switch (type()) {
    case Type::Empty: return 0.0;
    case Type::Bool: return std::get<bool>(value_) ? -1.0 : 0.0;
    case Type::Int32: return std::get<int32_t>(value_);
    case Type::Double: return std::get<double>(value_);
    case Type::String: {
        double d;
        if (parseNumber(std::get<std::string>(value_), d))
            return d;
        throw Error("Cannot convert the string \"" + std::get<std::string>(value_) + "\" to a number");
    }
    default: throw Error("Cannot convert " + typeName(type()) + " to a number");
    }
}

int32_t Variant::toInt32() const
{
    switch (type()) {
    case Type::Int32: return std::get<int32_t>(value_);
    case Type::Bool: return std::get<bool>(value_) ? -1 : 0;
    default: return roundToInt32(toDouble());
    }
}

std::string Variant::toString() const
{
    switch (type()) {
    case Type::Empty: return {};
    case Type::Bool: return std::get<bool>(value_) ? "True" : "False";
    case Type::Int32: return std::to_string(std::get<int32_t>(value_));
    case Type::Double: {
        char buf[64];
        auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, std::get<double>(value_));
        return std::string(buf, ptr);
    }
    case Type::String: return std::get<std::string>(value_);
    default: throw Error("Cannot convert " + typeName(type()) + " to a string");
    }
}

DispatchRef Variant::toObject() const
{
    if (type() != Type::Object)
        throw Error("The value is " + typeName(type()) + ", not an object");
    return std::get<DispatchRef>(value_);
}

} // namespace folivex::automation
