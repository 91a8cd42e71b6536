// Sunrise, sunset and day length.
#include "args.hpp"
#include "boundary.hpp"
#include "convert.hpp"
#include "functions.hpp"
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
    const Result<double> when = checked([&] { return event(jd, place); });
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

PyObject* py_compute_sun_data(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                              PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig{
        "py_compute_sun_data",
        {"year", "month", "day", "lat", "lng", "alt", "utc_offset_seconds"}};
    Args a(sig);
    std::int32_t year = 0, utc_offset = 0;
    std::uint32_t month = 0, day = 0;
    Place place{};
    if (!a.parse(args, nargs, kwnames) || !a.read(0, year) || !a.read(1, month) ||
        !a.read(2, day) || !a.read_place(3, place) || !a.read(6, utc_offset))
      return nullptr;
    const Result<SunData> sun = sun_data_of_day({year, month, day}, utc_offset, place);
    if (!sun.ok()) return raise_error(sun);
    return sun_data_to_dict(sun.value());
  });
}

}  // namespace tithiloom::py
