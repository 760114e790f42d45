#include "model/chordcatalogue.h"
#include "model/motive.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct CountingListener : TMotiveListener {
    int calls = 0;
    void motiveChanged() override { ++calls; }
};

const TMeasure threeFour(3, 120);

TChord chordAt(const char* type, int time) {
    TChord chord = chordOfType(type);
    chord.setTime(time);
    return chord;
}

TChord voicedAt(int time, TVoices voices) {
    TChord chord;
    chord.setTime(time);
    chord.setVoices(voices);
    return chord;
}

int totalLength(const TRhythm& rhythm) {
    return std::accumulate(rhythm.begin(), rhythm.end(), 0,
                           [](int sum, DURATION d) { return sum + (d < 0 ? -d : d); });
}

} // namespace

TEST(Motive, DefaultIsOneEmptyUnharmonisedMeasureOfTwoFour) {
    TMotive motive;
    EXPECT_TRUE(motive.isEmpty());
    EXPECT_FALSE(motive.isHarmonised());
    EXPECT_EQ(motive.measureCount(), 1);
    EXPECT_EQ(motive.upbeatStart(), 0);
    EXPECT_EQ(motive.end(), 240);
    EXPECT_EQ(motive.key(), TKey(0, MAJOR));
    EXPECT_EQ(motive.measure(), TMeasure(2, 120));
    EXPECT_EQ(motive.id(), -1);
    EXPECT_EQ(motive.listener(), nullptr);
}

TEST(Motive, UpbeatSpansTwoMeasureSegments) {
    TMotive motive(TKey(0, MAJOR), threeFour, 120);
    EXPECT_EQ(motive.upbeatStart(), 240);
    EXPECT_EQ(motive.end(), 600);
    EXPECT_EQ(motive.measureCount(), 2);

    motive.chords().push_back(chordAt("TONIC_THREE_CHORD", 0));
    EXPECT_FALSE(motive.isHarmonised());
    EXPECT_FALSE(motive.isEmpty());
    motive.chords().push_back(chordAt("DOMINANT_THREE_CHORD", 360));
    EXPECT_TRUE(motive.isHarmonised());
    motive.chords().push_back(chordAt("TONIC_THREE_CHORD", 360));
    EXPECT_FALSE(motive.isHarmonised());
}

TEST(Motive, CopiesCarryNeitherListenerNorId) {
    CountingListener listener;
    TMotive source(TKey(-2, MINOR), threeFour, 120);
    source.setListener(&listener);
    source.setId(7);
    source.notes().push_back(TNote(240, 20, 120));
    source.chords().push_back(chordAt("TONIC_THREE_CHORD", 0));

    TMotive copy(source);
    EXPECT_EQ(copy.listener(), nullptr);
    EXPECT_EQ(copy.id(), -1);
    EXPECT_EQ(copy.key(), source.key());
    EXPECT_EQ(copy.zatakt(), 120);
    EXPECT_TRUE(copy.sameContent(source));
    EXPECT_EQ(listener.calls, 0);
}

TEST(Motive, AssignmentKeepsTargetsListenerAndIdAndStaysSilent) {
    TMotive source(TKey(3, MINOR), threeFour, 120);
    source.setId(3);
    source.notes().push_back(TNote(240, 20, 120));

    CountingListener listener;
    TMotive target;
    target.setListener(&listener);
    target.setId(11);
    target = source;

    EXPECT_EQ(target.listener(), &listener);
    EXPECT_EQ(target.id(), 11);
    EXPECT_EQ(target.key(), source.key());
    EXPECT_EQ(target.key().pitchTable(), source.key().pitchTable());
    EXPECT_EQ(target.measure(), threeFour);
    EXPECT_EQ(target.zatakt(), 120);
    EXPECT_EQ(target.notes(), source.notes());
    EXPECT_EQ(listener.calls, 0);
}

TEST(Motive, CopyContentReplacesOnlyNotesAndChordsAndStaysSilent) {
    TMotive source(TKey(1, MAJOR), threeFour, 120);
    source.notes().push_back(TNote(240, 20, 120));
    source.chords().push_back(chordAt("TONIC_THREE_CHORD", 0));

    CountingListener listener;
    TMotive target;
    target.setListener(&listener);
    target.notes().push_back(TNote(0, 15, 60));
    target.notes().push_back(TNote(60, 16, 60));
    target.copyContent(source);

    EXPECT_EQ(target.notes(), source.notes());
    ASSERT_EQ(target.chords().size(), 1u);
    EXPECT_EQ(target.chords()[0].name(), "TONIC_THREE_CHORD");
    EXPECT_EQ(target.key(), TKey(0, MAJOR));
    EXPECT_EQ(target.measure(), TMeasure(2, 120));
    EXPECT_EQ(target.zatakt(), 0);
    EXPECT_EQ(listener.calls, 0);
}

