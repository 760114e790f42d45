#include "engine/contextmotive.h"
#include "model/chordcatalogue.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const TMeasure twoFour(2, 120);

TMotive motive(bool upbeat, int chords) {
    TMotive m(TKey(), twoFour, upbeat ? 120 : 0);
    for (int i = 0; i < chords; ++i) {
        TChord chord = chordOfType("TONIC_THREE_CHORD");
        chord.setTime(i * 240);
        m.chords().push_back(chord);
    }
    return m;
}

// Two sentences of two motives each: groups 1, 1, 2, 2.
struct TStrip {
    std::vector<TMotive> motives;
    std::vector<TContextCell> cells;

    TStrip(bool upbeat, int chords) {
        const int measures = upbeat ? 2 : 1;
        for (int i = 0; i < 4; ++i)
            motives.push_back(motive(upbeat, chords < 0 ? measures : chords));
        for (int i = 0; i < 4; ++i)
            cells.push_back({&motives[static_cast<std::size_t>(i)], i < 2 ? 1 : 2, false});
    }
    const TMotive* at(int i) const { return &motives[static_cast<std::size_t>(i)]; }
};

void expectContext(const TMotiveContext& c, const TMotive* motive, int cell, TContextCode code) {
    EXPECT_EQ(c.motive, motive);
    EXPECT_EQ(c.cell, cell);
    EXPECT_EQ(c.code, code);
}

} // namespace

TEST(ContextMotive, FirstCellHasNoPredecessorAndTellsTheUpbeat) {
    const TStrip plain(false, -1);
    expectContext(contextMotive(plain.cells, plain.at(0)), nullptr, -1, CONTEXT_FIRST);
    const TStrip upbeat(true, -1);
    expectContext(contextMotive(upbeat.cells, upbeat.at(0)), nullptr, -1,
                  CONTEXT_FIRST_WITH_UPBEAT);
}

TEST(ContextMotive, CellsContinueTheirHarmonisedPredecessor) {
    const TStrip plain(false, -1);
    expectContext(contextMotive(plain.cells, plain.at(1)), plain.at(0), 0, CONTEXT_CONTINUES);
    // Across the sentence boundary only an upbeat carries the harmony over.
    expectContext(contextMotive(plain.cells, plain.at(2)), nullptr, -1, CONTEXT_NONE);
    const TStrip upbeat(true, -1);
    expectContext(contextMotive(upbeat.cells, upbeat.at(2)), upbeat.at(1), 1, CONTEXT_NEW_GROUP);
    expectContext(contextMotive(upbeat.cells, upbeat.at(3)), upbeat.at(2), 2, CONTEXT_CONTINUES);
}

TEST(ContextMotive, PredecessorMissingAChordIsIgnored) {
    const TStrip partly(true, 1); // one chord where two measures need two
    expectContext(contextMotive(partly.cells, partly.at(1)), nullptr, -1, CONTEXT_NONE);
    const TStrip empty(false, 0);
    expectContext(contextMotive(empty.cells, empty.at(1)), nullptr, -1, CONTEXT_NONE);
}

TEST(ContextMotive, MotiveOutsideTheStripFollowsTheSelectedCell) {
    const TMotive outside = motive(true, 0);
    TStrip upbeat(true, -1);
    expectContext(contextMotive(upbeat.cells, &outside), nullptr, -1, CONTEXT_NONE);

    upbeat.cells[0].selected = true;
    expectContext(contextMotive(upbeat.cells, &outside), upbeat.at(0), 0, CONTEXT_CONTINUES);
    upbeat.cells[0].selected = false;
    upbeat.cells[1].selected = true; // last of its sentence
    expectContext(contextMotive(upbeat.cells, &outside), upbeat.at(1), 1, CONTEXT_NEW_GROUP);
    upbeat.cells[1].selected = false;
    upbeat.cells[3].selected = true; // last of the period: nothing follows it
    expectContext(contextMotive(upbeat.cells, &outside), upbeat.at(3), 3, CONTEXT_CONTINUES);

    TStrip plain(false, -1);
    plain.cells[1].selected = true;
    expectContext(contextMotive(plain.cells, &outside), nullptr, -1, CONTEXT_NONE);

    TStrip unharmonised(false, 0);
    unharmonised.cells[0].selected = true;
    expectContext(contextMotive(unharmonised.cells, &outside), nullptr, -1, CONTEXT_NONE);
}

TEST(ContextMotive, NoMotiveOrNoCellsGiveNothing) {
    const TStrip plain(false, -1);
    expectContext(contextMotive(plain.cells, nullptr), nullptr, -1, CONTEXT_NONE);
    const TMotive alone = motive(false, 1);
    expectContext(contextMotive({}, &alone), nullptr, -1, CONTEXT_NONE);
}
