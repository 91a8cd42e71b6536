#include "observance.hpp"

#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "sun.hpp"

namespace tithiloom {
namespace {

// Only A-Z are folded: every other byte, Devanagari included, must match as is.
std::string ascii_lower(std::string_view label) {
  std::string out(label);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

template <class Enum>
struct LabelRow {
  std::string_view label;
  Enum value;
};

template <class Enum, std::size_t N>
std::vector<std::string_view> labels_of(const std::array<LabelRow<Enum>, N>& rows,
                                        std::optional<Enum> only = std::nullopt) {
  std::vector<std::string_view> out;
  for (const auto& row : rows)
    if (!only || row.value == *only) out.push_back(row.label);
  return out;
}

template <class Enum, std::size_t N>
Enum parse(std::string_view label, const std::array<LabelRow<Enum>, N>& rows, Enum fallback) {
  const std::string folded = ascii_lower(label);
  for (const auto& row : rows)
    if (row.label == folded) return row.value;
  return fallback;
}

// Each table lists the default's own label too (reading it as the default
// either way), so that the tables are the whole list a rule file may use.
constexpr std::array<LabelRow<Kaala::Value>, 27> KAALA_LABELS = {{
    {"sunrise", Kaala::sunrise},
    {"pratah", Kaala::praatah},
    {"praatah", Kaala::praatah},
    {"\u092A\u094D\u0930\u093E\u0924\u0903", Kaala::praatah},  // prAtaH
    {"sangava", Kaala::sangava},
    {"saangava", Kaala::sangava},
    {"\u0938\u093E\u0919\u094D\u0917\u0935\u0903", Kaala::sangava},  // sAGgavaH
    {"madhyahna", Kaala::madhyahna},
    {"madhyaahna", Kaala::madhyahna},
    {"\u092E\u0927\u094D\u092F\u093E\u0939\u094D\u0928\u0903", Kaala::madhyahna},  // madhyAhnaH
    {"aparahna", Kaala::aparahna},
    {"aparaahna", Kaala::aparahna},
    {"\u0905\u092A\u0930\u093E\u0939\u094D\u0923\u0903", Kaala::aparahna},  // aparAhNaH
    {"sayahna", Kaala::saayaahna},
    {"saayaahna", Kaala::saayaahna},
    {"\u0938\u093E\u092F\u093E\u0939\u094D\u0928\u0903", Kaala::saayaahna},  // sAyAhnaH
    {"purvahna", Kaala::poorvahna},
    {"poorvahna", Kaala::poorvahna},
    {"\u092A\u0942\u0930\u094D\u0935\u093E\u0939\u094D\u0923\u0903", Kaala::poorvahna},  // pUrvAhNaH
    {"pradosha", Kaala::pradosha},
    {"\u092A\u094D\u0930\u0926\u094B\u0937\u0903", Kaala::pradosha},  // pradoSaH
    {"nishita", Kaala::nishita},
    {"nishitha", Kaala::nishita},
    {"\u0928\u093F\u0936\u0940\u0925\u0903", Kaala::nishita},  // nizIthaH
    {"fullday", Kaala::full_day},
    {"full_day", Kaala::full_day},
    {"sangava_full", Kaala::full_day},
}};

constexpr std::array<LabelRow<Kaala::Value>, 1> ALMANAC_KAALA_LABELS = {{
    {"arunodaya", Kaala::arunodaya},
}};

constexpr std::array<LabelRow<VyaptiTie::Value>, 2> TIE_LABELS = {{
    {"purva", VyaptiTie::earlier},
    {"para", VyaptiTie::later},
}};

constexpr std::array<LabelRow<VyaptiTie::Value>, 3> ALMANAC_TIE_LABELS = {{
    {"later", VyaptiTie::later},
    {"earlier", VyaptiTie::earlier},
    {"longer", VyaptiTie::longer},
}};

constexpr std::array<LabelRow<Ingress::Value>, 3> INGRESS_LABELS = {{
    {"moment", Ingress::moment},
    {"sunset", Ingress::sunset},
    {"kerala", Ingress::kerala},
}};

constexpr std::array<LabelRow<BhadraFallback::Value>, 2> BHADRA_FALLBACK_LABELS = {{
    {"three_muhurtas", BhadraFallback::three_muhurtas},
    {"three_and_half_praharas", BhadraFallback::three_and_half_praharas},
}};

constexpr std::array<LabelRow<Priority::Value>, 7> PRIORITY_LABELS = {{
    {"paraviddha", Priority::paraviddha},
    {"puurvaviddha", Priority::puurvaviddha},
    {"purvaviddha", Priority::puurvaviddha},
    {"purva_viddha", Priority::puurvaviddha},
    {"earlier", Priority::puurvaviddha},
    {"vyapti", Priority::vyapti},
    {"vyaapti", Priority::vyapti},
}};

constexpr std::array<LabelRow<AdhikaMaasa::Value>, 6> ADHIKA_LABELS = {{
    {"nija", AdhikaMaasa::nija},
    {"adhika", AdhikaMaasa::adhika_only},
    {"adhika_only", AdhikaMaasa::adhika_only},
    {"both", AdhikaMaasa::adhika_and_nija},
    {"adhika_and_nija", AdhikaMaasa::adhika_and_nija},
    {"adhika_if_exists", AdhikaMaasa::adhika_if_exists},
}};

constexpr std::array<std::string_view, 11> KAALA_REPORTED = {
    "sunrise",   "praatah",  "sangava", "madhyahna", "aparahna", "saayaahna",
    "poorvahna", "pradosha", "nishita", "full_day",  "arunodaya"};

constexpr std::array<std::string_view, 3> PRIORITY_REPORTED = {"paraviddha", "puurvaviddha",
                                                                "vyapti"};

constexpr double ONE_MINUTE_DAYS = 1.0 / 1440.0;
constexpr double ARUNODAYA_DAYS = 96.0 / 1440.0;
constexpr double PRADOSHA_DAYS = 0.1;
constexpr double NISHITA_HALF_DAYS = 1.0 / 60.0;

}  // namespace

Kaala Kaala::from_label(std::string_view label) {
  return parse(label, KAALA_LABELS, Kaala::sunrise);
}

std::string_view Kaala::label() const {
  return KAALA_REPORTED[value < KAALA_REPORTED.size() ? value : 0];
}

std::vector<std::string_view> Kaala::labels() { return labels_of(KAALA_LABELS); }

Kaala Kaala::from_almanac_label(std::string_view label) {
  return parse(label, ALMANAC_KAALA_LABELS, from_label(label).value);
}

std::vector<std::string_view> Kaala::almanac_labels() {
  std::vector<std::string_view> out = labels();
  for (const std::string_view label : labels_of(ALMANAC_KAALA_LABELS)) out.push_back(label);
  return out;
}

VyaptiTie VyaptiTie::from_label(std::string_view label) {
  return parse(label, TIE_LABELS, VyaptiTie::later);
}

VyaptiTie VyaptiTie::from_almanac_label(std::string_view label) {
  return parse(label, ALMANAC_TIE_LABELS, from_label(label).value);
}

std::vector<std::string_view> VyaptiTie::labels() { return labels_of(TIE_LABELS); }

std::vector<std::string_view> VyaptiTie::almanac_labels() {
  std::vector<std::string_view> out = labels();
  for (const std::string_view label : labels_of(ALMANAC_TIE_LABELS)) out.push_back(label);
  return out;
}

BhadraFallback BhadraFallback::from_label(std::string_view label) {
  return parse(label, BHADRA_FALLBACK_LABELS, BhadraFallback::three_muhurtas);
}

std::string_view BhadraFallback::label() const {
  return BHADRA_FALLBACK_LABELS[value < BHADRA_FALLBACK_LABELS.size() ? value : 0].label;
}

std::vector<std::string_view> BhadraFallback::labels() {
  return labels_of(BHADRA_FALLBACK_LABELS);
}

Ingress Ingress::from_label(std::string_view label) {
  return parse(label, INGRESS_LABELS, Ingress::moment);
}

std::string_view Ingress::label() const {
  return INGRESS_LABELS[value < INGRESS_LABELS.size() ? value : 0].label;
}

std::vector<std::string_view> Ingress::labels() { return labels_of(INGRESS_LABELS); }

Priority Priority::from_label(std::string_view label) {
  return parse(label, PRIORITY_LABELS, Priority::paraviddha);
}

std::string_view Priority::label() const {
  return PRIORITY_REPORTED[value < PRIORITY_REPORTED.size() ? value : 0];
}

std::vector<std::string_view> Priority::labels() { return labels_of(PRIORITY_LABELS); }

std::vector<std::string_view> Priority::labels(Value value) {
  return labels_of(PRIORITY_LABELS, std::optional(value));
}

AdhikaMaasa AdhikaMaasa::from_label(std::string_view label) {
  return parse(label, ADHIKA_LABELS, AdhikaMaasa::nija);
}

std::vector<std::string_view> AdhikaMaasa::labels() { return labels_of(ADHIKA_LABELS); }

DayWindow kaala_window(Kaala kaala, double sunrise_jd, double sunset_jd, double next_sunrise_jd) {
  const double sr = sunrise_jd;
  const double ss = sunset_jd;
  const double d = ss - sr;
  switch (kaala.value) {
    case Kaala::praatah:
      return {sr, sr + d / 5.0};
    case Kaala::sangava:
      return {sr + d / 5.0, sr + 2.0 * d / 5.0};
    case Kaala::madhyahna:
      return {sr + 2.0 * d / 5.0, sr + 3.0 * d / 5.0};
    case Kaala::aparahna:
      return {sr + 3.0 * d / 5.0, sr + 4.0 * d / 5.0};
    case Kaala::saayaahna:
      return {sr + 4.0 * d / 5.0, ss};
    case Kaala::poorvahna:
      return {sr, sr + d / 2.0};
    case Kaala::pradosha:
      return {ss, ss + PRADOSHA_DAYS};
    case Kaala::nishita: {
      const double mid = ss + (next_sunrise_jd - ss) / 2.0;
      return {mid - NISHITA_HALF_DAYS, mid + NISHITA_HALF_DAYS};
    }
    case Kaala::full_day:
      return {sr, ss};
    case Kaala::arunodaya:
      return {sr - ARUNODAYA_DAYS, sr};
    case Kaala::sunrise:
      break;
  }
  return {sr - ONE_MINUTE_DAYS, sr + ONE_MINUTE_DAYS};
}

SunriseHit sunrise_hit(const CivilDate& date, double sunrise_jd, const Clock& clock) {
  if (!std::isfinite(sunrise_jd))
    return {std::numeric_limits<double>::quiet_NaN(), CivilDateTime{date, 0, 0, 0, 0}};
  return {sunrise_jd, jd_to_local_datetime(sunrise_jd, clock)};
}

namespace {

SunriseHit neighbour_day_sunrise(double jd_ut, const Clock& clock, const Place& place,
                                 double day_shift) {
  const CivilDate date = local_date(jd_ut, clock, day_shift);
  const double midnight = local_midnight_jd(date, clock);
  return sunrise_hit(date, sunrise_after(midnight, place), clock);
}

}  // namespace

SunriseHit next_day_sunrise(double jd_ut, const Clock& clock, const Place& place) {
  return neighbour_day_sunrise(jd_ut, clock, place, 1.0);
}

SunriseHit previous_day_sunrise(double jd_ut, const Clock& clock, const Place& place) {
  return neighbour_day_sunrise(jd_ut, clock, place, -1.0);
}

}  // namespace tithiloom
