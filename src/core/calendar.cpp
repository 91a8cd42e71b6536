#include "calendar.hpp"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "ephemeris.hpp"
#include "numeric.hpp"

namespace tithiloom {
namespace {

constexpr std::uint64_t US_PER_HOUR = 3600000000ULL;
constexpr std::uint64_t US_PER_MINUTE = 60000000ULL;
constexpr std::uint64_t US_PER_SECOND = 1000000ULL;

CivilDate date_of(const LibraryDate& r) { return {r.year, r.month, r.day}; }

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
      date_of(r),
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

double local_midnight_jd(std::int32_t year, std::uint32_t month, std::uint32_t day,
                         std::int32_t utc_offset_s) {
  const double tz = utc_offset_s / -3600.0;
  const double jd0 = tz < 0.0 ? julday(year, month, day, 12.0) - 0.5 : julday(year, month, day, 0.0);
  return jd0 + tz / 24.0;
}

CivilDateTime jd_to_local_datetime(double jd_ut, std::int32_t utc_offset_s) {
  return split_revjul(jd_ut + utc_offset_s / 86400.0);
}

CivilDate local_date(double jd_ut, std::int32_t utc_offset_s, double day_shift) {
  return date_of(revjul(jd_ut + utc_offset_s / 86400.0 + day_shift));
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

bool is_valid_date(std::int32_t year, std::uint32_t month, std::uint32_t day) {
  return day >= 1 && day <= days_in_month(year, month);
}

std::string invalid_date_message(std::int32_t year, std::uint32_t month, std::uint32_t day) {
  return "invalid date " + date_text(CivilDate{year, month, day});
}

std::uint32_t weekday_of(std::int32_t year, std::uint32_t month, std::uint32_t day) {
  static constexpr std::int64_t MONTH_OFFSET[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  const std::int64_t y = month < 3 ? std::int64_t{year} - 1 : std::int64_t{year};
  const std::int64_t offset = MONTH_OFFSET[(month >= 1 && month <= 12 ? month : 1) - 1];
  // Floor division and a non-negative remainder keep years before 1 right.
  const std::int64_t sum = std::int64_t{day} + y + floor_div(y, 4) - floor_div(y, 100) +
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

std::string clock_text(double jd_ut, std::int32_t utc_offset_s) {
  return clock_text(jd_to_local_datetime(jd_ut, utc_offset_s));
}

}  // namespace tithiloom