TEST(Motive, EveryMutatorNotifiesExactlyOnce) {
    const TNoteList notes{TNote(0, 20, 120), TNote(120, 21, 120)};
    const TChordList chords{chordAt("TONIC_THREE_CHORD", 0)};
    const std::vector<std::pair<std::string, std::function<void(TMotive&)>>> mutators{
        {"setNotes", [&](TMotive& m) { m.setNotes(notes); }},
        {"clearNotes", [](TMotive& m) { m.clearNotes(); }},
        {"setChords", [&](TMotive& m) { m.setChords(chords); }},
        {"clearChords", [](TMotive& m) { m.clearChords(); }},
        {"clearAll", [](TMotive& m) { m.clearAll(); }},
        {"setZatakt", [](TMotive& m) { m.setZatakt(60); }},
        {"notifyChanged", [](TMotive& m) { m.notifyChanged(); }},
    };
    for (const auto& [name, mutate] : mutators) {
        SCOPED_TRACE(name);
        CountingListener listener;
        TMotive motive;
        motive.setNotes(notes);
        motive.setChords(chords);
        motive.setListener(&listener);
        mutate(motive);
        EXPECT_EQ(listener.calls, 1);

        TMotive unobserved;
        mutate(unobserved); // no listener: must not crash
    }
}

TEST(Motive, MutatorsChangeWhatTheySay) {
    TMotive motive;
    motive.setNotes({TNote(0, 20, 240)});
    motive.setChords({chordAt("TONIC_THREE_CHORD", 0)});
    motive.setZatakt(60);
    EXPECT_EQ(motive.zatakt(), 60);
    EXPECT_EQ(motive.upbeatStart(), 180);

    motive.clearChords();
    EXPECT_TRUE(motive.chords().empty());
    EXPECT_EQ(motive.notes().size(), 1u);
    motive.setChords({chordAt("TONIC_THREE_CHORD", 0)});
    motive.clearNotes();
    EXPECT_TRUE(motive.notes().empty());
    EXPECT_EQ(motive.chords().size(), 1u);
    motive.setNotes({TNote(0, 20, 240)});
    motive.clearAll();
    EXPECT_TRUE(motive.isEmpty());
}

TEST(Motive, SameContentComparesVoicingsAndNotesOnly) {
    const TVoices voices{27, 24, 20, 13};
    TMotive a;
    a.notes().push_back(TNote(0, 20, 120));
    a.chords().push_back(chordOfType("TONIC_THREE_CHORD"));
    a.chords()[0].setVoices(voices);

    TMotive b(TKey(2, MINOR), threeFour, 120); // key, meter and upbeat take no part
    b.notes().push_back(TNote(0, 20, 120));
    b.notes()[0].setChordingNote(false);
    b.chords().push_back(chordOfType("DOMINANT_THREE_CHORD"));
    b.chords()[0].setVoices(voices);
    EXPECT_TRUE(a.sameContent(b));
    EXPECT_TRUE(b.sameContent(a));

    b.chords()[0].setVoices({27, 24, 20, 6});
    EXPECT_FALSE(a.sameContent(b));
    b.chords()[0].setVoices(voices);

    b.notes()[0].setSign(1);
    EXPECT_FALSE(a.sameContent(b));
    b.notes()[0].setSign(0);

    b.notes().push_back(TNote(120, 20, 120));
    EXPECT_FALSE(a.sameContent(b));
    b.notes().pop_back();

    b.chords().push_back(voicedAt(240, voices));
    EXPECT_FALSE(a.sameContent(b));
    EXPECT_FALSE(b.sameContent(a));
}

