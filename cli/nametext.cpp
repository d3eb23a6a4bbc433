#include "nametext.h"

#include <cstdio>

namespace folivex::cli {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The length of the valid UTF-8 sequence at `s`, 0 when there is none
// (overlong forms, surrogates and values above U+10FFFF are none).
std::size_t utf8Length(const unsigned char *s, std::size_t left)
{
    const unsigned char c = s[0];
    const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || n > left || (n == 2 && c < 0xC2))
        return 0;
    for (std::size_t i = 1; i < n; ++i)
        if ((s[i] & 0xC0) != 0x80)
            return 0;
    if (n == 3 && ((c == 0xE0 && s[1] < 0xA0) || (c == 0xED && s[1] >= 0xA0)))
        return 0;
    if (n == 4 && ((c == 0xF0 && s[1] < 0x90) || c > 0xF4 || (c == 0xF4 && s[1] >= 0x90)))
        return 0;
    return n;
}

} // namespace

bool IsUtf8(const std::string &bytes)
{
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.data());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = utf8Length(s + i, bytes.size() - i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

std::string ReadableName(const std::string &bytes, bool controls)
{
    std::string out;
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.data());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = utf8Length(s + i, bytes.size() - i);
        const bool control = n == 1 && (s[i] < 0x20 || s[i] == 0x7F);
        if (n == 0 || (control && controls)) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", s[i]);
            out += escape;
            ++i;
        } else {
            out.append(bytes, i, n);
            i += n;
        }
    }
    return out;
}

std::string Base64Encode(const std::string &bytes)
{
    std::string out;
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.data());
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t left = bytes.size() - i;
        const unsigned value = (s[i] << 16) | (left > 1 ? s[i + 1] << 8 : 0) | (left > 2 ? s[i + 2] : 0);
        out += kAlphabet[(value >> 18) & 63];
        out += kAlphabet[(value >> 12) & 63];
        out += left > 1 ? kAlphabet[(value >> 6) & 63] : '=';
        out += left > 2 ? kAlphabet[value & 63] : '=';
    }
    return out;
}

std::string Base64Decode(const std::string &text)
{
    if (text.size() % 4 != 0)
        return {};
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += 4) {
        unsigned value = 0;
        int padding = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const char c = text[i + k];
            const char *at = c ? std::char_traits<char>::find(kAlphabet, 64, c) : nullptr;
            if (c == '=' && i + 4 == text.size() && k >= 2) {
                ++padding;
                value <<= 6;
            } else if (at && padding == 0) {
                value = (value << 6) | unsigned(at - kAlphabet);
            } else {
                return {};
            }
        }
        out += char(value >> 16);
        if (padding < 2)
            out += char((value >> 8) & 0xFF);
        if (padding < 1)
            out += char(value & 0xFF);
    }
    return out;
}

} // namespace folivex::cli
