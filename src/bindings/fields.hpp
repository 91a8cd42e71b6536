// Readers of single fields of caller-supplied definition dicts.
// Each returns false with a Python error set when the call must fail.
#pragma once

#include <Python.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "args.hpp"
#include "convert.hpp"
#include "pyref.hpp"

namespace tithiloom::py {

// Missing key: KeyError(key). None or a non-str: TypeError.
bool extract_str(PyObject* dict, const char* key, std::string& out);
// Missing, None or anything but an integer in 0..2**32-1 reads as 0; never fails
// unless the dict's own lookup raises.
bool extract_u32_or(PyObject* dict, const char* key, std::uint32_t& out);
// Missing or None is absent; a value of the wrong type is a TypeError.
bool extract_opt_str(PyObject* dict, const char* key, std::optional<std::string>& out);
bool extract_opt_u32(PyObject* dict, const char* key, std::optional<std::uint32_t>& out);
// A label: missing or None is absent, a non-str a TypeError. A str with no
// UTF-8 form (lone surrogates) can equal no label, so it reads as absent too.
bool extract_opt_label(PyObject* dict, const char* key, std::optional<std::string>& out);
// Missing, None, or anything that does not convert to a signed 32-bit integer
// reads as 0, the conversion error discarded; never fails unless the dict's
// own lookup raises.
bool extract_i32_or(PyObject* dict, const char* key, std::int32_t& out);
// Missing or None is false; anything but True or False a TypeError.
bool extract_bool_or(PyObject* dict, const char* key, bool& out);
// Missing key: KeyError(key). Anything but an integer in 0..2**32-1: the
// conversion's own error.
bool extract_u32(PyObject* dict, const char* key, std::uint32_t& out);

// Reads each item of a list of definition dicts, in order, with
// `read_one(dict, def)`. The items are read from a snapshot, so code run
// while reading (a key's __eq__, a number's __index__) cannot change what is
// read. A non-dict item or the first failing read ends the reading with its
// error set.
template <class Def, class ReadOne>
bool read_definitions(PyObject* list, std::vector<Def>& defs, ReadOne&& read_one) {
  PyRef items(PyList_AsTuple(list));
  if (!items) return false;
  const Py_ssize_t n = PyTuple_GET_SIZE(items.get());
  defs.reserve(static_cast<std::size_t>(n));
  for (Py_ssize_t k = 0; k < n; ++k) {
    // Between definitions, never inside one: other threads and Ctrl-C get
    // their turn while a hundred thousand are read.
    if (k % CONVERSION_SLICE == 0 && k > 0 && !let_others_run()) return false;
    PyObject* item = PyTuple_GET_ITEM(items.get(), k);
    if (!PyDict_Check(item)) {
      raise_cannot_convert(item, "PyDict");
      return false;
    }
    Def def;
    if (!read_one(item, def)) return false;
    defs.push_back(std::move(def));
  }
  return true;
}

}  // namespace tithiloom::py