TEST(Rhythm, FillsTheMotiveWithNotesAndRests) {
    struct Case {
        const char* name;
        TMotive motive;
        TNoteList notes;
        TRhythm expected;
    };
    const std::vector<Case> cases{
        {"empty 2/4", TMotive(), {}, {-240}},
        {"2/4 rests after notes",
         TMotive(),
         {TNote(0, 20, 60), TNote(120, 20, 60)},
         {60, -60, 60, -60}},
        {"2/4 gap between notes",
         TMotive(),
         {TNote(0, 20, 60), TNote(180, 20, 60)},
         {60, -120, 60}},
        {"2/4 leading gap", TMotive(), {TNote(90, 20, 150)}, {-90, 150}},
        {"empty 3/4 upbeat split at the bar", TMotive(TKey(), threeFour, 120), {}, {-120, -240}},
        {"3/4 upbeat, gap across the bar",
         TMotive(TKey(), threeFour, 120),
         {TNote(240, 20, 60), TNote(420, 20, 60)},
         {60, -60, -60, 60, -120}},
        {"3/4 upbeat, notes over the bar",
         TMotive(TKey(), threeFour, 120),
         {TNote(240, 20, 120), TNote(360, 20, 240)},
         {120, 240}},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.name);
        c.motive.setNotes(c.notes);
        const TRhythm rhythm = c.motive.rhythm();
        EXPECT_EQ(rhythm, c.expected);
        EXPECT_EQ(totalLength(rhythm), c.motive.ticksPerMeasure());
    }
}

TEST(Rhythm, RestIsSplitOnlyAtTheLastBarLineBeforeItsEnd) {
    TRhythm out;
    appendRestSplitAtBar(out, 300, 660, 360);
    EXPECT_EQ(out, (TRhythm{-240, -180, -240}));

    out.clear(); // ends on a bar line: nothing after it
    appendRestSplitAtBar(out, 240, 120, 360);
    EXPECT_EQ(out, (TRhythm{-120}));

    out.clear(); // crosses bar lines at 240 and 480; only 720 splits it
    appendRestSplitAtBar(out, 0, 750, 240);
    EXPECT_EQ(out, (TRhythm{-480, -240, -30}));

    out = {60}; // appends, keeps what is there
    appendRestSplitAtBar(out, 60, 90, 240);
    EXPECT_EQ(out, (TRhythm{60, -90}));
}

TEST(Rhythm, OfAGeneralNoteListUsesTheGivenBounds) {
    const TNoteList notes{TNote(480, 20, 120)};
    EXPECT_EQ(rhythmOf(notes, 360, 240, 720), (TRhythm{-120, 120, -120}));
    EXPECT_EQ(rhythmOf({}, 0, 240, 0), TRhythm{});
    // A zero-length note must not stall the walk.
    EXPECT_EQ(rhythmOf({TNote(0, 20, 0), TNote(0, 20, 240)}, 0, 240, 240), (TRhythm{0, 240}));
}

TEST(Motive, NotesOfMeasureCopiesTheNotesOfThatMeasure) {
    TMotive motive(TKey(), threeFour, 120);
    motive.setNotes(
        {TNote(240, 20, 120), TNote(360, 21, 60), TNote(420, 22, 60), TNote(480, 23, 120)});
    motive.notes()[1].setHighlighted(true);

    const TNoteList second = motive.notesOfMeasure(400);
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(second[0].time(), 360);
    EXPECT_FALSE(second[0].highlighted());
    EXPECT_EQ(second[2].time(), 480);
    EXPECT_EQ(motive.notesOfMeasure(0), (TNoteList{TNote(240, 20, 120)}));
    EXPECT_EQ(motive.notesOfMeasure(359).size(), 1u);
    EXPECT_TRUE(motive.notesOfMeasure(720).empty());
}

TEST(Motive, ChordOfMeasureIsTheFirstAtOrAfterTheMeasureStart) {
    TMotive motive(TKey(), threeFour, 120);
    EXPECT_EQ(motive.chordOfMeasure(0), nullptr);
    motive.setChords({chordAt("TONIC_THREE_CHORD", 0), chordAt("DOMINANT_THREE_CHORD", 360)});
    ASSERT_NE(motive.chordOfMeasure(0), nullptr);
    EXPECT_EQ(motive.chordOfMeasure(0)->name(), "TONIC_THREE_CHORD");
    ASSERT_NE(motive.chordOfMeasureAt(599), nullptr);
    EXPECT_EQ(motive.chordOfMeasureAt(599)->name(), "DOMINANT_THREE_CHORD");
    EXPECT_EQ(motive.chordOfMeasure(2), nullptr);
}

