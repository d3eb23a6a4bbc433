// ErrorText: the text of the folivex::Error a call throws, for tests that
// check both that a call fails and what it says. Header only, so that the
// tests of the lowest libraries can use it without the support library.
#pragma once

#include "core/error.h"

#include <string>

namespace folivex::test {

// What `f` throws as folivex::Error (its what(): the message with any file,
// page and stage); "(no error)" when it throws nothing.
template <typename F> std::string ErrorText(F &&f)
{
    try {
        f();
    } catch (const folivex::Error &e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace folivex::test
