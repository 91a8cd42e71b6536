// How lunar months line up with the solar year: the amant month each
// sankranti falls in, the sankranti that anchors each month's observances,
// the purnimant name of a month, and how far from its anchor an observance
// of a month can fall. Month numbers are 1-based (1 = Chaitra); sankranti
// indices are positions in the year's table (0 = Makar Sankranti).
#pragma once

#include <array>
#include <cstdint>

#include "sankranti.hpp"

namespace tithiloom {

// The amant month that holds the ingress of table entry `index`: Mesha's
// gives Chaitra.
constexpr std::uint32_t month_of_sankranti(std::uint32_t index) {
  return sankranti_rashi(index) + 1;
}

// Lunar month number -> the table entry whose ingress falls inside that amant
// month: the inverse of month_of_sankranti.
inline constexpr std::array<std::uint32_t, 12> MONTH_ANCHOR = [] {
  std::array<std::uint32_t, 12> anchor{};
  for (std::uint32_t index = 0; index < anchor.size(); ++index)
    anchor[month_of_sankranti(index) - 1] = index;
  return anchor;
}();

// Purnimant months end at the full moon, so the one that begins in the dark
// half of amant month `amant` is named after the month that follows it
// (Phalguna's dark half is in purnimant Chaitra).
constexpr std::uint32_t purnimant_month(std::uint32_t amant) { return amant % 12 + 1; }

// An observance of a month falls in the amant month around its anchor's
// ingress (which begins and ends within a lunation of it) or in an adhika
// month just before that one, and then moves by its day offset. These bounds
// hold it with a few days to spare for the priority rules and local dates:
// a date range further from anchor + offset than this cannot hold it.
inline constexpr int DAYS_BEFORE_ANCHOR = 64;
inline constexpr int DAYS_AFTER_ANCHOR = 33;

}  // namespace tithiloom
