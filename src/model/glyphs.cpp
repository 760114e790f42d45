#include "model/glyphs.h"

#include <array>

namespace {

struct DurationGlyphs {
    int duration;
    TRect note;
    TRect alternate;
};

constexpr std::array<DurationGlyphs, 16> durationGlyphs{{
    {30, {187, 1, 207, 33}, {164, 35, 184, 67}},
    {60, {165, 1, 185, 33}, {142, 35, 162, 67}},
    {90, {229, 35, 249, 67}, {207, 35, 227, 67}},
    {120, {148, 1, 163, 33}, {125, 35, 140, 67}},
    {150, {393, 71, 419, 103}, {392, 105, 418, 137}},
    {180, {209, 1, 228, 33}, {186, 35, 205, 67}},
    {210, {421, 71, 447, 103}, {422, 105, 448, 137}},
    {240, {131, 1, 146, 33}, {108, 35, 123, 67}},
    {-30, {513, 36, 525, 68}, {513, 104, 525, 136}},
    {-60, {500, 36, 511, 68}, {500, 104, 511, 136}},
    {-90, {484, 36, 498, 68}, {484, 104, 498, 136}},
    {-120, {470, 36, 482, 68}, {470, 104, 482, 136}},
    {-150, {533, 2, 555, 34}, {533, 70, 555, 102}},
    {-180, {516, 2, 531, 34}, {516, 70, 531, 102}},
    {-210, {490, 2, 514, 34}, {490, 70, 514, 102}},
    {-240, {470, 2, 488, 34}, {470, 70, 488, 102}},
}};

constexpr std::array<std::array<TRect, 2>, 10> turnGlyphs{{
    {{{110, 143, 122, 155}, {124, 143, 136, 155}}},
    {{{150, 143, 175, 164}, {256, 40, 281, 61}}},
    {{{108, 71, 129, 92}, {238, 2, 259, 23}}},
    {{{137, 71, 160, 94}, {267, 2, 290, 25}}},
    {{{109, 112, 134, 137}, {300, 2, 325, 27}}},
    {{{150, 112, 180, 133}, {341, 2, 371, 23}}},
    {{{170, 71, 200, 101}, {382, 2, 412, 32}}},
    {{{211, 71, 259, 101}, {215, 112, 263, 142}}},
    {{{276, 71, 315, 101}, {280, 112, 319, 142}}},
    {{{329, 71, 368, 101}, {333, 112, 372, 142}}},
}};

struct BarGlyphs {
    int code;
    TRect bar;
    TRect alternate;
};

constexpr std::array<BarGlyphs, 3> barGlyphs{{
    {5, {417, 3, 420, 24}, {442, 3, 445, 24}},
    {3, {423, 3, 426, 26}, {448, 3, 451, 26}},
    {4, {429, 3, 432, 28}, {454, 3, 457, 28}},
}};

constexpr std::array<TColour, 7> degreeColours{{
    {0, 255, 255},
    {66, 187, 145},
    {129, 232, 254},
    {104, 254, 67},
    {29, 215, 254},
    {173, 219, 157},
    {250, 143, 194},
}};

} // namespace

TRect durationGlyph(int duration, bool alternate) {
    for (const auto& g : durationGlyphs)
        if (g.duration == duration)
            return alternate ? g.alternate : g.note;
    return {};
}

TRect smallDurationGlyph(int duration, bool alternate) {
    return durationGlyph(duration, alternate).shrunk(2);
}

TRect turnGlyph(int turn, bool alternate) {
    if (turn < 0 || turn >= static_cast<int>(turnGlyphs.size()))
        return {};
    return turnGlyphs[static_cast<std::size_t>(turn)][alternate ? 1 : 0];
}

TRect fastMenuBarGlyph(int code, bool alternate) {
    for (const auto& g : barGlyphs)
        if (g.code == code)
            return alternate ? g.alternate : g.bar;
    return {};
}

TColour degreeColour(int degree) {
    if (degree < 1 || degree > 7)
        return {255, 255, 255};
    return degreeColours[static_cast<std::size_t>(degree - 1)];
}
