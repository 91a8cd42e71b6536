#include "sankranti.hpp"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "ephemeris.hpp"
#include "hermite.hpp"
#include "kept.hpp"
#include "names.hpp"
#include "numeric.hpp"
#include "panchang.hpp"
#include "search.hpp"

namespace tithiloom {
namespace {

struct SankrantiRow {
  std::string_view name;
  std::uint32_t start_month;
  std::uint32_t start_day;
};

// Each search starts about two weeks before the ingress it looks for.
constexpr std::array<SankrantiRow, SANKRANTI_COUNT> SANKRANTI_TABLE = {{
    {"Makar Sankranti", 1, 1},
    {"Kumbha Sankranti", 1, 30},
    {"Meena Sankranti", 2, 28},
    {"Mesha Sankranti", 3, 31},
    {"Vrishabha Sankranti", 4, 30},
    {"Mithuna Sankranti", 6, 1},
    {"Karka Sankranti", 7, 2},
    {"Simha Sankranti", 8, 3},
    {"Kanya Sankranti", 9, 3},
    {"Tula Sankranti", 10, 3},
    {"Vrischika Sankranti", 11, 2},
    {"Dhanu Sankranti", 12, 2},
}};

// The sidereal year outlasts the Gregorian year, so an ingress comes this
// many days later in the calendar each year (a day in about 72 years).
constexpr double SIDEREAL_YEAR_DAYS = 365.256363;
constexpr double GREGORIAN_YEAR_DAYS = 365.2425;
constexpr double DRIFT_DAYS_PER_YEAR = SIDEREAL_YEAR_DAYS - GREGORIAN_YEAR_DAYS;
// The era the table was drawn for, and how far into its window the ingress
// fell then.
constexpr double TABLE_EPOCH_YEAR = 2000.0;
constexpr double TABLE_LEAD_DAYS = 14.0;
// The true Sun runs up to a few days ahead of or behind the mean one; the
// window is still far shorter than a year, so it holds one ingress only.
constexpr double PREDICTED_HALF_WIDTH_DAYS = 20.0;

}  // namespace

std::array<SearchWindow, 2> sankranti_windows(std::uint32_t index, std::int32_t year) {
  if (index >= SANKRANTI_COUNT) {
    return {{{NaN, SANKRANTI_SPAN_DAYS}, {NaN, 2 * PREDICTED_HALF_WIDTH_DAYS}}};
  }
  const SankrantiRow& row = SANKRANTI_TABLE[index];
  const double table_start = julday({year, row.start_month, row.start_day}, 0.0);
  const double drift = (year - TABLE_EPOCH_YEAR) * DRIFT_DAYS_PER_YEAR;
  const double predicted = table_start + TABLE_LEAD_DAYS + drift;
  return {{{table_start, SANKRANTI_SPAN_DAYS},
           {predicted - PREDICTED_HALF_WIDTH_DAYS, 2 * PREDICTED_HALF_WIDTH_DAYS}}};
}

namespace {

// The Sun's sidereal longitude, smooth enough that a cubic curve through
// samples eight days apart follows it to about 5e-5 degrees (the nutation's
// two-week term), for guiding the ingress searches.
constexpr double SUN_STEP_DAYS = 8.0;
// Far wider than the fit's error, far narrower than a day's motion.
constexpr double GUIDE_MARGIN_DEG = 1e-3;

struct SunSample {
  Motion sun;
  double ayanamsa;
};

// Kept for the process, as the boundaries' samples are: some 350 years.
KeptSteps<SunSample> kept_suns(1 << 14);

SunSample sun_at_step(std::int64_t k, std::uint64_t settings) {
  return kept_suns.get(
      k, settings,
      [k] {
        const double jd = static_cast<double>(k) * SUN_STEP_DAYS;
        return SunSample{tropical_motion(jd, BODY_SUN), ayanamsa(jd)};
      },
      [](const SunSample& s) {
        return std::isfinite(s.sun.longitude_deg) && std::isfinite(s.sun.speed_deg_per_day) &&
               std::isfinite(s.ayanamsa) && !library_failure_pending();
      });
}

// A search window is some weeks long; longer spans are not fitted.
constexpr double MAX_FIT_DAYS = 400.0;

// The fit over one search window; NaN outside it.
class SunFit {
 public:
  SunFit(double from_jd, double to_jd) {
    if (!(from_jd - SUN_STEP_DAYS >= MIN_JD_UT && to_jd + SUN_STEP_DAYS <= MAX_JD_UT &&
          to_jd >= from_jd && to_jd - from_jd <= MAX_FIT_DAYS))
      return;
    const std::uint64_t settings = Settings::current().version();
    first_ = static_cast<std::int64_t>(std::floor(from_jd / SUN_STEP_DAYS));
    const auto last = static_cast<std::int64_t>(std::floor(to_jd / SUN_STEP_DAYS)) + 1;
    for (std::int64_t k = first_; k <= last; ++k) samples_.push_back(sun_at_step(k, settings));
  }

