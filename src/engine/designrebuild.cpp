#include "engine/designrebuild.h"

#include "engine/scheme.h"

#include <algorithm>

TTurnsWithDir turnsWithDesignDirections(const TTurns& turns, const TTurnsWithDir& design) {
    TTurnsWithDir out;
    for (std::size_t i = 0; i < turns.size(); ++i) {
        const bool up = design.empty() || design[i % design.size()].up;
        out.emplace_back(turns[i], up);
    }
    return out;
}

void rebuildFromDesign(TScheme& scheme, TMotive& motive, const TDesign& design, bool rhythmCommand,
                       TLights contour, const TMelodyPlace& place) {
    if (motive.notes().empty()) {
        std::erase_if(contour, [&](const TLight& beacon) {
            return beacon.time < motive.upbeatStart() || beacon.time >= motive.end();
        });
        std::stable_sort(contour.begin(), contour.end());
        scheme.generateMotive(motive, contour, place);
        return;
    }
    const TDurations durations = rhythmCommand ? scheme.durations() : design.rhythm;
    const TTurnsWithDir turns =
        rhythmCommand ? design.turns : turnsWithDesignDirections(scheme.turns(), design.turns);
    motive.clearNotes();
    scheme.regenerateMotive(durations, turns, design.beacons, motive, place);
}
