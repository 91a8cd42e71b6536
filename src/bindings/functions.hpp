// The module's Python-callable functions (vectorcall with keywords).
#pragma once

#include <Python.h>

namespace tithiloom::py {

using FastFunction = PyObject*(PyObject* module, PyObject* const* args, Py_ssize_t nargs,
                               PyObject* kwnames);

FastFunction py_init;
FastFunction py_close;
FastFunction py_datetime_to_jd;
FastFunction py_jd_to_datetime;
FastFunction py_tropical_longitude;
FastFunction py_sidereal_longitude;
FastFunction py_ayanamsa;
FastFunction py_planet_speed;
FastFunction py_sunrise_jd;
FastFunction py_sunset_jd;
FastFunction py_compute_sun_data;
FastFunction py_compute_lagna;
FastFunction py_compute_lagna_windows;
FastFunction py_compute_panchang;
FastFunction py_compute_panchanga_at_jds;
FastFunction py_compute_muhurat;
FastFunction py_compute_choghadiya;
FastFunction py_compute_sankrantis;
FastFunction py_compute_lunar_months;
FastFunction py_compute_festivals;
FastFunction py_compute_ekadashis;
FastFunction py_compute_vrat_dates;
FastFunction py_compute_batch_year;
FastFunction py_compute_batch_range;
FastFunction py_era_year;
FastFunction py_jovian_cycle_index;
FastFunction py_compute_shraddha;
FastFunction py_compute_shraddha_timeline;

// The package's private twins of the functions that take a UTC offset: the
// same, with the place's clock instead.
FastFunction clocked_sun_data;
FastFunction clocked_panchang;
FastFunction clocked_festivals;
FastFunction clocked_ekadashis;
FastFunction clocked_vrat_dates;
FastFunction clocked_batch_range;
FastFunction clocked_shraddha;
FastFunction clocked_shraddha_timeline;

// The days of a range with every transition time, and the limb boundaries
// between two instants (py_batch.cpp).
FastFunction timed_range;
FastFunction limb_boundaries;
// Every rising sign's window (py_lagna.cpp).
FastFunction every_lagna_window;

// The package's view of the core's rule tables (see py_vocabulary.cpp).
FastFunction vocabulary;

}  // namespace tithiloom::py
