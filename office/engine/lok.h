// LibreOfficeKit for the engine's files: its C++ wrapper (which brings the
// loader, lok_cpp_init) with the unstable part of the API turned on: part
// rectangles, painting a part's tiles, the document's current part. Every
// file that uses LibreOfficeKit includes this, never LibreOfficeKit itself,
// so the macro is always defined before LibreOfficeKit's first line.
#pragma once

#define LOK_USE_UNSTABLE_API
#include <LibreOfficeKit/LibreOfficeKit.hxx>
