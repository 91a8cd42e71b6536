// Daily results for every day of a year or of a date range.

#include "args.hpp"
#include "batch.hpp"
#include "boundary.hpp"
#include "convert.hpp"
#include "ephemeris.hpp"
#include "functions.hpp"
#include "gil.hpp"
#include "panchang_dicts.hpp"
#include "parallel.hpp"
#include "transitions.hpp"

namespace tithiloom::py {
namespace {

PyObject* day_dict_with(const BatchDayResult& r, Times times) {
  DictBuilder d;
  d.add("year", r.date.year).add("month", r.date.month).add("day", r.date.day);
  add_panchang(d, r.panchang, times);
  if (r.moon) d.add_owned("moon", PyRef(moon_dict(*r.moon)));
  return d.release();
}

PyObject* day_dict(const BatchDayResult& r) { return day_dict_with(r, Times::omit); }
PyObject* timed_day_dict(const BatchDayResult& r) { return day_dict_with(r, Times::include); }

struct DateRange {
  CivilDate start;
  CivilDate end;
};

// What a day's dict costs the interpreter, measured at about 2 KB on 3.11
// (dict, keys table, floats, ints, strings, allocator overhead); counted with
// headroom for other versions, so that a range refused as too long is one
// whose result would truly not fit.
constexpr double PYTHON_BYTES_PER_DAY = 3072.0;

constexpr double BRIEF_RANGE_DAYS = 7.0;

PyObject* batch(const DateRange& r, const Clock& clock, const Place& place,
                DayTimes times = DayTimes::none, bool moon = false) {
  const unsigned threads = pool_size();
  const auto compute = [&] {
    return compute_range(r.start, r.end, clock, place, threads, PYTHON_BYTES_PER_DAY, times,
                         moon);
  };
  // A few days with their times (a day() of the package) take well under the
  // time Ctrl-C may wait: they run on the caller's thread, whose library
  // state is warm, rather than on a thread of their own.
  const bool brief = times != DayTimes::none &&
                     julday(r.end, 0.0) - julday(r.start, 0.0) <= BRIEF_RANGE_DAYS;
  auto days = brief ? std::optional(without_gil(compute)) : interruptible(compute);
  if (!days) return nullptr;  // interrupted
  if (!days->ok()) return raise_error(*days);
  if (times == DayTimes::none) return list_from(std::move(*days).value(), day_dict);
  return list_from(std::move(*days).value(), timed_day_dict);
}

// A range's dates, place, clock and convention, as the range functions take
// them: dates 0-5, the place 6-8, the clock 9, then the convention.
struct RangeCall {
  DateRange dates{};
  Clock clock;
  Place place{};
  Convention convention{};
};

bool read_range(const Args& a, ClockArg kind, RangeCall& c) {
  if (!a.read(0, c.dates.start.year) || !a.read(1, c.dates.start.month) ||
      !a.read(2, c.dates.start.day) || !a.read(3, c.dates.end.year) ||
      !a.read(4, c.dates.end.month) || !a.read(5, c.dates.end.day) || !a.read_place(6, c.place) ||
      !a.read_clock(9, kind, c.clock) || !a.read_convention(kind, c.convention))
    return false;
  c.place = risen_as(c.convention, c.place);
  return true;
}

PyObject* boundary_list(const std::vector<LimbBoundary>& list) {
  return list_of(list, [](const LimbBoundary& b) -> PyObject* {
    PyRef jd(PyFloat_FromDouble(b.jd_ut));
    PyRef index(jd ? PyLong_FromUnsignedLong(b.index_after) : nullptr);
    if (!index) return nullptr;
    return PyTuple_Pack(2, jd.get(), index.get());
  });
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
    static constexpr Signature sig = clock_signature(
        K,
        {"py_compute_batch_range",
         {"start_year", "start_month", "start_day", "end_year", "end_month", "end_day", "lat",
          "lng", "alt", "utc_offset"}},
        "_batch_range", 9);
    Args a(sig);
    RangeCall c;
    if (!a.parse(args, nargs, kwnames) || !read_range(a, K, c)) return nullptr;
    return batch(c.dates, c.clock, c.place);
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

// The days of a range with every transition time: under the almanac
// convention from boundaries found once and shared by the days they
// separate, under the core's from each day's own search; with `moon`, each
// with its Moon under a "moon" key, as the private day gives it.
PyObject* timed_range(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig = with_optional(
        clock_signature(ClockArg::table,
                        {"_timed_range",
                         {"start_year", "start_month", "start_day", "end_year", "end_month",
                          "end_day", "lat", "lng", "alt", "clock"}},
                        "_timed_range", 9),
        "moon");
    Args a(sig);
    RangeCall c;
    bool moon = false;
    if (!a.parse(args, nargs, kwnames) || !read_range(a, ClockArg::table, c) ||
        !a.read(11, moon))
      return nullptr;
    return batch(c.dates, c.clock, c.place,
                 c.convention == Convention::almanac ? DayTimes::shared : DayTimes::per_day,
                 moon);
  });
}

// Every boundary of tithi, karana, nakshatra, yoga and the Moon's rashi
// between two instants, as lists of (jd, index after) in time order.
PyObject* limb_boundaries(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig{"_limb_boundaries", {"from_jd", "to_jd"}};
    Args a(sig);
    double from = 0.0, to = 0.0;
    if (!a.parse(args, nargs, kwnames) || !a.read_instant(0, from) || !a.read_instant(1, to))
      return nullptr;
    const unsigned threads = pool_size();
    auto found = interruptible([&] { return find_limb_boundaries(from, to, threads); });
    if (!found) return nullptr;
    if (!found->ok()) return raise_error(*found);
    const LimbBoundaries& b = found->value();
    DictBuilder d;
    d.add_owned("tithi", PyRef(boundary_list(b.tithi)))
        .add_owned("karana", PyRef(boundary_list(b.karana)))
        .add_owned("nakshatra", PyRef(boundary_list(b.nakshatra)))
        .add_owned("yoga", PyRef(boundary_list(b.yoga)))
        .add_owned("moon_rashi", PyRef(boundary_list(b.moon_rashi)));
    return d.release();
  });
}

}  // namespace tithiloom::py
