// Vrat days: each vrat rule resolved in each amant month of the year.
#include "vrat.hpp"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "festival.hpp"
#include "lunar_month.hpp"
#include "parallel.hpp"

namespace tithiloom {
namespace {

struct VratRow {
  std::string_view name;
  std::uint32_t tithi;
};

// The order decides the order of vrats on the same day.
constexpr std::array<VratRow, 5> VRAT_TABLE = {{
    {"Pradosh Vrat", 13},
    {"Pradosh Vrat", 28},
    {"Sankashti Chaturthi", 19},
    {"Amavasya", 30},
    {"Purnima Vrat", 15},
}};

// Months cost milliseconds each: two are worth a thread.
constexpr std::size_t VRAT_MONTHS_PER_THREAD = 2;
// A month's vrat may be kept a day or two outside it (a tithi at the edge,
// the next day's sunrise or moonrise): months this close still count.
constexpr double VRAT_REACH_DAYS = 3.0;

}  // namespace

const std::vector<FestivalDef>& sunrise_vrats() {
  static const std::vector<FestivalDef> rules = [] {
    std::vector<FestivalDef> out;
    for (const VratRow& row : VRAT_TABLE) {
      FestivalDef def;
      def.id = def.name = row.name;
      def.rule = RULE_TITHI;
      def.tithi = row.tithi;
      out.push_back(std::move(def));
    }
    return out;
  }();
  return rules;
}

Result<std::vector<VratOccurrence>> compute_vrat_dates(std::int32_t year, const Clock& clock,
                                                       const Place& place, Reuse reuse,
                                                       unsigned threads,
                                                       const std::vector<FestivalDef>& rules,
                                                       double from_jd, double to_jd) {
  // One set of library settings for the whole call, whatever other threads do.
  const SettingsPin pin(Settings::current());
  const Result<std::vector<LunarMonth>> months = compute_lunar_months(year, false);
  if (!months.ok()) return months.failure();

  std::vector<std::vector<VratOccurrence>> found(months.value().size());
  if (auto error = run_units(found.size(), threads, VRAT_MONTHS_PER_THREAD, [&](std::size_t i) {
        const LunarMonth& m = months.value()[i];
        if (m.end_jd + VRAT_REACH_DAYS < from_jd || m.start_jd - VRAT_REACH_DAYS > to_jd)
          return std::optional<Error>();
        const std::string label = month_label(m.name, m.is_adhik);
        // The vrats of a month scan the same days.
        Sky sky(place, reuse);
        for (const FestivalDef& rule : rules) {
          const std::optional<FestivalOccurrence> o = resolve_in_month(rule, m, clock, sky, reuse);
          if (!o || o->date.year != year) continue;
          found[i].push_back({rule.name, rule.name + " (" + label + ")", m.name,
                              rule.tithi <= 15 ? "Shukla" : "Krishna", o->sunrise_jd, o->date,
                              o->reasoning, o->muhurta});
        }
        return std::optional<Error>();
      }))
    return *error;

  std::vector<VratOccurrence> out;
  for (auto& list : found)
    for (VratOccurrence& v : list) out.push_back(std::move(v));
  std::stable_sort(out.begin(), out.end(),
                   [](const auto& a, const auto& b) { return a.sunrise_jd < b.sunrise_jd; });
  return out;
}

}  // namespace tithiloom
