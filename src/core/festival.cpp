#include "festival.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <unordered_map>
#include <utility>

#include "lunar_month.hpp"
#include "names.hpp"
#include "numeric.hpp"
#include "panchang.hpp"
#include "parallel.hpp"
#include "reckoning.hpp"
#include "sankranti.hpp"
#include "search.hpp"
#include "sun.hpp"

namespace tithiloom {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// How far the tithi's start and end are searched from a window's start.
constexpr double WINDOW_SEARCH_DAYS = 2.0;
constexpr double WINDOW_SEARCH_STEP_DAYS = 1.0 / 24.0;
// Ranges of sunrises longer than this are refused, as the crossing search
// refuses windows of more samples.
constexpr double MAX_RANGE_DAYS = SEARCH_MAX_STEPS;
// The day-by-day scans around an anchor: 40 civil days from 20 before it.
constexpr double SCAN_BEFORE_DAYS = 20.0;
constexpr int SCAN_DAYS = 40;

const std::string_view PARAVIDDHA = Priority(Priority::paraviddha).label();
const std::string_view PUURVAVIDDHA = Priority(Priority::puurvaviddha).label();
const std::string_view VYAPTI = Priority(Priority::vyapti).label();

// The tithi angle at a NaN instant is NaN, whose element index is 0.
constexpr std::uint32_t TITHI_OF_NAN = 1;

// Between the polar circles (with room for the obliquity of any era) the Sun
// rises every day, so the first sunrise after a midnight comes within a day
// and a few minutes of it: within a day and this much, with room to spare.
constexpr double DAILY_SUNRISE_MAX_LAT_DEG = 60.0;
constexpr double SUNRISE_SLACK_DAYS = 0.05;
// The elongation only grows, by less than this in a day (the Moon moves at
// most about 15.4 degrees a day, the Sun at least 0.95 the same way); its
// computed value may run back by rounding alone, far less than the noise.
constexpr double MAX_ELONGATION_DEG_PER_DAY = 16.0;
constexpr double ELONGATION_NOISE_DEG = 1e-6;

// --- library answers, optionally remembered for the whole call ---

class Sky {
 public:
  Sky(const Place& place, Reuse reuse) : place_(place), remember_(reuse == Reuse::memo) {}

  double sunrise_after(double jd) {
    if (!remember_) return tithiloom::sunrise_after(jd, place_);
    return at(jd, SUNRISE).sunrise;
  }
  double sunset_after(double jd) {
    if (!remember_) return tithiloom::sunset_after(jd, place_);
    return at(jd, SUNSET).sunset;
  }
  // The remembered values form the angles by the same formulas as the
  // public angle functions.
  double tithi_angle(double jd) {
    if (!remember_) return tithiloom::tithi_angle(jd);
    const Entry& e = at(jd, MOON | SUN);
    return elongation_deg(e.moon, e.sun);
  }
  double moon_sidereal(double jd) {
    if (!remember_) return moon_sidereal_longitude(jd);
    const Entry& e = at(jd, MOON | AYANAMSA);
    return to_sidereal(e.moon, e.ayanamsa);
  }
  std::uint32_t tithi_at(double jd) {
    if (!std::isfinite(jd)) return TITHI_OF_NAN;
    return element_index(tithi_angle(jd), TITHI_SPAN_DEG) + 1;
  }
  std::uint32_t nakshatra_at(double jd) {
    return element_index(moon_sidereal(jd), NAKSHATRA_SPAN_DEG) + 1;
  }

  // Whether a day-by-day sunrise scan over [start_jd, end_jd] may pass over
  // days whose sunrise cannot carry the tithis it looks for. Only when
  // remembering (the literal sky asks about every day), where the Sun rises
  // every day, and where no request left out or added could fail: a failure
  // would be the whole computation's.
  bool may_pass_over_days(double start_jd, double end_jd) const {
    return remember_ && std::fabs(place_.lat_deg) <= DAILY_SUNRISE_MAX_LAT_DEG &&
           requests_cannot_fail(start_jd - 2.0, end_jd + 2.0, place_);
  }

  // The latest the first sunrise after a midnight can come, where days may
  // be passed over.
  static double latest_sunrise(double midnight_jd) {
    return midnight_jd + (1.0 + SUNRISE_SLACK_DAYS);
  }

  // How many days from the midnight on (its own included) certainly have a
  // first sunrise carrying neither tithi a nor b (1-30), where days may be
  // passed over: the elongation grows by at most MAX_ELONGATION_DEG_PER_DAY
  // a day, and day j's first sunrise comes at most 1 + j days and the slack
  // after the midnight.
  std::int64_t days_carrying_neither(double midnight_jd, std::int64_t a, std::int64_t b) {
    const double at = tithi_angle(midnight_jd);
    if (!std::isfinite(at)) return 0;
    std::int64_t days = std::numeric_limits<std::int64_t>::max();
    for (const std::int64_t t : {a, b}) {
      if (t < 1 || t > 30) return 0;
      // How far the elongation is short of the tithi's span.
      const double short_of = norm360(static_cast<double>(t - 1) * TITHI_SPAN_DEG - at);
      // In the span, or just past it: no day can be passed over.
      if (short_of + TITHI_SPAN_DEG >= 360.0 - ELONGATION_NOISE_DEG) return 0;
      std::int64_t n = 0;
      while ((static_cast<double>(n) + 1.0 + SUNRISE_SLACK_DAYS) * MAX_ELONGATION_DEG_PER_DAY +
                 ELONGATION_NOISE_DEG <
             short_of)
        ++n;
      days = std::min(days, n);
    }
    return days;
  }

