// Festival resolution: each rule's day (sankranti, nakshatra near an
// ingress, tithi at sunrise with its priority), the day shift and the year
// filter, the definitions grouped into units of work that share a memo.
#include "festival.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

#include "lunar_month.hpp"
#include "names.hpp"
#include "numeric.hpp"
#include "panchang.hpp"
#include "parallel.hpp"
#include "reckoning.hpp"
#include "sankranti.hpp"

namespace tithiloom {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// The day-by-day scans around an anchor: 40 civil days from 20 before it.
constexpr double SCAN_BEFORE_DAYS = 20.0;
constexpr int SCAN_DAYS = 40;

const std::string_view PARAVIDDHA = Priority(Priority::paraviddha).label();
const std::string_view PUURVAVIDDHA = Priority(Priority::puurvaviddha).label();
const std::string_view VYAPTI = Priority(Priority::vyapti).label();

// --- texts ---

std::string one_decimal(double x) {
  char buf[400];  // wide enough for any finite double in fixed notation
  const auto end = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, 1).ptr;
  return std::string(buf, end);
}

// "95 min".
std::string minutes_text(double minutes) {
  return std::to_string(truncate_saturating<std::int64_t>(minutes)) + " min";
}

// "Shukla Panchami (Tithi 5)" preceded by the month.
std::string tithi_phrase(std::string_view month, std::uint32_t tithi) {
  std::string text(month);
  text += ' ';
  text += tithi_display_name(tithi);
  text += " (Tithi ";
  text += std::to_string(tithi);
  text += ')';
  return text;
}

// --- resolution ---

// What a rule decides, before the day shift and the year filter.
struct Observed {
  CivilDate date;
  double sunrise_jd;
  std::uint32_t tithi_at_sunrise;
  std::string_view lunar_month_name;
  bool is_adhik_month;
  std::string reasoning;
  std::string_view priority_applied;
  std::string_view kaala_applied;
  std::optional<AlternateObservance> alternate;
  double margin_days = NaN;
  double moonrise_jd = NaN;
  DayWindow muhurta{NaN, NaN};
};

// The lunar-day rule's udaya day, handed to the priority step.
struct Udaya {
  std::uint32_t tithi;
  double sunrise_jd;
  CivilDate date;
  std::string reasoning;
  std::string_view month_name;
  bool is_adhik;
  double margin_days = NaN;  // from the tithi's start to the sunrise, when measured
};

// The smaller of two margins, either possibly NaN.
double closer(double a, double b) { return std::isnan(a) ? b : std::isnan(b) ? a : std::min(a, b); }

AlternateObservance alternate_on(const CivilDate& date, double sunrise_jd,
                                 std::string_view priority, std::string reasoning) {
  return {date, sunrise_jd, priority, std::move(reasoning)};
}

// What one unit of work resolves its definitions on: the year's ingresses
// and months, the clock, the conventions, and the unit's sky.
struct Resolution {
  const FestivalYear& calendar;
  const Clock& clock;
  bool purnimant;
  SearchOrder order;
  Sky& sky;
};

SearchOrder search_order(Reuse reuse) {
  return reuse == Reuse::memo ? SearchOrder::quickest : SearchOrder::as_stated;
}

// The sunrise of the civil day before (-1) or after (+1) the one holding jd.
SunriseHit neighbour_day(double jd, Resolution& r, double day_shift) {
  const CivilDate date = local_date(jd, r.clock, day_shift);
  return sunrise_hit(date, r.sky.sunrise_after(local_midnight_jd(date, r.clock)), r.clock);
}

// Among the 40 days around the anchor, the sunrise nearest it that matches;
// on equal distance the earlier day.
template <class Match>
std::optional<double> nearest_sunrise(Match&& match, double anchor_jd, Resolution& r) {
  const CivilDate first = local_date(anchor_jd - SCAN_BEFORE_DAYS, r.clock);
  const double d0 = local_midnight_jd(first, r.clock);
  std::optional<double> best;
  for (int i = 0; i < SCAN_DAYS; ++i) {
    const double s = r.sky.sunrise_after(midnight_after(d0, r.clock, i));
    if (!std::isfinite(s) || !match(s)) continue;
    if (!best || std::fabs(s - anchor_jd) < std::fabs(*best - anchor_jd)) best = s;
  }
  return best;
}

// --- the rules ---

// The civil day after `date`.
CivilDate day_after(const CivilDate& date, Resolution& r) {
  return local_date(midnight_after(local_midnight_jd(date, r.clock), r.clock, 1), r.clock);
}

// The day an ingress is kept on, and the reason when it is not the civil
// date of the ingress itself.
struct KeptDay {
  CivilDate date;
  std::string why;
  double margin_days;  // from the ingress to the instant that decided the day
};

