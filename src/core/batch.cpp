#include "batch.hpp"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

#include <unistd.h>

#include "calendar.hpp"
#include "numeric.hpp"
#include "parallel.hpp"
#include "transitions.hpp"

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

// Whether the records of a range of `n` + 1 days, and what the caller builds
// from them, could never fit in the machine's memory.
bool too_long(std::size_t n, double result_bytes_per_day, std::size_t max_records) {
  const double bytes_per_day = static_cast<double>(sizeof(BatchDayResult)) +
                               std::max(0.0, result_bytes_per_day);
  return (static_cast<double>(n) + 1.0) * bytes_per_day > physical_memory_bytes() ||
         n >= max_records;
}

// The civil date after `date`; none past the last representable one.
std::optional<CivilDate> day_after(const CivilDate& date) {
  if (date.day < days_in_month(date.year, date.month))
    return CivilDate{date.year, date.month, date.day + 1};
  if (date.month < 12) return CivilDate{date.year, date.month + 1, 1};
  if (date.year == std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return CivilDate{date.year + 1, 1, 1};
}

// The next dates of the range, from `next` on, at most a chunk of them,
// those whose midnights come by `limit`; `next` moves past them, and is
// none once the range is done. Dates are cheap; their days are not.
void next_chunk(std::optional<CivilDate>& next, double limit, const Clock& clock,
                std::vector<CivilDate>& dates) {
  dates.clear();
  while (next && dates.size() < CHUNK_DAYS) {
    if (!(local_midnight_jd(*next, clock) <= limit)) {
      next.reset();
      break;
    }
    dates.push_back(*next);
    next = day_after(*next);
  }
}

// The Moon of each day from `first` on, read from the boundaries the days
// were timed by; the error is that of the lowest failing day.
std::optional<Error> add_moons(std::vector<BatchDayResult>& days, std::size_t first,
                               const Clock& clock, const Place& place, unsigned threads,
                               const LimbBoundaries& ahead) {
  return run_units(days.size() - first, threads, DAYS_PER_THREAD, [&](std::size_t i) {
    BatchDayResult& day = days[first + i];
    Result<MoonDay> m = checked([&] {
      return moon_of_day_on_boundaries(day.date, clock, place, day.panchang, ahead);
    });
    if (!m.ok()) return std::optional<Error>(m.failure());
    day.moon = std::move(m).value();
    return std::optional<Error>();
  });
}

// The days of the dates, which are independent, on the pool, appended in
// date order; days without a sunrise or sunset are left out. The error is
// that of the lowest failing day.
std::optional<Error> append_days(const std::vector<CivilDate>& dates, const Clock& clock,
                                 const Place& place, unsigned threads, DayTimes times,
                                 bool moon, std::vector<BatchDayResult>& days) {
  const Transitions own = times == DayTimes::per_day ? Transitions::search
                          : times == DayTimes::shared ? Transitions::shared
                                                      : Transitions::skip;
  std::vector<std::optional<BatchDayResult>> slots(dates.size());
  const auto error = run_units(dates.size(), threads, DAYS_PER_THREAD, [&](std::size_t i) {
    const CivilDate& date = dates[i];
    Result<Panchang> p =
        panchang_of_day(date, weekday_of(date), clock, place, own);
    if (p.ok()) {
      slots[i] = BatchDayResult{std::move(p).value(), date, std::nullopt};
      // Under the per-day search the day is timed already; its Moon too.
      if (moon && times == DayTimes::per_day) {
        Result<MoonDay> m =
            checked([&] { return moon_of_day(date, clock, place, slots[i]->panchang); });
        if (!m.ok()) return std::optional<Error>(m.failure());
        slots[i]->moon = std::move(m).value();
      }
    } else if (p.error_kind() != Error::Kind::no_sun_event) {
      return std::optional<Error>(p.failure());
    }
    return std::optional<Error>();
  });
  if (error) return error;
  const std::size_t first = days.size();
  for (std::optional<BatchDayResult>& day : slots)
    if (day) days.push_back(std::move(*day));
  if (times == DayTimes::shared) {
    std::vector<Panchang*> timed;
    timed.reserve(days.size() - first);
    for (std::size_t i = first; i < days.size(); ++i) timed.push_back(&days[i].panchang);
    LimbBoundaries ahead;
    if (auto error = time_limbs(timed, threads, moon ? &ahead : nullptr)) return error;
    if (moon) return add_moons(days, first, clock, place, threads, ahead);
  }
  return std::nullopt;
}

}  // namespace

Result<std::vector<BatchDayResult>> compute_range(const CivilDate& start, const CivilDate& end,
                                                  const Clock& clock, const Place& place,
                                                  unsigned threads, double result_bytes_per_day,
                                                  DayTimes times, bool moon) {
  if (!is_valid_date(start)) return Error{invalid_date_message(start)};
  if (!is_valid_date(end)) return Error{invalid_date_message(end)};
  // One set of library settings for the whole range, whatever other threads do.
  const SettingsPin pin(Settings::current());

  const double end_mid = local_midnight_jd(end, clock);
  const double start_mid = local_midnight_jd(start, clock);
  const double limit = end_mid + 0.5;

  std::vector<BatchDayResult> days;
  const double diff = round_half_away(end_mid - start_mid);
  const std::size_t n = diff > 0.0 ? truncate_saturating<std::size_t>(diff) : 0;
  // A range that can never complete is refused before any allocation or
  // computation.
  if (too_long(n, result_bytes_per_day, days.max_size()))
    return Error{"date range too long: its results cannot fit in memory", Error::Kind::too_large};

  // The range in chunks. The lowest failing day of the first failing chunk
  // is the lowest of the range, as if it ran in one piece.
  std::optional<CivilDate> next = start;
  std::vector<CivilDate> dates;
  while (next) {
    next_chunk(next, limit, clock, dates);
    if (dates.empty()) break;
    if (auto error = append_days(dates, clock, place, threads, times, moon, days)) return *error;
  }
  return days;
}

}  // namespace tithiloom
