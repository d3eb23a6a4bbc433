// The UNO definitions the host needs, in one place: the platform defines
// come from the build, the headers from cppumaker at build time, and the
// component context of the LibreOffice running in this process.
#pragma once

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/uno/Reference.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <rtl/ustring.hxx>

#include <string>

namespace comphelper {
// Exported by libmergedlo.so; valid once LibreOfficeKit is initialised.
css::uno::Reference<css::uno::XComponentContext> getProcessComponentContext();
} // namespace comphelper

namespace folivex::office {

rtl::OUString toOUString(const std::string &s);
std::string fromOUString(const rtl::OUString &s);

// A property by name; throws folivex::Error naming the property when it
// cannot be read or has another type.
template <typename T>
T propertyOf(const css::uno::Reference<css::beans::XPropertySet> &set, const char *name);

// Points from LibreOffice's 1/100 mm.
inline double pointsFromHundredthsMm(double v) { return v * 72.0 / 2540.0; }
// Twips (LibreOfficeKit's unit) from 1/100 mm.
inline long twipsFromHundredthsMm(double v) { return long(v * 1440.0 / 2540.0 + 0.5); }

} // namespace folivex::office
