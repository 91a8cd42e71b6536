// The sunrise scanner: the sky's memo, the window test of a tithi, and the
// range scan that passes over days the elongation rules out.
#include "sunrise_scan.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <type_traits>

#include "chebyshev.hpp"
#include "numeric.hpp"
#include "panchang.hpp"
#include "search.hpp"
#include "sun.hpp"

namespace tithiloom {
namespace {

// How far the tithi's start and end are searched from a window's start.
constexpr double WINDOW_SEARCH_DAYS = 2.0;
constexpr double WINDOW_SEARCH_STEP_DAYS = 1.0 / 24.0;
// Ranges of sunrises longer than this are refused, as the crossing search
// refuses windows of more samples.
constexpr double MAX_RANGE_DAYS = SEARCH_MAX_STEPS;

// The tithi angle at a NaN instant is NaN, whose element index is 0.
constexpr std::uint32_t TITHI_OF_NAN = 1;

// Between the polar circles (with room for the obliquity of any era) the Sun
// rises every day, so the first sunrise after any instant comes within a day
// and a few minutes of it: within a day and this much, with room to spare.
constexpr double DAILY_SUNRISE_MAX_LAT_DEG = 60.0;
constexpr double SUNRISE_SLACK_DAYS = 0.05;
// The elongation only grows, by less than this in a day (the Moon moves at
// most about 15.4 degrees a day, the Sun at least 0.95 the same way); its
// computed value may run back by rounding alone, far less than the noise.
constexpr double MAX_ELONGATION_DEG_PER_DAY = 16.0;
constexpr double ELONGATION_NOISE_DEG = 1e-6;

// A year of days plus the window searches of many definitions fits well
// below this; past it the memo stops growing and answers afresh.
constexpr std::size_t MAX_MEMO_ENTRIES = 1 << 16;

}  // namespace

// --- the sky ---

double Sky::sunrise_after(double jd) {
  if (!remember_) return tithiloom::sunrise_after(jd, place_);
  return at(jd, SUNRISE).sunrise;
}

double Sky::sunset_after(double jd) {
  if (!remember_) return tithiloom::sunset_after(jd, place_);
  return at(jd, SUNSET).sunset;
}

double Sky::tithi_angle(double jd) {
  if (!remember_) return tithiloom::tithi_angle(jd);
  const Entry& e = at(jd, MOON | SUN);
  return elongation_deg(e.moon, e.sun);
}

double Sky::moon_sidereal(double jd) {
  if (!remember_) return moon_sidereal_longitude(jd);
  const Entry& e = at(jd, MOON | AYANAMSA);
  return to_sidereal(e.moon, e.ayanamsa);
}

std::uint32_t Sky::tithi_at(double jd) {
  if (!std::isfinite(jd)) return TITHI_OF_NAN;
  return element_index(tithi_angle(jd), TITHI_SPAN_DEG) + 1;
}

Sky::Bodies Sky::bodies(double jd) {
  if (!remember_) return {tropical_longitude(jd, BODY_MOON), tropical_longitude(jd, BODY_SUN)};
  const Entry& e = at(jd, MOON | SUN);
  return {e.moon, e.sun};
}

std::uint32_t Sky::nakshatra_at(double jd) {
  return element_index(moon_sidereal(jd), NAKSHATRA_SPAN_DEG) + 1;
}

bool Sky::may_pass_over_days(double start_jd, double end_jd) const {
  return remember_ && std::fabs(place_.lat_deg) <= DAILY_SUNRISE_MAX_LAT_DEG &&
         requests_cannot_fail(start_jd - 2.0, end_jd + 2.0, place_);
}

double Sky::latest_sunrise(double start_jd) { return start_jd + (1.0 + SUNRISE_SLACK_DAYS); }

// The elongation grows by at most MAX_ELONGATION_DEG_PER_DAY a day, and day
// j's first sunrise comes at most 1 + j days and the slack after the start.
std::int64_t Sky::days_carrying_neither(double start_jd, std::int64_t a, std::int64_t b) {
  const double at = tithi_angle(start_jd);
  if (!std::isfinite(at)) return 0;
  std::int64_t days = std::numeric_limits<std::int64_t>::max();
  for (const std::int64_t t : {a, b}) {
    if (t < 1 || t > 30) return 0;
    // How far the elongation is short of the tithi's span.
    const double short_of = norm360(static_cast<double>(t - 1) * TITHI_SPAN_DEG - at);
    // In the span, or just past it: no day can be passed over.
    if (short_of + TITHI_SPAN_DEG >= 360.0 - ELONGATION_NOISE_DEG) return 0;
    std::int64_t n = 0;
    while ((static_cast<double>(n) + 1.0 + SUNRISE_SLACK_DAYS) * MAX_ELONGATION_DEG_PER_DAY +
               ELONGATION_NOISE_DEG <
           short_of)
      ++n;
    days = std::min(days, n);
  }
  return days;
}

// The elongation at the sunrise lies between its values at the start and a
// day later, plus what the slack adds. On a fixed clock the next midnight's
// angle serves the next day.
bool Sky::sunrise_may_carry(double start_jd, std::int64_t a, std::int64_t b) {
  const double lo = tithi_angle(start_jd);
  const double hi = tithi_angle(start_jd + 1.0);
  if (!std::isfinite(lo) || !std::isfinite(hi)) return true;
  const double from = lo - ELONGATION_NOISE_DEG;
  const double width = norm360(hi - lo) + MAX_ELONGATION_DEG_PER_DAY * SUNRISE_SLACK_DAYS +
                       2.0 * ELONGATION_NOISE_DEG;
  for (const std::int64_t t : {a, b}) {
    if (t < 1 || t > 30) return true;
    // The tithi's span begins within the reach, or the reach within the span.
    const double to_span = norm360(static_cast<double>(t - 1) * TITHI_SPAN_DEG - from);
    if (to_span <= width || to_span + TITHI_SPAN_DEG >= 360.0) return true;
  }
  return false;
}

void Sky::fill(Entry& e, double jd, std::uint8_t need) {
  const std::uint8_t missing = need & static_cast<std::uint8_t>(~e.have);
  if (missing & MOON) e.moon = tropical_longitude(jd, BODY_MOON);
  if (missing & SUN) e.sun = tropical_longitude(jd, BODY_SUN);
  if (missing & AYANAMSA) e.ayanamsa = ayanamsa(jd);
  if (missing & SUNRISE) e.sunrise = tithiloom::sunrise_after(jd, place_);
  if (missing & SUNSET) e.sunset = tithiloom::sunset_after(jd, place_);
  e.have |= missing;
}

const Sky::Entry& Sky::at(double jd, std::uint8_t need) {
  const auto key = std::bit_cast<std::uint64_t>(jd);
  auto it = memo_.find(key);
  if (it == memo_.end()) {
    if (memo_.size() >= MAX_MEMO_ENTRIES) {
      scratch_ = Entry{};
      fill(scratch_, jd, need);
      return scratch_;
    }
    it = memo_.emplace(key, Entry{}).first;
  }
  fill(it->second, jd, need);
  return it->second;
}

// --- runs of sunrises ---

double SunriseRun::sunrise_after(double start_jd, double pass_until_jd) {
  passed_over_ = false;
  if (pass_over_ && Sky::latest_sunrise(start_jd) <= pass_until_jd) {
    if (neither_ == 0) neither_ = sky_.days_carrying_neither(start_jd, a_, b_);
    passed_over_ = neither_ > 0 || !sky_.sunrise_may_carry(start_jd, a_, b_);
  }
  if (neither_ > 0) --neither_;
  return passed_over_ ? NaN : sky_.sunrise_after(start_jd);
}

// --- the tithi within a window ---

namespace {

// Estimates of the tithi angle over the days around an instant: the Moon's
// and the Sun's longitudes fitted from cheaper library samples as the daily
// panchang's guide fits them (to within about 1e-7 degrees), the exact
// values at the centre given.
class TithiFit {
 public:
  TithiFit(double centre_jd, const Sky::Bodies& at_centre)
      : moon_(fit<DayGuide::MOON_DEGREE>(centre_jd, at_centre.moon, BODY_MOON)),
        sun_(fit<DayGuide::SUN_DEGREE>(centre_jd, at_centre.sun, BODY_SUN)) {}
  double operator()(double jd) const { return moon_(jd) - sun_(jd); }