  // Whether the first sunrise after the midnight may carry tithi a or b
  // (1-30), where days may be passed over: the elongation there lies between
  // its values at the midnight and at the next one, plus what the slack
  // adds. The next midnight's angle serves the next day.
  bool sunrise_may_carry(double midnight_jd, std::int64_t a, std::int64_t b) {
    const double lo = tithi_angle(midnight_jd);
    const double hi = tithi_angle(midnight_jd + 1.0);
    if (!std::isfinite(lo) || !std::isfinite(hi)) return true;
    const double from = lo - ELONGATION_NOISE_DEG;
    const double width = norm360(hi - lo) + MAX_ELONGATION_DEG_PER_DAY * SUNRISE_SLACK_DAYS +
                         2.0 * ELONGATION_NOISE_DEG;
    for (const std::int64_t t : {a, b}) {
      if (t < 1 || t > 30) return true;
      // The tithi's span begins within the reach, or the reach within the span.
      const double to_span = norm360(static_cast<double>(t - 1) * TITHI_SPAN_DEG - from);
      if (to_span <= width || to_span + TITHI_SPAN_DEG >= 360.0) return true;
    }
    return false;
  }

 private:
  static constexpr std::uint8_t MOON = 1, SUN = 2, AYANAMSA = 4, SUNRISE = 8, SUNSET = 16;
  // A year of days plus the window searches of many definitions fits well
  // below this; past it the memo stops growing and answers afresh.
  static constexpr std::size_t MAX_ENTRIES = 1 << 16;

  struct Entry {
    double moon = 0.0;  // tropical, normalised
    double sun = 0.0;   // tropical, normalised
    double ayanamsa = 0.0;
    double sunrise = 0.0;  // first sunrise after the key instant
    double sunset = 0.0;   // first sunset after the key instant
    std::uint8_t have = 0;
  };

  void fill(Entry& e, double jd, std::uint8_t need) {
    const std::uint8_t missing = need & static_cast<std::uint8_t>(~e.have);
    if (missing & MOON) e.moon = tropical_longitude(jd, BODY_MOON);
    if (missing & SUN) e.sun = tropical_longitude(jd, BODY_SUN);
    if (missing & AYANAMSA) e.ayanamsa = ayanamsa(jd);
    if (missing & SUNRISE) e.sunrise = tithiloom::sunrise_after(jd, place_);
    if (missing & SUNSET) e.sunset = tithiloom::sunset_after(jd, place_);
    e.have |= missing;
  }

  const Entry& at(double jd, std::uint8_t need) {
    const auto key = std::bit_cast<std::uint64_t>(jd);
    auto it = memo_.find(key);
    if (it == memo_.end()) {
      if (memo_.size() >= MAX_ENTRIES) {
        scratch_ = Entry{};
        fill(scratch_, jd, need);
        return scratch_;
      }
      it = memo_.emplace(key, Entry{}).first;
    }
    fill(it->second, jd, need);
    return it->second;
  }

