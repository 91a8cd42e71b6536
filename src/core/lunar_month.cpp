#include "lunar_month.hpp"

#include <algorithm>
#include <compare>
#include <cstdint>
#include <limits>
#include <map>
#include <mutex>
#include <optional>

#include "ephemeris.hpp"
#include "panchang.hpp"
#include "reckoning.hpp"
#include "sankranti.hpp"
#include "search.hpp"
#include "transitions.hpp"
#include "names.hpp"

namespace tithiloom {
namespace {

constexpr double BOUNDARY_SPAN_DAYS = 35.0;
constexpr double BOUNDARY_STEP_DAYS = 1.0;
// A lunation lasts about 29.5 days, so the next boundary is at least this far on.
constexpr double BOUNDARY_SKIP_DAYS = 25.0;
constexpr double BOUNDARY_RETRY_DAYS = 30.0;

// Era years wrap at the ends of the 32-bit range instead of overflowing.
std::int32_t wrapping_add(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// New or full moons from `from_jd` on while the scan is before `to_jd`. Once a
// boundary reaches `stop_jd` no later month can be kept, so the scan ends there.
// The searches are guided by the boundaries' fit of the angle, which leaves
// their instants as they are (search.hpp) and saves most of their requests.
std::vector<double> month_boundaries(double from_jd, double to_jd, double stop_jd,
                                     double target_deg) {
  // Far wider than the fit's error, far narrower than a day's motion.
  constexpr double GUIDE_MARGIN_DEG = 1e-3;
  const ElongationFit fit(from_jd, to_jd + BOUNDARY_SPAN_DAYS);
  const Guide guide{[&fit](double jd) { return fit(jd); }, GUIDE_MARGIN_DEG};
  std::vector<double> out;
  out.reserve(14);
  double t = from_jd;
  while (t < to_jd) {
    const auto r = fit.usable()
                       ? find_crossing_forward_step(tithi_angle, guide, t, target_deg,
                                                    BOUNDARY_SPAN_DAYS, BOUNDARY_STEP_DAYS)
                       : find_crossing_forward_step(tithi_angle, t, target_deg,
                                                    BOUNDARY_SPAN_DAYS, BOUNDARY_STEP_DAYS);
    double next = t + BOUNDARY_RETRY_DAYS;
    if (r) {
      out.push_back(*r);
      if (*r >= stop_jd) break;
      next = *r + BOUNDARY_SKIP_DAYS;
    }
    if (!(next > t)) break;  // a JD so large that the step no longer moves it
    t = next;
  }
  return out;
}

// The sankrantis of year - 1, year and year + 1 that can name a month within
// (lo_jd, hi_jd]: every one inside, and the first one after hi_jd (which names
// a trailing adhika month); sorted by jd, ties in table order. An ingress lies
// within one of its search windows, so searches whose windows all end by
// lo_jd, or all start at or after an already found ingress past hi_jd, are
// not made.
std::vector<Sankranti> naming_sankrantis(std::int32_t year, double lo_jd, double hi_jd,
                                         const std::vector<Sankranti>* known) {
  std::vector<Sankranti> out;
  out.reserve(16);
  std::optional<double> first_after;
  for (std::int32_t step = -1; step <= 1; ++step) {
    const std::int32_t sankranti_year = shift_year(year, step);
    for (std::uint32_t i = 0; i < SANKRANTI_COUNT; ++i) {
      bool may_end_after_lo = false, may_start_before_first_after = false;
      for (const SearchWindow& w : sankranti_windows(i, sankranti_year)) {
        may_end_after_lo |= w.start_jd + w.span_days > lo_jd;
        may_start_before_first_after |= !first_after || w.start_jd < *first_after;
      }
      if (!may_end_after_lo || !may_start_before_first_after) continue;
      std::optional<Sankranti> s;
      if (step == 0 && known) {
        for (const Sankranti& k : *known)
          if (k.index == i) s = k;
      }
      if (!s) s = find_sankranti(i, sankranti_year);
      if (!s) continue;
      out.push_back(*s);
      if (s->jd > hi_jd && (!first_after || s->jd < *first_after)) first_after = s->jd;
    }
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const Sankranti& a, const Sankranti& b) { return a.jd < b.jd; });
  return out;
}

LunarMonth name_month(double start_jd, double end_jd, const std::vector<Sankranti>& sankrantis,
                      bool purnimant) {
  const Sankranti* first_inside = nullptr;
  const Sankranti* first_after = nullptr;
  std::size_t inside = 0;
  for (const Sankranti& s : sankrantis) {
    if (s.jd > end_jd) {
      first_after = &s;
      break;
    }
    if (s.jd > start_jd) {
      if (inside++ == 0) first_inside = &s;
    }
  }
  LunarMonth m{"Unknown", start_jd, end_jd, 0, inside == 0, inside >= 2};
  // An adhika month takes the name of the month that follows it.
  const Sankranti* naming = inside == 0 ? first_after : first_inside;
  if (naming == nullptr) return m;
  const std::uint32_t base = month_of_sankranti(naming->index);
  // A full-moon month ends inside the new-moon month of the same name, so
  // it is named one month ahead.
  m.number = purnimant ? purnimant_month(base) : base;
  m.name = lunar_month_name(m.number);
  return m;
}

Result<std::vector<LunarMonth>> lunar_months(std::int32_t year, bool purnimant,
                                             const std::vector<Sankranti>* known) {
  return checked([&]() -> std::vector<LunarMonth> {
    const std::int32_t prev_year = shift_year(year, -1);
    const std::int32_t next_year = shift_year(year, 1);
    const double scan_from = julday({prev_year, 12, 1}, 0.0);
    const double scan_to = julday({next_year, 1, 31}, 0.0);
    const double year_start = julday({year, 1, 1}, 0.0);
    const double year_end = julday({year, 12, 31}, 0.0) + 1.0;

    const std::vector<double> b =
        month_boundaries(scan_from, scan_to, year_end, purnimant ? 180.0 : 0.0);
    if (b.size() < 2) return {};

    // Boundaries increase, so the kept months form one run [first, last].
    std::size_t first = b.size(), last = 0;
    for (std::size_t k = 0; k + 1 < b.size(); ++k) {
      if (b[k + 1] > year_start && b[k] < year_end) {
        first = std::min(first, k);
        last = k;
      }
    }
    if (first == b.size()) return {};

    const std::vector<Sankranti> sankrantis =
        naming_sankrantis(year, b[first], b[last + 1], known);
    std::vector<LunarMonth> months;
    months.reserve(last - first + 1);
    for (std::size_t k = first; k <= last; ++k)
      months.push_back(name_month(b[k], b[k + 1], sankrantis, purnimant));
    return months;
  });
}

// The year lists made so far. One page of results asks for the same year
// several times (festivals, the Ekadashis of three years, vrats, the dates
// themselves), at some 20 ms of searches each; a list depends only on the
// year, the reckoning and the library settings.
struct MonthsKey {
  std::int32_t year;
  bool purnimant;
  std::uint64_t settings;
  auto operator<=>(const MonthsKey&) const = default;
};
// Far more years than any one computation asks about; a full store starts over.
constexpr std::size_t MONTHS_KEPT_MAX = 256;
std::mutex months_mutex;
std::map<MonthsKey, std::vector<LunarMonth>> months_kept;

MonthsKey months_key(std::int32_t year, bool purnimant) {
  return {year, purnimant, Settings::current().version()};
}

// The kept list of the year, or the one made now (kept if every request of
// it was answered).
Result<std::vector<LunarMonth>> kept_or_made(std::int32_t year, bool purnimant) {
  const MonthsKey key = months_key(year, purnimant);
  if (std::optional<std::vector<LunarMonth>> kept = kept_lunar_months(year, purnimant))
    return std::move(*kept);
  Result<std::vector<LunarMonth>> made = lunar_months(year, purnimant, nullptr);
  if (made.ok() && !library_failure_pending()) {
    const std::lock_guard lock(months_mutex);
    if (months_kept.size() >= MONTHS_KEPT_MAX) months_kept.clear();
    months_kept.emplace(key, made.value());
  }
  return made;
}

}  // namespace

std::optional<std::vector<LunarMonth>> kept_lunar_months(std::int32_t year, bool purnimant) {
  const MonthsKey key = months_key(year, purnimant);
  const std::lock_guard lock(months_mutex);
  if (const auto it = months_kept.find(key); it != months_kept.end()) return it->second;
  return std::nullopt;
}

Result<std::vector<LunarMonth>> compute_lunar_months(std::int32_t year, bool purnimant) {
  return kept_or_made(year, purnimant);
}

Result<std::vector<LunarMonth>> compute_lunar_months(std::int32_t year, bool purnimant,
                                                     const std::vector<Sankranti>& year_sankrantis) {
  // Made afresh, so that it can be checked against the kept lists.
  return lunar_months(year, purnimant, &year_sankrantis);
}

std::string month_label(std::string_view name, bool is_adhik) {
  return is_adhik ? "Adhika " + std::string(name) : std::string(name);
}

std::int32_t era_year(std::int32_t gregorian_year, std::int32_t offset, bool new_year_passed) {
  const std::int32_t before_new_year = wrapping_add(wrapping_add(gregorian_year, offset), -1);
  return new_year_passed ? wrapping_add(before_new_year, 1) : before_new_year;
}

std::int32_t jovian_cycle_index(std::int32_t gregorian_year, std::int32_t epoch_year) {
  const auto d = static_cast<std::int32_t>(static_cast<std::uint32_t>(gregorian_year) -
                                           static_cast<std::uint32_t>(epoch_year));
  const std::int32_t r = d % 60;  // truncating, in -59..59
  return r < 0 ? r + 60 : r;
}

}  // namespace tithiloom
