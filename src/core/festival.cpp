// Festival resolution: each definition's day by its rule (solar_rules.hpp,
// tithi_rules.hpp), the day shift, the year filter and the close call; the
// definitions grouped into units of work that share a memo.
#include "festival.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "lunar_month.hpp"
#include "parallel.hpp"
#include "reckoning.hpp"
#include "resolution.hpp"
#include "sankranti.hpp"
#include "solar_rules.hpp"
#include "tithi_rules.hpp"

namespace tithiloom {
namespace {

// --- the day shift ---

// Moves the day by k civil days. A day without sunrise keeps the civil
// date asked for.
std::optional<Observed> shifted(Observed o, Resolution& r, std::int32_t k) {
  const WideDate asked = add_days(o.date, k);
  // A sunrise is never before the midnight it is searched from, and comes
  // within a day of it if at all: a day asked for outside the year, but for
  // its eve, ends outside it. Its sunrise is not asked for, so no shift,
  // however large, reaches for a time the ephemeris does not cover.
  const std::int64_t year = r.calendar.year;
  const bool eve = asked.year == year - 1 && asked.month == 12 && asked.day == 31;
  if (asked.year != year && !eve) return std::nullopt;
  const double new_midnight = midnight_after(local_midnight_jd(o.date, r.clock), r.clock, k);
  const double sunrise = r.sky.sunrise_after(new_midnight);
  const CivilDate anchor = o.date;
  if (std::isfinite(sunrise)) {
    o.date = local_date(sunrise, r.clock);
  } else {
    o.date = CivilDate{static_cast<std::int32_t>(asked.year), asked.month, asked.day};
  }
  o.sunrise_jd = sunrise;
  o.tithi_at_sunrise = r.sky.tithi_at(sunrise);
  while (!o.reasoning.empty() && o.reasoning.back() == '.') o.reasoning.pop_back();
  o.reasoning += " (anchor: " + date_text(anchor) + ", shifted " + std::to_string(k) + " day" +
                 (k == 1 || k == -1 ? "" : "s") + ").";
  return o;
}

void tell_close_call(Observed& o) {
  if (!(o.margin_days * 1440.0 <= CLOSE_CALL_MINUTES)) return;
  o.reasoning += " A close call: the deciding boundary lies " +
                 minutes_text(std::max(1.0, std::round(o.margin_days * 1440.0))) +
                 " from the instant it was weighed against, so almanacs may differ.";
}

// A definition's day in the year: its rule's, shifted, if it falls in the year.
std::optional<Observed> resolve(const FestivalDef& def, Resolution& r) {
  std::optional<Observed> o;
  if (def.rule == RULE_SANKRANTI) {
    o = sankranti_rule(def, r);
  } else if (def.rule == RULE_TITHI || def.rule == RULE_MOONRISE) {
    o = observe_tithi(def, udaya_day(def, r), r);
  } else if (def.rule == RULE_NAKSHATRA) {
    o = nakshatra_rule(def, r);
  } else if (def.rule == RULE_SOLAR_MONTH_STAR) {
    o = solar_month_star_rule(def, r);
  }
  if (o && def.day_offset != 0) {
    o->muhurta = {NaN, NaN};  // it was the anchor day's
    o = shifted(std::move(*o), r, def.day_offset);
  }
  if (o && o->date.year != r.calendar.year) return std::nullopt;
  if (o) tell_close_call(*o);
  return o;
}

}  // namespace

Result<FestivalYear> compute_festival_year(std::int32_t year, Reuse reuse) {
  return checked([&]() -> Result<FestivalYear> {
    Result<std::vector<Sankranti>> sankrantis = compute_sankrantis(year);
    if (!sankrantis.ok()) return sankrantis.failure();
    // A list another computation has kept is the one the ingresses would give.
    std::optional<std::vector<LunarMonth>> kept;
    if (reuse == Reuse::memo) kept = kept_lunar_months(year, false);
    Result<std::vector<LunarMonth>> months =
        kept            ? Result<std::vector<LunarMonth>>(std::move(*kept))
        : reuse == Reuse::memo ? compute_lunar_months(year, false, sankrantis.value())
                               : compute_lunar_months(year, false);
    if (!months.ok()) return months.failure();
    return FestivalYear{year, std::move(sankrantis).value(), std::move(months).value()};
  });
}

namespace {

// The lunar month (1-12) whose days a definition's resolution scans: its own
// month, or the month its anchor sankranti falls in; 0 when it scans none.
std::uint32_t scanned_month(const FestivalDef& def) {
  if (def.rule == RULE_TITHI || def.rule == RULE_MOONRISE)
    return def.lunar_month <= 12 ? def.lunar_month : 0;
  if (!def.sankranti_index || *def.sankranti_index >= SANKRANTI_COUNT) return 0;
  for (std::uint32_t m = 1; m <= 12; ++m)
    if (MONTH_ANCHOR[m - 1] == *def.sankranti_index) return m;
  return 0;
}

// The definitions as units of work, each a list of indices in definition
// order. Definitions of one unit share a memo: on one thread all of them
// form one unit; with more, those that scan the same month form one, since
// they ask about the same days.
std::vector<std::vector<std::size_t>> definition_units(const std::vector<FestivalDef>& defs,
                                                       unsigned threads) {
  std::vector<std::vector<std::size_t>> units;
  if (defs.empty()) return units;
  if (threads <= 1) {
    units.emplace_back(defs.size());
    for (std::size_t i = 0; i < defs.size(); ++i) units[0][i] = i;
    return units;
  }
  std::array<std::size_t, 13> unit_of_month;
  unit_of_month.fill(defs.size());
  for (std::size_t i = 0; i < defs.size(); ++i) {
    std::size_t& u = unit_of_month[scanned_month(defs[i])];
    if (u == defs.size()) {
      u = units.size();
      units.emplace_back();
    }
    units[u].push_back(i);
  }
  return units;
}

// Each definition's day, resolved in units of work that share a sky. The
// call's failure is that of the first definition, in order, that fails:
// each unit meets its own first failing definition as the call would.
Result<std::vector<std::optional<Observed>>> observe(const std::vector<FestivalDef>& defs,
                                                     const FestivalYear& calendar,
                                                     const Clock& clock, const Place& place,
                                                     bool purnimant, Reuse reuse,
                                                     unsigned threads) {
  std::vector<std::optional<Observed>> observed(defs.size());
  const std::vector<std::vector<std::size_t>> units = definition_units(defs, threads);
  // The definition at which each unit's first failure came.
  std::vector<std::size_t> failed_at(units.size(), defs.size());
  const std::vector<std::optional<Error>> errors =
      run_every_unit(units.size(), threads, 1, [&](std::size_t u) {
        Sky sky(place, reuse);
        Resolution r{calendar, clock, purnimant, search_order(reuse), sky};
        std::size_t step = 0;
        for (const std::size_t i : units[u]) {
          // Definitions answered from the memo make no request that would
          // notice a cancellation.
          if (++step % CANCELLATION_POLL_STEPS == 0) cancellation_pending();
          observed[i] = resolve(defs[i], r);
          if (library_failure_pending()) {
            failed_at[u] = i;
            break;
          }
        }
        return std::optional<Error>();
      });
  std::optional<std::size_t> first;
  for (std::size_t u = 0; u < units.size(); ++u)
    if (errors[u] && (!first || failed_at[u] < failed_at[*first])) first = u;
  if (first) return *errors[*first];
  return observed;
}

FestivalOccurrence occurrence_of(const FestivalDef& def, Observed o) {
  return FestivalOccurrence{def.id,
                            def.name,
                            o.date,
                            o.sunrise_jd,
                            o.tithi_at_sunrise,
                            o.lunar_month_name,
                            o.is_adhik_month,
                            std::move(o.reasoning),
                            o.priority_applied,
                            o.kaala_applied,
                            std::move(o.alternate),
                            o.margin_days * 1440.0,
                            o.moonrise_jd,
                            o.muhurta};
}

// The occurrences of the observed definitions, stably in sunrise order;
// days without sunrise have no place in that order: last.
std::vector<FestivalOccurrence> in_sunrise_order(const std::vector<FestivalDef>& defs,
                                                 std::vector<std::optional<Observed>>& observed) {
  std::vector<FestivalOccurrence> out;
  for (std::size_t i = 0; i < defs.size(); ++i) {
    std::optional<Observed>& o = observed[i];
    if (!o) continue;
    out.push_back(occurrence_of(defs[i], std::move(*o)));
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const FestivalOccurrence& a, const FestivalOccurrence& b) {
                     if (std::isnan(a.sunrise_jd)) return false;
                     return std::isnan(b.sunrise_jd) || a.sunrise_jd < b.sunrise_jd;
                   });
  return out;
}

}  // namespace

