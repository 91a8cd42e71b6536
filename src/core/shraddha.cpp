#include "shraddha.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <utility>

#include "calendar.hpp"
#include "festival.hpp"
#include "lunar_month.hpp"
#include "names.hpp"
#include "numeric.hpp"
#include "panchang.hpp"
#include "sun.hpp"

namespace tithiloom {
namespace {

// The 3rd, 10th and 13th days, the day of death counting as the 1st.
constexpr double TEESRA_DAYS = 2.0;
constexpr double DASHAMAM_DAYS = 9.0;
constexpr double TERAHVIN_DAYS = 12.0;
// The first monthly shraddha is looked for from the 14th day on, one probe a
// day; each later one around a lunation (28 days) after the one before.
constexpr double FIRST_MONTHLY_FROM_DAYS = 13.0;
constexpr int FIRST_MONTHLY_PROBES = 35;
constexpr double NEXT_MONTHLY_FROM_DAYS = 26.0;
constexpr int NEXT_MONTHLY_PROBES = 7;
// Pitru paksha: the dark fortnight of amant Bhadrapada, looked for between
// 1 September and 15 October.
constexpr std::uint32_t BHADRAPADA = 6;
constexpr CivilDate PITRU_WINDOW_FIRST{0, 9, 1};
constexpr CivilDate PITRU_WINDOW_LAST{0, 10, 15};
constexpr std::string_view UNKNOWN = "Unknown";
// Where no lunar month holds a date.
constexpr std::uint32_t MONTH_WHEN_NONE_HOLDS = 10;
constexpr std::uint32_t LAST_SHUKLA_TITHI = 15;

// Lunar months by year, each computed once per call: the library is
// deterministic, so a remembered list is the one a new computation gives.
// A failed computation leaves an empty list; its failure reaches the caller
// through the enclosing check.
class MonthsByYear {
 public:
  const std::vector<LunarMonth>& of(std::int32_t year) {
    auto it = lists_.find(year);
    if (it == lists_.end()) {
      Result<std::vector<LunarMonth>> months = compute_lunar_months(year, false);
      it = lists_.emplace(year, months.ok() ? std::move(months).value() : std::vector<LunarMonth>{})
               .first;
    }
    return it->second;
  }

