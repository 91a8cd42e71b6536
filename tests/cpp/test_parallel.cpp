// The worker pool: every unit once, the lowest failure decides, exceptions
// reach the caller; pooled results equal the single-thread path bit for bit;
// a close() on another thread never changes a running computation.
#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <thread>
#include <tuple>
#include <vector>

#include "batch.hpp"
#include "ephemeris.hpp"
#include "panchang.hpp"
#include "parallel.hpp"

namespace tithiloom {
namespace {

std::uint64_t bits(double x) { return std::bit_cast<std::uint64_t>(x); }

// (units, threads)
class Units : public ::testing::TestWithParam<std::tuple<std::size_t, unsigned>> {};

TEST_P(Units, EachRunsOnceAndTheLowestFailureDecides) {
  const auto [count, threads] = GetParam();
  std::vector<std::atomic<int>> runs(count);
  EXPECT_FALSE(run_units(count, threads, 1, [&](std::size_t i) {
    ++runs[i];
    return std::optional<Error>();
  }));
  for (const auto& r : runs) EXPECT_EQ(r.load(), 1);

  if (count < 40) return;
  const auto error = run_units(count, threads, 1, [&](std::size_t i) -> std::optional<Error> {
    if (i == 37 || i == count - 1) return Error{"unit " + std::to_string(i)};
    return std::nullopt;
  });
  ASSERT_TRUE(error);
  EXPECT_EQ(error->message, "unit 37");

  EXPECT_THROW(run_units(count, threads, 1,
                         [&](std::size_t i) -> std::optional<Error> {
                           if (i == 20) throw std::runtime_error("fault");
                           return std::nullopt;
                         }),
               std::runtime_error);
}

INSTANTIATE_TEST_SUITE_P(Counts, Units,
                         ::testing::Combine(::testing::Values(0u, 1u, 5u, 1000u),
                                            ::testing::Values(1u, 2u, 3u, 7u)));

struct Site {
  double lat, lng;
  std::int32_t utc_offset;
};

// (year, place)
class PooledBatch : public ::testing::TestWithParam<std::tuple<std::int32_t, Site>> {};

TEST_P(PooledBatch, EqualsSingleThread) {
  const auto [year, s] = GetParam();
  const Place place{s.lat, s.lng, 0.0};
  const auto single = compute_range({year, 1, 1}, {year, 12, 31}, fixed_clock(s.utc_offset), place, 1);
  const auto pooled = compute_range({year, 1, 1}, {year, 12, 31}, fixed_clock(s.utc_offset), place, 5);
  ASSERT_TRUE(single.ok() && pooled.ok());
  ASSERT_EQ(single.value().size(), pooled.value().size());
  for (std::size_t i = 0; i < single.value().size(); ++i) {
    const BatchDayResult& a = single.value()[i];
    const BatchDayResult& b = pooled.value()[i];
    EXPECT_EQ(std::tie(a.date.year, a.date.month, a.date.day), std::tie(b.date.year, b.date.month, b.date.day));
    EXPECT_EQ(bits(a.panchang.sun.sunrise_jd), bits(b.panchang.sun.sunrise_jd));
    EXPECT_EQ(bits(a.panchang.sun.sunset_jd), bits(b.panchang.sun.sunset_jd));
    EXPECT_EQ(a.panchang.tithi.name, b.panchang.tithi.name);
    EXPECT_EQ(a.panchang.nakshatra.pada, b.panchang.nakshatra.pada);
    EXPECT_EQ(a.panchang.yoga.number, b.panchang.yoga.number);
    EXPECT_EQ(a.panchang.karana.number, b.panchang.karana.number);
  }

  std::vector<double> instants;
  for (int h = 0; h < 500; ++h) instants.push_back(julday({year, 6, 1}, 0.0) + h / 24.0);
  const auto at1 = panchanga_at_jds(instants, 1);
  const auto at5 = panchanga_at_jds(instants, 5);
  ASSERT_TRUE(at1.ok() && at5.ok());
  for (std::size_t i = 0; i < instants.size(); ++i) {
    EXPECT_EQ(at1.value()[i].tithi_name, at5.value()[i].tithi_name);
    EXPECT_EQ(at1.value()[i].pada, at5.value()[i].pada);
    EXPECT_EQ(at1.value()[i].yoga_number, at5.value()[i].yoga_number);
    EXPECT_EQ(at1.value()[i].karana_number, at5.value()[i].karana_number);
  }
}

// Tromso has polar days and nights: their gaps must fall alike.
INSTANTIATE_TEST_SUITE_P(YearsAndPlaces, PooledBatch,
                         ::testing::Combine(::testing::Values(-1500, 2026, 2900),
                                            ::testing::Values(Site{28.6139, 77.2090, 19800},
                                                              Site{69.6492, 18.9553, 3600})));

TEST(PooledFailure, IsTheFirstFailingDaysInOrder) {
  const Place delhi{28.6139, 77.2090, 0.0};
  // The last days of the ephemeris span: the library refuses the first of
  // those past its end, whatever the number of threads.
  const auto single = compute_range({3002, 6, 1}, {3004, 1, 1}, fixed_clock(0), delhi, 1);
  const auto pooled = compute_range({3002, 6, 1}, {3004, 1, 1}, fixed_clock(0), delhi, 5);
  ASSERT_FALSE(single.ok());
  ASSERT_FALSE(pooled.ok());
  EXPECT_EQ(single.error(), pooled.error());
}

// A data path whose delta-T table changes every 2026 result; another thread
// closes and re-initialises without it all the while. Each computation
// keeps the settings it started with: its days are all of one kind. (The
// library reads a thread's delta-T table once, at its first use, so each
// computation starts on a fresh thread.)
TEST(Settings, CloseOnAnotherThreadChangesNoRunningComputation) {
  const auto dir = std::filesystem::temp_directory_path() / "tithiloom-settings-test";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "swe_deltat.txt") << "2026 1000.0\n";
  const Place delhi{28.6139, 77.2090, 216.0};
  const auto year = [&] {
    std::optional<Result<std::vector<BatchDayResult>>> days;
    std::thread([&] { days = compute_range({2026, 3, 1}, {2026, 4, 30}, fixed_clock(19800), delhi, 3); }).join();
    return std::move(*days);
  };

  close();
  init(dir.string());
  const auto with_path = year();
  close();
  const auto without = year();
  ASSERT_TRUE(with_path.ok() && without.ok());
  ASSERT_NE(bits(with_path.value()[0].panchang.sun.sunrise_jd),
            bits(without.value()[0].panchang.sun.sunrise_jd));

  const auto kind = [&](const std::vector<BatchDayResult>& days) {
    int same_as_path = 0, same_as_without = 0;
    for (std::size_t i = 0; i < days.size(); ++i) {
      const std::uint64_t b = bits(days[i].panchang.sun.sunrise_jd);
      same_as_path += b == bits(with_path.value()[i].panchang.sun.sunrise_jd);
      same_as_without += b == bits(without.value()[i].panchang.sun.sunrise_jd);
    }
    const int n = static_cast<int>(days.size());
    return same_as_path == n ? 1 : same_as_without == n ? 2 : 0;
  };

  std::atomic<bool> stop{false};
  std::thread closer([&] {
    while (!stop.load()) {
      close();
      init(dir.string());
      std::this_thread::yield();
      close();
      ensure_initialized();
    }
  });
  for (int k = 0; k < 12; ++k) {
    const auto days = year();
    ASSERT_TRUE(days.ok());
    EXPECT_NE(kind(days.value()), 0) << "a computation mixed two settings";
  }
  stop.store(true);
  closer.join();
  close();
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tithiloom
