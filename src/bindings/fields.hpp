// Readers of single fields of caller-supplied definition dicts.
// Each returns false with a Python error set when the call must fail.
#pragma once

#include <Python.h>

#include <cstdint>
#include <optional>
#include <string>

namespace tithiloom::py {

// Missing key: KeyError(key). None or a non-str: TypeError.
bool extract_str(PyObject* dict, const char* key, std::string& out);
// Missing, None or anything but an integer in 0..2**32-1 reads as 0; never fails
// unless the dict's own lookup raises.
bool extract_u32_or(PyObject* dict, const char* key, std::uint32_t& out);
// Missing or None is absent; a value of the wrong type is a TypeError.
bool extract_opt_str(PyObject* dict, const char* key, std::optional<std::string>& out);
bool extract_opt_u32(PyObject* dict, const char* key, std::optional<std::uint32_t>& out);

}  // namespace tithiloom::py