  // False where requests could be refused: the search is then the literal
  // one, which fails at the same request as ever.
  bool usable() const { return !samples_.empty(); }

  double operator()(double jd) const {
    const double k = std::floor(jd / SUN_STEP_DAYS);
    const double i = k - static_cast<double>(first_);
    if (!(i >= 0.0 && i + 1.0 < static_cast<double>(samples_.size())))
      return std::numeric_limits<double>::quiet_NaN();
    const SunSample& a = samples_[static_cast<std::size_t>(i)];
    const SunSample& b = samples_[static_cast<std::size_t>(i) + 1];
    const double h = SUN_STEP_DAYS, s = (jd - k * h) / h;
    const Hermite travel = angle_travel(h, a.sun.longitude_deg, b.sun.longitude_deg,
                                        a.sun.speed_deg_per_day, b.sun.speed_deg_per_day);
    return a.sun.longitude_deg + travel.at(s) - (a.ayanamsa + (b.ayanamsa - a.ayanamsa) * s);
  }

 private:
  std::int64_t first_ = 0;
  std::vector<SunSample> samples_;
};

}  // namespace

std::optional<Sankranti> find_sankranti(std::uint32_t index, std::int32_t year) {
  if (index >= SANKRANTI_COUNT) return std::nullopt;
  ensure_initialized();
  const std::uint32_t rashi = sankranti_rashi(index);
  const double target = rashi * 30.0;
  for (const SearchWindow& w : sankranti_windows(index, year)) {
    // Guided by the fit of the Sun, which leaves the instant as it is
    // (search.hpp) and saves most of the requests.
    const SunFit fit(w.start_jd, w.start_jd + w.span_days);
    const Guide guide{[&fit](double jd) { return fit(jd); }, GUIDE_MARGIN_DEG};
    const auto jd =
        fit.usable() ? find_crossing_forward_step(sun_sidereal_longitude, guide, w.start_jd,
                                                  target, w.span_days, SANKRANTI_STEP_DAYS)
                     : find_crossing_forward_step(sun_sidereal_longitude, w.start_jd, target,
                                                  w.span_days, SANKRANTI_STEP_DAYS);
    if (jd) return Sankranti{SANKRANTI_TABLE[index].name, rashi_name(rashi), target, *jd, index};
  }
  return std::nullopt;
}

Result<std::vector<Sankranti>> compute_sankrantis(std::int32_t year) {
  return checked([&] {
    std::vector<Sankranti> out;
    out.reserve(SANKRANTI_COUNT);
    for (std::uint32_t i = 0; i < SANKRANTI_COUNT; ++i) {
      if (auto s = find_sankranti(i, year)) out.push_back(*s);
    }
    return out;
  });
}

}  // namespace tithiloom
