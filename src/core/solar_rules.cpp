// The solar rules of festival resolution: an ingress kept on its
// tradition's day, a nakshatra near an ingress, a nakshatra in a solar month.
#include "solar_rules.hpp"

#include <charconv>
#include <cmath>
#include <string>
#include <utility>

#include "names.hpp"
#include "panchang.hpp"

namespace tithiloom {
namespace {

std::string one_decimal(double x) {
  char buf[400];  // wide enough for any finite double in fixed notation
  const auto end = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, 1).ptr;
  return std::string(buf, end);
}

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

// Six nazhikas (2 h 24 min) after sunrise: the star that holds then is the
// day's star in Kerala's reckoning.
constexpr double SIX_NAZHIKAS_DAYS = 0.1;

}  // namespace

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

}  // namespace tithiloom
