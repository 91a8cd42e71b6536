// Sunrise, sunset and day length: a civil day's sunrise is the first after
// its local midnight, its sunset the first after its local noon.
#pragma once

#include <cstdint>
#include <string>

#include "ephemeris.hpp"
#include "types.hpp"

namespace tithiloom {

struct SunData {
  double sunrise_jd;
  double sunset_jd;
  double day_duration_hours;
};

inline double sunrise_after(double jd_ut, const Place& place) {
  return sun_event_after(jd_ut, place, SunEvent::rise);
}
inline double sunset_after(double jd_ut, const Place& place) {
  return sun_event_after(jd_ut, place, SunEvent::set);
}

// Never fails: a missing sunrise or sunset is NaN in its field.
SunData compute_sun_data(std::int32_t year, std::uint32_t month, std::uint32_t day,
                         std::int32_t utc_offset_s, const Place& place);

// The sun data of a day on which both events exist, or the polar-day error.
Result<SunData> require_sunrise_and_sunset(const SunData& sun, double lat_deg, std::int32_t year,
                                           std::uint32_t month, std::uint32_t day);

std::string polar_day_message(double lat_deg, std::int32_t year, std::uint32_t month,
                              std::uint32_t day);

}  // namespace tithiloom