  Place place_;
  bool remember_;
  std::unordered_map<std::uint64_t, Entry> memo_;
  Entry scratch_;
};

// --- probes, on whichever sky ---

// The tithi's beginning: the last crossing of its lower bound within two days
// before the window, else the first within two days after its start.
template <class Angle>
std::optional<double> tithi_begin(Angle& angle, double lo_deg, double start_jd) {
  if (auto b = find_crossing_backward(angle, start_jd, lo_deg, WINDOW_SEARCH_DAYS)) return b;
  return find_crossing_forward_step(angle, start_jd, lo_deg, WINDOW_SEARCH_DAYS,
                                    WINDOW_SEARCH_STEP_DAYS);
}

// How the beginning and the end are searched. The answer is a conjunction
// of pure tests on the two, so it is the same in any order; `quickest` starts
// with the one that the tithi at the window's middle says can rule the
// window out (the beginning when the tithi is yet to come, the end when it is
// over) and stops as soon as it does.
enum class SearchOrder : bool { as_stated, quickest };

template <class Angle>
bool tithi_in_window(Angle&& angle, std::uint32_t tithi, double start_jd, double end_jd,
                     SearchOrder order) {
  const double mid = (start_jd + end_jd) * 0.5;
  std::uint32_t at_mid = 0;
  if (std::isfinite(mid)) {
    at_mid = element_index(angle(mid), TITHI_SPAN_DEG) + 1;
    if (at_mid == tithi) return true;
  }
  const double lo = (static_cast<double>(tithi) - 1.0) * TITHI_SPAN_DEG;
  const double hi = static_cast<double>(tithi) * TITHI_SPAN_DEG;
  const auto end_of = [&] {
    return find_crossing_forward_step(angle, start_jd, hi, WINDOW_SEARCH_DAYS,
                                      WINDOW_SEARCH_STEP_DAYS);
  };
  std::optional<double> begin, end;
  // Tithis from the middle's on to the wanted one: 1 to 14 means it is yet to come.
  const std::uint32_t ahead = (tithi + 30 - at_mid % 30) % 30;
  if (order == SearchOrder::as_stated) {
    begin = tithi_begin(angle, lo, start_jd);
    end = end_of();
  } else if (ahead >= 1 && ahead <= 14) {
    begin = tithi_begin(angle, lo, start_jd);
    if (!begin || !(*begin < end_jd)) return false;
    end = end_of();
  } else {
    end = end_of();
    if (!end || !(*end > start_jd)) return false;
    begin = tithi_begin(angle, lo, start_jd);
  }
  return begin && end && *end > *begin && *end > start_jd && *begin < end_jd;
}

std::optional<SunriseHit> find_tithi_in_range(Sky& sky, std::int32_t tithi,
                                              const Clock& clock, double start_jd,
                                              double end_jd) {
  if (!std::isfinite(start_jd) || !std::isfinite(end_jd)) return std::nullopt;
  const std::int64_t wanted = tithi;
  const std::int64_t preceding = wanted == 1 ? 30 : wanted - 1;
  const CivilDate first = local_date(start_jd, clock);
  double d = local_midnight_jd(first, clock);
  if (!(d <= end_jd) || !(end_jd - d <= MAX_RANGE_DAYS)) return std::nullopt;
  std::optional<SunriseHit> fallback;
  // A day whose sunrise can carry neither tithi changes nothing, and needs
  // no sunrise unless that could end the scan. A few angles rule out most
  // days; the rest are asked about one by one.
  const bool pass_over = sky.may_pass_over_days(start_jd, end_jd);
  std::int64_t neither = 0;  // days from this one on whose sunrise carries neither tithi
  for (;;) {
    bool passed_over = false;
    if (pass_over && Sky::latest_sunrise(d) <= end_jd) {
      if (neither == 0) neither = sky.days_carrying_neither(d, wanted, preceding);
      passed_over = neither > 0 || !sky.sunrise_may_carry(d, wanted, preceding);
    }
    if (neither > 0) --neither;
    const double s = passed_over ? NaN : sky.sunrise_after(d);
    if (std::isfinite(s)) {
      if (s > end_jd) break;
      const std::int64_t t = sky.tithi_at(s);
      if (s >= start_jd && t == wanted) return sunrise_hit(first, s, clock);
      if (t == preceding && !fallback) fallback = sunrise_hit(first, s, clock);
    }
    const double next = midnight_after(clock, d);
    if (!(next <= end_jd) || next == d) break;
    d = next;
  }
  return fallback;
}

// --- texts ---

std::string one_decimal(double x) {
  char buf[400];  // wide enough for any finite double in fixed notation
  const auto end = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, 1).ptr;
  return std::string(buf, end);
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
};

// The lunar-day rule's udaya day, handed to the priority step.
struct Udaya {
  std::uint32_t tithi;
  double sunrise_jd;
  CivilDate date;
  std::string reasoning;
  std::string_view month_name;
  bool is_adhik;
};

AlternateObservance alternate_on(const CivilDate& date, double sunrise_jd,
                                 std::string_view priority, std::string reasoning) {
  return {date.year, date.month, date.day, sunrise_jd, priority, std::move(reasoning)};
}

class Resolver {
 public:
  Resolver(const std::vector<Sankranti>& sankrantis, const std::vector<LunarMonth>& months,
           std::int32_t year, const Clock& clock, const Place& place, bool purnimant,
           Reuse reuse)
      : s_(sankrantis),
        l_(months),
        year_(year),
        clock_(clock),
        purnimant_(purnimant),
        order_(reuse == Reuse::memo ? SearchOrder::quickest : SearchOrder::as_stated),
        sky_(place, reuse) {}

  std::optional<Observed> resolve(const FestivalDef& def) {
    std::optional<Observed> o;
    if (def.rule == RULE_SANKRANTI) {
      o = sankranti_rule(def);
    } else if (def.rule == RULE_TITHI) {
      o = tithi_rule(def);
    } else if (def.rule == RULE_NAKSHATRA) {
      o = nakshatra_rule(def);
    }
    if (o && def.day_offset != 0) o = shift(std::move(*o), def.day_offset);
    if (o && o->date.year != year_) return std::nullopt;
    return o;
  }

 private:
  double midnight(const CivilDate& date) const {
    return local_midnight_jd(date, clock_);
  }

  // The sunrise of the civil day before (-1) or after (+1) the one holding jd.
  SunriseHit neighbour_day(double jd, double day_shift) {
    const CivilDate date = local_date(jd, clock_, day_shift);
    return sunrise_hit(date, sky_.sunrise_after(midnight(date)), clock_);
  }

  // Among the 40 days around the anchor, the sunrise nearest it that matches;
  // on equal distance the earlier day.
  template <class Match>
  std::optional<double> nearest_sunrise(double anchor_jd, Match&& match) {
    const CivilDate first = local_date(anchor_jd - SCAN_BEFORE_DAYS, clock_);
    const double d0 = midnight(first);
    std::optional<double> best;
    for (int i = 0; i < SCAN_DAYS; ++i) {
      const double r = sky_.sunrise_after(midnight_after(clock_, d0, i));
      if (!std::isfinite(r) || !match(r)) continue;
      if (!best || std::fabs(r - anchor_jd) < std::fabs(*best - anchor_jd)) best = r;
    }
    return best;
  }

