#include "model/diagnostics.h"
#include "model/notelist.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(Note, DefaultHasNoPitchAndIsNotARest) {
    TNote note;
    EXPECT_EQ(note.pitch(), NO_PITCH);
    EXPECT_EQ(note.duration(), 30);
    EXPECT_FALSE(note.isRest());
    EXPECT_TRUE(note.chordingNote());
    EXPECT_EQ(note.sign(), 0);
    EXPECT_TRUE(TNote(0, 20, -60).isRest());
}

TEST(Note, HighlightNeverTravelsWithACopy) {
    TNote lit(120, 22, 60);
    lit.setHighlighted(true);
    lit.setChordingNote(false);
    lit.setSign(1);
    TNote copy(lit);
    EXPECT_FALSE(copy.highlighted());
    EXPECT_FALSE(copy.chordingNote());
    EXPECT_EQ(copy.sign(), 1);
    TNote assigned;
    assigned.setHighlighted(true);
    assigned = lit;
    EXPECT_FALSE(assigned.highlighted());
    EXPECT_EQ(assigned, lit);
}

TEST(Note, EqualityIgnoresChordFlagAndHighlightButNotSign) {
    TNote a(0, 20, 60);
    TNote b(0, 20, 60);
    b.setChordingNote(false);
    b.setHighlighted(true);
    EXPECT_EQ(a, b);
    b.setSign(1);
    EXPECT_NE(a, b);
    EXPECT_NE(TNote(0, 20, 60), TNote(0, 20, 90));
    EXPECT_TRUE(TNote(0, 30, 60) < TNote(30, 13, 60));
    EXPECT_FALSE(TNote(30, 13, 60) < TNote(30, 30, 60));
}

TEST(Note, DumpGoesToTheDiagnosticStreamOnly) {
    std::ostringstream captured;
    setDiagnosticStream(&captured);
    TNote(90, 22, -60).dump(diagnostics());
    setDiagnosticStream(nullptr);
    TNote(0, 1, 30).dump(diagnostics());
    EXPECT_EQ(captured.str(), "Note: time:90 pitch:22 duration:-60\n");
}

TEST(NoteSearch, FindsFirstNoteAtOrAfterATime) {
    TNoteList empty;
    EXPECT_EQ(firstAtOrAfter(empty, 120), empty.end());
    TNoteList notes{TNote(0, 20, 120), TNote(120, 21, 120), TNote(240, 22, 120)};
    EXPECT_EQ(firstAtOrAfter(notes, 120)->time(), 120);
    EXPECT_EQ(firstAtOrAfter(notes, 0)->time(), 0);
    EXPECT_EQ(firstAtOrAfter(notes, 150)->time(), 240);
    EXPECT_EQ(firstAtOrAfter(notes, 270), notes.end());
}

TEST(LeadingTones, OnlyTheRaisedSeventhOfAMinorKeyIsMarked) {
    TNoteList notes;
    for (int p = 13; p <= 34; ++p)
        notes.emplace_back((p - 13) * 30, p, 30);
    markLeadingTones(notes, TKey(0, MINOR));
    for (const TNote& note : notes)
        EXPECT_EQ(note.sign(), note.pitch() % 7 == 3 ? 1 : 0) << note.pitch();
    markLeadingTones(notes, TKey(0, MAJOR));
    for (const TNote& note : notes)
        EXPECT_EQ(note.sign(), 0);
}

TEST(NotesBefore, FillsWithDefaultNotesOutsideTheMeasure) {
    TNoteList notes{TNote(0, 20, 60), TNote(120, 21, 60), TNote(240, 22, 60), TNote(300, 23, 60)};
    TNoteList before = notesBefore(notes, 3, TMeasure(2, 120), 360);
    ASSERT_EQ(before.size(), 3u);
    EXPECT_EQ(before[0].time(), 300);
    EXPECT_EQ(before[1].time(), 240);
    EXPECT_EQ(before[2].pitch(), NO_PITCH);

    before = notesBefore(notes, 6, TMeasure(2, 120), 600);
    ASSERT_EQ(before.size(), 6u);
    for (const TNote& note : before)
        EXPECT_EQ(note.pitch(), NO_PITCH);
}

TEST(NotesBefore, ClearHighlightsClearsEveryNote) {
    TNoteList notes{TNote(0, 20, 60), TNote(60, 21, 60)};
    notes[0].setHighlighted(true);
    notes[1].setHighlighted(true);
    clearHighlights(notes);
    EXPECT_FALSE(notes[0].highlighted() || notes[1].highlighted());
}
