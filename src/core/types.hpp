// Records shared across modules, the value-or-error result type, and the
// conventions every core signature and record follows.
//
// Argument order: what is sought (definitions, a tithi, a lunar month, a
// house system), then the time asked about (instants, dates, years, with
// what the caller tells of them, such as a weekday), then the clock that
// reads it, then the place (or what stands for it: a Sky, a unit's state),
// and last the choices of how (conventions, counts, memos, Reuse, threads).
// The ephemeris gateway and the crossing search keep the library's order:
// the instant first, then the place, the body, the event or the target.
//
// Dates: a civil date is a CivilDate wherever the core holds or takes one;
// the bindings write it as text (date_text) or as year, month and day.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>

namespace tithiloom {

// A date of the proleptic Gregorian calendar; its components as given,
// which only the functions that say so check.
struct CivilDate {
  std::int32_t year;
  std::uint32_t month;
  std::uint32_t day;
  friend constexpr bool operator==(const CivilDate&, const CivilDate&) = default;
};

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
