// Result conversion: C++ values and records into new Python objects.
#pragma once

#include <Python.h>

#include <iterator>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "pyref.hpp"
#include "types.hpp"

namespace tithiloom::py {

template <class T>
PyObject* to_py(const T& value) {
  if constexpr (std::is_same_v<T, bool>) {
    return PyBool_FromLong(value);
  } else if constexpr (std::is_floating_point_v<T>) {
    return PyFloat_FromDouble(value);
  } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
    return PyLong_FromLongLong(value);
  } else if constexpr (std::is_integral_v<T>) {
    return PyLong_FromUnsignedLongLong(value);
  } else {
    static_assert(std::is_convertible_v<const T&, std::string_view>);
    const std::string_view text(value);
    return PyUnicode_FromStringAndSize(text.data(), static_cast<Py_ssize_t>(text.size()));
  }
}

// Builds a dict with keys in insertion order; the first failure sticks and
// release() then returns null with the Python error set. Once an error is
// pending (here or in a nested builder) no further Python call is made.
class DictBuilder {
 public:
  DictBuilder() : dict_(PyErr_Occurred() ? nullptr : PyDict_New()) {}

  template <class T>
  DictBuilder& add(const char* key, const T& value) {
    return dict_ ? add_owned(key, PyRef(to_py(value))) : *this;
  }
  DictBuilder& add_owned(const char* key, PyRef value);

  PyObject* release() { return dict_.release(); }

 private:
  PyRef dict_;
};

PyObject* window_to_dict(const TimeWindow& window);

// Raises a computing error's message as ValueError; returns null.
PyObject* raise_value_error(const std::string& message);

// Raises a failed result's error as the exception its kind calls for; returns null.
template <class T>
PyObject* raise_error(const Result<T>& failed) {
  if (failed.error_kind() == Error::Kind::too_large) {
    PyErr_SetString(PyExc_MemoryError, failed.error().c_str());
    return nullptr;
  }
  return raise_value_error(failed.error());
}

// A new list holding convert(item) for each item, or null on failure.
template <class Items, class Convert>
PyObject* list_of(const Items& items, Convert&& convert) {
  PyRef list(PyList_New(static_cast<Py_ssize_t>(std::size(items))));
  if (!list) return nullptr;
  Py_ssize_t k = 0;
  for (const auto& item : items) {
    PyObject* obj = convert(item);
    if (obj == nullptr) return nullptr;
    PyList_SET_ITEM(list.get(), k++, obj);
  }
  return list.release();
}

}  // namespace tithiloom::py
