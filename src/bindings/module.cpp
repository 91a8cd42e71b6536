// The module definition: the registry of functions and constants, in the
// order in which they appear in `__all__`, and the package's private entry
// points, which stay out of it.
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
    entry<py_compute_lagna>(
        "py_compute_lagna",
        "py_compute_lagna(jd, lat, lng, system=\"P\")\n--\n\n"
        "Compute the sidereal Lagna and 12 bh\u0101va cusps.\n\n"
        "Returns a dict with keys: ascendant_longitude (sidereal degrees), rashi (0-11, "
        "0 = Mesha), rashi_name, degree_in_rashi, mc_longitude, bhava_cusps (12 sidereal "
        "longitudes, cusp 1 first), ayanamsa and house_system (the letter used).\n\n"
        "system: \"P\" = Placidus (default), \"W\" = Whole-sign, \"E\" = Equal house, "
        "\"O\" = Porphyry/Sripati."),
    entry<py_compute_lagna_windows>(
        "py_compute_lagna_windows",
        "py_compute_lagna_windows(jd_start, lat, lng)\n--\n\n"
        "Compute the Lagna-rising windows over a 24-hour span from jd_start.\n"
        "Returns a list of dicts {rashi, rashi_name, start_jd, end_jd} sorted by start_jd."),
    entry<py_compute_panchang>(
        "py_compute_panchang",
        "py_compute_panchang(year, month, day, lat, lng, alt, utc_offset_seconds, weekday)\n--\n\n"
        "Compute complete Panchang. Returns a dict with all 5 elements.\n\n"
        "`weekday`: 0=Sunday, 6=Saturday (Hindu convention).\n"
        "`utc_offset_seconds`: timezone offset (e.g. 19800 for IST)."),
    entry<py_compute_panchanga_at_jds>(
        "py_compute_panchanga_at_jds",
        "py_compute_panchanga_at_jds(jds)\n--\n\n"
        "Compute panchanga values (tithi, nakshatra, yoga, karana) at many JDs in\n"
        "one FFI round-trip.\n\n"
        "Returns a list of dicts, one per input JD. Each dict has the same shape as\n"
        "the panchanga elements in `py_compute_panchang` output, minus transition\n"
        "times (start_jd / end_jd) and vara (weekday needs sunrise context).\n\n"
        "This is the batch-friendly entry point for muhurat engines that sample the\n"
        "panchanga across hundreds or thousands of instants (e.g. marriage-window\n"
        "scanning): a single call for 8760 JDs (a year of hours) is about 10x\n"
        "faster than calling `py_compute_panchang` in a loop."),
    entry<py_compute_muhurat>(
        "py_compute_muhurat",
        "py_compute_muhurat(weekday, sunrise_jd, day_duration_hours)\n--\n\n"
        "Compute muhurat windows (Rahu Kalam, Yama Gandam, Gulika, Abhijit).\n"
        "Returns a dict with all 4 windows."),
    entry<py_compute_choghadiya>(
        "py_compute_choghadiya",
        "py_compute_choghadiya(weekday, sunrise_jd, sunset_jd, day_duration_hours)\n--\n\n"
        "Compute Choghadiya windows (8 day + 8 night = 16 total).\n"
        "Returns a list of dicts."),
    entry<py_compute_sankrantis>(
        "py_compute_sankrantis",
        "py_compute_sankrantis(year, utc_offset=0)\n--\n\n"
        "Compute all 12 Sankrantis for a year. Returns list of dicts.\n\n"
        "`utc_offset` (seconds east of UTC) localizes the reported civil date \u2014\n"
        "e.g. Mesha Sankranti 2026 is Apr 13 21:50 UTC = Apr 14 03:20 IST; the\n"
        "festival engine reports Baisakhi on Apr 14, so the raw sankranti date\n"
        "must agree."),
    entry<py_compute_lunar_months>(
        "py_compute_lunar_months",
        "py_compute_lunar_months(year, system=\"amant\")\n--\n\n"
        "Compute lunar months for a year.\n\n"
        "`system` is \"amant\" (new moon to new moon) or \"purnimant\" (full moon to full moon)."),
    entry<py_compute_festivals>(
        "py_compute_festivals",
        "py_compute_festivals(festival_defs, year, lat, lng, alt, utc_offset, "
        "calendar_system=None)\n--\n\n"
        "Compute festival dates from definitions (passed as list of dicts from YAML).\n"
        "Each dict: {id, name, rule, lunar_month, tithi, sankranti_index}."),
    entry<py_compute_ekadashis>(
        "py_compute_ekadashis",
        "py_compute_ekadashis(ekadashi_defs, year, lat, lng, alt, utc_offset)\n--\n\n"
        "Compute Ekadashis from definitions (passed as list of dicts from YAML).\n"
        "Each dict: {month, shukla_name, krishna_name}."),
    entry<py_compute_vrat_dates>("py_compute_vrat_dates",
                                 "py_compute_vrat_dates(year, lat, lng, alt, utc_offset)\n--\n\n"
                                 "Compute Vrat (fasting) dates for a year."),
    entry<py_compute_batch_year>("py_compute_batch_year",
                                 "py_compute_batch_year(year, lat, lng, alt, utc_offset)\n--\n\n"
                                 "Compute panchang for every day of a year. Returns list of dicts."),
    entry<py_compute_batch_range>(
        "py_compute_batch_range",
        "py_compute_batch_range(start_year, start_month, start_day, end_year, end_month, end_day, "
        "lat, lng, alt, utc_offset)\n--\n\n"
        "Compute panchang for a date range. Returns list of dicts."),
    entry<py_era_year>("py_era_year",
                       "py_era_year(gregorian_year, offset, new_year_passed)\n--\n\n"
                       "Compute era year from Gregorian year + offset."),
    entry<py_jovian_cycle_index>("py_jovian_cycle_index",
                                 "py_jovian_cycle_index(gregorian_year, epoch_year)\n--\n\n"
                                 "Compute 60-year Jovian cycle index (0-59)."),
    entry<py_compute_shraddha>(
        "py_compute_shraddha",
        "py_compute_shraddha(death_year, death_month, death_day, target_year, lat, lng, alt, "
        "utc_offset)\n--\n\n"
        "Compute Shraddha (death anniversary) date."),
    entry<py_compute_shraddha_timeline>(
        "py_compute_shraddha_timeline",
        "py_compute_shraddha_timeline(death_year, death_month, death_day, lat, lng, alt, "
        "utc_offset, monthly_count, annual_years, pitru_paksha_years)\n--\n\n"
        "Compute complete Shraddha timeline (monthly, annual, pitru paksha) in one call."),
};