 private:
  template <std::size_t Degree>
  static Chebyshev<Degree> fit(double centre_jd, double at_centre, std::int32_t body) {
    std::array<double, Degree + 1> values{};
    for (std::size_t k = 0; k <= Degree; ++k) {
      values[k] = 2 * k == Degree
                      ? at_centre
                      : tropical_longitude_estimate(
                            Chebyshev<Degree>::node(centre_jd, DayGuide::HALF_WIDTH_DAYS, k),
                            body);
    }
    return Chebyshev<Degree>(centre_jd, DayGuide::HALF_WIDTH_DAYS, values, true);
  }

  Chebyshev<DayGuide::MOON_DEGREE> moon_;
  Chebyshev<DayGuide::SUN_DEGREE> sun_;
};

// The searches of a window test, as stated: each asks the angle every hour
// of its reach.
template <class Angle>
struct LiteralSearches {
  Angle& angle;
  std::optional<double> backward(double from_jd, double target_deg) const {
    return find_crossing_backward(angle, from_jd, target_deg, WINDOW_SEARCH_DAYS);
  }
  std::optional<double> forward(double from_jd, double target_deg) const {
    return find_crossing_forward_step(angle, from_jd, target_deg, WINDOW_SEARCH_DAYS,
                                      WINDOW_SEARCH_STEP_DAYS);
  }
};

// The same searches, finding the same instants with far fewer library calls:
// a search whose reach the angle's values at its two ends show it cannot
// bracket the target (the elongation only grows, and by far less than a
// circle in the reach) finds nothing without stepping, and the others are
// guided by a fit of the angle.
template <class Angle, class Fit>
struct GuidedSearches {
  Angle& angle;
  const Guide<Fit>& guide;

