// The module definition: the registry of functions and constants, in the
// order in which they appear in `__all__`.
#include <Python.h>

#include "boundary.hpp"
#include "functions.hpp"

namespace tithiloom::py {
namespace {

template <FastFunction* F>
constexpr PyMethodDef entry(const char* name, const char* doc) {
  // Cast through a no-argument function type, the documented idiom for METH_FASTCALL.
  return {name, reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(F)),
          METH_FASTCALL | METH_KEYWORDS, doc};
}

PyMethodDef FUNCTIONS[] = {
    entry<py_init>("py_init", "py_init(ephe_path=None)\n--\n\n"),
    entry<py_close>("py_close", "py_close()\n--\n\n"),
    entry<py_datetime_to_jd>("py_datetime_to_jd",
                             "py_datetime_to_jd(year, month, day, hour, min, sec)\n--\n\n"
                             "Convert (year, month, day, hour, min, sec) to Julian Day."),
    entry<py_jd_to_datetime>("py_jd_to_datetime",
                             "py_jd_to_datetime(jd)\n--\n\n"
                             "Convert Julian Day to (year, month, day, hour, min, sec, microsec)."),
    entry<py_tropical_longitude>("py_tropical_longitude",
                                 "py_tropical_longitude(jd, planet_id)\n--\n\n"),
    entry<py_sidereal_longitude>("py_sidereal_longitude",
                                 "py_sidereal_longitude(jd, planet_id)\n--\n\n"),
    entry<py_ayanamsa>("py_ayanamsa", "py_ayanamsa(jd)\n--\n\n"),
    entry<py_planet_speed>("py_planet_speed", "py_planet_speed(jd, planet_id)\n--\n\n"),
    entry<py_sunrise_jd>("py_sunrise_jd",
                         "py_sunrise_jd(jd_start, lat, lng, alt)\n--\n\n"
                         "Compute sunrise JD. `jd_start` = local midnight JD."),
    entry<py_sunset_jd>("py_sunset_jd",
                        "py_sunset_jd(jd_noon, lat, lng, alt)\n--\n\n"
                        "Compute sunset JD. `jd_noon` = local noon JD."),
    entry<py_compute_sun_data>(
        "py_compute_sun_data",
        "py_compute_sun_data(year, month, day, lat, lng, alt, utc_offset_seconds)\n--\n\n"
        "Compute sun data: {sunrise_jd, sunset_jd, day_duration_hours}."),
    // row: py_compute_lagna
    // row: py_compute_lagna_windows
    // row: py_compute_panchang
    // row: py_compute_panchanga_at_jds
    // row: py_compute_muhurat
    // row: py_compute_choghadiya
    // row: py_compute_sankrantis
    // row: py_compute_lunar_months
    // row: py_compute_festivals
    // row: py_compute_ekadashis
    // row: py_compute_vrat_dates
    // row: py_compute_batch_year
    // row: py_compute_batch_range
    // row: py_era_year
    // row: py_jovian_cycle_index
    // row: py_compute_shraddha
    // row: py_compute_shraddha_timeline
};

struct Constant {
  const char* name;
  long value;
};

constexpr Constant CONSTANTS[] = {
    {"PLANET_SUN", 0},     {"PLANET_MOON", 1},    {"PLANET_MERCURY", 2},
    {"PLANET_VENUS", 3},   {"PLANET_MARS", 4},    {"PLANET_JUPITER", 5},
    {"PLANET_SATURN", 6},  {"PLANET_RAHU", 10},   {"PLANET_KETU", -1},
};

PyModuleDef MODULE_DEF = {
    PyModuleDef_HEAD_INIT,
    "_core",
    "",
    0,  // non-negative: a re-import calls PyInit__core again instead of copying a dict
    nullptr, nullptr, nullptr, nullptr, nullptr,
};

PyObject* the_module = nullptr;
PyInterpreterState* home_interpreter = nullptr;

// Adds `value` (stolen) under `name` and appends the name to __all__.
bool register_name(PyObject* module, PyObject* all, const char* name, PyObject* value) {
  if (value == nullptr) return false;
  if (PyModule_AddObject(module, name, value) < 0) {
    Py_DECREF(value);
    return false;
  }
  PyObject* text = PyUnicode_FromString(name);
  if (text == nullptr) return false;
  const int rc = PyList_Append(all, text);
  Py_DECREF(text);
  return rc == 0;
}

bool populate(PyObject* module) {
  PyObject* all = PyList_New(0);
  if (all == nullptr || PyModule_AddObject(module, "__all__", all) < 0) {
    Py_XDECREF(all);
    return false;
  }
  for (PyMethodDef& def : FUNCTIONS)
    if (!register_name(module, all, def.ml_name, PyCFunction_NewEx(&def, module, nullptr)))
      return false;
  for (const Constant& c : CONSTANTS)
    if (!register_name(module, all, c.name, PyLong_FromLong(c.value))) return false;
  if (!create_internal_fault_type()) return false;
  Py_INCREF(internal_fault_type());
  if (PyModule_AddObject(module, "InternalFault", internal_fault_type()) < 0) {
    Py_DECREF(internal_fault_type());
    return false;
  }
#ifdef Py_GIL_DISABLED
  if (PyUnstable_Module_SetGIL(module, Py_MOD_GIL_USED) < 0) return false;
#endif
  return true;
}

PyObject* create_module() {
  PyInterpreterState* here = PyInterpreterState_Get();
  if (the_module != nullptr) {
    if (here != home_interpreter) {
      PyErr_SetString(PyExc_ImportError,
                      "tithiloom._core cannot be loaded in a sub-interpreter");
      return nullptr;
    }
    Py_INCREF(the_module);
    return the_module;
  }
  PyObject* module = PyModule_Create(&MODULE_DEF);
  if (module == nullptr) return nullptr;
  if (!populate(module)) {
    Py_DECREF(module);
    return nullptr;
  }
  home_interpreter = here;
  the_module = module;
  Py_INCREF(the_module);  // kept for the life of the process
  return module;
}

}  // namespace
}  // namespace tithiloom::py

PyMODINIT_FUNC PyInit__core(void) {
  return tithiloom::py::abort_on_fault(tithiloom::py::create_module);
}
