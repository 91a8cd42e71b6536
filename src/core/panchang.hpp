// The five limbs of the almanac: the angles they are measured by, how an
// angle becomes an element, the daily panchang at a sunrise with the
// transition times of each limb, and the limbs sampled at any instant.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <vector>

#include "calendar.hpp"
#include "chebyshev.hpp"
#include "names.hpp"
#include "numeric.hpp"
#include "sun.hpp"
#include "types.hpp"

namespace tithiloom {

// Spans in degrees; the exact doubles used in every division.
inline constexpr double TITHI_SPAN_DEG = 12.0;
inline constexpr double KARANA_SPAN_DEG = 6.0;
inline constexpr double NAKSHATRA_SPAN_DEG = 13.333333333333334;  // 360/27
inline constexpr double PADA_SPAN_DEG = 3.3333333333333335;       // 10/3
inline constexpr double YOGA_SPAN_DEG = 13.333333333333334;
inline constexpr double RASHI_SPAN_DEG = 30.0;

// --- angle formulas, from the library's values at one instant ---
// Every angle of the system is formed by these, wherever the values come from.

// Elongation of the Moon from the Sun; the ayanamsa cancels, so tropical.
inline double elongation_deg(double moon_tropical_deg, double sun_tropical_deg) {
  return norm360(moon_tropical_deg - sun_tropical_deg);
}
// Sum of the sidereal longitudes.
inline double yoga_deg(double sun_sidereal_deg, double moon_sidereal_deg) {
  return norm360(sun_sidereal_deg + moon_sidereal_deg);
}

// --- angles at an instant (degrees in [0, 360), NaN if the library fails) ---

double tithi_angle(double jd_ut);
double moon_sidereal_longitude(double jd_ut);
double sun_sidereal_longitude(double jd_ut);
// Each sidereal longitude with its own ayanamsa request.
double yoga_angle(double jd_ut);

// --- angle to element ---

// The angle divided by the span, truncated; NaN gives 0.
inline std::uint32_t element_index(double angle_deg, double span_deg) {
  return truncate_saturating<std::uint32_t>(angle_deg / span_deg);
}

// Karana number (1 to 11) of a half-tithi index (0 to 59).
constexpr std::uint32_t karana_number(std::uint32_t half_tithi) {
  if (half_tithi == 0) return 11;                       // Kimstughna
  if (half_tithi <= 56) return (half_tithi - 1) % 7 + 1;  // the movable seven
  if (half_tithi == 57) return 8;                       // Shakuni
  if (half_tithi == 58) return 9;                       // Chatushpada
  return 10;                                            // Nagava
}

// Pada (1 to 4) of a sidereal Moon longitude inside nakshatra index i;
// capped because rounding at the very end of a nakshatra could give 5.
std::int32_t pada_of(double moon_sidereal_deg, std::uint32_t nakshatra_index);

// --- daily panchang ---

// Tropical longitudes (normalised) and the ayanamsa at one instant.
struct Positions {
  double moon;
  double sun;
  double ayanamsa;
};
Positions positions_at(double jd_ut);

// Estimates of the Moon's and the Sun's tropical longitudes and of the
// ayanamsa over the days around a sunrise, from a few library samples, to
// guide the searches of one daily panchang. Every transition lies within
// 1.2 days of the sunrise (no limb lasts longer); beyond the interval the
// estimates are NaN and the angle itself decides.
class DayGuide {
 public:
  // Degrees chosen so that the estimates stay within about 1e-7 degrees of
  // the library's values at every date the ephemeris covers.
  static constexpr std::size_t MOON_DEGREE = 8, SUN_DEGREE = 6, AYANAMSA_DEGREE = 4;
  static constexpr double HALF_WIDTH_DAYS = 1.25;
  // The estimate must clear a target by this much to decide: over ten times
  // the estimates' error, and a few milliseconds of the Moon's motion.
  static constexpr double MARGIN_DEG = 2e-6;

  // From the exact positions at the sunrise and a few cheaper samples. Only
  // where no request of the searches can be refused (a refusal is the
  // computation's failure and must come from the same request as in the
  // literal search); elsewhere every estimate is NaN.
  DayGuide(double sunrise_jd, const Positions& at_sunrise);