// The public functions that take a UTC offset, with the place's clock
// instead: a list of (from_jd, offset_seconds) shifts in increasing order;
// and the core's rule tables, which the package reads instead of copying.
PyMethodDef PRIVATE_FUNCTIONS[] = {
    entry<clocked_sun_data>("_sun_data",
                            "_sun_data(year, month, day, lat, lng, alt, clock, "
                            "convention='core')\n--\n\n"),
    entry<clocked_panchang>("_panchang",
                            "_panchang(year, month, day, lat, lng, alt, clock, weekday, "
                            "convention='core')\n--\n\n"),
    entry<clocked_festivals>(
        "_festivals", "_festivals(festival_defs, year, lat, lng, alt, clock, "
                      "calendar_system=None, convention='core')\n--\n\n"),
    entry<clocked_ekadashis>("_ekadashis",
                             "_ekadashis(ekadashi_defs, year, lat, lng, alt, clock, "
                             "convention='core')\n--\n\n"),
    entry<clocked_vrat_dates>(
        "_vrat_dates",
        "_vrat_dates(year, lat, lng, alt, clock, convention='core', vrat_defs=None, "
        "between=())\n--\n\n"),
    entry<clocked_batch_range>("_batch_range",
                               "_batch_range(start_year, start_month, start_day, end_year, "
                               "end_month, end_day, lat, lng, alt, clock, "
                               "convention='core')\n--\n\n"),
    entry<clocked_shraddha>("_shraddha",
                            "_shraddha(death_year, death_month, death_day, target_year, lat, lng, "
                            "alt, clock, convention='core')\n--\n\n"),
    entry<clocked_shraddha_timeline>(
        "_shraddha_timeline",
        "_shraddha_timeline(death_year, death_month, death_day, lat, lng, alt, clock, "
        "monthly_count, annual_years, pitru_paksha_years, convention='core')\n--\n\n"),
    entry<timed_range>("_timed_range",
                       "_timed_range(start_year, start_month, start_day, end_year, end_month, "
                       "end_day, lat, lng, alt, clock, convention='core', moon=False)\n--\n\n"),
    entry<limb_boundaries>("_limb_boundaries", "_limb_boundaries(from_jd, to_jd)\n--\n\n"),
    entry<every_lagna_window>("_lagna_windows", "_lagna_windows(jd_start, lat, lng)\n--\n\n"),
    entry<vocabulary>("_vocabulary", "_vocabulary()\n--\n\n"),
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
  for (PyMethodDef& def : PRIVATE_FUNCTIONS) {
    PyObject* fn = PyCFunction_NewEx(&def, module, nullptr);
    if (fn == nullptr) return false;
    if (PyModule_AddObject(module, def.ml_name, fn) < 0) {
      Py_DECREF(fn);
      return false;
    }
  }
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
  // The module and its objects live for the process, in the main
  // interpreter: any other is refused, whichever imports first.
  if (PyInterpreterState_Get() != PyInterpreterState_Main()) {
    PyErr_SetString(PyExc_ImportError, "tithiloom._core cannot be loaded in a sub-interpreter");
    return nullptr;
  }
  if (the_module != nullptr) {
    Py_INCREF(the_module);
    return the_module;
  }
  PyObject* module = PyModule_Create(&MODULE_DEF);
  if (module == nullptr) return nullptr;
  if (!populate(module)) {
    Py_DECREF(module);
    return nullptr;
  }
  the_module = module;
  Py_INCREF(the_module);  // kept for the life of the process
  return module;
}

}  // namespace
}  // namespace tithiloom::py

PyMODINIT_FUNC PyInit__core(void) {
  return tithiloom::py::abort_on_fault(tithiloom::py::create_module);
}
