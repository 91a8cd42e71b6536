#include "lagna.hpp"

#include <algorithm>

#include <cmath>
#include <string>

#include "ephemeris.hpp"
#include "numeric.hpp"
#include "panchang.hpp"

namespace tithiloom {
namespace {

std::uint8_t rashi_of(double sidereal_deg) {
  // NaN (from non-finite input) reads as Mesha rather than an arbitrary index.
  return truncate_saturating<std::uint8_t>(std::floor(sidereal_deg / RASHI_SPAN_DEG)) % 12;
}

// The scan needs the rising sign only, so it skips the ayanamsa request of
// compute(); the ascendant comes from the same whole-sign house call.
std::uint8_t rising_rashi(double jd, double lat_deg, double lng_deg) {
  return rashi_of(norm360(sidereal_houses(jd, lat_deg, lng_deg, 'W').angles[0]));
}

}  // namespace

char house_system_letter(HouseSystem system) {
  return HOUSE_SYSTEMS[static_cast<std::uint8_t>(system) % HOUSE_SYSTEMS.size()].letter;
}

std::optional<HouseSystem> house_system_from_char(char32_t first) {
  if (first >= U'a' && first <= U'z') first = first - U'a' + U'A';
  for (std::size_t i = 0; i < HOUSE_SYSTEMS.size(); ++i)
    if (first == static_cast<char32_t>(HOUSE_SYSTEMS[i].letter))
      return static_cast<HouseSystem>(i);
  return std::nullopt;
}

LagnaResult compute(HouseSystem house_system, double jd, double lat_deg, double lng_deg) {
  const SiderealHouses h =
      sidereal_houses(jd, lat_deg, lng_deg, house_system_letter(house_system));
  LagnaResult r{};
  r.ascendant_longitude = norm360(h.angles[0]);
  r.rashi = rashi_of(r.ascendant_longitude);
  r.degree_in_rashi = r.ascendant_longitude - RASHI_SPAN_DEG * r.rashi;
  r.rashi_name = rashi_name(r.rashi);
  for (std::size_t i = 0; i < r.bhava_cusps.size(); ++i) r.bhava_cusps[i] = norm360(h.cusps[i + 1]);
  r.mc_longitude = norm360(h.angles[1]);
  r.ayanamsa = ayanamsa(jd);
  r.house_system = house_system;
  return r;
}

namespace {

// The scan of scan_windows; with `every`, a step that passes more than one
// boundary is searched once per boundary, so that a sign rising for less
// than a step still has its window. The first search of a step is the
// plain scan's, so the boundaries the plain scan finds are found alike.
std::vector<LagnaWindow> scan(double jd_start, const std::function<std::uint8_t(double)>& rashi_at,
                              bool every) {
  const auto probe = [&](double t) -> std::uint8_t { return rashi_at(t) % 12; };
  std::vector<LagnaWindow> out;
  out.reserve(13);
  const double end = jd_start + LAGNA_SCAN_DAYS;
  std::uint8_t current = probe(jd_start);
  double window_start = jd_start;
  double previous = jd_start;
  double t = jd_start + LAGNA_SCAN_STEP_DAYS;
  // NaN fails the comparison; t == previous means the step no longer moves
  // the time (infinite or huge jd_start), which would otherwise never end.
  while (t <= end && t != previous) {
    const std::uint8_t r = probe(t);
    if (r != current) {
      // Signs passed in the step, in rising order from the one it began in.
      const std::uint8_t base = current;
      const unsigned passed = every ? (r + 12u - base) % 12u : 1u;
      double lo = previous;
      for (unsigned k = 0; k < passed; ++k) {
        double hi = t;
        while (hi - lo > LAGNA_BOUNDARY_TOLERANCE_DAYS) {
          const double mid = (lo + hi) * 0.5;
          // Where adjacent doubles are wider than the tolerance, halving stalls.
          if (!(mid > lo && mid < hi)) break;
          if ((probe(mid) + 12u - base) % 12u <= k) {
            lo = mid;
          } else {
            hi = mid;
          }
        }
        hi = std::max(hi, window_start);  // two boundaries within the tolerance
        out.push_back({rashi_name(current), window_start, hi, current});
        current = k + 1 == passed ? r : static_cast<std::uint8_t>((base + k + 1) % 12);
        window_start = hi;
      }
    }
    previous = t;
    t = t + LAGNA_SCAN_STEP_DAYS;
  }
  out.push_back({rashi_name(current), window_start, end, current});
  return out;
}

}  // namespace

std::vector<LagnaWindow> scan_windows(double jd_start,
                                      const std::function<std::uint8_t(double)>& rashi_at) {
  return scan(jd_start, rashi_at, false);
}

std::vector<LagnaWindow> scan_every_window(double jd_start,
                                           const std::function<std::uint8_t(double)>& rashi_at) {
  return scan(jd_start, rashi_at, true);
}

std::vector<LagnaWindow> compute_every_window(double jd_start, double lat_deg, double lng_deg) {
  return scan_every_window(jd_start,
                           [=](double t) { return rising_rashi(t, lat_deg, lng_deg); });
}

std::vector<LagnaWindow> compute_windows(double jd_start, double lat_deg, double lng_deg) {
  return scan_windows(jd_start, [=](double t) { return rising_rashi(t, lat_deg, lng_deg); });
}

}  // namespace tithiloom
