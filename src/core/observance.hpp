// The vocabulary of observance rules: the rules a definition can name, which
// part of the day a tithi must occupy (Kaala), which of two touching days
// wins (Priority), how an intercalary month is treated (AdhikaMaasa), the
// time window each Kaala denotes on a day, and the sunrise of the civil day
// before or after an instant. Label parsing never fails: an unknown label is
// the default. The package's rule checker accepts exactly the labels listed
// here, so a rule file cannot name what the engine would read otherwise.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "calendar.hpp"
#include "ephemeris.hpp"

namespace tithiloom {

// The rules a festival definition can name, in the order they are listed.
inline constexpr std::string_view RULE_TITHI = "tithi_at_sunrise";
inline constexpr std::string_view RULE_SANKRANTI = "sankranti";
inline constexpr std::string_view RULE_NAKSHATRA = "nakshatra_at_sunrise";
inline constexpr std::array<std::string_view, 3> RULE_NAMES = {RULE_TITHI, RULE_SANKRANTI,
                                                                RULE_NAKSHATRA};
// Rules that only the almanac's definitions name.
inline constexpr std::string_view RULE_MOONRISE = "tithi_at_moonrise";
inline constexpr std::string_view RULE_SOLAR_MONTH_STAR = "nakshatra_in_solar_month";
inline constexpr std::array<std::string_view, 2> ALMANAC_RULE_NAMES = {RULE_MOONRISE,
                                                                       RULE_SOLAR_MONTH_STAR};

// Time-of-day window. One byte; the default is sunrise.
struct Kaala {
  enum Value : std::uint8_t {
    sunrise,
    praatah,
    sangava,
    madhyahna,
    aparahna,
    saayaahna,
    poorvahna,
    pradosha,
    nishita,
    full_day,
    arunodaya,  // the 96 minutes before sunrise
  };
  constexpr Kaala(Value v = sunrise) : value(v) {}
  // ASCII capitals are lower-cased, then the bytes must match exactly.
  static Kaala from_label(std::string_view label);
  // Also the kaalas that only the almanac's definitions name.
  static Kaala from_almanac_label(std::string_view label);
  static std::vector<std::string_view> almanac_labels();
  // The label reported back; it parses to the same value.
  std::string_view label() const;
  // Every label that parses to a value of its own, the default's included.
  static std::vector<std::string_view> labels();
  friend constexpr bool operator==(Kaala, Kaala) = default;
  Value value;
};

// Which day wins when the tithi touches two. One byte; the default is the
// day whose sunrise carries the tithi.
struct Priority {
  enum Value : std::uint8_t { paraviddha, puurvaviddha, vyapti };
  constexpr Priority(Value v = paraviddha) : value(v) {}
  static Priority from_label(std::string_view label);
  std::string_view label() const;
  static std::vector<std::string_view> labels();
  // Those of one value only.
  static std::vector<std::string_view> labels(Value value);
  friend constexpr bool operator==(Priority, Priority) = default;
  Value value;
};

// Which month is used when the festival's month has an intercalary twin.
// One byte; the default is the regular (nija) month.
struct AdhikaMaasa {
  enum Value : std::uint8_t { nija, adhika_only, adhika_and_nija, adhika_if_exists };
  constexpr AdhikaMaasa(Value v = nija) : value(v) {}
  static AdhikaMaasa from_label(std::string_view label);
  static std::vector<std::string_view> labels();
  friend constexpr bool operator==(AdhikaMaasa, AdhikaMaasa) = default;
  Value value;
};

// The vyapti tie-break, when the tithi touches the kaala on both days: the
// later day (the default), the earlier, or the day of longer pervasion.
struct VyaptiTie {
  enum Value : std::uint8_t { later, earlier, longer };
  constexpr VyaptiTie(Value v = later) : value(v) {}
  // "purva" (in any ASCII letter case) is the earlier day; "para", or any
  // other text, the later.
  static VyaptiTie from_label(std::string_view label);
  // Also "earlier", "later" and "longer".
  static VyaptiTie from_almanac_label(std::string_view label);
  static std::vector<std::string_view> labels();
  static std::vector<std::string_view> almanac_labels();
  friend constexpr bool operator==(VyaptiTie, VyaptiTie) = default;
  Value value;
};

// Where Bhadra covers the kaala on both days, how long the tithi must last
// after the udaya day's sunrise for that day to be kept (else the earlier):
// three muhurtas (144 minutes; the default), or three and a half praharas
// (seven-eighths of the daytime).
struct BhadraFallback {
  enum Value : std::uint8_t { three_muhurtas, three_and_half_praharas };
  constexpr BhadraFallback(Value v = three_muhurtas) : value(v) {}
  static BhadraFallback from_label(std::string_view label);
  std::string_view label() const;
  static std::vector<std::string_view> labels();
  friend constexpr bool operator==(BhadraFallback, BhadraFallback) = default;
  Value value;
};

// The day on which a solar ingress is kept. One byte; the default is the
// civil date of the ingress.
struct Ingress {
  enum Value : std::uint8_t {
    moment,
    sunset,  // after the day's sunset: the next day
    kerala,  // after three-fifths of the daytime: the next day
  };
  constexpr Ingress(Value v = moment) : value(v) {}
  static Ingress from_label(std::string_view label);
  std::string_view label() const;
  static std::vector<std::string_view> labels();
  friend constexpr bool operator==(Ingress, Ingress) = default;
  Value value;
};

struct DayWindow {
  double start_jd;
  double end_jd;
};

// The kaala's window on a day with that day's sunrise and sunset; the next
// day's sunrise matters only for Nishita. A NaN input gives NaN bounds.
DayWindow kaala_window(Kaala kaala, double sunrise_jd, double sunset_jd, double next_sunrise_jd);

// A civil day's sunrise and its local date and clock time. When the Sun
// does not rise that day, sunrise_jd is NaN and `local` holds the civil
// date that was asked for at 00:00.
struct SunriseHit {
  double sunrise_jd;
  CivilDateTime local;
};

// Sunrise of the civil day after (before) the local civil day holding jd_ut.
SunriseHit next_day_sunrise(double jd_ut, const Clock& clock, const Place& place);
SunriseHit previous_day_sunrise(double jd_ut, const Clock& clock, const Place& place);

// The hit of a civil day whose sunrise (possibly NaN) is known.
SunriseHit sunrise_hit(const CivilDate& date, double sunrise_jd, const Clock& clock);

}  // namespace tithiloom
