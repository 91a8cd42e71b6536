// The numeric helpers at their edges: NaN, infinities and values out of range.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "numeric.hpp"

namespace tithiloom {
namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();

TEST(TruncateSaturating, NanIsZeroAndOutOfRangeSaturates) {
  EXPECT_EQ(truncate_saturating<std::uint32_t>(NaN), 0u);
  EXPECT_EQ(truncate_saturating<std::uint32_t>(-5.5), 0u);
  EXPECT_EQ(truncate_saturating<std::uint32_t>(Inf), std::numeric_limits<std::uint32_t>::max());
  EXPECT_EQ(truncate_saturating<std::uint32_t>(4294967296.0),
            std::numeric_limits<std::uint32_t>::max());
  EXPECT_EQ(truncate_saturating<std::uint32_t>(4294967295.9), 4294967295u);
  EXPECT_EQ(truncate_saturating<std::int32_t>(-Inf), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(truncate_saturating<std::int32_t>(-2147483648.9),
            std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(truncate_saturating<std::int32_t>(-7.9), -7);
  EXPECT_EQ(truncate_saturating<std::uint64_t>(1e30), std::numeric_limits<std::uint64_t>::max());
  EXPECT_EQ(truncate_saturating<std::uint64_t>(9007199254740993.0), 9007199254740992u);
}

TEST(Norm360, WrapsIntoHalfOpenCircle) {
  EXPECT_EQ(norm360(-10.0), 350.0);
  EXPECT_EQ(norm360(360.0), 0.0);
  EXPECT_EQ(norm360(725.0), 5.0);
  // A tiny negative angle would round up to 360 with a single fmod; it must not.
  EXPECT_LT(norm360(-1e-20), 360.0);
  EXPECT_TRUE(std::isnan(norm360(NaN)));
  EXPECT_TRUE(std::isnan(norm360(Inf)));
}

}  // namespace
}  // namespace tithiloom
