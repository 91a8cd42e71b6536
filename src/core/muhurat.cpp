#include "muhurat.hpp"

#include <array>
#include <string_view>

namespace tithiloom {
namespace {

constexpr std::uint32_t WEEK = 7;

// Which eighth of the daytime (0 from sunrise) each window occupies, by weekday.
constexpr std::array<std::uint32_t, WEEK> RAHU_KALAM_PART{7, 1, 6, 4, 5, 3, 2};
constexpr std::array<std::uint32_t, WEEK> YAMA_GANDAM_PART{4, 3, 5, 6, 7, 1, 0};
constexpr std::array<std::uint32_t, WEEK> GULIKA_KALAM_PART{6, 5, 4, 3, 2, 1, 0};

// Abhijit is the middle one of fifteen equal parts of the daytime.
constexpr double ABHIJIT_PART = 7.0;

struct ChoghadiyaName {
  std::string_view name;
  bool is_auspicious;
};

constexpr std::array<ChoghadiyaName, WEEK> CHOGHADIYA_CYCLE{{
    {"Udveg", false},
    {"Char", true},
    {"Labh", true},
    {"Amrit", true},
    {"Kaal", false},
    {"Shubh", true},
    {"Rog", false},
}};

// Position in the cycle of the first day and first night period, by weekday.
constexpr std::array<std::uint32_t, WEEK> CHOGHADIYA_DAY_START{0, 3, 6, 2, 5, 1, 4};
constexpr std::array<std::uint32_t, WEEK> CHOGHADIYA_NIGHT_START{5, 1, 4, 6, 0, 3, 2};

constexpr int PERIODS_PER_HALF = 8;

// One eighth of a span of hours, in days (multiply first, then divide).
double eighth_in_days(double hours) { return hours * 0.125 / 24.0; }

TimeWindow day_part(std::string_view name, std::uint32_t part, double sunrise_jd, double eighth) {
  // Both ends from sunrise, so the end carries no rounding of start + eighth.
  return {std::string(name), sunrise_jd + part * eighth, sunrise_jd + (part + 1) * eighth, false};
}

void append_periods(std::vector<TimeWindow>& out, std::uint32_t first, double anchor_jd,
                    double period) {
  for (int i = 0; i < PERIODS_PER_HALF; ++i) {
    const ChoghadiyaName& n = CHOGHADIYA_CYCLE[(first + static_cast<std::uint32_t>(i)) % WEEK];
    out.push_back(
        {std::string(n.name), anchor_jd + i * period, anchor_jd + (i + 1) * period, n.is_auspicious});
  }
}

}  // namespace

DayWindows compute_muhurat(std::uint32_t weekday, double sunrise_jd, double day_duration_hours) {
  const std::uint32_t w = weekday % WEEK;
  const double eighth = eighth_in_days(day_duration_hours);
  const double fifteenth = day_duration_hours / 15.0 / 24.0;
  const double abhijit_start = sunrise_jd + ABHIJIT_PART * fifteenth;
  return {
      day_part("Rahu Kalam", RAHU_KALAM_PART[w], sunrise_jd, eighth),
      day_part("Yama Gandam", YAMA_GANDAM_PART[w], sunrise_jd, eighth),
      day_part("Gulika Kalam", GULIKA_KALAM_PART[w], sunrise_jd, eighth),
      {"Abhijit Muhurat", abhijit_start, abhijit_start + fifteenth, true},
  };
}

std::vector<TimeWindow> choghadiya(std::uint32_t weekday, double sunrise_jd, double sunset_jd,
                                   double day_duration_hours) {
  const std::uint32_t w = weekday % WEEK;
  std::vector<TimeWindow> out;
  out.reserve(2 * PERIODS_PER_HALF);
  append_periods(out, CHOGHADIYA_DAY_START[w], sunrise_jd, eighth_in_days(day_duration_hours));
  // The night is whatever the day leaves of 24 hours; no next sunrise is needed.
  append_periods(out, CHOGHADIYA_NIGHT_START[w], sunset_jd,
                 eighth_in_days(24.0 - day_duration_hours));
  return out;
}

}  // namespace tithiloom
