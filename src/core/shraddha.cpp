#include "shraddha.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "calendar.hpp"
#include "festival.hpp"
#include "lunar_month.hpp"
#include "names.hpp"
#include "numeric.hpp"
#include "panchang.hpp"
#include "parallel.hpp"
#include "sun.hpp"
#include "sunrise_scan.hpp"

namespace tithiloom {
namespace {

// The 3rd, 10th and 13th days, the day of death counting as the 1st.
constexpr std::int64_t TEESRA_DAYS = 2;
constexpr std::int64_t DASHAMAM_DAYS = 9;
constexpr std::int64_t TERAHVIN_DAYS = 12;
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

// Lists of lunar months by year, as compute_lunar_months(year, false) gives them.
using MonthLists = std::map<std::int32_t, std::vector<LunarMonth>>;

// Lunar months by year, each computed once per unit of work: the library is
// deterministic, so a remembered list is the one a new computation gives.
// A failed computation leaves an empty list; its failure reaches the caller
// through the enclosing check.
class MonthsByYear {
 public:
  MonthsByYear() = default;
  // Also reads the lists computed earlier in the call; never changes them.
  explicit MonthsByYear(const MonthLists& known) : known_(&known) {}

  const std::vector<LunarMonth>& of(std::int32_t year) {
    if (known_ != nullptr) {
      const auto k = known_->find(year);
      if (k != known_->end()) return k->second;
    }
    auto it = lists_.find(year);
    if (it == lists_.end()) {
      Result<std::vector<LunarMonth>> months = compute_lunar_months(year, false);
      it = lists_.emplace(year, months.ok() ? std::move(months).value() : std::vector<LunarMonth>{})
               .first;
    }
    return it->second;
  }

  // A list computed elsewhere, for the same year and kind.
  void keep(std::int32_t year, std::vector<LunarMonth> months) {
    lists_.emplace(year, std::move(months));
  }

  // The lists computed (or kept) here, for later units of the call.
  void hand_over(MonthLists& to) && {
    for (auto& [year, months] : lists_) to.emplace(year, std::move(months));
  }

