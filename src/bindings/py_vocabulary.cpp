// The package's private view of the core's rule tables: the rules and labels
// a definition may use, the number ranges of its keys, the month anchors and
// their reach, purnimant month names and the house systems. The package
// checks rule files and filters requests with these, so it holds no copy.
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "args.hpp"
#include "boundary.hpp"
#include "convert.hpp"
#include "functions.hpp"
#include "lagna.hpp"
#include "festival.hpp"
#include "names.hpp"
#include "observance.hpp"
#include "reckoning.hpp"
#include "sankranti.hpp"

namespace tithiloom::py {
namespace {

template <class Items>
PyObject* tuple_of(const Items& items) {
  PyRef tuple(PyTuple_New(static_cast<Py_ssize_t>(std::size(items))));
  if (!tuple) return nullptr;
  Py_ssize_t k = 0;
  for (const auto& item : items) {
    PyObject* obj = to_py(item);
    if (obj == nullptr) return nullptr;
    PyTuple_SET_ITEM(tuple.get(), k++, obj);
  }
  return tuple.release();
}

// Text keys to text values, in the order given.
template <class Pairs>
PyObject* text_dict(const Pairs& pairs) {
  PyRef dict(PyDict_New());
  if (!dict) return nullptr;
  for (const auto& [key, value] : pairs) {
    PyRef k(to_py(key));
    if (!k) return nullptr;
    PyRef v(to_py(value));
    if (!v || PyDict_SetItem(dict.get(), k.get(), v.get()) < 0) return nullptr;
  }
  return dict.release();
}

// A dict of the values the makers give, in order; each maker runs only while
// no error is pending, so the first failure ends the building.
using Maker = PyObject* (*)();
PyObject* dict_of(std::initializer_list<std::pair<const char*, Maker>> items) {
  PyRef dict(PyDict_New());
  if (!dict) return nullptr;
  for (const auto& [key, make] : items) {
    PyRef value(make());
    if (!value || PyDict_SetItemString(dict.get(), key, value.get()) < 0) return nullptr;
  }
  return dict.release();
}

template <std::size_t Low, std::size_t High>
PyObject* range() {
  return tuple_of(std::array<std::size_t, 2>{Low, High});
}

PyObject* labels() {
  return dict_of({
      {"priority", [] { return tuple_of(Priority::labels()); }},
      {"kaala", [] { return tuple_of(Kaala::labels()); }},
      {"adhika_maasa", [] { return tuple_of(AdhikaMaasa::labels()); }},
      {"vyapti_tie", [] { return tuple_of(VyaptiTie::labels()); }},
  });
}

// What the almanac's definitions may use beyond the module's: its rules,
// its labels (all of them, the module's included) and its keys.
PyObject* almanac() {
  return dict_of({
      {"rules", [] { return tuple_of(ALMANAC_RULE_NAMES); }},
      {"labels",
       [] {
         return dict_of({
             {"kaala", [] { return tuple_of(Kaala::almanac_labels()); }},
             {"vyapti_tie", [] { return tuple_of(VyaptiTie::almanac_labels()); }},
             {"ingress", [] { return tuple_of(Ingress::labels()); }},
             {"bhadra_fallback", [] { return tuple_of(BhadraFallback::labels()); }},
         });
       }},
  });
}

// Each integer key of a definition, by what it counts.
PyObject* ranges() {
  constexpr std::size_t months = names::LUNAR_MONTH_NAMES.size();
  return dict_of({
      {"lunar_month", range<1, months>},
      {"month", range<1, months>},
      {"tithi", range<1, names::TITHI_NAMES.size()>},
      {"nakshatra", range<1, names::NAKSHATRA_NAMES.size()>},
      {"sankranti_index", range<0, SANKRANTI_COUNT - 1>},
  });
}

PyObject* purnimant_month_names() {
  std::array<std::pair<std::string_view, std::string_view>, 12> names{};
  for (std::uint32_t m = 1; m <= names.size(); ++m)
    names[m - 1] = {lunar_month_name(m), lunar_month_name(purnimant_month(m))};
  return text_dict(names);
}

PyObject* house_systems() {
  std::array<std::pair<std::string_view, std::string_view>, HOUSE_SYSTEMS.size()> letters{};
  for (std::size_t i = 0; i < letters.size(); ++i)
    letters[i] = {HOUSE_SYSTEMS[i].name, std::string_view(&HOUSE_SYSTEMS[i].letter, 1)};
  return text_dict(letters);
}

}  // namespace

PyObject* vocabulary(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
  return guarded([&]() -> PyObject* {
    static constexpr Signature sig{"_vocabulary", {}};
    Args a(sig);
    if (!a.parse(args, nargs, kwnames)) return nullptr;
    return dict_of({
        {"rules", [] { return tuple_of(RULE_NAMES); }},
        {"labels", labels},
        {"almanac", almanac},
        // The priority labels under which kaala and vyapti_tie are read.
        {"vyapti_priorities", [] { return tuple_of(Priority::labels(Priority::vyapti)); }},
        {"ranges", ranges},
        {"month_anchors", [] { return tuple_of(MONTH_ANCHOR); }},
        {"days_before_anchor", [] { return to_py(DAYS_BEFORE_ANCHOR); }},
        {"days_after_anchor", [] { return to_py(DAYS_AFTER_ANCHOR); }},
        {"purnimant_month_names", purnimant_month_names},
        {"house_systems", house_systems},
        {"close_call_minutes", [] { return to_py(CLOSE_CALL_MINUTES); }},
    });
  });
}

}  // namespace tithiloom::py
