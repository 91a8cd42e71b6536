// Positional-or-keyword argument parsing and typed conversion, with the
// module's exact error texts.
#pragma once

#include <Python.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calendar.hpp"
#include "ephemeris.hpp"

namespace tithiloom::py {

inline constexpr std::size_t MAX_PARAMS = 12;

class Signature {
 public:
  // `defaulted`: how many trailing parameters may be omitted.
  constexpr Signature(const char* func, std::array<const char*, MAX_PARAMS> params,
                      std::size_t defaulted = 0)
      : func(func), params(params), count(count_params(params)), defaulted(defaulted) {
    for (std::size_t i = 0; i < count; ++i)
      lengths[i] = std::char_traits<char>::length(params[i]);
  }

  const char* func;
  std::array<const char*, MAX_PARAMS> params;  // unused tail stays null
  std::array<std::size_t, MAX_PARAMS> lengths{};
  std::size_t count;
  std::size_t defaulted;
  // The interned names, made on first keyword use: keyword names written in
  // Python source are interned too, so most matches are pointer comparisons.
  mutable std::array<PyObject*, MAX_PARAMS> interned{};

 private:
  static constexpr std::size_t count_params(const std::array<const char*, MAX_PARAMS>& p) {
    std::size_t n = 0;
    while (n < MAX_PARAMS && p[n] != nullptr) ++n;
    return n;
  }
};

// How a function takes the place's clock: as a fixed UTC offset in seconds
// (the public functions), or as a list of (from_jd, offset_seconds) shifts
// in increasing order of instant (the package's private entry points).
enum class ClockArg : bool { offset, table };

// The signature with one more parameter, which may be omitted.
constexpr Signature with_optional(Signature sig, const char* name) {
  sig.params[sig.count] = name;
  sig.lengths[sig.count] = std::char_traits<char>::length(name);
  ++sig.count;
  ++sig.defaulted;
  return sig;
}

// The signature under which a function takes its clock: its own for an
// offset; for a table, the private twin's name, with "clock" for the offset
// and a last, optional "convention".
constexpr Signature clock_signature(ClockArg kind, Signature sig, const char* twin,
                                    std::size_t clock_param) {
  if (kind == ClockArg::offset) return sig;
  sig.func = twin;
  sig.params[clock_param] = "clock";
  sig.lengths[clock_param] = 5;
  return with_optional(sig, "convention");
}

// The conventions a private twin computes under: the module's own, or the
// almanac's (the Sun's upper limb on the refracted horizon, and the rule
// keys the module does not read). The public functions always use the
// module's.
enum class Convention : bool { core, almanac };

// The place as the convention sees the Sun rise there.
inline Place risen_as(Convention convention, Place place) {
  if (convention == Convention::almanac) place.rising_flags = ALMANAC_RISING;
  return place;
}

// A `str` argument, borrowed as it is: for code that reads its characters
// and must accept texts with no UTF-8 form (lone surrogates).
struct Text {
  PyObject* str = nullptr;
};

// A `list` of definition dicts, borrowed from the caller's argument.
struct DictList {
  PyObject* list = nullptr;
};

class Args {
 public:
  explicit Args(const Signature& sig) : sig_(sig) {}

  // Binds positional and keyword arguments to parameters; false with TypeError set.
  bool parse(PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames);

  // Each read converts parameter i into `out`; an omitted parameter leaves
  // `out` at its default. False with the prefixed conversion error set.
  bool read(std::size_t i, double& out) const;
  bool read(std::size_t i, std::int32_t& out) const;
  bool read(std::size_t i, std::uint32_t& out) const;
  bool read(std::size_t i, std::size_t& out) const;
  bool read(std::size_t i, bool& out) const;  // only True or False
  bool read(std::size_t i, std::string& out) const;
  bool read(std::size_t i, std::optional<std::string>& out) const;  // None is absent
  bool read(std::size_t i, Text& out) const;
  bool read(std::size_t i, std::optional<Text>& out) const;  // None is absent
  bool read(std::size_t i, std::vector<double>& out) const;
  bool read(std::size_t i, DictList& out) const;
  bool read(std::size_t i, std::optional<DictList>& out) const;  // None is absent

  // Reads that also refuse values no computation can use, with a ValueError
  // naming the argument and the accepted range.
  bool read_latitude(std::size_t i, double& out) const;  // finite, -90 to 90
  bool read_finite(std::size_t i, double& out) const;
  bool read_instant(std::size_t i, double& out) const;   // inside the ephemeris range
  bool read_instants(std::size_t i, std::vector<double>& out) const;
  bool read_clock(std::size_t i, ClockArg kind, Clock& out) const;
  // The "convention" parameter of a private twin: "core" (the default) or "almanac".
  bool read_convention(ClockArg kind, Convention& out) const;
  // lat, lng and alt from parameters first, first + 1 and first + 2.
  bool read_place(std::size_t first, Place& out) const {
    return read_latitude(first, out.lat_deg) && read_finite(first + 1, out.lng_deg) &&
           read_finite(first + 2, out.alt_m);
  }

 private:
  PyObject* slot(std::size_t i) const { return slots_[i]; }
  bool fail(std::size_t i) const;  // prefixes the pending error with the name
  bool refuse(std::size_t i, const char* requirement, double got) const;

  const Signature& sig_;
  std::array<PyObject*, MAX_PARAMS> slots_{};
};

// Python's own text for an object of the wrong kind, in the module's wording.
void raise_cannot_convert(PyObject* obj, const char* target);

// Conversions without the argument prefix, shared with the dict-field readers.
bool convert_u32(PyObject* obj, std::uint32_t& out);
bool convert_str(PyObject* obj, std::string& out);

}  // namespace tithiloom::py
