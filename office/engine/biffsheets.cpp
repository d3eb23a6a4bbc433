#include "office/engine/biffsheets.h"

#include "office/engine/uno.h"

#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/embed/OLESimpleStorage.hpp>
#include <com/sun/star/io/XInputStream.hpp>
#include <com/sun/star/ucb/SimpleFileAccess.hpp>

#include <cstdint>

namespace folivex::office {

namespace css = ::com::sun::star;
using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

namespace {

constexpr uint16_t kBof = 0x0809, kEof = 0x000A, kFilePass = 0x002F, kBoundSheet = 0x0085;
constexpr uint16_t kBiff8 = 0x0600;
constexpr uint8_t kChartSheet = 2;

std::string readAll(const Reference<css::io::XInputStream> &stream)
{
    std::string bytes;
    css::uno::Sequence<sal_Int8> chunk;
    while (sal_Int32 n = stream->readBytes(chunk, 65536))
        bytes.append(reinterpret_cast<const char *>(chunk.getConstArray()), size_t(n));
    return bytes;
}

uint16_t u16(const std::string &b, size_t at)
{
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}

void appendUtf8(std::string &out, uint32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// A BIFF8 short string at `at`: a character count, a flags byte (bit 0:
// two bytes a character), the characters. Surrogate pairs are joined.
std::optional<std::string> shortString(const std::string &b, size_t at, size_t end)
{
    if (at + 2 > end)
        return std::nullopt;
    const size_t count = uint8_t(b[at]);
    const bool wide = uint8_t(b[at + 1]) & 1;
    at += 2;
    if (at + count * (wide ? 2 : 1) > end)
        return std::nullopt;
    std::string out;
    for (size_t i = 0; i < count; ++i) {
        uint32_t c = wide ? u16(b, at + 2 * i) : uint8_t(b[at + i]);
        if (wide && c >= 0xD800 && c < 0xDC00 && i + 1 < count) {
            const uint32_t low = u16(b, at + 2 * (i + 1));
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            ++i;
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
            continue;
        }
        appendUtf8(out, c);
    }
    return out;
}

} // namespace

std::optional<std::set<std::string>> chartSheetsOfBiff(const std::string &fileUrl)
{
    try {
        const Reference<css::uno::XComponentContext> context = comphelper::getProcessComponentContext();
        Reference<css::io::XInputStream> file =
            css::ucb::SimpleFileAccess::create(context)->openFileRead(toOUString(fileUrl));
        Reference<css::container::XNameAccess> storage(
            css::embed::OLESimpleStorage::createFromInputStream(context, file, false), UNO_QUERY_THROW);
        if (!storage->hasByName("Workbook"))
            return std::nullopt;
        Reference<css::io::XInputStream> stream(storage->getByName("Workbook"), UNO_QUERY_THROW);
        const std::string b = readAll(stream);
        // The workbook globals: the records from the first BOF to its EOF.
        std::set<std::string> chartSheets;
        for (size_t at = 0; at + 4 <= b.size();) {
            const uint16_t type = u16(b, at), length = u16(b, at + 2);
            const size_t body = at + 4, end = body + length;
            if (end > b.size())
                return std::nullopt;
            if (at == 0 && (type != kBof || length < 2 || u16(b, body) != kBiff8))
                return std::nullopt;
            if (type == kFilePass)
                return std::nullopt;
            if (type == kEof)
                return chartSheets;
            // Position (4 bytes), visibility, sheet type, name.
            if (type == kBoundSheet && length >= 8 && uint8_t(b[body + 5]) == kChartSheet) {
                const std::optional<std::string> name = shortString(b, body + 6, end);
                if (!name)
                    return std::nullopt;
                chartSheets.insert(*name);
            }
            at = end;
        }
        return std::nullopt;
    } catch (const css::uno::Exception &) {
        // No compound file, or a damaged one.
        return std::nullopt;
    }
}

} // namespace folivex::office
