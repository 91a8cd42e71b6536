// Day muhurat windows and Choghadiya.
#include <utility>

#include "args.hpp"
#include "boundary.hpp"
#include "convert.hpp"
#include "functions.hpp"
#include "muhurat.hpp"

namespace tithiloom::py {

PyObject* py_compute_muhurat(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                             PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig{"py_compute_muhurat",
                                   {"weekday", "sunrise_jd", "day_duration_hours"}};
    Args a(sig);
    std::uint32_t weekday = 0;
    double sunrise_jd = 0.0, day_duration_hours = 0.0;
    if (!a.parse(args, nargs, kwnames) || !a.read(0, weekday) || !a.read(1, sunrise_jd) ||
        !a.read(2, day_duration_hours))
      return nullptr;
    const DayWindows w = compute_muhurat(weekday, sunrise_jd, day_duration_hours);
    // Converted one by one so that no Python call runs with an error pending.
    PyRef rahu(window_to_dict(w.rahu_kalam));
    if (!rahu) return nullptr;
    PyRef yama(window_to_dict(w.yama_gandam));
    if (!yama) return nullptr;
    PyRef gulika(window_to_dict(w.gulika_kalam));
    if (!gulika) return nullptr;
    PyRef abhijit(window_to_dict(w.abhijit_muhurat));
    if (!abhijit) return nullptr;
    return DictBuilder()
        .add_owned("rahu_kalam", std::move(rahu))
        .add_owned("yama_gandam", std::move(yama))
        .add_owned("gulika_kalam", std::move(gulika))
        .add_owned("abhijit_muhurat", std::move(abhijit))
        .release();
  });
}

PyObject* py_compute_choghadiya(PyObject*, PyObject* const* args, Py_ssize_t nargs,
                                PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig{
        "py_compute_choghadiya", {"weekday", "sunrise_jd", "sunset_jd", "day_duration_hours"}};
    Args a(sig);
    std::uint32_t weekday = 0;
    double sunrise_jd = 0.0, sunset_jd = 0.0, day_duration_hours = 0.0;
    if (!a.parse(args, nargs, kwnames) || !a.read(0, weekday) || !a.read(1, sunrise_jd) ||
        !a.read(2, sunset_jd) || !a.read(3, day_duration_hours))
      return nullptr;
    return list_of(choghadiya(weekday, sunrise_jd, sunset_jd, day_duration_hours), window_to_dict);
  });
}

}  // namespace tithiloom::py
