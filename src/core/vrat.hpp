// The recurring fasts of a year: Pradosh (both pakshas), Sankashti
// Chaturthi, Amavasya and Purnima of every amant month. The module's own
// keep each on the day whose sunrise carries its tithi, as the sunrise
// scanner finds it (sunrise_scan.hpp); the almanac's are tithi rules with a
// kaala or a moonrise, resolved as festivals are (festival.hpp).
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "calendar.hpp"
#include "ephemeris.hpp"
#include "festival.hpp"
#include "sunrise_scan.hpp"
#include "types.hpp"

namespace tithiloom {

// A recurring fast and the day its rule gives.
struct VratOccurrence {
  std::string_view vrat_type;  // the rule's name
  std::string name;  // "Pradosh Vrat (Kartik)", "Purnima Vrat (Adhika Shravana)"
  std::string_view lunar_month_name;
  std::string_view paksha;
  double sunrise_jd;
  CivilDate date;
  std::string reasoning;
  DayWindow muhurta;  // as the festival occurrence's
};

// The module's five vrats, as tithi rules: Pradosh (13 and 28), Sankashti
// Chaturthi (19), Amavasya (30) and Purnima (15), each at sunrise.
const std::vector<FestivalDef>& sunrise_vrats();

// Each rule (a tithi rule, by name and tithi) in every amant month, those
// dated in `year`, in date order; the rules outlive the result, which names
// them. `literal` remembers nothing and asks about every day. The months are
// spread over up to `threads` threads; the result depends on neither choice.
// Months that end more than a few days before `from_jd`, or begin as long
// after `to_jd`, are passed over: whoever asks only about the days between
// pays only for the months that can hold them (a NaN bound is no bound).
Result<std::vector<VratOccurrence>> compute_vrat_dates(
    std::int32_t year, const Clock& clock, const Place& place, Reuse reuse = Reuse::memo,
    unsigned threads = 1, const std::vector<FestivalDef>& rules = sunrise_vrats(),
    double from_jd = std::numeric_limits<double>::quiet_NaN(),
    double to_jd = std::numeric_limits<double>::quiet_NaN());

}  // namespace tithiloom
