#include "engine/design.h"

#include "engine/scheme.h"
#include "engine/turnanalysis.h"
#include "model/random.h"

#include <algorithm>

TDesign readDesign(TMotive& motive, const TScheme& scheme) {
    const TChordList& catalogue = scheme.chords();
    const std::vector<TMeasurePart> parts = measureParts(motive.ticksPerMeasure(), motive.zatakt());
    if (!motive.isHarmonised() && !catalogue.empty()) {
        for (const TMeasurePart& part : parts) {
            const TChord& chord =
                catalogue[std::size_t(scheme.random().draw(int(catalogue.size())))];
            for (TNote& note : motive.notes())
                if (note.time() >= part.from && note.time() < part.to)
                    note.setChordingNote(chord.isChordTone(motive.key(), note.pitch()));
        }
    }

    TDesign design;
    design.rhythm = scheme.durationsOfMotive(motive);
    for (const TTurnRoundWithDir& turn : turnsOfMotive(motive, true).turns)
        if (turn.turn != NO_TURN)
            design.turns.push_back(turn);
    if (design.turns.empty())
        design.turns.emplace_back(REPETITION, true, 0, true);
    for (const TMeasurePart& part : parts) {
        auto first =
            std::find_if(motive.notes().begin(), motive.notes().end(), [&](const TNote& n) {
                return n.time() >= part.from && n.time() < part.to;
            });
        design.beacons.emplace_back(0, first == motive.notes().end() ? EMPTY_PART_BEACON_PITCH
                                                                     : first->pitch());
    }
    return design;
}
