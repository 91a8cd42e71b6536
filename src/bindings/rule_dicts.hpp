// Festival rule dicts read into definitions, as each convention reads them:
// the module's keys and labels, and under the almanac's also its own.
#pragma once

#include <Python.h>

#include "args.hpp"
#include "festival.hpp"

namespace tithiloom::py {

// Keys are read in a fixed order; the first failure ends the call, with the
// error of the key that failed.
bool read_festival_definition(PyObject* item, FestivalDef& def, Convention convention);

}  // namespace tithiloom::py
