// Sunrise, sunset and day length: a civil day's sunrise is the first after
// its local midnight, its sunset the first after its local noon.
#pragma once

#include <cstdint>
#include <string>

#include "calendar.hpp"
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
SunData compute_sun_data(const CivilDate& date, const Clock& clock, const Place& place);

// The sun data of a civil day on which both events exist; otherwise the
// polar-day error (kind no_sun_event), or the library's failure.
Result<SunData> sun_data_of_day(const CivilDate& date, const Clock& clock,
                                const Place& place);

}  // namespace tithiloom
