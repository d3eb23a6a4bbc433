// Variant: the value of a late-bound Automation call. It holds nothing
// (Empty), Null, a Boolean, a 32-bit integer, a double, a string (UTF-8) or an
// object reference (DispatchRef, shared ownership).
//
// Conversions follow Automation's rules: a double becomes an integer by
// rounding to the nearest, ties to even; Empty converts to 0, false or "";
// true converts to -1; numeric strings convert to numbers. A value that does
// not convert (Null, an object, a string that is no number, a number out of
// range) throws folivex::Error with a text saying so.
//
// invoke/read/get/call/put resolve the member name on the object the variant
// holds (case-insensitive) and call it; they throw folivex::Error when the
// variant holds no object, when the name is unknown and when the call fails.
// They are defined with Dispatch (dispatch.cpp), through which they call.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace folivex::automation {

class Dispatch;
using DispatchRef = std::shared_ptr<Dispatch>;

class Variant {
public:
    enum class Type { Empty, Null, Bool, Int32, Double, String, Object };

    Variant();
    static Variant null();
    Variant(bool v);
    Variant(int32_t v);
    Variant(double v);
    Variant(std::string v);
    Variant(const char *v);
    Variant(DispatchRef v);

    Type type() const;
    bool isEmpty() const { return type() == Type::Empty; }

    bool toBool() const;
    int32_t toInt32() const;
    double toDouble() const;
    std::string toString() const;
    DispatchRef toObject() const;

    Variant invoke(std::string_view name, unsigned flags, std::vector<Variant> args = {}) const;
    Variant read(std::string_view name, std::vector<Variant> args = {}) const;
    Variant get(std::string_view name, std::vector<Variant> args = {}) const;
    Variant call(std::string_view name, std::vector<Variant> args = {}) const;
    void put(std::string_view name, Variant value) const;

private:
    struct NullTag {
        bool operator==(const NullTag &) const = default;
    };
    std::variant<std::monostate, NullTag, bool, int32_t, double, std::string, DispatchRef> value_;
};

// The name of a type in error texts ("Null", "an object", ...).
std::string typeName(Variant::Type type);

} // namespace folivex::automation
