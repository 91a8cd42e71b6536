// The Moon's rising and setting on a civil date, its sign, and the limbs
// that follow those at sunrise (see moon_day.hpp).
#include "moon_day.hpp"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <optional>

#include "numeric.hpp"
#include "rising.hpp"
#include "search.hpp"

namespace tithiloom {
namespace {

// No limb lasts two days, and the Moon stays under three in a sign.
constexpr double LIMB_WINDOW_DAYS = 2.0;
constexpr double RASHI_WINDOW_DAYS = 3.0;
constexpr double STEP_DAYS = 1.0 / 24.0;

// When an angle, starting from `from_jd`, next reaches the end of element
// `index` of width `span_deg` (the boundary after it, wrapped at 360).
template <class Angle>
double end_of(Angle angle, double from_jd, std::uint32_t index, double span_deg,
              double window_days) {
  double upper = (index + 1) * span_deg;
  if (upper >= 360.0) upper -= 360.0;
  const std::optional<double> end =
      find_crossing_forward_step(angle, from_jd, upper, window_days, STEP_DAYS);
  return end.value_or(NaN);
}

// The limb after one of `count` limbs numbered from 1, from its end on.
template <class Angle, class Name>
FollowingLimb following(std::uint32_t number, std::uint32_t count, double start_jd,
                        double span_deg, Angle angle, Name name) {
  const std::uint32_t next = number % count + 1;
  return {next, std::string(name(next)), start_jd,
          end_of(angle, start_jd, next - 1, span_deg, LIMB_WINDOW_DAYS)};
}

// The boundaries after `sunrise_jd`: the first begins the following limb,
// the second ends it (NaN where the list holds none).
struct After {
  double first_jd = NaN;
  double second_jd = NaN;
  std::optional<std::uint32_t> index;  // 0-based, of the limb the first begins
};

After after(const std::vector<LimbBoundary>& list, double sunrise_jd) {
  const auto it = std::upper_bound(
      list.begin(), list.end(), sunrise_jd,
      [](double t, const LimbBoundary& b) { return t < b.jd_ut; });
  if (it == list.end()) return {};
  return {it->jd_ut, std::next(it) == list.end() ? NaN : std::next(it)->jd_ut, it->index_after};
}

// The limb after one of `count` limbs numbered from 1, as the boundaries
// give it (the number the day's limb implies where they give none).
template <class Name>
FollowingLimb following_on(std::uint32_t number, std::uint32_t count,
                           const std::vector<LimbBoundary>& list, double sunrise_jd, Name name) {
  const After a = after(list, sunrise_jd);
  const std::uint32_t next = a.index ? *a.index % count + 1 : number % count + 1;
  return {next, std::string(name(next)), a.first_jd, a.second_jd};
}

// When the Moon rises and sets on the date.
MoonDay risings(const CivilDate& date, const Clock& clock, const Place& place) {
  const double midnight = local_midnight_jd(date, clock);
  const double next_midnight = midnight_after(midnight, clock);
  MoonDay m{};
  m.moonrise_jd = moon_event_within(midnight, next_midnight, place, SunEvent::rise);
  m.moonset_jd = moon_event_within(midnight, next_midnight, place, SunEvent::set);
  return m;
}

}  // namespace

MoonDay moon_of_day(const CivilDate& date, const Clock& clock, const Place& place,
                    const Panchang& day) {
  const double sunrise = day.sun.sunrise_jd;
  MoonDay m = risings(date, clock, place);
  m.rashi = element_index(moon_sidereal_longitude(sunrise), RASHI_SPAN_DEG);
  m.rashi_name = rashi_name(m.rashi);
  m.rashi_end_jd =
      end_of(moon_sidereal_longitude, sunrise, m.rashi, RASHI_SPAN_DEG, RASHI_WINDOW_DAYS);

  m.next_tithi = following(day.tithi.number, 30, day.tithi.end_jd, TITHI_SPAN_DEG, tithi_angle,
                           tithi_display_name);
  m.next_nakshatra = following(day.nakshatra.number, 27, day.nakshatra.end_jd,
                               NAKSHATRA_SPAN_DEG, moon_sidereal_longitude, nakshatra_name);
  m.next_nakshatra.lord = nakshatra_lord(m.next_nakshatra.number);
  m.next_yoga = following(day.yoga.number, 27, day.yoga.end_jd, YOGA_SPAN_DEG, yoga_angle,
                          yoga_name);
  return m;
}

MoonDay moon_of_day_on_boundaries(const CivilDate& date, const Clock& clock,
                                  const Place& place, const Panchang& day,
                                  const LimbBoundaries& ahead) {
  const double sunrise = day.sun.sunrise_jd;
  MoonDay m = risings(date, clock, place);
  // The sign at sunrise is the one the next change of sign leaves (those
  // near the sunrise settled as the day's limbs are).
  const After sign = after(ahead.moon_rashi, sunrise);
  m.rashi = sign.index ? (*sign.index + 11) % 12
                       : element_index(moon_sidereal_longitude(sunrise), RASHI_SPAN_DEG);
  m.rashi_name = rashi_name(m.rashi);
  m.rashi_end_jd = sign.first_jd;
  m.next_tithi = following_on(day.tithi.number, 30, ahead.tithi, sunrise, tithi_display_name);
  m.next_nakshatra = following_on(day.nakshatra.number, 27, ahead.nakshatra, sunrise,
                                  nakshatra_name);
  m.next_nakshatra.lord = nakshatra_lord(m.next_nakshatra.number);
  m.next_yoga = following_on(day.yoga.number, 27, ahead.yoga, sunrise, yoga_name);
  return m;
}

}  // namespace tithiloom
