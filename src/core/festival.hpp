// The festival engine: tithi probes at an instant, within a window and at
// the sunrises of a range; festival rule definitions; and their resolution
// for one Gregorian year at one place into dated occurrences, each with a
// sentence of reasoning and, where conventions differ, an alternate day.
// Also the year's Ekadashis (Smartha and Vaishnava days) and vrat days.
//
// Three rules: a lunar day of a lunar month ("tithi_at_sunrise"), a solar
// ingress ("sankranti"), a lunar mansion near an ingress
// ("nakshatra_at_sunrise"). A definition that cannot be resolved is skipped
// silently; only a failing library request makes the whole call fail, with
// the library's message.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar.hpp"
#include "ephemeris.hpp"
#include "lunar_month.hpp"
#include "observance.hpp"
#include "sankranti.hpp"
#include "types.hpp"

namespace tithiloom {

// Whether one call remembers library answers (each civil day's sunrise and
// sunset, Sun and Moon positions by exact instant) across its definitions,
// stops a window's tithi searches once the answer is known, and leaves out
// the sunrises of days whose tithi cannot matter. Both give identical
// values; `literal` asks the library every time, searches and scans as the
// rule is stated, and exists to show exactly that.
enum class Reuse : std::uint8_t { memo, literal };

// --- probes ---

// Tithi number (1-30) at an instant; a NaN instant gives 1, as the angle
// NaN does everywhere in the module.
std::uint32_t tithi_at_jd(double jd_ut);

// Whether any part of the tithi's span falls inside [start_jd, end_jd].
// A NaN bound answers false.
bool tithi_present_in_window(std::uint32_t tithi, double start_jd, double end_jd);

// The first civil day in the range whose sunrise carries the tithi; when no
// sunrise does (a skipped tithi), the first day whose sunrise carries the
// preceding one. Days without sunrise are passed over. Non-finite bounds,
// or a range of more than a million days, give none. `memo` also leaves out
// the sunrises of days that the elongation shows cannot matter.
std::optional<SunriseHit> find_tithi_at_sunrise_in_range(std::int32_t tithi,
                                                         const Clock& clock,
                                                         double start_jd, double end_jd,
                                                         const Place& place,
                                                         Reuse reuse = Reuse::literal);

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
  bool vyapti_tie_purva = false;
  std::int32_t day_offset = 0;
  AdhikaMaasa adhika_maasa;
};

// The day another convention would choose.
struct AlternateObservance {
  std::int32_t year;
  std::uint32_t month;
  std::uint32_t day;
  double sunrise_jd;
  std::string_view priority;  // "paraviddha" or "puurvaviddha"
  std::string reasoning;
};

struct FestivalOccurrence {
  std::string festival_id;
  std::string festival_name;
  std::int32_t year;
  std::uint32_t month;
  std::uint32_t day;
  double sunrise_jd;  // NaN when the Sun does not rise that day
  std::uint32_t tithi_at_sunrise;
  std::string_view lunar_month_name;  // empty but for lunar-day rules
  bool is_adhik_month;
  std::string reasoning;
  std::string_view priority_applied;  // the priority's label, or the rule name
  std::string_view kaala_applied;     // the kaala's label when vyapti decided
  std::optional<AlternateObservance> alternate;
};

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

// compute_festivals on a year computed beforehand.
Result<std::vector<FestivalOccurrence>> resolve_festivals(const std::vector<FestivalDef>& defs,
                                                          const FestivalYear& calendar,
                                                          const Clock& clock,
                                                          const Place& place, bool purnimant,
                                                          Reuse reuse = Reuse::memo,
                                                          unsigned threads = 1);

// --- Ekadashis and vrats ---

// The names a caller gives the two Ekadashis of a lunar month.
struct EkadashiDef {
  std::string shukla_name;
  std::string krishna_name;
  std::uint32_t month;  // 1 = Chaitra; a month outside 1-12 yields nothing
};

// One Ekadashi with its Smartha day (the tithi at sunrise) and its Vaishnava
// day (one later when Dashami still runs at Arunodaya).
struct EkadashiOccurrence {
  std::string name;
  std::uint32_t lunar_month;
  std::string lunar_month_name;  // without "Adhika "
  bool is_adhik;
  std::string_view paksha;
  CivilDate smartha_date;
  double smartha_sunrise_jd;
  CivilDate vaishnava_date;
  double vaishnava_sunrise_jd;  // NaN when the Sun does not rise that day
  std::string reasoning;
};

// The Ekadashi of one paksha of the lunar month [start_jd, end_jd]; none
// when no sunrise of the month carries it or the Dashami before it.
std::optional<EkadashiOccurrence> resolve_ekadashi(std::uint32_t lunar_month,
                                                   std::string_view lunar_month_name,
                                                   bool is_adhik, bool is_shukla,
                                                   std::string_view name,
                                                   const Clock& clock, double start_jd,
                                                   double end_jd, const Place& place);

// Every Ekadashi of the definitions whose Smartha day lies in `year`, in
// date order, once each; adhika months name theirs "Padmini" and "Parama".
// `memo` also passes over the months whose Ekadashis cannot fall in the
// year; `literal` resolves every month and remembers nothing. The three
// years' months, then the definitions, are spread over up to `threads`
// threads; the result depends on neither choice.
Result<std::vector<EkadashiOccurrence>> compute_ekadashis(const std::vector<EkadashiDef>& defs,
                                                          std::int32_t year,
                                                          const Clock& clock,
                                                          const Place& place,
                                                          Reuse reuse = Reuse::memo,
                                                          unsigned threads = 1);

// A recurring fast on the day whose sunrise carries its tithi.
struct VratOccurrence {
  std::string_view vrat_type;
  std::string name;  // "Pradosh Vrat (Kartik)", "Purnima Vrat (Adhika Shravana)"
  std::string_view lunar_month_name;
  std::string_view paksha;
  double sunrise_jd;
  CivilDate date;
};

// The five vrats of every amant month, those dated in `year`, in date order.
// `literal` remembers nothing and asks about every day. The months are
// spread over up to `threads` threads; the result depends on neither choice.
Result<std::vector<VratOccurrence>> compute_vrat_dates(std::int32_t year, const Clock& clock,
                                                       const Place& place,
                                                       Reuse reuse = Reuse::memo,
                                                       unsigned threads = 1);

}  // namespace tithiloom
