// What the tests that compare two ways of computing share: every field of a
// result as one text, doubles by their bits (so equal texts mean equal bits),
// and the places and definitions they compute with.
#pragma once

#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "batch.hpp"
#include "ekadashi.hpp"
#include "festival.hpp"
#include "lunar_month.hpp"
#include "shraddha.hpp"
#include "sunrise_scan.hpp"
#include "vrat.hpp"

namespace tithiloom::testing {

struct Text {
  std::string s;
  template <class T>
  Text& operator<<(const T& x) {
    if constexpr (std::is_floating_point_v<T>) {
      s += std::to_string(std::bit_cast<std::uint64_t>(x));
    } else if constexpr (std::is_integral_v<T>) {
      s += std::to_string(x);
    } else if constexpr (std::is_same_v<T, CivilDate>) {
      return *this << x.year << x.month << x.day;
    } else {
      s.append(std::string_view(x));
    }
    s += '|';
    return *this;
  }
};

inline std::string text(const FestivalOccurrence& o) {
  Text t;
  t << o.festival_id << o.festival_name << o.date << o.sunrise_jd
    << o.tithi_at_sunrise << o.lunar_month_name << o.is_adhik_month << o.reasoning
    << o.priority_applied << o.kaala_applied << o.alternate.has_value();
  if (const auto& a = o.alternate)
    t << a->date << a->sunrise_jd << a->priority << a->reasoning;
  return t.s;
}

inline std::string text(const EkadashiOccurrence& o) {
  return (Text{} << o.name << o.lunar_month << o.lunar_month_name << o.is_adhik << o.paksha
                 << o.smartha_date << o.smartha_sunrise_jd << o.vaishnava_date
                 << o.vaishnava_sunrise_jd << o.reasoning).s;
}

inline std::string text(const VratOccurrence& v) {
  return (Text{} << v.vrat_type << v.name << v.lunar_month_name << v.paksha << v.sunrise_jd
                 << v.date).s;
}

inline std::string text(const TithiOccurrence& o) {
  return (Text{} << o.tithi_name << o.paksha << o.nakshatra_name << o.masa << o.vara
                 << o.sunrise_jd << o.date << o.tithi_number).s;
}

inline std::string text(const std::optional<ShraddhaDate>& d) {
  if (!d) return "none";
  return (Text{} << d->reasoning << d->lunar_month_name << d->sunrise_jd << d->tithi
                 << d->lunar_month << d->date).s;
}

inline std::string text(const ShraddhaTimeline& tl) {
  Text t;
  t << tl.death_date << tl.death_tithi << tl.death_tithi_number << tl.death_paksha
    << tl.death_nakshatra << tl.death_masa << tl.teesra << tl.dashamam << tl.terahvin;
  for (const auto* list : {&tl.monthly_shraddhas, &tl.annual_shraddhas, &tl.pitru_paksha_dates}) {
    t << "#";
    for (const TithiOccurrence& o : *list) t << text(o);
  }
  return t.s;
}

inline std::string text(const Panchang& p) {
  return (Text{} << p.sun.sunrise_jd << p.sun.sunset_jd << p.sun.day_duration_hours
                 << p.vara.number << p.vara.name << p.vara.english << p.tithi.number
                 << p.tithi.name << p.tithi.paksha << p.tithi.start_jd << p.tithi.end_jd
                 << p.nakshatra.number << p.nakshatra.name << p.nakshatra.lord
                 << p.nakshatra.pada << p.nakshatra.start_jd << p.nakshatra.end_jd
                 << p.yoga.number << p.yoga.name << p.yoga.start_jd << p.yoga.end_jd
                 << p.karana.number << p.karana.name << p.karana.start_jd << p.karana.end_jd).s;
}

inline std::string text(const BatchDayResult& d) {
  return (Text{} << d.date << text(d.panchang)).s;
}

inline std::string text(const PanchangaAtJd& a) {
  return (Text{} << a.tithi_number << a.tithi_name << a.paksha << a.nakshatra_number
                 << a.nakshatra_name << a.pada << a.yoga_number << a.yoga_name << a.karana_number
                 << a.karana_name).s;
}

inline std::string text(const LunarMonth& m) {
  return (Text{} << m.name << m.start_jd << m.end_jd << m.number << m.is_adhik << m.is_kshaya).s;
}

inline std::string text(const std::optional<SunriseHit>& h) {
  if (!h) return "none";
  const CivilDateTime& l = h->local;
  return (Text{} << h->sunrise_jd << l.date << l.hour << l.minute << l.second << l.microsecond).s;
}

template <class T>
std::string text(const std::vector<T>& list) {
  std::string s;
  for (const T& x : list) s += text(x) + '\n';
  return s;
}

// The value's text, or the error's.
template <class T>
std::string text(const Result<T>& r) {
  return r.ok() ? text(r.value()) : "error: " + r.error();
}

struct Site {
  Place place;
  std::int32_t utc_offset;
  Clock clock() const { return fixed_clock(utc_offset); }
};
inline const Site DELHI{{28.6139, 77.2090, 216.0}, 19800};
inline const Site SYDNEY{{-33.87, 151.21, 58.0}, 36000};
// Days without sunrise in winter, without sunset in summer.
inline const Site TROMSO{{69.6492, 18.9553, 0.0}, 3600};
// A height the rising search refuses (so near the polar circle): every
// sunrise request fails.
inline const Site TOO_HIGH{{66.5, 25.73, 30000.0}, 7200};

// Rules of every kind: sankranti and nakshatra rules of every month, and
// lunar days under every priority, kaala, tie-break, adhika choice and shift.
inline std::vector<FestivalDef> mixed_definitions() {
  std::vector<FestivalDef> defs;
  const auto def = [&](char kind, std::uint32_t a, std::uint32_t b, const char* rule) -> auto& {
    FestivalDef& d = defs.emplace_back();
    d.id = d.name = kind + std::to_string(a) + "_" + std::to_string(b);
    d.rule = rule;
    return d;
  };
  for (std::uint32_t i = 0; i < 12; ++i) {
    FestivalDef& s = def('s', i, 0, "sankranti");
    s.sankranti_index = i;
    s.day_offset = static_cast<std::int32_t>(i % 3) - 1;
    FestivalDef& n = def('n', i, 0, "nakshatra_at_sunrise");
    n.sankranti_index = i;
    n.nakshatra = 1 + (i * 5) % 27;
  }
  for (std::uint32_t m = 1; m <= 12; ++m) {
    for (std::uint32_t t : {1u, 4u, 9u, 15u, 23u, 30u}) {
      FestivalDef& d = def('t', m, t, "tithi_at_sunrise");
      d.lunar_month = m;
      d.tithi = t;
      const std::uint32_t k = m * 7 + t;
      d.priority = Priority(static_cast<Priority::Value>(k % 3));
      d.kaala = Kaala(static_cast<Kaala::Value>(k % 10));
      d.vyapti_tie = k % 4 == 0 ? VyaptiTie::earlier : VyaptiTie::later;
      d.adhika_maasa = AdhikaMaasa(static_cast<AdhikaMaasa::Value>(k % 4));
      d.day_offset = k % 5 == 0 ? 1 : 0;
    }
  }
  return defs;
}

inline std::vector<EkadashiDef> ekadashi_definitions(const std::vector<std::uint32_t>& months) {
  std::vector<EkadashiDef> defs;
  for (const std::uint32_t m : months)
    defs.push_back({"S" + std::to_string(m), "K" + std::to_string(m), m});
  return defs;
}

}  // namespace tithiloom::testing