  std::optional<Observed> sankranti_rule(const FestivalDef& def) {
    if (!def.sankranti_index || *def.sankranti_index >= s_.size()) return std::nullopt;
    const Sankranti& s = s_[*def.sankranti_index];
    const CivilDate date = local_date(s.jd, clock_);
    const double sunrise = sky_.sunrise_after(midnight(date));
    std::string why = "Sun enters ";
    why += s.rashi_name;
    why += " (sidereal ";
    why += one_decimal(s.target_longitude);
    why += "\u00B0) on ";
    why += date_text(date);
    why += " at ";
    why += clock_text(s.jd, clock_);
    why += '.';
    return Observed{date, sunrise, sky_.tithi_at(sunrise), "", false, std::move(why),
                    RULE_SANKRANTI, "", std::nullopt};
  }

  std::optional<Observed> nakshatra_rule(const FestivalDef& def) {
    if (!def.nakshatra || !def.sankranti_index || *def.sankranti_index >= s_.size())
      return std::nullopt;
    const std::uint32_t n = *def.nakshatra;
    const Sankranti& s = s_[*def.sankranti_index];
    const std::optional<double> r =
        nearest_sunrise(s.jd, [&](double jd) { return sky_.nakshatra_at(jd) == n; });
    if (!r) return std::nullopt;
    const CivilDate date = local_date(*r, clock_);
    std::string why = "Nakshatra ";
    why += nakshatra_name(n);
    why += " (#";
    why += std::to_string(n);
    why += ") prevails at sunrise (";
    why += clock_text(*r, clock_);
    why += ") on ";
    why += date_text(date);
    why += ". Anchored to ";
    why += s.name;
    why += " (";
    why += s.rashi_name;
    why += ") on ";
    why += date_text(local_date(s.jd, clock_));
    why += '.';
    return Observed{date, *r, sky_.tithi_at(*r), "", false, std::move(why),
                    RULE_NAKSHATRA, "", std::nullopt};
  }