std::optional<FestivalOccurrence> resolve_in_month(const FestivalDef& def,
                                                   const LunarMonth& month, const Clock& clock,
                                                   Sky& sky, Reuse reuse) {
  if (def.tithi < 1 || def.tithi > 30) return std::nullopt;
  const FestivalYear no_year{0, {}, {}};
  Resolution r{no_year, clock, false, search_order(reuse), sky};
  std::optional<Observed> o = observe_tithi(def, udaya_in(def, month, month.name, r), r);
  if (!o) return std::nullopt;
  tell_close_call(*o);
  return occurrence_of(def, std::move(*o));
}

Result<std::vector<FestivalOccurrence>> resolve_festivals(const std::vector<FestivalDef>& defs,
                                                          const FestivalYear& calendar,
                                                          const Clock& clock,
                                                          const Place& place, bool purnimant,
                                                          Reuse reuse, unsigned threads) {
  const SettingsPin pin(Settings::current());
  Result<std::vector<std::optional<Observed>>> observed =
      observe(defs, calendar, clock, place, purnimant, reuse, threads);
  if (!observed.ok()) return observed.failure();
  std::vector<std::optional<Observed>> days = std::move(observed).value();
  return in_sunrise_order(defs, days);
}

Result<std::vector<FestivalOccurrence>> compute_festivals(const std::vector<FestivalDef>& defs,
                                                          std::int32_t year,
                                                          const Clock& clock,
                                                          const Place& place, bool purnimant,
                                                          Reuse reuse, unsigned threads) {
  // One set of library settings for the whole call, whatever other threads do.
  const SettingsPin pin(Settings::current());
  const Result<FestivalYear> calendar = compute_festival_year(year, reuse);
  if (!calendar.ok()) return calendar.failure();
  return resolve_festivals(defs, calendar.value(), clock, place, purnimant, reuse, threads);
}

}  // namespace tithiloom
