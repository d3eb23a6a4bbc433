#include "documentreport.h"

#include "cli/nametext.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace folivex::cli {

namespace {

// `text` (valid UTF-8) as a JSON string.
std::string quoted(const std::string &text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// A path as its text, and as its bytes when the text cannot hold them.
std::string pathFields(const std::string &key, const std::string &path)
{
    if (path.empty())
        return ",\"" + key + "\":null";
    std::string fields = ",\"" + key + "\":" + quoted(ReadableName(path, false));
    if (!IsUtf8(path))
        fields += ",\"" + key + "_bytes\":" + quoted(Base64Encode(path));
    return fields;
}

void appendUtf8(std::string &out, unsigned long code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

bool readHex4(const std::string &line, std::size_t at, unsigned long &code)
{
    if (at + 4 > line.size())
        return false;
    const auto [end, error] = std::from_chars(line.data() + at, line.data() + at + 4, code, 16);
    return error == std::errc() && end == line.data() + at + 4;
}

// A JSON string at `at` (on its opening quote), decoded to UTF-8.
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
        switch (line[at]) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'u': {
            unsigned long code = 0;
            if (!readHex4(line, at + 1, code))
                return false;
            at += 4;
            unsigned long low = 0;
            if (code >= 0xD800 && code < 0xDC00 && line.compare(at + 1, 2, "\\u") == 0 && readHex4(line, at + 3, low) &&
                low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                at += 6;
            }
            appendUtf8(out, code);
            break;
        }
        default: out += line[at];
        }
    }
    return false;
}

} // namespace

const char *StatusName(convert::DocumentStatus status)
{
    switch (status) {
    case convert::DocumentStatus::Converted: return "converted";
    case convert::DocumentStatus::Failed: return "failed";
    case convert::DocumentStatus::Stopped: return "stopped";
    case convert::DocumentStatus::Skipped:
    case convert::DocumentStatus::SkippedAfterFailure: return "skipped";
    }
    return "failed";
}

std::string ReportLine(const DocumentReport &r)
{
    // Numbers as JSON has them whatever the locale (Qt sets the user's).
    char seconds[32];
    const auto written = std::to_chars(seconds, seconds + sizeof seconds, r.seconds, std::chars_format::fixed, 3);
    return "{" + pathFields("input", r.input).substr(1) + pathFields("output", r.output) +
           ",\"status\":" + quoted(StatusName(r.status)) +
           ",\"reason\":" + (r.reason.empty() ? std::string("null") : quoted(ReadableName(r.reason, false))) +
           ",\"pages\":" + std::to_string(r.pages) +
           (r.resolution > 0 ? ",\"resolution\":" + std::to_string(r.resolution) : std::string()) +
           ",\"bytes\":" + std::to_string(r.bytes) + ",\"seconds\":" + std::string(seconds, written.ptr) + "}";
}

bool ParseReportLine(const std::string &line, DocumentReport &r)
{
    r = DocumentReport();
    if (line.empty() || line[0] != '{')
        return false;
    std::map<std::string, std::string> fields;
    std::size_t at = 1;
    while (at < line.size() && line[at] != '}') {
        std::string key, text;
        if (!readString(line, at, key) || at >= line.size() || line[at++] != ':' || at >= line.size())
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
        fields[key] = text;
        if (at < line.size() && line[at] == ',')
            ++at;
    }
    if (at >= line.size())
        return false;
    r.input = fields.count("input_bytes") ? Base64Decode(fields["input_bytes"]) : fields["input"];
    r.output = fields.count("output_bytes") ? Base64Decode(fields["output_bytes"]) : fields["output"];
    const std::string &statusText = fields["status"];
    bool known = false;
    for (const convert::DocumentStatus status : {convert::DocumentStatus::Converted, convert::DocumentStatus::Failed,
                                                 convert::DocumentStatus::Stopped, convert::DocumentStatus::Skipped})
        if (statusText == StatusName(status)) {
            r.status = status;
            known = true;
        }
    r.reason = fields["reason"];
    r.pages = std::atoi(fields["pages"].c_str());
    r.resolution = std::atoi(fields["resolution"].c_str());
    r.bytes = std::strtoull(fields["bytes"].c_str(), nullptr, 10);
    const std::string &secondsText = fields["seconds"];
    std::from_chars(secondsText.data(), secondsText.data() + secondsText.size(), r.seconds);
    return known;
}

} // namespace folivex::cli
