// Moonrise and moonset from the fit, against the library's own search.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "ephemeris.hpp"
#include "rising.hpp"

namespace tithiloom {
namespace {

class MoonEvents : public ::testing::TestWithParam<double> {};

// Within 50 degrees of the equator: the library's events to within a quarter
// of a second (it stops after four steps), and the same days without one.
TEST_P(MoonEvents, AreTheLibrarysWithinAQuarterSecond) {
  const Place place{GetParam(), 77.2, 216.0, ALMANAC_RISING};
  double worst = 0.0;
  for (int i = 0; i < 400; ++i) {
    const double from = 2451544.8 + i * 9.7;  // a century, at every hour of the day
    for (SunEvent e : {SunEvent::rise, SunEvent::set}) {
      const double fit = moon_event_within(from, from + 1.0, place, e);
      // The library's search skips an event in the first seconds of its
      // span; those are left out.
      if (std::fabs(fit - from) < 60.0 / 86400.0) continue;
      double library = moon_event_after(from, place, e);
      if (!(library < from + 1.0)) library = NAN;
      ASSERT_EQ(std::isnan(fit), std::isnan(library)) << from;
      if (!std::isnan(fit)) worst = std::fmax(worst, std::fabs(fit - library) * 86400.0);
    }
  }
  std::printf("latitude %g: largest difference %.3f s\n", place.lat_deg, worst);
  EXPECT_LE(worst, 0.25);
}

INSTANTIATE_TEST_SUITE_P(Latitudes, MoonEvents, ::testing::Values(-50.0, -33.9, 0.0, 28.6, 50.0));

TEST(MoonEvents, FartherOutAreTheLibrarysOwn) {
  const Place place{66.0, 25.0, 10.0, ALMANAC_RISING};
  for (int i = 0; i < 60; ++i) {
    const double from = 2461041.5 + i, e = moon_event_after(from, place, SunEvent::rise);
    const double fit = moon_event_within(from, from + 1.0, place, SunEvent::rise);
    if (e < from + 1.0) EXPECT_EQ(fit, e) << i; else EXPECT_TRUE(std::isnan(fit)) << i;
  }
}

}  // namespace
}  // namespace tithiloom
