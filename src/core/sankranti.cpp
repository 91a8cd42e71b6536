#include "sankranti.hpp"

#include <limits>
#include <string_view>

#include "ephemeris.hpp"
#include "names.hpp"
#include "panchang.hpp"
#include "search.hpp"

namespace tithiloom {
namespace {

struct SankrantiRow {
  std::string_view name;
  std::uint32_t start_month;
  std::uint32_t start_day;
};

// Each search starts about two weeks before the ingress it looks for.
constexpr std::array<SankrantiRow, SANKRANTI_COUNT> SANKRANTI_TABLE = {{
    {"Makar Sankranti", 1, 1},
    {"Kumbha Sankranti", 1, 30},
    {"Meena Sankranti", 2, 28},
    {"Mesha Sankranti", 3, 31},
    {"Vrishabha Sankranti", 4, 30},
    {"Mithuna Sankranti", 6, 1},
    {"Karka Sankranti", 7, 2},
    {"Simha Sankranti", 8, 3},
    {"Kanya Sankranti", 9, 3},
    {"Tula Sankranti", 10, 3},
    {"Vrischika Sankranti", 11, 2},
    {"Dhanu Sankranti", 12, 2},
}};

// The sidereal year outlasts the Gregorian year, so an ingress comes this
// many days later in the calendar each year (a day in about 72 years).
constexpr double SIDEREAL_YEAR_DAYS = 365.256363;
constexpr double GREGORIAN_YEAR_DAYS = 365.2425;
constexpr double DRIFT_DAYS_PER_YEAR = SIDEREAL_YEAR_DAYS - GREGORIAN_YEAR_DAYS;
// The era the table was drawn for, and how far into its window the ingress
// fell then.
constexpr double TABLE_EPOCH_YEAR = 2000.0;
constexpr double TABLE_LEAD_DAYS = 14.0;
// The true Sun runs up to a few days ahead of or behind the mean one; the
// window is still far shorter than a year, so it holds one ingress only.
constexpr double PREDICTED_HALF_WIDTH_DAYS = 20.0;

}  // namespace

std::array<SearchWindow, 2> sankranti_windows(std::uint32_t index, std::int32_t year) {
  if (index >= SANKRANTI_COUNT) {
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    return {{{NaN, SANKRANTI_SPAN_DAYS}, {NaN, 2 * PREDICTED_HALF_WIDTH_DAYS}}};
  }
  const SankrantiRow& row = SANKRANTI_TABLE[index];
  const double table_start = julday({year, row.start_month, row.start_day}, 0.0);
  const double drift = (year - TABLE_EPOCH_YEAR) * DRIFT_DAYS_PER_YEAR;
  const double predicted = table_start + TABLE_LEAD_DAYS + drift;
  return {{{table_start, SANKRANTI_SPAN_DAYS},
           {predicted - PREDICTED_HALF_WIDTH_DAYS, 2 * PREDICTED_HALF_WIDTH_DAYS}}};
}

std::optional<Sankranti> find_sankranti(std::uint32_t index, std::int32_t year) {
  if (index >= SANKRANTI_COUNT) return std::nullopt;
  ensure_initialized();
  const std::uint32_t rashi = sankranti_rashi(index);
  const double target = rashi * 30.0;
  for (const SearchWindow& w : sankranti_windows(index, year)) {
    const auto jd = find_crossing_forward_step(sun_sidereal_longitude, w.start_jd, target,
                                               w.span_days, SANKRANTI_STEP_DAYS);
    if (jd) return Sankranti{SANKRANTI_TABLE[index].name, rashi_name(rashi), target, *jd, index};
  }
  return std::nullopt;
}

Result<std::vector<Sankranti>> compute_sankrantis(std::int32_t year) {
  return checked([&] {
    std::vector<Sankranti> out;
    out.reserve(SANKRANTI_COUNT);
    for (std::uint32_t i = 0; i < SANKRANTI_COUNT; ++i) {
      if (auto s = find_sankranti(i, year)) out.push_back(*s);
    }
    return out;
  });
}

}  // namespace tithiloom
