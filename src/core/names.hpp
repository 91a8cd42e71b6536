// Names of the elements: the tables and the lookups by element number.
// Numbers are 1-based (tithi, nakshatra, yoga, karana, lunar month); weekdays
// and rashis are 0-based indices. Every lookup clamps its index, so no input,
// however odd, reads outside a table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tithiloom {

namespace names {

template <std::size_t N>
constexpr std::string_view table_at(const std::array<std::string_view, N>& table,
                                    std::size_t index) {
  return table[index < N ? index : N - 1];
}

inline constexpr std::array<std::string_view, 30> TITHI_NAMES = {
    "Pratipada", "Dvitiya", "Tritiya", "Chaturthi", "Panchami", "Shashthi", "Saptami", "Ashtami",
    "Navami", "Dashami", "Ekadashi", "Dvadashi", "Trayodashi", "Chaturdashi", "Purnima",
    "Pratipada", "Dvitiya", "Tritiya", "Chaturthi", "Panchami", "Shashthi", "Saptami", "Ashtami",
    "Navami", "Dashami", "Ekadashi", "Dvadashi", "Trayodashi", "Chaturdashi", "Amavasya"};

inline constexpr std::array<std::string_view, 27> NAKSHATRA_NAMES = {
    "Ashwini", "Bharani", "Krittika", "Rohini", "Mrigashira", "Ardra", "Punarvasu", "Pushya",
    "Ashlesha", "Magha", "Purva Phalguni", "Uttara Phalguni", "Hasta", "Chitra", "Swati",
    "Vishakha", "Anuradha", "Jyeshtha", "Mula", "Purva Ashadha", "Uttara Ashadha", "Shravana",
    "Dhanishta", "Shatabhisha", "Purva Bhadrapada", "Uttara Bhadrapada", "Revati"};

// The nine lords repeat in this order three times around the zodiac.
inline constexpr std::array<std::string_view, 9> NAKSHATRA_LORD_CYCLE = {
    "Ketu", "Venus", "Sun", "Moon", "Mars", "Rahu", "Jupiter", "Saturn", "Mercury"};

inline constexpr std::array<std::string_view, 27> YOGA_NAMES = {
    "Vishkambha", "Priti", "Ayushman", "Saubhagya", "Shobhana", "Atiganda", "Sukarma", "Dhriti",
    "Shula", "Ganda", "Vriddhi", "Dhruva", "Vyaghata", "Harshana", "Vajra", "Siddhi", "Vyatipata",
    "Variyan", "Parigha", "Shiva", "Siddha", "Sadhya", "Shubha", "Shukla", "Brahma", "Indra",
    "Vaidhriti"};

// Numbers 1-7 are the movable karanas, 8-11 the fixed ones.
inline constexpr std::array<std::string_view, 11> KARANA_NAMES = {
    "Bava", "Balava", "Kaulava", "Taitila", "Garaja", "Vanija", "Vishti", "Shakuni", "Chatushpada",
    "Nagava", "Kimstughna"};

inline constexpr std::array<std::string_view, 7> VARA_NAMES = {
    "Ravivara", "Somavara", "Mangalavara", "Budhavara", "Guruvara", "Shukravara", "Shanivara"};
inline constexpr std::array<std::string_view, 7> VARA_ENGLISH = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

inline constexpr std::array<std::string_view, 12> RASHI_NAMES = {
    "Mesha", "Vrishabha", "Mithuna", "Karka", "Simha", "Kanya", "Tula", "Vrischika", "Dhanu",
    "Makara", "Kumbha", "Meena"};

inline constexpr std::array<std::string_view, 12> LUNAR_MONTH_NAMES = {
    "Chaitra", "Vaishakha", "Jyeshtha", "Ashadha", "Shravana", "Bhadrapada", "Ashwin", "Kartik",
    "Margashirsha", "Pausha", "Magha", "Phalguna"};

}  // namespace names

// By 1-based number (1 to 30).
constexpr std::string_view tithi_name(std::uint32_t number) {
  return names::table_at(names::TITHI_NAMES, number == 0 ? 0 : number - 1);
}
constexpr std::string_view paksha_name(std::uint32_t tithi_number) {
  return tithi_number <= 15 ? "Shukla" : "Krishna";
}
// "Shukla Pratipada", "Krishna Amavasya": built per result.
inline std::string tithi_display_name(std::uint32_t number) {
  std::string text(paksha_name(number));
  text += ' ';
  text += tithi_name(number);
  return text;
}
constexpr std::string_view nakshatra_name(std::uint32_t number) {
  return names::table_at(names::NAKSHATRA_NAMES, number == 0 ? 0 : number - 1);
}
constexpr std::string_view nakshatra_lord(std::uint32_t number) {
  const auto& lords = names::NAKSHATRA_LORD_CYCLE;
  return lords[(number == 0 ? 0 : number - 1) % lords.size()];
}
constexpr std::string_view yoga_name(std::uint32_t number) {
  return names::table_at(names::YOGA_NAMES, number == 0 ? 0 : number - 1);
}
constexpr std::string_view karana_name(std::uint32_t number) {
  return names::table_at(names::KARANA_NAMES, number == 0 ? 0 : number - 1);
}
// Any weekday value names the day of its remainder modulo 7.
constexpr std::string_view vara_name(std::uint32_t weekday) {
  return names::VARA_NAMES[weekday % 7];
}
constexpr std::string_view vara_english(std::uint32_t weekday) {
  return names::VARA_ENGLISH[weekday % 7];
}
// By 0-based index (0 = Mesha).
constexpr std::string_view rashi_name(std::uint32_t index) {
  return names::table_at(names::RASHI_NAMES, index);
}
// By 1-based number; a month that could not be determined (0) is "Unknown".
constexpr std::string_view lunar_month_name(std::uint32_t number) {
  return number >= 1 && number <= 12 ? names::LUNAR_MONTH_NAMES[number - 1] : "Unknown";
}

}  // namespace tithiloom
