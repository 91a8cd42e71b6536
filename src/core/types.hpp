// Records shared across modules, and the value-or-error result type.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace tithiloom {

// An expected failure of a computation. Its message reaches Python as
// ValueError, or as MemoryError for a request too large to ever hold.
// `no_sun_event`: a day without sunrise or sunset, which whole-range
// computations skip rather than fail on.
struct Error {
  enum class Kind { invalid_value, too_large, no_sun_event };
  std::string message;
  Kind kind = Kind::invalid_value;
};

template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : v_(std::move(value)) {}
  Result(Error error) : v_(std::move(error)) {}

  bool ok() const { return v_.index() == 0; }
  const T& value() const& { return std::get<0>(v_); }
  T&& value() && { return std::get<0>(std::move(v_)); }
  const std::string& error() const { return std::get<1>(v_).message; }
  Error::Kind error_kind() const { return std::get<1>(v_).kind; }
  const Error& failure() const { return std::get<1>(v_); }

 private:
  std::variant<T, Error> v_;
};

// A named span of time: a muhurat window, a Choghadiya period, a lagna.
struct TimeWindow {
  std::string name;
  double start_jd;
  double end_jd;
  bool is_auspicious;
};

}  // namespace tithiloom
