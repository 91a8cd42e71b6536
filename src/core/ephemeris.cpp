#include "ephemeris.hpp"

#include <swephexp.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <limits>
#include <mutex>
#include <string>

#include "numeric.hpp"

namespace tithiloom {
namespace {

// The atmosphere of a refracted rising.
constexpr double STANDARD_PRESSURE_HPA = 1013.25;
constexpr double STANDARD_TEMPERATURE_C = 15.0;

// --- process-wide settings, applied to each thread on its next request ---

// The path handed to the library without one from init(). Our copy of the
// library opens no file and ignores its environment variable (see
// third_party/swisseph), so no path, given or not, changes a result; this one
// could hold no file in any case.
constexpr const char* NO_DATA_PATH = "/dev/null";

std::mutex settings_mutex;
std::string data_path = NO_DATA_PATH;  // guarded by settings_mutex
// Whether the settings have been fixed since load or close.
std::atomic<bool> INITIALIZED{false};
// Bumped whenever the settings change, so that every thread re-applies them.
std::atomic<std::uint64_t> settings_version{1};
thread_local std::uint64_t applied_version = 0;
// The settings of this thread's outermost open SettingsPin, if any.
thread_local const Settings* pinned = nullptr;

void set_lahiri() { swe_set_sid_mode(SE_SIDM_LAHIRI, 0.0, 0.0); }

void fix_settings(std::optional<std::string_view> ephe_path) {
  const std::lock_guard lock(settings_mutex);
  if (INITIALIZED.load()) return;  // a later path is ignored until close()
  const bool usable = ephe_path && ephe_path->find('\0') == std::string_view::npos;
  data_path = usable ? std::string(*ephe_path) : NO_DATA_PATH;
  settings_version.fetch_add(1);
  INITIALIZED.store(true);
}

void apply_to_thread(const std::string& path, std::uint64_t version) {
  swe_set_ephe_path(path.c_str());
  set_lahiri();
  applied_version = version;
}

void apply_settings() {
  const std::lock_guard lock(settings_mutex);
  apply_to_thread(data_path, settings_version.load());
}

// --- failures ---

struct Failures {
  int open_scopes = 0;
  bool failed = false;
  std::string message;
};
thread_local Failures failures;

// Only the first failure is kept: later ones follow from it.
void record_failure(const char* library_message) {
  if (failures.failed) return;
  failures.failed = true;
  failures.message = library_message;
  while (!failures.message.empty() && std::isspace(static_cast<unsigned char>(failures.message.back())))
    failures.message.pop_back();
}

// Once a request of the open computation has failed its result is dropped,
// so the rest of it need not reach the library.
bool computation_failed() { return failures.open_scopes > 0 && failures.failed; }

// Times the library mishandles never reach it: its mean-node routine reads
// out of bounds for NaN or enormous negative times, and its rising search
// overflows a text buffer for enormous ones. 1e12 days is far beyond any
// range the analytical theory covers. NaN (the sunrise of a polar day) gives
// NaN; an enormous time fails as the library would fail it.
constexpr double MAX_ABS_JD = 1e12;

thread_local const Cancellation* cancellation = nullptr;

// A cancelled computation fails at its next request: its result is dropped.
bool cancelled() {
  if (cancellation == nullptr || !cancellation->requested()) return false;
  record_failure("computation interrupted");
  return true;
}

bool library_can_take(double jd_ut) {
  if (std::isnan(jd_ut) || computation_failed() || cancelled()) return false;
  if (std::fabs(jd_ut) < MAX_ABS_JD) return true;
  char text[80];
  std::snprintf(text, sizeof text, "jd %g outside the span the ephemeris covers", jd_ut);
  record_failure(text);
  return false;
}

#ifdef TITHILOOM_COUNT_REQUESTS
std::atomic<std::uint64_t> request_count{0};
void count_request() { request_count.fetch_add(1, std::memory_order_relaxed); }
#else
void count_request() {}
#endif

constexpr std::int32_t POSITION_FLAGS = SEFLG_MOSEPH | SEFLG_SPEED;

std::array<double, 6> calc(double jd_ut, std::int32_t body) {
  std::array<double, 6> xx{};
  if (!library_can_take(jd_ut)) {
    xx.fill(NaN);
    return xx;
  }
  count_request();
  std::array<char, AS_MAXCH> err{};
  if (swe_calc_ut(jd_ut, body == BODY_KETU ? BODY_MEAN_NODE : body, POSITION_FLAGS, xx.data(),
                  err.data()) < 0) {
    record_failure(err.data());
    xx.fill(NaN);
  }
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
  if (pinned != nullptr) return;
  if (!INITIALIZED.load()) fix_settings(std::nullopt);
  if (applied_version != settings_version.load()) apply_settings();
}

void init(std::optional<std::string_view> ephe_path) {
  fix_settings(ephe_path);
  ensure_initialized();
}

Settings Settings::current() {
  if (pinned != nullptr) return *pinned;
  if (!INITIALIZED.load()) fix_settings(std::nullopt);
  const std::lock_guard lock(settings_mutex);
  Settings s;
  s.data_path_ = data_path;
  s.version_ = settings_version.load();
  return s;
}

SettingsPin::SettingsPin(Settings settings) : settings_(std::move(settings)), outer_(pinned) {
  if (outer_ != nullptr) return;
  pinned = &settings_;
  if (applied_version != settings_.version_)
    apply_to_thread(settings_.data_path_, settings_.version_);
}

SettingsPin::~SettingsPin() {
  if (outer_ == nullptr) pinned = nullptr;
}

CancellationScope::CancellationScope(const Cancellation* token) : outer_(cancellation) {
  cancellation = token;
}

CancellationScope::~CancellationScope() { cancellation = outer_; }

const Cancellation* current_cancellation() { return cancellation; }

bool cancellation_pending() { return cancelled(); }

void close() {
  swe_close();
  applied_version = 0;  // the close reset this thread's library settings
  const std::lock_guard lock(settings_mutex);
  data_path = NO_DATA_PATH;
  INITIALIZED.store(false);
  settings_version.fetch_add(1);
}

double tropical_longitude(double jd_ut, std::int32_t body) {
  ensure_initialized();
  return norm360(raw_tropical(jd_ut, body));
}

double sidereal_longitude(double jd_ut, std::int32_t body) {
  ensure_initialized();
  const double value = raw_tropical(jd_ut, body);
  ensure_initialized();
  return to_sidereal(norm360(value), ayanamsa(jd_ut));
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

Motion tropical_motion(double jd_ut, std::int32_t body) {
  ensure_initialized();
  const std::array<double, 6> xx = calc(jd_ut, body);
  const double lon = body == BODY_KETU ? norm360(xx[0]) + 180.0 : xx[0];
  return {norm360(lon), xx[3]};
}

double tropical_longitude_estimate(double jd_ut, std::int32_t body) {
  ensure_initialized();
  if (std::isnan(jd_ut) || !(std::fabs(jd_ut) < MAX_ABS_JD) || computation_failed() ||
      cancelled())
    return NaN;
  count_request();
  std::array<double, 6> xx{};
  std::array<char, AS_MAXCH> err{};
  if (swe_calc_ut(jd_ut, body, SEFLG_MOSEPH, xx.data(), err.data()) < 0) return NaN;
  return norm360(xx[0]);
}

namespace {

// The library's first rising or setting of `body` after jd_ut (`rsmi`: the
// event and the rising flags), refracted by a standard atmosphere unless the
// flags say otherwise. NaN when there is none there (circumpolar, status -2)
// or the library refuses the request (remembered as the failure).
double rise_or_set_after(double jd_ut, std::int32_t body, std::int32_t rsmi, const Place& place) {
  ensure_initialized();
  if (!library_can_take(jd_ut)) return NaN;
  std::array<double, 3> geopos{place.lng_deg, place.lat_deg, place.alt_m};
  std::array<double, 10> tret{};
  std::array<char, AS_MAXCH> err{};
  const bool refracted = (rsmi & SE_BIT_NO_REFRACTION) == 0;
  const double pressure_hpa = refracted ? STANDARD_PRESSURE_HPA : 0.0;
  const double temperature_c = refracted ? STANDARD_TEMPERATURE_C : 0.0;
  count_request();
  const std::int32_t rc = swe_rise_trans(jd_ut, body, nullptr, SEFLG_MOSEPH, rsmi, geopos.data(),
                                         pressure_hpa, temperature_c, tret.data(), err.data());
  if (rc == -2) return NaN;
  if (rc < 0) {
    record_failure(err.data());
    return NaN;
  }
  return tret[0];
}

}  // namespace

double sun_event_after(double jd_ut, const Place& place, SunEvent event) {
  return rise_or_set_after(jd_ut, SE_SUN, static_cast<std::int32_t>(event) | place.rising_flags,
                           place);
}

double moonrise_after(double jd_ut, const Place& place) {
  return rise_or_set_after(jd_ut, SE_MOON, SE_CALC_RISE, place);
}

double moon_event_after(double jd_ut, const Place& place, SunEvent event) {
  std::int32_t flags = place.rising_flags;
  if ((flags & SE_BIT_DISC_CENTER) == 0) flags &= ~SE_BIT_GEOCTR_NO_ECL_LAT;
  return rise_or_set_after(jd_ut, SE_MOON, static_cast<std::int32_t>(event) | flags, place);
}

EquatorialMotion moon_equatorial_motion(double jd_ut) {
  ensure_initialized();
  if (!library_can_take(jd_ut)) return {NaN, NaN, NaN, NaN, NaN};
  count_request();
  std::array<double, 6> xx{};
  std::array<char, AS_MAXCH> err{};
  if (swe_calc_ut(jd_ut, SE_MOON, POSITION_FLAGS | SEFLG_EQUATORIAL, xx.data(), err.data()) < 0) {
    record_failure(err.data());
    return {NaN, NaN, NaN, NaN, NaN};
  }
  return {xx[0], xx[1], xx[2], xx[3], xx[4]};
}

bool moon_limb_altitude_applies(const Place& place) {
  // The library's quick search serves latitudes to 60 degrees, but it stops
  // after four steps, which towards that limit leave it seconds short of
  // the root; to 50 degrees, a seventh of a second at most. The flags
  // moon_event_after passes must leave the limb, the refraction and the
  // Moon's latitude in.
  constexpr double QUICK_SEARCH_MAX_LAT_DEG = 50.0;
  std::int32_t flags = place.rising_flags;
  if ((flags & SE_BIT_DISC_CENTER) == 0) flags &= ~SE_BIT_GEOCTR_NO_ECL_LAT;
  return flags == 0 && std::fabs(place.lat_deg) <= QUICK_SEARCH_MAX_LAT_DEG;
}

double moon_limb_altitude(double jd_ut, const Place& place) {
  ensure_initialized();
  if (!moon_limb_altitude_applies(place) || !library_can_take(jd_ut)) return NaN;
  std::array<double, 3> geopos{place.lng_deg, place.lat_deg, place.alt_m};
  swe_set_topo(geopos[0], geopos[1], geopos[2]);
  count_request();
  std::array<double, 6> xx{};
  std::array<char, AS_MAXCH> err{};
  if (swe_calc_ut(jd_ut, SE_MOON, SEFLG_MOSEPH | SEFLG_EQUATORIAL | SEFLG_TOPOCTR, xx.data(),
                  err.data()) < 0) {
    record_failure(err.data());
    return NaN;
  }
  // The Moon's diameter and the astronomical unit the library uses (m).
  constexpr double MOON_DIAMETER_M = 3475000.0;
  constexpr double AU_M = 1.49597870700e+11;
  const double radius_deg = std::asin(MOON_DIAMETER_M / 2.0 / AU_M / xx[2]) * RADTODEG;
  std::array<double, 3> horizontal{};
  swe_azalt(jd_ut, SE_EQU2HOR, geopos.data(), STANDARD_PRESSURE_HPA, STANDARD_TEMPERATURE_C,
            xx.data(), horizontal.data());
  return horizontal[1] + radius_deg + horizon_refraction_deg();
}

double horizon_refraction_deg() {
  // The lapse rate of the library's atmosphere (K/m).
  constexpr double LAPSE_RATE_K_PER_M = 0.0065;
  std::array<double, 20> refraction{};
  swe_refrac_extended(0.000001, 0, STANDARD_PRESSURE_HPA, STANDARD_TEMPERATURE_C,
                      LAPSE_RATE_K_PER_M, SE_APP_TO_TRUE, refraction.data());
  return refraction[1] - refraction[0];
}

double sidereal_time_deg(double jd_ut) {
  ensure_initialized();
  return swe_sidtime(jd_ut) * 15.0;
}

bool requests_cannot_fail(double from_jd, double to_jd, const Place& place) {
  // The heights, in metres, the rising search takes; it refuses any other.
  constexpr double MIN_RISING_ALT_M = -500.0;
  constexpr double MAX_RISING_ALT_M = 25000.0;
  return from_jd >= MIN_JD_UT && to_jd <= MAX_JD_UT && place.alt_m >= MIN_RISING_ALT_M &&
         place.alt_m <= MAX_RISING_ALT_M;
}

SiderealHouses sidereal_houses(double jd_ut, double lat_deg, double lng_deg, char house_letter) {
  ensure_initialized();
  SiderealHouses h{};
  // Times the positions refuse are refused here too: the house routine
  // builds on the same time-dependent series and gives nothing usable there.
  if (!library_can_take(jd_ut)) {
    for (double& c : h.cusps) c = NaN;
    for (double& a : h.angles) a = NaN;
    return h;
  }
  swe_houses_ex(jd_ut, SEFLG_SIDEREAL, lat_deg, lng_deg, house_letter, h.cusps, h.angles);
  return h;
}

#ifdef TITHILOOM_COUNT_REQUESTS
std::uint64_t library_request_count() { return request_count.load(); }
#endif

// --- calendar conversions ---

double julday(const CivilDate& date, double hour) {
  // The library takes plain ints; out-of-range components wrap as they would in C.
  return swe_julday(date.year, static_cast<int>(date.month), static_cast<int>(date.day), hour,
                    SE_GREG_CAL);
}

namespace {
// Beyond about 7.8e11 days the calendar year no longer fits the library's int.
constexpr double MAX_CIVIL_JD = 7.8e11;
}  // namespace

LibraryDate revjul(double jd) {
  const double safe = std::isnan(jd) ? 0.0 : std::clamp(jd, -MAX_CIVIL_JD, MAX_CIVIL_JD);
  int year = 0, month = 0, day = 0;
  double hour = 0.0;
  swe_revjul(safe, SE_GREG_CAL, &year, &month, &day, &hour);
  return {{year, static_cast<std::uint32_t>(month), static_cast<std::uint32_t>(day)}, hour};
}

// --- failures ---

bool library_failure_pending() { return computation_failed(); }

LibraryFailureScope::LibraryFailureScope() {
  if (failures.open_scopes++ == 0) {
    failures.failed = false;
    failures.message.clear();
    if (pinned == nullptr) pin_.emplace(Settings::current());
  }
}

LibraryFailureScope::LibraryFailureScope(Isolated) {
  if (pinned == nullptr) pin_.emplace(Settings::current());  // the one step that may throw
  set_aside_.emplace(Record{failures.open_scopes, failures.failed, std::move(failures.message)});
  failures.open_scopes = 1;
  failures.failed = false;
  failures.message.clear();
}

LibraryFailureScope::~LibraryFailureScope() {
  --failures.open_scopes;
  if (set_aside_) {
    failures.open_scopes = set_aside_->open_scopes;
    failures.failed = set_aside_->failed;
    failures.message = std::move(set_aside_->message);
  }
}

std::optional<Error> LibraryFailureScope::failure() const {
  if (!failures.failed) return std::nullopt;
  return Error{"ephemeris: " + failures.message};
}

}  // namespace tithiloom
