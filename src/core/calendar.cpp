#include "calendar.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

#include "ephemeris.hpp"
#include "numeric.hpp"

namespace tithiloom {
namespace {

constexpr std::uint64_t US_PER_HOUR = 3600000000ULL;
constexpr std::uint64_t US_PER_MINUTE = 60000000ULL;
constexpr std::uint64_t US_PER_SECOND = 1000000ULL;

CivilDateTime split_revjul(double jd) {
  LibraryDate r = revjul(jd);
  auto us = truncate_saturating<std::uint64_t>(round_half_away(r.hour * 3.6e9));
  if (us >= 24 * US_PER_HOUR) {
    // Within half a microsecond of midnight: report 00:00 of the day that
    // begins there, never an hour of 24. That day is read six hours on,
    // safely inside it, without stepping again.
    r = revjul(jd + 0.25);
    us = 0;
  }
  const std::uint64_t rem = us % US_PER_HOUR;
  const std::uint64_t r2 = rem % US_PER_MINUTE;
  return CivilDateTime{
      r.date,
      static_cast<std::uint32_t>(us / US_PER_HOUR),
      static_cast<std::uint32_t>(rem / US_PER_MINUTE),
      static_cast<std::uint32_t>(r2 / US_PER_SECOND),
      static_cast<std::uint32_t>(r2 % US_PER_SECOND),
  };
}

bool is_leap(std::int64_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::int64_t floor_div(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::int64_t days_from_civil(std::int64_t y, std::uint32_t m, std::uint32_t d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<std::uint32_t>(y - era * 400);
  const std::uint32_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const std::uint32_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

WideDate civil_from_days(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<std::uint32_t>(z - era * 146097);
  const std::uint32_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::uint32_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::uint32_t mp = (5 * doy + 2) / 153;
  const std::uint32_t d = doy - (153 * mp + 2) / 5 + 1;
  const std::uint32_t m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

}  // namespace

CivilDateTime jd_to_datetime(double jd_ut) { return split_revjul(jd_ut); }

double local_midnight_jd(const CivilDate& date, std::int32_t utc_offset_s) {
  const double tz = utc_offset_s / -3600.0;
  const double jd0 = tz < 0.0 ? julday(date, 12.0) - 0.5 : julday(date, 0.0);
  return jd0 + tz / 24.0;
}

Clock fixed_clock(std::int32_t utc_offset_s) {
  return Clock{{ClockShift{-std::numeric_limits<double>::infinity(), utc_offset_s}}};
}

bool is_fixed(const Clock& clock) { return clock.shifts.size() == 1; }

namespace {

// Index of the shift in force at the instant; the first one before any.
std::size_t shift_index(const Clock& clock, double jd_ut) {
  const auto& s = clock.shifts;
  const auto it = std::upper_bound(s.begin() + 1, s.end(), jd_ut,
                                   [](double jd, const ClockShift& c) { return jd < c.from_jd_ut; });
  return static_cast<std::size_t>(it - s.begin()) - 1;
}

// The instants [from, until) during which shift i is in force.
struct Span {
  double from;
  double until;
};
Span span_of(const Clock& clock, std::size_t i) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  const auto& s = clock.shifts;
  return {i == 0 ? -inf : s[i].from_jd_ut, i + 1 < s.size() ? s[i + 1].from_jd_ut : inf};
}

// Every clock reads within a day of UTC, so only the shifts in force within
// two days of the date's 00:00 UT can bear on it.
constexpr double DATE_REACH_DAYS = 2.0;

// Calls visit(i, 00:00 of the date at shift i's offset) for the shifts that
// can bear on the date, in order, until it returns true.
template <class Visit>
void for_shifts_near(const Clock& clock, const CivilDate& date, Visit&& visit) {
  const double utc_midnight = julday(date, 0.0);
  for (std::size_t i = shift_index(clock, utc_midnight - DATE_REACH_DAYS);
       i < clock.shifts.size() && span_of(clock, i).from < utc_midnight + DATE_REACH_DAYS; ++i)
    if (visit(i, local_midnight_jd(date, clock.shifts[i].offset_s)))
      return;
}

bool holds_at(const Clock& clock, std::size_t i, double jd_ut) {
  const Span span = span_of(clock, i);
  return jd_ut >= span.from && jd_ut < span.until;
}

// The offset in force at 12:00 of the date: the first whose 12:00 falls
// while it is in force; should a change skip noon itself, the one in force
// at 00:00 UT.
std::int32_t noon_offset(const Clock& clock, const CivilDate& date) {
  std::optional<std::int32_t> found;
  for_shifts_near(clock, date, [&](std::size_t i, double midnight) {
    if (holds_at(clock, i, midnight + 0.5)) found = clock.shifts[i].offset_s;
    return found.has_value();
  });
  return found ? *found : offset_at(julday(date, 0.0), clock);
}

// Whether the clock ever reads 00:00 of the date.
bool shows_midnight(const Clock& clock, const CivilDate& date) {
  bool shown = false;
  for_shifts_near(clock, date, [&](std::size_t i, double midnight) {
    shown = holds_at(clock, i, midnight);
    return shown;
  });
  return shown;
}

// The first instant at which the clock reads the date: under each offset
// the date runs a day from its 00:00, and the part of that day during which
// the offset is in force, if any, begins at the later of the two starts.
double first_instant(const Clock& clock, const CivilDate& date) {
  double first = std::numeric_limits<double>::infinity();
  for_shifts_near(clock, date, [&](std::size_t i, double midnight) {
    const Span span = span_of(clock, i);
    const double begin = std::max(midnight, span.from);
    if (begin < std::min(midnight + 1.0, span.until)) first = std::min(first, begin);
    return false;
  });
  return first;
}

CivilDate clamped(const WideDate& w) {
  constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
  return {static_cast<std::int32_t>(std::clamp(w.year, lo, hi)), w.month, w.day};
}

}  // namespace

std::int32_t offset_at(double jd_ut, const Clock& clock) {
  return clock.shifts[shift_index(clock, jd_ut)].offset_s;
}

double local_midnight_jd(const CivilDate& date, const Clock& clock) {
  if (is_fixed(clock))
    return local_midnight_jd(date, clock.shifts[0].offset_s);
  // A date keeps the offset in force at its noon, as on a fixed clock; only
  // where the clock skips its midnight does it begin later, when it first
  // shows the date. A date skipped altogether keeps its would-be midnight.
  const double midnight = local_midnight_jd(date, noon_offset(clock, date));
  if (shows_midnight(clock, date)) return midnight;
  const double first = first_instant(clock, date);
  return std::isfinite(first) ? first : midnight;
}

double local_noon_jd(const CivilDate& date, const Clock& clock) {
  const std::int32_t offset = is_fixed(clock) ? clock.shifts[0].offset_s : noon_offset(clock, date);
  return local_midnight_jd(date, offset) + 0.5;
}

double midnight_after(double midnight_jd, const Clock& clock, std::int64_t days) {
  if (is_fixed(clock)) return midnight_jd + static_cast<double>(days);
  // Six hours into the day is safely inside it, whatever its length.
  const CivilDate date = local_date(midnight_jd + 0.25, clock);
  const CivilDate later = clamped(add_days(date, days));
  // Stepped as on a fixed clock while the offset stays, so that those days
  // begin exactly where they do there.
  if (noon_offset(clock, date) == noon_offset(clock, later) && shows_midnight(clock, date) &&
      shows_midnight(clock, later))
    return midnight_jd + static_cast<double>(days);
  return local_midnight_jd(later, clock);
}

CivilDateTime jd_to_local_datetime(double jd_ut, const Clock& clock) {
  return split_revjul(jd_ut + offset_at(jd_ut, clock) / 86400.0);
}

CivilDate local_date(double jd_ut, const Clock& clock, double day_shift) {
  return revjul(jd_ut + offset_at(jd_ut, clock) / 86400.0 + day_shift).date;
}

std::uint32_t days_in_month(std::int32_t year, std::uint32_t month) {
  switch (month) {
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
      return 31;
    case 4: case 6: case 9: case 11:
      return 30;
    case 2:
      return is_leap(year) ? 29 : 28;
    default:
      return 0;
  }
}

bool is_valid_date(const CivilDate& date) {
  return date.day >= 1 && date.day <= days_in_month(date.year, date.month);
}

std::string invalid_date_message(const CivilDate& date) {
  return "invalid date " + date_text(date);
}

std::uint32_t weekday_of(const CivilDate& date) {
  static constexpr std::int64_t MONTH_OFFSET[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  const std::uint32_t month = date.month;
  const std::int64_t y = month < 3 ? std::int64_t{date.year} - 1 : std::int64_t{date.year};
  const std::int64_t offset = MONTH_OFFSET[(month >= 1 && month <= 12 ? month : 1) - 1];
  // Floor division and a non-negative remainder keep years before 1 right.
  const std::int64_t sum = std::int64_t{date.day} + y + floor_div(y, 4) - floor_div(y, 100) +
                           floor_div(y, 400) + offset;
  const std::int64_t w = sum % 7;
  return static_cast<std::uint32_t>(w < 0 ? w + 7 : w);
}

std::int32_t shift_year(std::int32_t year, std::int64_t years) {
  constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
  // Clamped before adding, so no sum can overflow either.
  const std::int64_t sum = std::int64_t{year} + std::clamp(years, 2 * lo, 2 * hi);
  return static_cast<std::int32_t>(std::clamp(sum, lo, hi));
}

WideDate add_days(const CivilDate& date, std::int64_t days) {
  return civil_from_days(days_from_civil(date.year, date.month, date.day) + days);
}

std::string date_text(const CivilDate& date) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%ld-%02lu-%02lu", static_cast<long>(date.year),
                static_cast<unsigned long>(date.month), static_cast<unsigned long>(date.day));
  return buf;
}

std::string clock_text(const CivilDateTime& time) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02lu:%02lu", static_cast<unsigned long>(time.hour),
                static_cast<unsigned long>(time.minute));
  return buf;
}

std::string clock_text(double jd_ut, const Clock& clock) {
  return clock_text(jd_to_local_datetime(jd_ut, clock));
}

}  // namespace tithiloom