  // The month of number m to search in, as the adhika-maasa choice says.
  const LunarMonth* chosen_month(std::uint32_t m, double anchor, AdhikaMaasa choice) const {
    const LunarMonth* nija = nullptr;
    const LunarMonth* first_nija = nullptr;
    const LunarMonth* adhika = nullptr;
    const LunarMonth* first_adhika = nullptr;
    for (const LunarMonth& month : l_) {
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

  std::optional<Observed> tithi_rule(const FestivalDef& def) {
    const std::uint32_t m = def.lunar_month;
    const std::uint32_t t = def.tithi;
    if (m < 1 || m > 12 || t < 1 || t > 30) return std::nullopt;
    // Purnimant months end at the full moon, so a Krishna-paksha day falls
    // in the month named after the amant one.
    const std::uint32_t name_number = purnimant_ && t >= 16 ? purnimant_month(m) : m;
    const std::string_view month_name = lunar_month_name(name_number);
    const std::uint32_t p = MONTH_ANCHOR[m - 1];
    if (p >= s_.size()) return std::nullopt;
    const Sankranti& anchor_sankranti = s_[p];
    const double anchor = anchor_sankranti.jd;
    const LunarMonth* month = chosen_month(m, anchor, def.adhika_maasa);
    if (month == nullptr) return std::nullopt;

    Udaya u{t, NaN, {}, {}, month_name, false};
    const auto tithi_i32 = static_cast<std::int32_t>(t);
    if (const auto hit = find_tithi_in_range(sky_, tithi_i32, clock_, month->start_jd, month->end_jd)) {
      u.sunrise_jd = hit->sunrise_jd;
      u.date = hit->local.date;
      u.is_adhik = month->is_adhik;
      u.reasoning = tithi_phrase(month_name, t) + " prevails at sunrise (" +
                    clock_text(u.sunrise_jd, clock_) + ") on " + date_text(u.date) +
                    ". Lunar month " + std::string(month_name) + " (Nija) boundaries used.";
    } else {
      const std::optional<double> r =
          nearest_sunrise(anchor, [&](double jd) { return sky_.tithi_at(jd) == t; });
      if (!r) return std::nullopt;
      u.sunrise_jd = *r;
      u.date = local_date(*r, clock_);
      u.reasoning = tithi_phrase(month_name, t) + " prevails at sunrise (" +
                    clock_text(u.sunrise_jd, clock_) + ") on " + date_text(u.date) +
                    ". Lunar month " + std::string(month_name) + " determined by " +
                    std::string(anchor_sankranti.name) + " (" +
                    std::string(anchor_sankranti.rashi_name) + ") on " +
                    date_text(local_date(anchor, clock_)) + " (fallback).";
    }
    switch (def.priority.value) {
      case Priority::puurvaviddha:
        return puurvaviddha(std::move(u));
      case Priority::vyapti:
        return vyapti(def, std::move(u));
      case Priority::paraviddha:
        break;
    }
    return Observed{u.date,       u.sunrise_jd,           u.tithi,
                    u.month_name, u.is_adhik,             std::move(u.reasoning),
                    PARAVIDDHA, "", std::nullopt};
  }

  // The day on which the tithi begins: always the day before the udaya day.
  Observed puurvaviddha(Udaya u) {
    const SunriseHit prev = neighbour_day(u.sunrise_jd, -1.0);
    const std::uint32_t t = sky_.tithi_at(prev.sunrise_jd);
    std::string why = tithi_phrase(u.month_name, u.tithi) + " begins during " +
                      date_text(prev.local.date) + " (tithi at its sunrise: " +
                      tithi_display_name(t) +
                      "). Puurvaviddha rule: observe on the day the tithi begins, not the day it "
                      "prevails at sunrise. Paraviddha alternate would be " +
                      date_text(u.date) + ".";
    return Observed{prev.local.date,
                    prev.sunrise_jd,
                    t,
                    u.month_name,
                    u.is_adhik,
                    std::move(why),
                    PUURVAVIDDHA,
                    "",
                    alternate_on(u.date, u.sunrise_jd, PARAVIDDHA,
                                 std::move(u.reasoning))};
  }

  // The day whose kaala window the tithi occupies.
  Observed vyapti(const FestivalDef& def, Udaya u) {
    const SunriseHit prev = neighbour_day(u.sunrise_jd, -1.0);
    const SunriseHit next = neighbour_day(u.sunrise_jd, 1.0);
    const double sunset1 = sky_.sunset_after(local_noon_jd(prev.local.date, clock_));
    const double sunset2 = sky_.sunset_after(local_noon_jd(u.date, clock_));
    const DayWindow w1 = kaala_window(def.kaala, prev.sunrise_jd, sunset1, u.sunrise_jd);
    const DayWindow w2 = kaala_window(def.kaala, u.sunrise_jd, sunset2, next.sunrise_jd);
    const auto angle = [this](double jd) { return sky_.tithi_angle(jd); };
    const bool p1 = tithi_in_window(angle, u.tithi, w1.start_jd, w1.end_jd, order_);
    const bool p2 = tithi_in_window(angle, u.tithi, w2.start_jd, w2.end_jd, order_);

    const std::string kaala(def.kaala.label());
    const std::string earlier_date = date_text(prev.local.date);
    const std::string udaya_date = date_text(u.date);
    const std::string phrase = tithi_phrase(u.month_name, u.tithi);

    if (p1 && (!p2 || def.vyapti_tie_purva)) {
      std::string why = phrase + " is present during the " + kaala + " kaala on ";
      if (!p2) {
        why += earlier_date + " but NOT during that kaala on " + udaya_date +
               ". Vyapti rule: observe on the earlier day.";
      } else {
        why += "both " + earlier_date + " and " + udaya_date +
               ". Vyapti tie-break: earlier day observed (purva-vyapti convention for this "
               "festival).";
      }
      why += " Paraviddha alternate (udayatithi rule): " + udaya_date + ".";
      return Observed{prev.local.date,
                      prev.sunrise_jd,
                      sky_.tithi_at(prev.sunrise_jd),
                      u.month_name,
                      u.is_adhik,
                      std::move(why),
                      VYAPTI,
                      def.kaala.label(),
                      alternate_on(u.date, u.sunrise_jd, PARAVIDDHA,
                                   std::move(u.reasoning))};
    }
    std::string why = phrase + " is present during the " + kaala + " kaala on " + udaya_date +
                      ". Vyapti rule: later day (paraviddha) observed per paraviddha fallback.";
    std::optional<AlternateObservance> alternate;
    if (p1) {
      alternate = alternate_on(prev.local.date, prev.sunrise_jd,
                               PUURVAVIDDHA,
                               "Earlier day also has " + kaala +
                                   " vyapti; some traditions prefer the earlier day "
                                   "(puurvaviddha) when both qualify.");
    }
    return Observed{u.date,     u.sunrise_jd,      u.tithi,           u.month_name,
                    u.is_adhik, std::move(why),    VYAPTI,      def.kaala.label(),
                    std::move(alternate)};
  }

  // Moves the day by k civil days. A day without sunrise keeps the civil
  // date asked for.
  std::optional<Observed> shift(Observed o, std::int32_t k) {
    const WideDate asked = add_days(o.date, k);
    // A sunrise is never before the midnight it is searched from, and comes
    // within a day of it if at all: a day asked for outside the year, but for
    // its eve, ends outside it. Its sunrise is not asked for, so no shift,
    // however large, reaches for a time the ephemeris does not cover.
    const std::int64_t year = year_;
    const bool eve = asked.year == year - 1 && asked.month == 12 && asked.day == 31;
    if (asked.year != year && !eve) return std::nullopt;
    const double new_midnight = midnight_after(clock_, midnight(o.date), k);
    const double sunrise = sky_.sunrise_after(new_midnight);
    const CivilDate anchor = o.date;
    if (std::isfinite(sunrise)) {
      o.date = local_date(sunrise, clock_);
    } else {
      o.date = CivilDate{static_cast<std::int32_t>(asked.year), asked.month, asked.day};
    }
    o.sunrise_jd = sunrise;
    o.tithi_at_sunrise = sky_.tithi_at(sunrise);
    while (!o.reasoning.empty() && o.reasoning.back() == '.') o.reasoning.pop_back();
    o.reasoning += " (anchor: " + date_text(anchor) + ", shifted " + std::to_string(k) + " day" +
                   (k == 1 || k == -1 ? "" : "s") + ").";
    return o;
  }

  const std::vector<Sankranti>& s_;
  const std::vector<LunarMonth>& l_;
  std::int32_t year_;
  const Clock& clock_;
  bool purnimant_;
  SearchOrder order_;
  Sky sky_;
};

}  // namespace

std::uint32_t tithi_at_jd(double jd_ut) {
  ensure_initialized();
  if (!std::isfinite(jd_ut)) return TITHI_OF_NAN;
  return element_index(tithi_angle(jd_ut), TITHI_SPAN_DEG) + 1;
}

bool tithi_present_in_window(std::uint32_t tithi, double start_jd, double end_jd) {
  ensure_initialized();
  return tithi_in_window(tithi_angle, tithi, start_jd, end_jd, SearchOrder::as_stated);
}

std::optional<SunriseHit> find_tithi_at_sunrise_in_range(std::int32_t tithi,
                                                         const Clock& clock,
                                                         double start_jd, double end_jd,
                                                         const Place& place, Reuse reuse) {
  ensure_initialized();
  Sky sky(place, reuse);
  return find_tithi_in_range(sky, tithi, clock, start_jd, end_jd);
}

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
  if (def.rule == RULE_TITHI) return def.lunar_month <= 12 ? def.lunar_month : 0;
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

}  // namespace

