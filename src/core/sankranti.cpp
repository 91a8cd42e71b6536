#include "sankranti.hpp"

#include <array>
#include <limits>
#include <string_view>

#include "ephemeris.hpp"
#include "panchang.hpp"
#include "search.hpp"
#include "types.hpp"

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

}  // namespace

double sankranti_search_start_jd(std::int32_t year, std::uint32_t index) {
  if (index >= SANKRANTI_COUNT) return std::numeric_limits<double>::quiet_NaN();
  const SankrantiRow& row = SANKRANTI_TABLE[index];
  return julday(year, row.start_month, row.start_day, 0.0);
}

std::optional<Sankranti> find_sankranti(std::int32_t year, std::uint32_t index) {
  if (index >= SANKRANTI_COUNT) return std::nullopt;
  ensure_initialized();
  const std::uint32_t rashi = sankranti_rashi(index);
  const double target = rashi * 30.0;
  const auto jd = find_crossing_forward_step(sun_sidereal_longitude, sankranti_search_start_jd(year, index),
                                             target, SANKRANTI_SPAN_DAYS, SANKRANTI_STEP_DAYS);
  if (!jd) return std::nullopt;
  return Sankranti{SANKRANTI_TABLE[index].name, rashi_name(rashi), target, *jd, index};
}

std::vector<Sankranti> compute_sankrantis(std::int32_t year) {
  ensure_initialized();
  std::vector<Sankranti> out;
  out.reserve(SANKRANTI_COUNT);
  for (std::uint32_t i = 0; i < SANKRANTI_COUNT; ++i) {
    if (auto s = find_sankranti(year, i)) out.push_back(*s);
  }
  return out;
}

}  // namespace tithiloom
