#include "panchang.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <limits>
#include <memory>
#include <optional>

#include "chebyshev.hpp"
#include "ephemeris.hpp"
#include "numeric.hpp"
#include "parallel.hpp"
#include "search.hpp"

namespace tithiloom {

double tithi_angle(double jd_ut) {
  ensure_initialized();
  const double moon = tropical_longitude(jd_ut, BODY_MOON);
  const double sun = tropical_longitude(jd_ut, BODY_SUN);
  return elongation_deg(moon, sun);
}

double moon_sidereal_longitude(double jd_ut) {
  ensure_initialized();
  return sidereal_longitude(jd_ut, BODY_MOON);
}

double sun_sidereal_longitude(double jd_ut) {
  ensure_initialized();
  return sidereal_longitude(jd_ut, BODY_SUN);
}

double yoga_angle(double jd_ut) {
  ensure_initialized();
  const double sun = sidereal_longitude(jd_ut, BODY_SUN);
  const double moon = sidereal_longitude(jd_ut, BODY_MOON);
  return yoga_deg(sun, moon);
}

std::int32_t pada_of(double moon_sidereal_deg, std::uint32_t nakshatra_index) {
  const double into = moon_sidereal_deg - nakshatra_index * NAKSHATRA_SPAN_DEG;
  // Clamped before adding one, so a saturated value cannot overflow.
  return std::clamp(truncate_saturating<std::int32_t>(into / PADA_SPAN_DEG), 0, 3) + 1;
}

namespace {

constexpr double WINDOW_DAYS = 2.0;
constexpr double STEP_DAYS = 1.0 / 24.0;
constexpr double FALLBACK_DAYS = 1.0;

// Library results of one computation, by exact time. The four searches of a
// day sample the same hourly instants (repeated addition from the same
// sunrise), and the Moon-driven angles share positions, so most requests
// repeat. Every angle is formed from the remembered values exactly as the
// public angle functions form it, so the memo changes no result.
class PositionMemo {
 public:
  double tithi_angle(double jd) {
    const Entry& e = at(jd, MOON | SUN);
    return elongation_deg(e.moon, e.sun);
  }
  double moon_sidereal(double jd) {
    const Entry& e = at(jd, MOON | AYANAMSA);
    return to_sidereal(e.moon, e.ayanamsa);
  }
  double sun_sidereal(double jd) {
    const Entry& e = at(jd, SUN | AYANAMSA);
    return to_sidereal(e.sun, e.ayanamsa);
  }
  double yoga_angle(double jd) {
    const Entry& e = at(jd, MOON | SUN | AYANAMSA);
    return yoga_deg(to_sidereal(e.sun, e.ayanamsa), to_sidereal(e.moon, e.ayanamsa));
  }
  Positions positions(double jd) {
    const Entry& e = at(jd, MOON | SUN | AYANAMSA);
    return {e.moon, e.sun, e.ayanamsa};
  }

 private:
  static constexpr std::uint8_t MOON = 1, SUN = 2, AYANAMSA = 4;
  // Comfortably above the ~250 distinct instants of one daily panchang.
  static constexpr std::size_t SLOTS = 1024;
  // A full table stops remembering rather than growing.
  static constexpr std::size_t MAX_FILL = SLOTS * 3 / 4;

  struct Entry {
    double jd;
    double moon;      // tropical, normalised
    double sun;       // tropical, normalised
    double ayanamsa;
    std::uint8_t have;  // 0: slot unused
  };

  static void fill(Entry& e, std::uint8_t need) {
    const std::uint8_t missing = need & static_cast<std::uint8_t>(~e.have);
    if (missing & MOON) e.moon = tropical_longitude(e.jd, BODY_MOON);
    if (missing & SUN) e.sun = tropical_longitude(e.jd, BODY_SUN);
    if (missing & AYANAMSA) e.ayanamsa = ayanamsa(e.jd);
    e.have |= missing;
  }

  Entry& at(double jd, std::uint8_t need) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(jd);
    std::size_t i = static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ULL) >> 54) % SLOTS;
    for (;;) {
      Entry& e = slots_[i];
      if (e.have == 0) {
        if (used_ >= MAX_FILL) break;
        ++used_;
        e.jd = jd;
        fill(e, need);
        return e;
      }
      if (std::bit_cast<std::uint64_t>(e.jd) == bits) {
        fill(e, need);
        return e;
      }
      i = (i + 1) % SLOTS;
    }
    scratch_ = Entry{jd, 0.0, 0.0, 0.0, 0};
    fill(scratch_, need);
    return scratch_;
  }

  std::array<Entry, SLOTS> slots_{};
  std::size_t used_ = 0;
  Entry scratch_{};
};