KeptDay kept_day(const Sankranti& s, Ingress ingress, Resolution& r) {
  const CivilDate date = local_date(s.jd, r.clock);
  const auto sunset = [&] { return r.sky.sunset_after(local_noon_jd(date, r.clock)); };
  switch (ingress.value) {
    case Ingress::sunset: {
      const double ss = sunset();
      if (!(s.jd > ss)) return {date, "", ss - s.jd};
      return {day_after(date, r),
              "an ingress after sunset (" + clock_text(ss, r.clock) + ") is kept the next day",
              s.jd - ss};
    }
    case Ingress::kerala: {
      const double sr = r.sky.sunrise_after(local_midnight_jd(date, r.clock));
      const double cut = sr + (sunset() - sr) * 3.0 / 5.0;
      if (!(s.jd > cut)) return {date, "", cut - s.jd};
      return {day_after(date, r),
              "an ingress after three-fifths of the daytime (" + clock_text(cut, r.clock) +
                  ") is kept the next day",
              s.jd - cut};
    }
    case Ingress::moment:
      break;
  }
  const double midnight = local_midnight_jd(date, r.clock);
  return {date, "", std::min(s.jd - midnight, midnight_after(midnight, r.clock, 1) - s.jd)};
}

std::optional<Observed> sankranti_rule(const FestivalDef& def, Resolution& r) {
  const std::vector<Sankranti>& sankrantis = r.calendar.sankrantis;
  if (!def.sankranti_index || *def.sankranti_index >= sankrantis.size()) return std::nullopt;
  const Sankranti& s = sankrantis[*def.sankranti_index];
  const KeptDay kept = kept_day(s, def.ingress, r);
  const double sunrise = r.sky.sunrise_after(local_midnight_jd(kept.date, r.clock));
  std::string why = "Sun enters ";
  why += s.rashi_name;
  why += " (sidereal ";
  why += one_decimal(s.target_longitude);
  why += "\u00B0) on ";
  why += date_text(local_date(s.jd, r.clock));
  why += " at ";
  why += clock_text(s.jd, r.clock);
  why += '.';
  if (!kept.why.empty()) why += " Kept on " + date_text(kept.date) + ": " + kept.why + '.';
  return Observed{kept.date,    sunrise,        r.sky.tithi_at(sunrise), "", false,
                  std::move(why), RULE_SANKRANTI, "",                      std::nullopt,
                  kept.margin_days};
}

// Six nazhikas (2 h 24 min) after sunrise: the star that holds then is the
// day's star in Kerala's reckoning.
constexpr double SIX_NAZHIKAS_DAYS = 0.1;

// The first day of the solar month that begins with ingress `index` (each
// month beginning on the day its ingress is kept) whose star is the
// definition's nakshatra.
std::optional<Observed> solar_month_star_rule(const FestivalDef& def, Resolution& r) {
  const std::vector<Sankranti>& sankrantis = r.calendar.sankrantis;
  if (!def.nakshatra || !def.sankranti_index || *def.sankranti_index + 1 >= sankrantis.size())
    return std::nullopt;
  const std::uint32_t n = *def.nakshatra;
  const Sankranti& s = sankrantis[*def.sankranti_index];
  const CivilDate first = kept_day(s, def.ingress, r).date;
  const CivilDate end = kept_day(sankrantis[*def.sankranti_index + 1], def.ingress, r).date;
  double midnight = local_midnight_jd(first, r.clock);
  const double end_midnight = local_midnight_jd(end, r.clock);
  for (int day = 0; day < SCAN_DAYS && midnight < end_midnight; ++day) {
    const double sunrise = r.sky.sunrise_after(midnight);
    midnight = midnight_after(midnight, r.clock, 1);
    if (!std::isfinite(sunrise) || r.sky.nakshatra_at(sunrise + SIX_NAZHIKAS_DAYS) != n)
      continue;
    const CivilDate date = local_date(sunrise, r.clock);
    std::string why = "Nakshatra ";
    why += nakshatra_name(n);
    why += " (#" + std::to_string(n) + ") holds six nazhikas after sunrise (" +
           clock_text(sunrise, r.clock) + ") on " + date_text(date) +
           ", the day's star, in the solar month of " + std::string(s.rashi_name) + " (" +
           date_text(first) + " to the day before " + date_text(end) + ").";
    return Observed{date, sunrise, r.sky.tithi_at(sunrise), "", false, std::move(why),
                    RULE_SOLAR_MONTH_STAR, "", std::nullopt};
  }
  return std::nullopt;
}

std::optional<Observed> nakshatra_rule(const FestivalDef& def, Resolution& r) {
  const std::vector<Sankranti>& sankrantis = r.calendar.sankrantis;
  if (!def.nakshatra || !def.sankranti_index || *def.sankranti_index >= sankrantis.size())
    return std::nullopt;
  const std::uint32_t n = *def.nakshatra;
  const Sankranti& s = sankrantis[*def.sankranti_index];
  const std::optional<double> sunrise =
      nearest_sunrise([&](double jd) { return r.sky.nakshatra_at(jd) == n; }, s.jd, r);
  if (!sunrise) return std::nullopt;
  const CivilDate date = local_date(*sunrise, r.clock);
  std::string why = "Nakshatra ";
  why += nakshatra_name(n);
  why += " (#";
  why += std::to_string(n);
  why += ") prevails at sunrise (";
  why += clock_text(*sunrise, r.clock);
  why += ") on ";
  why += date_text(date);
  why += ". Anchored to ";
  why += s.name;
  why += " (";
  why += s.rashi_name;
  why += ") on ";
  why += date_text(local_date(s.jd, r.clock));
  why += '.';
  return Observed{date, *sunrise, r.sky.tithi_at(*sunrise), "", false, std::move(why),
                  RULE_NAKSHATRA, "", std::nullopt};
}

