// Library requests and seconds per day of 2026 at New Delhi: the daily
// panchang as built (guided searches over a memo), a literal evaluation that
// computes every angle afresh in the literal searches, and the batch (limbs
// at sunrise only). Built by bench_panchang.py against a core compiled with
// TITHILOOM_COUNT_REQUESTS.
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "batch.hpp"
#include "ephemeris.hpp"
#include "panchang.hpp"
#include "search.hpp"
#include "sun.hpp"

namespace {

using namespace tithiloom;

template <class F>
void literal_span(F f, double r, std::uint32_t index, double span) {
  double upper = (index + 1) * span;
  if (upper >= 360.0) upper -= 360.0;
  (void)find_crossing_backward(f, r, index * span, 2.0);
  (void)find_crossing_forward_step(f, r, upper, 2.0, 1.0 / 24.0);
}

void literal_day(double r) {
  literal_span(tithi_angle, r, element_index(tithi_angle(r), TITHI_SPAN_DEG), TITHI_SPAN_DEG);
  const double moon = moon_sidereal_longitude(r);
  literal_span(moon_sidereal_longitude, r, element_index(moon, NAKSHATRA_SPAN_DEG),
               NAKSHATRA_SPAN_DEG);
  literal_span(yoga_angle, r, element_index(yoga_angle(r), YOGA_SPAN_DEG), YOGA_SPAN_DEG);
  literal_span(tithi_angle, r, element_index(tithi_angle(r), KARANA_SPAN_DEG), KARANA_SPAN_DEG);
}

// Requests of one run; the time is the best of five runs.
template <class Body>
void report(const char* label, std::size_t days, Body&& body) {
  const auto before = library_request_count();
  double best = 1e300;
  for (int run = 0; run < 5; ++run) {
    const auto t0 = std::chrono::steady_clock::now();
    body();
    const auto t1 = std::chrono::steady_clock::now();
    best = std::min(best, std::chrono::duration<double>(t1 - t0).count());
  }
  const double per_day =
      static_cast<double>(library_request_count() - before) / 5.0 / static_cast<double>(days);
  std::printf("%s requests_per_day %.1f ms_per_day %.3f\n", label, per_day,
              best * 1e3 / static_cast<double>(days));
}

}  // namespace

int main() {
  const Place delhi{28.6139, 77.2090, 216.0};
  ensure_initialized();
  const auto year = compute_range(2026, 1, 1, 2026, 12, 31, 19800, delhi);
  if (!year.ok() || year.value().empty()) return 1;
  const std::size_t n = year.value().size();
  report("guided", n, [&] {
    for (const BatchDayResult& d : year.value())
      (void)compute_day({d.year, d.month, d.day}, 19800, delhi, d.panchang.vara.number);
  });
  report("literal", n, [&] {
    for (const BatchDayResult& d : year.value()) {
      (void)compute_sun_data(d.year, d.month, d.day, 19800, delhi);
      literal_day(d.panchang.sun.sunrise_jd);
    }
  });
  report("batch", n, [&] { (void)compute_range(2026, 1, 1, 2026, 12, 31, 19800, delhi); });
  return 0;
}
