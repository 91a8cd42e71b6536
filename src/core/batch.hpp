// Daily results for every civil day of a date range at one place.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "calendar.hpp"
#include "ephemeris.hpp"
#include "moon_day.hpp"
#include "panchang.hpp"
#include "types.hpp"

namespace tithiloom {

struct BatchDayResult {
  // The limbs at sunrise, with transition times as asked (else NaN); `sun`
  // holds the day's full sunrise data.
  Panchang panchang;
  CivilDate date;
  std::optional<MoonDay> moon;  // when asked for, with transition times
};

// Which transition times the days of a range carry: none; each day's own
// guided search (the daily panchang's times, bit for bit); or boundaries
// found once for the whole range and shared by the days they separate
// (transitions.hpp: within a second of the true crossing).
enum class DayTimes : std::uint8_t { none, per_day, shared };

// The limbs at sunrise of every date from start to end inclusive, in date
// order, or the library's failure. Days without a sunrise or sunset are left
// out. A month outside 1-12 or a day outside its month is refused with an
// error naming the date, and a range too long to hold, both before any day
// is computed (the latter as a too_large error): a range is too long when
// its records, each counted with the `result_bytes_per_day` the caller will
// spend on it, would exceed the machine's memory. Memory grows with the days
// computed, never far ahead of them; running out of it below that size
// throws std::bad_alloc. The days are spread over up to `threads` threads;
// the result does not depend on their number. With `moon` (and times), each
// day also has its Moon (moon_day.hpp), timed as its limbs are.
Result<std::vector<BatchDayResult>> compute_range(const CivilDate& start, const CivilDate& end,
                                                  const Clock& clock, const Place& place,
                                                  unsigned threads = 1,
                                                  double result_bytes_per_day = 0.0,
                                                  DayTimes times = DayTimes::none,
                                                  bool moon = false);

}  // namespace tithiloom
