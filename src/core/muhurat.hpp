// Weekday-based day windows and the Choghadiya periods: pure arithmetic on a
// sunrise and a day length that the caller supplies, no ephemeris.
#pragma once

#include <cstdint>
#include <vector>

#include "types.hpp"

namespace tithiloom {

struct DayWindows {
  TimeWindow rahu_kalam;
  TimeWindow yama_gandam;
  TimeWindow gulika_kalam;
  TimeWindow abhijit_muhurat;
};

// Any weekday is taken modulo 7 (0 = Sunday); no value is range-checked, so a
// zero or negative day length gives empty or reversed windows.
DayWindows compute_muhurat(std::uint32_t weekday, double sunrise_jd, double day_duration_hours);

// The eight day periods from sunrise, then the eight night periods from sunset.
std::vector<TimeWindow> choghadiya(std::uint32_t weekday, double sunrise_jd, double sunset_jd,
                                   double day_duration_hours);

}  // namespace tithiloom
