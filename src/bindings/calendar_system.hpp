// How the public functions read a month-reckoning name. The two readers
// differ on purpose: each is the contract its function has always had, and
// callers rely on both. py_compute_lunar_months defaults to amant and
// switches only for "purnimant" in any ASCII letter case; py_compute_festivals
// defaults to purnimant and switches only for the exact "amant" or "amanta".
// The package hands either one "amant" or "purnimant", which both read alike.
#pragma once

#include <Python.h>

#include <cstddef>
#include <string_view>

namespace tithiloom::py {

// Each takes the `str` given, or null when it was omitted (or None).

// py_compute_lunar_months: whether the text lower-cases to "purnimant". Only
// ASCII capitals lower-case into these letters, so comparing code points one
// by one is exact, and it also works for strings that have no UTF-8 form
// (lone surrogates).
inline bool lunar_months_purnimant(PyObject* text) {
  constexpr std::string_view target = "purnimant";
  if (text == nullptr) return false;
  if (PyUnicode_GET_LENGTH(text) != static_cast<Py_ssize_t>(target.size())) return false;
  for (std::size_t k = 0; k < target.size(); ++k) {
    const Py_UCS4 c = PyUnicode_READ_CHAR(text, static_cast<Py_ssize_t>(k));
    const auto lower = static_cast<Py_UCS4>(target[k]);
    if (c != lower && c != lower - ('a' - 'A')) return false;
  }
  return true;
}

// py_compute_festivals: purnimant unless the text is exactly "amant" or "amanta".
inline bool festivals_purnimant(PyObject* text) {
  return !(text != nullptr && (PyUnicode_CompareWithASCIIString(text, "amant") == 0 ||
                               PyUnicode_CompareWithASCIIString(text, "amanta") == 0));
}

}  // namespace tithiloom::py
