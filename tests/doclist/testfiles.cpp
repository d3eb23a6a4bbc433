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

} // namespace

std::int64_t LocalStamp(int year, int month, int day, int hour, int minute, int second)
{
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&local));
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
