#include "doclist/filetimetext.h"

#include "core/error.h"

#include <QDate>
#include <QLocale>
#include <QTime>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

namespace folivex::doclist {

namespace {

constexpr int kFirstDosYear = 1980;
constexpr int kLastDosYear = 2107;

// Qt's long time formats end in the time-zone name ("HH:mm:ss t"); the time
// of day of a file stamp has none, so the zone fields and the blanks in front
// of them are dropped. Quoted literal text is kept as it is.
QString withoutTimeZone(const QString &format)
{
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            out += c;
            continue;
        }
        if (!quoted && c == QLatin1Char('t')) {
            while (!out.isEmpty() && out.back().isSpace())
                out.chop(1);
            continue;
        }
        out += c;
    }
    return out.trimmed();
}

} // namespace

std::optional<DosDateTime> ToDosDateTime(const std::tm &local)
{
    const int year = local.tm_year + 1900;
    if (year < kFirstDosYear || year > kLastDosYear)
        return std::nullopt;
    DosDateTime dos;
    dos.date = static_cast<std::uint16_t>(((year - kFirstDosYear) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
    dos.time = static_cast<std::uint16_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
    return dos;
}

std::tm FromDosDateTime(DosDateTime dos)
{
    std::tm time{};
    time.tm_year = kFirstDosYear + (dos.date >> 9) - 1900;
    time.tm_mon = ((dos.date >> 5) & 0x0F) - 1;
    time.tm_mday = dos.date & 0x1F;
    time.tm_hour = dos.time >> 11;
    time.tm_min = (dos.time >> 5) & 0x3F;
    time.tm_sec = 2 * (dos.time & 0x1F);
    return time;
}

QString CalendarTimeText(const std::tm &time)
{
    const QLocale locale = QLocale::system();
    const QDate date(time.tm_year + 1900, time.tm_mon + 1, time.tm_mday);
    QString text = locale.toString(date, QLocale::ShortFormat);
    if (time.tm_hour != 0 || time.tm_min != 0 || time.tm_sec != 0) {
        // A leap second (tm_sec 60) is shown as the last second of its minute.
        const QTime clock(time.tm_hour, time.tm_min, std::min(time.tm_sec, 59));
        text += QLatin1Char(' ');
        text += locale.toString(clock, withoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
    }
    return text;
}

QString FileTimeText(std::int64_t utcSeconds)
{
    const std::time_t stamp = static_cast<std::time_t>(utcSeconds);
    std::tm local{};
    // localtime_r does not look at the time-zone settings again by itself.
    tzset();
    errno = 0;
    if (localtime_r(&stamp, &local) == nullptr) {
        const int error = errno != 0 ? errno : EOVERFLOW;
        throw Error("Cannot convert the file time " + std::to_string(utcSeconds) +
                        " to local time: " + std::strerror(error),
                    {}, 0, "localtime_r");
    }
    if (const std::optional<DosDateTime> dos = ToDosDateTime(local))
        return CalendarTimeText(FromDosDateTime(*dos));
    return CalendarTimeText(local);
}

} // namespace folivex::doclist
