#include "batch.hpp"

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include <unistd.h>

#include "numeric.hpp"
#include "sun.hpp"

namespace tithiloom {

namespace {

bool is_leap(std::int64_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::int64_t floor_div(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::string invalid_date_message(std::int32_t year, std::uint32_t month, std::uint32_t day) {
  char text[80];
  std::snprintf(text, sizeof text, "invalid date %ld-%02lu-%02lu", static_cast<long>(year),
                static_cast<unsigned long>(month), static_cast<unsigned long>(day));
  return text;
}

// Installed memory, or unlimited where the system does not say.
double physical_memory_bytes() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long page_size = sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || page_size <= 0) return std::numeric_limits<double>::infinity();
  return static_cast<double>(pages) * static_cast<double>(page_size);
}

bool is_valid_date(std::int32_t year, std::uint32_t month, std::uint32_t day) {
  return day >= 1 && day <= days_in_month(year, month);
}

}  // namespace

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

Result<std::vector<BatchDayResult>> compute_range(std::int32_t start_year,
                                                  std::uint32_t start_month,
                                                  std::uint32_t start_day,
                                                  std::int32_t end_year, std::uint32_t end_month,
                                                  std::uint32_t end_day,
                                                  std::int32_t utc_offset_s, const Place& place) {
  if (!is_valid_date(start_year, start_month, start_day))
    return Error{invalid_date_message(start_year, start_month, start_day)};
  if (!is_valid_date(end_year, end_month, end_day))
    return Error{invalid_date_message(end_year, end_month, end_day)};
  ensure_initialized();

  const double end_mid = local_midnight_jd(end_year, end_month, end_day, utc_offset_s);
  const double start_mid = local_midnight_jd(start_year, start_month, start_day, utc_offset_s);
  const double limit = end_mid + 0.5;

  std::vector<BatchDayResult> days;
  const double diff = round_half_away(end_mid - start_mid);
  const std::size_t n = diff > 0.0 ? truncate_saturating<std::size_t>(diff) : 0;
  // A range whose plain records alone would not fit in the machine's memory
  // can never complete: refuse it before any allocation or computation.
  if ((static_cast<double>(n) + 1.0) * sizeof(BatchDayResult) > physical_memory_bytes() ||
      n >= days.max_size())
    return Error{"date range too long: its results cannot fit in memory", Error::Kind::too_large};
  days.reserve(n + 1);

  std::int32_t y = start_year;
  std::uint32_t m = start_month;
  std::uint32_t d = start_day;
  for (;;) {
    if (!(local_midnight_jd(y, m, d, utc_offset_s) <= limit)) break;
    const SunData sun = compute_sun_data(y, m, d, utc_offset_s, place);
    if (std::isfinite(sun.sunrise_jd) && std::isfinite(sun.sunset_jd)) {
      Panchang p = compute(weekday_of(y, m, d), sun.sunrise_jd);
      p.sun = sun;
      days.push_back(BatchDayResult{std::move(p), y, m, d});
    }
    if (d < days_in_month(y, m)) {
      ++d;
    } else if (m < 12) {
      m += 1;
      d = 1;
    } else {
      // Past the last representable year no end date can follow.
      if (y == std::numeric_limits<std::int32_t>::max()) break;
      ++y;
      m = 1;
      d = 1;
    }
  }
  return days;
}

}  // namespace tithiloom
