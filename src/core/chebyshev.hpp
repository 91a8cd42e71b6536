// A polynomial through samples of a smooth function at the Chebyshev-Lobatto
// points of an interval (both ends and the centre among them). For estimates
// only: its values are close to the function's, never equal to them.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>

namespace tithiloom {

template <std::size_t Degree>
class Chebyshev {
 public:
  static constexpr std::size_t POINTS = Degree + 1;

  // The k-th sample time of [centre - half_width, centre + half_width];
  // the middle one is the centre itself.
  static double node(double centre, double half_width, std::size_t k) {
    if (2 * k == Degree) return centre;
    return centre + half_width * std::cos(std::numbers::pi * static_cast<double>(k) / Degree);
  }

  Chebyshev() = default;  // estimates NaN

  // From the values at node(centre, half_width, k), k = 0..Degree. Angles
  // are unwound first (successive samples differ by less than 180 degrees),
  // so the polynomial follows the angle across 360.
  Chebyshev(double centre, double half_width, std::array<double, POINTS> values, bool angle)
      : centre_(centre), half_width_(half_width) {
    if (angle) {
      for (std::size_t k = 1; k < POINTS; ++k)
        values[k] = values[k - 1] + std::remainder(values[k] - values[k - 1], 360.0);
    }
    for (std::size_t j = 0; j < POINTS; ++j) {
      double sum = 0.0;
      for (std::size_t k = 0; k < POINTS; ++k) {
        const double weight = (k == 0 || k == Degree) ? 0.5 : 1.0;
        sum += weight * values[k] *
               std::cos(std::numbers::pi * static_cast<double>(j * k) / Degree);
      }
      coefficients_[j] = sum * 2.0 / Degree;
    }
    coefficients_[0] *= 0.5;
    coefficients_[Degree] *= 0.5;
  }

  // The estimate at t; NaN outside the interval or if a sample was NaN.
  double operator()(double t) const {
    const double u = (t - centre_) / half_width_;
    if (!(std::fabs(u) <= 1.0)) return std::numeric_limits<double>::quiet_NaN();
    double b1 = 0.0, b2 = 0.0;  // Clenshaw's recurrence
    for (std::size_t j = Degree; j >= 1; --j) {
      const double b0 = 2.0 * u * b1 - b2 + coefficients_[j];
      b2 = b1;
      b1 = b0;
    }
    return u * b1 - b2 + coefficients_[0];
  }

 private:
  double centre_ = std::numeric_limits<double>::quiet_NaN();  // no samples: NaN everywhere
  double half_width_ = 1.0;
  std::array<double, POINTS> coefficients_{};
};

}  // namespace tithiloom