  double tithi_angle(double jd) const { return moon_(jd) - sun_(jd); }
  double moon_sidereal(double jd) const { return moon_(jd) - ayanamsa_(jd); }
  double yoga_angle(double jd) const { return moon_(jd) + sun_(jd) - 2.0 * ayanamsa_(jd); }

 private:
  Chebyshev<MOON_DEGREE> moon_;
  Chebyshev<SUN_DEGREE> sun_;
  Chebyshev<AYANAMSA_DEGREE> ayanamsa_;
};

struct TithiInfo {
  std::uint32_t number;
  std::string name;  // display name, e.g. "Shukla Pratipada"
  std::string_view paksha;
  double start_jd;
  double end_jd;
};

struct VaraInfo {
  std::uint32_t number;  // the weekday as given
  std::string_view name;
  std::string_view english;
};

struct NakshatraInfo {
  std::uint32_t number;
  std::string_view name;
  std::string_view lord;
  std::int32_t pada;
  double start_jd;
  double end_jd;
};

struct YogaInfo {
  std::uint32_t number;
  std::string_view name;
  double start_jd;
  double end_jd;
};

struct KaranaInfo {
  std::uint32_t number;
  std::string_view name;
  double start_jd;
  double end_jd;
};

struct Panchang {
  TithiInfo tithi;
  VaraInfo vara;
  NakshatraInfo nakshatra;
  YogaInfo yoga;
  KaranaInfo karana;
  SunData sun;  // sunrise only; callers put in the whole day's data
};

// The limbs prevailing at `sunrise_jd`, with when each began and will end.
// The weekday is the caller's (0 = Sunday) and is not checked against the date.
// Never fails: a transition not found within two days reads as sunrise -/+ 1 day.
Panchang panchang_at_sunrise(std::uint32_t weekday, double sunrise_jd);

// The same limbs without their transition times (every start_jd and end_jd
// is NaN): each limb is a function of the angles at sunrise alone, so this
// costs one request per body and one ayanamsa instead of eight searches.
Panchang limbs_at_sunrise(std::uint32_t weekday, double sunrise_jd);

// 0-based indices of the limbs at an instant (the pada 1-4, as shown).
struct LimbIndices {
  std::uint32_t tithi;       // 0-29
  std::uint32_t half_tithi;  // 0-59
  std::uint32_t nakshatra;   // 0-26
  std::int32_t pada;         // 1-4
  std::uint32_t yoga;        // 0-26
};

// The limbs named by their indices, transition times NaN.
Panchang limbs_of(std::uint32_t weekday, double sunrise_jd, const LimbIndices& at);

// search: the limbs and their times by the per-day search; skip: the limbs
// without times; shared: the vara alone, the limbs and their times being
// read later from the boundaries days share (time_limbs, transitions.hpp).
enum class Transitions { search, skip, shared };

// The panchang of a civil date at a place: its sun data and, as
// `transitions` says, the limbs at its sunrise. Fails on a day without
// sunrise or sunset (kind no_sun_event) and on a library failure.
Result<Panchang> panchang_of_day(const CivilDate& date, std::uint32_t weekday, const Clock& clock,
                                 const Place& place, Transitions transitions = Transitions::search);

// --- instant sampling ---

struct PanchangaAtJd {
  std::uint32_t tithi_number;
  std::string tithi_name;
  std::string_view paksha;
  std::uint32_t nakshatra_number;
  std::string_view nakshatra_name;
  std::int32_t pada;
  std::uint32_t yoga_number;
  std::string_view yoga_name;
  std::uint32_t karana_number;
  std::string_view karana_name;
};

// The limbs at one instant, without any search; NaN angles if the library fails.
PanchangaAtJd panchanga_at_jd(double jd_ut);
// The limbs at each instant, in order, or the library's failure (that of the
// first failing instant). The instants are spread over up to `threads`
// threads; the result does not depend on their number.
Result<std::vector<PanchangaAtJd>> panchanga_at_jds(const std::vector<double>& jds_ut,
                                                    unsigned threads = 1);

}  // namespace tithiloom
