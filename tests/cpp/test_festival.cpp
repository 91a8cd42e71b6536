// Observance labels and windows, and the tithi probes against the elongation
// itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>
#include <initializer_list>
#include <utility>
#include <vector>

#include "festival.hpp"
#include "fields.hpp"
#include "numeric.hpp"
#include "observance.hpp"
#include "panchang.hpp"
#include "search.hpp"
#include "sun.hpp"
#include "sunrise_scan.hpp"

namespace tithiloom {
namespace {

using namespace testing;
constexpr std::int32_t IST = 19800;

// --- labels ---

TEST(Labels, AnyAsciiCaseAndTheSanskritWords) {
  for (const auto& [label, value] : std::initializer_list<std::pair<std::string_view, Kaala::Value>>{
           {"MadhyAahna", Kaala::madhyahna}, {" madhyahna", Kaala::sunrise},
           {"\u092E\u0927\u094D\u092F\u093E\u0939\u094D\u0928\u0903", Kaala::madhyahna},
           // The same word without its final visarga.
           {"\u092E\u0927\u094D\u092F\u093E\u0939\u094D\u0928", Kaala::sunrise},
           {"pratah", Kaala::praatah}, {"sangava_full", Kaala::full_day},
           {"FullDay", Kaala::full_day}, {"nishitha", Kaala::nishita},
           {"\u0928\u093F\u0936\u0940\u0925\u0903", Kaala::nishita}, {"", Kaala::sunrise}})
    EXPECT_EQ(Kaala::from_label(label), Kaala(value)) << label;
  EXPECT_EQ(Priority::from_label("EaRlIeR"), Priority(Priority::puurvaviddha));
  EXPECT_EQ(Priority::from_label("vyaapti"), Priority(Priority::vyapti));
  EXPECT_EQ(Priority::from_label("purva"), Priority(Priority::paraviddha));
  EXPECT_EQ(AdhikaMaasa::from_label("BOTH"), AdhikaMaasa(AdhikaMaasa::adhika_and_nija));
  EXPECT_EQ(AdhikaMaasa::from_label("adhika_if_exist"), AdhikaMaasa(AdhikaMaasa::nija));
  EXPECT_EQ(VyaptiTie::from_label("PURVA"), VyaptiTie::earlier);
  EXPECT_EQ(VyaptiTie::from_label("purva "), VyaptiTie::later);
  EXPECT_EQ(VyaptiTie::from_label("longer"), VyaptiTie::later);
  static_assert(sizeof(Kaala) == 1 && sizeof(Priority) == 1 && sizeof(AdhikaMaasa) == 1);
  // Every reported label parses back to its value.
  for (int v = 0; v <= Kaala::full_day; ++v) {
    const Kaala k(static_cast<Kaala::Value>(v));
    const Priority p(static_cast<Priority::Value>(std::min(v, int{Priority::vyapti})));
    EXPECT_EQ(Kaala::from_label(k.label()), k) << k.label();
    EXPECT_EQ(Priority::from_label(p.label()), p) << p.label();
  }
}

// --- windows ---

TEST(KaalaWindow, BoundsOfTheDay) {
  const double sr = 2461144.52, ss = 2461145.04, next = 2461145.519;
  const auto w = [&](Kaala::Value k) { return kaala_window(k, sr, ss, next); };
  EXPECT_EQ(w(Kaala::pradosha).start_jd, ss);
  EXPECT_EQ(w(Kaala::pradosha).end_jd, ss + 0.1);
  EXPECT_NEAR((w(Kaala::sunrise).end_jd - w(Kaala::sunrise).start_jd) * 1440.0, 2.0, 1e-6);
  EXPECT_NEAR((w(Kaala::nishita).end_jd - w(Kaala::nishita).start_jd) * 1440.0, 48.0, 1e-6);
  EXPECT_NEAR(w(Kaala::nishita).start_jd + 1.0 / 60.0, ss + (next - ss) / 2.0, 1e-9);
  // The five parts tile the daytime; the forenoon is its first half.
  EXPECT_EQ(w(Kaala::praatah).start_jd, sr);
  EXPECT_EQ(w(Kaala::praatah).end_jd, w(Kaala::sangava).start_jd);
  EXPECT_EQ(w(Kaala::sangava).end_jd, w(Kaala::madhyahna).start_jd);
  EXPECT_EQ(w(Kaala::madhyahna).end_jd, w(Kaala::aparahna).start_jd);
  EXPECT_EQ(w(Kaala::aparahna).end_jd, w(Kaala::saayaahna).start_jd);
  EXPECT_EQ(w(Kaala::saayaahna).end_jd, ss);
  EXPECT_EQ(w(Kaala::poorvahna).end_jd, sr + (ss - sr) / 2.0);
  EXPECT_EQ(w(Kaala::full_day).start_jd, sr);
  EXPECT_EQ(w(Kaala::full_day).end_jd, ss);
  for (int v = 0; v <= Kaala::full_day; ++v) {
    const DayWindow none = kaala_window(static_cast<Kaala::Value>(v), NaN, NaN, NaN);
    EXPECT_TRUE(std::isnan(none.start_jd) && std::isnan(none.end_jd)) << v;
  }
}

// --- probes ---

// The new moon nearest after 2026-04-14 00:00 UT.
double new_moon_2026_april() {
  const auto nm = find_crossing_forward_step(tithi_angle, 2461144.5, 0.0, 35.0, 1.0);
  EXPECT_TRUE(nm.has_value());
  return nm.value_or(NaN);
}

TEST(TithiProbes, AgainstTheTithiSpan) {
  const double nm = new_moon_2026_april();
  EXPECT_EQ(tithi_at_jd(nm + 0.001), 1u);
  EXPECT_EQ(tithi_at_jd(nm - 0.001), 30u);
  EXPECT_EQ(tithi_at_jd(NaN), 1u);
  // Tithi 2 spans the elongation 12..24 degrees after this new moon.
  const auto start = find_crossing_forward_step(tithi_angle, nm, 12.0, 3.0, 1.0 / 24.0);
  const auto end = find_crossing_forward_step(tithi_angle, nm, 24.0, 3.0, 1.0 / 24.0);
  ASSERT_TRUE(start && end);
  const double s = *start, e = *end;
  EXPECT_TRUE(tithi_present_in_window(2, s + 0.1, s + 0.2));   // inside
  EXPECT_FALSE(tithi_present_in_window(3, s + 0.1, s + 0.2));
  EXPECT_TRUE(tithi_present_in_window(2, s - 0.3, s + 0.01));  // reaches into it
  EXPECT_FALSE(tithi_present_in_window(2, s - 0.3, s - 0.01)); // ends before it begins
  EXPECT_TRUE(tithi_present_in_window(2, e - 0.01, e + 0.3));
  EXPECT_FALSE(tithi_present_in_window(2, e + 0.01, e + 0.3)); // starts after it ended
  EXPECT_TRUE(tithi_present_in_window(2, s - 0.5, e + 0.5));   // covers it whole
  // A missing bound empties the window, even for tithi 1, the tithi of NaN.
  EXPECT_FALSE(tithi_present_in_window(1, NaN, NaN));
  EXPECT_FALSE(tithi_present_in_window(2, s + 0.1, NaN));
}

TEST(FindTithiAtSunrise, RefusalsEndAtOnce) {
  const double nm = new_moon_2026_april();
  const double from = nm - 2.0, to = nm + 20.0;
  EXPECT_TRUE(find_tithi_at_sunrise_in_range(5, from, to, fixed_clock(IST), DELHI.place));
  // Neither tithi 20 nor 19 at a sunrise of the first three days.
  EXPECT_FALSE(find_tithi_at_sunrise_in_range(20, from, nm + 3.0, fixed_clock(IST), DELHI.place));
  EXPECT_FALSE(find_tithi_at_sunrise_in_range(5, NaN, to, fixed_clock(IST), DELHI.place));
  EXPECT_FALSE(find_tithi_at_sunrise_in_range(5, from, 1e300, fixed_clock(IST), DELHI.place));
  EXPECT_FALSE(find_tithi_at_sunrise_in_range(std::numeric_limits<std::int32_t>::min(), from, to,
                                              fixed_clock(IST), DELHI.place));
  // Polar night for the whole range: no sunrise, no day.
  EXPECT_FALSE(find_tithi_at_sunrise_in_range(5, 2461390.5, 2461420.5, fixed_clock(0), Place{85.0, 0.0, 0.0}));
}

TEST(NeighbourDaySunrise, CivilDaysNotNextSunrise) {
  // 22:00 IST on 2026-04-14 is 16:30 UT: the next civil day is the 15th.
  const double late = local_midnight_jd({2026, 4, 14}, IST) + 22.0 / 24.0;
  const SunriseHit next = next_day_sunrise(late, fixed_clock(IST), DELHI.place);
  EXPECT_EQ(next.sunrise_jd, sunrise_after(local_midnight_jd({2026, 4, 15}, IST), DELHI.place));
  EXPECT_EQ(next.local.date.day, 15u);
  const SunriseHit prev = previous_day_sunrise(late, fixed_clock(IST), DELHI.place);
  EXPECT_EQ(prev.local.date.day, 13u);
  // At +14 h it is already the 15th locally at 12:00 UT on the 14th.
  const SunriseHit ahead = next_day_sunrise(2461145.0, fixed_clock(14 * 3600), DELHI.place);
  EXPECT_EQ(ahead.local.date.day, 16u);
  // No sunrise: NaN with the civil date that was asked for.
  const SunriseHit polar = next_day_sunrise(2461395.0, fixed_clock(0), Place{85.0, 0.0, 0.0});  // 20 Dec noon
  EXPECT_TRUE(std::isnan(polar.sunrise_jd));
  EXPECT_EQ(polar.local.date.month, 12u);
  EXPECT_EQ(polar.local.date.day, 21u);
}

}  // namespace
}  // namespace tithiloom