// A Chebyshev fit around the sunrise; the centre sample is the sunrise,
// whose exact value is already known.
template <std::size_t Degree, class Sample>
Chebyshev<Degree> fit(double sunrise_jd, double at_sunrise, bool angle, Sample sample) {
  std::array<double, Degree + 1> values{};
  for (std::size_t k = 0; k <= Degree; ++k) {
    values[k] = 2 * k == Degree
                    ? at_sunrise
                    : sample(Chebyshev<Degree>::node(sunrise_jd, DayGuide::HALF_WIDTH_DAYS, k));
  }
  return Chebyshev<Degree>(sunrise_jd, DayGuide::HALF_WIDTH_DAYS, values, angle);
}

struct Span {
  double start_jd;
  double end_jd;
};

// When the element of `index` (of width `span_deg`) began before the
// sunrise and when it ends after it.
template <class Angle, class Estimate>
Span element_span(Angle&& angle, const Guide<Estimate>& guide, double sunrise_jd,
                  std::uint32_t index, double span_deg) {
  double upper = (index + 1) * span_deg;
  if (upper >= 360.0) upper -= 360.0;
  const std::optional<double> start =
      find_crossing_backward(angle, guide, sunrise_jd, index * span_deg, WINDOW_DAYS);
  const std::optional<double> end =
      find_crossing_forward_step(angle, guide, sunrise_jd, upper, WINDOW_DAYS, STEP_DAYS);
  return {start.value_or(sunrise_jd - FALLBACK_DAYS), end.value_or(sunrise_jd + FALLBACK_DAYS)};
}

struct Limbs {
  Panchang panchang;  // transition times NaN
  std::uint32_t half_tithi;
};

// The limbs at sunrise from the positions there, each angle formed exactly
// as the angle functions form it.
Limbs limbs_from(std::uint32_t weekday, double sunrise_jd, const Positions& at) {
  const double elongation = elongation_deg(at.moon, at.sun);
  const double moon = to_sidereal(at.moon, at.ayanamsa);
  const double sun = to_sidereal(at.sun, at.ayanamsa);
  const std::uint32_t ni = element_index(moon, NAKSHATRA_SPAN_DEG);
  const std::uint32_t h = element_index(elongation, KARANA_SPAN_DEG);
  LimbIndices at_sunrise{element_index(elongation, TITHI_SPAN_DEG), h, ni,
                         pada_of(moon, ni), element_index(yoga_deg(sun, moon), YOGA_SPAN_DEG)};
  return {limbs_of(weekday, sunrise_jd, at_sunrise), h};
}

}  // namespace

Panchang limbs_of(std::uint32_t weekday, double sunrise_jd, const LimbIndices& at) {
  const std::uint32_t kn = karana_number(at.half_tithi);
  Panchang p{};
  p.vara = {weekday, vara_name(weekday), vara_english(weekday)};
  p.tithi = {at.tithi + 1, tithi_display_name(at.tithi + 1), paksha_name(at.tithi + 1), NaN, NaN};
  p.nakshatra = {at.nakshatra + 1, nakshatra_name(at.nakshatra + 1),
                 nakshatra_lord(at.nakshatra + 1), at.pada, NaN, NaN};
  p.yoga = {at.yoga + 1, yoga_name(at.yoga + 1), NaN, NaN};
  p.karana = {kn, karana_name(kn), NaN, NaN};
  p.sun = {sunrise_jd, 0.0, 0.0};
  return p;
}

DayGuide::DayGuide(double sunrise_jd, const Positions& at_sunrise) {
  // The searches reach two days from the sunrise.
  const double reach = 3.0;
  if (!(sunrise_jd - reach >= MIN_JD_UT && sunrise_jd + reach <= MAX_JD_UT)) return;
  moon_ = fit<MOON_DEGREE>(sunrise_jd, at_sunrise.moon, true,
                           [](double t) { return tropical_longitude_estimate(t, BODY_MOON); });
  sun_ = fit<SUN_DEGREE>(sunrise_jd, at_sunrise.sun, true,
                         [](double t) { return tropical_longitude_estimate(t, BODY_SUN); });
  ayanamsa_ = fit<AYANAMSA_DEGREE>(sunrise_jd, at_sunrise.ayanamsa, false,
                                   [](double t) { return ayanamsa(t); });
}

