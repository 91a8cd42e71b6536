// The lagna-window scan driven by probes that answer nonsense, which the
// real sky cannot be made to do on demand.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "lagna.hpp"

namespace tithiloom {
namespace {

constexpr double JD = 2461144.5;

class GarbageProbe : public ::testing::TestWithParam<double> {};

TEST_P(GarbageProbe, RandomAnswersStillTerminate) {
  std::mt19937 rng(12345);
  std::size_t calls = 0;
  const double jd_start = GetParam();
  // Values up to 255: out of the table's range too.
  const auto w = scan_windows(jd_start, [&](double) {
    ++calls;
    return static_cast<std::uint8_t>(rng());
  });
  EXPECT_LE(w.size(), 290u);  // one per five-minute step at most, plus the last
  EXPECT_LT(calls, 290u * 64u);
  if (!std::isfinite(jd_start)) return;
  // Contiguous windows of real signs from the start over the scanned span.
  ASSERT_FALSE(w.empty());
  EXPECT_EQ(w.front().start_jd, jd_start);
  EXPECT_EQ(w.back().end_jd, jd_start + LAGNA_SCAN_DAYS);
  for (std::size_t i = 0; i < w.size(); ++i) {
    EXPECT_LT(w[i].rashi, 12);
    EXPECT_EQ(w[i].rashi_name, rashi_name(w[i].rashi));
    if (i + 1 < w.size()) {
      EXPECT_EQ(w[i].end_jd, w[i + 1].start_jd);
    }
  }
}

// 1e11: adjacent doubles are wider than the one-second tolerance, so halving
// stalls; 2^53: a step no longer moves the time at all.
INSTANTIATE_TEST_SUITE_P(Starts, GarbageProbe,
                         ::testing::Values(JD, 1e11, -1e11, 9007199254740992.0, 1e300,
                                           std::numeric_limits<double>::quiet_NaN(),
                                           std::numeric_limits<double>::infinity(),
                                           -std::numeric_limits<double>::infinity()));

}  // namespace
}  // namespace tithiloom
