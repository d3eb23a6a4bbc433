# Writes the text of INPUT into the C++ header OUTPUT as the constant NAME
# (a raw string literal) in NAMESPACE: cmake -DINPUT=... -DOUTPUT=...
# -DNAME=... -DNAMESPACE=... -P embedtext.cmake
cmake_minimum_required(VERSION 3.25)
file(READ ${INPUT} text)
set(delimiter "text")
if(text MATCHES "\\)${delimiter}\"")
  message(FATAL_ERROR "${INPUT} contains the raw string's end )${delimiter}\"")
endif()
get_filename_component(source ${INPUT} NAME)
file(CONFIGURE OUTPUT ${OUTPUT} @ONLY CONTENT
"// Generated from @source@ at build time; edit that file, not this one.
#pragma once

namespace @NAMESPACE@ {

inline constexpr const char @NAME@[] = R\"@delimiter@(@text@)@delimiter@\";

} // namespace @NAMESPACE@
")