// The month of number m to search in, as the adhika-maasa choice says.
const LunarMonth* chosen_month(const std::vector<LunarMonth>& months, std::uint32_t m,
                               double anchor, AdhikaMaasa choice) {
  const LunarMonth* nija = nullptr;
  const LunarMonth* first_nija = nullptr;
  const LunarMonth* adhika = nullptr;
  const LunarMonth* first_adhika = nullptr;
  for (const LunarMonth& month : months) {
    if (month.number != m) continue;
    if (!month.is_adhik) {
      if (!first_nija) first_nija = &month;
      if (!nija && month.start_jd <= anchor && anchor < month.end_jd) nija = &month;
    } else {
      if (!first_adhika) first_adhika = &month;
      if (month.start_jd <= anchor && (!adhika || month.start_jd >= adhika->start_jd))
        adhika = &month;
    }
  }
  if (!nija) nija = first_nija;
  if (!adhika) adhika = first_adhika;
  switch (choice.value) {
    case AdhikaMaasa::adhika_only:
      return adhika;
    case AdhikaMaasa::adhika_if_exists:
      return adhika ? adhika : nija;
    case AdhikaMaasa::nija:
    case AdhikaMaasa::adhika_and_nija:
      break;
  }
  return nija;
}

// When the udaya day's tithi also holds the next sunrise, and only that one
// carries the star, moves the day there; whether it moved.
bool to_day_with_star(Udaya& u, std::uint32_t star, Resolution& r) {
  const double midnight = local_midnight_jd(u.date, r.clock);
  const double next = r.sky.sunrise_after(midnight_after(midnight, r.clock, 1));
  if (!std::isfinite(next) || r.sky.tithi_at(next) != u.tithi ||
      r.sky.nakshatra_at(u.sunrise_jd) == star || r.sky.nakshatra_at(next) != star)
    return false;
  u.sunrise_jd = next;
  u.date = local_date(next, r.clock);
  return true;
}

std::string prevails_text(const Udaya& u, Resolution& r) {
  return tithi_phrase(u.month_name, u.tithi) + " prevails at sunrise (" +
         clock_text(u.sunrise_jd, r.clock) + ") on " + date_text(u.date) + ". Lunar month " +
         std::string(u.month_name);
}

// The first sunrise of the month that carries the tithi (1-30), with the
// nakshatra the definition asks for when the tithi holds two.
std::optional<Udaya> udaya_in(const FestivalDef& def, const LunarMonth& month,
                              std::string_view month_name, Resolution& r) {
  const std::uint32_t t = def.tithi;
  const std::optional<SunriseHit> hit = find_tithi_in_range(
      static_cast<std::int32_t>(t), month.start_jd, month.end_jd, r.clock, r.sky);
  if (!hit) return std::nullopt;
  Udaya u{t, hit->sunrise_jd, hit->local.date, {}, month_name, month.is_adhik};
  const bool moved = def.with_nakshatra && to_day_with_star(u, *def.with_nakshatra, r);
  // A skipped tithi's day is decided by its start too, after the sunrise.
  if (def.report_margin)
    u.margin_days =
        std::fabs(u.sunrise_jd - estimated_tithi_span(t, u.sunrise_jd, r.sky).start_jd);
  u.reasoning = prevails_text(u, r) + " (Nija) boundaries used.";
  if (moved)
    u.reasoning += " Of the two sunrises the tithi holds, the one with Nakshatra " +
                   std::string(nakshatra_name(*def.with_nakshatra)) + ".";
  return u;
}

// The lunar-day rule's udaya day: the first sunrise of the chosen month
// that carries the tithi; failing that, the one nearest the ingress that
// anchors the month.
std::optional<Udaya> udaya_day(const FestivalDef& def, Resolution& r) {
  const std::uint32_t m = def.lunar_month;
  const std::uint32_t t = def.tithi;
  if (m < 1 || m > 12 || t < 1 || t > 30) return std::nullopt;
  // Purnimant months end at the full moon, so a Krishna-paksha day falls
  // in the month named after the amant one.
  const std::uint32_t name_number = r.purnimant && t >= 16 ? purnimant_month(m) : m;
  const std::string_view month_name = lunar_month_name(name_number);
  const std::uint32_t p = MONTH_ANCHOR[m - 1];
  if (p >= r.calendar.sankrantis.size()) return std::nullopt;
  const Sankranti& anchor_sankranti = r.calendar.sankrantis[p];
  const double anchor = anchor_sankranti.jd;
  const LunarMonth* month = chosen_month(r.calendar.months, m, anchor, def.adhika_maasa);
  if (month == nullptr) return std::nullopt;
  if (std::optional<Udaya> u = udaya_in(def, *month, month_name, r)) return u;

  const std::optional<double> sunrise =
      nearest_sunrise([&](double jd) { return r.sky.tithi_at(jd) == t; }, anchor, r);
  if (!sunrise) return std::nullopt;
  Udaya u{t, *sunrise, local_date(*sunrise, r.clock), {}, month_name, false};
  u.reasoning = prevails_text(u, r) + " determined by " + std::string(anchor_sankranti.name) +
                " (" + std::string(anchor_sankranti.rashi_name) + ") on " +
                date_text(local_date(anchor, r.clock)) + " (fallback).";
  return u;
}

