// Result conversion: C++ values and records into new Python objects.
#pragma once

#include <Python.h>

#include <iterator>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
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
// A dict of numbers, texts and dicts of those is released untracked by the
// cycle collector, as the interpreter itself leaves dicts of numbers and
// texts: nothing in it can form a cycle as built, and a million tracked
// records would make each full collection stall every thread for a second.
class DictBuilder {
 public:
  DictBuilder() : dict_(PyErr_Occurred() ? nullptr : PyDict_New()) {}

  template <class T>
  DictBuilder& add(const char* key, const T& value) {
    return dict_ ? add_owned(key, PyRef(to_py(value))) : *this;
  }
  DictBuilder& add_owned(const char* key, PyRef value);

  PyObject* release();

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

// Items converted between two pauses of a long conversion: a millisecond or
// two of work, so that neither Ctrl-C nor another thread waits long.
inline constexpr Py_ssize_t CONVERSION_SLICE = 256;

// A pause between slices: a thread waiting for the interpreter lock gets it,
// and pending signal handlers run. False, with the handler's exception set,
// when one raised.
bool let_others_run();

// Drops a partly built list. A long one is freed off the caller's path, a
// slice at a time, so that its error reaches the caller at once.
void discard(PyRef partial);

// A new list holding convert(item) for each item, or null on failure (or on
// Ctrl-C while it is built), with nothing of it left to the caller.
template <class Items, class Convert>
PyObject* list_of(const Items& items, Convert&& convert) {
  PyRef list(PyList_New(static_cast<Py_ssize_t>(std::size(items))));
  if (!list) return nullptr;
  Py_ssize_t k = 0;
  for (const auto& item : items) {
    const bool go_on = k % CONVERSION_SLICE != 0 || k == 0 || let_others_run();
    PyObject* obj = go_on ? convert(item) : nullptr;
    if (obj == nullptr) {
      discard(std::move(list));
      return nullptr;
    }
    PyList_SET_ITEM(list.get(), k++, obj);
  }
  return list.release();
}

// Frees a computed value without the interpreter lock: freeing a million
// records takes long enough to stall other threads.
template <class T>
  requires(!std::is_lvalue_reference_v<T>)
void free_unlocked(T&& value) {
  PyThreadState* state = PyEval_SaveThread();
  { const T spent = std::move(value); }
  PyEval_RestoreThread(state);
}

// As list_of, taking the items, which are then freed without the lock.
template <class Items, class Convert>
  requires(!std::is_lvalue_reference_v<Items>)
PyObject* list_from(Items&& items, Convert&& convert) {
  PyObject* list = list_of(items, std::forward<Convert>(convert));
  free_unlocked(std::move(items));
  return list;
}

}  // namespace tithiloom::py
