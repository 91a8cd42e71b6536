// Festivals, Ekadashis, vrats and shraddha on the worker pool: the same
// results, to the bit, and the same failures as on one thread; Ekadashis and
// vrats found passing over months and days equal those of every month and
// day asked about; units' failure scopes isolated from the caller's.
#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "ekadashi.hpp"
#include "ephemeris.hpp"
#include "festival.hpp"
#include "parallel.hpp"
#include "shraddha.hpp"
#include "sunrise_scan.hpp"
#include "vrat.hpp"

namespace tithiloom {
namespace {

constexpr unsigned POOL = 5;

// Every field of a result as text, doubles by their bits.
struct Text {
  std::string s;
  Text& operator<<(double x) {
    s += std::to_string(std::bit_cast<std::uint64_t>(x)) + '|';
    return *this;
  }
  template <class I>
    requires std::is_integral_v<I>
  Text& operator<<(I x) {
    s += std::to_string(x) + '|';
    return *this;
  }
  Text& operator<<(std::string_view x) {
    s.append(x);
    s += '|';
    return *this;
  }
  Text& operator<<(const CivilDate& d) { return *this << d.year << d.month << d.day; }
};

std::string text(const FestivalOccurrence& o) {
  Text t;
  t << o.festival_id << o.festival_name << o.date << o.sunrise_jd
    << o.tithi_at_sunrise << o.lunar_month_name << o.is_adhik_month << o.reasoning
    << o.priority_applied << o.kaala_applied;
  if (o.alternate) {
    const AlternateObservance& a = *o.alternate;
    t << a.date << a.sunrise_jd << a.priority << a.reasoning;
  }
  return t.s;
}

std::string text(const EkadashiOccurrence& o) {
  Text t;
  t << o.name << o.lunar_month << o.lunar_month_name << o.is_adhik << o.paksha << o.smartha_date
    << o.smartha_sunrise_jd << o.vaishnava_date << o.vaishnava_sunrise_jd << o.reasoning;
  return t.s;
}

std::string text(const VratOccurrence& v) {
  Text t;
  t << v.vrat_type << v.name << v.lunar_month_name << v.paksha << v.sunrise_jd << v.date;
  return t.s;
}

std::string text(const TithiOccurrence& o) {
  Text t;
  t << o.tithi_name << o.paksha << o.nakshatra_name << o.masa << o.vara << o.sunrise_jd
    << o.date << o.tithi_number;
  return t.s;
}

std::string text(const std::optional<ShraddhaDate>& d) {
  if (!d) return "none";
  Text t;
  t << d->reasoning << d->lunar_month_name << d->sunrise_jd << d->tithi << d->lunar_month
    << d->date;
  return t.s;
}

std::string text(const ShraddhaTimeline& tl) {
  Text t;
  t << tl.death_date << tl.death_tithi << tl.death_tithi_number << tl.death_paksha
    << tl.death_nakshatra << tl.death_masa << tl.teesra << tl.dashamam << tl.terahvin;
  for (const auto* list : {&tl.monthly_shraddhas, &tl.annual_shraddhas, &tl.pitru_paksha_dates}) {
    t << std::int64_t{-1};
    for (const TithiOccurrence& o : *list) t << text(o);
  }
  return t.s;
}

template <class T>
std::string text(const std::vector<T>& list) {
  std::string s;
  for (const T& x : list) s += text(x) + '\n';
  return s;
}

// The value's text, or the error's.
template <class T>
std::string text(const Result<T>& r) {
  return r.ok() ? text(r.value()) : "error: " + r.error();
}

std::vector<FestivalDef> mixed_definitions() {
  constexpr Kaala::Value KAALAS[] = {Kaala::aparahna, Kaala::madhyahna, Kaala::pradosha,
                                     Kaala::nishita, Kaala::full_day};
  std::vector<FestivalDef> defs;
  for (std::uint32_t i = 0; i < 36; ++i) {
    FestivalDef d;
    d.id = d.name = "t" + std::to_string(i);
    d.rule = "tithi_at_sunrise";
    d.lunar_month = i % 12 + 1;
    d.tithi = (i * 7) % 30 + 1;
    d.priority = Priority(static_cast<Priority::Value>(i % 3));
    d.kaala = KAALAS[i % 5];
    d.adhika_maasa = AdhikaMaasa(static_cast<AdhikaMaasa::Value>(i % 4));
    d.day_offset = i % 7 == 0 ? -1 : 0;
    defs.push_back(d);
    if (i % 3 == 0) {
      FestivalDef s;
      s.id = s.name = "s" + std::to_string(i);
      s.rule = i % 2 == 0 ? "sankranti" : "nakshatra_at_sunrise";
      s.sankranti_index = i % 12;
      s.nakshatra = i % 27 + 1;
      defs.push_back(s);
    }
  }
  return defs;
}

std::vector<EkadashiDef> ekadashi_definitions() {
  std::vector<EkadashiDef> defs;
  for (std::uint32_t m = 1; m <= 12; ++m)
    defs.push_back({"S" + std::to_string(m), "K" + std::to_string(m), m});
  return defs;
}

struct Site {
  Place place;
  std::int32_t utc_offset;
};
const Site DELHI{{28.6139, 77.2090, 216.0}, 19800};
// The shortest and longest days where days are still passed over.
const Site OSLO{{59.91, 10.75, 23.0}, 3600};
// A polar night of a few days, without sunrise.
const Site ROVANIEMI{{67.5, 25.73, 0.0}, 7200};
const Site SYDNEY{{-33.87, 151.21, 58.0}, 36000};
// Local dates a day ahead of and behind most of the world.
const Site KIRITIMATI{{1.87, -157.4, 0.0}, 50400};
const Site BAKER{{0.19, -176.48, 0.0}, -43200};
// A height the rising search refuses (so near the polar circle): every
// sunrise request fails.
const Site TOO_HIGH{{66.5, 25.73, 30000.0}, 7200};

// (year, site)
class PooledObservances : public ::testing::TestWithParam<std::tuple<std::int32_t, Site>> {};

TEST_P(PooledObservances, EqualOneThread) {
  const auto [year, s] = GetParam();
  const auto festivals = [&](unsigned threads) {
    return text(compute_festivals(mixed_definitions(), year, fixed_clock(s.utc_offset), s.place, true,
                                  Reuse::memo, threads));
  };
  EXPECT_EQ(festivals(1), festivals(POOL));
  const auto ekadashis = [&](unsigned threads) {
    return text(compute_ekadashis(ekadashi_definitions(), year, fixed_clock(s.utc_offset), s.place,
                                  Reuse::memo, threads));
  };
  EXPECT_EQ(ekadashis(1), ekadashis(POOL));
  const auto vrats = [&](unsigned threads) {
    return text(compute_vrat_dates(year, fixed_clock(s.utc_offset), s.place, Reuse::memo, threads));
  };
  EXPECT_EQ(vrats(1), vrats(POOL));
  const auto shraddha = [&](unsigned threads) {
    return text(compute_shraddha({year - 1, 3, 30}, year + 1, fixed_clock(s.utc_offset), s.place, threads));
  };
  EXPECT_EQ(shraddha(1), shraddha(POOL));
  const auto timeline = [&](unsigned threads) {
    return text(compute_shraddha_timeline({year, 8, 19}, fixed_clock(s.utc_offset), s.place, 4, 5, 6, threads));
  };
  const std::string one = timeline(1);
  EXPECT_EQ(one, timeline(POOL));
  // Its annual years run past the span from 2998 on.
  EXPECT_EQ(one.find("error") != std::string::npos, year >= 2998 || s.place.alt_m > 25000.0);
}

INSTANTIATE_TEST_SUITE_P(YearsAndPlaces, PooledObservances,
                         ::testing::Values(std::tuple{2026, DELHI}, std::tuple{-1200, SYDNEY},
                                           std::tuple{2026, TOO_HIGH},
                                           // The last years the ephemeris covers: failures
                                           // come from some units, not others.
                                           std::tuple{2998, DELHI}, std::tuple{3002, DELHI}));

// (year, site, months of the definitions)
class EkadashiMonths
    : public ::testing::TestWithParam<std::tuple<std::int32_t, Site, std::vector<std::uint32_t>>> {
};

TEST_P(EkadashiMonths, PassingOverMonthsAndDaysChangesNothing) {
  const auto& [year, s, numbers] = GetParam();
  std::vector<EkadashiDef> defs;
  for (const std::uint32_t m : numbers) defs.push_back(ekadashi_definitions()[m - 1]);
  const auto memo = compute_ekadashis(defs, year, fixed_clock(s.utc_offset), s.place, Reuse::memo, POOL);
  const auto literal = compute_ekadashis(defs, year, fixed_clock(s.utc_offset), s.place, Reuse::literal, 1);
  EXPECT_EQ(text(memo), text(literal));
  EXPECT_EQ(memo.ok(), s.place.alt_m < 25000.0);
  if (memo.ok() && numbers.size() == 12 && s.place.lat_deg < 60.0) {
    EXPECT_GE(memo.value().size(), 24u);
  }
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
                      std::tuple{-2998, BAKER, WINTER}, std::tuple{2026, TOO_HIGH, WINTER}));

// (year, site)
class VratDays : public ::testing::TestWithParam<std::tuple<std::int32_t, Site>> {};

TEST_P(VratDays, PassingOverDaysChangesNothing) {
  const auto [year, s] = GetParam();
  const auto memo = compute_vrat_dates(year, fixed_clock(s.utc_offset), s.place, Reuse::memo, POOL);
  const auto literal = compute_vrat_dates(year, fixed_clock(s.utc_offset), s.place, Reuse::literal, 1);
  EXPECT_EQ(text(memo), text(literal));
  EXPECT_EQ(memo.ok(), s.place.alt_m < 25000.0);
}

INSTANTIATE_TEST_SUITE_P(YearsAndPlaces, VratDays,
                         ::testing::Values(std::tuple{2026, DELHI}, std::tuple{1987, SYDNEY},
                                           std::tuple{2026, KIRITIMATI},
                                           std::tuple{-700, BAKER}, std::tuple{2999, DELHI},
                                           std::tuple{-2998, SYDNEY},
                                           std::tuple{2030, OSLO}, std::tuple{2026, TOO_HIGH}));

// Windows of any length anywhere in the span, any tithi (a few impossible
// ones too), latitudes mostly where days are passed over, any UTC offset.
TEST(SunriseScan, PassingOverDaysFindsTheSameDay) {
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
    const auto literal =
        find_tithi_at_sunrise_in_range(tithi, start, end, fixed_clock(offset), place, Reuse::literal);
    const auto memo = find_tithi_at_sunrise_in_range(tithi, start, end, fixed_clock(offset), place, Reuse::memo);
    ASSERT_EQ(literal.has_value(), memo.has_value()) << k;
    if (!literal) continue;
    Text a, b;
    a << literal->sunrise_jd << literal->local.date << literal->local.hour << literal->local.minute
      << literal->local.second << literal->local.microsecond;
    b << memo->sunrise_jd << memo->local.date << memo->local.hour << memo->local.minute
      << memo->local.second << memo->local.microsecond;
    EXPECT_EQ(a.s, b.s) << k;
  }
}

