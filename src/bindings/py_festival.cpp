// Festival dates from the caller's rule dicts: each dict is read into a
// definition (all of them before anything is computed, so a bad dict fails
// the call with nothing computed), the year is resolved in the core, and the
// occurrences come back as dicts in sunrise order.
#include <string>
#include <vector>

#include "args.hpp"
#include "boundary.hpp"
#include "calendar_system.hpp"
#include "convert.hpp"
#include "ephemeris.hpp"
#include "festival.hpp"
#include "fields.hpp"
#include "functions.hpp"
#include "gil.hpp"
#include "parallel.hpp"
#include "rule_dicts.hpp"

namespace tithiloom::py {
namespace {

PyObject* alternate_dict(const AlternateObservance& a) {
  return DictBuilder()
      .add("year", a.date.year)
      .add("month", a.date.month)
      .add("day", a.date.day)
      .add("sunrise_jd", a.sunrise_jd)
      .add("priority", a.priority)
      .add("reasoning", a.reasoning)
      .release();
}

// Fills `d` with the module's keys of an occurrence.
DictBuilder& occurrence_fields(DictBuilder& d, const FestivalOccurrence& o) {
  d.add("festival_id", o.festival_id)
      .add("festival_name", o.festival_name)
      .add("year", o.date.year)
      .add("month", o.date.month)
      .add("day", o.date.day)
      .add("sunrise_jd", o.sunrise_jd)
      .add("tithi_at_sunrise", o.tithi_at_sunrise)
      .add("lunar_month_name", o.lunar_month_name)
      .add("is_adhik_month", o.is_adhik_month)
      .add("reasoning", o.reasoning)
      .add("priority_applied", o.priority_applied)
      .add("kaala_applied", o.kaala_applied);
  if (o.alternate) return d.add_owned("alternate", PyRef(alternate_dict(*o.alternate)));
  return d.add_owned("alternate", PyRef(Py_NewRef(Py_None)));
}

PyObject* occurrence_dict(const FestivalOccurrence& o) {
  DictBuilder d;
  return occurrence_fields(d, o).release();
}

// The almanac's occurrences also tell how close the call was and the moonrise.
PyObject* almanac_occurrence_dict(const FestivalOccurrence& o) {
  DictBuilder d;
  return occurrence_fields(d, o)
      .add("margin_minutes", o.margin_minutes)
      .add("moonrise_jd", o.moonrise_jd)
      .add("muhurta_start_jd", o.muhurta.start_jd)
      .add("muhurta_end_jd", o.muhurta.end_jd)
      .release();
}

template <ClockArg K>
PyObject* festivals(PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig = clock_signature(
        K,
        {"py_compute_festivals",
         {"festival_defs", "year", "lat", "lng", "alt", "utc_offset", "calendar_system"},
         1},
        "_festivals", 5);
    Args a(sig);
    DictList defs_arg;
    std::int32_t year = 0;
    Clock clock;
    Place place{};
    Convention convention{};
    std::optional<Text> calendar_system;
    if (!a.parse(args, nargs, kwnames) || !a.read(0, defs_arg) || !a.read(1, year) ||
        !a.read_place(2, place) || !a.read_clock(5, K, clock) || !a.read(6, calendar_system) ||
        !a.read_convention(K, convention))
      return nullptr;
    place = risen_as(convention, place);
    ensure_initialized();
    const bool purnimant = festivals_purnimant(calendar_system ? calendar_system->str : nullptr);
    std::vector<FestivalDef> defs;
    const auto read = [convention](PyObject* item, FestivalDef& def) {
      return read_festival_definition(item, def, convention);
    };
    if (!read_definitions(defs_arg.list, defs, read)) return nullptr;
    const unsigned threads = pool_size();
    auto occurrences = interruptible([&] {
      return compute_festivals(defs, year, clock, place, purnimant, Reuse::memo, threads);
    });
    if (!occurrences) return nullptr;  // interrupted
    if (!occurrences->ok()) return raise_error(*occurrences);
    return list_from(std::move(*occurrences).value(), convention == Convention::almanac
                                                          ? almanac_occurrence_dict
                                                          : occurrence_dict);
  });
}

}  // namespace

PyObject* py_compute_festivals(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                               PyObject* kwnames) {
  return festivals<ClockArg::offset>(args, nargs, kwnames);
}

PyObject* clocked_festivals(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                            PyObject* kwnames) {
  return festivals<ClockArg::table>(args, nargs, kwnames);
}

}  // namespace tithiloom::py
