// Ekadashi resolution: the Smartha day from the sunrise scan, the Vaishnava
// day from Dashami at Arunodaya and tithi-vriddhi, the months of three years
// resolved per definition and merged.
#include "ekadashi.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "lunar_month.hpp"
#include "names.hpp"
#include "panchang.hpp"
#include "parallel.hpp"
#include "sunrise_scan.hpp"

namespace tithiloom {
namespace {

constexpr std::uint32_t SHUKLA_EKADASHI = 11;
constexpr std::uint32_t KRISHNA_EKADASHI = 26;
// Arunodaya, the dawn before sunrise: 96 minutes as a day fraction.
constexpr double ARUNODAYA_DAYS = 0.06666666666666667;
// Names of the Ekadashis of an adhika month, whatever the definition says.
constexpr std::string_view ADHIKA_SHUKLA_EKADASHI = "Padmini";
constexpr std::string_view ADHIKA_KRISHNA_EKADASHI = "Parama";

std::optional<EkadashiOccurrence> resolve_ekadashi_on(std::uint32_t lunar_month,
                                                      std::string_view lunar_month_name,
                                                      bool is_adhik, bool is_shukla,
                                                      std::string_view name, double start_jd,
                                                      double end_jd, const Clock& clock,
                                                      Sky& sky) {
  const std::uint32_t target = is_shukla ? SHUKLA_EKADASHI : KRISHNA_EKADASHI;
  const std::uint32_t dashami = target - 1;
  const std::string_view paksha = paksha_name(target);
  const std::optional<SunriseHit> hit =
      find_tithi_in_range(static_cast<std::int32_t>(target), start_jd, end_jd, clock, sky);
  if (!hit) return std::nullopt;
  const double s = hit->sunrise_jd;
  const CivilDate d = hit->local.date;

  const bool dashami_at_arunodaya =
      element_index(sky.tithi_angle(s - ARUNODAYA_DAYS), TITHI_SPAN_DEG) + 1 == dashami;
  const double next_midnight = midnight_after(local_midnight_jd(d, clock), clock);
  const double n = sky.sunrise_after(next_midnight);
  // Without a sunrise the next day is still the civil day after D.
  const CivilDate next_date = std::isfinite(n) ? local_date(n, clock)
                                               : local_date(next_midnight, clock, 0.5);
  const bool vriddhi = std::isfinite(n) && sky.tithi_at(n) == target;

  const std::string month = month_label(lunar_month_name, is_adhik);
  const std::string opening = std::string(paksha) + " Ekadashi (Tithi " + std::to_string(target) +
                              ") prevails at sunrise";
  EkadashiOccurrence o{std::string(name), lunar_month, std::string(lunar_month_name), is_adhik,
                       paksha, d, s, d, s, {}};
  if (vriddhi) {
    o.smartha_date = o.vaishnava_date = next_date;
    o.smartha_sunrise_jd = o.vaishnava_sunrise_jd = n;
    o.reasoning = opening + " on both " + date_text(d) +
                  " and the next day (tithi-vriddhi), so both Smartha and Vaishnava observance "
                  "fall on " +
                  date_text(next_date) + " (vriddhau uttara, Dharmasindhu). Lunar month: " + month +
                  ".";
  } else if (dashami_at_arunodaya) {
    o.vaishnava_date = next_date;
    o.vaishnava_sunrise_jd = n;
    o.reasoning = opening + " (" + clock_text(hit->local) + ") on " + date_text(d) +
                  ". Dashami (Tithi " + std::to_string(dashami) +
                  ") persists at Arunodaya (96 min before sunrise), so Vaishnava Ekadashi shifts "
                  "to " +
                  date_text(next_date) + ". Lunar month: " + month + ".";
  } else {
    o.reasoning = opening + " (" + clock_text(hit->local) + ") on " + date_text(d) +
                  ". Dashami ended before Arunodaya \u2014 Smartha and Vaishnava dates are the "
                  "same. Lunar month: " +
                  month + ".";
  }
  return o;
}

// When the fast kept on `fast_date` is broken: after the next sunrise, within
// Dvadashi (unless it ended before that sunrise), not in Hari Vasara (its
// first quarter); in the morning (the first fifth of the daytime) if
// possible, else after midday (three-fifths of the daytime) until Dvadashi
// ends or the Sun sets.
DayWindow parana_window(const CivilDate& fast_date, std::uint32_t dvadashi, const Clock& clock,
                        Sky& sky) {
  const double sunrise =
      sky.sunrise_after(midnight_after(local_midnight_jd(fast_date, clock), clock));
  // In the polar night there is no sunrise to date the sunset from.
  if (!std::isfinite(sunrise)) return {NO_TIME, NO_TIME};
  const double sunset = sky.sunset_after(local_noon_jd(local_date(sunrise, clock), clock));
  if (!std::isfinite(sunset)) return {NO_TIME, NO_TIME};
  const double morning_end = sunrise + (sunset - sunrise) / 5.0;
  const double midday_end = sunrise + (sunset - sunrise) * 3.0 / 5.0;
  const TithiSpan span = estimated_tithi_span(dvadashi, sunrise, sky);
  if (!(span.end_jd > sunrise)) return {sunrise, morning_end};
  const double start = std::max(sunrise, span.start_jd + (span.end_jd - span.start_jd) / 4.0);
  const double morning_close = std::min(morning_end, span.end_jd);
  if (start < morning_close) return {start, morning_close};
  const double later = std::max(start, midday_end);
  if (later < std::min(span.end_jd, sunset)) return {later, std::min(span.end_jd, sunset)};
  return {NO_TIME, NO_TIME};
}

// The Mahadvadashi that the sunrises from the Ekadashi's first (the day
// before the Smartha day when Ekadashi holds both) make, if any: named from
// the tithis they carry.
std::string_view mahadvadashi(const CivilDate& smartha_date, std::uint32_t ekadashi,
                              const Clock& clock, Sky& sky) {
  std::array<std::uint32_t, 7> at{};  // the tithi at the sunrise before and the next six
  double midnight = midnight_after(local_midnight_jd(smartha_date, clock), clock, -1);
  for (std::uint32_t& t : at) {
    t = sky.tithi_at(sky.sunrise_after(midnight));
    midnight = midnight_after(midnight, clock);
  }
  const std::uint32_t dvadashi = ekadashi + 1, last = ekadashi + 4;  // Purnima or Amavasya
  if (at[0] == ekadashi) return "Unmilani (Ekadashi holds two sunrises)";
  if (at[2] == dvadashi && at[3] == dvadashi) return "Vyanjuli (Dvadashi holds two sunrises)";
  if (at[2] == dvadashi + 1) return "Trisprsa (Ekadashi, Dvadashi and Trayodashi in one day)";
  for (std::size_t i = 4; i + 1 < at.size(); ++i)
    if (at[i] == last && at[i + 1] == last)
      return ekadashi == SHUKLA_EKADASHI ? "Paksavardhini (Purnima holds two sunrises)"
                                         : "Paksavardhini (Amavasya holds two sunrises)";
  return {};
}

// Each fast's parana window, and the Mahadvadashi in the reasoning.
void add_parana(EkadashiOccurrence& o, std::uint32_t ekadashi, const Clock& clock, Sky& sky) {
  o.smartha_parana = parana_window(o.smartha_date, ekadashi + 1, clock, sky);
  o.vaishnava_parana = parana_window(o.vaishnava_date, ekadashi + 1, clock, sky);
  const std::string_view maha = mahadvadashi(o.smartha_date, ekadashi, clock, sky);
  if (!maha.empty()) o.reasoning += " A Mahadvadashi: " + std::string(maha) + ".";
}

bool same_ekadashi(const EkadashiOccurrence& a, const EkadashiOccurrence& b) {
  return a.smartha_date.year == b.smartha_date.year &&
         a.smartha_date.month == b.smartha_date.month &&
         a.smartha_date.day == b.smartha_date.day && a.paksha == b.paksha &&
         a.lunar_month == b.lunar_month && a.is_adhik == b.is_adhik;
}


// Where the Ekadashis of a month can fall. The day search starts at the
// midnight of the local date holding the month's start and keeps sunrises
// up to its end; the later of the two days (tithi-vriddhi) is the next
// civil day's sunrise, which the library finds within about a day of the
// midnight it searches from, or not at all.
constexpr double LATEST_EKADASHI_AFTER_MONTH_END_DAYS = 3.0;
// How far around the month its resolution's requests reach, at most.
constexpr double EKADASHI_REACH_DAYS = 5.0;

// Whether neither Ekadashi of the month can fall in `year`, so that
// resolving it is work whose result is always dropped. Only where none of
// that work's requests can fail: a failure would be the call's.
bool ekadashis_outside(const LunarMonth& m, std::int32_t year, const Clock& clock,
                       const Place& place) {
  if (!requests_cannot_fail(m.start_jd - EKADASHI_REACH_DAYS, m.end_jd + EKADASHI_REACH_DAYS,
                            place))
    return false;
  return local_date(m.start_jd, clock).year > year ||
         local_date(m.end_jd + LATEST_EKADASHI_AFTER_MONTH_END_DAYS, clock).year < year;
}

// The Ekadashis of one definition in the listed months, those of `year`, in
// list order.
std::vector<EkadashiOccurrence> ekadashis_of(const EkadashiDef& def,
                                             const std::vector<LunarMonth>& months,
                                             std::int32_t year, const Clock& clock,
                                             const Place& place, Reuse reuse) {
  std::vector<EkadashiOccurrence> out;
  if (def.month < 1 || def.month > 12) return out;
  const std::string_view month_name = lunar_month_name(def.month);
  // Months listed twice and the two pakshas of a month share their days.
  Sky sky(place, reuse);
  for (const LunarMonth& m : months) {
    if (m.number != def.month) continue;
    if (reuse == Reuse::memo && ekadashis_outside(m, year, clock, place)) continue;
    for (const bool shukla : {true, false}) {
      const std::string_view name =
          m.is_adhik ? (shukla ? ADHIKA_SHUKLA_EKADASHI : ADHIKA_KRISHNA_EKADASHI)
                     : std::string_view(shukla ? def.shukla_name : def.krishna_name);
      auto o = resolve_ekadashi_on(def.month, month_name, m.is_adhik, shukla, name, m.start_jd,
                                   m.end_jd, clock, sky);
      if (!o || o->smartha_date.year != year) continue;
      if (def.report_parana)
        add_parana(*o, shukla ? SHUKLA_EKADASHI : KRISHNA_EKADASHI, clock, sky);
      out.push_back(std::move(*o));
    }
  }
  return out;
}

// Lunar months and definitions cost milliseconds each: worth a thread apiece.
constexpr std::size_t MONTH_LISTS_PER_THREAD = 1;
constexpr std::size_t EKADASHI_DEFINITIONS_PER_THREAD = 1;

}  // namespace

Result<std::vector<EkadashiOccurrence>> compute_ekadashis(const std::vector<EkadashiDef>& defs,
                                                          std::int32_t year,
                                                          const Clock& clock,
                                                          const Place& place, Reuse reuse,
                                                          unsigned threads) {
  // One set of library settings for the whole call, whatever other threads do.
  const SettingsPin pin(Settings::current());
  // The months of year - 1, year and year + 1, one list after another.
  std::array<std::vector<LunarMonth>, 3> lists;
  if (auto error = run_units(lists.size(), threads, MONTH_LISTS_PER_THREAD,
                             [&](std::size_t i) -> std::optional<Error> {
                               const std::int64_t step = static_cast<std::int64_t>(i) - 1;
                               auto months = compute_lunar_months(shift_year(year, step), false);
                               if (!months.ok()) return months.failure();
                               lists[i] = std::move(months).value();
                               return std::nullopt;
                             }))
    return *error;
  std::vector<LunarMonth> months;
  for (const auto& list : lists) months.insert(months.end(), list.begin(), list.end());

  std::vector<std::vector<EkadashiOccurrence>> found(defs.size());
  if (auto error = run_units(defs.size(), threads, EKADASHI_DEFINITIONS_PER_THREAD,
                             [&](std::size_t i) {
                               found[i] = ekadashis_of(defs[i], months, year, clock,
                                                       place, reuse);
                               return std::optional<Error>();
                             }))
    return *error;

  std::vector<EkadashiOccurrence> out;
  for (auto& list : found)
    for (EkadashiOccurrence& o : list) out.push_back(std::move(o));
  std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) {
    return a.smartha_sunrise_jd < b.smartha_sunrise_jd;
  });
  // Months overlapping two of the three years were resolved twice.
  out.erase(std::unique(out.begin(), out.end(), same_ekadashi), out.end());
  return out;
}

}  // namespace tithiloom
