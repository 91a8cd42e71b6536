// Sankrantis: the instants at which the sidereal Sun enters each rashi.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "types.hpp"

namespace tithiloom {

struct Sankranti {
  std::string_view name;
  std::string_view rashi_name;
  double target_longitude;
  double jd;
  std::uint32_t index;  // position in the table, 0 = Makar Sankranti
};

inline constexpr std::size_t SANKRANTI_COUNT = 12;
// Each window is searched day by day.
inline constexpr double SANKRANTI_SPAN_DAYS = 45.0;
inline constexpr double SANKRANTI_STEP_DAYS = 1.0;

// The table runs from Makara (rashi 9) through Dhanu (rashi 8).
constexpr std::uint32_t sankranti_rashi(std::uint32_t index) { return (index % 12 + 9) % 12; }

struct SearchWindow {
  double start_jd;
  double span_days;
};

// Where the ingress of table entry `index` in `year` is looked for, in order:
// from the table's start date (about two weeks before the ingress in the
// present era), then around the date that the Sun's mean sidereal motion
// predicts, for eras in which the ingress has drifted out of the first
// window. Both hold NaN starts for an index outside the table.
std::array<SearchWindow, 2> sankranti_windows(std::uint32_t index, std::int32_t year);

// The ingress of table entry `index` in `year`; none if neither window holds
// it (only when the library fails).
std::optional<Sankranti> find_sankranti(std::uint32_t index, std::int32_t year);

// The year's twelve ingresses in table order, or the library's failure.
Result<std::vector<Sankranti>> compute_sankrantis(std::int32_t year);

}  // namespace tithiloom
