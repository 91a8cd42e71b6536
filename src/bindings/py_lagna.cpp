// Lagna with house cusps, and the lagna-rising windows of a day.
#include <string>

#include "args.hpp"
#include "boundary.hpp"
#include "convert.hpp"
#include "functions.hpp"
#include "gil.hpp"
#include "lagna.hpp"

namespace tithiloom::py {
namespace {

PyObject* lagna_window_to_dict(const LagnaWindow& w) {
  return DictBuilder()
      .add("rashi", w.rashi)
      .add("rashi_name", w.rashi_name)
      .add("start_jd", w.start_jd)
      .add("end_jd", w.end_jd)
      .release();
}

// By the first character (a code point, so any text is accepted).
std::optional<HouseSystem> house_system_named(PyObject* text) {
  if (PyUnicode_GET_LENGTH(text) == 0) return std::nullopt;
  return house_system_from_char(static_cast<char32_t>(PyUnicode_READ_CHAR(text, 0)));
}

}  // namespace

PyObject* py_compute_lagna(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig{"py_compute_lagna", {"jd", "lat", "lng", "system"}, 1};
    Args a(sig);
    double jd = 0.0, lat = 0.0, lng = 0.0;
    Text system;  // omitted: Placidus
    if (!a.parse(args, nargs, kwnames) || !a.read_instant(0, jd) || !a.read_latitude(1, lat) || !a.read_finite(2, lng) ||
        !a.read(3, system))
      return nullptr;
    const std::optional<HouseSystem> house_system =
        system.str == nullptr ? HouseSystem::placidus : house_system_named(system.str);
    if (!house_system)
      return PyErr_Format(PyExc_ValueError, "Unsupported house system '%U'. Use one of: P, W, E, O",
                          system.str);
    const LagnaResult r = without_gil([&] { return compute(*house_system, jd, lat, lng); });
    PyRef cusps(list_of(r.bhava_cusps, [](double cusp) { return to_py(cusp); }));
    if (!cusps) return nullptr;
    const char letter[2] = {house_system_letter(r.house_system), '\0'};
    return DictBuilder()
        .add("ascendant_longitude", r.ascendant_longitude)
        .add("rashi", r.rashi)
        .add("rashi_name", r.rashi_name)
        .add("degree_in_rashi", r.degree_in_rashi)
        .add("mc_longitude", r.mc_longitude)
        .add_owned("bhava_cusps", std::move(cusps))
        .add("ayanamsa", r.ayanamsa)
        .add("house_system", letter)
        .release();
  });
}

namespace {

// The windows a scan gives from (jd_start, lat, lng), under the signature's name.
template <class Scan>
PyObject* windows_call(const Signature& sig, Scan scan, PyObject* const* args, Py_ssize_t nargs,
                       PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    Args a(sig);
    double jd_start = 0.0, lat = 0.0, lng = 0.0;
    if (!a.parse(args, nargs, kwnames) || !a.read_instant(0, jd_start) || !a.read_latitude(1, lat) ||
        !a.read_finite(2, lng))
      return nullptr;
    return list_of(without_gil([&] { return scan(jd_start, lat, lng); }), lagna_window_to_dict);
  });
}

}  // namespace

PyObject* py_compute_lagna_windows(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                                   PyObject* kwnames) {
  static constexpr Signature sig{"py_compute_lagna_windows", {"jd_start", "lat", "lng"}};
  return windows_call(sig, compute_windows, args, nargs, kwnames);
}

// The windows of every sign that rises, for the package: the core's scan
// with each boundary of a step that passes several searched on its own.
PyObject* every_lagna_window(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                             PyObject* kwnames) {
  static constexpr Signature sig{"_lagna_windows", {"jd_start", "lat", "lng"}};
  return windows_call(sig, compute_every_window, args, nargs, kwnames);
}

}  // namespace tithiloom::py
