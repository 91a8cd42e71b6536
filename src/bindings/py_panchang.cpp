// The daily panchang of a civil date, and the limbs sampled at many instants.
#include <vector>

#include "args.hpp"
#include "boundary.hpp"
#include "convert.hpp"
#include "ephemeris.hpp"
#include "functions.hpp"
#include "gil.hpp"
#include "moon_day.hpp"
#include "panchang.hpp"
#include "panchang_dicts.hpp"
#include "parallel.hpp"
#include "sun.hpp"

namespace tithiloom::py {
namespace {

PyObject* panchang_dict(const Panchang& p) {
  DictBuilder d;
  return add_panchang(d, p, Times::include).release();
}

PyObject* instant_dict(const PanchangaAtJd& r) {
  return DictBuilder()
      .add_owned("tithi", PyRef(DictBuilder()
                                    .add("number", r.tithi_number)
                                    .add("name", r.tithi_name)
                                    .add("paksha", r.paksha)
                                    .release()))
      .add_owned("nakshatra", PyRef(DictBuilder()
                                        .add("number", r.nakshatra_number)
                                        .add("name", r.nakshatra_name)
                                        .add("pada", r.pada)
                                        .release()))
      .add_owned("yoga", PyRef(DictBuilder()
                                   .add("number", r.yoga_number)
                                   .add("name", r.yoga_name)
                                   .release()))
      .add_owned("karana", PyRef(DictBuilder()
                                     .add("number", r.karana_number)
                                     .add("name", r.karana_name)
                                     .release()))
      .release();
}

struct DayAndMoon {
  Panchang day;
  MoonDay moon;
};

}  // namespace

template <ClockArg K>
PyObject* py_compute_panchang_with(PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig = clock_signature(
        K,
        {"py_compute_panchang",
         {"year", "month", "day", "lat", "lng", "alt", "utc_offset_seconds", "weekday"}},
        "_panchang", 6);
    Args a(sig);
    std::int32_t year = 0;
    Clock clock;
    std::uint32_t month = 0, day = 0, weekday = 0;
    Place place{};
    Convention convention{};
    if (!a.parse(args, nargs, kwnames) || !a.read(0, year) || !a.read(1, month) ||
        !a.read(2, day) || !a.read_place(3, place) || !a.read_clock(6, K, clock) ||
        !a.read(7, weekday) || !a.read_convention(K, convention))
      return nullptr;
    place = risen_as(convention, place);
    const CivilDate date{year, month, day};
    if constexpr (K == ClockArg::offset) {
      const Result<Panchang> p =
          without_gil([&] { return panchang_of_day(date, weekday, clock, place); });
      if (!p.ok()) return raise_error(p);
      return panchang_dict(p.value());
    } else {
      // The private twin adds the day's Moon under its "moon" key. Under the
      // almanac convention every time is read from the boundaries that days
      // share, as the days of a range have them.
      const bool shared = convention == Convention::almanac;
      const Result<DayAndMoon> p = without_gil([&] {
        return checked([&]() -> Result<DayAndMoon> {
          Result<Panchang> d = panchang_of_day(date, weekday, clock, place,
                                               shared ? Transitions::shared : Transitions::search);
          if (!d.ok()) return d.failure();
          Panchang day = std::move(d).value();
          if (!shared) return DayAndMoon{day, moon_of_day(date, clock, place, day)};
          LimbBoundaries ahead;
          if (auto error = time_limbs({&day}, 1, &ahead)) return *error;
          return DayAndMoon{day, moon_of_day_on_boundaries(date, clock, place, day, ahead)};
        });
      });
      if (!p.ok()) return raise_error(p);
      PyRef out(panchang_dict(p.value().day));
      if (!out) return nullptr;
      PyRef moon(moon_dict(p.value().moon));
      if (!moon || PyDict_SetItemString(out.get(), "moon", moon.get()) < 0) return nullptr;
      return out.release();
    }
  });
}

PyObject* py_compute_panchang(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                              PyObject* kwnames) {
  return py_compute_panchang_with<ClockArg::offset>(args, nargs, kwnames);
}

PyObject* clocked_panchang(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                           PyObject* kwnames) {
  return py_compute_panchang_with<ClockArg::table>(args, nargs, kwnames);
}

PyObject* py_compute_panchanga_at_jds(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                                      PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig{"py_compute_panchanga_at_jds", {"jds"}};
    Args a(sig);
    std::vector<double> jds;
    if (!a.parse(args, nargs, kwnames) || !a.read_instants(0, jds)) return nullptr;
    const unsigned threads = pool_size();
    auto limbs = interruptible([&] { return panchanga_at_jds(jds, threads); });
    if (!limbs) return nullptr;  // interrupted
    if (!limbs->ok()) return raise_error(*limbs);
    return list_from(std::move(*limbs).value(), instant_dict);
  });
}

}  // namespace tithiloom::py
