// Crossing search: the instant at which an angle that increases with time
// (modulo 360) passes a target. Every transition of the system (element
// boundaries, new and full moons, sankrantis) is found here.
//
// The angle function is a template parameter, so any callable double(double)
// works (function pointer, lambda, functor) without allocation. A guide (a
// cheap estimate of the angle) can take most bracketing decisions in the
// angle's place without changing any result.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <type_traits>

#include "numeric.hpp"

namespace tithiloom {

inline constexpr double SEARCH_BACKWARD_STEP_DAYS = 1.0 / 24.0;
inline constexpr double SEARCH_RESOLUTION_DAYS = 1.0 / 86400.0;
inline constexpr int SEARCH_MAX_HALVINGS = 50;
inline constexpr double SEARCH_HALF_CIRCLE_DEG = 180.0;
// Windows needing more coarse samples than this are refused as not found:
// real callers use at most about a thousand, and a bound keeps a huge finite
// window from running for practically ever.
inline constexpr double SEARCH_MAX_STEPS = 1.0e6;

// Whether [a, b] contains the crossing of the normalised target, given the
// angle's values at a and b. NaN fails both comparisons, so it never brackets.
inline bool crossing_bracketed(double fa, double fb, double target_norm_deg) {
  const double a = norm360(fa);
  const double delta = norm360(norm360(fb) - a);
  const double dist = norm360(target_norm_deg - a);
  return delta < SEARCH_HALF_CIRCLE_DEG && dist <= delta;
}

// A cheap estimate of the angle that may take a bracketing decision in the
// angle's place: only where it clears the target by margin_deg, and only as
// a claim that the final bracket must prove with the angle itself.
// `estimate` maps a JD to degrees (any winding) and gives NaN where it has
// nothing to say.
template <class E>
struct Guide {
  E estimate;
  double margin_deg;
};

namespace search_detail {

// The estimate of the literal search: none, so the angle takes every decision.
struct NoEstimate {
  double operator()(double) const { return std::numeric_limits<double>::quiet_NaN(); }
};
inline constexpr Guide<NoEstimate> LITERAL{NoEstimate{}, 0.0};

// How far the angle is past the target, in (-180, 180]; NaN stays NaN.
inline double past_target(double angle_deg, double target_norm_deg) {
  const double x = norm360(angle_deg - target_norm_deg);
  return x > SEARCH_HALF_CIRCLE_DEG ? x - 360.0 : x;
}

// What a sample end of a bracket is known by: the angle there (exact), or
// the guide's claim that it is before or past the target.
enum class Claim : std::uint8_t { exact, before, past };

struct End {
  double t;
  Claim claim = Claim::exact;
  bool known = false;
  double f = 0.0;  // the angle at t, once known
};

// One search's decisions. Each is the literal search's bracketing test
// unless the guide is sure. The final bracket is fixed by the decisions
// alone, and a wrong one cannot survive verified(): within the window the
// angle passes the target once, so a wrong claim leaves a final end on the
// wrong side of the target, or one that fails its own claim.
template <class F, class E>
class Walk {
 public:
  Walk(F& f, const Guide<E>& guide, double target_norm_deg)
      : f_(f), guide_(guide), target_(target_norm_deg) {}

  double value(End& e) {
    if (!e.known) {
      e.f = f_(e.t);
      e.known = true;
    }
    return e.f;
  }

  End sample(double t) {
    End e{t};
    const double past = past_target(guide_.estimate(t), target_);  // NaN: no claim
    if (past >= guide_.margin_deg) e.claim = Claim::past;
    if (past <= -guide_.margin_deg) e.claim = Claim::before;
    guessed_ = guessed_ || e.claim != Claim::exact;
    return e;
  }

  bool brackets(End& lo, End& hi) { return crossing_bracketed(value(lo), value(hi), target_); }

  // Whether a coarse step, whose new end is `fresh`, brackets. A claim that
  // it does decides only when the step's other end is a claim too: an exact
  // end may lie a rounding error short of the target, where only the angle
  // itself can tell.
  bool step_brackets(End& lo, End& hi, End& fresh) {
    const End& other = &fresh == &lo ? hi : lo;
    const bool claimed = (&fresh == &hi) == (fresh.claim == Claim::past);
    if (fresh.claim != Claim::exact && !(claimed && other.claim == Claim::exact)) return claimed;
    fresh.claim = Claim::exact;
    return brackets(lo, hi);
  }

  // Halves a bracketing interval until it is shorter than the resolution.
  double refine(End lo, End hi) {
    int halvings = 0;
    while (halvings < SEARCH_MAX_HALVINGS && !(hi.t - lo.t < SEARCH_RESOLUTION_DAYS)) {
      End mid = sample((lo.t + hi.t) * 0.5);
      const bool left = mid.claim == Claim::exact ? brackets(lo, mid) : mid.claim == Claim::past;
      (left ? hi : lo) = mid;
      ++halvings;
    }
    lo_ = lo;
    hi_ = hi;
    return (lo.t + hi.t) * 0.5;
  }

