// Small numeric helpers shared by every module: angle normalisation,
// rounding, and the only sanctioned double-to-integer conversion.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace tithiloom {

inline constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Into [0, 360); the double fmod keeps results identical to the reference formula.
inline double norm360(double deg) { return std::fmod(std::fmod(deg, 360.0) + 360.0, 360.0); }

// Nearest integer, halves away from zero (std::round's rule), still a double.
inline double round_half_away(double x) { return std::round(x); }

// Truncation toward zero that never invokes undefined behaviour:
// NaN gives 0, values beyond the type's range saturate.
template <class Int>
Int truncate_saturating(double x) {
  using L = std::numeric_limits<Int>;
  if (std::isnan(x)) return 0;
  if (x <= static_cast<double>(L::min())) return L::min();
  // max() may not be representable; compare against the next power of two.
  if (x >= std::ldexp(1.0, L::digits)) return L::max();
  return static_cast<Int>(x);
}

}  // namespace tithiloom
