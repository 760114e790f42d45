#include "routes.h"

#include <map>

namespace {

// The note of pitch index p lies on the band of rows 439 - 10p to 449 - 10p; in the right half
// each 25 pixels away from the middle line lengthen it by a sixteenth.
constexpr int MIDDLE_RIGHT = 240;
constexpr int COLUMN = 25;

int rowOf(int pitch) {
    return 444 - 10 * pitch;
}

// Chooses notes one after another: onto the middle band level with the note (pitch,
// sixteenths), out to it, and a short rest there while its preview sounds. Coming back to the
// middle band for the next note keeps it; the release keeps the last one. A resting pointer
// keeps nothing.
std::vector<TRouteStep> notes(const std::vector<std::pair<int, int>>& picks) {
    std::vector<TRouteStep> route;
    for (const auto& [pitch, sixteenths] : picks) {
        route.push_back({MIDDLE_RIGHT + 4, rowOf(pitch), 150});
        route.push_back({MIDDLE_RIGHT + COLUMN * (sixteenths - 1) + 12, rowOf(pitch), 500});
    }
    return route;
}

// Chooses a chord: over box `index` of the chord half (three boxes a row, as the chord strategy
// lays out 19 to 21 chords), resting there while it sounds; the release keeps it.
std::vector<TRouteStep> chord(int index) {
    const int x = 9 + (index % 3) * 76 + 35;
    const int y = 44 + (index / 3) * 50 + 22;
    return {{x, y, 400}, {x, y + 2, 900}};
}

} // namespace

// Each choice of notes fills the measure of 3/4 (twelve sixteenths) of the prepared compositions.
std::vector<TRouteStep> routeOf(const std::string& script) {
    static const std::map<std::string, std::vector<TRouteStep>> routes{
        {"helpSelectNotes", notes({{22, 2}, {23, 2}, {24, 4}, {22, 4}})},
        {"helpSelectNotesTwo", notes({{24, 4}, {23, 2}, {22, 2}, {21, 4}})},
        // The chord after the tonic: the first of the third row (the subdominant).
        {"helpSelectChord", chord(6)},
        // The period opens on the tonic, the first box.
        {"helpSelectChordTwo", chord(0)},
        // A simple variant comes without chords: the press on its chord strip chooses the
        // subdominant, the first chord that its notes allow; the notes stay those of its
        // source a step up.
        {"helpSimpleEffect", chord(0)},
        // A relative variant takes the source's chords: the press on its chord strip chooses
        // the dominant instead, and the panel builds the design under it again; a second press
        // there chooses the subdominant, and the design is built once more.
        {"helpRelEffect1", chord(1)},
        {"helpRelEffect", chord(8)},
        {"helpTemplate1", notes({{24, 4}, {25, 2}, {26, 2}, {24, 4}})},
        {"helpTemplate2", notes({{22, 4}, {21, 4}, {22, 4}})},
    };
    const auto found = routes.find(script);
    return found != routes.end() ? found->second : std::vector<TRouteStep>{};
}
