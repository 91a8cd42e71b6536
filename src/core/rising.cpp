// Moonrise and moonset on a fit of the Moon's place, settled on the library's
// altitude (see rising.hpp).
#include "rising.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "hermite.hpp"
#include "kept.hpp"
#include "numeric.hpp"

namespace tithiloom {
namespace {

constexpr double DEG = 3.14159265358979323846 / 180.0;
constexpr double SAMPLE_STEP_DAYS = 2.0;
// The scan's step: below the latitudes served here the Moon crosses the
// horizon steeply, once each way in about a day.
constexpr double SCAN_STEP_DAYS = 1.0 / 24.0;
// The scan reaches this far either side of the span, so that an event the
// fit places just outside it is still settled on the library's altitude.
constexpr double MARGIN_DAYS = 1.0 / 24.0;
// A Newton step this small leaves an error of milliseconds.
constexpr double SETTLED_DAYS = 1e-5;
constexpr int MAX_STEPS = 6;
// The Earth's equatorial radius, the Moon's diameter and the astronomical
// unit, in metres, for the fit.
constexpr double EARTH_RADIUS_M = 6378136.6;
constexpr double MOON_DIAMETER_M = 3475000.0;
constexpr double AU_M = 1.49597870700e+11;
constexpr double SIDEREAL_DEG_PER_DAY = 360.98564736629;

// Some 90 years of samples.
KeptSteps<EquatorialMotion> kept_places(1 << 14);

EquatorialMotion place_at_step(std::int64_t k, std::uint64_t settings) {
  return kept_places.get(
      k, settings,
      [k] { return moon_equatorial_motion(static_cast<double>(k) * SAMPLE_STEP_DAYS); },
      [](const EquatorialMotion& m) {
        return std::isfinite(m.ra_deg) && std::isfinite(m.dec_deg) &&
               std::isfinite(m.distance_au) && std::isfinite(m.ra_speed_deg_per_day) &&
               std::isfinite(m.dec_speed_deg_per_day) && !library_failure_pending();
      });
}

// The Moon's right ascension (unwrapped from the interval's first sample)
// and declination through the four samples around one interval.
struct IntervalCurves {
  double ra0_deg;
  Hermite ra;
  Hermite dec;
  double distance0_au;
  double distance_travel_au;
};

IntervalCurves curves_through(const EquatorialMotion& p, const EquatorialMotion& a,
                              const EquatorialMotion& b, const EquatorialMotion& n) {
  const double h = SAMPLE_STEP_DAYS;
  const double nodes[] = {-1.0, 0.0, 1.0, 2.0};
  const double dec_v[] = {p.dec_deg, a.dec_deg, b.dec_deg, n.dec_deg};
  const double dec_r[] = {h * p.dec_speed_deg_per_day, h * a.dec_speed_deg_per_day,
                          h * b.dec_speed_deg_per_day, h * n.dec_speed_deg_per_day};
  return {a.ra_deg,
          angle_travel(h, {p.ra_deg, a.ra_deg, b.ra_deg, n.ra_deg},
                       {p.ra_speed_deg_per_day, a.ra_speed_deg_per_day, b.ra_speed_deg_per_day,
                        n.ra_speed_deg_per_day}),
          Hermite(h, nodes, dec_v, dec_r, 4), a.distance_au, b.distance_au - a.distance_au};
}

// The Moon's altitude over the rising horizon by the fit, over a span.
class MoonFit {
 public:
  MoonFit(double from_jd, double until_jd, const Place& place)
      : sin_lat_(std::sin(place.lat_deg * DEG)),
        cos_lat_(std::cos(place.lat_deg * DEG)),
        lng_deg_(place.lng_deg) {
    const std::uint64_t settings = Settings::current().version();
    first_ = static_cast<std::int64_t>(std::floor(from_jd / SAMPLE_STEP_DAYS));
    const auto last = static_cast<std::int64_t>(std::floor(until_jd / SAMPLE_STEP_DAYS));
    std::vector<EquatorialMotion> samples;
    for (std::int64_t k = first_ - 1; k <= last + 2; ++k)
      samples.push_back(place_at_step(k, settings));
    for (std::size_t i = 1; i + 2 < samples.size(); ++i)
      intervals_.push_back(curves_through(samples[i - 1], samples[i], samples[i + 1],
                                          samples[i + 2]));
    sidereal_at_ = from_jd;
    sidereal_deg_ = sidereal_time_deg(from_jd);
    refraction_deg_ = horizon_refraction_deg();
  }

