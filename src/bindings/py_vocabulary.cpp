// The package's private view of the core's rule tables: the rules and labels
// a definition may use, the number ranges of its keys, the month anchors and
// their reach, purnimant month names and the house systems. The package
// checks rule files and filters requests with these, so it holds no copy.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "args.hpp"
#include "boundary.hpp"
#include "convert.hpp"
#include "functions.hpp"
#include "lagna.hpp"
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
    PyRef k(to_py(key)), v(to_py(value));
    if (!k || !v || PyDict_SetItem(dict.get(), k.get(), v.get()) < 0) return nullptr;
  }
  return dict.release();
}

PyObject* range(std::size_t low, std::size_t high) {
  return tuple_of(std::array<std::size_t, 2>{low, high});
}

PyObject* labels() {
  return DictBuilder()
      .add_owned("priority", PyRef(tuple_of(Priority::labels())))
      .add_owned("kaala", PyRef(tuple_of(Kaala::labels())))
      .add_owned("adhika_maasa", PyRef(tuple_of(AdhikaMaasa::labels())))
      .add_owned("vyapti_tie", PyRef(tuple_of(VYAPTI_TIE_LABELS)))
      .release();
}

// Each integer key of a definition, by what it counts.
PyObject* ranges() {
  const std::size_t months = names::LUNAR_MONTH_NAMES.size();
  return DictBuilder()
      .add_owned("lunar_month", PyRef(range(1, months)))
      .add_owned("month", PyRef(range(1, months)))
      .add_owned("tithi", PyRef(range(1, names::TITHI_NAMES.size())))
      .add_owned("nakshatra", PyRef(range(1, names::NAKSHATRA_NAMES.size())))
      .add_owned("sankranti_index", PyRef(range(0, SANKRANTI_COUNT - 1)))
      .release();
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
    return DictBuilder()
        .add_owned("rules", PyRef(tuple_of(RULE_NAMES)))
        .add_owned("labels", PyRef(labels()))
        // The priority labels under which kaala and vyapti_tie are read.
        .add_owned("vyapti_priorities", PyRef(tuple_of(Priority::labels(Priority::vyapti))))
        .add_owned("ranges", PyRef(ranges()))
        .add_owned("month_anchors", PyRef(tuple_of(MONTH_ANCHOR)))
        .add("days_before_anchor", DAYS_BEFORE_ANCHOR)
        .add("days_after_anchor", DAYS_AFTER_ANCHOR)
        .add_owned("purnimant_month_names", PyRef(purnimant_month_names()))
        .add_owned("house_systems", PyRef(house_systems()))
        .release();
  });
}

}  // namespace tithiloom::py
