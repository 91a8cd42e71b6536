// Sankrantis: the instants at which the sidereal Sun enters each rashi.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tithiloom {

struct Sankranti {
  std::string_view name;
  std::string_view rashi_name;
  double target_longitude;
  double jd;
  std::uint32_t index;  // position in the table, 0 = Makar Sankranti
};

inline constexpr std::size_t SANKRANTI_COUNT = 12;
// Each ingress is searched day by day over this many days from its start date.
inline constexpr double SANKRANTI_SPAN_DAYS = 45.0;
inline constexpr double SANKRANTI_STEP_DAYS = 1.0;

// The table runs from Makara (rashi 9) through Dhanu (rashi 8).
constexpr std::uint32_t sankranti_rashi(std::uint32_t index) { return (index % 12 + 9) % 12; }

// 00:00 UT of the table's search-start date in `year` (NaN for an index
// outside the table).
double sankranti_search_start_jd(std::int32_t year, std::uint32_t index);

// The ingress of table entry `index` in `year`, if the 45-day search finds it.
std::optional<Sankranti> find_sankranti(std::int32_t year, std::uint32_t index);

// The year's ingresses in table order; entries whose search fails are left out.
std::vector<Sankranti> compute_sankrantis(std::int32_t year);

}  // namespace tithiloom
