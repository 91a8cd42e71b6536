// Daily results for every civil day of a date range at one place.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "ephemeris.hpp"
#include "panchang.hpp"
#include "types.hpp"

namespace tithiloom {

struct BatchDayResult {
  Panchang panchang;  // `sun` holds the day's full sunrise data
  std::int32_t year;
  std::uint32_t month;
  std::uint32_t day;
};

// The daily panchang of every date from start to end inclusive, in date
// order, or the library's failure. Days without a sunrise or sunset are left
// out. A month outside 1-12 or a day outside its month is refused with an
// error naming the date, and a range too long to hold, both before any day
// is computed (the latter as a too_large error). Only a failing reservation
// below that size throws std::bad_alloc.
Result<std::vector<BatchDayResult>> compute_range(std::int32_t start_year,
                                                  std::uint32_t start_month,
                                                  std::uint32_t start_day,
                                                  std::int32_t end_year, std::uint32_t end_month,
                                                  std::uint32_t end_day,
                                                  std::int32_t utc_offset_s, const Place& place);

}  // namespace tithiloom
