// Crossing search edge cases with synthetic angle functions.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <tuple>
#include <vector>

#include "numeric.hpp"
#include "search.hpp"

namespace tithiloom {
namespace {

constexpr double HOUR = 1.0 / 24.0;
constexpr double HALF_SECOND = 0.5 / 86400.0;
constexpr double INF = std::numeric_limits<double>::infinity();

// A steadily increasing angle that records where it was sampled.
struct Linear {
  double deg_per_day = 12.0;
  double offset = 0.0;
  std::vector<double>* samples = nullptr;
  double operator()(double t) const {
    if (samples) samples->push_back(t);
    return offset + deg_per_day * t;
  }
};

TEST(Bracketing, EndsCountSeamWrapsHalfCircleNever) {
  EXPECT_TRUE(crossing_bracketed(10.0, 20.0, 10.0));
  EXPECT_TRUE(crossing_bracketed(10.0, 20.0, 20.0));
  EXPECT_TRUE(crossing_bracketed(355.0, 3.0, 1.0));
  EXPECT_FALSE(crossing_bracketed(0.0, 180.0, 90.0));
  EXPECT_FALSE(crossing_bracketed(NaN, 10.0, 5.0));
}

// (offset, from/start, target, expected crossing)
class Found : public ::testing::TestWithParam<std::tuple<double, double, double, double>> {};

TEST_P(Found, BothDirectionsWithinHalfASecond) {
  const auto [offset, t0, target, expected] = GetParam();
  const Linear f{12.0, offset};
  const auto fwd = find_crossing_forward_step(f, t0, target, 2.0, HOUR);
  const auto back = find_crossing_backward(f, t0, target, 2.0);
  ASSERT_TRUE(fwd.has_value() || back.has_value());
  EXPECT_NEAR(fwd ? *fwd : *back, expected, HALF_SECOND);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Found,
    ::testing::Values(std::tuple{0.0, 8.0, 100.0, 100.0 / 12.0},    // ahead
                      std::tuple{0.0, 9.0, 100.0, 100.0 / 12.0},    // behind
                      std::tuple{50.0, 3.0, 86.0, 3.0},             // at the start
                      std::tuple{0.0, 2.0, 24.0, 2.0},              // at the from time
                      std::tuple{300.0, 4.5, 360.0, 5.0},           // 360 is 0
                      std::tuple{300.0, 4.5, 720.0, 5.0},
                      std::tuple{300.0, 3.5, -12.0, 4.0}));         // -12 is 348

TEST(ForwardSearch, SamplesOnlyTheStartInAWindowShorterThanAStep) {
  std::vector<double> samples;
  EXPECT_FALSE(find_crossing_forward_step(Linear{12.0, 0.0, &samples}, 5.0, 60.1, 0.5 * HOUR,
                                          HOUR));
  EXPECT_EQ(samples, std::vector<double>{5.0});
}

TEST(Search, ElongationWindowMustReachTheNextNewMoon) {
  const Linear f{360.0 / 29.530588, 0.0};  // a new moon at t = 0
  EXPECT_FALSE(find_crossing_forward_step(f, 0.01, 0.0, 2.0, HOUR));
  const auto r = find_crossing_forward_step(f, 0.01, 0.0, 35.0, 1.0);
  ASSERT_TRUE(r);
  EXPECT_NEAR(*r, 29.530588, HALF_SECOND);
}

// Inputs for which a literal walk would never end or never move.
class Degenerate : public ::testing::TestWithParam<std::tuple<double, double, double>> {};

TEST_P(Degenerate, EndsNotFound) {
  const auto [t0, span, step] = GetParam();
  // An angle that never reaches 90, and one that is NaN everywhere.
  for (double (*never)(double) : {+[](double) { return 0.0; }, +[](double) { return NaN; }}) {
    EXPECT_FALSE(find_crossing_forward_step(never, t0, 90.0, span, step));
    if (step == HOUR) {
      EXPECT_FALSE(find_crossing_backward(never, t0, 90.0, span));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, Degenerate,
    ::testing::Values(std::tuple{NaN, 2.0, HOUR}, std::tuple{0.0, NaN, HOUR},
                      std::tuple{INF, 2.0, HOUR}, std::tuple{-INF, 2.0, HOUR},
                      std::tuple{0.0, INF, HOUR}, std::tuple{1e20, 2.0, HOUR},
                      std::tuple{-1e20, 1e20, HOUR}, std::tuple{0.0, 1e300, HOUR},
                      std::tuple{0.0, -5.0, HOUR}, std::tuple{0.0, 2.0, 0.0},
                      std::tuple{0.0, 2.0, -HOUR}, std::tuple{0.0, 2.0, NaN},
                      std::tuple{0.0, 2.0, INF}, std::tuple{2451545.0, 2.0, 1e-300}));

// --- guided searches: the literal result, bit for bit, whatever the guide ---

// A result's bits; not found as a value no double has.
std::uint64_t bits(std::optional<double> x) {
  return x ? std::bit_cast<std::uint64_t>(*x) : 0x7ff4000000000000ULL;
}

// A steady angle with small wiggles, so that the guide's straight line is
// only an estimate of it.
struct Wavy {
  long* evaluations;
  double operator()(double t) const {
    ++*evaluations;
    return 13.0 * t + 0.3 * std::sin(2.1 * t) + 1e-9 * std::sin(977.0 * t);
  }
};

// (guide error in degrees, margin, whether it misleads): small errors give
// the literal result from a few evaluations; large ones mislead decisions,
// the final bracket disproves them and the literal search runs (as it does
// whenever nothing is found).
class Guided : public ::testing::TestWithParam<std::tuple<double, double, bool>> {};

TEST_P(Guided, EqualsLiteralSearch) {
  const auto [error_deg, margin_deg, misleads] = GetParam();
  long literal_n = 0, guided_n = 0, fallbacks = 0, searches = 0;
  const Wavy literal_f{&literal_n}, guided_f{&guided_n};
  const auto estimate = [error_deg](double t) {
    return 13.0 * t + 0.3 * std::sin(2.1 * t) + error_deg * std::cos(5.0 * t);
  };
  const Guide guide{estimate, margin_deg};
  for (double t0 = 0.013; t0 < 60.0; t0 += 0.37) {
    const double at_t0 = 13.0 * t0 + 0.3 * std::sin(2.1 * t0);
    for (const double ahead : {-17.3, -2.0, 0.0, 0.7, 9.5, 21.0}) {
      const double target = at_t0 + ahead;
      literal_n = guided_n = 0;
      const auto fwd = find_crossing_forward_step(literal_f, t0, target, 2.0, HOUR);
      const long literal_fwd = literal_n;
      const auto gfwd = find_crossing_forward_step(guided_f, guide, t0, target, 2.0, HOUR);
      EXPECT_EQ(bits(fwd), bits(gfwd));
      fallbacks += fwd && guided_n > literal_fwd;

      literal_n = guided_n = 0;
      const auto back = find_crossing_backward(literal_f, t0, target, 2.0);
      const long literal_back = literal_n;
      const auto gback = find_crossing_backward(guided_f, guide, t0, target, 2.0);
      EXPECT_EQ(bits(back), bits(gback));
      fallbacks += back && guided_n > literal_back;
      searches += fwd.has_value() + back.has_value();
    }
  }
  if (misleads) {
    EXPECT_GT(fallbacks, searches / 10);
  } else {
    EXPECT_EQ(fallbacks, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Errors, Guided,
    ::testing::Values(std::tuple{1e-8, 1e-6, false},   // a good guide
                      std::tuple{0.0, 0.0, false},     // claims even at the target
                      std::tuple{0.05, 1e-6, true},    // an error far above the margin
                      std::tuple{3e-4, 1e-6, true},    // misleading only near the end
                      std::tuple{NaN, 1e-6, false}));  // no guide at all

}  // namespace
}  // namespace tithiloom
