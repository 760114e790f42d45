#pragma once

#include "engine/effect.h"
#include "engine/rhythmlayout.h"
#include "enginetesthelpers.h"
#include "model/random.h"
#include "model/schemechords.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

// A melody of (time, pitch, duration) notes, in a key and meter, without chords.
inline TMotive melody(const std::vector<TNote>& notes, const TMeasure& measure = TMeasure(4, 120),
                      int upbeat = 0, const TKey& key = TKey()) {
    TMotive motive(key, measure, static_cast<std::int16_t>(upbeat));
    motive.notes() = notes;
    return motive;
}

inline std::vector<int> pitchesOf(const TNoteList& notes) {
    std::vector<int> out;
    for (const TNote& n : notes)
        out.push_back(n.pitch());
    return out;
}

// One catalogue chord per measure of the motive, drawn from the scheme's chord types.
inline void harmoniseRandomly(TMotive& motive, TRandomGenerator& random) {
    const auto& types = schemeChordTypeNames();
    TChordList chords;
    for (int m = 0; m < motive.measureCount(); ++m)
        chords.push_back(chordAt(types[std::size_t(random.draw(int(types.size())))],
                                 m * motive.ticksPerMeasure()));
    motive.chords() = chords;
}

// Generated harmonised motives in several meters, with and without upbeat, from a random
// rhythm scheme and pitch scheme each.
inline std::vector<TMotive> generatedSources(int perShape) {
    struct Shape {
        TMeasure measure;
        int upbeat;
        TKey key;
    };
    const std::vector<Shape> shapes{
        {TMeasure(2, 120), 0, TKey()},          {TMeasure(2, 120), 60, TKey(-2, MINOR)},
        {TMeasure(3, 120), 0, TKey(3, MAJOR)},  {TMeasure(3, 120), 120, TKey(0, MINOR)},
        {TMeasure(4, 120), 0, TKey(-1, MAJOR)}, {TMeasure(4, 120), 90, TKey(2, MINOR)},
        {TMeasure(3, 60), 0, TKey()},           {TMeasure(6, 60), 60, TKey(1, MAJOR)},
    };
    TRandomGenerator shapeRandom;
    std::vector<TMotive> sources;
    TRandomGenerator draws;
    TScheme scheme(draws);
    for (const Shape& shape : shapes) {
        for (int i = 0; i < perShape; ++i) {
            TMotive motive(shape.key, shape.measure, static_cast<std::int16_t>(shape.upbeat));
            harmoniseRandomly(motive, shapeRandom);
            scheme.setUpbeat(static_cast<std::int16_t>(shape.upbeat));
            scheme.randomDurations(shape.measure);
            scheme.randomTurns();
            TLights beacons;
            for (int t = motive.upbeatStart(); t < motive.end(); t += 120)
                beacons.emplace_back(t, 15 + shapeRandom.draw(18));
            scheme.generateMotive(motive, beacons);
            sources.push_back(motive);
        }
    }
    return sources;
}

// Notes in the melodic range on the sixteenth grid, in time order without overlaps, each
// ending inside the measure part it starts in.
inline void expectWellFormed(const TMotive& motive, const std::string& what) {
    const std::vector<TMeasurePart> parts = measureParts(motive.ticksPerMeasure(), motive.zatakt());
    int previousEnd = motive.upbeatStart();
    for (const TNote& note : motive.notes()) {
        EXPECT_TRUE(isInMelodyRange(note.pitch())) << what << ": pitch " << note.pitch();
        EXPECT_EQ(note.time() % 30, 0) << what;
        EXPECT_GT(note.duration(), 0) << what;
        EXPECT_EQ(note.duration() % 30, 0) << what;
        EXPECT_GE(note.time(), previousEnd) << what << ": overlap at " << note.time();
        previousEnd = note.end();
        bool inside = false;
        for (const TMeasurePart& part : parts)
            inside = inside || (note.time() >= part.from && note.end() <= part.to);
        EXPECT_TRUE(inside) << what << ": note " << note.time() << "+" << note.duration()
                            << " leaves its part";
    }
}

// Per measure part: where its first note begins and its last note ends, and how many notes
// it has.
struct TPartSpan {
    int from = 0;
    int to = 0;
    std::size_t notes = 0;
    bool operator==(const TPartSpan&) const = default;
};

inline std::vector<TPartSpan> partSpans(const TMotive& motive) {
    std::vector<TPartSpan> spans;
    for (const TNoteList& part : TEffect::notesByPart(motive)) {
        TPartSpan span;
        if (!part.empty())
            span = {part.front().time(), part.back().end(), part.size()};
        spans.push_back(span);
    }
    return spans;
}
