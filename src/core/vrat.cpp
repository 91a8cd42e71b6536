// Vrat days: the five tithis of the vrat table scanned in each amant month
// of the year.
#include "vrat.hpp"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "lunar_month.hpp"
#include "parallel.hpp"

namespace tithiloom {
namespace {

struct VratRow {
  std::string_view name;
  std::uint32_t tithi;
  std::string_view paksha;
};

// The order decides the order of vrats on the same day.
constexpr std::array<VratRow, 5> VRAT_TABLE = {{
    {"Pradosh Vrat", 13, "Shukla"},
    {"Pradosh Vrat", 28, "Krishna"},
    {"Sankashti Chaturthi", 19, "Krishna"},
    {"Amavasya", 30, "Krishna"},
    {"Purnima Vrat", 15, "Shukla"},
}};

// Months cost milliseconds each: two are worth a thread.
constexpr std::size_t VRAT_MONTHS_PER_THREAD = 2;

}  // namespace

Result<std::vector<VratOccurrence>> compute_vrat_dates(std::int32_t year, const Clock& clock,
                                                       const Place& place, Reuse reuse,
                                                       unsigned threads) {
  // One set of library settings for the whole call, whatever other threads do.
  const SettingsPin pin(Settings::current());
  const Result<std::vector<LunarMonth>> months = compute_lunar_months(year, false);
  if (!months.ok()) return months.failure();

  std::vector<std::vector<VratOccurrence>> found(months.value().size());
  if (auto error = run_units(found.size(), threads, VRAT_MONTHS_PER_THREAD, [&](std::size_t i) {
        const LunarMonth& m = months.value()[i];
        const std::string label = month_label(m.name, m.is_adhik);
        // The five vrats of a month scan the same days.
        Sky sky(place, reuse);
        for (const VratRow& row : VRAT_TABLE) {
          const std::optional<SunriseHit> hit = find_tithi_in_range(
              static_cast<std::int32_t>(row.tithi), m.start_jd, m.end_jd, clock, sky);
          if (!hit || hit->local.date.year != year) continue;
          found[i].push_back({row.name, std::string(row.name) + " (" + label + ")", m.name,
                              row.paksha, hit->sunrise_jd, hit->local.date});
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