// The evening whose moonrise the tithi holds: the first day whose moonrise
// (the first after local noon, on the same civil date) the tithi holds;
// failing that, the udaya day. The tithi's span, at most 27 hours, holds the
// udaya day's sunrise, so only the day before, that day and the next can
// have such a moonrise.
Observed by_moonrise(const FestivalDef& def, Udaya u, Resolution& r) {
  const double udaya_midnight = local_midnight_jd(u.date, r.clock);
  for (const int shift : {-1, 0, 1}) {
    const CivilDate date =
        local_date(midnight_after(udaya_midnight, r.clock, shift), r.clock);
    const double moonrise = moonrise_after(local_noon_jd(date, r.clock), r.sky.place());
    if (!std::isfinite(moonrise) || local_date(moonrise, r.clock) != date ||
        r.sky.tithi_at(moonrise) != u.tithi)
      continue;
    const double sunrise = r.sky.sunrise_after(local_midnight_jd(date, r.clock));
    std::string why = tithi_phrase(u.month_name, u.tithi) + " holds the moonrise (" +
                      clock_text(moonrise, r.clock) + ") on " + date_text(date) +
                      ". Lunar month " + std::string(u.month_name) + ".";
    double margin = NaN;
    if (def.report_margin) {
      const TithiSpan span = estimated_tithi_span(u.tithi, moonrise, r.sky);
      margin = closer(moonrise - span.start_jd, span.end_jd - moonrise);
    }
    return Observed{date,         sunrise,       r.sky.tithi_at(sunrise), u.month_name,
                    u.is_adhik,   std::move(why), RULE_MOONRISE,          "",
                    std::nullopt, margin,        moonrise};
  }
  u.reasoning += " No moonrise of the month holds it: the udaya day is kept.";
  return Observed{u.date,     u.sunrise_jd, u.tithi, u.month_name, u.is_adhik,
                  std::move(u.reasoning), RULE_MOONRISE, "", std::nullopt, u.margin_days};
}

// --- the priority step ---

// The udaya day itself.
Observed paraviddha(Udaya u) {
  return Observed{u.date,         u.sunrise_jd, u.tithi, u.month_name, u.is_adhik,
                  std::move(u.reasoning), PARAVIDDHA, "",   std::nullopt, u.margin_days};
}

// The day on which the tithi begins: always the day before the udaya day.
Observed puurvaviddha(Udaya u, Resolution& r) {
  const SunriseHit prev = neighbour_day(u.sunrise_jd, r, -1.0);
  const std::uint32_t t = r.sky.tithi_at(prev.sunrise_jd);
  std::string why = tithi_phrase(u.month_name, u.tithi) + " begins during " +
                    date_text(prev.local.date) + " (tithi at its sunrise: " +
                    tithi_display_name(t) +
                    "). Puurvaviddha rule: observe on the day the tithi begins, not the day it "
                    "prevails at sunrise. Paraviddha alternate would be " +
                    date_text(u.date) + ".";
  return Observed{prev.local.date, prev.sunrise_jd, t, u.month_name, u.is_adhik, std::move(why),
                  PUURVAVIDDHA, "",
                  alternate_on(u.date, u.sunrise_jd, PARAVIDDHA, std::move(u.reasoning))};
}

// Whether the tithi occupies the kaala window of the day before the udaya
// day (`earlier`) and that of the udaya day.
struct KaalaPresence {
  SunriseHit earlier_day;
  bool earlier;
  bool udaya;
  // How long the tithi pervades each window, when the tie-break asks.
  double earlier_minutes = 0.0;
  double udaya_minutes = 0.0;
  // Where Bhadra is avoided: the tithi touches a window, but only in Bhadra.
  bool only_in_bhadra = false;
  // From the tithi's start or end to the nearest edge of either window.
  double margin_days = NaN;
};

// How near the tithi's span comes to deciding the window otherwise: its
// start against the window's end, its end against the window's start.
double window_margin(const TithiSpan& span, const DayWindow& w) {
  return closer(std::fabs(w.end_jd - span.start_jd), std::fabs(span.end_jd - w.start_jd));
}

