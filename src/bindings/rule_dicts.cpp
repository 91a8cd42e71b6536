#include "rule_dicts.hpp"

#include <optional>
#include <string>

#include "fields.hpp"

namespace tithiloom::py {

bool read_festival_definition(PyObject* item, FestivalDef& def, Convention convention) {
  std::optional<std::string> priority, kaala, tie, adhika;
  if (!extract_str(item, "id", def.id) || !extract_str(item, "name", def.name) ||
      !extract_str(item, "rule", def.rule) ||
      !extract_u32_or(item, "lunar_month", def.lunar_month) ||
      !extract_u32_or(item, "tithi", def.tithi) ||
      !extract_opt_u32(item, "sankranti_index", def.sankranti_index) ||
      !extract_opt_u32(item, "nakshatra", def.nakshatra) ||
      !extract_opt_label(item, "priority", priority) ||
      !extract_opt_label(item, "kaala", kaala) || !extract_opt_label(item, "vyapti_tie", tie) ||
      !extract_i32_or(item, "day_offset", def.day_offset) ||
      !extract_opt_label(item, "adhika_maasa", adhika))
    return false;
  if (priority) def.priority = Priority::from_label(*priority);
  if (adhika) def.adhika_maasa = AdhikaMaasa::from_label(*adhika);
  if (convention == Convention::core) {
    if (kaala) def.kaala = Kaala::from_label(*kaala);
    if (tie) def.vyapti_tie = VyaptiTie::from_label(*tie);
    return true;
  }
  if (kaala) def.kaala = Kaala::from_almanac_label(*kaala);
  if (tie) def.vyapti_tie = VyaptiTie::from_almanac_label(*tie);
  std::optional<std::string> ingress, fallback;
  if (!extract_opt_label(item, "ingress", ingress) ||
      !extract_opt_label(item, "bhadra_fallback", fallback) ||
      !extract_opt_u32(item, "with_nakshatra", def.with_nakshatra) ||
      !extract_bool_or(item, "avoid_bhadra", def.avoid_bhadra) ||
      !extract_bool_or(item, "udaya_three_muhurtas", def.udaya_three_muhurtas) ||
      !extract_bool_or(item, "vriddhi_second", def.vriddhi_second))
    return false;
  if (ingress) def.ingress = Ingress::from_label(*ingress);
  if (fallback) def.bhadra_fallback = BhadraFallback::from_label(*fallback);
  def.report_margin = true;
  return true;
}

}  // namespace tithiloom::py
