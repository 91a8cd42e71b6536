#include "batch.hpp"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

#include <unistd.h>

#include "calendar.hpp"
#include "numeric.hpp"
#include "parallel.hpp"

namespace tithiloom {

namespace {

// Installed memory, or unlimited where the system does not say.
double physical_memory_bytes() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long page_size = sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || page_size <= 0) return std::numeric_limits<double>::infinity();
  return static_cast<double>(pages) * static_cast<double>(page_size);
}

// A day costs a few hundred microseconds; a thread is worth starting for a
// few milliseconds of work.
constexpr std::size_t DAYS_PER_THREAD = 8;
// Days computed before their records join the result: enough to keep the
// pool busy, few enough that nothing is held far ahead of the work done.
constexpr std::size_t CHUNK_DAYS = 4096;

}  // namespace

Result<std::vector<BatchDayResult>> compute_range(std::int32_t start_year,
                                                  std::uint32_t start_month,
                                                  std::uint32_t start_day,
                                                  std::int32_t end_year, std::uint32_t end_month,
                                                  std::uint32_t end_day,
                                                  const Clock& clock, const Place& place,
                                                  unsigned threads, double result_bytes_per_day) {
  if (!is_valid_date(start_year, start_month, start_day))
    return Error{invalid_date_message(start_year, start_month, start_day)};
  if (!is_valid_date(end_year, end_month, end_day))
    return Error{invalid_date_message(end_year, end_month, end_day)};
  // One set of library settings for the whole range, whatever other threads do.
  const SettingsPin pin(Settings::current());

  const double end_mid = local_midnight_jd({end_year, end_month, end_day}, clock);
  const double start_mid = local_midnight_jd({start_year, start_month, start_day}, clock);
  const double limit = end_mid + 0.5;

  std::vector<BatchDayResult> days;
  const double diff = round_half_away(end_mid - start_mid);
  const std::size_t n = diff > 0.0 ? truncate_saturating<std::size_t>(diff) : 0;
  // A range whose results (records and what the caller builds from them)
  // would not fit in the machine's memory can never complete: refuse it
  // before any allocation or computation.
  const double bytes_per_day = static_cast<double>(sizeof(BatchDayResult)) +
                               std::max(0.0, result_bytes_per_day);
  if ((static_cast<double>(n) + 1.0) * bytes_per_day > physical_memory_bytes() ||
      n >= days.max_size())
    return Error{"date range too long: its results cannot fit in memory", Error::Kind::too_large};

  // The range in chunks: the civil dates of a chunk (cheap), then their days,
  // which are independent, on the pool. The lowest failing day of the first
  // failing chunk is the lowest of the range, as if it ran in one piece.
  std::vector<CivilDate> dates;
  std::vector<std::optional<BatchDayResult>> slots;
  std::int32_t y = start_year;
  std::uint32_t m = start_month;
  std::uint32_t d = start_day;
  bool more = true;
  while (more) {
    dates.clear();
    while (dates.size() < CHUNK_DAYS) {
      if (!(local_midnight_jd({y, m, d}, clock) <= limit)) {
        more = false;
        break;
      }
      dates.push_back({y, m, d});
      if (d < days_in_month(y, m)) {
        ++d;
      } else if (m < 12) {
        m += 1;
        d = 1;
      } else {
        // Past the last representable year no end date can follow.
        if (y == std::numeric_limits<std::int32_t>::max()) {
          more = false;
          break;
        }
        ++y;
        m = 1;
        d = 1;
      }
    }
    if (dates.empty()) break;

    slots.assign(dates.size(), std::nullopt);
    const auto error = run_units(dates.size(), threads, DAYS_PER_THREAD, [&](std::size_t i) {
      const CivilDate& date = dates[i];
      Result<Panchang> p = compute_day(date, clock, place,
                                       weekday_of(date.year, date.month, date.day),
                                       Transitions::skip);
      if (p.ok()) {
        slots[i] = BatchDayResult{std::move(p).value(), date.year, date.month, date.day};
      } else if (p.error_kind() != Error::Kind::no_sun_event) {
        return std::optional<Error>(p.failure());
      }
      return std::optional<Error>();
    });
    if (error) return *error;
    for (std::optional<BatchDayResult>& day : slots)
      if (day) days.push_back(std::move(*day));
  }
  return days;
}

}  // namespace tithiloom
