// The lunar-day rules of festival resolution: the udaya day of a tithi in
// its month, and the day that the definition's priority, kaala, Bhadra rule
// or moonrise makes of it, with its muhurta.
#include "tithi_rules.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "names.hpp"
#include "panchang.hpp"
#include "reckoning.hpp"

namespace tithiloom {
namespace {

const std::string_view PARAVIDDHA = Priority(Priority::paraviddha).label();
const std::string_view PUURVAVIDDHA = Priority(Priority::puurvaviddha).label();
const std::string_view VYAPTI = Priority(Priority::vyapti).label();

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

// The sunrise of the day after the udaya day, where the tithi holds it too;
// NaN otherwise.
double second_sunrise(const Udaya& u, Resolution& r) {
  const double midnight = local_midnight_jd(u.date, r.clock);
  const double next = r.sky.sunrise_after(midnight_after(midnight, r.clock, 1));
  return std::isfinite(next) && r.sky.tithi_at(next) == u.tithi ? next : NaN;
}

void move_to(Udaya& u, double sunrise_jd, Resolution& r) {
  u.sunrise_jd = sunrise_jd;
  u.date = local_date(sunrise_jd, r.clock);
}

// When the udaya day's tithi also holds the next sunrise, and only that one
// carries the star, moves the day there; whether it moved.
bool to_day_with_star(Udaya& u, std::uint32_t star, Resolution& r) {
  const double next = second_sunrise(u, r);
  if (!std::isfinite(next) || r.sky.nakshatra_at(u.sunrise_jd) == star ||
      r.sky.nakshatra_at(next) != star)
    return false;
  move_to(u, next, r);
  return true;
}

std::string prevails_text(const Udaya& u, Resolution& r) {
  return tithi_phrase(u.month_name, u.tithi) + " prevails at sunrise (" +
         clock_text(u.sunrise_jd, r.clock) + ") on " + date_text(u.date) + ". Lunar month " +
         std::string(u.month_name);
}

}  // namespace

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
  const double second = def.vriddhi_second ? second_sunrise(u, r) : NaN;
  // A skipped tithi's day is decided by its start too, after the sunrise.
  if (def.report_margin)
    u.margin_days =
        std::fabs(u.sunrise_jd - estimated_tithi_span(t, u.sunrise_jd, r.sky).start_jd);
  if (std::isfinite(second)) {
    // Whether the tithi still held the second sunrise decided.
    if (def.report_margin)
      u.margin_days = std::fabs(estimated_tithi_span(t, second, r.sky).end_jd - second);
    move_to(u, second, r);
  }
  u.reasoning = prevails_text(u, r) + " (Nija) boundaries used.";
  if (moved)
    u.reasoning += " Of the two sunrises the tithi holds, the one with Nakshatra " +
                   std::string(nakshatra_name(*def.with_nakshatra)) + ".";
  if (std::isfinite(second))
    u.reasoning += " Of the two sunrises the tithi holds, the second, on which it runs into " +
                   std::string(tithi_display_name(t % 30 + 1)) + ".";
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

namespace {

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
    k.earlier =
        p1 && tithi_free_of_bhadra_in_window(u.tithi, w1.start_jd, w1.end_jd, r.sky, r.order);
    k.udaya =
        p2 && tithi_free_of_bhadra_in_window(u.tithi, w2.start_jd, w2.end_jd, r.sky, r.order);
    k.only_in_bhadra = (p1 || p2) && !k.earlier && !k.udaya;
  }
  if (k.earlier && k.udaya && def.vyapti_tie == VyaptiTie::longer) {
    // Whole minutes, so that what the reasoning says decides.
    k.earlier_minutes = std::round(
        tithi_overlap_days(u.tithi, w1.start_jd, w1.end_jd, r.sky, r.order) * 1440.0);
    k.udaya_minutes = std::round(
        tithi_overlap_days(u.tithi, w2.start_jd, w2.end_jd, r.sky, r.order) * 1440.0);
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
  // The tithi's end against the next arunodaya's start decides between the
  // days, as its start against the sunrise decided the udaya day.
  const double margin =
      def.report_margin
          ? closer(u.margin_days, std::fabs(estimated_tithi_span(u.tithi, u.sunrise_jd, r.sky)
                                                .end_jd -
                                            w.start_jd))
          : NaN;
  if (def.vyapti_tie == VyaptiTie::earlier ||
      !tithi_in_window(u.tithi, w.start_jd, w.end_jd, r.sky, r.order)) {
    // A tithi that touches no sunrise begins after this one: it holds no
    // arunodaya of this day either.
    std::string why = r.sky.tithi_at(u.sunrise_jd) != u.tithi
                          ? u.reasoning + " It holds no arunodaya kaala either."
                          : phrase + " is present during the arunodaya kaala on " +
                                date_text(u.date) + ", at its sunrise (" +
                                clock_text(u.sunrise_jd, r.clock) + ").";
    return Observed{u.date, u.sunrise_jd, u.tithi, u.month_name, u.is_adhik, std::move(why),
                    VYAPTI, def.kaala.label(), std::nullopt, margin};
  }
  std::string why = phrase + " is present during the arunodaya kaala on both " +
                    date_text(u.date) + " and " + date_text(next.local.date) +
                    ", before its sunrise (" + clock_text(next.sunrise_jd, r.clock) +
                    "). Vyapti tie-break: later day observed.";
  return Observed{next.local.date, next.sunrise_jd, r.sky.tithi_at(next.sunrise_jd),
                  u.month_name, u.is_adhik, std::move(why), VYAPTI, def.kaala.label(),
                  alternate_on(u.date, u.sunrise_jd, PARAVIDDHA, std::move(u.reasoning)),
                  margin};
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

// The udaya day where the tithi lasts three muhurtas after its sunrise;
// a shorter one is kept the day before, on which it begins, joined with the
// tithi before it. A tithi that touches no sunrise keeps its day.
Observed three_muhurtas_after_sunrise(const FestivalDef& def, Udaya u, Resolution& r) {
  if (r.sky.tithi_at(u.sunrise_jd) != u.tithi) return paraviddha(std::move(u));
  const double end = tithi_end_after(u.sunrise_jd, r.sky);
  const double needed_end = u.sunrise_jd + THREE_MUHURTAS_DAYS;
  if (def.report_margin) u.margin_days = closer(u.margin_days, std::fabs(end - needed_end));
  const double minutes = std::floor((end - u.sunrise_jd) * 1440.0);
  if (!(end < needed_end)) {
    if (std::isfinite(end))
      u.reasoning += " It lasts " + minutes_text(minutes) +
                     " after that sunrise: three muhurtas or more.";
    return paraviddha(std::move(u));
  }
  const SunriseHit prev = neighbour_day(u.sunrise_jd, r, -1.0);
  std::string why = tithi_phrase(u.month_name, u.tithi) + " lasts " + minutes_text(minutes) +
                    " after sunrise (" + clock_text(u.sunrise_jd, r.clock) + ") on " +
                    date_text(u.date) + ": less than three muhurtas, so the day it begins, " +
                    date_text(prev.local.date) + ", is observed. Lunar month " +
                    std::string(u.month_name) + ".";
  const double margin = u.margin_days;
  return Observed{prev.local.date, prev.sunrise_jd, r.sky.tithi_at(prev.sunrise_jd),
                  u.month_name, u.is_adhik, std::move(why), PUURVAVIDDHA, "",
                  alternate_on(u.date, u.sunrise_jd, PARAVIDDHA, std::move(u.reasoning)),
                  margin};
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
  if (def.udaya_three_muhurtas) return three_muhurtas_after_sunrise(def, std::move(u), r);
  return paraviddha(std::move(u));
}

// The observed day's sunset and next sunrise, and its kaala between them.
struct ObservedDay {
  double sunset_jd;
  double next_sunrise_jd;
  DayWindow kaala;
};

ObservedDay observed_day(const FestivalDef& def, const Observed& o, Resolution& r) {
  const double sunset = r.sky.sunset_after(local_noon_jd(o.date, r.clock));
  const double next_sunrise =
      r.sky.sunrise_after(midnight_after(local_midnight_jd(o.date, r.clock), r.clock));
  return {sunset, next_sunrise, kaala_window(def.kaala, o.sunrise_jd, sunset, next_sunrise)};
}

// The part of the window that the span covers; NaN where they do not meet.
DayWindow overlap(const DayWindow& w, const TithiSpan& span) {
  const double start = std::max(w.start_jd, span.start_jd);
  const double end = std::min(w.end_jd, span.end_jd);
  if (!(start < end)) return {NaN, NaN};
  return {start, end};
}

// The part of the observed day's kaala that the tithi holds, outside Bhadra
// where the definition avoids it.
DayWindow muhurta_of(const FestivalDef& def, std::uint32_t tithi, const Observed& o,
                     Resolution& r) {
  const DayWindow w = observed_day(def, o, r).kaala;
  const double middle = (w.start_jd + w.end_jd) / 2.0;
  if (!std::isfinite(middle)) return {NaN, NaN};
  return overlap(w, def.avoid_bhadra ? estimated_span_free_of_bhadra(tithi, middle, r.sky)
                                     : estimated_tithi_span(tithi, middle, r.sky));
}

// Where Bhadra covers the kaala on both days: on the day before, the rite
// goes to the tithi's Bhadra-free part from the kaala's start until the
// middle of the night; on the day whose sunrise carries the tithi, to its
// Bhadra-free part in daylight, except that the three-and-a-half-prahara
// rule keeps the kaala of that day whatever tithi then holds.
DayWindow after_bhadra(const FestivalDef& def, std::uint32_t tithi, const Observed& o,
                       Resolution& r) {
  const ObservedDay day = observed_day(def, o, r);
  const bool udaya = o.tithi_at_sunrise == tithi;
  if (udaya && def.bhadra_fallback == BhadraFallback::three_and_half_praharas) return day.kaala;
  const DayWindow w =
      udaya ? DayWindow{o.sunrise_jd, day.sunset_jd}
            : DayWindow{day.kaala.start_jd, (day.sunset_jd + day.next_sunrise_jd) / 2.0};
  return overlap(w, estimated_span_free_of_bhadra(tithi, udaya ? o.sunrise_jd : day.sunset_jd,
                                                  r.sky));
}

// Bhadra's tail (puchha): its last three ghatikas (72 minutes).
constexpr double PUCHHA_DAYS = 0.05;

// Where Bhadra, lasting past the middle of the night before the udaya day,
// leaves the night no part of the tithi free of it, the rite may go to
// Bhadra's tail, if that ends before the next sunrise.
DayWindow bhadra_tail(const FestivalDef& def, std::uint32_t tithi, const Observed& o,
                      Resolution& r) {
  if (o.tithi_at_sunrise == tithi) return {NaN, NaN};
  const ObservedDay day = observed_day(def, o, r);
  const TithiSpan bhadra = estimated_bhadra_span(tithi, day.sunset_jd, r.sky);
  const double midnight = (day.sunset_jd + day.next_sunrise_jd) / 2.0;
  if (!(bhadra.end_jd > midnight && bhadra.end_jd <= day.next_sunrise_jd)) return {NaN, NaN};
  return {std::max(bhadra.end_jd - PUCHHA_DAYS, bhadra.start_jd), bhadra.end_jd};
}

}  // namespace

// A tithi rule's day from its udaya day: by moonrise, or by priority.
std::optional<Observed> observe_tithi(const FestivalDef& def, std::optional<Udaya> u,
                                      Resolution& r) {
  if (!u) return std::nullopt;
  if (def.rule == RULE_MOONRISE) return by_moonrise(def, std::move(*u), r);
  const std::uint32_t tithi = u->tithi;
  Observed o = by_priority(def, std::move(*u), r);
  if (def.report_margin && def.priority == Priority::vyapti) {
    o.muhurta = muhurta_of(def, tithi, o, r);
    if (def.avoid_bhadra && !std::isfinite(o.muhurta.start_jd))
      o.muhurta = after_bhadra(def, tithi, o, r);
    if (def.avoid_bhadra && !std::isfinite(o.muhurta.start_jd)) {
      o.muhurta = bhadra_tail(def, tithi, o, r);
      if (std::isfinite(o.muhurta.start_jd))
        o.reasoning += " Bhadra lasts past the middle of the night: the rite goes to its tail "
                       "(puchha), " +
                       clock_text(o.muhurta.start_jd, r.clock) + " to " +
                       clock_text(o.muhurta.end_jd, r.clock) + ".";
    }
  }
  return o;
}

}  // namespace tithiloom
