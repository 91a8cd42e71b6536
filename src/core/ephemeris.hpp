// The one gateway to the Swiss Ephemeris: its per-thread set-up, body
// positions, rising and setting, and civil-time conversions.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tithiloom {

// Body ids: the library's own numbers, plus Ketu, which the library never sees.
inline constexpr std::int32_t BODY_SUN = 0;
inline constexpr std::int32_t BODY_MOON = 1;
inline constexpr std::int32_t BODY_MEAN_NODE = 10;
inline constexpr std::int32_t BODY_KETU = -1;

bool is_valid_planet(std::int32_t body);

// Sets the Lahiri mode once per process and once on every calling thread
// (the library keeps its settings per thread).
void ensure_initialized();
// Explicit set-up; a data path is handed over only by the first
// initialisation after load or after close().
void init(std::optional<std::string_view> ephe_path);
void close();

double tropical_longitude(double jd_ut, std::int32_t body);
double sidereal_longitude(std::int32_t body, double jd_ut);
double ayanamsa(double jd_ut);
double speed(double jd_ut, std::int32_t body);

// Rising definition: centre of the disc, no refraction, geocentric position
// without ecliptic latitude.
inline constexpr std::int32_t HINDU_RISING = 896;

struct Place {
  double lat_deg;
  double lng_deg;
  double alt_m;
  std::int32_t rising_flags = HINDU_RISING;
};

enum class SunEvent : std::int32_t { rise = 1, set = 2 };

// First rising or setting of the Sun after jd_ut; NaN when there is none
// or the library fails.
double sun_event_after(double jd_ut, const Place& place, SunEvent event);

// The library's house arrays as it fills them: cusps[1..12] (slot 0 unused),
// angles[0] the ascendant, angles[1] the Midheaven.
struct SiderealHouses {
  double cusps[13];
  double angles[10];
};

// Sidereal (Lahiri) cusps and angles for a house-system letter. The library's
// status is not examined: whatever the arrays hold (possibly NaN) is returned.
SiderealHouses sidereal_houses(double jd_ut, double lat_deg, double lng_deg, char house_letter);

#ifdef TITHILOOM_COUNT_REQUESTS
// Position, ayanamsa and rising requests made to the library so far
// (benchmark builds only).
std::uint64_t library_request_count();
#endif

// --- civil time (Gregorian, proleptic) ---

struct CivilDate {
  std::int32_t year;
  std::uint32_t month;
  std::uint32_t day;
};

struct CivilDateTime {
  CivilDate date;
  std::uint32_t hour;
  std::uint32_t minute;
  std::uint32_t second;
  std::uint32_t microsecond;
};

double julday(std::int32_t year, std::uint32_t month, std::uint32_t day, double hour);
CivilDateTime jd_to_datetime(double jd_ut);

double local_midnight_jd(std::int32_t year, std::uint32_t month, std::uint32_t day,
                         std::int32_t utc_offset_s);
inline double local_noon_jd(std::int32_t year, std::uint32_t month, std::uint32_t day,
                            std::int32_t utc_offset_s) {
  return local_midnight_jd(year, month, day, utc_offset_s) + 0.5;
}
CivilDateTime jd_to_local_datetime(double jd_ut, std::int32_t utc_offset_s);
// Local civil date of the instant, moved by whole days (-1 the day before,
// +1 after): the calendar's date part, whatever the hour rounds to.
CivilDate local_date(double jd_ut, std::int32_t utc_offset_s, double day_shift = 0.0);

}  // namespace tithiloom
