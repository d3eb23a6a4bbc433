#include "office/engine/uno.h"

#include "core/error.h"

#include <com/sun/star/uno/Exception.hpp>

namespace folivex::office {

rtl::OUString toOUString(const std::string &s)
{
    return rtl::OStringToOUString(rtl::OString(s.data(), sal_Int32(s.size())), RTL_TEXTENCODING_UTF8);
}

std::string fromOUString(const rtl::OUString &s)
{
    rtl::OString o = rtl::OUStringToOString(s, RTL_TEXTENCODING_UTF8);
    return std::string(o.getStr(), size_t(o.getLength()));
}

template <typename T> T propertyOf(const css::uno::Reference<css::beans::XPropertySet> &set, const char *name)
{
    if (!set.is())
        throw Error(std::string("Cannot read ") + name + ": no such object");
    T value{};
    try {
        if (set->getPropertyValue(rtl::OUString::createFromAscii(name)) >>= value)
            return value;
    } catch (const css::uno::Exception &e) {
        throw Error(std::string("Cannot read ") + name + ": " + fromOUString(e.Message));
    }
    throw Error(std::string("Cannot read ") + name + ": unexpected type");
}

template bool propertyOf<bool>(const css::uno::Reference<css::beans::XPropertySet> &, const char *);
template sal_Int16 propertyOf<sal_Int16>(const css::uno::Reference<css::beans::XPropertySet> &, const char *);
template sal_Int32 propertyOf<sal_Int32>(const css::uno::Reference<css::beans::XPropertySet> &, const char *);
template rtl::OUString propertyOf<rtl::OUString>(const css::uno::Reference<css::beans::XPropertySet> &, const char *);

} // namespace folivex::office