Panchang panchang_at_sunrise(std::uint32_t weekday, double sunrise_jd) {
  ensure_initialized();
  const double r = sunrise_jd;
  // About 40 KB: kept off the stack of the caller's thread.
  const auto memo = std::make_unique<PositionMemo>();
  const auto tithi = [&memo](double jd) { return memo->tithi_angle(jd); };
  const auto moon_sidereal = [&memo](double jd) { return memo->moon_sidereal(jd); };
  const auto yoga = [&memo](double jd) { return memo->yoga_angle(jd); };

  const Positions at_r = memo->positions(r);
  Limbs limbs = limbs_from(weekday, r, at_r);
  Panchang& p = limbs.panchang;

  const DayGuide day(r, at_r);
  constexpr double margin = DayGuide::MARGIN_DEG;
  const Guide tithi_guide{[&day](double jd) { return day.tithi_angle(jd); }, margin};
  const Guide moon_guide{[&day](double jd) { return day.moon_sidereal(jd); }, margin};
  const Guide yoga_guide{[&day](double jd) { return day.yoga_angle(jd); }, margin};

  const auto set = [](auto& limb, Span s) {
    limb.start_jd = s.start_jd;
    limb.end_jd = s.end_jd;
  };
  set(p.tithi, element_span(tithi, tithi_guide, r, p.tithi.number - 1, TITHI_SPAN_DEG));
  set(p.nakshatra,
      element_span(moon_sidereal, moon_guide, r, p.nakshatra.number - 1, NAKSHATRA_SPAN_DEG));
  set(p.yoga, element_span(yoga, yoga_guide, r, p.yoga.number - 1, YOGA_SPAN_DEG));
  set(p.karana, element_span(tithi, tithi_guide, r, limbs.half_tithi, KARANA_SPAN_DEG));
  return p;
}

Positions positions_at(double jd_ut) {
  ensure_initialized();
  return {tropical_longitude(jd_ut, BODY_MOON), tropical_longitude(jd_ut, BODY_SUN),
          ayanamsa(jd_ut)};
}

Panchang limbs_at_sunrise(std::uint32_t weekday, double sunrise_jd) {
  return limbs_from(weekday, sunrise_jd, positions_at(sunrise_jd)).panchang;
}

Result<Panchang> panchang_of_day(const CivilDate& date, std::uint32_t weekday, const Clock& clock,
                                 const Place& place, Transitions transitions) {
  return checked([&]() -> Result<Panchang> {
    const Result<SunData> sun = sun_data_of_day(date, clock, place);
    if (!sun.ok()) return sun.failure();
    const double r = sun.value().sunrise_jd;
    Panchang p{};
    switch (transitions) {
      case Transitions::search:
        p = panchang_at_sunrise(weekday, r);
        break;
      case Transitions::skip:
        p = limbs_at_sunrise(weekday, r);
        break;
      case Transitions::shared:
        p.vara = {weekday, vara_name(weekday), vara_english(weekday)};
        break;
    }
    p.sun = sun.value();
    return p;
  });
}

Result<std::vector<PanchangaAtJd>> panchanga_at_jds(const std::vector<double>& jds_ut,
                                                    unsigned threads) {
  // One set of library settings for the whole list, whatever other threads do.
  const SettingsPin pin(Settings::current());
  std::vector<PanchangaAtJd> out(jds_ut.size());
  // An instant costs about a hundred microseconds.
  constexpr std::size_t INSTANTS_PER_THREAD = 32;
  const auto error = run_units(jds_ut.size(), threads, INSTANTS_PER_THREAD, [&](std::size_t i) {
    out[i] = panchanga_at_jd(jds_ut[i]);
    return std::optional<Error>();
  });
  if (error) return *error;
  return out;
}

PanchangaAtJd panchanga_at_jd(double jd_ut) {
  ensure_initialized();
  // One request per body and one ayanamsa, shared by all four limbs.
  const double moon_tropical = tropical_longitude(jd_ut, BODY_MOON);
  const double sun_tropical = tropical_longitude(jd_ut, BODY_SUN);
  const double ayan = ayanamsa(jd_ut);
  const double elongation = elongation_deg(moon_tropical, sun_tropical);
  const double moon = to_sidereal(moon_tropical, ayan);
  const double sun = to_sidereal(sun_tropical, ayan);

  const std::uint32_t ti = element_index(elongation, TITHI_SPAN_DEG);
  const std::uint32_t yi = element_index(yoga_deg(sun, moon), YOGA_SPAN_DEG);
  const std::uint32_t ni = element_index(moon, NAKSHATRA_SPAN_DEG);
  const std::uint32_t kn = karana_number(element_index(elongation, KARANA_SPAN_DEG));

  return {ti + 1,        tithi_display_name(ti + 1), paksha_name(ti + 1),
          ni + 1,        nakshatra_name(ni + 1),     pada_of(moon, ni),
          yi + 1,        yoga_name(yi + 1),          kn,
          karana_name(kn)};
}

}  // namespace tithiloom
