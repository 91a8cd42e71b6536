// Lunar months (amant or purnimant) named by the sankranti they hold, and
// the integer year labels: era year and Jovian cycle index.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sankranti.hpp"
#include "types.hpp"

namespace tithiloom {

struct LunarMonth {
  std::string_view name;  // month name, or "Unknown" with number 0
  double start_jd;
  double end_jd;          // the next month's start_jd
  std::uint32_t number;   // 1 = Chaitra
  bool is_adhik;          // holds no sankranti
  bool is_kshaya;         // holds two or more
};

// A month's name as results write it: "Adhika Shravana" for an adhika month.
std::string month_label(std::string_view name, bool is_adhik);

// The months overlapping the Gregorian `year` (UT bounds), in order and
// contiguous; new moon to new moon, or full moon to full moon when
// `purnimant`; or the library's failure. A year's list, once made without a
// failure, is kept for the process's settings and given again without a request.
Result<std::vector<LunarMonth>> compute_lunar_months(std::int32_t year, bool purnimant);
// The same months, for a caller that already holds the year's ingresses (as
// compute_sankrantis(year) gives them): those are not searched again; the
// list is always made afresh.
Result<std::vector<LunarMonth>> compute_lunar_months(std::int32_t year, bool purnimant,
                                                     const std::vector<Sankranti>& year_sankrantis);
// The list compute_lunar_months(year, purnimant) has kept, if it has one.
std::optional<std::vector<LunarMonth>> kept_lunar_months(std::int32_t year, bool purnimant);

// Gregorian year + offset, less one before the era's new year; wraps at 32 bits.
std::int32_t era_year(std::int32_t gregorian_year, std::int32_t offset, bool new_year_passed);

// (gregorian_year - epoch_year) modulo 60, in 0..59; the difference wraps at 32 bits.
std::int32_t jovian_cycle_index(std::int32_t gregorian_year, std::int32_t epoch_year);

}  // namespace tithiloom
