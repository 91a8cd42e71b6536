// The sunrise scanner: what the library says about one place (sunrises,
// sunsets, the Moon and the Sun), remembered for one computation if asked;
// the tithi at an instant and within a window; and the day-by-day search
// for the first sunrise of a range that carries a tithi, which leaves out
// the days whose sunrise cannot carry it. Festivals, Ekadashis, vrats and
// shraddhas scan their days here.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <unordered_map>

#include "calendar.hpp"
#include "ephemeris.hpp"
#include "observance.hpp"

namespace tithiloom {

// Whether one call remembers library answers (each civil day's sunrise and
// sunset, Sun and Moon positions by exact instant) across its definitions,
// stops a window's tithi searches once the answer is known, and leaves out
// the sunrises of days whose tithi cannot matter. Both give identical
// values; `literal` asks the library every time, searches and scans as the
// rule is stated, and exists to show exactly that.
enum class Reuse : std::uint8_t { memo, literal };

// --- library answers, optionally remembered for the whole call ---

class Sky {
 public:
  Sky(const Place& place, Reuse reuse) : place_(place), remember_(reuse == Reuse::memo) {}

  double sunrise_after(double jd);
  double sunset_after(double jd);
  // The remembered values form the angles by the same formulas as the
  // public angle functions.
  double tithi_angle(double jd);
  double moon_sidereal(double jd);
  std::uint32_t tithi_at(double jd);
  std::uint32_t nakshatra_at(double jd);
  // The Moon's and the Sun's tropical longitudes (normalised) at jd.
  struct Bodies {
    double moon;
    double sun;
  };
  Bodies bodies(double jd);
  const Place& place() const { return place_; }

  // Whether a day-by-day sunrise scan over [start_jd, end_jd] may pass over
  // days whose sunrise cannot carry the tithis it looks for. Only when
  // remembering (the literal sky asks about every day), where the Sun rises
  // every day, and where no request left out or added could fail: a failure
  // would be the whole computation's.
  bool may_pass_over_days(double start_jd, double end_jd) const;

 private:
  friend class SunriseRun;

  // Where days may be passed over: the latest the first sunrise after a day
  // start (a midnight, or any instant) can come; how many days from the
  // start on (its own included) certainly have a first sunrise carrying
  // neither tithi a nor b (1-30); and whether the first sunrise after the
  // start may carry a or b.
  static double latest_sunrise(double start_jd);
  std::int64_t days_carrying_neither(double start_jd, std::int64_t a, std::int64_t b);
  bool sunrise_may_carry(double start_jd, std::int64_t a, std::int64_t b);

  static constexpr std::uint8_t MOON = 1, SUN = 2, AYANAMSA = 4, SUNRISE = 8, SUNSET = 16;

  struct Entry {
    double moon = 0.0;  // tropical, normalised
    double sun = 0.0;   // tropical, normalised
    double ayanamsa = 0.0;
    double sunrise = 0.0;  // first sunrise after the key instant
    double sunset = 0.0;   // first sunset after the key instant
    std::uint8_t have = 0;
  };

  void fill(Entry& e, double jd, std::uint8_t need);
  const Entry& at(double jd, std::uint8_t need);

  Place place_;
  bool remember_;
  std::unordered_map<std::uint64_t, Entry> memo_;
  Entry scratch_;
};

// The first sunrises after a run of day starts, each about a day after the
// one before (the midnights of consecutive civil days, or probes a day
// apart), for a scan that looks for sunrises carrying tithi a or b (1-30).
// With `pass_over` (see Sky::may_pass_over_days), a day whose sunrise
// certainly carries neither is given NaN without its sunrise being asked
// for; a few angles rule out most days.
class SunriseRun {
 public:
  SunriseRun(std::int64_t a, std::int64_t b, Sky& sky, bool pass_over)
      : a_(a), b_(b), sky_(sky), pass_over_(pass_over) {}