  // Beyond the last sample of a reach: what bounds the angle there bounds
  // it at every sample.
  static constexpr double PAST_REACH_DAYS = WINDOW_SEARCH_DAYS + 2.0 * WINDOW_SEARCH_STEP_DAYS;

  // Whether the target lies beyond what the angle grows through from
  // `early` to `late`: then no step between them brackets it, as
  // crossing_bracketed tests a step (rounding may run the angle back by at
  // most the noise).
  static bool out_of_reach(double early_deg, double late_deg, double target_deg) {
    const double grown = norm360(late_deg - early_deg);
    const double to_target = norm360(norm360(target_deg) - norm360(early_deg));
    return grown + ELONGATION_NOISE_DEG < to_target;
  }

  std::optional<double> backward(double from_jd, double target_deg) const {
    if (out_of_reach(angle(from_jd - PAST_REACH_DAYS), angle(from_jd), target_deg))
      return std::nullopt;
    return find_crossing_backward(angle, guide, from_jd, target_deg, WINDOW_SEARCH_DAYS);
  }
  std::optional<double> forward(double from_jd, double target_deg) const {
    if (out_of_reach(angle(from_jd), angle(from_jd + PAST_REACH_DAYS), target_deg))
      return std::nullopt;
    return find_crossing_forward_step(angle, guide, from_jd, target_deg, WINDOW_SEARCH_DAYS,
                                      WINDOW_SEARCH_STEP_DAYS);
  }
};

// The tithi's beginning: the last crossing of its lower bound within two days
// before the window, else the first within two days after its start.
template <class Searches>
std::optional<double> tithi_begin_by(const Searches& search, double lo_deg, double start_jd) {
  if (auto b = search.backward(start_jd, lo_deg)) return b;
  return search.forward(start_jd, lo_deg);
}

// Whether the tithi's span reaches into [start_jd, end_jd], given the tithi
// at the window's middle (0 where the middle is not finite), which is not it.
template <class Searches>
bool tithi_reaches_window(const Searches& search, std::uint32_t tithi, std::uint32_t at_mid,
                          double start_jd, double end_jd, SearchOrder order) {
  const double lo = (static_cast<double>(tithi) - 1.0) * TITHI_SPAN_DEG;
  const double hi = static_cast<double>(tithi) * TITHI_SPAN_DEG;
  std::optional<double> begin, end;
  // Tithis from the middle's on to the wanted one: 1 to 14 means it is yet to come.
  const std::uint32_t ahead = (tithi + 30 - at_mid % 30) % 30;
  if (order == SearchOrder::as_stated) {
    begin = tithi_begin_by(search, lo, start_jd);
    end = search.forward(start_jd, hi);
  } else if (ahead >= 1 && ahead <= 14) {
    begin = tithi_begin_by(search, lo, start_jd);
    if (!begin || !(*begin < end_jd)) return false;
    end = search.forward(start_jd, hi);
  } else {
    end = search.forward(start_jd, hi);
    if (!end || !(*end > start_jd)) return false;
    begin = tithi_begin_by(search, lo, start_jd);
  }
  return begin && end && *end > *begin && *end > start_jd && *begin < end_jd;
}

template <class Angle>
bool tithi_in_window_of(Angle&& angle, std::uint32_t tithi, double start_jd, double end_jd,
                        SearchOrder order) {
  const double mid = (start_jd + end_jd) * 0.5;
  std::uint32_t at_mid = 0;
  if (std::isfinite(mid)) {
    at_mid = element_index(angle(mid), TITHI_SPAN_DEG) + 1;
    if (at_mid == tithi) return true;
  }
  return tithi_reaches_window(LiteralSearches<std::remove_reference_t<Angle>>{angle}, tithi,
                              at_mid, start_jd, end_jd, order);
}

}  // namespace

bool tithi_in_window(std::uint32_t tithi, double start_jd, double end_jd, Sky& sky,
                     SearchOrder order) {
  const auto angle = [&sky](double jd) { return sky.tithi_angle(jd); };
  const double mid = (start_jd + end_jd) * 0.5;
  // The quickest test of a window up to a day long, well inside the
  // ephemeris (no request it makes can be refused), searches guided by a
  // fit around the middle, whose positions it asks for anyway.
  constexpr double FIT_REACH_DAYS = 3.0;
  if (order == SearchOrder::as_stated || !(end_jd - start_jd <= 1.0) ||
      !(mid - FIT_REACH_DAYS >= MIN_JD_UT && mid + FIT_REACH_DAYS <= MAX_JD_UT))
    return tithi_in_window_of(angle, tithi, start_jd, end_jd, order);
  const std::uint32_t at_mid = element_index(angle(mid), TITHI_SPAN_DEG) + 1;
  if (at_mid == tithi) return true;
  const TithiFit fit(mid, sky.bodies(mid));
  const Guide guide{fit, DayGuide::MARGIN_DEG};
  const GuidedSearches<decltype(angle), TithiFit> search{angle, guide};
  return tithi_reaches_window(search, tithi, at_mid, start_jd, end_jd, order);
}

namespace {

// Runs `test` on the searches of a window's tithi: as stated, or, for the
// quickest order on a window of up to a day well inside the ephemeris (no
// request can be refused), guided by a fit around the window's middle.
template <class Test>
auto with_window_searches(double start_jd, double end_jd, Sky& sky, SearchOrder order,
                          Test&& test) {
  const auto angle = [&sky](double jd) { return sky.tithi_angle(jd); };
  const double mid = (start_jd + end_jd) * 0.5;
  // The searches start at most two days from the window and reach two more.
  constexpr double REACH_DAYS = 5.0;
  if (order == SearchOrder::as_stated || !(end_jd - start_jd <= 1.0) ||
      !(mid - REACH_DAYS >= MIN_JD_UT && mid + REACH_DAYS <= MAX_JD_UT))
    return test(LiteralSearches<const decltype(angle)>{angle});
  const TithiFit fit(mid, sky.bodies(mid));
  const Guide guide{fit, DayGuide::MARGIN_DEG};
  return test(GuidedSearches<const decltype(angle), TithiFit>{angle, guide});
}

}  // namespace

double tithi_overlap_days(std::uint32_t tithi, double start_jd, double end_jd, Sky& sky,
                          SearchOrder order) {
  return with_window_searches(start_jd, end_jd, sky, order, [&](const auto& search) {
    const double lo = (static_cast<double>(tithi) - 1.0) * TITHI_SPAN_DEG;
    const double hi = static_cast<double>(tithi) * TITHI_SPAN_DEG;
    const std::optional<double> begin = tithi_begin_by(search, lo, start_jd);
    if (!begin) return 0.0;
    const std::optional<double> end = search.forward(*begin, hi);
    if (!end) return 0.0;
    return std::max(0.0, std::min(*end, end_jd) - std::max(*begin, start_jd));
  });
}

namespace {

// Where the tithi angle reaches target_deg nearest jd (within half a tithi
// of the angle there), by secant steps.
double estimated_crossing(double target_deg, double jd, Sky& sky) {
  constexpr double MEAN_ELONGATION_DEG_PER_DAY = 12.19;
  constexpr double SETTLED_DEG = 1e-6;  // about a tenth of a second of the Moon's motion
  const auto short_of = [&](double t) {
    return std::remainder(target_deg - sky.tithi_angle(t), 360.0);
  };
  double t0 = jd, d0 = short_of(t0);
  double t1 = t0 + d0 / MEAN_ELONGATION_DEG_PER_DAY;
  for (int step = 0; step < 8; ++step) {
    const double d1 = short_of(t1);
    if (std::fabs(d1) < SETTLED_DEG) return t1;
    const double rate = (d0 - d1) / (t1 - t0);
    if (!(rate > 0.0)) break;
    t0 = t1;
    d0 = d1;
    t1 += d1 / rate;
  }
  return NaN;
}

}  // namespace

TithiSpan estimated_tithi_span(std::uint32_t tithi, double jd, Sky& sky) {
  const double lo = (static_cast<double>(tithi) - 1.0) * TITHI_SPAN_DEG;
  return {estimated_crossing(lo, jd, sky), estimated_crossing(lo + TITHI_SPAN_DEG, jd, sky)};
}

TithiSpan estimated_span_free_of_bhadra(std::uint32_t tithi, double jd, Sky& sky) {
  constexpr std::uint32_t VISHTI = 7;  // karana number
  TithiSpan span = estimated_tithi_span(tithi, jd, sky);
  const double middle = (static_cast<double>(tithi) - 1.0) * TITHI_SPAN_DEG + KARANA_SPAN_DEG;
  const std::uint32_t first_half = 2 * (tithi - 1);
  if (karana_number(first_half) == VISHTI) span.start_jd = estimated_crossing(middle, jd, sky);
  if (karana_number(first_half + 1) == VISHTI) span.end_jd = estimated_crossing(middle, jd, sky);
  return span;
}

TithiSpan estimated_bhadra_span(std::uint32_t tithi, double jd, Sky& sky) {
  constexpr std::uint32_t VISHTI = 7;  // karana number
  const std::uint32_t first_half = 2 * (tithi - 1);
  const bool first = karana_number(first_half) == VISHTI;
  if (!first && karana_number(first_half + 1) != VISHTI) return {NaN, NaN};
  const TithiSpan span = estimated_tithi_span(tithi, jd, sky);
  const double middle = (static_cast<double>(tithi) - 1.0) * TITHI_SPAN_DEG + KARANA_SPAN_DEG;
  const double half = estimated_crossing(middle, jd, sky);
  return first ? TithiSpan{span.start_jd, half} : TithiSpan{half, span.end_jd};
}

bool tithi_free_of_bhadra_in_window(std::uint32_t tithi, double start_jd, double end_jd,
                                    Sky& sky, SearchOrder order) {
  constexpr std::uint32_t VISHTI = 7;  // karana number
  return with_window_searches(start_jd, end_jd, sky, order, [&](const auto& search) {
    const double lo = (static_cast<double>(tithi) - 1.0) * TITHI_SPAN_DEG;
    const std::optional<double> begin = tithi_begin_by(search, lo, start_jd);
    if (!begin) return false;
    double from = *begin;
    for (std::uint32_t half = 0; half < 2; ++half) {
      const double bound = lo + KARANA_SPAN_DEG * (half + 1.0);
      const std::optional<double> to = search.forward(from, bound);
      if (!to) return false;
      const bool bhadra = karana_number(2 * (tithi - 1) + half) == VISHTI;
      if (!bhadra && std::min(*to, end_jd) > std::max(from, start_jd)) return true;
      from = *to;
    }
    return false;
  });
}

double tithi_end_after(double jd, Sky& sky) {
  const auto angle = [&sky](double t) { return sky.tithi_angle(t); };
  const double hi = element_index(angle(jd), TITHI_SPAN_DEG) * TITHI_SPAN_DEG + TITHI_SPAN_DEG;
  const std::optional<double> end =
      find_crossing_forward_step(angle, jd, hi, WINDOW_SEARCH_DAYS, WINDOW_SEARCH_STEP_DAYS);
  return end ? *end : std::numeric_limits<double>::quiet_NaN();
}

// --- the first sunrise of a range carrying a tithi ---

std::optional<SunriseHit> find_tithi_in_range(std::int32_t tithi, double start_jd,
                                              double end_jd, const Clock& clock, Sky& sky) {
  if (!std::isfinite(start_jd) || !std::isfinite(end_jd)) return std::nullopt;
  const std::int64_t wanted = tithi;
  const std::int64_t preceding = wanted == 1 ? 30 : wanted - 1;
  const CivilDate first = local_date(start_jd, clock);
  double d = local_midnight_jd(first, clock);
  if (!(d <= end_jd) || !(end_jd - d <= MAX_RANGE_DAYS)) return std::nullopt;
  // A skipped tithi begins and ends during the last day of the first run of
  // sunrises carrying the one before it: when that one holds two sunrises,
  // the second.
  std::optional<SunriseHit> fallback;
  bool run_open = false;
  // A day whose sunrise can carry neither tithi changes nothing, and needs
  // no sunrise unless that could end the scan.
  SunriseRun sunrises(wanted, preceding, sky, sky.may_pass_over_days(start_jd, end_jd));
  for (;;) {
    const double s = sunrises.sunrise_after(d, end_jd);
    if (std::isfinite(s)) {
      if (s > end_jd) break;
      const std::int64_t t = sky.tithi_at(s);
      if (s >= start_jd && t == wanted) return sunrise_hit(first, s, clock);
      run_open = t == preceding && (run_open || !fallback);
      if (run_open) fallback = sunrise_hit(first, s, clock);
    } else if (sunrises.passed_over()) {
      run_open = false;
    }
    const double next = midnight_after(d, clock);
    if (!(next <= end_jd) || next == d) break;
    d = next;
  }
  return fallback;
}

// --- probes ---

std::uint32_t tithi_at_jd(double jd_ut) {
  ensure_initialized();
  if (!std::isfinite(jd_ut)) return TITHI_OF_NAN;
  return element_index(tithi_angle(jd_ut), TITHI_SPAN_DEG) + 1;
}

bool tithi_present_in_window(std::uint32_t tithi, double start_jd, double end_jd) {
  ensure_initialized();
  return tithi_in_window_of(tithi_angle, tithi, start_jd, end_jd, SearchOrder::as_stated);
}

std::optional<SunriseHit> find_tithi_at_sunrise_in_range(std::int32_t tithi, double start_jd,
                                                         double end_jd, const Clock& clock,
                                                         const Place& place, Reuse reuse) {
  ensure_initialized();
  Sky sky(place, reuse);
  return find_tithi_in_range(tithi, start_jd, end_jd, clock, sky);
}

}  // namespace tithiloom