KaalaPresence kaala_presence(const FestivalDef& def, const Udaya& u, Resolution& r) {
  const Kaala kaala = def.kaala;
  const SunriseHit prev = neighbour_day(u.sunrise_jd, r, -1.0);
  const SunriseHit next = neighbour_day(u.sunrise_jd, r, 1.0);
  const double sunset1 = r.sky.sunset_after(local_noon_jd(prev.local.date, r.clock));
  const double sunset2 = r.sky.sunset_after(local_noon_jd(u.date, r.clock));
  const DayWindow w1 = kaala_window(kaala, prev.sunrise_jd, sunset1, u.sunrise_jd);
  const DayWindow w2 = kaala_window(kaala, u.sunrise_jd, sunset2, next.sunrise_jd);
  const bool p1 = tithi_in_window(u.tithi, w1.start_jd, w1.end_jd, r.sky, r.order);
  const bool p2 = tithi_in_window(u.tithi, w2.start_jd, w2.end_jd, r.sky, r.order);
  KaalaPresence k{prev, p1, p2};
  if (def.report_margin) {
    const TithiSpan span = estimated_tithi_span(u.tithi, u.sunrise_jd, r.sky);
    k.margin_days = closer(window_margin(span, w1), window_margin(span, w2));
  }
  if (def.avoid_bhadra) {
    k.earlier = p1 && tithi_free_of_bhadra_in_window(u.tithi, w1.start_jd, w1.end_jd, r.sky);
    k.udaya = p2 && tithi_free_of_bhadra_in_window(u.tithi, w2.start_jd, w2.end_jd, r.sky);
    k.only_in_bhadra = (p1 || p2) && !k.earlier && !k.udaya;
  }
  if (k.earlier && k.udaya && def.vyapti_tie == VyaptiTie::longer) {
    // Whole minutes, so that what the reasoning says decides.
    k.earlier_minutes =
        std::round(tithi_overlap_days(u.tithi, w1.start_jd, w1.end_jd, r.sky) * 1440.0);
    k.udaya_minutes =
        std::round(tithi_overlap_days(u.tithi, w2.start_jd, w2.end_jd, r.sky) * 1440.0);
  }
  return k;
}

// Three muhurtas, 144 minutes.
constexpr double THREE_MUHURTAS_DAYS = 0.1;

// Where the tithi touches the kaala only within Bhadra on both days.
Observed bhadra_everywhere(const FestivalDef& def, Udaya u, const SunriseHit& prev,
                           Resolution& r) {
  const bool praharas = def.bhadra_fallback == BhadraFallback::three_and_half_praharas;
  const double needed_days =
      praharas ? (r.sky.sunset_after(local_noon_jd(u.date, r.clock)) - u.sunrise_jd) * 7.0 / 8.0
               : THREE_MUHURTAS_DAYS;
  const std::string needed = praharas ? "three and a half praharas" : "three muhurtas";
  const double minutes = (tithi_end_after(u.sunrise_jd, r.sky) - u.sunrise_jd) * 1440.0;
  const bool udaya = minutes >= needed_days * 1440.0;
  std::string why = tithi_phrase(u.month_name, u.tithi) + " touches the " +
                    std::string(def.kaala.label()) + " kaala only within Bhadra (Vishti " +
                    "karana). It lasts " + minutes_text(std::floor(minutes)) +
                    " after sunrise on " + date_text(u.date) +
                    (udaya ? ": " + needed + " or more, so that day is observed."
                           : ": less than " + needed + ", so the earlier day is observed.");
  if (udaya)
    return Observed{u.date, u.sunrise_jd, u.tithi, u.month_name, u.is_adhik, std::move(why),
                    VYAPTI, def.kaala.label(), std::nullopt};
  return Observed{prev.local.date, prev.sunrise_jd, r.sky.tithi_at(prev.sunrise_jd),
                  u.month_name, u.is_adhik, std::move(why), VYAPTI, def.kaala.label(),
                  alternate_on(u.date, u.sunrise_jd, PARAVIDDHA, std::move(u.reasoning))};
}

// Arunodaya ends at a sunrise, so the tithi that the udaya day's sunrise
// carries always touches that day's and never the day before's: the two days
// are the udaya day and the next, whose arunodaya it touches if it ends
// within the 96 minutes before the next sunrise. The later wins unless the
// tie goes to the earlier.
Observed arunodaya_vyapti(const FestivalDef& def, Udaya u, Resolution& r) {
  const SunriseHit next = neighbour_day(u.sunrise_jd, r, 1.0);
  const DayWindow w = kaala_window(def.kaala, next.sunrise_jd, NaN, NaN);
  const std::string phrase = tithi_phrase(u.month_name, u.tithi);
  if (def.vyapti_tie == VyaptiTie::earlier ||
      !tithi_in_window(u.tithi, w.start_jd, w.end_jd, r.sky, r.order)) {
    std::string why = phrase + " is present during the arunodaya kaala on " +
                      date_text(u.date) + ", at its sunrise (" +
                      clock_text(u.sunrise_jd, r.clock) + ").";
    return Observed{u.date, u.sunrise_jd, u.tithi, u.month_name, u.is_adhik, std::move(why),
                    VYAPTI, def.kaala.label(), std::nullopt};
  }
  std::string why = phrase + " is present during the arunodaya kaala on both " +
                    date_text(u.date) + " and " + date_text(next.local.date) +
                    ", before its sunrise (" + clock_text(next.sunrise_jd, r.clock) +
                    "). Vyapti tie-break: later day observed.";
  return Observed{next.local.date, next.sunrise_jd, r.sky.tithi_at(next.sunrise_jd),
                  u.month_name, u.is_adhik, std::move(why), VYAPTI, def.kaala.label(),
                  alternate_on(u.date, u.sunrise_jd, PARAVIDDHA, std::move(u.reasoning))};
}

