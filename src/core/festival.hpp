// The festival engine: tithi probes at an instant, within a window and at
// the sunrises of a range; festival rule definitions; and their resolution
// for one Gregorian year at one place into dated occurrences, each with a
// sentence of reasoning and, where conventions differ, an alternate day.
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
#include "observance.hpp"
#include "types.hpp"

namespace tithiloom {

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
// or a range of more than a million days, give none.
std::optional<SunriseHit> find_tithi_at_sunrise_in_range(std::int32_t tithi,
                                                         std::int32_t utc_offset_s,
                                                         double start_jd, double end_jd,
                                                         const Place& place);

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

// Whether one call remembers library answers (each civil day's sunrise and
// sunset, Sun and Moon positions by exact instant) across its definitions,
// and stops a window's tithi searches once the answer is known. Both give
// identical values; `literal` asks the library every time, searches as the
// rule is stated, and exists to show exactly that.
enum class Reuse : std::uint8_t { memo, literal };

// The occurrences in `year` of the definitions, at most one each, sorted
// stably by sunrise; occurrences without a sunrise come last, in definition
// order. `purnimant` names Krishna-paksha days by the following month.
Result<std::vector<FestivalOccurrence>> compute_festivals(const std::vector<FestivalDef>& defs,
                                                          std::int32_t year,
                                                          std::int32_t utc_offset_s,
                                                          const Place& place, bool purnimant,
                                                          Reuse reuse = Reuse::memo);

}  // namespace tithiloom
