// The UNO definitions the engine needs, in one place: the platform defines
// come from the build, the headers from cppumaker at build time, and the
// component context of the LibreOffice running in this process. Private to
// the engine: nothing outside office/engine includes it.
#pragma once

#include "office/engine/engine.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <com/sun/star/uno/Reference.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <rtl/ustring.hxx>

#include <string>

namespace comphelper {
// Exported by libmergedlo.so; valid once LibreOfficeKit is initialised.
css::uno::Reference<css::uno::XComponentContext> getProcessComponentContext();
} // namespace comphelper

// Exported by libmergedlo.so: LibreOffice's one lock, the SolarMutex, which
// every call into LibreOffice takes and its main loop takes to run what it
// has scheduled. Recursive: `count` levels more for the calling thread.
class Application {
public:
    static void AcquireSolarMutex(sal_uInt32 count);
};

namespace folivex::office {

rtl::OUString toOUString(const std::string &s);
std::string fromOUString(const rtl::OUString &s);

// A property by name; throws folivex::Error naming the property when it
// cannot be read or has another type.
template <typename T> T propertyOf(const css::uno::Reference<css::beans::XPropertySet> &set, const char *name);

// Runs `read`, a reading of the UNO model, and returns what it returns; an
// exception of LibreOffice's own leaves as EngineFailure with its message.
// folivex::Error passes through as it is.
template <typename F> auto unoGuarded(F &&read) -> decltype(read())
{
    try {
        return read();
    } catch (const css::uno::Exception &e) {
        throw EngineFailure(fromOUString(e.Message));
    }
}

} // namespace folivex::office
