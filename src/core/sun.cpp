#include "sun.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "numeric.hpp"

namespace tithiloom {

SunData compute_sun_data(std::int32_t year, std::uint32_t month, std::uint32_t day,
                         std::int32_t utc_offset_s, const Place& place) {
  ensure_initialized();
  const double midnight = local_midnight_jd(year, month, day, utc_offset_s);
  const double noon = midnight + 0.5;
  const double sunrise = sunrise_after(midnight, place);
  const double sunset = sunset_after(noon, place);
  const double hours = round_half_away((sunset - sunrise) * 24 * 10000) / 10000;
  return {sunrise, sunset, hours};
}

namespace {

// Shortest text that reads back to the same double, never in exponent form.
std::string shortest_positional(double x) {
  char buf[400];  // the widest finite double in fixed form needs 310 characters
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
  return ec == std::errc{} ? std::string(buf, end) : std::string("?");
}

}  // namespace

std::string polar_day_message(double lat_deg, std::int32_t year, std::uint32_t month,
                              std::uint32_t day) {
  char date[40];
  std::snprintf(date, sizeof date, "%ld-%02lu-%02lu", static_cast<long>(year),
                static_cast<unsigned long>(month), static_cast<unsigned long>(day));
  return "the sun does not rise or set at lat=" + shortest_positional(lat_deg) + " on " + date +
         " (polar day/night) \u2014 panchanga is undefined for this date/location";
}

Result<SunData> require_sunrise_and_sunset(const SunData& sun, double lat_deg, std::int32_t year,
                                           std::uint32_t month, std::uint32_t day) {
  if (!std::isfinite(sun.sunrise_jd) || !std::isfinite(sun.sunset_jd))
    return Error{polar_day_message(lat_deg, year, month, day)};
  return sun;
}

}  // namespace tithiloom
