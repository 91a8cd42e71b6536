// The daily panchang's guided searches against the literal ones: every limb's
// start and end at sunrises spread over the whole ephemeris span and the
// inhabited latitudes, compared by their bits. Prints the number of searches,
// mismatches (must be 0), fallbacks to the literal search, and the mean
// angle evaluations per search of each path. Built and run by
// bench_panchang.py (--searches N).
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>

#include "ephemeris.hpp"
#include "panchang.hpp"
#include "search.hpp"
#include "sun.hpp"

namespace {

using namespace tithiloom;

struct Tally {
  long searches = 0, mismatches = 0, fallbacks = 0;
  double literal_evals = 0, guided_evals = 0;
};

std::uint64_t bits(std::optional<double> x) {
  return x ? std::bit_cast<std::uint64_t>(*x) : 0x7ff4000000000000ULL;
}

template <class Angle, class Estimate>
void compare(Tally& tally, Angle angle, Estimate estimate, double r, double span_deg) {
  const std::uint32_t index = element_index(angle(r), span_deg);
  double upper = (index + 1) * span_deg;
  if (upper >= 360.0) upper -= 360.0;
  long n = 0;
  const auto counted = [&](double jd) {
    ++n;
    return angle(jd);
  };
  const Guide guide{estimate, DayGuide::MARGIN_DEG};
  for (int end = 0; end < 2; ++end) {
    n = 0;
    const auto literal = end ? find_crossing_forward_step(counted, r, upper, 2.0, 1.0 / 24.0)
                             : find_crossing_backward(counted, r, index * span_deg, 2.0);
    const long literal_n = n;
    n = 0;
    const auto guided = end ? find_crossing_forward_step(counted, guide, r, upper, 2.0, 1.0 / 24.0)
                            : find_crossing_backward(counted, guide, r, index * span_deg, 2.0);
    ++tally.searches;
    tally.literal_evals += static_cast<double>(literal_n);
    tally.guided_evals += static_cast<double>(n);
    if (bits(literal) != bits(guided)) ++tally.mismatches;
    if (n > literal_n) ++tally.fallbacks;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const long wanted = argc > 1 ? std::atol(argv[1]) : 100000;
  ensure_initialized();
  std::mt19937_64 rng(20260414);
  std::uniform_real_distribution<double> jd(MIN_JD_UT + 10.0, MAX_JD_UT - 10.0);
  std::uniform_real_distribution<double> lat(-60.0, 60.0), lng(-180.0, 180.0);
  Tally tally;
  while (tally.searches < wanted) {
    const double r = sunrise_after(jd(rng), Place{lat(rng), lng(rng), 0.0});
    if (!std::isfinite(r)) continue;
    const DayGuide day(r, positions_at(r));
    compare(tally, tithi_angle, [&](double t) { return day.tithi_angle(t); }, r, TITHI_SPAN_DEG);
    compare(tally, moon_sidereal_longitude, [&](double t) { return day.moon_sidereal(t); }, r,
            NAKSHATRA_SPAN_DEG);
    compare(tally, yoga_angle, [&](double t) { return day.yoga_angle(t); }, r, YOGA_SPAN_DEG);
    compare(tally, tithi_angle, [&](double t) { return day.tithi_angle(t); }, r, KARANA_SPAN_DEG);
  }
  std::printf("searches %ld mismatches %ld fallbacks %ld evaluations_per_search literal %.1f "
              "guided %.2f\n",
              tally.searches, tally.mismatches, tally.fallbacks,
              tally.literal_evals / static_cast<double>(tally.searches),
              tally.guided_evals / static_cast<double>(tally.searches));
  return tally.mismatches == 0 ? 0 : 1;
}
