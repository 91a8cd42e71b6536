// The daily panchang of a civil date, and the limbs sampled at many instants.
#include <vector>

#include "args.hpp"
#include "boundary.hpp"
#include "convert.hpp"
#include "ephemeris.hpp"
#include "functions.hpp"
#include "panchang.hpp"
#include "sun.hpp"

namespace tithiloom::py {
namespace {

PyObject* sun_dict(const SunData& sun) {
  return DictBuilder()
      .add("sunrise_jd", sun.sunrise_jd)
      .add("sunset_jd", sun.sunset_jd)
      .add("day_duration_hours", sun.day_duration_hours)
      .release();
}

PyObject* panchang_dict(const Panchang& p) {
  const auto& t = p.tithi;
  const auto& n = p.nakshatra;
  const auto& y = p.yoga;
  const auto& k = p.karana;
  return DictBuilder()
      .add_owned("sun", PyRef(sun_dict(p.sun)))
      .add_owned("vara", PyRef(DictBuilder()
                                   .add("number", p.vara.number)
                                   .add("name", p.vara.name)
                                   .add("english", p.vara.english)
                                   .release()))
      .add_owned("tithi", PyRef(DictBuilder()
                                    .add("number", t.number)
                                    .add("name", t.name)
                                    .add("paksha", t.paksha)
                                    .add("start_jd", t.start_jd)
                                    .add("end_jd", t.end_jd)
                                    .release()))
      .add_owned("nakshatra", PyRef(DictBuilder()
                                        .add("number", n.number)
                                        .add("name", n.name)
                                        .add("pada", n.pada)
                                        .add("lord", n.lord)
                                        .add("start_jd", n.start_jd)
                                        .add("end_jd", n.end_jd)
                                        .release()))
      .add_owned("yoga", PyRef(DictBuilder()
                                   .add("number", y.number)
                                   .add("name", y.name)
                                   .add("start_jd", y.start_jd)
                                   .add("end_jd", y.end_jd)
                                   .release()))
      .add_owned("karana", PyRef(DictBuilder()
                                     .add("number", k.number)
                                     .add("name", k.name)
                                     .add("start_jd", k.start_jd)
                                     .add("end_jd", k.end_jd)
                                     .release()))
      .release();
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

}  // namespace

PyObject* py_compute_panchang(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                              PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig{
        "py_compute_panchang",
        {"year", "month", "day", "lat", "lng", "alt", "utc_offset_seconds", "weekday"}};
    Args a(sig);
    std::int32_t year = 0, utc_offset = 0;
    std::uint32_t month = 0, day = 0, weekday = 0;
    Place place{};
    if (!a.parse(args, nargs, kwnames) || !a.read(0, year) || !a.read(1, month) ||
        !a.read(2, day) || !a.read(3, place.lat_deg) || !a.read(4, place.lng_deg) ||
        !a.read(5, place.alt_m) || !a.read(6, utc_offset) || !a.read(7, weekday))
      return nullptr;
    const auto sun = require_sunrise_and_sunset(
        compute_sun_data(year, month, day, utc_offset, place), place.lat_deg, year, month, day);
    if (!sun.ok()) return raise_value_error(sun.error());
    Panchang p = compute(weekday, sun.value().sunrise_jd);
    p.sun = sun.value();
    return panchang_dict(p);
  });
}

PyObject* py_compute_panchanga_at_jds(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                                      PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig{"py_compute_panchanga_at_jds", {"jds"}};
    Args a(sig);
    std::vector<double> jds;
    if (!a.parse(args, nargs, kwnames) || !a.read(0, jds)) return nullptr;
    ensure_initialized();
    return list_of(jds, [](double jd) { return instant_dict(compute_at_jd(jd)); });
  });
}

}  // namespace tithiloom::py