  // Whether the decisions are the literal search's: trivially when the guide
  // took none, otherwise proved on the final bracket by the angle itself.
  bool verified() {
    if (!guessed_) return true;
    const double clear = guide_.margin_deg * 0.5;
    if (lo_.claim == Claim::before && !(past_target(value(lo_), target_) <= -clear)) return false;
    if (hi_.claim == Claim::past && !(past_target(value(hi_), target_) >= clear)) return false;
    return brackets(lo_, hi_);
  }

 private:
  F& f_;
  const Guide<E>& guide_;
  double target_;
  bool guessed_ = false;
  End lo_{0.0};
  End hi_{0.0};
};

template <class E>
constexpr bool is_literal = std::is_same_v<E, NoEstimate>;

template <class F, class E>
std::optional<double> forward(F& f, const Guide<E>& guide, double start_jd, double target_deg,
                              double span_days, double step_days) {
  if (!std::isfinite(start_jd) || !std::isfinite(span_days) || !std::isfinite(step_days) ||
      !(step_days > 0.0) || span_days / step_days > SEARCH_MAX_STEPS) {
    return std::nullopt;
  }
  const double target = norm360(target_deg);
  const double end = start_jd + span_days;
  Walk walk(f, guide, target);
  End lo{start_jd};
  if constexpr (is_literal<E>) walk.value(lo);  // the literal search samples its start first
  for (;;) {
    const double t2 = lo.t + step_days;
    if (!(t2 <= end) || t2 == lo.t) break;
    End hi = walk.sample(t2);
    if (walk.step_brackets(lo, hi, hi)) {
      const double found = walk.refine(lo, hi);
      if (walk.verified()) return found;
      break;
    }
    lo = hi;
  }
  if constexpr (is_literal<E>) {
    return std::nullopt;
  } else {
    // Not found, or a wrong claim: the literal search decides.
    return forward(f, LITERAL, start_jd, target_deg, span_days, step_days);
  }
}

template <class F, class E>
std::optional<double> backward(F& f, const Guide<E>& guide, double from_jd, double target_deg,
                               double lookback_days) {
  if (!std::isfinite(from_jd) || !std::isfinite(lookback_days) ||
      lookback_days / SEARCH_BACKWARD_STEP_DAYS > SEARCH_MAX_STEPS) {
    return std::nullopt;
  }
  const double target = norm360(target_deg);
  const double limit = from_jd - lookback_days;
  Walk walk(f, guide, target);
  End hi{from_jd};
  if constexpr (is_literal<E>) walk.value(hi);  // the literal search samples its from time first
  for (;;) {
    const double t2 = hi.t - SEARCH_BACKWARD_STEP_DAYS;
    if (!(t2 >= limit) || t2 == hi.t) break;
    End lo = walk.sample(t2);
    if (walk.step_brackets(lo, hi, lo)) {
      const double found = walk.refine(lo, hi);
      if (walk.verified()) return found;
      break;
    }
    hi = lo;
  }
  if constexpr (is_literal<E>) {
    return std::nullopt;
  } else {
    return backward(f, LITERAL, from_jd, target_deg, lookback_days);
  }
}

}  // namespace search_detail

// First crossing in [start, start + span], sampled every step days.
// Non-finite inputs, a non-positive step, a step too small to move the time,
// or a window of more than SEARCH_MAX_STEPS steps give not found.
template <class F>
std::optional<double> find_crossing_forward_step(F&& f, double start_jd, double target_deg,
                                                 double span_days, double step_days) {
  return search_detail::forward(f, search_detail::LITERAL, start_jd, target_deg, span_days,
                                step_days);
}

// Last crossing in [from - lookback, from], sampled every hour backwards.
// Non-finite inputs, a time too large for an hour to move it, or a look-back
// of more than SEARCH_MAX_STEPS hours give not found.
template <class F>
std::optional<double> find_crossing_backward(F&& f, double from_jd, double target_deg,
                                             double lookback_days) {
  return search_detail::backward(f, search_detail::LITERAL, from_jd, target_deg, lookback_days);
}

// The same searches guided: the result is the literal search's, bit for
// bit, with the angle evaluated only where the guide is unsure, at the final
// bracket's ends, and everywhere again if the ends disprove a claim (or
// nothing was found).
template <class F, class E>
std::optional<double> find_crossing_forward_step(F&& f, const Guide<E>& guide, double start_jd,
                                                 double target_deg, double span_days,
                                                 double step_days) {
  return search_detail::forward(f, guide, start_jd, target_deg, span_days, step_days);
}

template <class F, class E>
std::optional<double> find_crossing_backward(F&& f, const Guide<E>& guide, double from_jd,
                                             double target_deg, double lookback_days) {
  return search_detail::backward(f, guide, from_jd, target_deg, lookback_days);
}

}  // namespace tithiloom
