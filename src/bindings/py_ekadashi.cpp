// Ekadashis from the caller's naming dicts, and the recurring vrat days.
// Every definition is read (and its month checked) before anything is
// computed, so a bad dict fails the call with nothing computed.
#include <limits>
#include <string>
#include <vector>

#include "args.hpp"
#include "boundary.hpp"
#include "convert.hpp"
#include "ekadashi.hpp"
#include "fields.hpp"
#include "functions.hpp"
#include "gil.hpp"
#include "parallel.hpp"
#include "rule_dicts.hpp"
#include "vrat.hpp"

namespace tithiloom::py {
namespace {

bool read_definition(PyObject* item, EkadashiDef& def) {
  if (!extract_u32(item, "month", def.month)) return false;
  // A month outside the twelve names no lunar month: refused here, before
  // any computation, rather than silently yielding nothing.
  if (def.month < 1 || def.month > 12) {
    PyErr_Format(PyExc_ValueError, "Ekadashi month must be between 1 and 12, got %lu",
                 static_cast<unsigned long>(def.month));
    return false;
  }
  return extract_str(item, "shukla_name", def.shukla_name) &&
         extract_str(item, "krishna_name", def.krishna_name);
}

DictBuilder& ekadashi_fields(DictBuilder& d, const EkadashiOccurrence& o) {
  return d.add("name", o.name)
      .add("lunar_month", o.lunar_month)
      .add("lunar_month_name", o.lunar_month_name)
      .add("is_adhik", o.is_adhik)
      .add("paksha", o.paksha)
      .add("smartha_year", o.smartha_date.year)
      .add("smartha_month", o.smartha_date.month)
      .add("smartha_day", o.smartha_date.day)
      .add("smartha_sunrise_jd", o.smartha_sunrise_jd)
      .add("vaishnava_year", o.vaishnava_date.year)
      .add("vaishnava_month", o.vaishnava_date.month)
      .add("vaishnava_day", o.vaishnava_date.day)
      .add("vaishnava_sunrise_jd", o.vaishnava_sunrise_jd)
      .add("reasoning", o.reasoning);
}

PyObject* ekadashi_dict(const EkadashiOccurrence& o) {
  DictBuilder d;
  return ekadashi_fields(d, o).release();
}

// The almanac's Ekadashis also tell when each fast is broken.
PyObject* almanac_ekadashi_dict(const EkadashiOccurrence& o) {
  DictBuilder d;
  return ekadashi_fields(d, o)
      .add("smartha_parana_start_jd", o.smartha_parana.start_jd)
      .add("smartha_parana_end_jd", o.smartha_parana.end_jd)
      .add("vaishnava_parana_start_jd", o.vaishnava_parana.start_jd)
      .add("vaishnava_parana_end_jd", o.vaishnava_parana.end_jd)
      .release();
}

DictBuilder& vrat_fields(DictBuilder& d, const VratOccurrence& v) {
  return d.add("vrat_type", v.vrat_type)
      .add("name", v.name)
      .add("year", v.date.year)
      .add("month", v.date.month)
      .add("day", v.date.day)
      .add("sunrise_jd", v.sunrise_jd)
      .add("lunar_month_name", v.lunar_month_name)
      .add("paksha", v.paksha);
}

PyObject* vrat_dict(const VratOccurrence& v) {
  DictBuilder d;
  return vrat_fields(d, v).release();
}

// The almanac's vrats also say why their day was chosen.
PyObject* almanac_vrat_dict(const VratOccurrence& v) {
  DictBuilder d;
  return vrat_fields(d, v)
      .add("reasoning", v.reasoning)
      .add("muhurta_start_jd", v.muhurta.start_jd)
      .add("muhurta_end_jd", v.muhurta.end_jd)
      .release();
}

}  // namespace

template <ClockArg K>
PyObject* py_compute_ekadashis_with(PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig = clock_signature(
        K,
        {"py_compute_ekadashis",
         {"ekadashi_defs", "year", "lat", "lng", "alt", "utc_offset"}},
        "_ekadashis", 5);
    Args a(sig);
    DictList defs_arg;
    std::int32_t year = 0;
    Clock clock;
    Place place{};
    Convention convention{};
    if (!a.parse(args, nargs, kwnames) || !a.read(0, defs_arg) || !a.read(1, year) ||
        !a.read_place(2, place) || !a.read_clock(5, K, clock) ||
        !a.read_convention(K, convention))
      return nullptr;
    place = risen_as(convention, place);
    std::vector<EkadashiDef> defs;
    const auto read = [convention](PyObject* item, EkadashiDef& def) {
      def.report_parana = convention == Convention::almanac;
      return read_definition(item, def);
    };
    if (!read_definitions(defs_arg.list, defs, read)) return nullptr;
    const unsigned threads = pool_size();
    auto occurrences = interruptible([&] {
      return compute_ekadashis(defs, year, clock, place, Reuse::memo, threads);
    });
    if (!occurrences) return nullptr;  // interrupted
    if (!occurrences->ok()) return raise_error(*occurrences);
    return list_from(std::move(*occurrences).value(), convention == Convention::almanac
                                                          ? almanac_ekadashi_dict
                                                          : ekadashi_dict);
  });
}

