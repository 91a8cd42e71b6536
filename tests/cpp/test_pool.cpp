// The worker pool: every unit once, the lowest failure decides, exceptions
// reach the caller, units' failure scopes are isolated from the caller's, a
// cancellation reaches every worker;
// every pooled computation equals, to the bit, and fails as, the same on one
// thread. (Computations beside a close() and init() on another thread are
// checked in test_threads.py.)
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "ephemeris.hpp"
#include "fields.hpp"
#include "parallel.hpp"

namespace tithiloom {
namespace {

using namespace testing;
constexpr unsigned POOL = 5;

// (units, threads)
class Units : public ::testing::TestWithParam<std::tuple<std::size_t, unsigned>> {};

TEST_P(Units, EachRunsOnceTheLowestFailureDecidesAndExceptionsReachTheCaller) {
  const auto [count, threads] = GetParam();
  std::vector<std::atomic<int>> runs(count);
  const auto error = run_units(count, threads, 1, [&](std::size_t i) -> std::optional<Error> {
    ++runs[i];
    if (i == 37 || (i + 1 == count && count > 40)) return Error{"unit " + std::to_string(i)};
    return std::nullopt;
  });
  EXPECT_EQ(error.has_value(), count > 37);
  if (error) {
    EXPECT_EQ(error->message, "unit 37");
  }
  for (std::size_t i = 0; i < count && count <= 37; ++i) EXPECT_EQ(runs[i].load(), 1);

  // Every unit, failing or not, runs once and reports its own error.
  std::vector<std::atomic<int>> every(count);
  const auto errors = run_every_unit(count, threads, 1, [&](std::size_t i) -> std::optional<Error> {
    ++every[i];
    if (i % 10 == 3) return Error{"unit " + std::to_string(i)};
    return std::nullopt;
  });
  ASSERT_EQ(errors.size(), count);
  for (std::size_t i = 0; i < count; ++i) {
    EXPECT_EQ(every[i].load(), 1);
    EXPECT_EQ(errors[i] ? errors[i]->message : "", i % 10 == 3 ? "unit " + std::to_string(i) : "");
  }

  if (count < 40) return;
  const auto fault = [](std::size_t i) -> std::optional<Error> {
    if (i == 20) throw std::runtime_error("fault");
    return std::nullopt;
  };
  EXPECT_THROW(run_units(count, threads, 1, fault), std::runtime_error);
  EXPECT_THROW(run_every_unit(count, threads, 1, fault), std::runtime_error);
}

INSTANTIATE_TEST_SUITE_P(Counts, Units,
                         ::testing::Combine(::testing::Values(0u, 1u, 5u, 1000u),
                                            ::testing::Values(1u, 2u, 3u, 7u)));

TEST(IsolatedScope, KeepsItsFailureAndTheCallersApart) {
  const double beyond = MAX_JD_UT + 100.0;
  LibraryFailureScope outer;
  (void)tropical_longitude(beyond, BODY_SUN);
  const auto outer_failure = outer.failure();
  ASSERT_TRUE(outer_failure);
  {
    LibraryFailureScope inner(LibraryFailureScope::Isolated{});
    EXPECT_FALSE(inner.failure());
    EXPECT_FALSE(library_failure_pending());
    // Not short-circuited by the caller's failure.
    EXPECT_TRUE(std::isfinite(tropical_longitude(2451545.0, BODY_SUN)));
    (void)tropical_longitude(beyond + 1.0, BODY_MOON);
    ASSERT_TRUE(inner.failure());
    EXPECT_NE(inner.failure()->message, outer_failure->message);
  }
  ASSERT_TRUE(outer.failure());
  EXPECT_EQ(outer.failure()->message, outer_failure->message);
  EXPECT_TRUE(library_failure_pending());
}

// A cancelled computation's requests fail on every worker, as on the caller.
TEST(Cancellation, ReachesEveryWorker) {
  Cancellation cancellation;
  cancellation.request();
  const CancellationScope scope(&cancellation);
  std::atomic<int> answered{0};
  (void)run_every_unit(200, 4, 1, [&](std::size_t i) -> std::optional<Error> {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));  // every worker gets units
    answered += std::isfinite(tropical_longitude(2451545.0 + static_cast<double>(i), BODY_SUN));
    return std::nullopt;
  });
  EXPECT_EQ(answered.load(), 0);
}

