// The one gateway to the Swiss Ephemeris: its per-thread set-up, body
// positions, rising and setting, house cusps and the calendar conversions.
// A request the library refuses gives NaN and is remembered for the
// computation that made it; `checked` turns it into that computation's error.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "numeric.hpp"
#include "types.hpp"

namespace tithiloom {

// Body ids: the library's own numbers, plus Ketu, which the library never sees.
inline constexpr std::int32_t BODY_SUN = 0;
inline constexpr std::int32_t BODY_MOON = 1;
inline constexpr std::int32_t BODY_MEAN_NODE = 10;
inline constexpr std::int32_t BODY_KETU = -1;

// The span of the analytical theory, in Julian Days (about 3000 BC to AD 3000).
inline constexpr double MIN_JD_UT = 625000.5;
inline constexpr double MAX_JD_UT = 2818000.5;

bool is_valid_planet(std::int32_t body);

// Gives the calling thread the process's settings (Lahiri mode, data path)
// before its first request and again after they change: the library keeps
// them per thread. Inside a SettingsPin it keeps the pinned ones.
void ensure_initialized();

// The library settings one computation runs with, as captured when it starts.
class Settings {
 public:
  // The settings this thread is pinned to, or else the process's settings
  // now (fixed first if nothing has fixed them yet).
  static Settings current();
  // Changes whenever the process's settings do: results made under one
  // version may be kept for it.
  std::uint64_t version() const { return version_; }

 private:
  friend class SettingsPin;
  std::string data_path_;
  std::uint64_t version_ = 0;
};

// Holds the calling thread to `settings` for the pin's lifetime: they are
// applied now, and close() or init() on other threads meanwhile change
// nothing for it. Pins nest; the outermost decides. The outermost
// LibraryFailureScope of a thread pins the process's current settings, so a
// computation keeps one set of settings from its start to its end, and the
// workers of a computation pin the settings captured by its caller.
class SettingsPin {
 public:
  explicit SettingsPin(Settings settings);
  ~SettingsPin();
  SettingsPin(const SettingsPin&) = delete;
  SettingsPin& operator=(const SettingsPin&) = delete;

 private:
  Settings settings_;
  const Settings* outer_;
};
// A request, made from another thread (the binding's, on Ctrl-C), that a
// computation stop early. Its result is dropped: from then on each library
// request of the computation fails as if the library had refused it, so its
// loops end as they end on any failure.
class Cancellation {
 public:
  void request() { requested_.store(true, std::memory_order_relaxed); }
  bool requested() const { return requested_.load(std::memory_order_relaxed); }

 private:
  std::atomic<bool> requested_{false};
};

// Makes `token` (null: none) the calling thread's for the scope's lifetime;
// the pool's workers take their caller's.
class CancellationScope {
 public:
  explicit CancellationScope(const Cancellation* token);
  ~CancellationScope();
  CancellationScope(const CancellationScope&) = delete;
  CancellationScope& operator=(const CancellationScope&) = delete;

