// The solar rules of festival resolution: the day a sankranti is kept (its
// civil date, or the next by its tradition's rule), the sunrise nearest an
// ingress that carries a nakshatra, and a nakshatra in a solar month. Each
// gives none for a definition it cannot resolve.
#pragma once

#include <optional>

#include "festival.hpp"
#include "resolution.hpp"

namespace tithiloom {

std::optional<Observed> sankranti_rule(const FestivalDef& def, Resolution& r);
std::optional<Observed> nakshatra_rule(const FestivalDef& def, Resolution& r);
std::optional<Observed> solar_month_star_rule(const FestivalDef& def, Resolution& r);

}  // namespace tithiloom