  // Degrees; zero where the fit has the event.
  double altitude(double jd) const {
    const auto k = static_cast<std::int64_t>(std::floor(jd / SAMPLE_STEP_DAYS));
    const IntervalCurves& c = intervals_[static_cast<std::size_t>(k - first_)];
    const double s = (jd - static_cast<double>(k) * SAMPLE_STEP_DAYS) / SAMPLE_STEP_DAYS;
    const double ra = c.ra0_deg + c.ra.at(s);
    const double dec = c.dec.at(s) * DEG;
    const double distance = c.distance0_au + c.distance_travel_au * s;
    const double sidereal = sidereal_deg_ + SIDEREAL_DEG_PER_DAY * (jd - sidereal_at_) + lng_deg_;
    const double sin_alt =
        sin_lat_ * std::sin(dec) + cos_lat_ * std::cos(dec) * std::cos((sidereal - ra) * DEG);
    const double alt = std::asin(std::clamp(sin_alt, -1.0, 1.0));
    // Seen from the surface: the Earth's radius displaces the Moon towards
    // the horizon.
    const double rho = EARTH_RADIUS_M / AU_M / distance;
    const double topocentric = std::atan2(std::sin(alt) - rho, std::cos(alt));
    const double radius = std::asin(MOON_DIAMETER_M / 2.0 / AU_M / distance);
    return (topocentric + radius) / DEG + refraction_deg_;
  }

  double rate(double jd) const {
    constexpr double e = 1e-4;
    return (altitude(jd + e) - altitude(jd - e)) / (2.0 * e);
  }

 private:
  double sin_lat_, cos_lat_, lng_deg_;
  std::int64_t first_ = 0;
  std::vector<IntervalCurves> intervals_;
  double sidereal_at_ = 0.0;
  double sidereal_deg_ = 0.0;
  double refraction_deg_ = 0.0;
};

// The root of the fit's altitude in [lo, hi], across which it changes sign
// (Illinois false position: a handful of evaluations).
double fit_root(const MoonFit& fit, double lo, double hi, double flo, double fhi) {
  int side = 0;
  double t = lo;
  for (int i = 0; i < 40; ++i) {
    t = (lo * fhi - hi * flo) / (fhi - flo);
    const double ft = fit.altitude(t);
    if (std::fabs(ft) < 1e-9 || hi - lo < 1e-9) break;
    if ((ft < 0.0) == (fhi < 0.0)) {
      hi = t;
      fhi = ft;
      if (side == -1) flo /= 2.0;
      side = -1;
    } else {
      lo = t;
      flo = ft;
      if (side == 1) fhi /= 2.0;
      side = 1;
    }
  }
  return t;
}

// Newton steps on the library's altitude from the fit's root, with the
// fit's slope; none when the library fails or the steps stray.
std::optional<double> settled(const MoonFit& fit, double jd, const Place& place) {
  const double start = jd;
  for (int i = 0; i < MAX_STEPS; ++i) {
    const double f = moon_limb_altitude(jd, place);
    const double step = f / fit.rate(jd);
    if (!std::isfinite(step)) return std::nullopt;
    jd -= step;
    if (std::fabs(jd - start) > SCAN_STEP_DAYS) return std::nullopt;
    if (std::fabs(step) < SETTLED_DAYS) return jd;
  }
  return std::nullopt;
}

}  // namespace

double moon_event_within(double from_jd, double until_jd, const Place& place, SunEvent event) {
  const auto library = [&] {
    const double t = moon_event_after(from_jd, place, event);
    return std::isfinite(t) && t < until_jd ? t : NaN;
  };
  if (!moon_limb_altitude_applies(place) ||
      !requests_cannot_fail(from_jd - SAMPLE_STEP_DAYS * 2, until_jd + SAMPLE_STEP_DAYS * 2, place))
    return library();
  const double lo = from_jd - MARGIN_DAYS, hi = until_jd + MARGIN_DAYS;
  const MoonFit fit(lo, hi, place);
  if (library_failure_pending()) return NaN;
  const bool rising = event == SunEvent::rise;
  double t = lo, f = fit.altitude(lo);
  while (t < hi) {
    const double t2 = std::min(t + SCAN_STEP_DAYS, hi);
    const double f2 = fit.altitude(t2);
    if (rising ? (f < 0.0 && f2 >= 0.0) : (f >= 0.0 && f2 < 0.0)) {
      const std::optional<double> root = settled(fit, fit_root(fit, t, t2, f, f2), place);
      if (!root) return library_failure_pending() ? NaN : library();
      if (*root >= until_jd) return NaN;
      if (*root >= from_jd) return *root;
    }
    t = t2;
    f = f2;
  }
  return NaN;
}

}  // namespace tithiloom
