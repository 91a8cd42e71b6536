// Sankrantis, lunar months, era year and Jovian cycle index.
#include "args.hpp"
#include "boundary.hpp"
#include "calendar_system.hpp"
#include "convert.hpp"
#include "calendar.hpp"
#include "functions.hpp"
#include "gil.hpp"
#include "lunar_month.hpp"
#include "sankranti.hpp"

namespace tithiloom::py {

PyObject* py_compute_sankrantis(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                                PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig{"py_compute_sankrantis", {"year", "utc_offset"}, 1};
    Args a(sig);
    std::int32_t year = 0;
    Clock clock = fixed_clock(0);
    if (!a.parse(args, nargs, kwnames) || !a.read(0, year) ||
        !a.read_clock(1, ClockArg::offset, clock))
      return nullptr;
    const auto sankrantis = without_gil([&] { return compute_sankrantis(year); });
    if (!sankrantis.ok()) return raise_error(sankrantis);
    return list_of(sankrantis.value(), [&](const Sankranti& s) {
      const CivilDate date = local_date(s.jd, clock);
      return DictBuilder()
          .add("index", s.index)
          .add("name", s.name)
          .add("rashi", s.rashi_name)
          .add("target_longitude", s.target_longitude)
          .add("jd", s.jd)
          .add("year", date.year)
          .add("month", date.month)
          .add("day", date.day)
          .release();
    });
  });
}

PyObject* py_compute_lunar_months(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                                  PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig{"py_compute_lunar_months", {"year", "system"}, 1};
    Args a(sig);
    std::int32_t year = 0;
    Text system;  // omitted: amant
    if (!a.parse(args, nargs, kwnames) || !a.read(0, year) || !a.read(1, system)) return nullptr;
    const bool purnimant = lunar_months_purnimant(system.str);
    const auto months = without_gil([&] { return compute_lunar_months(year, purnimant); });
    if (!months.ok()) return raise_error(months);
    return list_of(months.value(), [](const LunarMonth& m) {
      return DictBuilder()
          .add("number", m.number)
          .add("name", m.name)
          .add("is_adhik", m.is_adhik)
          .add("is_kshaya", m.is_kshaya)
          .add("start_jd", m.start_jd)
          .add("end_jd", m.end_jd)
          .release();
    });
  });
}

PyObject* py_era_year(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig{"py_era_year", {"gregorian_year", "offset", "new_year_passed"}};
    Args a(sig);
    std::int32_t gregorian_year = 0, offset = 0;
    bool new_year_passed = false;
    if (!a.parse(args, nargs, kwnames) || !a.read(0, gregorian_year) || !a.read(1, offset) ||
        !a.read(2, new_year_passed))
      return nullptr;
    return to_py(era_year(gregorian_year, offset, new_year_passed));
  });
}

PyObject* py_jovian_cycle_index(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                                PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig{"py_jovian_cycle_index", {"gregorian_year", "epoch_year"}};
    Args a(sig);
    std::int32_t gregorian_year = 0, epoch_year = 0;
    if (!a.parse(args, nargs, kwnames) || !a.read(0, gregorian_year) || !a.read(1, epoch_year))
      return nullptr;
    return to_py(jovian_cycle_index(gregorian_year, epoch_year));
  });
}

}  // namespace tithiloom::py