PyObject* py_compute_ekadashis(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                               PyObject* kwnames) {
  return py_compute_ekadashis_with<ClockArg::offset>(args, nargs, kwnames);
}

PyObject* clocked_ekadashis(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                            PyObject* kwnames) {
  return py_compute_ekadashis_with<ClockArg::table>(args, nargs, kwnames);
}

// The private twin also takes the almanac's vrat rules, after its convention,
// and the two instants (from_jd, to_jd) between which the caller wants them.
constexpr Signature vrat_signature(ClockArg kind) {
  Signature sig = clock_signature(
      kind, {"py_compute_vrat_dates", {"year", "lat", "lng", "alt", "utc_offset"}},
      "_vrat_dates", 4);
  if (kind == ClockArg::table)
    sig = with_optional(with_optional(sig, "vrat_defs"), "between");
  return sig;
}

template <ClockArg K>
PyObject* py_compute_vrat_dates_with(PyObject* const* args, Py_ssize_t nargs,
                                     PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig = vrat_signature(K);
    Args a(sig);
    std::int32_t year = 0;
    Clock clock;
    Place place{};
    Convention convention{};
    std::optional<DictList> rules_arg;
    std::vector<double> between;
    if (!a.parse(args, nargs, kwnames) || !a.read(0, year) || !a.read_place(1, place) ||
        !a.read_clock(4, K, clock) || !a.read_convention(K, convention) ||
        (K == ClockArg::table && (!a.read(6, rules_arg) || !a.read(7, between))))
      return nullptr;
    if (!between.empty() && between.size() != 2) {
      PyErr_SetString(PyExc_ValueError,
                      "argument 'between': must hold two instants (from_jd, to_jd), or none");
      return nullptr;
    }
    const double from_jd = between.empty() ? std::numeric_limits<double>::quiet_NaN() : between[0];
    const double to_jd = between.empty() ? std::numeric_limits<double>::quiet_NaN() : between[1];
    place = risen_as(convention, place);
    std::vector<FestivalDef> rules;
    const auto read = [convention](PyObject* item, FestivalDef& def) {
      return read_festival_definition(item, def, convention);
    };
    if (rules_arg && !read_definitions(rules_arg->list, rules, read)) return nullptr;
    const std::vector<FestivalDef>& used = rules_arg ? rules : sunrise_vrats();
    const unsigned threads = pool_size();
    const auto vrats = interruptible(
        [&] { return compute_vrat_dates(year, clock, place, Reuse::memo, threads, used, from_jd,
                                        to_jd); });
    if (!vrats) return nullptr;  // interrupted
    if (!vrats->ok()) return raise_error(*vrats);
    return list_of(vrats->value(),
                   convention == Convention::almanac ? almanac_vrat_dict : vrat_dict);
  });
}

PyObject* py_compute_vrat_dates(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                                PyObject* kwnames) {
  return py_compute_vrat_dates_with<ClockArg::offset>(args, nargs, kwnames);
}

PyObject* clocked_vrat_dates(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                             PyObject* kwnames) {
  return py_compute_vrat_dates_with<ClockArg::table>(args, nargs, kwnames);
}

}  // namespace tithiloom::py
