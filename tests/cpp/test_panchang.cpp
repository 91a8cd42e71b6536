// Element index rules at the table boundaries, and the daily panchang
// against a plain evaluation of the public angle functions.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>
#include <tuple>

#include "ephemeris.hpp"
#include "panchang.hpp"
#include "search.hpp"
#include "sun.hpp"

namespace tithiloom {
namespace {

constexpr double BELOW_360 = 359.99999999999994;  // the largest double below 360

TEST(ElongationRules, TithiAndKaranaAtTheBoundaries) {
  // (elongation, tithi, karana): Kimstughna, Bava, Balava, Balava, Vishti (the
  // 56th half), Shakuni, Chatushpada, Nagava.
  using Case = std::tuple<double, unsigned, unsigned>;
  for (const auto& [elongation, tithi, karana] : std::initializer_list<Case>{
           {0.0, 1, 11}, {6.0, 1, 1}, {12.0, 2, 2}, {180.0, 16, 2}, {341.9, 29, 7}, {342.0, 29, 8},
           {348.0, 30, 9}, {354.0, 30, 10}, {BELOW_360, 30, 10}, {std::nan(""), 1, 11}}) {
    EXPECT_EQ(element_index(elongation, TITHI_SPAN_DEG) + 1, tithi) << elongation;
    EXPECT_EQ(karana_number(element_index(elongation, KARANA_SPAN_DEG)), karana) << elongation;
  }
}

TEST(ElementIndex, NeverLeavesTheTablesForAnyAngle) {
  for (double a : {-1.0, 1e300, -1e300, std::numeric_limits<double>::infinity(), std::nan("")}) {
    EXPECT_LE(karana_number(element_index(norm360(a), KARANA_SPAN_DEG)), 11u);
    EXPECT_FALSE(nakshatra_name(element_index(a, NAKSHATRA_SPAN_DEG) + 1).empty());
  }
  EXPECT_EQ(lunar_month_name(0), "Unknown");
}

TEST(Nakshatra, EndsOfTheZodiac) {
  const std::uint32_t last = element_index(BELOW_360, NAKSHATRA_SPAN_DEG);
  EXPECT_EQ(nakshatra_name(last + 1), "Revati");
  EXPECT_EQ(nakshatra_lord(last + 1), "Mercury");
  EXPECT_EQ(pada_of(BELOW_360, last), 4);
  EXPECT_EQ(nakshatra_lord(element_index(0.0, NAKSHATRA_SPAN_DEG) + 1), "Ketu");
  EXPECT_EQ(pada_of(0.0, 0), 1);
  EXPECT_EQ(pada_of(std::nan(""), 0), 1);
  EXPECT_EQ(pada_of(1e300, 0), 4);
  EXPECT_EQ(pada_of(-1e300, 0), 1);
}

// The daily panchang evaluated literally, every angle afresh from the public
// functions: the memoised `compute` must agree to the bit.
template <class F>
void expect_literal_span(F f, double r, std::uint32_t index, double span, double start,
                         double end) {
  double upper = (index + 1) * span;
  if (upper >= 360.0) upper -= 360.0;
  EXPECT_EQ(start, find_crossing_backward(f, r, index * span, 2.0).value_or(r - 1.0));
  EXPECT_EQ(end, find_crossing_forward_step(f, r, upper, 2.0, 1.0 / 24.0).value_or(r + 1.0));
}

// (local midnight in UT, place): six successive sunrises each, spread over
// the ephemeris span, the seasons and the inhabited latitudes.
class DailyPanchang : public ::testing::TestWithParam<std::tuple<double, Place>> {};

TEST_P(DailyPanchang, EqualsLiteralEvaluation) {
  const auto [midnight, place] = GetParam();
  for (int day = 0; day < 6; ++day) {
    const double r = sunrise_after(midnight + day, place);
    ASSERT_TRUE(std::isfinite(r));
    const Panchang p = panchang_at_sunrise(3, r);

    const std::uint32_t ti = element_index(tithi_angle(r), TITHI_SPAN_DEG);
    EXPECT_EQ(p.tithi.number, ti + 1);
    expect_literal_span(tithi_angle, r, ti, TITHI_SPAN_DEG, p.tithi.start_jd, p.tithi.end_jd);

    const double moon = moon_sidereal_longitude(r);
    const std::uint32_t ni = element_index(moon, NAKSHATRA_SPAN_DEG);
    EXPECT_EQ(p.nakshatra.number, ni + 1);
    EXPECT_EQ(p.nakshatra.pada, pada_of(moon, ni));
    expect_literal_span(moon_sidereal_longitude, r, ni, NAKSHATRA_SPAN_DEG, p.nakshatra.start_jd,
                        p.nakshatra.end_jd);

    const std::uint32_t yi = element_index(yoga_angle(r), YOGA_SPAN_DEG);
    EXPECT_EQ(p.yoga.number, yi + 1);
    expect_literal_span(yoga_angle, r, yi, YOGA_SPAN_DEG, p.yoga.start_jd, p.yoga.end_jd);

    const std::uint32_t h = element_index(tithi_angle(r), KARANA_SPAN_DEG);
    EXPECT_EQ(p.karana.number, karana_number(h));
    expect_literal_span(tithi_angle, r, h, KARANA_SPAN_DEG, p.karana.start_jd, p.karana.end_jd);
  }
}

// From about 2990 BC to AD 2990, and both ends of the ephemeris span, where
// the searches run unguided.
INSTANTIATE_TEST_SUITE_P(
    DatesAndPlaces, DailyPanchang,
    ::testing::Combine(::testing::Values(MIN_JD_UT + 1.3, 629000.3, 1000000.3, 1500000.3,
                                         2000000.3, 2415020.3, 2451545.3, 2461041.3,
                                         2461144.3, 2488069.3, 2814000.3, MAX_JD_UT - 9.7),
                       ::testing::Values(Place{28.6139, 77.2090, 216.0},
                                         Place{-33.8688, 151.2093, 58.0},
                                         Place{64.1466, -21.9426, 0.0},
                                         Place{0.0, -78.4678, 2850.0})));

}  // namespace
}  // namespace tithiloom