// The day whose kaala window the tithi occupies.
Observed vyapti(const FestivalDef& def, Udaya u, Resolution& r) {
  if (def.kaala == Kaala::arunodaya) return arunodaya_vyapti(def, std::move(u), r);
  const KaalaPresence k = kaala_presence(def, u, r);
  const SunriseHit& prev = k.earlier_day;
  if (k.only_in_bhadra) return bhadra_everywhere(def, std::move(u), prev, r);
  const std::string kaala =
      (def.avoid_bhadra ? "Bhadra-free " : "") + std::string(def.kaala.label());
  const std::string earlier_date = date_text(prev.local.date);
  const std::string udaya_date = date_text(u.date);
  const std::string phrase = tithi_phrase(u.month_name, u.tithi);

  const bool both = k.earlier && k.udaya;
  const bool longer_earlier =
      both && def.vyapti_tie == VyaptiTie::longer && k.earlier_minutes > k.udaya_minutes;
  if (k.earlier && (!k.udaya || def.vyapti_tie == VyaptiTie::earlier || longer_earlier)) {
    std::string why = phrase + " is present during the " + kaala + " kaala on ";
    if (!k.udaya) {
      why += earlier_date + " but NOT during that kaala on " + udaya_date +
             ". Vyapti rule: observe on the earlier day.";
    } else if (longer_earlier) {
      why += "both " + earlier_date + " (" + minutes_text(k.earlier_minutes) + ") and " +
             udaya_date + " (" + minutes_text(k.udaya_minutes) +
             "). Vyapti tie-break: the day of longer pervasion, the earlier, observed.";
    } else {
      why += "both " + earlier_date + " and " + udaya_date +
             ". Vyapti tie-break: earlier day observed (purva-vyapti convention for this "
             "festival).";
    }
    why += " Paraviddha alternate (udayatithi rule): " + udaya_date + ".";
    return Observed{prev.local.date, prev.sunrise_jd, r.sky.tithi_at(prev.sunrise_jd),
                    u.month_name, u.is_adhik, std::move(why), VYAPTI, def.kaala.label(),
                    alternate_on(u.date, u.sunrise_jd, PARAVIDDHA, std::move(u.reasoning)),
                    k.margin_days};
  }
  std::string why = phrase + " is present during the " + kaala + " kaala on " + udaya_date +
                    ". Vyapti rule: later day (paraviddha) observed per paraviddha fallback.";
  if (both && def.vyapti_tie == VyaptiTie::longer)
    why += " It pervades that kaala " + minutes_text(k.udaya_minutes) + " on " + udaya_date +
           " and " + minutes_text(k.earlier_minutes) + " on " + earlier_date +
           ": the day of longer pervasion, or the later on equal pervasion.";
  std::optional<AlternateObservance> alternate;
  if (k.earlier) {
    alternate = alternate_on(prev.local.date, prev.sunrise_jd, PUURVAVIDDHA,
                             "Earlier day also has " + kaala +
                                 " vyapti; some traditions prefer the earlier day "
                                 "(puurvaviddha) when both qualify.");
  }
  return Observed{u.date, u.sunrise_jd, u.tithi, u.month_name, u.is_adhik, std::move(why),
                  VYAPTI, def.kaala.label(), std::move(alternate), k.margin_days};
}

Observed by_priority(const FestivalDef& def, Udaya u, Resolution& r) {
  switch (def.priority.value) {
    case Priority::puurvaviddha:
      return puurvaviddha(std::move(u), r);
    case Priority::vyapti:
      return vyapti(def, std::move(u), r);
    case Priority::paraviddha:
      break;
  }
  return paraviddha(std::move(u));
}

// --- the day shift ---

// Moves the day by k civil days. A day without sunrise keeps the civil
// date asked for.
std::optional<Observed> shifted(Observed o, Resolution& r, std::int32_t k) {
  const WideDate asked = add_days(o.date, k);
  // A sunrise is never before the midnight it is searched from, and comes
  // within a day of it if at all: a day asked for outside the year, but for
  // its eve, ends outside it. Its sunrise is not asked for, so no shift,
  // however large, reaches for a time the ephemeris does not cover.
  const std::int64_t year = r.calendar.year;
  const bool eve = asked.year == year - 1 && asked.month == 12 && asked.day == 31;
  if (asked.year != year && !eve) return std::nullopt;
  const double new_midnight = midnight_after(local_midnight_jd(o.date, r.clock), r.clock, k);
  const double sunrise = r.sky.sunrise_after(new_midnight);
  const CivilDate anchor = o.date;
  if (std::isfinite(sunrise)) {
    o.date = local_date(sunrise, r.clock);
  } else {
    o.date = CivilDate{static_cast<std::int32_t>(asked.year), asked.month, asked.day};
  }
  o.sunrise_jd = sunrise;
  o.tithi_at_sunrise = r.sky.tithi_at(sunrise);
  while (!o.reasoning.empty() && o.reasoning.back() == '.') o.reasoning.pop_back();
  o.reasoning += " (anchor: " + date_text(anchor) + ", shifted " + std::to_string(k) + " day" +
                 (k == 1 || k == -1 ? "" : "s") + ").";
  return o;
}

