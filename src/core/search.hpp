// Crossing search: the instant at which an angle that increases with time
// (modulo 360) passes a target. Every transition of the system (element
// boundaries, new and full moons, sankrantis) is found here.
//
// The angle function is a template parameter, so any callable double(double)
// works (function pointer, lambda, functor) without allocation.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

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

namespace search_detail {

// Halves a bracketing interval until it is shorter than the resolution.
template <class F>
double refine_crossing(F& f, double lo, double hi, double flo, double target_norm_deg) {
  int halvings = 0;
  while (halvings < SEARCH_MAX_HALVINGS && !(hi - lo < SEARCH_RESOLUTION_DAYS)) {
    const double mid = (lo + hi) * 0.5;
    const double fm = f(mid);
    if (crossing_bracketed(flo, fm, target_norm_deg)) {
      hi = mid;
    } else {
      lo = mid;
      flo = fm;
    }
    ++halvings;
  }
  return (lo + hi) * 0.5;
}

}  // namespace search_detail

// First crossing in [start, start + span], sampled every step days.
// Non-finite inputs, a non-positive step, a step too small to move the time,
// or a window of more than SEARCH_MAX_STEPS steps give not found.
template <class F>
std::optional<double> find_crossing_forward_step(F&& f, double start_jd, double target_deg,
                                                 double span_days, double step_days) {
  if (!std::isfinite(start_jd) || !std::isfinite(span_days) || !std::isfinite(step_days) ||
      !(step_days > 0.0) || span_days / step_days > SEARCH_MAX_STEPS) {
    return std::nullopt;
  }
  const double target = norm360(target_deg);
  const double end = start_jd + span_days;
  double t = start_jd;
  double ft = f(t);
  for (;;) {
    const double t2 = t + step_days;
    if (!(t2 <= end) || t2 == t) return std::nullopt;
    const double f2 = f(t2);
    if (crossing_bracketed(ft, f2, target)) {
      return search_detail::refine_crossing(f, t, t2, ft, target);
    }
    t = t2;
    ft = f2;
  }
}

// Last crossing in [from - lookback, from], sampled every hour backwards.
// Non-finite inputs, a time too large for an hour to move it, or a look-back
// of more than SEARCH_MAX_STEPS hours give not found.
template <class F>
std::optional<double> find_crossing_backward(F&& f, double from_jd, double target_deg,
                                             double lookback_days) {
  if (!std::isfinite(from_jd) || !std::isfinite(lookback_days) ||
      lookback_days / SEARCH_BACKWARD_STEP_DAYS > SEARCH_MAX_STEPS) {
    return std::nullopt;
  }
  const double target = norm360(target_deg);
  const double limit = from_jd - lookback_days;
  double t = from_jd;
  double ft = f(t);
  for (;;) {
    const double t2 = t - SEARCH_BACKWARD_STEP_DAYS;
    if (!(t2 >= limit) || t2 == t) return std::nullopt;
    const double f2 = f(t2);
    if (crossing_bracketed(f2, ft, target)) {
      return search_detail::refine_crossing(f, t2, t, f2, target);
    }
    t = t2;
    ft = f2;
  }
}

}  // namespace tithiloom