  // The first sunrise after `start_jd`, the run's next day start; NaN when
  // the Sun does not rise or the day is passed over. A day whose sunrise
  // may come after `pass_until_jd` is never passed over.
  double sunrise_after(double start_jd,
                       double pass_until_jd = std::numeric_limits<double>::infinity());
  // Whether the last day asked for was passed over: its sunrise carries
  // neither tithi (a NaN otherwise means the Sun did not rise).
  bool passed_over() const { return passed_over_; }

 private:
  std::int64_t a_, b_;
  Sky& sky_;
  bool pass_over_;
  bool passed_over_ = false;
  std::int64_t neither_ = 0;  // days from the next one on whose sunrise carries neither tithi
};

// How a window's tithi test searches the beginning and the end. The answer
// is a conjunction of pure tests on the two, so it is the same in any order;
// `quickest` starts with the one that the tithi at the window's middle says
// can rule the window out (the beginning when the tithi is yet to come, the
// end when it is over) and stops as soon as it does.
enum class SearchOrder : bool { as_stated, quickest };

// Whether any part of the tithi's span falls inside [start_jd, end_jd], on
// the sky's angles.
bool tithi_in_window(std::uint32_t tithi, double start_jd, double end_jd, Sky& sky,
                     SearchOrder order);

// How long, in days, the tithi's span overlaps [start_jd, end_jd]; 0 when
// it does not or its bounds are not found within two days.
double tithi_overlap_days(std::uint32_t tithi, double start_jd, double end_jd, Sky& sky,
                          SearchOrder order = SearchOrder::as_stated);

// The start and end of the tithi that holds at jd, or begins within half a
// day of it, by a few secant steps on the angle: to well within a second
// where the Moon moves as usual, and never used to decide a day, only to
// tell how close a decision came. NaN where the steps do not settle.
struct TithiSpan {
  double start_jd;
  double end_jd;
};
TithiSpan estimated_tithi_span(std::uint32_t tithi, double jd, Sky& sky);
// The part of that span outside Bhadra (Vishti karana): the whole span, or
// the half of it that is not Vishti.
TithiSpan estimated_span_free_of_bhadra(std::uint32_t tithi, double jd, Sky& sky);

// The tithi's half that is Bhadra (Vishti karana); NaN where neither is.
TithiSpan estimated_bhadra_span(std::uint32_t tithi, double jd, Sky& sky);

// Whether a part of the tithi's span outside Bhadra (Vishti karana) falls
// inside [start_jd, end_jd].
bool tithi_free_of_bhadra_in_window(std::uint32_t tithi, double start_jd, double end_jd,
                                    Sky& sky, SearchOrder order = SearchOrder::as_stated);

// The end of the tithi that holds at jd; NaN when not found within two days.
double tithi_end_after(double jd, Sky& sky);

// find_tithi_at_sunrise_in_range on a sky.
std::optional<SunriseHit> find_tithi_in_range(std::int32_t tithi, double start_jd,
                                              double end_jd, const Clock& clock, Sky& sky);

// --- probes ---

// Tithi number (1-30) at an instant; a NaN instant gives 1, as the angle
// NaN does everywhere in the module.
std::uint32_t tithi_at_jd(double jd_ut);

// Whether any part of the tithi's span falls inside [start_jd, end_jd].
// A NaN bound answers false.
bool tithi_present_in_window(std::uint32_t tithi, double start_jd, double end_jd);

// The first civil day in the range whose sunrise carries the tithi; when no
// sunrise does (a skipped tithi), the day during which it begins and ends:
// the last of the first run of days whose sunrise carries the preceding one
// (a day without sunrise neither extends nor ends the run). Days without sunrise are passed over. Non-finite bounds,
// or a range of more than a million days, give none. `memo` also leaves out
// the sunrises of days that the elongation shows cannot matter.
std::optional<SunriseHit> find_tithi_at_sunrise_in_range(std::int32_t tithi, double start_jd,
                                                         double end_jd, const Clock& clock,
                                                         const Place& place,
                                                         Reuse reuse = Reuse::literal);

}  // namespace tithiloom
