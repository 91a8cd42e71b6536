#include "ephemeris.hpp"

#include <swephexp.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <limits>
#include <string>

#include "numeric.hpp"

namespace tithiloom {
namespace {

// Process-wide: whether the library has been set up since load or close.
std::atomic<bool> INITIALIZED{false};
// The library keeps its sidereal mode per thread, so each thread sets its own.
thread_local bool lahiri_on_this_thread = false;

constexpr std::int32_t POSITION_FLAGS = SEFLG_MOSEPH | SEFLG_SPEED;

void set_lahiri() {
  swe_set_sid_mode(SE_SIDM_LAHIRI, 0.0, 0.0);
  lahiri_on_this_thread = true;
}

// Times the library mishandles never reach it: its mean-node routine reads
// out of bounds for NaN or enormous negative times, and its rising search
// overflows a text buffer for enormous ones. 1e12 days is far beyond any
// range the analytical theory covers; such requests give NaN.
constexpr double MAX_ABS_JD = 1e12;

bool library_can_take(double jd_ut) { return std::fabs(jd_ut) < MAX_ABS_JD; }

#ifdef TITHILOOM_COUNT_REQUESTS
std::uint64_t request_count = 0;
void count_request() { ++request_count; }
#else
void count_request() {}
#endif

std::array<double, 6> calc(double jd_ut, std::int32_t body) {
  std::array<double, 6> xx{};
  if (!library_can_take(jd_ut)) {
    xx.fill(std::numeric_limits<double>::quiet_NaN());
    return xx;
  }
  count_request();
  std::array<char, AS_MAXCH> err{};
  swe_calc_ut(jd_ut, body == BODY_KETU ? BODY_MEAN_NODE : body, POSITION_FLAGS, xx.data(),
              err.data());
  return xx;
}

// Tropical longitude before its final normalisation.
double raw_tropical(double jd_ut, std::int32_t body) {
  const double lon = calc(jd_ut, body)[0];
  return body == BODY_KETU ? norm360(lon) + 180.0 : lon;
}

}  // namespace

bool is_valid_planet(std::int32_t body) {
  return (body >= 0 && body <= 6) || body == BODY_MEAN_NODE || body == BODY_KETU;
}

void ensure_initialized() {
  if (!INITIALIZED.exchange(true) || !lahiri_on_this_thread) set_lahiri();
}

void init(std::optional<std::string_view> ephe_path) {
  if (INITIALIZED.exchange(true)) {
    if (!lahiri_on_this_thread) set_lahiri();
    return;
  }
  if (ephe_path && ephe_path->find('\0') == std::string_view::npos) {
    std::string path(*ephe_path);
    swe_set_ephe_path(path.c_str());
  }
  set_lahiri();
}

void close() {
  swe_close();
  lahiri_on_this_thread = false;
  INITIALIZED.store(false);
}

double tropical_longitude(double jd_ut, std::int32_t body) {
  ensure_initialized();
  return norm360(raw_tropical(jd_ut, body));
}

double sidereal_longitude(std::int32_t body, double jd_ut) {
  ensure_initialized();
  const double value = raw_tropical(jd_ut, body);
  ensure_initialized();
  const double t = norm360(value);
  return norm360(t - ayanamsa(jd_ut));
}

double ayanamsa(double jd_ut) {
  ensure_initialized();
  count_request();
  return swe_get_ayanamsa_ut(jd_ut);
}

double speed(double jd_ut, std::int32_t body) {
  ensure_initialized();
  return calc(jd_ut, body)[3];
}

double sun_event_after(double jd_ut, const Place& place, SunEvent event) {
  ensure_initialized();
  if (!library_can_take(jd_ut)) return std::numeric_limits<double>::quiet_NaN();
  std::array<double, 3> geopos{place.lng_deg, place.lat_deg, place.alt_m};
  std::array<double, 10> tret{};
  std::array<char, AS_MAXCH> err{};
  const std::int32_t rsmi = static_cast<std::int32_t>(event) | place.rising_flags;
  count_request();
  const std::int32_t rc = swe_rise_trans(jd_ut, SE_SUN, nullptr, SEFLG_MOSEPH, rsmi, geopos.data(),
                                         0.0, 0.0, tret.data(), err.data());
  return rc < 0 ? std::numeric_limits<double>::quiet_NaN() : tret[0];
}

SiderealHouses sidereal_houses(double jd_ut, double lat_deg, double lng_deg, char house_letter) {
  ensure_initialized();
  // The house routine reads the sidereal mode at call time; restate it so a
  // caller that changed it on the library directly cannot skew the cusps.
  set_lahiri();
  SiderealHouses h{};
  // Times the positions refuse are refused here too: the house routine
  // builds on the same time-dependent series and gives nothing usable there.
  if (!library_can_take(jd_ut)) {
    for (double& c : h.cusps) c = std::numeric_limits<double>::quiet_NaN();
    for (double& a : h.angles) a = std::numeric_limits<double>::quiet_NaN();
    return h;
  }
  swe_houses_ex(jd_ut, SEFLG_SIDEREAL, lat_deg, lng_deg, house_letter, h.cusps, h.angles);
  return h;
}

#ifdef TITHILOOM_COUNT_REQUESTS
std::uint64_t library_request_count() { return request_count; }
#endif

// --- civil time ---

double julday(std::int32_t year, std::uint32_t month, std::uint32_t day, double hour) {
  // The library takes plain ints; out-of-range components wrap as they would in C.
  return swe_julday(year, static_cast<int>(month), static_cast<int>(day), hour, SE_GREG_CAL);
}

namespace {

constexpr std::uint64_t US_PER_HOUR = 3600000000ULL;
constexpr std::uint64_t US_PER_MINUTE = 60000000ULL;
constexpr std::uint64_t US_PER_SECOND = 1000000ULL;

// Beyond about 7.8e11 days the calendar year no longer fits the library's
// int; such times are clamped to this bound, and NaN reads as JD 0.
constexpr double MAX_CIVIL_JD = 7.8e11;

struct RevJul {
  int year = 0, month = 0, day = 0;
  double hour = 0.0;
};

RevJul revjul(double jd) {
  const double safe = std::isnan(jd) ? 0.0 : std::clamp(jd, -MAX_CIVIL_JD, MAX_CIVIL_JD);
  RevJul r;
  swe_revjul(safe, SE_GREG_CAL, &r.year, &r.month, &r.day, &r.hour);
  return r;
}

CivilDate date_of(const RevJul& r) {
  return {r.year, static_cast<std::uint32_t>(r.month), static_cast<std::uint32_t>(r.day)};
}

CivilDateTime split_revjul(double jd) {
  RevJul r = revjul(jd);
  auto us = truncate_saturating<std::uint64_t>(round_half_away(r.hour * 3.6e9));
  if (us >= 24 * US_PER_HOUR) {
    // Within half a microsecond of midnight: report 00:00 of the day that
    // begins there, never an hour of 24. That day is read six hours on,
    // safely inside it, without stepping again.
    r = revjul(jd + 0.25);
    us = 0;
  }
  const std::uint64_t rem = us % US_PER_HOUR;
  const std::uint64_t r2 = rem % US_PER_MINUTE;
  return CivilDateTime{
      date_of(r),
      static_cast<std::uint32_t>(us / US_PER_HOUR),
      static_cast<std::uint32_t>(rem / US_PER_MINUTE),
      static_cast<std::uint32_t>(r2 / US_PER_SECOND),
      static_cast<std::uint32_t>(r2 % US_PER_SECOND),
  };
}

}  // namespace

CivilDateTime jd_to_datetime(double jd_ut) { return split_revjul(jd_ut); }

double local_midnight_jd(std::int32_t year, std::uint32_t month, std::uint32_t day,
                         std::int32_t utc_offset_s) {
  const double tz = utc_offset_s / -3600.0;
  const double jd0 = tz < 0.0 ? julday(year, month, day, 12.0) - 0.5 : julday(year, month, day, 0.0);
  return jd0 + tz / 24.0;
}

CivilDateTime jd_to_local_datetime(double jd_ut, std::int32_t utc_offset_s) {
  return split_revjul(jd_ut + utc_offset_s / 86400.0);
}

CivilDate local_date(double jd_ut, std::int32_t utc_offset_s, double day_shift) {
  return date_of(revjul(jd_ut + utc_offset_s / 86400.0 + day_shift));
}

}  // namespace tithiloom