// --- failures ---

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
    return resolve_festivals(list, moved, fixed_clock(DELHI.utc_offset), DELHI.place, false, Reuse::memo,
                             threads);
  };
  const auto one = resolve(defs, 1);
  ASSERT_FALSE(one.ok());
  EXPECT_EQ(text(one), text(resolve(defs, POOL)));
  EXPECT_EQ(text(one), text(resolve({defs[2]}, 1)));
  EXPECT_NE(text(one), text(resolve({defs[3]}, 1)));
}

TEST(PooledTimeline, CountsPastTheSpanFailAsOnOneThread) {
  constexpr std::size_t ANY = std::numeric_limits<std::size_t>::max();
  for (const auto& [annual, pitru] : {std::tuple{std::size_t{30}, std::size_t{0}},
                                     std::tuple{std::size_t{0}, ANY},
                                     std::tuple{ANY, ANY}}) {
    const auto one =
        compute_shraddha_timeline({2990, 1, 1}, fixed_clock(DELHI.utc_offset), DELHI.place, 2, annual, pitru, 1);
    const auto pooled = compute_shraddha_timeline({2990, 1, 1}, fixed_clock(DELHI.utc_offset), DELHI.place, 2,
                                                  annual, pitru, POOL);
    ASSERT_FALSE(one.ok());
    EXPECT_EQ(one.error(), pooled.error());
  }
}

// --- the pool's failure scopes ---

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

TEST(RunEveryUnit, RunsAllAndReportsEach) {
  for (const unsigned threads : {1u, 3u}) {
    std::vector<std::atomic<int>> runs(50);
    const auto errors = run_every_unit(50, threads, 1, [&](std::size_t i) -> std::optional<Error> {
      ++runs[i];
      if (i % 10 == 3) return Error{"unit " + std::to_string(i)};
      return std::nullopt;
    });
    ASSERT_EQ(errors.size(), 50u);
    for (std::size_t i = 0; i < 50; ++i) {
      EXPECT_EQ(runs[i].load(), 1);
      EXPECT_EQ(errors[i].has_value(), i % 10 == 3);
      if (errors[i]) {
        EXPECT_EQ(errors[i]->message, "unit " + std::to_string(i));
      }
    }
    EXPECT_THROW(run_every_unit(50, threads, 1,
                                [](std::size_t i) -> std::optional<Error> {
                                  if (i == 7) throw std::runtime_error("fault");
                                  return Error{"every unit fails"};
                                }),
                 std::runtime_error);
  }
}

}  // namespace
}  // namespace tithiloom
