// File names are bytes; these turn them into text a person or a JSON reader
// can take, and back.
#pragma once

#include <string>

namespace folivex::cli {

// True when `bytes` is valid UTF-8 throughout.
bool IsUtf8(const std::string &bytes);

// `bytes` with every byte that is not part of valid UTF-8 written as \xHH
// ("only\xe9.docx" for the Latin-1 byte E9). With `controls`, control
// characters (newline, tab...) are written so too, which keeps a message on
// one line.
std::string ReadableName(const std::string &bytes, bool controls = true);

// Standard base64 (RFC 4648, with padding), and back; Base64Decode takes
// what Base64Encode writes and gives an empty string for anything else.
std::string Base64Encode(const std::string &bytes);
std::string Base64Decode(const std::string &text);

} // namespace folivex::cli
