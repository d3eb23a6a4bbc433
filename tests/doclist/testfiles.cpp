#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace folivex::doclist::test {

namespace {

bool fail(const QString &why)
{
    qWarning("%s", qPrintable(why));
    return false;
}

// The calendar time as std::tm fields, daylight saving left unsaid.
std::tm CalendarTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    time.tm_isdst = -1;
    return time;
}

} // namespace

std::int64_t LocalStamp(int year, int month, int day, int hour, int minute, int second)
{
    std::tm local = CalendarTime(year, month, day, hour, minute, second);
    return static_cast<std::int64_t>(std::mktime(&local));
}

std::int64_t UtcStamp(int year, int month, int day, int hour, int minute, int second)
{
    std::tm utc = CalendarTime(year, month, day, hour, minute, second);
    return static_cast<std::int64_t>(timegm(&utc));
}

bool WriteFile(const QString &path, std::int64_t bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(path + QStringLiteral(": ") + file.errorString());
    const std::int64_t written = std::min<std::int64_t>(bytes, 64 * 1024);
    if (written > 0 && file.write(QByteArray(written, 'x')) != written)
        return fail(path + QStringLiteral(": ") + file.errorString());
    if (bytes > written && !file.resize(bytes))
        return fail(path + QStringLiteral(": ") + file.errorString());
    return true;
}

bool SetModifyTime(const QString &path, std::int64_t utcSeconds)
{
    timespec times[2];
    times[0].tv_sec = static_cast<time_t>(utcSeconds);
    times[0].tv_nsec = 0;
    times[1] = times[0];
    if (::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) != 0)
        return fail(path + QStringLiteral(": utimensat: ") + QString::fromLocal8Bit(std::strerror(errno)));
    return true;
}

bool MakeFolder(const QString &path)
{
    if (!QDir().mkdir(path))
        return fail(path + QStringLiteral(": cannot create the folder"));
    return true;
}

} // namespace folivex::doclist::test
