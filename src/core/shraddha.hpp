// Shraddha: the death-anniversary day in a target year, and the complete
// timeline of rites after a death (the 3rd, 10th and 13th days, monthly,
// annual and pitru-paksha shraddhas). The death tithi is the one current at
// the sunrise of the day of death; annual days are resolved by the festival
// engine as a lunar-day rule of the death month.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar.hpp"
#include "ephemeris.hpp"
#include "types.hpp"

namespace tithiloom {

struct ShraddhaDate {
  std::string reasoning;
  std::string_view lunar_month_name;  // the death month, or "Unknown"
  double sunrise_jd;
  std::uint32_t tithi;        // death tithi, 1-30
  std::uint32_t lunar_month;  // death month, 1-12; 0 when unnamed
  CivilDate date;
};

// A sunrise described for display. The tithi is the one the caller names;
// nakshatra, month and weekday are measured at the sunrise.
struct TithiOccurrence {
  std::string tithi_name;  // "Krishna Amavasya"
  std::string_view paksha;
  std::string_view nakshatra_name;
  std::string_view masa;  // amant month of the local date, or "Unknown"
  std::string_view vara;  // English weekday
  double sunrise_jd;
  CivilDate date;  // the sunrise's local date, or the day's when the Sun does not rise
  std::uint32_t tithi_number;
};

struct ShraddhaTimeline {
  CivilDate death_date;  // as passed in, however odd its components
  std::string death_tithi;
  std::uint32_t death_tithi_number;
  std::string_view death_paksha;
  std::string_view death_nakshatra;
  std::string_view death_masa;
  CivilDate teesra;    // 3rd day, the day of death counting as the 1st
  CivilDate dashamam;  // 10th day
  CivilDate terahvin;  // 13th day
  std::vector<TithiOccurrence> monthly_shraddhas;
  std::vector<TithiOccurrence> annual_shraddhas;
  std::vector<TithiOccurrence> pitru_paksha_dates;
};

// The shraddha day of a death in `target_year`; none when the festival
// engine finds no day. Fails only on a library failure. Up to `threads`
// threads share the work (results do not depend on their number).
Result<std::optional<ShraddhaDate>> compute_shraddha(const CivilDate& death_date,
                                                     std::int32_t target_year,
                                                     const Clock& clock, const Place& place,
                                                     unsigned threads = 1);

// How the timeline reckons beyond the module's own rules.
struct TimelineOptions {
  // A month in which no sunrise carries the death tithi (kshaya) keeps its
  // rite on the day the tithi begins and ends, and the monthly chain goes
  // on; by default the chain ends there.
  bool kshaya_months = false;
};

// Lists hold at most the counts asked for (fewer where no day is found).
// Fails only on a library failure, which a count reaching past the span the
// ephemeris covers brings about. The annual and pitru paksha years are
// spread over up to `threads` threads; the result does not depend on their
// number.
Result<ShraddhaTimeline> compute_shraddha_timeline(const CivilDate& death_date, const Clock& clock,
                                                   const Place& place, std::size_t monthly_count,
                                                   std::size_t annual_years,
                                                   std::size_t pitru_paksha_years,
                                                   unsigned threads = 1,
                                                   TimelineOptions options = {});

}  // namespace tithiloom
