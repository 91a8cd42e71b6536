// The records that festival resolution passes between its steps: what a
// rule decides (Observed) and what one unit of work resolves on
// (Resolution), with the pieces the solar and the lunar-day rules share.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "calendar.hpp"
#include "festival.hpp"
#include "numeric.hpp"
#include "observance.hpp"
#include "sunrise_scan.hpp"

namespace tithiloom {

// The day-by-day scans around an anchor: 40 civil days from 20 before it.
inline constexpr double SCAN_BEFORE_DAYS = 20.0;
inline constexpr int SCAN_DAYS = 40;

// What a rule decides, before the day shift and the year filter.
struct Observed {
  CivilDate date;
  double sunrise_jd;
  std::uint32_t tithi_at_sunrise;
  std::string_view lunar_month_name;
  bool is_adhik_month;
  std::string reasoning;
  std::string_view priority_applied;
  std::string_view kaala_applied;
  std::optional<AlternateObservance> alternate;
  double margin_days = NaN;
  double moonrise_jd = NaN;
  DayWindow muhurta{NaN, NaN};
};

// What one unit of work resolves its definitions on: the year's ingresses
// and months, the clock, the conventions, and the unit's sky.
struct Resolution {
  const FestivalYear& calendar;
  const Clock& clock;
  bool purnimant;
  SearchOrder order;
  Sky& sky;
};

// Among the 40 days around the anchor, the sunrise nearest it that matches;
// on equal distance the earlier day.
template <class Match>
std::optional<double> nearest_sunrise(Match&& match, double anchor_jd, Resolution& r) {
  const CivilDate first = local_date(anchor_jd - SCAN_BEFORE_DAYS, r.clock);
  const double d0 = local_midnight_jd(first, r.clock);
  std::optional<double> best;
  for (int i = 0; i < SCAN_DAYS; ++i) {
    const double s = r.sky.sunrise_after(midnight_after(d0, r.clock, i));
    if (!std::isfinite(s) || !match(s)) continue;
    if (!best || std::fabs(s - anchor_jd) < std::fabs(*best - anchor_jd)) best = s;
  }
  return best;
}

SearchOrder search_order(Reuse reuse);

// The sunrise of the civil day before (-1) or after (+1) the one holding jd.
SunriseHit neighbour_day(double jd, Resolution& r, double day_shift);

// The smaller of two margins, either possibly NaN.
double closer(double a, double b);

AlternateObservance alternate_on(const CivilDate& date, double sunrise_jd,
                                 std::string_view priority, std::string reasoning);

// "95 min".
std::string minutes_text(double minutes);

}  // namespace tithiloom
