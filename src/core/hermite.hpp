// Hermite curves through samples of a quantity with its rate, for fits of
// the Sun's and the Moon's motion.
#pragma once

#include <array>
#include <cstddef>

#include "numeric.hpp"

namespace tithiloom {

// A Hermite curve of a quantity at s = (t - a) / h, where h is the spacing of
// its samples, through two nodes (s = 0, 1) or four (s = -1, 0, 1, 2), each
// with its value and its rate per unit of s (h times the rate per day); in
// Newton's divided-difference form.
class Hermite {
 public:
  static constexpr std::size_t MAX_NODES = 4;

  Hermite(double h, const double* s, const double* value, const double* rate, std::size_t nodes)
      : h_(h), terms_(2 * nodes) {
    std::array<double, 2 * MAX_NODES> q{};
    for (std::size_t i = 0; i < terms_; ++i) {
      z_[i] = s[i / 2];
      q[i] = value[i / 2];
    }
    c_[0] = q[0];
    // Column by column, in place from the bottom: a repeated node's first
    // difference is its rate.
    for (std::size_t j = 1; j < terms_; ++j) {
      for (std::size_t i = terms_ - 1; i >= j; --i) {
        const double gap = z_[i] - z_[i - j];
        q[i] = gap == 0.0 ? rate[i / 2] : (q[i] - q[i - 1]) / gap;
      }
      c_[j] = q[j];
    }
  }
  double at(double s) const {
    double v = c_[terms_ - 1];
    for (std::size_t k = terms_ - 1; k-- > 0;) v = v * (s - z_[k]) + c_[k];
    return v;
  }
  // Per day.
  double rate(double s) const {
    double v = c_[terms_ - 1], d = 0.0;
    for (std::size_t k = terms_ - 1; k-- > 0;) {
      d = d * (s - z_[k]) + v;
      v = v * (s - z_[k]) + c_[k];
    }
    return d / h_;
  }

 private:
  double h_;
  std::size_t terms_;
  std::array<double, 2 * MAX_NODES> z_{}, c_{};
};

// The curve of an angle, as its travel since the sample at s = 0, through
// samples h days apart at s = -1, 0, 1, 2 (degrees, and degrees per day):
// each step between samples is taken forward, within one turn.
inline Hermite angle_travel(double h, const std::array<double, 4>& deg,
                            const std::array<double, 4>& rate) {
  const double s[] = {-1.0, 0.0, 1.0, 2.0};
  const double next = norm360(deg[2] - deg[1]);
  const double v[] = {-norm360(deg[1] - deg[0]), 0.0, next, next + norm360(deg[3] - deg[2])};
  const double r[] = {h * rate[0], h * rate[1], h * rate[2], h * rate[3]};
  return Hermite(h, s, v, r, 4);
}

// The same through the two samples at s = 0 and 1 alone.
inline Hermite angle_travel(double h, double deg0, double deg1, double rate0, double rate1) {
  const double s[] = {0.0, 1.0};
  const double v[] = {0.0, norm360(deg1 - deg0)};
  const double r[] = {h * rate0, h * rate1};
  return Hermite(h, s, v, r, 2);
}

}  // namespace tithiloom
