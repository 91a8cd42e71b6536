// The festival engine: festival rule definitions and their resolution for
// one Gregorian year at one place into dated occurrences, each with a
// sentence of reasoning and, where conventions differ, an alternate day.
// The days are scanned by the sunrise scanner (sunrise_scan.hpp).
//
// Three rules: a lunar day of a lunar month ("tithi_at_sunrise"), a solar
// ingress ("sankranti"), a lunar mansion near an ingress
// ("nakshatra_at_sunrise"); and two that the almanac's definitions name: the
// evening whose moonrise a lunar day holds ("tithi_at_moonrise"), a lunar
// mansion in a solar month ("nakshatra_in_solar_month"). A definition that cannot be resolved is skipped
// silently; only a failing library request makes the whole call fail, with
// the library's message.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar.hpp"
#include "ephemeris.hpp"
#include "lunar_month.hpp"
#include "observance.hpp"
#include "sankranti.hpp"
#include "sunrise_scan.hpp"
#include "types.hpp"

namespace tithiloom {

// --- definitions and occurrences ---

struct FestivalDef {
  std::string id;
  std::string name;
  std::string rule;
  std::uint32_t lunar_month = 0;  // 1 = Chaitra, amant numbering; 0 unusable
  std::uint32_t tithi = 0;        // 1-30; 0 unusable
  std::optional<std::uint32_t> sankranti_index;  // 0 = Makar Sankranti
  std::optional<std::uint32_t> nakshatra;        // 1 = Ashwini
  Priority priority;
  Kaala kaala;
  VyaptiTie vyapti_tie;
  std::int32_t day_offset = 0;
  AdhikaMaasa adhika_maasa;
  // The day a sankranti rule keeps the ingress on; for a solar-month star,
  // the day each month begins.
  Ingress ingress;
  // A tithi rule whose tithi holds two sunrises: the one with this
  // nakshatra at sunrise, if only one has it.
  std::optional<std::uint32_t> with_nakshatra;
  // A tithi rule whose tithi holds two sunrises: the second, on which it
  // runs into the tithi after it.
  bool vriddhi_second = false;
  // Vyapti counts only the kaala's part outside Bhadra (Vishti karana); when
  // neither day has such a part, the udaya day if the tithi lasts three
  // muhurtas after its sunrise, else the earlier day.
  bool avoid_bhadra = false;
  BhadraFallback bhadra_fallback;
  // The udaya day only when the tithi lasts three muhurtas after its
  // sunrise; a shorter one is kept the day before, on which it begins.
  bool udaya_three_muhurtas = false;
  // Measure how close the deciding boundary came (the occurrence's margin).
  bool report_margin = false;
};

// The day another convention would choose.
struct AlternateObservance {
  CivilDate date;
  double sunrise_jd;
  std::string_view priority;  // "paraviddha" or "puurvaviddha"
  std::string reasoning;
};

struct FestivalOccurrence {
  std::string festival_id;
  std::string festival_name;
  CivilDate date;
  double sunrise_jd;  // NaN when the Sun does not rise that day
  std::uint32_t tithi_at_sunrise;
  std::string_view lunar_month_name;  // empty but for lunar-day rules
  bool is_adhik_month;
  std::string reasoning;
  std::string_view priority_applied;  // the priority's label, or the rule name
  std::string_view kaala_applied;     // the kaala's label when vyapti decided
  std::optional<AlternateObservance> alternate;
  // With report_margin: minutes between the boundary that decided the day (a
  // tithi's start or end, an ingress) and the instant it was weighed against
  // (a sunrise, a moonrise, a kaala's edge, sunset, midnight); NaN otherwise
  // or where the rule has none.
  double margin_minutes = std::numeric_limits<double>::quiet_NaN();
  // The moonrise that the evening's tithi holds (tithi_at_moonrise); NaN else.
  double moonrise_jd = std::numeric_limits<double>::quiet_NaN();
  // With report_margin, for vyapti: the part of the day's kaala the tithi
  // holds (outside Bhadra where it is avoided), the time of the rite; NaN
  // bounds where there is none or the day was shifted.
  DayWindow muhurta{std::numeric_limits<double>::quiet_NaN(),
                    std::numeric_limits<double>::quiet_NaN()};
};

// A day decided by so small a margin that almanacs may well differ on it.
inline constexpr double CLOSE_CALL_MINUTES = 15.0;

// The occurrences in `year` of the definitions, at most one each, sorted
// stably by sunrise; occurrences without a sunrise come last, in definition
// order. `purnimant` names Krishna-paksha days by the following month. The
// definitions are spread over up to `threads` threads; the result does not
// depend on their number.
Result<std::vector<FestivalOccurrence>> compute_festivals(const std::vector<FestivalDef>& defs,
                                                          std::int32_t year,
                                                          const Clock& clock,
                                                          const Place& place, bool purnimant,
                                                          Reuse reuse = Reuse::memo,
                                                          unsigned threads = 1);

// What every definition of a year is resolved on: the year's ingresses and
// its amant lunar months (those of compute_lunar_months(year, false)).
struct FestivalYear {
  std::int32_t year;
  std::vector<Sankranti> sankrantis;
  std::vector<LunarMonth> months;
};
Result<FestivalYear> compute_festival_year(std::int32_t year, Reuse reuse = Reuse::memo);

// Observances kept every lunar month: a tithi rule (at sunrise with its
// priority, or at moonrise) resolved within `month` rather than in the
// year's month of its number; none when no sunrise of the month carries the
// tithi. The month's name is the amant one.
std::optional<FestivalOccurrence> resolve_in_month(const FestivalDef& def,
                                                   const LunarMonth& month, const Clock& clock,
                                                   Sky& sky, Reuse reuse = Reuse::memo);

// compute_festivals on a year computed beforehand.
Result<std::vector<FestivalOccurrence>> resolve_festivals(const std::vector<FestivalDef>& defs,
                                                          const FestivalYear& calendar,
                                                          const Clock& clock,
                                                          const Place& place, bool purnimant,
                                                          Reuse reuse = Reuse::memo,
                                                          unsigned threads = 1);

}  // namespace tithiloom
