// The shraddha day of a death in a target year, and the timeline of rites.
#include "args.hpp"
#include "calendar.hpp"
#include "boundary.hpp"
#include "convert.hpp"
#include "functions.hpp"
#include "gil.hpp"
#include "parallel.hpp"
#include "shraddha.hpp"

namespace tithiloom::py {
namespace {

PyObject* tithi_occurrence_dict(const TithiOccurrence& o) {
  return DictBuilder()
      .add("date", date_text(o.date))
      .add("tithi_name", o.tithi_name)
      .add("tithi_number", o.tithi_number)
      .add("paksha", o.paksha)
      .add("nakshatra_name", o.nakshatra_name)
      .add("masa", o.masa)
      .add("vara", o.vara)
      .release();
}

PyObject* shraddha_dict(const ShraddhaDate& s) {
  return DictBuilder()
      .add("tithi", s.tithi)
      .add("lunar_month", s.lunar_month)
      .add("lunar_month_name", s.lunar_month_name)
      .add("year", s.date.year)
      .add("month", s.date.month)
      .add("day", s.date.day)
      .add("sunrise_jd", s.sunrise_jd)
      .add("reasoning", s.reasoning)
      .release();
}

PyObject* timeline_dict(const ShraddhaTimeline& t) {
  return DictBuilder()
      .add("death_date", date_text(t.death_date))
      .add("death_tithi", t.death_tithi)
      .add("death_tithi_number", t.death_tithi_number)
      .add("death_paksha", t.death_paksha)
      .add("death_nakshatra", t.death_nakshatra)
      .add("death_masa", t.death_masa)
      .add("teesra", date_text(t.teesra))
      .add("dashamam", date_text(t.dashamam))
      .add("terahvin", date_text(t.terahvin))
      .add_owned("monthly_shraddhas", PyRef(list_of(t.monthly_shraddhas, tithi_occurrence_dict)))
      .add_owned("annual_shraddhas", PyRef(list_of(t.annual_shraddhas, tithi_occurrence_dict)))
      .add_owned("pitru_paksha_dates",
                 PyRef(list_of(t.pitru_paksha_dates, tithi_occurrence_dict)))
      .release();
}

}  // namespace

template <ClockArg K>
PyObject* py_compute_shraddha_with(PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig = clock_signature(
        K,
        {"py_compute_shraddha",
         {"death_year", "death_month", "death_day", "target_year", "lat", "lng", "alt",
          "utc_offset"}},
        "_shraddha", 7);
    Args a(sig);
    CivilDate death{};
    std::int32_t target_year = 0;
    Clock clock;
    Place place{};
    Convention convention{};
    if (!a.parse(args, nargs, kwnames) || !a.read(0, death.year) || !a.read(1, death.month) ||
        !a.read(2, death.day) || !a.read(3, target_year) || !a.read_place(4, place) ||
        !a.read_clock(7, K, clock) ||
        !a.read_convention(K, convention))
      return nullptr;
    place = risen_as(convention, place);
    const unsigned threads = pool_size();
    const auto found = interruptible([&] {
      return compute_shraddha(death, target_year, clock, place, threads);
    });
    if (!found) return nullptr;  // interrupted
    if (!found->ok()) return raise_error(*found);
    if (!found->value()) Py_RETURN_NONE;
    return shraddha_dict(*found->value());
  });
}

PyObject* py_compute_shraddha(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                              PyObject* kwnames) {
  return py_compute_shraddha_with<ClockArg::offset>(args, nargs, kwnames);
}

PyObject* clocked_shraddha(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                           PyObject* kwnames) {
  return py_compute_shraddha_with<ClockArg::table>(args, nargs, kwnames);
}

template <ClockArg K>
PyObject* py_compute_shraddha_timeline_with(PyObject* const* args, Py_ssize_t nargs,
                                            PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig = clock_signature(
        K,
        {"py_compute_shraddha_timeline",
         {"death_year", "death_month", "death_day", "lat", "lng", "alt", "utc_offset",
          "monthly_count", "annual_years", "pitru_paksha_years"}},
        "_shraddha_timeline", 6);
    Args a(sig);
    CivilDate death{};
    Clock clock;
    std::size_t monthly = 0, annual = 0, pitru = 0;
    Place place{};
    Convention convention{};
    if (!a.parse(args, nargs, kwnames) || !a.read(0, death.year) || !a.read(1, death.month) ||
        !a.read(2, death.day) || !a.read_place(3, place) || !a.read_clock(6, K, clock) ||
        !a.read(7, monthly) || !a.read(8, annual) || !a.read(9, pitru) ||
        !a.read_convention(K, convention))
      return nullptr;
    place = risen_as(convention, place);
    const unsigned threads = pool_size();
    auto timeline = interruptible([&] {
      return compute_shraddha_timeline(death, clock, place, monthly, annual, pitru, threads,
                                       {.kshaya_months = convention == Convention::almanac});
    });
    if (!timeline) return nullptr;  // interrupted
    if (!timeline->ok()) return raise_error(*timeline);
    PyObject* dict = timeline_dict(timeline->value());
    free_unlocked(std::move(*timeline));
    return dict;
  });
}

PyObject* py_compute_shraddha_timeline(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                                       PyObject* kwnames) {
  return py_compute_shraddha_timeline_with<ClockArg::offset>(args, nargs, kwnames);
}

PyObject* clocked_shraddha_timeline(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                                    PyObject* kwnames) {
  return py_compute_shraddha_timeline_with<ClockArg::table>(args, nargs, kwnames);
}

}  // namespace tithiloom::py
