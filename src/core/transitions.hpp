// Every boundary of the Moon-driven limbs (tithi, karana, nakshatra, yoga)
// and of the Moon's rashi over a span of days, each found once.
//
// The Moon's and the Sun's tropical longitudes are sampled every two days
// with their speeds, and the ayanamsa with them; a cubic Hermite curve
// through the samples places each crossing of an element boundary to some
// seconds, and Newton steps on the library's Moon at the estimate settle it
// (the Sun and the ayanamsa, slow and smooth, are taken from the fit, which
// holds them to far below a millisecond of the Moon's motion). The angles
// are those of the daily panchang, formed from the same longitudes, so a
// limb read at a sunrise lies between the boundaries found here, to within
// a tenth of a second of the true crossing. Samples lie on fixed instants
// (whole multiples of the step), so any span holding a boundary finds it at
// the same instant: days that share a boundary read the same time.
//
// The core's per-day guided search (panchang.hpp) is untouched: its times
// are bit for bit those of the literal search.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "panchang.hpp"
#include "types.hpp"

namespace tithiloom {

struct LimbBoundary {
  double jd_ut;
  std::uint32_t index_after;  // the limb's 0-based index from jd_ut on
};

// Each list in time order.
struct LimbBoundaries {
  std::vector<LimbBoundary> tithi;       // index 0-29
  std::vector<LimbBoundary> karana;      // half-tithi index 0-59
  std::vector<LimbBoundary> nakshatra;   // 0-26
  std::vector<LimbBoundary> yoga;        // 0-26
  std::vector<LimbBoundary> moon_rashi;  // 0-11, of the sidereal Moon
};

// The longest span of days find_limb_boundaries takes (about a century).
inline constexpr double MAX_BOUNDARY_SPAN_DAYS = 36525.0;

// Every boundary in [from_jd_ut, to_jd_ut], or the library's failure; a
// span that is not finite, reversed or longer than MAX_BOUNDARY_SPAN_DAYS
// is refused. Spread over up to `threads` threads; the result does not
// depend on their number.
Result<LimbBoundaries> find_limb_boundaries(double from_jd_ut, double to_jd_ut,
                                            unsigned threads = 1);

// Sets the start_jd and end_jd of the tithi, nakshatra, yoga and karana of
// each panchang (the limbs prevailing at its sun.sunrise_jd) from boundaries
// found once for all the days: the end of a limb on one day and its
// successor's start on the next are the same instant. Only boundaries that
// some day reports are refined. A boundary missing within 1.5 days of a
// sunrise (never seen at a real date) reads as sunrise -/+ 1 day, as in the
// per-day search. Fails only with the library's failure.
std::optional<Error> time_limbs(const std::vector<Panchang*>& days, unsigned threads = 1);

}  // namespace tithiloom
