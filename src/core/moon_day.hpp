// The Moon's side of a civil day, as an almanac page shows it beside the
// limbs at sunrise: when the Moon rises and sets on the date, the sign it
// stands in at sunrise and when it leaves it, and the tithi, nakshatra and
// yoga that follow those prevailing at sunrise, each with its end.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "calendar.hpp"
#include "ephemeris.hpp"
#include "panchang.hpp"
#include "transitions.hpp"

namespace tithiloom {

// A limb that begins when the one at sunrise ends.
struct FollowingLimb {
  std::uint32_t number;
  std::string name;
  double start_jd;
  double end_jd;  // NaN when not found within two days
  std::string_view lord = {};  // a nakshatra's ruling planet; empty for the others
};

struct MoonDay {
  double moonrise_jd;  // NaN: the Moon does not rise on the date
  double moonset_jd;   // NaN: nor set
  std::uint32_t rashi;  // 0-based sidereal sign of the Moon at sunrise
  std::string_view rashi_name;
  double rashi_end_jd;  // when the Moon enters the next sign
  FollowingLimb next_tithi;
  FollowingLimb next_nakshatra;
  FollowingLimb next_yoga;
};

// The Moon of `date` at the place (risen by the place's convention), from
// the day's panchang with its transition times. Library failures are the
// caller's to collect (run it inside `checked`).
MoonDay moon_of_day(const CivilDate& date, const Clock& clock, const Place& place,
                    const Panchang& day);

// The same, with the following limbs and the change of sign read from the
// boundaries that days share (transitions.hpp: time_limbs's `ahead`, which
// reach AHEAD_DAYS past the sunrise): each follows where the day's limb,
// timed the same way, ends.
MoonDay moon_of_day_on_boundaries(const CivilDate& date, const Clock& clock,
                                  const Place& place, const Panchang& day,
                                  const LimbBoundaries& ahead);

}  // namespace tithiloom
