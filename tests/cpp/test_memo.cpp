// Shortcuts that must change no value: the within-call memo of festival
// resolution, Ekadashis and vrats found passing over months and days, lunar
// months from sankrantis already known, the samples boundaries are found
// from kept for the process; each equals the literal evaluation to the bit.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <tuple>
#include <vector>

#include "calendar.hpp"
#include "ephemeris.hpp"
#include "fields.hpp"
#include "sun.hpp"
#include "transitions.hpp"

namespace tithiloom {
namespace {

using namespace testing;

// The shortest and longest days where days are still passed over.
const Site OSLO{{59.91, 10.75, 23.0}, 3600};
// A polar night of a few days, without sunrise.
const Site ROVANIEMI{{67.5, 25.73, 0.0}, 7200};
// Local dates a day ahead of and behind most of the world.
const Site KIRITIMATI{{1.87, -157.4, 0.0}, 50400};
const Site BAKER{{0.19, -176.48, 0.0}, -43200};

class FestivalMemo : public ::testing::TestWithParam<std::tuple<std::int32_t, Site>> {};

TEST_P(FestivalMemo, ChangesNoOccurrence) {
  const auto [year, s] = GetParam();
  const auto defs = mixed_definitions();
  const auto memo = compute_festivals(defs, year, s.clock(), s.place, true, Reuse::memo);
  ASSERT_TRUE(memo.ok());
  EXPECT_GT(memo.value().size(), 40u);
  EXPECT_EQ(text(memo), text(compute_festivals(defs, year, s.clock(), s.place, true,
                                               Reuse::literal)));
}

INSTANTIATE_TEST_SUITE_P(YearsAndPlaces, FestivalMemo,
                         ::testing::Values(std::tuple{2026, DELHI}, std::tuple{2023, DELHI},
                                           std::tuple{2026, TROMSO}));

// (year, site, months of the definitions); the pooled memo against one
// thread's literal evaluation.
class EkadashiMonths
    : public ::testing::TestWithParam<std::tuple<std::int32_t, Site, std::vector<std::uint32_t>>> {
};

TEST_P(EkadashiMonths, PassingOverMonthsAndDaysChangesNothing) {
  const auto& [year, s, numbers] = GetParam();
  const std::vector<EkadashiDef> defs = ekadashi_definitions(numbers);
  const auto memo = compute_ekadashis(defs, year, s.clock(), s.place, Reuse::memo, 5);
  EXPECT_EQ(text(memo), text(compute_ekadashis(defs, year, s.clock(), s.place, Reuse::literal)));
  EXPECT_EQ(memo.ok(), s.place.alt_m < 25000.0);
  if (memo.ok() && numbers.size() == 12 && s.place.lat_deg < 60.0) {
    EXPECT_GE(memo.value().size(), 24u);
  }
  const auto vrats = compute_vrat_dates(year, s.clock(), s.place, Reuse::memo, 5);
  EXPECT_EQ(text(vrats), text(compute_vrat_dates(year, s.clock(), s.place, Reuse::literal)));
}

const std::vector<std::uint32_t> ALL = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
// The months about the turn of the year, where months are passed over.
const std::vector<std::uint32_t> WINTER = {9, 10, 11};

INSTANTIATE_TEST_SUITE_P(
    YearsAndPlaces, EkadashiMonths,
    ::testing::Values(std::tuple{2026, DELHI, ALL}, std::tuple{2023, DELHI, ALL},
                      std::tuple{2027, SYDNEY, ALL}, std::tuple{1900, ROVANIEMI, WINTER},
                      std::tuple{2026, KIRITIMATI, ALL}, std::tuple{2025, BAKER, ALL},
                      std::tuple{-2500, DELHI, ALL}, std::tuple{2999, KIRITIMATI, WINTER},
                      std::tuple{-2998, BAKER, WINTER}, std::tuple{2030, OSLO, ALL},
                      std::tuple{2026, TOO_HIGH, ALL}));

// Windows of any length anywhere in the span, any tithi (a few impossible
// ones too), latitudes mostly where days are passed over, any UTC offset:
// the same day found, and every day passed over has a sunrise that carries
// neither the tithi nor the one before it.
TEST(SunriseScan, PassingOverDaysFindsTheSameDayAndLeavesOutOnlyDaysThatCannotMatter) {
  std::mt19937_64 random(20260414);
  const auto uniform = [&](double lo, double hi) {
    return lo + (hi - lo) * static_cast<double>(random() >> 11) * 0x1p-53;
  };
  for (int k = 0; k < 300; ++k) {
    const std::int32_t tithi = k % 50 == 7 ? static_cast<std::int32_t>(random() % 40) - 5
                                           : static_cast<std::int32_t>(random() % 30) + 1;
    const Place place{uniform(-62.0, 62.0), uniform(-180.0, 180.0), uniform(-400.0, 3000.0)};
    const auto offset = static_cast<std::int32_t>(uniform(-50400.0, 50400.0));
    const double start = uniform(MIN_JD_UT, MAX_JD_UT);
    const double end = start + (k % 5 == 0 ? uniform(0.0, 3.0) : uniform(3.0, 45.0));
    const auto find = [&](Reuse reuse) {
      return text(find_tithi_at_sunrise_in_range(tithi, start, end, fixed_clock(offset), place, reuse));
    };
    EXPECT_EQ(find(Reuse::literal), find(Reuse::memo)) << k;
    if (tithi < 1 || tithi > 30) continue;
    const std::int32_t before = tithi == 1 ? 30 : tithi - 1;
    const Clock clock = fixed_clock(offset);
    Sky sky(place, Reuse::memo);
    SunriseRun run(tithi, before, sky, sky.may_pass_over_days(start, end));
    for (double d = local_midnight_jd(local_date(start, clock), clock); d <= end;
         d = midnight_after(d, clock)) {
      const double sunrise = sunrise_after(d, place);
      if (!std::isnan(run.sunrise_after(d, end)) || std::isnan(sunrise)) continue;
      const std::int32_t t = static_cast<std::int32_t>(tithi_at_jd(sunrise));
      EXPECT_TRUE(t != tithi && t != before) << k << ": day " << d << " passed over";
    }
  }
}

// Windows of up to a day anywhere in the ephemeris, many of them ending or
// starting within seconds of a tithi boundary: the guided quickest tests
// answer as the tests stated on the library's every value.
TEST(SunriseScan, AGuidedWindowTestAnswersAsTheLiteralOne) {
  std::mt19937_64 random(20261207);
  const auto uniform = [&](double lo, double hi) {
    return lo + (hi - lo) * static_cast<double>(random() >> 11) * 0x1p-53;
  };
  const Place delhi{28.61, 77.21, 216.0};
  for (int k = 0; k < 400; ++k) {
    std::uint32_t tithi = static_cast<std::uint32_t>(random() % 30) + 1;
    double start = uniform(MIN_JD_UT + 5.0, MAX_JD_UT - 5.0);
    if (k % 2 == 0) {  // the tithi ending, or the next beginning, near an edge
      Sky probe(delhi, Reuse::literal);
      tithi = probe.tithi_at(start) % 30 + (k % 4 == 0 ? 1 : 0);
      if (tithi == 0) tithi = 30;
      const double edge = tithi_end_after(start, probe) + uniform(-3.0, 3.0) / 86400.0;
      start = k % 8 < 4 ? edge : edge - uniform(0.0, 1.0);
    }
    const double end = start + uniform(0.0, 1.0);
    Sky memo(delhi, Reuse::memo), literal(delhi, Reuse::literal);
    const auto quick = SearchOrder::quickest, stated = SearchOrder::as_stated;
    EXPECT_EQ(tithi_in_window(tithi, start, end, memo, quick),
              tithi_in_window(tithi, start, end, literal, stated))
        << k << ": tithi " << tithi << " in " << start << " to " << end;
    EXPECT_EQ(tithi_free_of_bhadra_in_window(tithi, start, end, memo, quick),
              tithi_free_of_bhadra_in_window(tithi, start, end, literal, stated))
        << k;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(tithi_overlap_days(tithi, start, end, memo, quick)),
              std::bit_cast<std::uint64_t>(tithi_overlap_days(tithi, start, end, literal, stated)))
        << k;
  }
}

class KnownSankrantis : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(KnownSankrantis, GiveTheMonthsSearchedAgain) {
  const std::int32_t year = GetParam();
  const auto sankrantis = compute_sankrantis(year);
  ASSERT_TRUE(sankrantis.ok());
  EXPECT_EQ(text(compute_lunar_months(year, false)),
            text(compute_lunar_months(year, false, sankrantis.value())));
}

INSTANTIATE_TEST_SUITE_P(Years, KnownSankrantis, ::testing::Values(-2000, 1000, 2023, 2026, 2900));

std::vector<double> times_of(const LimbBoundaries& b) {
  std::vector<double> out;
  for (const auto* list : {&b.tithi, &b.karana, &b.nakshatra, &b.yoga, &b.moon_rashi})
    for (const LimbBoundary& x : *list) out.insert(out.end(), {x.jd_ut, double(x.index_after)});
  return out;
}

TEST(KeptSamples, GiveTheBoundariesOfFreshOnes) {
  const double from = 2461041.5, to = from + 40.0;
  close();  // new settings: nothing is kept for them yet
  const auto fresh = find_limb_boundaries(from + 10.0, to);   // keeps its samples
  const auto mixed = find_limb_boundaries(from, to);          // kept ones and new ones
  const auto kept = find_limb_boundaries(from + 10.0, to, 4);  // every sample kept
  ASSERT_TRUE(fresh.ok() && mixed.ok() && kept.ok());
  EXPECT_EQ(times_of(fresh.value()), times_of(kept.value()));
  close();
  const auto again = find_limb_boundaries(from, to);
  ASSERT_TRUE(again.ok());
  EXPECT_EQ(times_of(mixed.value()), times_of(again.value()));
}

}  // namespace
}  // namespace tithiloom