// Pitch indices in C major: C = 20, D = 21, E = 22, G = 24, B = 26.
TEST(ChordingFlags, FollowTheChordOfEachNotesMeasure) {
    CountingListener listener;
    TMotive motive(TKey(), threeFour, 120);
    motive.setNotes({TNote(240, 26, 60), TNote(300, 22, 60), TNote(360, 26, 60), TNote(420, 21, 60),
                     TNote(480, 20, 120)});
    motive.setChords({chordAt("TONIC_THREE_CHORD", 0), chordAt("DOMINANT_THREE_CHORD", 360)});
    motive.setListener(&listener);

    motive.recomputeChordingFlags();
    std::vector<bool> flags;
    for (const TNote& note : motive.notes())
        flags.push_back(note.chordingNote());
    EXPECT_EQ(flags, (std::vector<bool>{false, true, true, true, false}));
    EXPECT_EQ(listener.calls, 1);
}

TEST(ChordingFlags, StopAtTheFirstMeasureWithoutChord) {
    CountingListener listener;
    TMotive motive(TKey(), threeFour, 120);
    motive.setNotes({TNote(240, 21, 120), TNote(360, 21, 240)});
    motive.setChords({chordAt("TONIC_THREE_CHORD", 0)});
    motive.setListener(&listener);

    motive.recomputeChordingFlags();
    EXPECT_FALSE(motive.notes()[0].chordingNote());
    EXPECT_TRUE(motive.notes()[1].chordingNote()); // left as it was
    EXPECT_EQ(listener.calls, 1);
}

TEST(ChordingFlags, WithoutChordsNothingChangesAndNobodyIsTold) {
    CountingListener listener;
    TMotive motive;
    motive.setNotes({TNote(0, 21, 120), TNote(120, 20, 120)});
    motive.notes()[1].setChordingNote(false);
    motive.setListener(&listener);

    motive.recomputeChordingFlags();
    EXPECT_TRUE(motive.notes()[0].chordingNote());
    EXPECT_FALSE(motive.notes()[1].chordingNote());
    EXPECT_EQ(listener.calls, 0);
}

TEST(ChordingFlags, UseTheMotivesKey) {
    // Index 17 is G in C major, a tone of the tonic triad; in A minor it is G sharp, a tone of
    // the dominant but not of the tonic.
    const TNoteList notes{TNote(0, 17, 240)};
    TMotive major;
    major.setNotes(notes);
    major.notes()[0].setChordingNote(false);
    major.setChords({chordAt("TONIC_THREE_CHORD", 0)});
    major.recomputeChordingFlags();
    EXPECT_TRUE(major.notes()[0].chordingNote());

    TMotive minor(TKey(0, MINOR), TMeasure());
    minor.setNotes(notes);
    minor.setChords({chordAt("TONIC_THREE_CHORD", 0)});
    minor.recomputeChordingFlags();
    EXPECT_FALSE(minor.notes()[0].chordingNote());
    minor.setChords({chordAt("DOMINANT_THREE_CHORD", 0)});
    minor.recomputeChordingFlags();
    EXPECT_TRUE(minor.notes()[0].chordingNote());
}

TEST(Motive, LeadingTonesAreMarkedInTheMotivesKeyWithoutNotifying) {
    CountingListener listener;
    TMotive minor(TKey(0, MINOR), TMeasure());
    minor.setNotes({TNote(0, 17, 120), TNote(120, 18, 120)}); // G sharp, A
    minor.notes()[1].setSign(1);
    minor.setListener(&listener);
    minor.markLeadingTones();
    EXPECT_EQ(minor.notes()[0].sign(), 1);
    EXPECT_EQ(minor.notes()[1].sign(), 0);
    EXPECT_EQ(listener.calls, 0);

    TMotive major;
    major.setNotes({TNote(0, 17, 120)});
    major.markLeadingTones();
    EXPECT_EQ(major.notes()[0].sign(), 0);
}

TEST(Motive, DumpListsMeterKeyUpbeatChordsThenNotes) {
    TMotive motive(TKey(-1, MINOR), threeFour, 120);
    motive.setNotes({TNote(240, 20, 120)});
    motive.setChords({chordAt("TONIC_THREE_CHORD", 0)});
    std::ostringstream chordLine;
    motive.chords()[0].dump(chordLine);

    std::ostringstream out;
    motive.dump(out);
    EXPECT_EQ(out.str(), "MOTIVE:\nMeasure:3/120\nTonalnost: Minor -1\nZatakt:120\n" +
                             chordLine.str() + "Note: time:240 pitch:20 duration:120\n");
}
