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
    if (!a.parse(args, nargs, kwnames) || !a.read(0, jd) || !a.read(1, place.lat_deg) ||
        !a.read(2, place.lng_deg) || !a.read(3, place.alt_m))
      return nullptr;
    return to_py(event(jd, place));
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
        !a.read(2, day) || !a.read(3, place.lat_deg) || !a.read(4, place.lng_deg) ||
        !a.read(5, place.alt_m) || !a.read(6, utc_offset))
      return nullptr;
    const auto sun = require_sunrise_and_sunset(
        compute_sun_data(year, month, day, utc_offset, place), place.lat_deg, year, month, day);
    if (!sun.ok()) return raise_error(sun);
    return sun_data_to_dict(sun.value());
  });
}

}  // namespace tithiloom::py
