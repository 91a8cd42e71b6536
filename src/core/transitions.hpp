// Every boundary of the Moon-driven limbs (tithi, karana, nakshatra, yoga)
// and of the Moon's rashi over a span of days, each found once.
//
// The Moon's and the Sun's tropical longitudes are sampled every two days
// with their speeds, and the ayanamsa with them. A Hermite curve through the
// four samples around each interval places every crossing of an element
// boundary to about a fifth of a second of the Moon's motion, without a
// further request; a boundary within two seconds of the sunrise a day is
// read at is settled by Newton steps on the library's Moon, so that it lies
// on the same side of that sunrise as the limb the day reads there. The
// angles are those of the daily panchang, formed from the same longitudes.
// Samples lie on fixed instants (whole multiples of the step), so any span
// holding a boundary finds it at the same instant: days that share a
// boundary read the same time.
//
// The core's per-day guided search (panchang.hpp) is untouched: its times
// are bit for bit those of the literal search.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "hermite.hpp"
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

// How far past the last sunrise time_limbs gives every boundary when asked:
// the Moon's day reads its following limbs and change of sign there.
inline constexpr double AHEAD_DAYS = 3.0;

// Sets the tithi, nakshatra, yoga and karana prevailing at each panchang's
// sun.sunrise_jd, with their start_jd and end_jd, from boundaries found once
// for all the days (the vara and sun data are kept): the end of a limb on one
// day and its successor's start on the next are the same instant. A limb is
// read from the side of the sunrise its boundaries lie on, those within two
// seconds of it settled on the library first, so it is the limb the
// library's positions at that sunrise give. A boundary missing within 1.5
// days of a sunrise (never seen at a real date) reads as sunrise -/+ 1 day,
// as in the per-day search. With `ahead`, also gives every boundary from the
// first sunrise to AHEAD_DAYS after the last, timed as the days read them.
// Fails only with the library's failure.
std::optional<Error> time_limbs(const std::vector<Panchang*>& days, unsigned threads = 1,
                                LimbBoundaries* ahead = nullptr);

// The tithi angle (the Moon's elongation from the Sun, in degrees, of any
// winding) as the boundaries' curves give it, within about 1e-4 degrees of
// the library's: a guide for searches of that angle. Each interval's curve
// is made from the kept samples when first asked for; NaN outside
// [from_jd, to_jd].
class ElongationFit {
 public:
  ElongationFit(double from_jd, double to_jd);
  double operator()(double jd) const;
  // False where requests could be refused: the search is then the literal
  // one, which fails at the same request as ever.
  bool usable() const { return !intervals_.empty(); }

 private:
  struct Interval {
    double moon0_deg;
    double sun0_deg;
    Hermite moon;
    Hermite sun;
  };
  std::int64_t first_ = 0;
  std::uint64_t settings_ = 0;
  mutable std::vector<std::optional<Interval>> intervals_;
};

}  // namespace tithiloom
