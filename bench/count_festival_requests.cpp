// Time and library requests of one call of the festival engine for 2026 at
// New Delhi with the 60 mixed definitions of bench_festivals.py (built the
// same way here), with the within-call memo and with every value asked
// afresh: the year's sankrantis and lunar months alone (the memo reuses the
// year's sankrantis for naming the months), then the whole call.
// Built by bench_festivals.py against a core compiled with
// TITHILOOM_COUNT_REQUESTS.
#include <chrono>
#include <cstdio>
#include <vector>

#include "festival.hpp"
#include "lunar_month.hpp"
#include "sankranti.hpp"

namespace {

using namespace tithiloom;

constexpr std::uint32_t TITHIS[] = {2, 4, 5, 8, 9, 11, 13, 14, 15, 19, 23, 26, 29, 30};
constexpr Kaala::Value KAALAS[] = {Kaala::aparahna, Kaala::madhyahna, Kaala::pradosha,
                                   Kaala::nishita,  Kaala::praatah,   Kaala::full_day};

std::vector<FestivalDef> sixty() {
  std::vector<FestivalDef> defs;
  for (std::uint32_t i = 0; i < 48; ++i) {
    FestivalDef d;
    d.id = d.name = "t" + std::to_string(i);
    d.rule = "tithi_at_sunrise";
    d.lunar_month = i % 12 + 1;
    d.tithi = TITHIS[(i * 5) % 14];
    d.priority = Priority(static_cast<Priority::Value>(i % 3));
    d.kaala = KAALAS[(i / 3) % 6];
    defs.push_back(d);
  }
  for (std::uint32_t i = 0; i < 12; ++i) {
    FestivalDef d;
    d.id = d.name = "s" + std::to_string(i);
    d.sankranti_index = i;
    if (i % 2 == 0) {
      d.rule = "sankranti";
    } else {
      d.rule = "nakshatra_at_sunrise";
      d.nakshatra = (3 * i) % 27 + 1;
    }
    defs.push_back(d);
  }
  return defs;
}

template <class Body>
void report(const char* label, std::size_t defs, std::uint64_t calendar_requests, Body&& body) {
  const auto before = library_request_count();
  const auto t0 = std::chrono::steady_clock::now();
  body();
  const auto t1 = std::chrono::steady_clock::now();
  const auto requests = library_request_count() - before;
  const double per_def =
      defs == 0 ? 0.0
                : static_cast<double>(requests - calendar_requests) / static_cast<double>(defs);
  std::printf("%s requests %llu per_definition %.1f seconds %.4f\n", label,
              static_cast<unsigned long long>(requests), per_def,
              std::chrono::duration<double>(t1 - t0).count());
}

}  // namespace

int main() {
  const Place delhi{28.6139, 77.2090, 216.0};
  const auto defs = sixty();
  ensure_initialized();
  if (!compute_festivals(defs, 2026, 19800, delhi, true).ok()) return 1;  // warm up
  for (const Reuse reuse : {Reuse::memo, Reuse::literal}) {
    const bool memo = reuse == Reuse::memo;
    const auto before = library_request_count();
    report(memo ? "calendar_memo" : "calendar_literal", 0, 0, [&] {
      const auto s = compute_sankrantis(2026);
      if (memo && s.ok()) {
        (void)compute_lunar_months(2026, false, s.value());
      } else {
        (void)compute_lunar_months(2026, false);
      }
    });
    const auto calendar = library_request_count() - before;
    report(memo ? "memo" : "literal", defs.size(), calendar,
           [&] { (void)compute_festivals(defs, 2026, 19800, delhi, true, reuse); });
  }
  return 0;
}
