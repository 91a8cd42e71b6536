#include "resolution.hpp"

#include <algorithm>
#include <utility>

#include "numeric.hpp"

namespace tithiloom {

SearchOrder search_order(Reuse reuse) {
  return reuse == Reuse::memo ? SearchOrder::quickest : SearchOrder::as_stated;
}

SunriseHit neighbour_day(double jd, Resolution& r, double day_shift) {
  const CivilDate date = local_date(jd, r.clock, day_shift);
  return sunrise_hit(date, r.sky.sunrise_after(local_midnight_jd(date, r.clock)), r.clock);
}

double closer(double a, double b) { return std::isnan(a) ? b : std::isnan(b) ? a : std::min(a, b); }

AlternateObservance alternate_on(const CivilDate& date, double sunrise_jd,
                                 std::string_view priority, std::string reasoning) {
  return {date, sunrise_jd, priority, std::move(reasoning)};
}

std::string minutes_text(double minutes) {
  return std::to_string(truncate_saturating<std::int64_t>(minutes)) + " min";
}

}  // namespace tithiloom
