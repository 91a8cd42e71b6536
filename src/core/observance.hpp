// The vocabulary of observance rules: which part of the day a tithi must
// occupy (Kaala), which of two touching days wins (Priority), how an
// intercalary month is treated (AdhikaMaasa), the time window each Kaala
// denotes on a day, and the sunrise of the civil day before or after an
// instant. Label parsing never fails: an unknown label is the default.
#pragma once

#include <cstdint>
#include <string_view>

#include "calendar.hpp"
#include "ephemeris.hpp"

namespace tithiloom {

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
  };
  constexpr Kaala(Value v = sunrise) : value(v) {}
  // ASCII capitals are lower-cased, then the bytes must match exactly.
  static Kaala from_label(std::string_view label);
  // The label reported back; it parses to the same value.
  std::string_view label() const;
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
  friend constexpr bool operator==(Priority, Priority) = default;
  Value value;
};

// Which month is used when the festival's month has an intercalary twin.
// One byte; the default is the regular (nija) month.
struct AdhikaMaasa {
  enum Value : std::uint8_t { nija, adhika_only, adhika_and_nija, adhika_if_exists };
  constexpr AdhikaMaasa(Value v = nija) : value(v) {}
  static AdhikaMaasa from_label(std::string_view label);
  friend constexpr bool operator==(AdhikaMaasa, AdhikaMaasa) = default;
  Value value;
};

// The vyapti tie-break flag: "purva" in any ASCII letter case.
bool is_purva_tie(std::string_view label);

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
