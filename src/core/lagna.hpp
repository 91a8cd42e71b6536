// The sidereal lagna (ascendant) with twelve house cusps, and the windows of
// a day during which each rashi rises.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "names.hpp"
#include "types.hpp"

namespace tithiloom {

enum class HouseSystem : std::uint8_t { placidus = 0, whole_sign = 1, equal = 2, porphyry = 3 };

// Each system's name and its letter (the library's code), in HouseSystem order.
struct HouseSystemName {
  std::string_view name;
  char letter;
};
inline constexpr std::array<HouseSystemName, 4> HOUSE_SYSTEMS = {
    {{"placidus", 'P'}, {"whole_sign", 'W'}, {"equal", 'E'}, {"porphyry", 'O'}}};

// "P", "W", "E" or "O".
char house_system_letter(HouseSystem system);

// The system named by the first character of a text: P, W, E or O in either
// case; nothing for any other character.
std::optional<HouseSystem> house_system_from_char(char32_t first);

struct LagnaResult {
  std::array<double, 12> bhava_cusps;  // cusps 1 to 12, degrees in [0, 360)
  std::string_view rashi_name;
  double ascendant_longitude;
  double degree_in_rashi;
  double mc_longitude;
  double ayanamsa;
  std::uint8_t rashi;  // 0 = Mesha
  HouseSystem house_system;
};

// Never fails: where the library yields NaN (non-finite inputs), the angles
// are NaN and the rashi is 0.
LagnaResult compute(HouseSystem house_system, double jd, double lat_deg, double lng_deg);

struct LagnaWindow {
  std::string_view rashi_name;
  double start_jd;
  double end_jd;
  std::uint8_t rashi;
};

inline constexpr double LAGNA_SCAN_STEP_DAYS = 0.003472222222222222;        // 5 minutes
inline constexpr double LAGNA_BOUNDARY_TOLERANCE_DAYS = 1.1574074074074073e-5;  // 1 second
inline constexpr double LAGNA_SCAN_DAYS = 1.0;

// Contiguous windows from jd_start to jd_start + 1 day, in time order. Always
// terminates: it stops stepping when a step no longer moves the time (huge or
// infinite jd_start) and never steps at all for NaN.
std::vector<LagnaWindow> compute_windows(double jd_start, double lat_deg, double lng_deg);

// The scan behind compute_windows, with the rising-rashi probe supplied by the
// caller (any value is taken modulo 12). It terminates for any probe, even
// one that answers at random.
std::vector<LagnaWindow> scan_windows(double jd_start,
                                      const std::function<std::uint8_t(double)>& rashi_at);

// The same scan, except that a step passing more than one boundary is
// searched for each of them: every sign that rises gets its window, however
// briefly it rises (two boundaries closer than the tolerance may meet).
std::vector<LagnaWindow> scan_every_window(double jd_start,
                                           const std::function<std::uint8_t(double)>& rashi_at);
std::vector<LagnaWindow> compute_every_window(double jd_start, double lat_deg, double lng_deg);

}  // namespace tithiloom
