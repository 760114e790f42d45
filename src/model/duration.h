#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A length in ticks (120 to the quarter note); negative values are rests of the absolute length.
using DURATION = std::int16_t;

inline constexpr int TICKS_PER_QUARTER = 120;
inline constexpr int TICKS_PER_SIXTEENTH = 30;

inline constexpr DURATION SIXTEENTH = 30;
inline constexpr DURATION EIGHTH = 60;
inline constexpr DURATION POINTED_EIGHTH = 90;
inline constexpr DURATION QUARTER = 120;
inline constexpr DURATION QUARTER_AND_SIXTEENTH = 150;
inline constexpr DURATION POINTED_QUARTER = 180;
inline constexpr DURATION QUARTER_AND_POINTED_EIGHTH = 210;
inline constexpr DURATION HALF = 240;

inline constexpr bool isDotted(int ticks) {
    return ticks == 90 || ticks == 180;
}

// One of the eight names ("SIXTEENTH" ... "HALF") or the value in decimal.
std::string durationName(int ticks);

// The tick value of a name; "" gives 0 and any other text is read as a decimal integer.
// Throws std::invalid_argument when the text is neither a name nor a whole number.
int durationOfName(std::string_view name);

// Appends `length` as written rests, largest first (480, 240, 210, ... 30), as negative values.
void appendRestValues(std::vector<DURATION>& out, int length);
std::vector<DURATION> decomposeRest(int length);
