// Sunrise, sunset and day length.
#include "args.hpp"
#include "boundary.hpp"
#include "convert.hpp"
#include "functions.hpp"
#include "gil.hpp"
#include "panchang_dicts.hpp"
#include "sun.hpp"

namespace tithiloom::py {
namespace {

using SunEventFn = double (*)(double jd_ut, const Place& place);

PyObject* sun_event(const Signature& sig, SunEventFn event, PyObject* const* args,
                    Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    Args a(sig);
    double jd = 0.0;
    Place place{};
    if (!a.parse(args, nargs, kwnames) || !a.read_instant(0, jd) || !a.read_place(1, place))
      return nullptr;
    const Result<double> when =
        without_gil([&] { return checked([&] { return event(jd, place); }); });
    if (!when.ok()) return raise_error(when);
    return to_py(when.value());
  });
}

}  // namespace

PyObject* py_sunrise_jd(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  static constexpr Signature sig{"py_sunrise_jd", {"jd_start", "lat", "lng", "alt"}};
  return sun_event(sig, sunrise_after, args, nargs, kwnames);
}

PyObject* py_sunset_jd(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  static constexpr Signature sig{"py_sunset_jd", {"jd_noon", "lat", "lng", "alt"}};
  return sun_event(sig, sunset_after, args, nargs, kwnames);
}

template <ClockArg K>
PyObject* py_compute_sun_data_with(PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig = clock_signature(
        K,
        {"py_compute_sun_data",
         {"year", "month", "day", "lat", "lng", "alt", "utc_offset_seconds"}},
        "_sun_data", 6);
    Args a(sig);
    std::int32_t year = 0;
    Clock clock;
    std::uint32_t month = 0, day = 0;
    Place place{};
    Convention convention{};
    if (!a.parse(args, nargs, kwnames) || !a.read(0, year) || !a.read(1, month) ||
        !a.read(2, day) || !a.read_place(3, place) || !a.read_clock(6, K, clock) ||
        !a.read_convention(K, convention))
      return nullptr;
    place = risen_as(convention, place);
    const Result<SunData> sun =
        without_gil([&] { return sun_data_of_day({year, month, day}, clock, place); });
    if (!sun.ok()) return raise_error(sun);
    return sun_data_to_dict(sun.value());
  });
}

PyObject* py_compute_sun_data(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                              PyObject* kwnames) {
  return py_compute_sun_data_with<ClockArg::offset>(args, nargs, kwnames);
}

PyObject* clocked_sun_data(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                           PyObject* kwnames) {
  return py_compute_sun_data_with<ClockArg::table>(args, nargs, kwnames);
}

}  // namespace tithiloom::py
