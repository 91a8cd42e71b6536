// Civil time: the proleptic Gregorian calendar, the place's clock (the UTC
// offsets in force over time), the local midnight and noon of a civil date
// on that clock, and the local civil date and clock time of an instant.
// Julian Day conversions go through the library's calendar routines (see
// ephemeris.hpp); the rest is plain arithmetic.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "types.hpp"

namespace tithiloom {

struct CivilDateTime {
  CivilDate date;
  std::uint32_t hour;
  std::uint32_t minute;
  std::uint32_t second;
  std::uint32_t microsecond;
};

// UT calendar date and clock time of an instant; microseconds rounded, and
// an instant within half a microsecond of midnight reads as 00:00 of the
// day that begins there.
CivilDateTime jd_to_datetime(double jd_ut);

// 00:00 of a civil date on a clock fixed at that offset.
double local_midnight_jd(const CivilDate& date, std::int32_t utc_offset_s);

// --- the place's clock ---

// From `from_jd_ut` on, the clock reads UTC + `offset_s` seconds.
struct ClockShift {
  double from_jd_ut;
  std::int32_t offset_s;
};

// The offsets a place's clock has shown, sorted by strictly increasing
// instant; the first also holds before its instant, so a clock of one entry
// is a fixed UTC offset. Never empty.
struct Clock {
  std::vector<ClockShift> shifts;
};

Clock fixed_clock(std::int32_t utc_offset_s);
bool is_fixed(const Clock& clock);
std::int32_t offset_at(double jd_ut, const Clock& clock);

// The start of a civil date on the clock: 00:00 at the offset in force at
// its noon, as on a fixed clock; where a change of the clock skips that
// midnight, the first instant at which the clock shows the date.
double local_midnight_jd(const CivilDate& date, const Clock& clock);
// 12:00 of the date at the offset in force then.
double local_noon_jd(const CivilDate& date, const Clock& clock);
// The first instant of the civil day `days` after the one that begins at
// `midnight_jd` (itself a local_midnight_jd of the clock). On a fixed clock,
// exactly midnight_jd + days.
double midnight_after(double midnight_jd, const Clock& clock, std::int64_t days = 1);

// The local civil date and clock time of an instant.
CivilDateTime jd_to_local_datetime(double jd_ut, const Clock& clock);
// Local civil date of the instant, moved by whole days (-1 the day before,
// +1 after): the calendar's date part, whatever the hour rounds to.
CivilDate local_date(double jd_ut, const Clock& clock, double day_shift = 0.0);

// Days in a month of the proleptic Gregorian calendar; 0 for a month outside 1-12.
std::uint32_t days_in_month(std::int32_t year, std::uint32_t month);
bool is_valid_date(const CivilDate& date);
// "invalid date 2026-02-30"
std::string invalid_date_message(const CivilDate& date);

// Weekday (0 = Sunday) of a valid proleptic Gregorian date, for any year.
std::uint32_t weekday_of(const CivilDate& date);

// year + years, held at the ends of the 32-bit range instead of overflowing:
// such years lie far outside the ephemeris, and computations fail there.
std::int32_t shift_year(std::int32_t year, std::int64_t years);

// A civil date whose year may run past the 32-bit range.
struct WideDate {
  std::int64_t year;
  std::uint32_t month;
  std::uint32_t day;
};

// The civil date `days` days after (before, when negative) a valid date,
// exact for any count.
WideDate add_days(const CivilDate& date, std::int64_t days);

// --- texts written into results ---

// 2026-04-14: the year in plain decimal (also when negative), the month and
// day in two digits at least.
std::string date_text(const CivilDate& date);
// Hour and minute of a clock time, seconds dropped: 03:20.
std::string clock_text(const CivilDateTime& time);
// The local clock time of an instant.
std::string clock_text(double jd_ut, const Clock& clock);

}  // namespace tithiloom