// The part of the observed day's kaala that the tithi holds, outside Bhadra
// where the definition avoids it.
DayWindow muhurta_of(const FestivalDef& def, std::uint32_t tithi, const Observed& o,
                     Resolution& r) {
  const double sunset = r.sky.sunset_after(local_noon_jd(o.date, r.clock));
  const double next_sunrise =
      r.sky.sunrise_after(midnight_after(local_midnight_jd(o.date, r.clock), r.clock));
  const DayWindow w = kaala_window(def.kaala, o.sunrise_jd, sunset, next_sunrise);
  const double middle = (w.start_jd + w.end_jd) / 2.0;
  if (!std::isfinite(middle)) return {NaN, NaN};
  const TithiSpan span = def.avoid_bhadra ? estimated_span_free_of_bhadra(tithi, middle, r.sky)
                                          : estimated_tithi_span(tithi, middle, r.sky);
  const double start = std::max(w.start_jd, span.start_jd);
  const double end = std::min(w.end_jd, span.end_jd);
  if (!(start < end)) return {NaN, NaN};
  return {start, end};
}

void tell_close_call(Observed& o) {
  if (!(o.margin_days * 1440.0 <= CLOSE_CALL_MINUTES)) return;
  o.reasoning += " A close call: the deciding boundary lies " +
                 minutes_text(std::max(1.0, std::round(o.margin_days * 1440.0))) +
                 " from the instant it was weighed against, so almanacs may differ.";
}

// A tithi rule's day from its udaya day: by moonrise, or by priority.
std::optional<Observed> observe_tithi(const FestivalDef& def, std::optional<Udaya> u,
                                      Resolution& r) {
  if (!u) return std::nullopt;
  if (def.rule == RULE_MOONRISE) return by_moonrise(def, std::move(*u), r);
  const std::uint32_t tithi = u->tithi;
  Observed o = by_priority(def, std::move(*u), r);
  if (def.report_margin && def.priority == Priority::vyapti) o.muhurta = muhurta_of(def, tithi, o, r);
  return o;
}

// A definition's day in the year: its rule's, shifted, if it falls in the year.
std::optional<Observed> resolve(const FestivalDef& def, Resolution& r) {
  std::optional<Observed> o;
  if (def.rule == RULE_SANKRANTI) {
    o = sankranti_rule(def, r);
  } else if (def.rule == RULE_TITHI || def.rule == RULE_MOONRISE) {
    o = observe_tithi(def, udaya_day(def, r), r);
  } else if (def.rule == RULE_NAKSHATRA) {
    o = nakshatra_rule(def, r);
  } else if (def.rule == RULE_SOLAR_MONTH_STAR) {
    o = solar_month_star_rule(def, r);
  }
  if (o && def.day_offset != 0) {
    o->muhurta = {NaN, NaN};  // it was the anchor day's
    o = shifted(std::move(*o), r, def.day_offset);
  }
  if (o && o->date.year != r.calendar.year) return std::nullopt;
  if (o) tell_close_call(*o);
  return o;
}

}  // namespace

Result<FestivalYear> compute_festival_year(std::int32_t year, Reuse reuse) {
  return checked([&]() -> Result<FestivalYear> {
    Result<std::vector<Sankranti>> sankrantis = compute_sankrantis(year);
    if (!sankrantis.ok()) return sankrantis.failure();
    Result<std::vector<LunarMonth>> months =
        reuse == Reuse::memo ? compute_lunar_months(year, false, sankrantis.value())
                             : compute_lunar_months(year, false);
    if (!months.ok()) return months.failure();
    return FestivalYear{year, std::move(sankrantis).value(), std::move(months).value()};
  });
}

