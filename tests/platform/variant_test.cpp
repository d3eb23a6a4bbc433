// Variant conversions and late-bound calls through a scripted object (the
// Office hosts' objects are tested against LibreOffice in tests/office).
#include "core/asciitext.h"
#include "core/error.h"
#include "platform/automation.h"

#include "tests/support/errortext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

using namespace folivex::automation;

using folivex::test::ErrorText;

namespace {

// An object with a read-write property "Value" and a method "Twice".
class Counter : public Dispatch {
public:
    int32_t GetIDsOfNames(std::string_view name) override
    {
        const std::string lower = folivex::AsciiLower(name);
        if (lower == "value")
            return 1;
        if (lower == "twice")
            return 2;
        throw folivex::Error("Unknown name: " + std::string(name));
    }
    Variant Invoke(int32_t id, unsigned flags, const std::vector<Variant> &args) override
    {
        calls.push_back({id, flags});
        if (id == 1 && (flags & PropertyPut)) {
            value = args.at(0).toInt32();
            return {};
        }
        if (id == 1)
            return value;
        return args.at(0).toInt32() * 2;
    }
    int32_t value = 0;
    std::vector<std::pair<int32_t, unsigned>> calls;
};

} // namespace

TEST(Variant, HoldsEachTypeAndReportsIt)
{
    EXPECT_EQ(Variant().type(), Variant::Type::Empty);
    EXPECT_TRUE(Variant().isEmpty());
    EXPECT_EQ(Variant::null().type(), Variant::Type::Null);
    EXPECT_EQ(Variant(true).type(), Variant::Type::Bool);
    EXPECT_EQ(Variant(int32_t(5)).type(), Variant::Type::Int32);
    EXPECT_EQ(Variant(2.5).type(), Variant::Type::Double);
    EXPECT_EQ(Variant("x").type(), Variant::Type::String);
    EXPECT_EQ(Variant(std::string("x")).type(), Variant::Type::String);
    EXPECT_EQ(Variant(DispatchRef(std::make_shared<Counter>())).type(), Variant::Type::Object);
    EXPECT_EQ(Variant(DispatchRef()).type(), Variant::Type::Null);
}

TEST(Variant, DoublesBecomeIntegersRoundingTiesToEven)
{
    EXPECT_EQ(Variant(0.5).toInt32(), 0);
    EXPECT_EQ(Variant(1.5).toInt32(), 2);
    EXPECT_EQ(Variant(2.5).toInt32(), 2);
    EXPECT_EQ(Variant(-2.5).toInt32(), -2);
    EXPECT_EQ(Variant(595.2756).toInt32(), 595);
    EXPECT_EQ(Variant(841.89).toInt32(), 842);
    EXPECT_EQ(Variant(true).toInt32(), -1);
    EXPECT_EQ(Variant().toInt32(), 0);
    EXPECT_EQ(Variant(" 42 ").toInt32(), 42);
    EXPECT_DOUBLE_EQ(Variant("12.5").toDouble(), 12.5);
    EXPECT_EQ(Variant(int32_t(7)).toString(), "7");
    EXPECT_EQ(Variant(true).toString(), "True");
    EXPECT_TRUE(Variant(int32_t(3)).toBool());
    EXPECT_FALSE(Variant(0.0).toBool());
}

TEST(Variant, ConversionsThatCannotBeMadeSaySo)
{
    EXPECT_EQ(ErrorText([] { Variant::null().toInt32(); }), "Cannot convert Null to a number");
    EXPECT_EQ(ErrorText([] { Variant("abc").toDouble(); }), "Cannot convert the string \"abc\" to a number");
    EXPECT_EQ(ErrorText([] { Variant("maybe").toBool(); }), "Cannot convert the string \"maybe\" to a Boolean");
    EXPECT_EQ(ErrorText([] { Variant(3e10).toInt32(); }).rfind("The number", 0), 0u);
    EXPECT_EQ(ErrorText([] { Variant(std::nan("")).toInt32(); }), "Cannot convert NaN to an integer");
    EXPECT_EQ(ErrorText([] { Variant(int32_t(1)).toObject(); }), "The value is an integer, not an object");
    EXPECT_EQ(ErrorText([] { Variant(DispatchRef(std::make_shared<Counter>())).toString(); }),
              "Cannot convert an object to a string");
}

TEST(Variant, CallsResolveTheNameThenInvokeWithTheFlags)
{
    auto counter = std::make_shared<Counter>();
    Variant object{DispatchRef(counter)};
    object.put("VALUE", int32_t(21));
    EXPECT_EQ(object.read("value").toInt32(), 21);
    EXPECT_EQ(object.get("Value").toInt32(), 21);
    EXPECT_EQ(object.call("twice", {int32_t(4)}).toInt32(), 8);
    ASSERT_EQ(counter->calls.size(), 4u);
    EXPECT_EQ(counter->calls[0].second, unsigned(PropertyPut));
    EXPECT_EQ(counter->calls[1].second, unsigned(Method | PropertyGet));
    EXPECT_EQ(counter->calls[2].second, unsigned(PropertyGet));
    EXPECT_EQ(counter->calls[3].second, unsigned(Method));

    EXPECT_EQ(ErrorText([&] { object.read("Missing"); }), "Unknown name: Missing");
    EXPECT_EQ(ErrorText([] { Variant(2.0).read("Value"); }), "Cannot call Value: The value is a double, not an object");
}

TEST(Automation, AnUnknownProgrammaticIdentifierCreatesNothing)
{
    EXPECT_EQ(ErrorText([] { CreateOleObject("Visio.Application"); }),
              "Invalid class string: no application is registered as \"Visio.Application\"");
    EXPECT_EQ(ErrorText([] { CreateOleObject(""); }), "Invalid class string: no application is registered as \"\"");
}
