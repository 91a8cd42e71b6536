#include "args.hpp"

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "convert.hpp"
#include "pyref.hpp"

namespace tithiloom::py {
namespace {

// 'a', 'b' and 'c'
std::string join_quoted(const std::vector<const char*>& names) {
  std::string out;
  for (std::size_t k = 0; k < names.size(); ++k) {
    if (k > 0) out += (k + 1 == names.size()) ? " and " : ", ";
    out += '\'';
    out += names[k];
    out += '\'';
  }
  return out;
}

void raise_too_many_positional(const Signature& sig, Py_ssize_t given) {
  const std::size_t max = sig.count;
  const std::size_t min = max - sig.defaulted;
  const char* verb = given == 1 ? "was" : "were";
  if (min == max)
    PyErr_Format(PyExc_TypeError, "%s() takes %zu positional arguments but %zd %s given", sig.func,
                 max, given, verb);
  else
    PyErr_Format(PyExc_TypeError, "%s() takes from %zu to %zu positional arguments but %zd %s given",
                 sig.func, min, max, given, verb);
}

void intern_names(const Signature& sig) {
  for (std::size_t i = 0; i < sig.count && sig.interned[i] == nullptr; ++i) {
    sig.interned[i] = PyUnicode_InternFromString(sig.params[i]);
    if (sig.interned[i] == nullptr) {
      PyErr_Clear();  // matching by text still works
      return;
    }
  }
}

std::optional<std::size_t> param_index(const Signature& sig, PyObject* name) {
  intern_names(sig);
  for (std::size_t i = 0; i < sig.count; ++i)
    if (sig.interned[i] == name) return i;
  // Keyword names are almost always compact ASCII: compare their bytes directly.
  if (PyUnicode_IS_COMPACT_ASCII(name)) {
    const auto len = static_cast<std::size_t>(PyUnicode_GET_LENGTH(name));
    const void* data = PyUnicode_DATA(name);
    for (std::size_t i = 0; i < sig.count; ++i)
      if (sig.lengths[i] == len && std::memcmp(data, sig.params[i], len) == 0) return i;
    return std::nullopt;
  }
  for (std::size_t i = 0; i < sig.count; ++i)
    if (PyUnicode_CompareWithASCIIString(name, sig.params[i]) == 0) return i;
  return std::nullopt;
}

long as_long(PyObject* obj) {
#if PY_VERSION_HEX >= 0x030C0000
  // Small ints are the common case; read them without the general conversion.
  if (PyLong_CheckExact(obj) && PyUnstable_Long_IsCompact(reinterpret_cast<PyLongObject*>(obj)))
    return static_cast<long>(PyUnstable_Long_CompactValue(reinterpret_cast<PyLongObject*>(obj)));
#endif
  return PyLong_AsLong(obj);
}

bool in_range_long(PyObject* obj, long lo, long hi, long& out) {
  out = as_long(obj);
  if (out == -1 && PyErr_Occurred()) return false;
  if (out < lo || out > hi) {
    PyErr_SetString(PyExc_OverflowError, "out of range integral type conversion attempted");
    return false;
  }
  return true;
}

}  // namespace

void raise_cannot_convert(PyObject* obj, const char* target) {
  PyErr_Format(PyExc_TypeError, "'%s' object cannot be converted to '%s'", Py_TYPE(obj)->tp_name,
               target);
}

bool Args::parse(PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  const std::size_t n = sig_.count;
  if (static_cast<std::size_t>(nargs) > n) {
    raise_too_many_positional(sig_, nargs);
    return false;
  }
  for (Py_ssize_t i = 0; i < nargs; ++i) slots_[i] = args[i];
  const std::size_t required = n - sig_.defaulted;
  if (kwnames == nullptr && static_cast<std::size_t>(nargs) >= required) return true;

  const Py_ssize_t nkw = kwnames ? PyTuple_GET_SIZE(kwnames) : 0;
  for (Py_ssize_t k = 0; k < nkw; ++k) {
    PyObject* name = PyTuple_GET_ITEM(kwnames, k);
    const auto i = param_index(sig_, name);
    if (!i) {
      PyErr_Format(PyExc_TypeError, "%s() got an unexpected keyword argument '%U'", sig_.func, name);
      return false;
    }
    if (slots_[*i] != nullptr) {
      PyErr_Format(PyExc_TypeError, "%s() got multiple values for argument '%s'", sig_.func,
                   sig_.params[*i]);
      return false;
    }
    slots_[*i] = args[nargs + k];
  }

  std::vector<const char*> missing;
  for (std::size_t i = 0; i < required; ++i)
    if (slots_[i] == nullptr) missing.push_back(sig_.params[i]);
  if (!missing.empty()) {
    PyErr_Format(PyExc_TypeError, "%s() missing %zu required positional %s: %s", sig_.func,
                 missing.size(), missing.size() == 1 ? "argument" : "arguments",
                 join_quoted(missing).c_str());
    return false;
  }
  return true;
}

bool Args::fail(std::size_t i) const {
  // Only the conversions' own errors name the argument: a new exception of
  // the same type, caused by the original. Whatever else a caller's object
  // raised (SystemExit, an ExceptionGroup, an OSError with its errno, a
  // subclass with its own constructor) reaches the caller as it is.
  PyObject* pending = PyErr_Occurred();
  if (pending != PyExc_TypeError && pending != PyExc_OverflowError) return false;
#if PY_VERSION_HEX >= 0x030C0000
  PyRef original(PyErr_GetRaisedException());
#else
  PyObject *raw_type = nullptr, *raw_value = nullptr, *raw_tb = nullptr;
  PyErr_Fetch(&raw_type, &raw_value, &raw_tb);
  PyErr_NormalizeException(&raw_type, &raw_value, &raw_tb);
  if (raw_tb != nullptr) PyException_SetTraceback(raw_value, raw_tb);
  PyRef type_ref(raw_type), original(raw_value), tb(raw_tb);
#endif
  // The text is the caller's object's own; where it cannot be made, the
  // error keeps its type and says so by name, rather than become the text's
  // failure.
  PyRef text(PyObject_Str(original.get()));
  if (!text) {
    PyErr_Clear();
    text = PyRef(PyUnicode_FromString(Py_TYPE(original.get())->tp_name));
    if (!text) return false;
  }
  PyErr_Format(pending, "argument '%s': %U", sig_.params[i], text.get());
#if PY_VERSION_HEX >= 0x030C0000
  PyRef renamed(PyErr_GetRaisedException());
  PyException_SetCause(renamed.get(), original.release());
  PyErr_SetRaisedException(renamed.release());
#else
  PyObject *new_type = nullptr, *new_value = nullptr, *new_tb = nullptr;
  PyErr_Fetch(&new_type, &new_value, &new_tb);
  PyErr_NormalizeException(&new_type, &new_value, &new_tb);
  PyException_SetCause(new_value, original.release());
  PyErr_Restore(new_type, new_value, new_tb);
#endif
  return false;
}

bool Args::read(std::size_t i, double& out) const {
  PyObject* o = slot(i);
  if (o == nullptr) return true;
  if (PyFloat_CheckExact(o)) {
    out = PyFloat_AS_DOUBLE(o);
    return true;
  }
  const double v = PyFloat_AsDouble(o);
  if (v == -1.0 && PyErr_Occurred()) return fail(i);
  out = v;
  return true;
}

bool Args::read(std::size_t i, std::int32_t& out) const {
  PyObject* o = slot(i);
  if (o == nullptr) return true;
  long v = 0;
  if (!in_range_long(o, std::numeric_limits<std::int32_t>::min(),
                     std::numeric_limits<std::int32_t>::max(), v))
    return fail(i);
  out = static_cast<std::int32_t>(v);
  return true;
}

bool convert_u32(PyObject* obj, std::uint32_t& out) {
  long v = 0;
  if (!in_range_long(obj, 0, std::numeric_limits<std::uint32_t>::max(), v)) return false;
  out = static_cast<std::uint32_t>(v);
  return true;
}

bool convert_str(PyObject* obj, std::string& out) {
  if (!PyUnicode_Check(obj)) {
    raise_cannot_convert(obj, "PyString");
    return false;
  }
  Py_ssize_t size = 0;
  const char* utf8 = PyUnicode_AsUTF8AndSize(obj, &size);
  if (utf8 == nullptr) return false;
  out.assign(utf8, static_cast<std::size_t>(size));
  return true;
}

bool Args::read(std::size_t i, std::uint32_t& out) const {
  PyObject* o = slot(i);
  return o == nullptr || convert_u32(o, out) || fail(i);
}

bool Args::read(std::size_t i, std::size_t& out) const {
  PyObject* o = slot(i);
  if (o == nullptr) return true;
  PyRef index(PyNumber_Index(o));
  if (!index) return fail(i);
  const std::size_t v = PyLong_AsSize_t(index.get());
  if (v == static_cast<std::size_t>(-1) && PyErr_Occurred()) return fail(i);
  out = v;
  return true;
}

bool Args::read(std::size_t i, bool& out) const {
  PyObject* o = slot(i);
  if (o == nullptr) return true;
  if (!PyBool_Check(o)) {
    raise_cannot_convert(o, "PyBool");
    return fail(i);
  }
  out = (o == Py_True);
  return true;
}

bool Args::read(std::size_t i, std::string& out) const {
  PyObject* o = slot(i);
  return o == nullptr || convert_str(o, out) || fail(i);
}

bool Args::read(std::size_t i, std::optional<std::string>& out) const {
  PyObject* o = slot(i);
  if (o == nullptr || o == Py_None) {
    out.reset();
    return true;
  }
  std::string text;
  if (!read(i, text)) return false;
  out = std::move(text);
  return true;
}

bool Args::read(std::size_t i, Text& out) const {
  PyObject* o = slot(i);
  if (o == nullptr) return true;
  if (!PyUnicode_Check(o)) {
    raise_cannot_convert(o, "PyString");
    return fail(i);
  }
  out.str = o;
  return true;
}

bool Args::read(std::size_t i, std::optional<Text>& out) const {
  PyObject* o = slot(i);
  if (o == nullptr || o == Py_None) {
    out.reset();
    return true;
  }
  Text text;
  if (!read(i, text)) return false;
  out = text;
  return true;
}

bool Args::read(std::size_t i, std::vector<double>& out) const {
  PyObject* o = slot(i);
  if (o == nullptr) return true;
  if (PyUnicode_Check(o)) {
    PyErr_SetString(PyExc_TypeError, "a str is not accepted as a sequence of floats");
    return fail(i);
  }
  if (!PySequence_Check(o)) {
    raise_cannot_convert(o, "Sequence");
    return fail(i);
  }
  // A tuple snapshot holds its items: a conversion that runs Python code
  // cannot shrink or free what is being read.
  PyRef items(PySequence_Tuple(o));
  if (!items) return fail(i);
  const Py_ssize_t n = PyTuple_GET_SIZE(items.get());
  std::vector<double> values;
  values.reserve(static_cast<std::size_t>(n));
  for (Py_ssize_t k = 0; k < n; ++k) {
    // A million instants take a while to read: other threads and Ctrl-C get
    // their turn between slices.
    if (k % CONVERSION_SLICE == 0 && k > 0 && !let_others_run()) return false;
    const double v = PyFloat_AsDouble(PyTuple_GET_ITEM(items.get(), k));
    if (v == -1.0 && PyErr_Occurred()) return fail(i);
    values.push_back(v);
  }
  out = std::move(values);
  return true;
}

namespace {

constexpr const char* JD_RANGE =
    "a Julian Day between 625000.5 and 2818000.5 (the span the ephemeris covers)";
static_assert(MIN_JD_UT == 625000.5 && MAX_JD_UT == 2818000.5, "JD_RANGE names the span");

bool is_covered_instant(double jd) { return jd >= MIN_JD_UT && jd <= MAX_JD_UT; }

// Python's repr of a float: 91.0, nan, 1e+15.
PyRef float_repr(double x) {
  char* text = PyOS_double_to_string(x, 'r', 0, Py_DTSF_ADD_DOT_0, nullptr);
  if (text == nullptr) return PyRef();
  PyRef out(PyUnicode_FromString(text));
  PyMem_Free(text);
  return out;
}

}  // namespace

bool Args::refuse(std::size_t i, const char* requirement, double got) const {
  const PyRef repr = float_repr(got);
  if (repr)
    PyErr_Format(PyExc_ValueError, "argument '%s': %s, got %U", sig_.params[i], requirement,
                 repr.get());
  return false;
}

bool Args::read_latitude(std::size_t i, double& out) const {
  if (!read(i, out)) return false;
  return (out >= -90.0 && out <= 90.0) ||
         refuse(i, "must be a finite number between -90 and 90 degrees", out);
}

bool Args::read_finite(std::size_t i, double& out) const {
  if (!read(i, out)) return false;
  return std::isfinite(out) || refuse(i, "must be a finite number", out);
}

bool Args::read_instant(std::size_t i, double& out) const {
  if (!read(i, out)) return false;
  if (is_covered_instant(out)) return true;
  return refuse(i, (std::string("must be ") + JD_RANGE).c_str(), out);
}

bool Args::read_instants(std::size_t i, std::vector<double>& out) const {
  if (!read(i, out)) return false;
  for (std::size_t k = 0; k < out.size(); ++k) {
    if (!is_covered_instant(out[k]))
      return refuse(i, ("item " + std::to_string(k) + " must be " + JD_RANGE).c_str(), out[k]);
  }
  return true;
}

namespace {

// A clock that reads more than a day away from UTC is no place's.
constexpr long MAX_CLOCK_OFFSET_S = 86399;

bool read_shift(PyObject* item, ClockShift& out) {
  PyRef pair(PySequence_Tuple(item));
  if (!pair) return false;
  if (PyTuple_GET_SIZE(pair.get()) != 2) {
    PyErr_SetString(PyExc_TypeError, "each shift must be a (from_jd, offset_seconds) pair");
    return false;
  }
  out.from_jd_ut = PyFloat_AsDouble(PyTuple_GET_ITEM(pair.get(), 0));
  if (out.from_jd_ut == -1.0 && PyErr_Occurred()) return false;
  long offset = 0;
  if (!in_range_long(PyTuple_GET_ITEM(pair.get(), 1), -MAX_CLOCK_OFFSET_S, MAX_CLOCK_OFFSET_S,
                     offset))
    return false;
  out.offset_s = static_cast<std::int32_t>(offset);
  return true;
}

}  // namespace

bool Args::read_convention(ClockArg kind, Convention& out) const {
  out = Convention::core;
  if (kind == ClockArg::offset) return true;
  std::size_t i = 0;
  while (i + 1 < sig_.count && std::string_view(sig_.params[i]) != "convention") ++i;
  std::string label;
  if (!read(i, label)) return false;
  if (label.empty() || label == "core") return true;
  if (label == "almanac") {
    out = Convention::almanac;
    return true;
  }
  PyErr_Format(PyExc_ValueError, "argument '%s': must be 'core' or 'almanac', got '%s'",
               sig_.params[i], label.c_str());
  return false;
}

bool Args::read_clock(std::size_t i, ClockArg kind, Clock& out) const {
  if (kind == ClockArg::offset) {
    std::int32_t offset = 0;
    if (!read(i, offset)) return false;
    out = fixed_clock(offset);
    return true;
  }
  PyObject* o = slot(i);
  if (o == nullptr) return true;
  PyRef items(PySequence_Tuple(o));
  if (!items) return fail(i);
  const Py_ssize_t n = PyTuple_GET_SIZE(items.get());
  Clock clock;
  clock.shifts.resize(static_cast<std::size_t>(n));
  for (Py_ssize_t k = 0; k < n; ++k)
    if (!read_shift(PyTuple_GET_ITEM(items.get(), k), clock.shifts[static_cast<std::size_t>(k)]))
      return fail(i);
  for (std::size_t k = 0; k < clock.shifts.size(); ++k) {
    const double from = clock.shifts[k].from_jd_ut;
    if (std::isnan(from) || (k > 0 && !(from > clock.shifts[k - 1].from_jd_ut)))
      return refuse(i, "must list its shifts in increasing order of instant", from);
  }
  if (clock.shifts.empty()) {
    PyErr_Format(PyExc_ValueError, "argument '%s': must hold at least one shift", sig_.params[i]);
    return false;
  }
  out = std::move(clock);
  return true;
}

bool Args::read(std::size_t i, std::optional<DictList>& out) const {
  PyObject* o = slot(i);
  if (o == nullptr || o == Py_None) {
    out.reset();
    return true;
  }
  DictList list;
  if (!read(i, list)) return false;
  out = list;
  return true;
}

bool Args::read(std::size_t i, DictList& out) const {
  PyObject* o = slot(i);
  if (o == nullptr) return true;
  if (!PyList_Check(o)) {
    raise_cannot_convert(o, "PyList");
    return fail(i);
  }
  out.list = o;
  return true;
}

}  // namespace tithiloom::py
