#include "batch.hpp"

#include <limits>
#include <string>

#include <unistd.h>

#include "calendar.hpp"
#include "numeric.hpp"

namespace tithiloom {

namespace {

// Installed memory, or unlimited where the system does not say.
double physical_memory_bytes() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long page_size = sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || page_size <= 0) return std::numeric_limits<double>::infinity();
  return static_cast<double>(pages) * static_cast<double>(page_size);
}

}  // namespace

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
    Result<Panchang> p = compute_day({y, m, d}, utc_offset_s, place, weekday_of(y, m, d));
    if (p.ok()) {
      days.push_back(BatchDayResult{std::move(p).value(), y, m, d});
    } else if (p.error_kind() != Error::Kind::no_sun_event) {
      return p.failure();
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
