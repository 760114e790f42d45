#include "engine/contextmotive.h"
#include "engine/scheme.h"
#include "model/chordcatalogue.h"
#include "variants/variantsession.h"

#include <gtest/gtest.h>

namespace {

TMotive fourFour(std::int16_t upbeat = 0) {
    return TMotive(TKey(), TMeasure(4, 120), upbeat);
}

} // namespace

TEST(ChordTarget, FirstMeasureStillWithoutAChordFromTheCursorOn) {
    TMotive upbeat = fourFour(120);
    EXPECT_EQ(chordTargetTime(upbeat, 360), 0);
    TChord carried = chordOfType("TONIC_THREE_CHORD");
    carried.setTime(0);
    upbeat.chords().push_back(carried);
    // The upbeat chord was carried over: the bar line's chord is next.
    EXPECT_EQ(chordTargetTime(upbeat, 360), 480);
    carried.setTime(480);
    upbeat.chords().push_back(carried);
    // Every measure has one: the cursor's own measure.
    EXPECT_EQ(chordTargetTime(upbeat, 360), 0);
    EXPECT_EQ(chordTargetTime(upbeat, 600), 480);
}

TEST(CaptionNames, PitchesDurationsAndFiguredChords) {
    const TKey gMinor(-2, MINOR);
    EXPECT_EQ(spokenPitchName(TKey(), 20), "C4");
    EXPECT_EQ(spokenPitchName(TKey(), 13), "C3");
    EXPECT_EQ(spokenPitchName(TKey(), 21), "D4");
    EXPECT_EQ(spokenPitchName(gMinor, 23), "F\u266F4"); // the raised seventh
    EXPECT_EQ(spokenPitchName(gMinor, 25), "A4");
    EXPECT_EQ(spokenPitchName(gMinor, 26), "B\u266D4");
    EXPECT_EQ(spokenDurationName(-90), "dotted eighth");
    EXPECT_EQ(romanNumeral(5), "V");
    EXPECT_EQ(chordFigure(TChord(5, 4, 1)), "65");
    EXPECT_EQ(chordFigure(TChord(1, 3, 2)), "64");
    EXPECT_EQ(chordName(TChord(5, 4, 1)), "V\u2076\u2085");
    EXPECT_EQ(chordName(TChord(1, 3, 0)), "I");
}

TEST(VariantSession, APreviewOutsideTheRangeOrTheMeasureIsNeverWritten) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TMotive motive = fourFour();
    motive.notes() = {TNote(0, 20, 120)};
    TMotiveVariantModel model(&motive, nullptr, 0, CONTEXT_FIRST, false, true);
    model.setCursor(120);
    TVariantSession session(scheme, model, nullptr);
    session.previewNote({22, 120, false, true});
    ASSERT_EQ(motive.notes().size(), 2u);
    EXPECT_EQ(motive.notes()[1].pitch(), 22);
    // Another pick replaces the preview rather than adding to it.
    session.previewNote({24, 60, false, false});
    ASSERT_EQ(motive.notes().size(), 2u);
    EXPECT_EQ(motive.notes()[1].pitch(), 24);
    EXPECT_FALSE(motive.notes()[1].chordingNote());
    // Too high: nothing is written and the earlier preview is gone too.
    session.previewNote({35, 60, false, true});
    EXPECT_EQ(motive.notes().size(), 1u);
    EXPECT_FALSE(session.notePreview());
    // Longer than the room to the motive's end.
    model.setCursor(420);
    session.previewNote({20, 120, false, true});
    EXPECT_EQ(motive.notes().size(), 1u);

    // Keeping a preview moves the cursor past it; a rest writes nothing but moves too.
    model.setCursor(120);
    session.previewNote({22, 120, false, true});
    EXPECT_TRUE(session.commitNote());
    EXPECT_EQ(model.cursor(), 240);
    session.previewNote({24, -120, false, false});
    EXPECT_TRUE(session.commitNote());
    EXPECT_EQ(model.cursor(), 360);
    EXPECT_EQ(motive.notes().size(), 2u);
    EXPECT_FALSE(session.commitNote());
}

TEST(VariantSession, AChordPreviewReplacesTheChordsFromItsTimeOn) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    TMotive motive = fourFour(120);
    TChordMotiveVariantModel model(&motive, nullptr, 360, CONTEXT_FIRST_WITH_UPBEAT);
    TVariantSession session(scheme, model, nullptr);
    TChord first = chordOfType("DOMINANT_THREE_CHORD");
    first.setTime(0);
    session.previewChord(first);
    TChord second = chordOfType("TONIC_THREE_CHORD");
    second.setTime(480);
    session.previewChord(second);
    TChord other = chordOfType("SUBDOMINANT_THREE_CHORD");
    other.setTime(480);
    session.previewChord(other);
    ASSERT_EQ(motive.chords().size(), 2u);
    EXPECT_EQ(motive.chords()[0].name(), "DOMINANT_THREE_CHORD");
    EXPECT_EQ(motive.chords()[1].name(), "SUBDOMINANT_THREE_CHORD");
    // Going back to the upbeat drops what came after it.
    session.previewChord(first);
    EXPECT_EQ(motive.chords().size(), 1u);
}