 private:
  const MonthLists* known_ = nullptr;
  MonthLists lists_;
};

std::uint32_t month_holding(const CivilDate& date, const Clock& clock, MonthsByYear& months) {
  const double noon = local_noon_jd(date, clock);
  const auto number_in = [&](std::int32_t y) -> std::optional<std::uint32_t> {
    for (const LunarMonth& m : months.of(y))
      if (m.start_jd <= noon && noon < m.end_jd) return m.number;
    return std::nullopt;
  };
  if (auto n = number_in(date.year)) return *n;
  // The year's list covers its own dates; only a date outside it (an
  // invalid one) reaches the neighbour on its side.
  if (auto n = number_in(shift_year(date.year, date.month < 7 ? -1 : 1))) return *n;
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
TithiOccurrence describe_day(std::uint32_t tithi, double sunrise_jd, const CivilDate& date,
                             const Clock& clock, MonthsByYear& months) {
  const bool rises = std::isfinite(sunrise_jd);
  return {tithi_display_name(tithi),
          paksha_name(tithi),
          rises ? nakshatra_name(nakshatra_at(sunrise_jd)) : UNKNOWN,
          lunar_month_name(month_holding(date, clock, months)),
          vara_english(rises ? weekday_at(sunrise_jd) : weekday_of(date)),
          sunrise_jd,
          date,
          tithi};
}

TithiOccurrence describe_sunrise(std::uint32_t tithi, double sunrise_jd, const Clock& clock,
                                 MonthsByYear& months) {
  return describe_day(tithi, sunrise_jd, jd_to_local_datetime(sunrise_jd, clock).date, clock,
                      months);
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

// The festival engine's first day for the definition in the year, if any.
Result<std::optional<FestivalOccurrence>> first_occurrence(const FestivalDef& def,
                                                           const FestivalYear& calendar,
                                                           const Clock& clock,
                                                           const Place& place) {
  Result<std::vector<FestivalOccurrence>> found =
      resolve_festivals({def}, calendar, clock, place, false);
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

Death fix_death(const CivilDate& date, const Clock& clock, const Place& place,
                MonthsByYear& months) {
  const double sunrise = compute_sun_data(date, clock, place).sunrise_jd;
  return {sunrise, tithi_at_jd(sunrise), month_holding(date, clock, months)};
}

// The first sunrise after the probe instants (a day apart) that carries the
// tithi. Probes whose sunrise cannot carry it are passed over where the sky
// allows.
std::optional<double> first_sunrise_with_tithi(std::uint32_t tithi, double from_jd,
                                               double first_offset_days, int probes, Sky& sky) {
  const double first = from_jd + first_offset_days;
  SunriseRun sunrises(tithi, tithi, sky, sky.may_pass_over_days(first, first + probes));
  for (int i = 0; i < probes; ++i) {
    const double sunrise = sunrises.sunrise_after(from_jd + (first_offset_days + i));
    if (std::isfinite(sunrise) && sky.tithi_at(sunrise) == tithi) return sunrise;
  }
  return std::nullopt;
}

// The next month's rite after the one at `sunrise_jd`: the first sunrise of
// the probes that carries the tithi; else, where kshaya months are kept, the
// day on which the tithi begins and ends.
std::optional<double> next_monthly(std::uint32_t tithi, double sunrise_jd, const Clock& clock,
                                   bool kshaya_months, Sky& sky) {
  std::optional<double> next =
      first_sunrise_with_tithi(tithi, sunrise_jd, NEXT_MONTHLY_FROM_DAYS, NEXT_MONTHLY_PROBES, sky);
  if (next || !kshaya_months) return next;
  const double from = sunrise_jd + NEXT_MONTHLY_FROM_DAYS;
  const std::optional<SunriseHit> hit = find_tithi_in_range(
      static_cast<std::int32_t>(tithi), from, from + NEXT_MONTHLY_PROBES, clock, sky);
  if (!hit) return std::nullopt;
  return hit->sunrise_jd;
}

std::vector<TithiOccurrence> monthly_shraddhas(const Death& death, double death_midnight_jd,
                                               const Clock& clock, const Place& place,
                                               std::size_t count, bool kshaya_months,
                                               MonthsByYear& months) {
  std::vector<TithiOccurrence> out;
  if (count == 0) return out;
  Sky sky(place, Reuse::memo);
  std::optional<double> next = first_sunrise_with_tithi(
      death.tithi, death_midnight_jd, FIRST_MONTHLY_FROM_DAYS, FIRST_MONTHLY_PROBES, sky);
  while (next && out.size() < count) {
    out.push_back(describe_sunrise(death.tithi, *next, clock, months));
    if (out.size() == count) break;
    next = next_monthly(death.tithi, *next, clock, kshaya_months, sky);
  }
  return out;
}

// The annual shraddha in `year`, if the festival engine finds its day. The
// year's months, which the engine computes, describe the day too.
Result<std::optional<TithiOccurrence>> annual_shraddha(const Death& death, std::int32_t year,
                                                       const Clock& clock, const Place& place,
                                                       MonthsByYear& months) {
  Result<FestivalYear> calendar = compute_festival_year(year);
  if (!calendar.ok()) return calendar.failure();
  Result<std::optional<FestivalOccurrence>> found = first_occurrence(
      shraddha_definition(death.lunar_month, death.tithi), calendar.value(), clock, place);
  if (!found.ok()) return found.failure();
  months.keep(calendar.value().year, std::move(calendar).value().months);
  if (!found.value()) return std::optional<TithiOccurrence>{};
  const CivilDate date = found.value()->date;
  const double sunrise = sunrise_after(local_midnight_jd(date, clock), place);
  return std::optional<TithiOccurrence>{
      std::isfinite(sunrise) ? describe_sunrise(death.tithi, sunrise, clock, months)
                             : describe_day(death.tithi, sunrise, date, clock, months)};
}

// The pitru paksha shraddha in `year`, if a day of the window carries the
// tithi in Bhadrapada.
std::optional<TithiOccurrence> pitru_paksha_date(const Death& death, std::int32_t year,
                                                 const Clock& clock, const Place& place,
                                                 MonthsByYear& months) {
  // The dark-half tithi of the same number; Amavasya stays itself.
  const std::uint32_t tithi =
      death.tithi <= LAST_SHUKLA_TITHI ? death.tithi + LAST_SHUKLA_TITHI : death.tithi;
  const double first = local_midnight_jd({year, PITRU_WINDOW_FIRST.month, PITRU_WINDOW_FIRST.day}, clock);
  const double last = local_midnight_jd({year, PITRU_WINDOW_LAST.month, PITRU_WINDOW_LAST.day}, clock);
  // Days whose sunrise cannot carry the tithi are passed over where the sky allows.
  Sky sky(place, Reuse::memo);
  SunriseRun sunrises(tithi, tithi, sky, sky.may_pass_over_days(first, last));
  for (double x = first; x <= last; x = midnight_after(x, clock)) {
    const double sunrise = sunrises.sunrise_after(x);
    if (!std::isfinite(sunrise) || sky.tithi_at(sunrise) != tithi) continue;
    const CivilDate date = jd_to_local_datetime(sunrise, clock).date;
    if (month_holding(date, clock, months) != BHADRAPADA) continue;
    return describe_sunrise(tithi, sunrise, clock, months);
  }
  return std::nullopt;
}

// Calls batch(first, n) for consecutive batches of the units 0..count-1,
// each batch spread over the threads, until one returns an error: a count
// far past the span the ephemeris covers costs no more than its years
// inside, and no more memory than a batch.
template <class Batch>
std::optional<Error> in_batches(std::size_t count, unsigned threads, Batch&& batch) {
  const std::size_t size = std::max<std::size_t>(std::size_t{threads} * 4, 8);
  for (std::size_t first = 0; first < count;) {
    const std::size_t n = std::min(size, count - first);
    if (auto error = batch(first, n)) return error;
    first += n;
  }
  return std::nullopt;
}

}  // namespace

Result<std::optional<ShraddhaDate>> compute_shraddha(const CivilDate& death_date,
                                                     std::int32_t target_year,
                                                     const Clock& clock, const Place& place,
                                                     unsigned threads) {
  // One set of library settings for the whole call, whatever other threads do.
  const SettingsPin pin(Settings::current());
  // The day of death and the target year's calendar do not depend on each
  // other; the day is resolved once both are known.
  Death death{};
  std::optional<FestivalYear> calendar;
  if (auto error = run_units(2, threads, 1, [&](std::size_t i) -> std::optional<Error> {
        if (i == 0) {
          MonthsByYear months;
          death = fix_death(death_date, clock, place, months);
          return std::nullopt;
        }
        Result<FestivalYear> year = compute_festival_year(target_year);
        if (!year.ok()) return year.failure();
        calendar = std::move(year).value();
        return std::nullopt;
      }))
    return *error;

  Result<std::optional<FestivalOccurrence>> found =
      first_occurrence(shraddha_definition(death.lunar_month, death.tithi), *calendar,
                       clock, place);
  if (!found.ok()) return found.failure();
  if (!found.value()) return std::optional<ShraddhaDate>{};
  const FestivalOccurrence& o = *found.value();
  const std::string_view month_name = lunar_month_name(death.lunar_month);
  const bool shukla = death.tithi <= LAST_SHUKLA_TITHI;
  const std::uint32_t in_paksha = shukla ? death.tithi : death.tithi - LAST_SHUKLA_TITHI;
  std::string reasoning = "Shraddha for death on " + date_text(death_date) + " (Tithi " +
                          std::to_string(in_paksha) + ' ' + std::string(paksha_name(death.tithi)) +
                          " Paksha, " + std::string(month_name) + " month). In " +
                          std::to_string(target_year) + ", this Tithi prevails at sunrise on " +
                          date_text(o.date) + ".";
  return std::optional<ShraddhaDate>{ShraddhaDate{std::move(reasoning), month_name, o.sunrise_jd,
                                                  death.tithi, death.lunar_month, o.date}};
}

namespace {

// What the rites of a timeline are computed from, and the lists of lunar
// months computed so far: units read them, and those of successful units
// join them between the steps.
struct TimelineWork {
  std::int32_t death_year;
  Death death;
  const Clock& clock;
  const Place& place;
  unsigned threads;
  MonthLists known;
};

// A count whose last year lies near or past the end of the span the
// ephemeris covers fails at its first failing year, whose error the call
// returns: found by bisection, one year alone at a time, before the work of
// all the years before it. (Years inside the span succeed, those past it
// fail; a year alone asks the library what it asks among the others, so its
// error is the same.)
using YearUnit = std::function<std::optional<Error>(std::int32_t year)>;

std::optional<Error> failure_past_the_span(const TimelineWork& w, std::size_t years,
                                           std::size_t first_offset, const YearUnit& year_unit) {
  constexpr double MARGIN_DAYS = 800.0;  // more than any year's rites look ahead
  if (years == 0) return std::nullopt;
  const std::int32_t last = years_after(w.death_year, years - 1 + first_offset);
  if (local_midnight_jd(CivilDate{last, 1, 1}, w.clock) + MARGIN_DAYS < MAX_JD_UT)
    return std::nullopt;
  // run_units gives the year the failure scope its units have.
  const auto fails = [&](std::size_t i) {
    return run_units(1, 1, 1, [&](std::size_t) {
      return year_unit(years_after(w.death_year, i + first_offset));
    });
  };
  if (!fails(years - 1)) return std::nullopt;
  std::size_t lo = 0, hi = years - 1;  // hi fails
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (fails(mid)) hi = mid;
    else lo = mid + 1;
  }
  return fails(lo);
}

// The annual shraddhas of the first `years` years after the death, in
// order, appended to `out`; their months join the known ones.
std::optional<Error> annual_rites(TimelineWork& w, std::size_t years,
                                  std::vector<TithiOccurrence>& out) {
  if (auto error = failure_past_the_span(w, years, 1, [&](std::int32_t year) {
        MonthsByYear months(w.known);
        auto entry = annual_shraddha(w.death, year, w.clock, w.place, months);
        return entry.ok() ? std::optional<Error>() : entry.failure();
      }))
    return error;
  return in_batches(years, w.threads, [&](std::size_t first, std::size_t n) {
    std::vector<std::optional<TithiOccurrence>> found(n);
    std::vector<MonthLists> computed(n);
    auto error = run_units(n, w.threads, 1, [&](std::size_t i) -> std::optional<Error> {
      MonthsByYear months(w.known);
      Result<std::optional<TithiOccurrence>> entry =
          annual_shraddha(w.death, years_after(w.death_year, first + i + 1), w.clock, w.place,
                          months);
      if (!entry.ok()) return entry.failure();
      found[i] = std::move(entry).value();
      std::move(months).hand_over(computed[i]);
      return std::nullopt;
    });
    if (error) return error;
    for (std::optional<TithiOccurrence>& entry : found)
      if (entry) out.push_back(std::move(*entry));
    for (MonthLists& lists : computed) w.known.merge(lists);
    return std::optional<Error>();
  });
}

// The pitru paksha shraddhas of the death's year and the `years` - 1 after
// it, in order, appended to `out`.
std::optional<Error> pitru_rites(TimelineWork& w, std::size_t years,
                                 std::vector<TithiOccurrence>& out) {
  if (auto error = failure_past_the_span(w, years, 0, [&](std::int32_t year) {
        MonthsByYear months(w.known);
        pitru_paksha_date(w.death, year, w.clock, w.place, months);
        return std::optional<Error>();
      }))
    return error;
  return in_batches(years, w.threads, [&](std::size_t first, std::size_t n) {
    std::vector<std::optional<TithiOccurrence>> found(n);
    auto error = run_units(n, w.threads, 1, [&](std::size_t i) {
      MonthsByYear months(w.known);
      found[i] =
          pitru_paksha_date(w.death, years_after(w.death_year, first + i), w.clock, w.place, months);
      return std::optional<Error>();
    });
    if (error) return error;
    for (std::optional<TithiOccurrence>& entry : found)
      if (entry) out.push_back(std::move(*entry));
    return std::optional<Error>();
  });
}

// The day of death as the timeline reports it, and the 3rd, 10th and 13th
// days counted from it.
void describe_death(ShraddhaTimeline& t, const CivilDate& death_date, const Death& death,
                    double death_midnight_jd, const Clock& clock) {
  const auto day = [&](std::int64_t days) {
    return jd_to_local_datetime(midnight_after(death_midnight_jd, clock, days), clock).date;
  };
  t.death_date = death_date;
  t.death_tithi = tithi_display_name(death.tithi);
  t.death_tithi_number = death.tithi;
  t.death_paksha = paksha_name(death.tithi);
  t.death_masa = lunar_month_name(death.lunar_month);
  t.teesra = day(TEESRA_DAYS);
  t.dashamam = day(DASHAMAM_DAYS);
  t.terahvin = day(TERAHVIN_DAYS);
}

}  // namespace

Result<ShraddhaTimeline> compute_shraddha_timeline(const CivilDate& death_date, const Clock& clock,
                                                   const Place& place, std::size_t monthly_count,
                                                   std::size_t annual_years,
                                                   std::size_t pitru_paksha_years,
                                                   unsigned threads, TimelineOptions options) {
  // One set of library settings for the whole call, whatever other threads do.
  const SettingsPin pin(Settings::current());
  ShraddhaTimeline t;
  TimelineWork w{death_date.year, Death{}, clock, place, threads, {}};
  const auto fixed = checked([&] {
    MonthsByYear months;
    w.death = fix_death(death_date, clock, place, months);
    t.death_nakshatra = std::isfinite(w.death.sunrise_jd)
                            ? nakshatra_name(nakshatra_at(w.death.sunrise_jd))
                            : UNKNOWN;
    std::move(months).hand_over(w.known);
    return true;
  });
  if (!fixed.ok()) return fixed.failure();

  const double m0 = local_midnight_jd(death_date, clock);
  describe_death(t, death_date, w.death, m0, clock);

  // The rites come in this order: monthly, annual, pitru paksha; the first
  // failure in that order is the call's. The years of the annual and pitru
  // paksha rites are independent units; the monthly chain is sequential.
  // The annual years run first, as their months serve all the rest.
  const auto annual_failure = annual_rites(w, annual_years, t.annual_shraddhas);
  const auto monthly = checked([&] {
    MonthsByYear months(w.known);
    t.monthly_shraddhas = monthly_shraddhas(w.death, m0, clock, place, monthly_count,
                                            options.kshaya_months, months);
    return true;
  });
  if (!monthly.ok()) return monthly.failure();
  if (annual_failure) return *annual_failure;
  if (auto pitru_failure = pitru_rites(w, pitru_paksha_years, t.pitru_paksha_dates))
    return *pitru_failure;
  return t;
}

}  // namespace tithiloom