 private:
  std::map<std::int32_t, std::vector<LunarMonth>> lists_;
};

std::uint32_t month_holding(MonthsByYear& months, std::int32_t year, std::uint32_t month,
                            std::uint32_t day, std::int32_t utc_offset_s) {
  const double noon = local_noon_jd(year, month, day, utc_offset_s);
  const auto number_in = [&](std::int32_t y) -> std::optional<std::uint32_t> {
    for (const LunarMonth& m : months.of(y))
      if (m.start_jd <= noon && noon < m.end_jd) return m.number;
    return std::nullopt;
  };
  if (auto n = number_in(year)) return *n;
  // The year's list covers its own dates; only a date outside it (an
  // invalid one) reaches the neighbour on its side.
  if (auto n = number_in(shift_year(year, month < 7 ? -1 : 1))) return *n;
  return MONTH_WHEN_NONE_HOLDS;
}

// floor(jd + 1.5) mod 7, 0 = Sunday; a NaN instant reads as Sunday.
std::uint32_t weekday_at(double jd_ut) {
  const std::int64_t w = truncate_saturating<std::int64_t>(std::floor(jd_ut + 1.5)) % 7;
  return static_cast<std::uint32_t>(w < 0 ? w + 7 : w);
}

// The nakshatra the daily panchang reports at that instant.
std::uint32_t nakshatra_at(double jd_ut) {
  return element_index(moon_sidereal_longitude(jd_ut), NAKSHATRA_SPAN_DEG) + 1;
}

// A day described at its sunrise. When the Sun does not rise that day
// (sunrise NaN) the civil date stands for it: no nakshatra is measured, and
// the weekday and month are those of the date.
TithiOccurrence describe_day(MonthsByYear& months, std::int32_t utc_offset_s, std::uint32_t tithi,
                             double sunrise_jd, const CivilDate& date) {
  const bool rises = std::isfinite(sunrise_jd);
  return {tithi_display_name(tithi),
          paksha_name(tithi),
          rises ? nakshatra_name(nakshatra_at(sunrise_jd)) : UNKNOWN,
          lunar_month_name(month_holding(months, date.year, date.month, date.day, utc_offset_s)),
          vara_english(rises ? weekday_at(sunrise_jd) : weekday_of(date.year, date.month, date.day)),
          sunrise_jd,
          date.year,
          date.month,
          date.day,
          tithi};
}

TithiOccurrence describe_sunrise(MonthsByYear& months, std::int32_t utc_offset_s,
                                 std::uint32_t tithi, double sunrise_jd) {
  return describe_day(months, utc_offset_s, tithi, sunrise_jd,
                      jd_to_local_datetime(sunrise_jd, utc_offset_s).date);
}

// death_year + k for any count, held at the end of the year range.
std::int32_t years_after(std::int32_t year, std::size_t k) {
  constexpr std::size_t beyond_any_year = std::size_t{1} << 33;
  return shift_year(year, static_cast<std::int64_t>(std::min(k, beyond_any_year)));
}

FestivalDef shraddha_definition(std::uint32_t lunar_month, std::uint32_t tithi) {
  FestivalDef def;
  def.id = "shraddha";
  def.name = "Shraddha";
  def.rule = "tithi_at_sunrise";
  def.lunar_month = lunar_month;
  def.tithi = tithi;
  return def;
}

// The festival engine's first day for the definition in `year`, if any.
Result<std::optional<FestivalOccurrence>> first_occurrence(const FestivalDef& def,
                                                           std::int32_t year,
                                                           std::int32_t utc_offset_s,
                                                           const Place& place) {
  Result<std::vector<FestivalOccurrence>> found =
      compute_festivals({def}, year, utc_offset_s, place, false);
  if (!found.ok()) return found.failure();
  if (found.value().empty()) return std::optional<FestivalOccurrence>{};
  return std::optional<FestivalOccurrence>{std::move(found).value().front()};
}

// What the day of death fixes: its sunrise, tithi and lunar month.
struct Death {
  double sunrise_jd;
  std::uint32_t tithi;
  std::uint32_t lunar_month;
};

Death fix_death(MonthsByYear& months, std::int32_t year, std::uint32_t month, std::uint32_t day,
                std::int32_t utc_offset_s, const Place& place) {
  const double sunrise = compute_sun_data(year, month, day, utc_offset_s, place).sunrise_jd;
  return {sunrise, tithi_at_jd(sunrise), month_holding(months, year, month, day, utc_offset_s)};
}

// The death date as passed in, however odd its components.
std::string death_date_text(std::int32_t year, std::uint32_t month, std::uint32_t day) {
  return date_text(CivilDate{year, month, day});
}

// The first probe instant whose following sunrise carries the tithi.
std::optional<double> first_sunrise_with_tithi(double from_jd, double first_offset_days,
                                               int probes, std::uint32_t tithi,
                                               const Place& place) {
  for (int i = 0; i < probes; ++i) {
    const double sunrise = sunrise_after(from_jd + (first_offset_days + i), place);
    if (std::isfinite(sunrise) && tithi_at_jd(sunrise) == tithi) return sunrise;
  }
  return std::nullopt;
}

std::vector<TithiOccurrence> monthly_shraddhas(MonthsByYear& months, double death_midnight_jd,
                                               const Death& death, std::size_t count,
                                               std::int32_t utc_offset_s, const Place& place) {
  std::vector<TithiOccurrence> out;
  if (count == 0) return out;
  std::optional<double> next = first_sunrise_with_tithi(
      death_midnight_jd, FIRST_MONTHLY_FROM_DAYS, FIRST_MONTHLY_PROBES, death.tithi, place);
  while (next && out.size() < count) {
    out.push_back(describe_sunrise(months, utc_offset_s, death.tithi, *next));
    if (out.size() == count) break;
    next = first_sunrise_with_tithi(*next, NEXT_MONTHLY_FROM_DAYS, NEXT_MONTHLY_PROBES,
                                    death.tithi, place);
  }
  return out;
}

Result<std::vector<TithiOccurrence>> annual_shraddhas(MonthsByYear& months, std::int32_t death_year,
                                                      const Death& death, std::size_t years,
                                                      std::int32_t utc_offset_s,
                                                      const Place& place) {
  const FestivalDef def = shraddha_definition(death.lunar_month, death.tithi);
  std::vector<TithiOccurrence> out;
  for (std::size_t k = 0; k < years; ++k) {
    Result<std::optional<FestivalOccurrence>> found =
        first_occurrence(def, years_after(death_year, k + 1), utc_offset_s, place);
    if (!found.ok()) return found.failure();
    if (!found.value()) continue;
    const CivilDate date{found.value()->year, found.value()->month, found.value()->day};
    const double sunrise =
        sunrise_after(local_midnight_jd(date.year, date.month, date.day, utc_offset_s), place);
    out.push_back(std::isfinite(sunrise)
                      ? describe_sunrise(months, utc_offset_s, death.tithi, sunrise)
                      : describe_day(months, utc_offset_s, death.tithi, sunrise, date));
  }
  return out;
}

std::vector<TithiOccurrence> pitru_paksha_dates(MonthsByYear& months, std::int32_t death_year,
                                                const Death& death, std::size_t years,
                                                std::int32_t utc_offset_s, const Place& place) {
  // The dark-half tithi of the same number; Amavasya stays itself.
  const std::uint32_t tithi =
      death.tithi <= LAST_SHUKLA_TITHI ? death.tithi + LAST_SHUKLA_TITHI : death.tithi;
  std::vector<TithiOccurrence> out;
  // Years past the span the ephemeris covers fail; the rest need not run.
  for (std::size_t k = 0; k < years && !library_failure_pending(); ++k) {
    const std::int32_t year = years_after(death_year, k);
    const double last = local_midnight_jd(year, PITRU_WINDOW_LAST.month, PITRU_WINDOW_LAST.day,
                                          utc_offset_s);
    for (double x = local_midnight_jd(year, PITRU_WINDOW_FIRST.month, PITRU_WINDOW_FIRST.day,
                                      utc_offset_s);
         x <= last; x += 1.0) {
      const double sunrise = sunrise_after(x, place);
      if (!std::isfinite(sunrise) || tithi_at_jd(sunrise) != tithi) continue;
      const CivilDate date = jd_to_local_datetime(sunrise, utc_offset_s).date;
      if (month_holding(months, date.year, date.month, date.day, utc_offset_s) != BHADRAPADA)
        continue;
      out.push_back(describe_sunrise(months, utc_offset_s, tithi, sunrise));
      break;
    }
  }
  return out;
}

}  // namespace

std::uint32_t lunar_month_for_date(std::int32_t year, std::uint32_t month, std::uint32_t day,
                                   std::int32_t utc_offset_s) {
  MonthsByYear months;
  return month_holding(months, year, month, day, utc_offset_s);
}

TithiOccurrence occurrence_at_sunrise(std::int32_t utc_offset_s, std::uint32_t tithi,
                                      double sunrise_jd) {
  MonthsByYear months;
  return describe_sunrise(months, utc_offset_s, tithi, sunrise_jd);
}

Result<std::optional<ShraddhaDate>> compute_shraddha(std::int32_t death_year,
                                                     std::uint32_t death_month,
                                                     std::uint32_t death_day,
                                                     std::int32_t target_year,
                                                     std::int32_t utc_offset_s,
                                                     const Place& place) {
  return checked([&]() -> Result<std::optional<ShraddhaDate>> {
    MonthsByYear months;
    const Death death =
        fix_death(months, death_year, death_month, death_day, utc_offset_s, place);
    Result<std::optional<FestivalOccurrence>> found = first_occurrence(
        shraddha_definition(death.lunar_month, death.tithi), target_year, utc_offset_s, place);
    if (!found.ok()) return found.failure();
    if (!found.value()) return std::optional<ShraddhaDate>{};
    const FestivalOccurrence& o = *found.value();
    const std::string_view month_name = lunar_month_name(death.lunar_month);
    const bool shukla = death.tithi <= LAST_SHUKLA_TITHI;
    const std::uint32_t in_paksha = shukla ? death.tithi : death.tithi - LAST_SHUKLA_TITHI;
    std::string reasoning = "Shraddha for death on " +
                            death_date_text(death_year, death_month, death_day) + " (Tithi " +
                            std::to_string(in_paksha) + ' ' + std::string(paksha_name(death.tithi)) +
                            " Paksha, " + std::string(month_name) + " month). In " +
                            std::to_string(target_year) + ", this Tithi prevails at sunrise on " +
                            date_text(CivilDate{o.year, o.month, o.day}) + ".";
    return std::optional<ShraddhaDate>{ShraddhaDate{std::move(reasoning), month_name,
                                                    o.sunrise_jd, death.tithi, death.lunar_month,
                                                    o.year, o.month, o.day}};
  });
}

Result<ShraddhaTimeline> compute_shraddha_timeline(
    std::int32_t death_year, std::uint32_t death_month, std::uint32_t death_day_of_month,
    std::int32_t utc_offset_s, std::size_t monthly_count, std::size_t annual_years,
    std::size_t pitru_paksha_years, const Place& place) {
  return checked([&]() -> Result<ShraddhaTimeline> {
    MonthsByYear months;
    const Death death =
        fix_death(months, death_year, death_month, death_day_of_month, utc_offset_s, place);
    const double m0 = local_midnight_jd(death_year, death_month, death_day_of_month, utc_offset_s);
    const auto day_text = [&](double days) {
      return date_text(jd_to_local_datetime(m0 + days, utc_offset_s).date);
    };
    ShraddhaTimeline t;
    t.death_date = death_date_text(death_year, death_month, death_day_of_month);
    t.death_tithi = tithi_display_name(death.tithi);
    t.death_tithi_number = death.tithi;
    t.death_paksha = paksha_name(death.tithi);
    t.death_nakshatra = std::isfinite(death.sunrise_jd)
                            ? nakshatra_name(nakshatra_at(death.sunrise_jd))
                            : UNKNOWN;
    t.death_masa = lunar_month_name(death.lunar_month);
    t.teesra = day_text(TEESRA_DAYS);
    t.dashamam = day_text(DASHAMAM_DAYS);
    t.terahvin = day_text(TERAHVIN_DAYS);
    t.monthly_shraddhas = monthly_shraddhas(months, m0, death, monthly_count, utc_offset_s, place);
    Result<std::vector<TithiOccurrence>> annual =
        annual_shraddhas(months, death_year, death, annual_years, utc_offset_s, place);
    if (!annual.ok()) return annual.failure();
    t.annual_shraddhas = std::move(annual).value();
    t.pitru_paksha_dates =
        pitru_paksha_dates(months, death_year, death, pitru_paksha_years, utc_offset_s, place);
    return t;
  });
}

}  // namespace tithiloom