Result<std::vector<FestivalOccurrence>> resolve_festivals(const std::vector<FestivalDef>& defs,
                                                          const FestivalYear& calendar,
                                                          const Clock& clock,
                                                          const Place& place, bool purnimant,
                                                          Reuse reuse, unsigned threads) {
  const SettingsPin pin(Settings::current());
  std::vector<std::optional<Observed>> observed(defs.size());
  const std::vector<std::vector<std::size_t>> units = definition_units(defs, threads);
  // The definition at which each unit's first failure came.
  std::vector<std::size_t> failed_at(units.size(), defs.size());
  const std::vector<std::optional<Error>> errors =
      run_every_unit(units.size(), threads, 1, [&](std::size_t u) {
        Resolver resolver(calendar.sankrantis, calendar.months, calendar.year, clock, place,
                          purnimant, reuse);
        std::size_t step = 0;
        for (const std::size_t i : units[u]) {
          // Definitions answered from the memo make no request that would
          // notice a cancellation.
          if (++step % CANCELLATION_POLL_STEPS == 0) cancellation_pending();
          observed[i] = resolver.resolve(defs[i]);
          if (library_failure_pending()) {
            failed_at[u] = i;
            break;
          }
        }
        return std::optional<Error>();
      });
  // The call's failure is that of the first definition, in order, that fails:
  // each unit meets its own first failing definition as the call would.
  std::optional<std::size_t> first;
  for (std::size_t u = 0; u < units.size(); ++u)
    if (errors[u] && (!first || failed_at[u] < failed_at[*first])) first = u;
  if (first) return *errors[*first];

  std::vector<FestivalOccurrence> out;
  for (std::size_t i = 0; i < defs.size(); ++i) {
    std::optional<Observed>& o = observed[i];
    if (!o) continue;
    const FestivalDef& def = defs[i];
    out.push_back(FestivalOccurrence{def.id,
                                     def.name,
                                     o->date.year,
                                     o->date.month,
                                     o->date.day,
                                     o->sunrise_jd,
                                     o->tithi_at_sunrise,
                                     o->lunar_month_name,
                                     o->is_adhik_month,
                                     std::move(o->reasoning),
                                     o->priority_applied,
                                     o->kaala_applied,
                                     std::move(o->alternate)});
  }
  // Days without sunrise have no place in the order of sunrises: last.
  std::stable_sort(out.begin(), out.end(),
                   [](const FestivalOccurrence& a, const FestivalOccurrence& b) {
                     if (std::isnan(a.sunrise_jd)) return false;
                     return std::isnan(b.sunrise_jd) || a.sunrise_jd < b.sunrise_jd;
                   });
  return out;
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

// --- Ekadashis and vrats ---

namespace {

constexpr std::uint32_t SHUKLA_EKADASHI = 11;
constexpr std::uint32_t KRISHNA_EKADASHI = 26;
// Arunodaya, the dawn before sunrise: 96 minutes as a day fraction.
constexpr double ARUNODAYA_DAYS = 0.06666666666666667;
// Names of the Ekadashis of an adhika month, whatever the definition says.
constexpr std::string_view ADHIKA_SHUKLA_EKADASHI = "Padmini";
constexpr std::string_view ADHIKA_KRISHNA_EKADASHI = "Parama";

struct VratRow {
  std::string_view name;
  std::uint32_t tithi;
  std::string_view paksha;
};

// The order decides the order of vrats on the same day.
constexpr std::array<VratRow, 5> VRAT_TABLE = {{
    {"Pradosh Vrat", 13, "Shukla"},
    {"Pradosh Vrat", 28, "Krishna"},
    {"Sankashti Chaturthi", 19, "Krishna"},
    {"Amavasya", 30, "Krishna"},
    {"Purnima Vrat", 15, "Shukla"},
}};

std::string month_label(std::string_view name, bool is_adhik) {
  return is_adhik ? "Adhika " + std::string(name) : std::string(name);
}

std::optional<EkadashiOccurrence> resolve_ekadashi_on(Sky& sky, std::uint32_t lunar_month,
                                                      std::string_view lunar_month_name,
                                                      bool is_adhik, bool is_shukla,
                                                      std::string_view name,
                                                      const Clock& clock, double start_jd,
                                                      double end_jd) {
  const std::uint32_t target = is_shukla ? SHUKLA_EKADASHI : KRISHNA_EKADASHI;
  const std::uint32_t dashami = target - 1;
  const std::string_view paksha = paksha_name(target);
  const std::optional<SunriseHit> hit = find_tithi_in_range(
      sky, static_cast<std::int32_t>(target), clock, start_jd, end_jd);
  if (!hit) return std::nullopt;
  const double s = hit->sunrise_jd;
  const CivilDate d = hit->local.date;

  const bool dashami_at_arunodaya =
      element_index(sky.tithi_angle(s - ARUNODAYA_DAYS), TITHI_SPAN_DEG) + 1 == dashami;
  const double next_midnight = midnight_after(clock, local_midnight_jd(d, clock));
  const double n = sky.sunrise_after(next_midnight);
  // Without a sunrise the next day is still the civil day after D.
  const CivilDate next_date = std::isfinite(n) ? local_date(n, clock)
                                               : local_date(next_midnight, clock, 0.5);
  const bool vriddhi = std::isfinite(n) && sky.tithi_at(n) == target;

  const std::string month = month_label(lunar_month_name, is_adhik);
  const std::string opening = std::string(paksha) + " Ekadashi (Tithi " + std::to_string(target) +
                              ") prevails at sunrise";
  EkadashiOccurrence o{std::string(name), lunar_month, std::string(lunar_month_name), is_adhik,
                       paksha, d, s, d, s, {}};
  if (vriddhi) {
    o.smartha_date = o.vaishnava_date = next_date;
    o.smartha_sunrise_jd = o.vaishnava_sunrise_jd = n;
    o.reasoning = opening + " on both " + date_text(d) +
                  " and the next day (tithi-vriddhi), so both Smartha and Vaishnava observance "
                  "fall on " +
                  date_text(next_date) + " (vriddhau uttara, Dharmasindhu). Lunar month: " + month +
                  ".";
  } else if (dashami_at_arunodaya) {
    o.vaishnava_date = next_date;
    o.vaishnava_sunrise_jd = n;
    o.reasoning = opening + " (" + clock_text(hit->local) + ") on " + date_text(d) +
                  ". Dashami (Tithi " + std::to_string(dashami) +
                  ") persists at Arunodaya (96 min before sunrise), so Vaishnava Ekadashi shifts "
                  "to " +
                  date_text(next_date) + ". Lunar month: " + month + ".";
  } else {
    o.reasoning = opening + " (" + clock_text(hit->local) + ") on " + date_text(d) +
                  ". Dashami ended before Arunodaya \u2014 Smartha and Vaishnava dates are the "
                  "same. Lunar month: " +
                  month + ".";
  }
  return o;
}

bool same_ekadashi(const EkadashiOccurrence& a, const EkadashiOccurrence& b) {
  return a.smartha_date.year == b.smartha_date.year &&
         a.smartha_date.month == b.smartha_date.month &&
         a.smartha_date.day == b.smartha_date.day && a.paksha == b.paksha &&
         a.lunar_month == b.lunar_month && a.is_adhik == b.is_adhik;
}

}  // namespace

std::optional<EkadashiOccurrence> resolve_ekadashi(std::uint32_t lunar_month,
                                                   std::string_view lunar_month_name,
                                                   bool is_adhik, bool is_shukla,
                                                   std::string_view name,
                                                   const Clock& clock, double start_jd,
                                                   double end_jd, const Place& place) {
  ensure_initialized();
  Sky sky(place, Reuse::literal);
  return resolve_ekadashi_on(sky, lunar_month, lunar_month_name, is_adhik, is_shukla, name,
                             clock, start_jd, end_jd);
}

namespace {

// Where the Ekadashis of a month can fall. The day search starts at the
// midnight of the local date holding the month's start and keeps sunrises
// up to its end; the later of the two days (tithi-vriddhi) is the next
// civil day's sunrise, which the library finds within about a day of the
// midnight it searches from, or not at all.
constexpr double LATEST_EKADASHI_AFTER_MONTH_END_DAYS = 3.0;
// How far around the month its resolution's requests reach, at most.
constexpr double EKADASHI_REACH_DAYS = 5.0;

// Whether neither Ekadashi of the month can fall in `year`, so that
// resolving it is work whose result is always dropped. Only where none of
// that work's requests can fail: a failure would be the call's.
bool ekadashis_outside(const LunarMonth& m, std::int32_t year, const Clock& clock,
                       const Place& place) {
  if (!requests_cannot_fail(m.start_jd - EKADASHI_REACH_DAYS, m.end_jd + EKADASHI_REACH_DAYS,
                            place))
    return false;
  return local_date(m.start_jd, clock).year > year ||
         local_date(m.end_jd + LATEST_EKADASHI_AFTER_MONTH_END_DAYS, clock).year < year;
}

// The Ekadashis of one definition in the listed months, those of `year`, in
// list order.
std::vector<EkadashiOccurrence> ekadashis_of(const EkadashiDef& def,
                                             const std::vector<LunarMonth>& months,
                                             std::int32_t year, const Clock& clock,
                                             const Place& place, Reuse reuse) {
  std::vector<EkadashiOccurrence> out;
  if (def.month < 1 || def.month > 12) return out;
  const std::string_view month_name = lunar_month_name(def.month);
  // Months listed twice and the two pakshas of a month share their days.
  Sky sky(place, reuse);
  for (const LunarMonth& m : months) {
    if (m.number != def.month) continue;
    if (reuse == Reuse::memo && ekadashis_outside(m, year, clock, place)) continue;
    for (const bool shukla : {true, false}) {
      const std::string_view name =
          m.is_adhik ? (shukla ? ADHIKA_SHUKLA_EKADASHI : ADHIKA_KRISHNA_EKADASHI)
                     : std::string_view(shukla ? def.shukla_name : def.krishna_name);
      auto o = resolve_ekadashi_on(sky, def.month, month_name, m.is_adhik, shukla, name,
                                   clock, m.start_jd, m.end_jd);
      if (o && o->smartha_date.year == year) out.push_back(std::move(*o));
    }
  }
  return out;
}

// Lunar months and definitions cost milliseconds each: worth a thread apiece.
constexpr std::size_t MONTH_LISTS_PER_THREAD = 1;
constexpr std::size_t EKADASHI_DEFINITIONS_PER_THREAD = 1;
constexpr std::size_t VRAT_MONTHS_PER_THREAD = 2;

}  // namespace

Result<std::vector<EkadashiOccurrence>> compute_ekadashis(const std::vector<EkadashiDef>& defs,
                                                          std::int32_t year,
                                                          const Clock& clock,
                                                          const Place& place, Reuse reuse,
                                                          unsigned threads) {
  // One set of library settings for the whole call, whatever other threads do.
  const SettingsPin pin(Settings::current());
  // The months of year - 1, year and year + 1, one list after another.
  std::array<std::vector<LunarMonth>, 3> lists;
  if (auto error = run_units(lists.size(), threads, MONTH_LISTS_PER_THREAD,
                             [&](std::size_t i) -> std::optional<Error> {
                               const std::int64_t step = static_cast<std::int64_t>(i) - 1;
                               auto months = compute_lunar_months(shift_year(year, step), false);
                               if (!months.ok()) return months.failure();
                               lists[i] = std::move(months).value();
                               return std::nullopt;
                             }))
    return *error;
  std::vector<LunarMonth> months;
  for (const auto& list : lists) months.insert(months.end(), list.begin(), list.end());

  std::vector<std::vector<EkadashiOccurrence>> found(defs.size());
  if (auto error = run_units(defs.size(), threads, EKADASHI_DEFINITIONS_PER_THREAD,
                             [&](std::size_t i) {
                               found[i] = ekadashis_of(defs[i], months, year, clock,
                                                       place, reuse);
                               return std::optional<Error>();
                             }))
    return *error;

  std::vector<EkadashiOccurrence> out;
  for (auto& list : found)
    for (EkadashiOccurrence& o : list) out.push_back(std::move(o));
  std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) {
    return a.smartha_sunrise_jd < b.smartha_sunrise_jd;
  });
  // Months overlapping two of the three years were resolved twice.
  out.erase(std::unique(out.begin(), out.end(), same_ekadashi), out.end());
  return out;
}

