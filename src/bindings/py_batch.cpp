// Daily results for every day of a year or of a date range.

#include <string>

#include "args.hpp"
#include "batch.hpp"
#include "boundary.hpp"
#include "convert.hpp"
#include "ephemeris.hpp"
#include "functions.hpp"
#include "gil.hpp"
#include "panchang_dicts.hpp"
#include "parallel.hpp"

namespace tithiloom::py {
namespace {

PyObject* day_dict(const BatchDayResult& r, Times times) {
  DictBuilder d;
  d.add("year", r.date.year).add("month", r.date.month).add("day", r.date.day);
  return add_panchang(d, r.panchang, times).release();
}

struct DateRange {
  CivilDate start;
  CivilDate end;
};

// What a day's dict costs the interpreter, measured at about 2 KB on 3.11
// (dict, keys table, floats, ints, strings, allocator overhead); counted with
// headroom for other versions, so that a range refused as too long is one
// whose result would truly not fit.
constexpr double PYTHON_BYTES_PER_DAY = 3072.0;

PyObject* batch(const DateRange& r, const Clock& clock, const Place& place,
                Transitions transitions = Transitions::skip) {
  const unsigned threads = pool_size();
  auto days = interruptible([&] {
    return compute_range(r.start, r.end, clock, place, threads, PYTHON_BYTES_PER_DAY,
                         transitions);
  });
  if (!days) return nullptr;  // interrupted
  if (!days->ok()) return raise_error(*days);
  const Times times = transitions == Transitions::skip ? Times::omit : Times::include;
  return list_from(std::move(*days).value(),
                   [times](const BatchDayResult& day) { return day_dict(day, times); });
}

// The private twin may also ask for each limb's start and end.
constexpr Signature batch_range_signature(ClockArg kind) {
  Signature sig = clock_signature(
      kind,
      {"py_compute_batch_range",
       {"start_year", "start_month", "start_day", "end_year", "end_month", "end_day", "lat",
        "lng", "alt", "utc_offset"}},
      "_batch_range", 9);
  if (kind == ClockArg::table) sig = with_optional(sig, "transitions");
  return sig;
}

}  // namespace

PyObject* py_compute_batch_year(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                                PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig{"py_compute_batch_year",
                                   {"year", "lat", "lng", "alt", "utc_offset"}};
    Args a(sig);
    std::int32_t year = 0, utc_offset = 0;
    Place place{};
    if (!a.parse(args, nargs, kwnames) || !a.read(0, year) || !a.read_place(1, place) ||
        !a.read(4, utc_offset))
      return nullptr;
    return batch({{year, 1, 1}, {year, 12, 31}}, fixed_clock(utc_offset), place);
  });
}

template <ClockArg K>
PyObject* py_compute_batch_range_with(PyObject* const* args, Py_ssize_t nargs,
                                      PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig = batch_range_signature(K);
    Args a(sig);
    DateRange r{};
    Clock clock;
    Place place{};
    Convention convention{};
    if (!a.parse(args, nargs, kwnames) || !a.read(0, r.start.year) || !a.read(1, r.start.month) ||
        !a.read(2, r.start.day) || !a.read(3, r.end.year) || !a.read(4, r.end.month) ||
        !a.read(5, r.end.day) || !a.read_place(6, place) || !a.read_clock(9, K, clock) ||
        !a.read_convention(K, convention))
      return nullptr;
    std::string timed = "none";
    if (K == ClockArg::table && !a.read(11, timed)) return nullptr;
    Transitions transitions = Transitions::skip;
    if (timed == "all") transitions = Transitions::search;
    else if (timed == "ends") transitions = Transitions::ends;
    else if (timed != "none") {
      PyErr_Format(PyExc_ValueError,
                   "argument 'transitions': must be 'none', 'all' or 'ends', got '%s'",
                   timed.c_str());
      return nullptr;
    }
    place = risen_as(convention, place);
    return batch(r, clock, place, transitions);
  });
}

PyObject* py_compute_batch_range(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                                 PyObject* kwnames) {
  return py_compute_batch_range_with<ClockArg::offset>(args, nargs, kwnames);
}

PyObject* clocked_batch_range(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                              PyObject* kwnames) {
  return py_compute_batch_range_with<ClockArg::table>(args, nargs, kwnames);
}

}  // namespace tithiloom::py