namespace {

// The lunar month (1-12) whose days a definition's resolution scans: its own
// month, or the month its anchor sankranti falls in; 0 when it scans none.
std::uint32_t scanned_month(const FestivalDef& def) {
  if (def.rule == RULE_TITHI || def.rule == RULE_MOONRISE)
    return def.lunar_month <= 12 ? def.lunar_month : 0;
  if (!def.sankranti_index || *def.sankranti_index >= SANKRANTI_COUNT) return 0;
  for (std::uint32_t m = 1; m <= 12; ++m)
    if (MONTH_ANCHOR[m - 1] == *def.sankranti_index) return m;
  return 0;
}

// The definitions as units of work, each a list of indices in definition
// order. Definitions of one unit share a memo: on one thread all of them
// form one unit; with more, those that scan the same month form one, since
// they ask about the same days.
std::vector<std::vector<std::size_t>> definition_units(const std::vector<FestivalDef>& defs,
                                                       unsigned threads) {
  std::vector<std::vector<std::size_t>> units;
  if (defs.empty()) return units;
  if (threads <= 1) {
    units.emplace_back(defs.size());
    for (std::size_t i = 0; i < defs.size(); ++i) units[0][i] = i;
    return units;
  }
  std::array<std::size_t, 13> unit_of_month;
  unit_of_month.fill(defs.size());
  for (std::size_t i = 0; i < defs.size(); ++i) {
    std::size_t& u = unit_of_month[scanned_month(defs[i])];
    if (u == defs.size()) {
      u = units.size();
      units.emplace_back();
    }
    units[u].push_back(i);
  }
  return units;
}

// Each definition's day, resolved in units of work that share a sky. The
// call's failure is that of the first definition, in order, that fails:
// each unit meets its own first failing definition as the call would.
Result<std::vector<std::optional<Observed>>> observe(const std::vector<FestivalDef>& defs,
                                                     const FestivalYear& calendar,
                                                     const Clock& clock, const Place& place,
                                                     bool purnimant, Reuse reuse,
                                                     unsigned threads) {
  std::vector<std::optional<Observed>> observed(defs.size());
  const std::vector<std::vector<std::size_t>> units = definition_units(defs, threads);
  // The definition at which each unit's first failure came.
  std::vector<std::size_t> failed_at(units.size(), defs.size());
  const std::vector<std::optional<Error>> errors =
      run_every_unit(units.size(), threads, 1, [&](std::size_t u) {
        Sky sky(place, reuse);
        Resolution r{calendar, clock, purnimant, search_order(reuse), sky};
        std::size_t step = 0;
        for (const std::size_t i : units[u]) {
          // Definitions answered from the memo make no request that would
          // notice a cancellation.
          if (++step % CANCELLATION_POLL_STEPS == 0) cancellation_pending();
          observed[i] = resolve(defs[i], r);
          if (library_failure_pending()) {
            failed_at[u] = i;
            break;
          }
        }
        return std::optional<Error>();
      });
  std::optional<std::size_t> first;
  for (std::size_t u = 0; u < units.size(); ++u)
    if (errors[u] && (!first || failed_at[u] < failed_at[*first])) first = u;
  if (first) return *errors[*first];
  return observed;
}

FestivalOccurrence occurrence_of(const FestivalDef& def, Observed o) {
  return FestivalOccurrence{def.id,
                            def.name,
                            o.date,
                            o.sunrise_jd,
                            o.tithi_at_sunrise,
                            o.lunar_month_name,
                            o.is_adhik_month,
                            std::move(o.reasoning),
                            o.priority_applied,
                            o.kaala_applied,
                            std::move(o.alternate),
                            o.margin_days * 1440.0,
                            o.moonrise_jd,
                            o.muhurta};
}

// The occurrences of the observed definitions, stably in sunrise order;
// days without sunrise have no place in that order: last.
std::vector<FestivalOccurrence> in_sunrise_order(const std::vector<FestivalDef>& defs,
                                                 std::vector<std::optional<Observed>>& observed) {
  std::vector<FestivalOccurrence> out;
  for (std::size_t i = 0; i < defs.size(); ++i) {
    std::optional<Observed>& o = observed[i];
    if (!o) continue;
    out.push_back(occurrence_of(defs[i], std::move(*o)));
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const FestivalOccurrence& a, const FestivalOccurrence& b) {
                     if (std::isnan(a.sunrise_jd)) return false;
                     return std::isnan(b.sunrise_jd) || a.sunrise_jd < b.sunrise_jd;
                   });
  return out;
}

}  // namespace

std::optional<FestivalOccurrence> resolve_in_month(const FestivalDef& def,
                                                   const LunarMonth& month, const Clock& clock,
                                                   Sky& sky, Reuse reuse) {
  if (def.tithi < 1 || def.tithi > 30) return std::nullopt;
  const FestivalYear no_year{0, {}, {}};
  Resolution r{no_year, clock, false, search_order(reuse), sky};
  std::optional<Observed> o = observe_tithi(def, udaya_in(def, month, month.name, r), r);
  if (!o) return std::nullopt;
  tell_close_call(*o);
  return occurrence_of(def, std::move(*o));
}

Result<std::vector<FestivalOccurrence>> resolve_festivals(const std::vector<FestivalDef>& defs,
                                                          const FestivalYear& calendar,
                                                          const Clock& clock,
                                                          const Place& place, bool purnimant,
                                                          Reuse reuse, unsigned threads) {
  const SettingsPin pin(Settings::current());
  Result<std::vector<std::optional<Observed>>> observed =
      observe(defs, calendar, clock, place, purnimant, reuse, threads);
  if (!observed.ok()) return observed.failure();
  std::vector<std::optional<Observed>> days = std::move(observed).value();
  return in_sunrise_order(defs, days);
}

Result<std::vector<FestivalOccurrence>> compute_festivals(const std::vector<FestivalDef>& defs,
                                                          std::int32_t year,
                                                          const Clock& clock,
                                                          const Place& place, bool purnimant,
                                                          Reuse reuse, unsigned threads) {
  // One set of library settings for the whole call, whatever other threads do.
  const SettingsPin pin(Settings::current());
  const Result<FestivalYear> calendar = compute_festival_year(year, reuse);
  if (!calendar.ok()) return calendar.failure();
  return resolve_festivals(defs, calendar.value(), clock, place, purnimant, reuse, threads);
}

}  // namespace tithiloom
