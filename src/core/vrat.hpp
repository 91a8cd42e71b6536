// The recurring fasts of a year: Pradosh (both pakshas), Sankashti
// Chaturthi, Amavasya and Purnima of every amant month, each on the day
// whose sunrise carries its tithi, as the sunrise scanner finds it
// (sunrise_scan.hpp).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calendar.hpp"
#include "ephemeris.hpp"
#include "sunrise_scan.hpp"
#include "types.hpp"

namespace tithiloom {

// A recurring fast on the day whose sunrise carries its tithi.
struct VratOccurrence {
  std::string_view vrat_type;
  std::string name;  // "Pradosh Vrat (Kartik)", "Purnima Vrat (Adhika Shravana)"
  std::string_view lunar_month_name;
  std::string_view paksha;
  double sunrise_jd;
  CivilDate date;
};

// The five vrats of every amant month, those dated in `year`, in date order.
// `literal` remembers nothing and asks about every day. The months are
// spread over up to `threads` threads; the result depends on neither choice.
Result<std::vector<VratOccurrence>> compute_vrat_dates(std::int32_t year, const Clock& clock,
                                                       const Place& place,
                                                       Reuse reuse = Reuse::memo,
                                                       unsigned threads = 1);

}  // namespace tithiloom
