// Crossing search edge cases with synthetic angle functions.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "search.hpp"

namespace tithiloom {
namespace {

constexpr double HOUR = 1.0 / 24.0;
constexpr double HALF_SECOND = 0.5 / 86400.0;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
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

TEST(Bracketing, TargetAtEitherEndCounts) {
  EXPECT_TRUE(crossing_bracketed(10.0, 20.0, 10.0));
  EXPECT_TRUE(crossing_bracketed(10.0, 20.0, 20.0));
  EXPECT_FALSE(crossing_bracketed(10.0, 20.0, 20.5));
  // Across the 360/0 seam.
  EXPECT_TRUE(crossing_bracketed(355.0, 365.0, 0.0));
  EXPECT_TRUE(crossing_bracketed(355.0, 3.0, 1.0));
  // Half a circle or more is never a forward step.
  EXPECT_FALSE(crossing_bracketed(0.0, 180.0, 90.0));
  EXPECT_FALSE(crossing_bracketed(NaN, 10.0, 5.0));
  EXPECT_FALSE(crossing_bracketed(0.0, NaN, 0.0));
}

TEST(ForwardSearch, FindsCrossingWithinHalfASecond) {
  // 12 degrees per day from 0: 100 degrees at 100/12 days.
  const auto r = find_crossing_forward_step(Linear{}, 0.0, 100.0, 10.0, HOUR);
  ASSERT_TRUE(r.has_value());
  EXPECT_NEAR(*r, 100.0 / 12.0, HALF_SECOND);
}

TEST(ForwardSearch, StartValueEqualToTargetReturnsStart) {
  const auto r = find_crossing_forward_step(Linear{12.0, 50.0}, 3.0, 86.0, 2.0, HOUR);
  ASSERT_TRUE(r.has_value());
  EXPECT_NEAR(*r, 3.0, HALF_SECOND);
}

TEST(ForwardSearch, WindowShorterThanAStepOnlySamplesStart) {
  std::vector<double> samples;
  const auto r =
      find_crossing_forward_step(Linear{12.0, 0.0, &samples}, 5.0, 60.1, 0.5 * HOUR, HOUR);
  EXPECT_FALSE(r.has_value());
  ASSERT_EQ(samples.size(), 1u);
  EXPECT_EQ(samples[0], 5.0);
}

TEST(ForwardSearch, SamplesEachTimeOnce) {
  std::vector<double> samples;
  const auto r = find_crossing_forward_step(Linear{12.0, 0.0, &samples}, 0.0, 7.25, 2.0, HOUR);
  ASSERT_TRUE(r.has_value());
  // 7.25/12 day is inside the 15th hour: 15 coarse samples plus the start,
  // then 12 halvings of one hour.
  EXPECT_EQ(samples.size(), 16u + 12u);
}

class EquivalentTargets : public ::testing::TestWithParam<std::pair<double, double>> {};

TEST_P(EquivalentTargets, NormalisedBeforeSearching) {
  const auto [target, same_as] = GetParam();
  const Linear f{12.0, 300.0};
  const auto a = find_crossing_forward_step(f, 0.0, target, 10.0, HOUR);
  const auto b = find_crossing_forward_step(f, 0.0, same_as, 10.0, HOUR);
  ASSERT_TRUE(a.has_value());
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(*a, *b);
  const auto c = find_crossing_backward(f, 10.0, target, 10.0);
  const auto d = find_crossing_backward(f, 10.0, same_as, 10.0);
  ASSERT_TRUE(c.has_value());
  ASSERT_TRUE(d.has_value());
  EXPECT_EQ(*c, *d);
}

INSTANTIATE_TEST_SUITE_P(Targets, EquivalentTargets,
                         ::testing::Values(std::pair{360.0, 0.0}, std::pair{-12.0, 348.0},
                                           std::pair{720.0 + 6.0, 6.0}));

TEST(BackwardSearch, FindsLastCrossingBeforeFrom) {
  const auto r = find_crossing_backward(Linear{}, 10.0, 0.0, 2.0);
  // 12 deg/day crosses a multiple of 360 only at day 0 and 30: nothing within 2 days.
  EXPECT_FALSE(r.has_value());
  const auto s = find_crossing_backward(Linear{}, 10.0, 100.0, 2.0);
  ASSERT_TRUE(s.has_value());
  EXPECT_NEAR(*s, 100.0 / 12.0, HALF_SECOND);
}

TEST(BackwardSearch, ValueAtFromEqualToTargetReturnsFrom) {
  const auto r = find_crossing_backward(Linear{12.0, 0.0}, 2.0, 24.0, 2.0);
  ASSERT_TRUE(r.has_value());
  EXPECT_NEAR(*r, 2.0, HALF_SECOND);
}

TEST(Search, NaNAngleFindsNothing) {
  const auto nan_angle = [](double) { return NaN; };
  EXPECT_FALSE(find_crossing_forward_step(nan_angle, 0.0, 0.0, 2.0, HOUR).has_value());
  EXPECT_FALSE(find_crossing_backward(nan_angle, 0.0, 0.0, 2.0).has_value());
}

TEST(Search, ElongationWindowMustReachTheNextNewMoon) {
  // A mean synodic elongation rate; a new moon at t = 0.
  const double rate = 360.0 / 29.530588;
  const Linear f{rate, 0.0};
  EXPECT_FALSE(find_crossing_forward_step(f, 0.01, 0.0, 2.0, HOUR).has_value());
  const auto r = find_crossing_forward_step(f, 0.01, 0.0, 35.0, 1.0);
  ASSERT_TRUE(r.has_value());
  EXPECT_NEAR(*r, 29.530588, HALF_SECOND);
}

// Inputs for which a literal walk would never end or never move.
struct Degenerate {
  double start, span, step;
};

class DegenerateForward : public ::testing::TestWithParam<Degenerate> {};

TEST_P(DegenerateForward, EndsNotFound) {
  const auto p = GetParam();
  const auto never = [](double) { return 0.0; };  // never reaches 90
  EXPECT_FALSE(find_crossing_forward_step(never, p.start, 90.0, p.span, p.step).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, DegenerateForward,
    ::testing::Values(Degenerate{NaN, 2.0, HOUR}, Degenerate{0.0, NaN, HOUR},
                      Degenerate{INF, 2.0, HOUR}, Degenerate{0.0, INF, HOUR},
                      Degenerate{-INF, INF, HOUR}, Degenerate{1e20, 2.0, HOUR},
                      Degenerate{1e20, 1e20, HOUR}, Degenerate{0.0, 1e300, HOUR},
                      Degenerate{0.0, 2.0, 0.0}, Degenerate{0.0, 2.0, -HOUR},
                      Degenerate{0.0, 2.0, NaN}, Degenerate{0.0, 2.0, INF},
                      Degenerate{2451545.0, 2.0, 1e-300}, Degenerate{0.0, -5.0, HOUR}));

class DegenerateBackward : public ::testing::TestWithParam<std::pair<double, double>> {};

TEST_P(DegenerateBackward, EndsNotFound) {
  const auto [from, lookback] = GetParam();
  const auto never = [](double) { return 0.0; };
  EXPECT_FALSE(find_crossing_backward(never, from, 90.0, lookback).has_value());
}

INSTANTIATE_TEST_SUITE_P(Inputs, DegenerateBackward,
                         ::testing::Values(std::pair{NaN, 2.0}, std::pair{0.0, NaN},
                                           std::pair{INF, 2.0}, std::pair{-INF, 2.0},
                                           std::pair{0.0, INF}, std::pair{1e20, 2.0},
                                           std::pair{-1e20, 1e20}, std::pair{0.0, 1e300},
                                           std::pair{0.0, -3.0}));

TEST(Search, AcceptsAPlainFunctionReference) {
  struct Fn {
    static double angle(double t) { return 12.0 * t; }
  };
  double (&fn)(double) = Fn::angle;
  EXPECT_TRUE(find_crossing_forward_step(fn, 0.0, 12.0, 2.0, HOUR).has_value());
  EXPECT_TRUE(find_crossing_backward(&Fn::angle, 2.0, 12.0, 2.0).has_value());
}

}  // namespace
}  // namespace tithiloom