// (year, site)
class Pooled : public ::testing::TestWithParam<std::tuple<std::int32_t, Site>> {};

TEST_P(Pooled, EqualsOneThread) {
  const auto [year, s] = GetParam();
  const auto both = [](auto compute) {
    const std::string one = text(compute(1u));
    EXPECT_EQ(one, text(compute(POOL)));
    return one;
  };
  both([&](unsigned n) {
    return compute_festivals(mixed_definitions(), year, s.clock(), s.place, true, Reuse::memo, n);
  });
  // (Ekadashis and vrats: test_memo.cpp, pooled against one thread.)
  both([&](unsigned n) {
    return compute_shraddha({year - 1, 3, 30}, year + 1, s.clock(), s.place, n);
  });
  const std::string timeline = both([&](unsigned n) {
    return compute_shraddha_timeline({year, 8, 19}, s.clock(), s.place, 4, 5, 6, n);
  });
  // Its annual years run past the span from 2998 on.
  EXPECT_EQ(timeline.starts_with("error"), year >= 2998 || s.place.alt_m > 25000.0);
  // Days and instants; past the span, the first failing day decides.
  both([&](unsigned n) {
    return compute_range({year, 1, 1}, {year, 12, 31}, s.clock(), s.place, n);
  });
  std::vector<double> instants;
  for (int h = 0; h < 500; ++h) instants.push_back(julday({year, 6, 1}, 0.0) + h / 24.0);
  both([&](unsigned n) { return panchanga_at_jds(instants, n); });
}

INSTANTIATE_TEST_SUITE_P(YearsAndPlaces, Pooled,
                         ::testing::Values(std::tuple{2026, DELHI}, std::tuple{-1500, DELHI},
                                           std::tuple{2900, TROMSO}, std::tuple{-1200, SYDNEY},
                                           std::tuple{2026, TOO_HIGH},
                                           // The last years the ephemeris covers: failures
                                           // come from some units, not others.
                                           std::tuple{2998, DELHI}, std::tuple{3002, DELHI}));

// Two definitions fail, each in its own unit: the later unit holds the
// earlier failing definition, whose failure the call reports on any number
// of threads.
TEST(PooledFestivals, TheFirstFailingDefinitionDecides) {
  Result<FestivalYear> calendar = compute_festival_year(2026);
  ASSERT_TRUE(calendar.ok());
  FestivalYear moved = std::move(calendar).value();
  // Ingresses past the span: their days cannot be asked for.
  moved.sankrantis[3].jd = MAX_JD_UT + 10.25;  // Mesha, in Chaitra
  moved.sankrantis[4].jd = MAX_JD_UT + 40.75;  // Vrishabha, in Vaishakha
  const auto def = [](std::string rule, std::uint32_t month, std::uint32_t sankranti) {
    FestivalDef d;
    d.id = d.name = rule;
    d.rule = std::move(rule);
    d.lunar_month = month;
    d.tithi = 9;
    d.sankranti_index = sankranti;
    return d;
  };
  const std::vector<FestivalDef> defs = {def("tithi_at_sunrise", 1, 0),
                                         def("tithi_at_sunrise", 2, 0), def("sankranti", 2, 4),
                                         def("sankranti", 1, 3)};
  const auto resolve = [&](const std::vector<FestivalDef>& list, unsigned threads) {
    return text(resolve_festivals(list, moved, DELHI.clock(), DELHI.place, false, Reuse::memo,
                                  threads));
  };
  const std::string one = resolve(defs, 1);
  ASSERT_TRUE(one.starts_with("error"));
  EXPECT_EQ(one, resolve(defs, POOL));
  EXPECT_EQ(one, resolve({defs[2]}, 1));
  EXPECT_NE(one, resolve({defs[3]}, 1));
}

}  // namespace
}  // namespace tithiloom