 private:
  const Cancellation* outer_;
};
const Cancellation* current_cancellation();

// Whether the computation on this thread has been cancelled; once it has,
// it counts as failed. For loops whose steps may make no library request
// (answers from a memo): they poll this every few hundred steps.
bool cancellation_pending();
inline constexpr std::size_t CANCELLATION_POLL_STEPS = 256;

// Explicit set-up; a data path is taken only by the first initialisation
// after load or after close(), and then applies to every thread. Without one
// the library is pointed at a place that cannot hold data files, so that no
// file in the current directory can change or break a result.
void init(std::optional<std::string_view> ephe_path);
void close();

// Sidereal from tropical: the ayanamsa is subtracted here, never by the library.
inline double to_sidereal(double tropical_deg, double ayanamsa_deg) {
  return norm360(tropical_deg - ayanamsa_deg);
}

double tropical_longitude(double jd_ut, std::int32_t body);
double sidereal_longitude(double jd_ut, std::int32_t body);
double ayanamsa(double jd_ut);
double speed(double jd_ut, std::int32_t body);
// The tropical longitude (exactly tropical_longitude's) with the speed the
// same request returns, in degrees per day: for fits that use both.
struct Motion {
  double longitude_deg;
  double speed_deg_per_day;
};
Motion tropical_motion(double jd_ut, std::int32_t body);
// The tropical longitude (normalised) without the library's speed
// computation, which halves its cost: within about 1e-13 degrees of
// tropical_longitude but not equal to it, so for estimates only. A refused
// request gives NaN and, unlike any other, is not the computation's failure.
double tropical_longitude_estimate(double jd_ut, std::int32_t body);

// Rising definition: centre of the disc, no refraction, geocentric position
// without ecliptic latitude.
inline constexpr std::int32_t HINDU_RISING = 896;
// As printed almanacs time it: the upper limb on the horizon, with the
// refraction of a standard atmosphere (1013.25 hPa, 15 °C).
inline constexpr std::int32_t ALMANAC_RISING = 128;

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

// First rising of the Moon's upper limb after jd_ut, refracted by a
// standard atmosphere, with the Moon's latitude; NaN when the Moon does not
// rise there or the library fails.
double moonrise_after(double jd_ut, const Place& place);

// First rising or setting of the Moon after jd_ut, by the rising convention
// the place's Sun is timed by (refracted unless it says otherwise). Under the
// limb conventions the Moon keeps its latitude, which moves its rising by up
// to about twenty minutes, so that this rising is moonrise_after's; only the
// Hindu rising, defined without it, leaves it out. NaN when there is none or
// the library fails.
double moon_event_after(double jd_ut, const Place& place, SunEvent event);

// The Moon's apparent geocentric place on the equator, for fits: right
// ascension and declination in degrees with their speeds in degrees per
// day, and its distance in AU; NaN fields if the library refuses.
struct EquatorialMotion {
  double ra_deg;
  double dec_deg;
  double distance_au;
  double ra_speed_deg_per_day;
  double dec_speed_deg_per_day;
};
EquatorialMotion moon_equatorial_motion(double jd_ut);

// Where the place's Moon rises as the library's quick rising search finds it
// (within 50 degrees of the equator, by a rising convention that keeps the
// Moon's latitude and times its upper limb on the refracted horizon), that
// search's events are the zeros of this: the true altitude of the Moon's
// topocentric place plus its apparent radius and the refraction at the
// horizon, in degrees, as the search weighs them; `moon_event_after` gives
// such an event to within a quarter of a second. Otherwise (or when the
// library refuses) NaN.
double moon_limb_altitude(double jd_ut, const Place& place);
bool moon_limb_altitude_applies(const Place& place);
// The refraction at the horizon that altitude allows, in degrees.
double horizon_refraction_deg();

// Apparent sidereal time at Greenwich, in degrees.
double sidereal_time_deg(double jd_ut);

// Whether the library answers every request about instants in [from_jd,
// to_jd] at the place: the instants lie inside its span and the place's
// height is one its rising search takes. A NaN bound answers false. Work
// whose result is dropped may be left out only where this holds, as a
// failure of it would have been the whole computation's.
bool requests_cannot_fail(double from_jd, double to_jd, const Place& place);

// The library's house arrays as it fills them: cusps[1..12] (slot 0 unused),
// angles[0] the ascendant, angles[1] the Midheaven.
struct SiderealHouses {
  double cusps[13];
  double angles[10];
};

// Sidereal (Lahiri) cusps and angles for a house-system letter. The library's
// status is not examined: whatever the arrays hold (possibly NaN) is returned.
SiderealHouses sidereal_houses(double jd_ut, double lat_deg, double lng_deg, char house_letter);

// --- calendar conversions (Gregorian, proleptic) ---

double julday(const CivilDate& date, double hour);

struct LibraryDate {
  CivilDate date;
  double hour;  // UT hour as a fraction, in [0, 24)
};
// NaN reads as JD 0; times beyond the calendar's int years are clamped.
LibraryDate revjul(double jd);

#ifdef TITHILOOM_COUNT_REQUESTS
// Position, ayanamsa and rising requests made to the library so far
// (benchmark builds only).
std::uint64_t library_request_count();
#endif

// --- library failures ---

// The first failure the library reported on this thread since the
// outermost open scope began; nested scopes share it.
class LibraryFailureScope {
 public:
  LibraryFailureScope();
  // A scope whose failure is its own even inside another: the enclosing
  // scopes' record is set aside until it closes, so that a unit of work
  // reports the same failure on whichever thread it runs. Its failure
  // reaches the enclosing computation only as the error it returns.
  struct Isolated {};
  explicit LibraryFailureScope(Isolated);
  ~LibraryFailureScope();
  LibraryFailureScope(const LibraryFailureScope&) = delete;
  LibraryFailureScope& operator=(const LibraryFailureScope&) = delete;

  // "ephemeris: " and the library's message, once a request has failed.
  std::optional<Error> failure() const;

 private:
  struct Record {
    int open_scopes;
    bool failed;
    std::string message;
  };
  std::optional<Record> set_aside_;  // the enclosing scopes' record, if isolated
  std::optional<SettingsPin> pin_;
};

// Whether a request of the computation running on this thread (inside an
// open scope) has failed: long loops stop early, as their result is dropped.
bool library_failure_pending();

namespace checked_detail {
template <class T>
struct as_result {
  using type = Result<T>;
};
template <class T>
struct as_result<Result<T>> {
  using type = Result<T>;
};
}  // namespace checked_detail

// Runs a computation and returns its value, or the library's failure if any
// request of it failed (whatever was computed from the NaN is dropped). A
// computation that returns a Result keeps its own error otherwise.
template <class F>
auto checked(F&& compute) ->
    typename checked_detail::as_result<std::invoke_result_t<F&>>::type {
  LibraryFailureScope scope;
  auto value = compute();
  if (auto failure = scope.failure()) return std::move(*failure);
  return value;
}

}  // namespace tithiloom
