// Ephemeris set-up, body positions and the plain UT calendar conversions.
#include <optional>
#include <string>

#include "args.hpp"
#include "boundary.hpp"
#include "convert.hpp"
#include "calendar.hpp"
#include "ephemeris.hpp"
#include "functions.hpp"
#include "gil.hpp"

namespace tithiloom::py {
namespace {

using BodyQuery = double (*)(double jd_ut, std::int32_t body);

PyObject* body_query(const Signature& sig, BodyQuery query, PyObject* const* args,
                     Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    Args a(sig);
    double jd = 0.0;
    std::int32_t planet_id = 0;
    if (!a.parse(args, nargs, kwnames) || !a.read_instant(0, jd) || !a.read(1, planet_id))
      return nullptr;
    if (!is_valid_planet(planet_id)) {
      PyErr_SetString(PyExc_ValueError, "Invalid planet ID");
      return nullptr;
    }
    const Result<double> value =
        without_gil([&] { return checked([&] { return query(jd, planet_id); }); });
    if (!value.ok()) return raise_error(value);
    return to_py(value.value());
  });
}

}  // namespace

PyObject* py_init(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig{"py_init", {"ephe_path"}, 1};
    Args a(sig);
    std::optional<std::string> path;
    if (!a.parse(args, nargs, kwnames) || !a.read(0, path)) return nullptr;
    init(path ? std::optional<std::string_view>(*path) : std::nullopt);
    Py_RETURN_NONE;
  });
}

PyObject* py_close(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  static constexpr Signature sig{"py_close", {}};
  Args a(sig);
  if (!a.parse(args, nargs, kwnames)) return nullptr;
  abort_on_fault([] { close(); });
  Py_RETURN_NONE;
}

PyObject* py_datetime_to_jd(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                            PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig{"py_datetime_to_jd",
                                   {"year", "month", "day", "hour", "min", "sec"}};
    Args a(sig);
    std::int32_t year = 0;
    std::uint32_t month = 0, day = 0, hour = 0, minute = 0;
    double sec = 0.0;
    if (!a.parse(args, nargs, kwnames) || !a.read(0, year) || !a.read(1, month) ||
        !a.read(2, day) || !a.read(3, hour) || !a.read(4, minute) || !a.read(5, sec))
      return nullptr;
    const double h = (minute / 60.0 + hour) + sec / 3600.0;
    return to_py(julday({year, month, day}, h));
  });
}

PyObject* py_jd_to_datetime(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                            PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig{"py_jd_to_datetime", {"jd"}};
    Args a(sig);
    double jd = 0.0;
    if (!a.parse(args, nargs, kwnames) || !a.read_finite(0, jd)) return nullptr;
    const CivilDateTime t = jd_to_datetime(jd);
    return Py_BuildValue("(lkkkkkk)", static_cast<long>(t.date.year),
                         static_cast<unsigned long>(t.date.month),
                         static_cast<unsigned long>(t.date.day), static_cast<unsigned long>(t.hour),
                         static_cast<unsigned long>(t.minute), static_cast<unsigned long>(t.second),
                         static_cast<unsigned long>(t.microsecond));
  });
}

PyObject* py_tropical_longitude(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                                PyObject* kwnames) {
  static constexpr Signature sig{"py_tropical_longitude", {"jd", "planet_id"}};
  return body_query(sig, tropical_longitude, args, nargs, kwnames);
}

PyObject* py_sidereal_longitude(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                                PyObject* kwnames) {
  static constexpr Signature sig{"py_sidereal_longitude", {"jd", "planet_id"}};
  return body_query(sig, sidereal_longitude, args, nargs, kwnames);
}

PyObject* py_planet_speed(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  static constexpr Signature sig{"py_planet_speed", {"jd", "planet_id"}};
  return body_query(sig, speed, args, nargs, kwnames);
}

PyObject* py_ayanamsa(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig{"py_ayanamsa", {"jd"}};
    Args a(sig);
    double jd = 0.0;
    if (!a.parse(args, nargs, kwnames) || !a.read_instant(0, jd)) return nullptr;
    return to_py(without_gil([&] { return ayanamsa(jd); }));
  });
}

}  // namespace tithiloom::py
