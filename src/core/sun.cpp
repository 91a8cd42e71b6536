#include "sun.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "numeric.hpp"

namespace tithiloom {

SunData compute_sun_data(const CivilDate& date, const Clock& clock, const Place& place) {
  ensure_initialized();
  const double midnight = local_midnight_jd(date, clock);
  const double noon = local_noon_jd(date, clock);
  const double sunrise = sunrise_after(midnight, place);
  const double sunset = sunset_after(noon, place);
  const double hours = round_half_away((sunset - sunrise) * 24 * 10000) / 10000;
  return {sunrise, sunset, hours};
}

namespace {

// The shortest digits that read back to the same finite double, written
// without an exponent: 1e-07 is 0.0000001, 80.0 is 80.
std::string shortest_positional(double x) {
  char buf[32]{};  // zero-filled, so the text is NUL-terminated
  const auto end = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific).ptr;
  std::string_view sci(buf, static_cast<std::size_t>(end - buf));  // [-]d[.ddd]e(+|-)XX
  std::string out;
  if (sci.front() == '-') {
    out += '-';
    sci.remove_prefix(1);
  }
  const std::size_t e = sci.find('e');
  std::string digits;
  for (char c : sci.substr(0, e))
    if (c != '.') digits += c;
  const int exponent = std::atoi(sci.substr(e + 1).data());
  const long point = exponent + 1L;  // digits before the decimal point
  const auto n = static_cast<long>(digits.size());
  if (point <= 0) {
    out += "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
  } else if (point >= n) {
    out += digits + std::string(static_cast<std::size_t>(point - n), '0');
  } else {
    out += digits.substr(0, static_cast<std::size_t>(point)) + '.' +
           digits.substr(static_cast<std::size_t>(point));
  }
  return out;
}

std::string polar_day_message(double lat_deg, const CivilDate& date) {
  char text[40];
  std::snprintf(text, sizeof text, "%ld-%02lu-%02lu", static_cast<long>(date.year),
                static_cast<unsigned long>(date.month), static_cast<unsigned long>(date.day));
  return "the sun does not rise or set at lat=" + shortest_positional(lat_deg) + " on " + text +
         " (polar day/night) \u2014 panchanga is undefined for this date/location";
}

}  // namespace

Result<SunData> sun_data_of_day(const CivilDate& date, const Clock& clock,
                                const Place& place) {
  return checked([&]() -> Result<SunData> {
    const SunData sun = compute_sun_data(date, clock, place);
    if (!std::isfinite(sun.sunrise_jd) || !std::isfinite(sun.sunset_jd))
      return Error{polar_day_message(place.lat_deg, date), Error::Kind::no_sun_event};
    return sun;
  });
}

}  // namespace tithiloom
