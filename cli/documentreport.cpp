#include "documentreport.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace folivex::cli {

namespace {

// The length of the valid UTF-8 sequence at `s`, 0 when there is none.
std::size_t utf8Length(const unsigned char *s, std::size_t left)
{
    const unsigned char c = s[0];
    std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || n > left || (n == 2 && c < 0xC2))
        return 0;
    for (std::size_t i = 1; i < n; ++i)
        if ((s[i] & 0xC0) != 0x80)
            return 0;
    return n;
}

std::string quoted(const std::string &text)
{
    std::string out = "\"";
    const auto *s = reinterpret_cast<const unsigned char *>(text.data());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = s[i];
        char escape[8];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
            ++i;
        } else if (c < 0x20) {
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
            ++i;
        } else if (const std::size_t n = utf8Length(s + i, text.size() - i)) {
            out.append(text, i, n);
            i += n;
        } else {
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
            ++i;
        }
    }
    return out + "\"";
}

std::string orNull(const std::string &text) { return text.empty() ? "null" : quoted(text); }

// A JSON string at `at` (on its opening quote), decoded as quoted() wrote it.
bool readString(const std::string &line, std::size_t &at, std::string &out)
{
    if (at >= line.size() || line[at] != '"')
        return false;
    out.clear();
    for (++at; at < line.size(); ++at) {
        const char c = line[at];
        if (c == '"') {
            ++at;
            return true;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++at >= line.size())
            return false;
        if (line[at] == 'u') {
            if (at + 4 >= line.size())
                return false;
            out += char(std::strtol(line.substr(at + 1, 4).c_str(), nullptr, 16));
            at += 4;
        } else {
            out += line[at];
        }
    }
    return false;
}

} // namespace

std::string ReportLine(const DocumentReport &r)
{
    // Numbers as JSON has them whatever the locale (Qt sets the user's).
    char seconds[32];
    const auto written = std::to_chars(seconds, seconds + sizeof seconds, r.seconds, std::chars_format::fixed, 3);
    const std::string numbers = "\"pages\":" + std::to_string(r.pages) + ",\"bytes\":" + std::to_string(r.bytes) +
                                ",\"seconds\":" + std::string(seconds, written.ptr);
    std::string line = "{\"input\":" + quoted(r.input) + ",\"output\":" + orNull(r.output) +
                       ",\"status\":" + quoted(r.status) + ",\"reason\":" + orNull(r.reason) + "," + numbers;
    if (!r.replacedBy.empty())
        line += ",\"replaced_by\":" + quoted(r.replacedBy);
    if (!r.replaces.empty())
        line += ",\"replaces\":" + quoted(r.replaces);
    return line + "}";
}

bool ParseReportLine(const std::string &line, DocumentReport &r)
{
    r = DocumentReport();
    std::size_t at = 1;
    if (line.empty() || line[0] != '{')
        return false;
    while (at < line.size() && line[at] != '}') {
        std::string key, text;
        if (!readString(line, at, key) || at >= line.size() || line[at++] != ':')
            return false;
        if (line[at] == '"') {
            if (!readString(line, at, text))
                return false;
        } else {
            const std::size_t end = line.find_first_of(",}", at);
            if (end == std::string::npos)
                return false;
            text = line.substr(at, end - at);
            at = end;
            if (text == "null")
                text.clear();
        }
        if (key == "input") r.input = text;
        else if (key == "output") r.output = text;
        else if (key == "status") r.status = text;
        else if (key == "reason") r.reason = text;
        else if (key == "pages") r.pages = std::atoi(text.c_str());
        else if (key == "bytes") r.bytes = std::strtoull(text.c_str(), nullptr, 10);
        else if (key == "seconds") std::from_chars(text.data(), text.data() + text.size(), r.seconds);
        else if (key == "replaced_by") r.replacedBy = text;
        else if (key == "replaces") r.replaces = text;
        if (at < line.size() && line[at] == ',')
            ++at;
    }
    return at < line.size() && !r.status.empty();
}

} // namespace folivex::cli
