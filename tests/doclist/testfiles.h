// Real files for the document list's tests: written with a given length and
// last-write time inside a temporary folder.
#pragma once

#include <QString>
#include <cstdint>
#include <ctime>

namespace folivex::doclist::test {

// Seconds since 1970 of a local calendar time (mktime, so the test's TZ applies).
std::int64_t LocalStamp(int year, int month, int day, int hour, int minute, int second);

// Seconds since 1970 of a UTC calendar time (timegm).
std::int64_t UtcStamp(int year, int month, int day, int hour, int minute, int second);

// Each helper returns false after a warning that names the failure; tests
// wrap them in QVERIFY.

// Writes `path` with `bytes` bytes (a sparse file when large).
bool WriteFile(const QString &path, std::int64_t bytes);

// Sets the last-write (and access) time of `path`.
bool SetModifyTime(const QString &path, std::int64_t utcSeconds);

// Creates the folder `path`.
bool MakeFolder(const QString &path);

} // namespace folivex::doclist::test
