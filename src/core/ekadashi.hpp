// The year's Ekadashis: for each lunar month, the Shukla and Krishna
// Ekadashi with its Smartha day (the tithi at sunrise) and its Vaishnava day
// (one later when Dashami still runs at Arunodaya, or both later on a
// tithi-vriddhi), each with a sentence of reasoning. The days are scanned by
// the sunrise scanner (sunrise_scan.hpp).
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar.hpp"
#include "ephemeris.hpp"
#include "observance.hpp"
#include "sunrise_scan.hpp"
#include "types.hpp"

namespace tithiloom {

// The names a caller gives the two Ekadashis of a lunar month.
struct EkadashiDef {
  std::string shukla_name;
  std::string krishna_name;
  std::uint32_t month;  // 1 = Chaitra; a month outside 1-12 yields nothing
  // Also find each fast's parana window and name the Mahadvadashis.
  bool report_parana = false;
};

inline constexpr double NO_TIME = std::numeric_limits<double>::quiet_NaN();

// One Ekadashi with its Smartha day (the tithi at sunrise) and its Vaishnava
// day (one later when Dashami still runs at Arunodaya).
struct EkadashiOccurrence {
  std::string name;
  std::uint32_t lunar_month;
  std::string lunar_month_name;  // without "Adhika "
  bool is_adhik;
  std::string_view paksha;
  CivilDate smartha_date;
  double smartha_sunrise_jd;
  CivilDate vaishnava_date;
  double vaishnava_sunrise_jd;  // NaN when the Sun does not rise that day
  std::string reasoning;
  // With report_parana: when each fast is broken on the next day (NaN bounds
  // otherwise, or where there is no such window).
  DayWindow smartha_parana{NO_TIME, NO_TIME};
  DayWindow vaishnava_parana{NO_TIME, NO_TIME};
};

// Every Ekadashi of the definitions whose Smartha day lies in `year`, in
// date order, once each; adhika months name theirs "Padmini" and "Parama".
// `memo` also passes over the months whose Ekadashis cannot fall in the
// year; `literal` resolves every month and remembers nothing. The three
// years' months, then the definitions, are spread over up to `threads`
// threads; the result depends on neither choice.
Result<std::vector<EkadashiOccurrence>> compute_ekadashis(const std::vector<EkadashiDef>& defs,
                                                          std::int32_t year,
                                                          const Clock& clock,
                                                          const Place& place,
                                                          Reuse reuse = Reuse::memo,
                                                          unsigned threads = 1);

}  // namespace tithiloom
