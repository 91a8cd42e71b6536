// The batch computes each day's limbs at sunrise without the transition
// searches: its days must equal the full daily panchang, bit for bit, over
// many years and places.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <tuple>

#include "batch.hpp"
#include "calendar.hpp"
#include "panchang.hpp"

namespace tithiloom {
namespace {

std::uint64_t bits(double x) { return std::bit_cast<std::uint64_t>(x); }

void expect_same_limbs(const Panchang& limbs, const Panchang& full) {
  EXPECT_EQ(bits(limbs.sun.sunrise_jd), bits(full.sun.sunrise_jd));
  EXPECT_EQ(bits(limbs.sun.sunset_jd), bits(full.sun.sunset_jd));
  EXPECT_EQ(bits(limbs.sun.day_duration_hours), bits(full.sun.day_duration_hours));
  EXPECT_EQ(limbs.vara.number, full.vara.number);
  EXPECT_EQ(limbs.vara.name, full.vara.name);
  EXPECT_EQ(limbs.tithi.number, full.tithi.number);
  EXPECT_EQ(limbs.tithi.name, full.tithi.name);
  EXPECT_EQ(limbs.tithi.paksha, full.tithi.paksha);
  EXPECT_EQ(limbs.nakshatra.number, full.nakshatra.number);
  EXPECT_EQ(limbs.nakshatra.pada, full.nakshatra.pada);
  EXPECT_EQ(limbs.nakshatra.lord, full.nakshatra.lord);
  EXPECT_EQ(limbs.yoga.number, full.yoga.number);
  EXPECT_EQ(limbs.karana.number, full.karana.number);
  EXPECT_EQ(limbs.karana.name, full.karana.name);
}

struct Site {
  double lat, lng, alt;
  std::int32_t utc_offset;
};

// (year, place): 24 days from mid-March, long enough for every limb to run
// through many values.
class BatchDays : public ::testing::TestWithParam<std::tuple<std::int32_t, Site>> {};

TEST_P(BatchDays, EqualFullDailyPanchang) {
  const auto [year, s] = GetParam();
  const Place place{s.lat, s.lng, s.alt};
  const auto days = compute_range({year, 3, 15}, {year, 4, 7}, fixed_clock(s.utc_offset), place);
  ASSERT_TRUE(days.ok()) << days.error();
  for (const BatchDayResult& d : days.value()) {
    const auto full =
        panchang_of_day(d.date, weekday_of(d.date), fixed_clock(s.utc_offset), place);
    ASSERT_TRUE(full.ok()) << full.error();
    expect_same_limbs(d.panchang, full.value());
  }
}

INSTANTIATE_TEST_SUITE_P(
    YearsAndPlaces, BatchDays,
    ::testing::Combine(::testing::Values(-2998, -1200, 1, 1582, 1900, 2026, 2400, 2998),
                       ::testing::Values(Site{28.6139, 77.2090, 216.0, 19800},
                                         Site{-33.8688, 151.2093, 58.0, 36000},
                                         Site{40.7128, -74.0060, 10.0, -18000},
                                         Site{69.6492, 18.9553, 0.0, 3600})));

}  // namespace
}  // namespace tithiloom
