#include "fields.hpp"

#include <limits>

#include "args.hpp"

namespace tithiloom::py {
namespace {

// The dict's own lookup (borrowed): null with no error set when the key is
// missing; an error raised by the lookup itself stays set.
bool lookup(PyObject* dict, const char* key, PyObject*& value) {
  PyObject* key_obj = PyUnicode_FromString(key);
  if (key_obj == nullptr) return false;
  value = PyDict_GetItemWithError(dict, key_obj);
  Py_DECREF(key_obj);
  return value != nullptr || !PyErr_Occurred();
}

bool absent(PyObject* value) { return value == nullptr || value == Py_None; }


// The value of a key that must be present; KeyError(key) when missing.
bool lookup_required(PyObject* dict, const char* key, PyObject*& value) {
  if (!lookup(dict, key, value)) return false;
  if (value != nullptr) return true;
  PyObject* key_obj = PyUnicode_FromString(key);
  if (key_obj) {
    PyErr_SetObject(PyExc_KeyError, key_obj);
    Py_DECREF(key_obj);
  }
  return false;
}

}  // namespace

bool extract_str(PyObject* dict, const char* key, std::string& out) {
  PyObject* value = nullptr;
  return lookup_required(dict, key, value) && convert_str(value, out);
}

bool extract_u32(PyObject* dict, const char* key, std::uint32_t& out) {
  PyObject* value = nullptr;
  return lookup_required(dict, key, value) && convert_u32(value, out);
}

bool extract_u32_or(PyObject* dict, const char* key, std::uint32_t& out) {
  PyObject* value = nullptr;
  if (!lookup(dict, key, value)) return false;
  out = 0;
  if (absent(value)) return true;
  // Only true integers count; floats, texts and out-of-range numbers read as 0.
  if (!PyLong_Check(value) || !convert_u32(value, out)) {
    PyErr_Clear();
    out = 0;
  }
  return true;
}

bool extract_bool_or(PyObject* dict, const char* key, bool& out) {
  PyObject* value = nullptr;
  if (!lookup(dict, key, value)) return false;
  out = false;
  if (absent(value)) return true;
  if (!PyBool_Check(value)) {
    raise_cannot_convert(value, "bool");
    return false;
  }
  out = value == Py_True;
  return true;
}

bool extract_opt_str(PyObject* dict, const char* key, std::optional<std::string>& out) {
  PyObject* value = nullptr;
  if (!lookup(dict, key, value)) return false;
  out.reset();
  if (absent(value)) return true;
  std::string text;
  if (!convert_str(value, text)) return false;
  out = std::move(text);
  return true;
}

bool extract_opt_u32(PyObject* dict, const char* key, std::optional<std::uint32_t>& out) {
  PyObject* value = nullptr;
  if (!lookup(dict, key, value)) return false;
  out.reset();
  if (absent(value)) return true;
  std::uint32_t v = 0;
  if (!convert_u32(value, v)) return false;
  out = v;
  return true;
}

bool extract_opt_label(PyObject* dict, const char* key, std::optional<std::string>& out) {
  PyObject* value = nullptr;
  if (!lookup(dict, key, value)) return false;
  out.reset();
  if (absent(value)) return true;
  std::string text;
  if (!convert_str(value, text)) {
    if (!PyErr_ExceptionMatches(PyExc_UnicodeEncodeError)) return false;
    PyErr_Clear();
    return true;
  }
  out = std::move(text);
  return true;
}

bool extract_i32_or(PyObject* dict, const char* key, std::int32_t& out) {
  PyObject* value = nullptr;
  if (!lookup(dict, key, value)) return false;
  out = 0;
  if (absent(value)) return true;
  // A value that does not convert reads as 0; whatever else the caller's
  // object raises (its __index__ may raise anything) reaches the caller.
  const long v = PyLong_AsLong(value);
  if (v == -1 && PyErr_Occurred()) {
    if (!PyErr_ExceptionMatches(PyExc_TypeError) && !PyErr_ExceptionMatches(PyExc_OverflowError))
      return false;
    PyErr_Clear();
    return true;
  }
  if (v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max())
    out = static_cast<std::int32_t>(v);
  return true;
}

}  // namespace tithiloom::py
