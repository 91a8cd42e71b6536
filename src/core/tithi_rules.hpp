// The lunar-day rules of festival resolution: a tithi's udaya day, the
// first sunrise of its month that carries it, and the day that a
// definition's rule makes of it: at sunrise with its priority (paraviddha,
// puurvaviddha, or vyapti on a kaala, with its tie-break, Bhadra and
// nakshatra options) or at moonrise.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "festival.hpp"
#include "lunar_month.hpp"
#include "resolution.hpp"

namespace tithiloom {

// The lunar-day rule's udaya day, handed to the priority step.
struct Udaya {
  std::uint32_t tithi;
  double sunrise_jd;
  CivilDate date;
  std::string reasoning;
  std::string_view month_name;
  bool is_adhik;
  double margin_days = NaN;  // from the tithi's start to the sunrise, when measured
};

// The udaya day in the month of the definition's number (its adhika twin
// as asked); failing a sunrise of that month carrying the tithi, the one
// nearest the ingress that anchors the month.
std::optional<Udaya> udaya_day(const FestivalDef& def, Resolution& r);

// The first sunrise of `month` that carries the tithi, with the nakshatra
// the definition asks for when the tithi holds two; none when no sunrise of
// the month carries it.
std::optional<Udaya> udaya_in(const FestivalDef& def, const LunarMonth& month,
                              std::string_view month_name, Resolution& r);

// The day that the definition's rule makes of its udaya day.
std::optional<Observed> observe_tithi(const FestivalDef& def, std::optional<Udaya> u,
                                      Resolution& r);

}  // namespace tithiloom
