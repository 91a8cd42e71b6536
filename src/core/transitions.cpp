#include "transitions.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <limits>
#include <tuple>
#include <utility>

#include "ephemeris.hpp"
#include "hermite.hpp"
#include "kept.hpp"
#include "numeric.hpp"
#include "parallel.hpp"

namespace tithiloom {

namespace {

// A Hermite curve through four samples two days apart (values and speeds)
// follows the Moon to within about a fifth of a second of its motion
// (measured over years far apart), where one through the two samples around
// an instant was off by some 16 seconds; the Sun, slow and smooth, takes the
// two-sample curve, good to far below a millisecond, and the ayanamsa, nearly
// uniform, is taken linearly.
constexpr double SAMPLE_STEP_DAYS = 2.0;
// Sampled intervals in one unit of work.
constexpr std::size_t BLOCK_STEPS = 32;
// Every limb prevailing at a sunrise began and ends within this of it (none
// lasts 1.2 days), and a boundary value recurs only after some 25 days, so
// within it a boundary is known by the index it leads to.
constexpr double REACH_DAYS = 1.5;
// A boundary this close to a sunrise the day is read at is settled on the
// library's Moon, as the limb at that sunrise is: the two then agree on
// which side of the sunrise it lies. Ten times the fit's error.
constexpr double NEAR_SUNRISE_DAYS = 2.0 / 86400.0;
// After a Newton correction this small the error left is under a
// millisecond: the step's slope (the fit's) is good to about 1e-3 of itself.
constexpr double NEWTON_DONE_DAYS = 1e-5;
constexpr int NEWTON_MAX_STEPS = 8;
constexpr std::size_t REFINES_PER_THREAD = 64;

enum class Angle : std::uint8_t { elongation, moon_sidereal, yoga };

struct Family {
  Angle angle;
  double span_deg;
  std::uint32_t count;
};

// Tithi boundaries are the karana boundaries of even index, nakshatra
// boundaries the pada boundaries of index divisible by four.
enum FamilyId : std::size_t { KARANA, PADA, YOGA, MOON_RASHI, FAMILIES };
constexpr std::uint32_t PADAS = 108;
constexpr std::array<Family, FAMILIES> FAMILY = {{
    {Angle::elongation, KARANA_SPAN_DEG, 60},
    {Angle::moon_sidereal, PADA_SPAN_DEG, PADAS},
    {Angle::yoga, YOGA_SPAN_DEG, 27},
    {Angle::moon_sidereal, RASHI_SPAN_DEG, 12},
}};

// Tropical longitudes (normalised) with their speeds, and the ayanamsa.
struct Sample {
  double jd;
  Motion moon;
  Motion sun;
  double ayanamsa;
};

Sample sample_at(double jd) {
  return {jd, tropical_motion(jd, BODY_MOON), tropical_motion(jd, BODY_SUN), ayanamsa(jd)};
}

// Some 90 years of samples, about a megabyte.
KeptSteps<Sample> kept_samples(1 << 14);

// The sample at step k (at k whole steps from JD 0) under the settings of
// that version.
Sample sample_at_step(std::int64_t k, std::uint64_t settings) {
  return kept_samples.get(
      k, settings, [k] { return sample_at(static_cast<double>(k) * SAMPLE_STEP_DAYS); },
      [](const Sample& s) {
        return std::isfinite(s.moon.longitude_deg) && std::isfinite(s.moon.speed_deg_per_day) &&
               std::isfinite(s.sun.longitude_deg) && std::isfinite(s.sun.speed_deg_per_day) &&
               std::isfinite(s.ayanamsa) && !library_failure_pending();
      });
}

// The angle at an instant from the values there, formed as the daily
// panchang forms it.
double angle_of(Angle angle, double moon, double sun, double ayan) {
  switch (angle) {
    case Angle::elongation:
      return elongation_deg(moon, sun);
    case Angle::moon_sidereal:
      return to_sidereal(moon, ayan);
    case Angle::yoga:
      break;
  }
  return yoga_deg(to_sidereal(sun, ayan), to_sidereal(moon, ayan));
}

// How the angle moves with the Moon, the Sun and the ayanamsa.
struct Weights {
  double moon, sun, ayanamsa;
};
constexpr Weights weights_of(Angle angle) {
  switch (angle) {
    case Angle::elongation:
      return {1.0, -1.0, 0.0};
    case Angle::moon_sidereal:
      return {1.0, 0.0, -1.0};
    case Angle::yoga:
      break;
  }
  return {1.0, 1.0, -2.0};
}

// The travel of a body through samples: the two around the interval, and
// the ones either side of them when both are there.
template <class Get>
Hermite travel_through(const Sample* p, const Sample& a, const Sample& b, const Sample* n,
                      Get motion, bool four) {
  const double h = b.jd - a.jd;
  const Motion ma = motion(a), mb = motion(b);
  if (four && p != nullptr && n != nullptr) {
    const Motion mp = motion(*p), mn = motion(*n);
    if (std::isfinite(mp.longitude_deg) && std::isfinite(mn.longitude_deg) &&
        std::isfinite(mp.speed_deg_per_day) && std::isfinite(mn.speed_deg_per_day))
      return angle_travel(h, {mp.longitude_deg, ma.longitude_deg, mb.longitude_deg, mn.longitude_deg},
                          {mp.speed_deg_per_day, ma.speed_deg_per_day, mb.speed_deg_per_day,
                           mn.speed_deg_per_day});
  }
  return angle_travel(h, ma.longitude_deg, mb.longitude_deg, ma.speed_deg_per_day,
                      mb.speed_deg_per_day);
}

struct Crossing {
  double jd;         // the fit's estimate, then the settled instant if settled
  double estimate;   // the fit's estimate
  double slope;      // the angle's rate at the estimate, degrees per day
  // The angle less its Moon term (the Sun's and the ayanamsa's share) at the
  // estimate, and its rate: these move slowly enough for the fit to give
  // them to far below a millisecond of the Moon's motion.
  double rest_deg;
  double rest_rate;
  std::uint32_t index_after;
};

using Lists = std::array<std::vector<Crossing>, FAMILIES>;

// Where along [0, 1] the travel reaches `want` (which lies within the
// interval's `total`): Newton steps on travel(s), whose derivative in s is
// `per_unit`, kept inside a shrinking bracket.
template <class F, class D>
double solve_unit(F&& travel, D&& per_unit, double want, double total) {
  double lo = 0.0, hi = 1.0;
  double s = total > 0.0 ? std::clamp(want / total, 0.0, 1.0) : 0.5;
  for (int i = 0; i < 40; ++i) {
    const double f = travel(s) - want;
    if (f < 0.0) lo = s; else hi = s;
    const double d = per_unit(s);
    double next = d > 0.0 ? s - f / d : 0.5 * (lo + hi);
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    if (std::fabs(next - s) < 1e-13) return next;
    s = next;
  }
  return s;
}

// The crossings of every family between two successive samples a and b;
// p and n, the samples before a and after b, when the library gave them.
void crossings_between(const Sample* p, const Sample& a, const Sample& b, const Sample* n,
                       Lists& out) {
  const double h = b.jd - a.jd;
  const Hermite moon = travel_through(p, a, b, n, [](const Sample& x) { return x.moon; }, true);
  const Hermite sun = travel_through(p, a, b, n, [](const Sample& x) { return x.sun; }, false);
  const double ayan_travel = b.ayanamsa - a.ayanamsa;
  for (std::size_t f = 0; f < FAMILIES; ++f) {
    const Family& fam = FAMILY[f];
    const Weights w = weights_of(fam.angle);
    const double ga = angle_of(fam.angle, a.moon.longitude_deg, a.sun.longitude_deg, a.ayanamsa);
    const double gb = angle_of(fam.angle, b.moon.longitude_deg, b.sun.longitude_deg, b.ayanamsa);
    // Indices read from each sample's own value, so that the two intervals
    // meeting at a sample agree on which side of it a boundary falls.
    if (std::isnan(ga) || std::isnan(gb)) continue;
    const std::uint32_t ia = element_index(ga, fam.span_deg) % fam.count;
    const std::uint32_t ib = element_index(gb, fam.span_deg) % fam.count;
    const std::uint32_t n = (ib + fam.count - ia) % fam.count;
    const auto travel = [&](double s) {
      return w.moon * moon.at(s) + w.sun * sun.at(s) + w.ayanamsa * ayan_travel * s;
    };
    const auto rate = [&](double s) {
      return w.moon * moon.rate(s) + w.sun * sun.rate(s) + w.ayanamsa * ayan_travel / h;
    };
    const double total = travel(1.0);
    for (std::uint32_t k = 1; k <= n; ++k) {
      const std::uint32_t j = ia + k;
      const double want = j * fam.span_deg - ga;
      const double s =
          solve_unit(travel, [&](double u) { return rate(u) * h; }, want, total);
      const double rest = w.sun * (a.sun.longitude_deg + sun.at(s)) +
                          w.ayanamsa * (a.ayanamsa + ayan_travel * s);
      const double rest_rate = w.sun * sun.rate(s) + w.ayanamsa * ayan_travel / h;
      const double t = a.jd + s * h;
      out[f].push_back({t, t, rate(s), rest, rest_rate, j % fam.count});
    }
  }
}

// The fit's crossings over a span, by family in time order.
struct Estimates {
  Lists lists;
};

// The samples lie on whole multiples of the step and the blocks on whole
// multiples of BLOCK_STEPS steps, wherever the span begins: a boundary is
// estimated from the same samples and so placed at the same instant by
// every span that holds it (a day alone and the same day in a year agree).
Result<Estimates> estimate(double from_jd, double to_jd, unsigned threads) {
  const auto first = static_cast<std::int64_t>(std::floor(from_jd / SAMPLE_STEP_DAYS));
  const auto last = std::max(first + 1, static_cast<std::int64_t>(std::ceil(to_jd / SAMPLE_STEP_DAYS)));
  const std::int64_t block_steps = static_cast<std::int64_t>(BLOCK_STEPS);
  const auto block_of = [&](std::int64_t k) {
    return k >= 0 ? k / block_steps : -((-k + block_steps - 1) / block_steps);
  };
  const std::int64_t first_block = block_of(first);
  const auto blocks = static_cast<std::size_t>(block_of(last - 1) - first_block + 1);
  std::vector<Lists> parts(blocks);
  const auto error = run_units(blocks, threads, 4, [&](std::size_t b) {
    const std::int64_t block = first_block + static_cast<std::int64_t>(b);
    const std::int64_t lo = std::max(first, block * block_steps);
    const std::int64_t hi = std::min(last, (block + 1) * block_steps);
    // The samples lo .. hi, and one more either side where the library
    // reaches (only the curves of the end intervals need them).
    const std::uint64_t settings = Settings::current().version();
    const auto outer = [&](std::int64_t k) -> std::optional<Sample> {
      const double jd = static_cast<double>(k) * SAMPLE_STEP_DAYS;
      if (!(jd >= MIN_JD_UT && jd <= MAX_JD_UT)) return std::nullopt;
      return sample_at_step(k, settings);
    };
    const std::optional<Sample> before = outer(lo - 1);
    std::vector<Sample> samples;
    samples.reserve(static_cast<std::size_t>(hi - lo + 1));
    for (std::int64_t k = lo; k <= hi; ++k) {
      if (library_failure_pending()) break;
      samples.push_back(sample_at_step(k, settings));
    }
    const std::optional<Sample> after = outer(hi + 1);
    for (std::size_t i = 0; i + 1 < samples.size(); ++i) {
      const Sample* p = i > 0 ? &samples[i - 1] : before ? &*before : nullptr;
      const Sample* n = i + 2 < samples.size() ? &samples[i + 2] : after ? &*after : nullptr;
      crossings_between(p, samples[i], samples[i + 1], n, parts[b]);
    }
    return std::optional<Error>();
  });
  if (error) return *error;
  Estimates e;
  for (std::size_t f = 0; f < FAMILIES; ++f) {
    std::size_t total = 0;
    for (const Lists& part : parts) total += part[f].size();
    e.lists[f].reserve(total);
    for (Lists& part : parts) e.lists[f].insert(e.lists[f].end(), part[f].begin(), part[f].end());
  }
  return e;
}

// The Moon's tropical longitude from the library, without its speed, which
// halves the request's cost (the value differs from the full request's by
// about 1e-13 degrees, far below what a time can show). A refusal is
// recorded as the computation's failure by the full request.
double moon_longitude(double jd) {
  const double v = tropical_longitude_estimate(jd, BODY_MOON);
  return std::isnan(v) ? tropical_longitude(jd, BODY_MOON) : v;
}

// Newton steps on the library's Moon with the fit's slope, from the fit's
// estimate.
void refine(const Family& fam, Crossing& c) {
  const double target = c.index_after * fam.span_deg;
  double t = c.estimate;
  for (int i = 0; i < NEWTON_MAX_STEPS; ++i) {
    const double angle = moon_longitude(t) + c.rest_deg + c.rest_rate * (t - c.estimate);
    const double dt = -std::remainder(angle - target, 360.0) / c.slope;
    if (!std::isfinite(dt)) break;  // a refused request: the failure is recorded
    t += dt;
    if (std::fabs(dt) < NEWTON_DONE_DAYS) break;
  }
  c.jd = t;
}

struct Handle {
  std::size_t family;
  std::size_t at;
};

std::optional<Error> refine_all(Lists& lists, const std::vector<Handle>& which, unsigned threads) {
  return run_units(which.size(), threads, REFINES_PER_THREAD, [&](std::size_t i) {
    const Handle& h = which[i];
    refine(FAMILY[h.family], lists[h.family][h.at]);
    return std::optional<Error>();
  });
}

// The crossing of a family into index `k` within REACH_DAYS of jd.
std::optional<double> crossing_into(const std::vector<Crossing>& list, double jd,
                                    std::uint32_t k) {
  auto it = std::lower_bound(list.begin(), list.end(), jd - REACH_DAYS,
                             [](const Crossing& c, double t) { return c.jd < t; });
  for (; it != list.end() && it->jd <= jd + REACH_DAYS; ++it)
    if (it->index_after == k) return it->jd;
  return std::nullopt;
}

// The index a family's angle has at jd: that of its last crossing at or
// before jd, if one lies within REACH_DAYS.
std::optional<std::uint32_t> index_at(const std::vector<Crossing>& list, double jd) {
  auto it = std::upper_bound(list.begin(), list.end(), jd,
                             [](double t, const Crossing& c) { return t < c.jd; });
  if (it == list.begin() || std::prev(it)->jd < jd - REACH_DAYS) return std::nullopt;
  return std::prev(it)->index_after;
}

// When the limb of index `from` prevailing at a sunrise began, and when the
// next one (`to`) begins; a boundary missing within reach (never seen at a
// real date) reads as sunrise -/+ 1 day, as in the per-day search.
std::pair<double, double> span_at(const std::vector<Crossing>& list, double sunrise_jd,
                                  std::uint32_t from, std::uint32_t to) {
  return {crossing_into(list, sunrise_jd, from).value_or(sunrise_jd - 1.0),
          crossing_into(list, sunrise_jd, to).value_or(sunrise_jd + 1.0)};
}

// The half-tithi index of a day's karana: one of the two halves of its tithi.
std::uint32_t half_tithi_of(const Panchang& p) {
  const std::uint32_t first = 2 * (p.tithi.number - 1);
  return karana_number(first) == p.karana.number ? first : first + 1;
}

bool valid_span(double from_jd, double to_jd) {
  return std::isfinite(from_jd) && std::isfinite(to_jd) && from_jd <= to_jd &&
         to_jd - from_jd <= MAX_BOUNDARY_SPAN_DAYS;
}

// The boundaries of the lists in [from_jd, to_jd], by limb.
LimbBoundaries boundaries_in(const Lists& lists, double from_jd, double to_jd) {
  LimbBoundaries out;
  // Every `per`-th boundary of a family, numbered by its own limb's index.
  const auto keep = [&](std::size_t f, std::vector<LimbBoundary>& to, std::uint32_t per) {
    for (const Crossing& c : lists[f]) {
      if (c.jd < from_jd || c.jd > to_jd || c.index_after % per != 0) continue;
      to.push_back({c.jd, c.index_after / per});
    }
  };
  keep(KARANA, out.tithi, 2);
  keep(KARANA, out.karana, 1);
  keep(PADA, out.nakshatra, 4);
  keep(YOGA, out.yoga, 1);
  keep(MOON_RASHI, out.moon_rashi, 1);
  return out;
}

}  // namespace

Result<LimbBoundaries> find_limb_boundaries(double from_jd_ut, double to_jd_ut, unsigned threads) {
  if (!valid_span(from_jd_ut, to_jd_ut))
    return Error{"boundary span must be finite, in order and at most 36525 days"};
  const SettingsPin pin(Settings::current());
  Result<Estimates> e = estimate(from_jd_ut, to_jd_ut, threads);
  if (!e.ok()) return e.failure();
  return boundaries_in(e.value().lists, from_jd_ut, to_jd_ut);
}

ElongationFit::ElongationFit(double from_jd, double to_jd) {
  // The curves reach a sample beyond each end.
  constexpr double SAMPLES_REACH_DAYS = 2.0 * SAMPLE_STEP_DAYS;
  if (!(from_jd - SAMPLES_REACH_DAYS >= MIN_JD_UT && to_jd + SAMPLES_REACH_DAYS <= MAX_JD_UT &&
        to_jd >= from_jd && to_jd - from_jd <= MAX_BOUNDARY_SPAN_DAYS))
    return;
  first_ = static_cast<std::int64_t>(std::floor(from_jd / SAMPLE_STEP_DAYS));
  const auto last = static_cast<std::int64_t>(std::floor(to_jd / SAMPLE_STEP_DAYS));
  settings_ = Settings::current().version();
  intervals_.resize(static_cast<std::size_t>(last - first_ + 1));
}

double ElongationFit::operator()(double jd) const {
  if (!std::isfinite(jd)) return NaN;
  const auto k = static_cast<std::int64_t>(std::floor(jd / SAMPLE_STEP_DAYS));
  if (k < first_ || k - first_ >= static_cast<std::int64_t>(intervals_.size())) return NaN;
  std::optional<Interval>& c = intervals_[static_cast<std::size_t>(k - first_)];
  if (!c) {
    const Sample p = sample_at_step(k - 1, settings_), a = sample_at_step(k, settings_);
    const Sample b = sample_at_step(k + 1, settings_), n = sample_at_step(k + 2, settings_);
    c = Interval{a.moon.longitude_deg, a.sun.longitude_deg,
                 travel_through(&p, a, b, &n, [](const Sample& x) { return x.moon; }, true),
                 travel_through(&p, a, b, &n, [](const Sample& x) { return x.sun; }, false)};
  }
  const double s = (jd - static_cast<double>(k) * SAMPLE_STEP_DAYS) / SAMPLE_STEP_DAYS;
  return (c->moon0_deg + c->moon.at(s)) - (c->sun0_deg + c->sun.at(s));
}

std::optional<Error> time_limbs(const std::vector<Panchang*>& days, unsigned threads,
                                LimbBoundaries* ahead) {
  if (days.empty()) return std::nullopt;
  double lo = std::numeric_limits<double>::infinity();
  double hi = -lo;
  for (const Panchang* p : days) {
    lo = std::min(lo, p->sun.sunrise_jd);
    hi = std::max(hi, p->sun.sunrise_jd);
  }
  const SettingsPin pin(Settings::current());
  Result<Estimates> e =
      estimate(lo - REACH_DAYS, hi + (ahead != nullptr ? AHEAD_DAYS : REACH_DAYS), threads);
  if (!e.ok()) return e.failure();
  Lists lists = std::move(e).value().lists;

  // Boundaries near a sunrise are settled first: the limbs at it are read
  // from which side of it they lie.
  std::vector<Handle> near;
  for (const Panchang* p : days) {
    const double r = p->sun.sunrise_jd;
    for (std::size_t f = 0; f < FAMILIES; ++f) {
      auto it = std::lower_bound(lists[f].begin(), lists[f].end(), r - NEAR_SUNRISE_DAYS,
                                 [](const Crossing& c, double t) { return c.jd < t; });
      for (; it != lists[f].end() && it->jd < r + NEAR_SUNRISE_DAYS; ++it)
        near.push_back({f, static_cast<std::size_t>(it - lists[f].begin())});
    }
  }
  if (auto error = refine_all(lists, near, threads)) return error;

  for (Panchang* p : days) {
    const double r = p->sun.sunrise_jd;
    const std::uint32_t weekday = p->vara.number;
    const SunData sun = p->sun;
    const std::optional<std::uint32_t> h = index_at(lists[KARANA], r);
    const std::optional<std::uint32_t> pada = index_at(lists[PADA], r);
    const std::optional<std::uint32_t> y = index_at(lists[YOGA], r);
    // Without a boundary within reach (never seen at a real date), the
    // limbs are the library's at that sunrise.
    *p = h && pada && y ? limbs_of(weekday, r, {*h / 2, *h, *pada / 4,
                                                static_cast<std::int32_t>(*pada % 4) + 1, *y})
                        : limbs_at_sunrise(weekday, r);
    p->sun = sun;
    const std::uint32_t t = p->tithi.number - 1, k = half_tithi_of(*p);
    const std::uint32_t n = 4 * (p->nakshatra.number - 1), yi = p->yoga.number - 1;
    std::tie(p->tithi.start_jd, p->tithi.end_jd) = span_at(lists[KARANA], r, 2 * t, (2 * t + 2) % 60);
    std::tie(p->karana.start_jd, p->karana.end_jd) = span_at(lists[KARANA], r, k, (k + 1) % 60);
    std::tie(p->nakshatra.start_jd, p->nakshatra.end_jd) =
        span_at(lists[PADA], r, n, (n + 4) % PADAS);
    std::tie(p->yoga.start_jd, p->yoga.end_jd) = span_at(lists[YOGA], r, yi, (yi + 1) % 27);
  }
  if (ahead != nullptr) *ahead = boundaries_in(lists, lo, hi + AHEAD_DAYS);
  return std::nullopt;
}

}  // namespace tithiloom