Result<std::vector<VratOccurrence>> compute_vrat_dates(std::int32_t year, const Clock& clock,
                                                       const Place& place, Reuse reuse,
                                                       unsigned threads) {
  // One set of library settings for the whole call, whatever other threads do.
  const SettingsPin pin(Settings::current());
  const Result<std::vector<LunarMonth>> months = compute_lunar_months(year, false);
  if (!months.ok()) return months.failure();

  std::vector<std::vector<VratOccurrence>> found(months.value().size());
  if (auto error = run_units(found.size(), threads, VRAT_MONTHS_PER_THREAD, [&](std::size_t i) {
        const LunarMonth& m = months.value()[i];
        const std::string label = month_label(m.name, m.is_adhik);
        // The five vrats of a month scan the same days.
        Sky sky(place, reuse);
        for (const VratRow& row : VRAT_TABLE) {
          const std::optional<SunriseHit> hit = find_tithi_in_range(
              sky, static_cast<std::int32_t>(row.tithi), clock, m.start_jd, m.end_jd);
          if (!hit || hit->local.date.year != year) continue;
          found[i].push_back({row.name, std::string(row.name) + " (" + label + ")", m.name,
                              row.paksha, hit->sunrise_jd, hit->local.date});
        }
        return std::optional<Error>();
      }))
    return *error;

  std::vector<VratOccurrence> out;
  for (auto& list : found)
    for (VratOccurrence& v : list) out.push_back(std::move(v));
  std::stable_sort(out.begin(), out.end(),
                   [](const auto& a, const auto& b) { return a.sunrise_jd < b.sunrise_jd; });
  return out;
}

}  // namespace tithiloom
