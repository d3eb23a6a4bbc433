// The time texts of the document list ("Build Time", "ModifyTime").
//
// A file time stamp (UTC seconds) is converted to local time by the C library,
// reduced to an MS-DOS date and time (two-second resolution, years 1980 to
// 2107) and written with the regional settings: the short date, then, unless
// the time of day is 00:00:00, a blank and the long time. Stamps whose local
// year lies outside 1980..2107 cannot be reduced and are written from the
// local time as it is, seconds unchanged.
#pragma once

#include <QString>
#include <cstdint>
#include <ctime>
#include <optional>

namespace folivex::doclist {

struct DosDateTime {
    std::uint16_t date = 0; // bits 9..15 year - 1980, 5..8 month, 0..4 day
    std::uint16_t time = 0; // bits 11..15 hour, 5..10 minute, 0..4 second / 2
};

// Reduces a broken-down local time to MS-DOS form; nullopt when its year is
// outside 1980..2107. Odd seconds fall to the even second below. Never throws.
std::optional<DosDateTime> ToDosDateTime(const std::tm &local);

// The calendar time an MS-DOS date and time stand for (tm_year counts from
// 1900, tm_mon from 0, as in <ctime>; the other fields are zero). Never throws.
std::tm FromDosDateTime(DosDateTime dos);

// The text shown for a broken-down time: the short date of QLocale::system(),
// then, unless it is exactly 00:00:00, a blank and the long time (written
// without a time-zone name, which a file's time of day does not carry).
QString CalendarTimeText(const std::tm &time);

// The whole chain for a UTC time stamp in seconds since 1970. Throws
// folivex::Error when the C library cannot convert it to local time.
QString FileTimeText(std::int64_t utcSeconds);

} // namespace folivex::doclist
