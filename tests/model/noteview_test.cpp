#include "model/noteview.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

const TMeasure twoFour(2, 120);
const TMeasure threeFour(3, 120);
const TMeasure fourFour(4, 120);
const TKey cMajor(0, MAJOR);
const TKey aMinor(0, MINOR);

TNote note(int time, int pitch, int duration, bool raised = false) {
    TNote n(time, pitch, static_cast<DURATION>(duration));
    n.setSign(raised ? 1 : 0);
    return n;
}

struct Shape {
    int pitch;
    int duration;
    int kind;
    int position;
    bool operator==(const Shape&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shape& s) {
    return out << "{" << s.pitch << ", " << s.duration << ", " << s.kind << ", " << s.position
               << "}";
}

std::vector<Shape> shapes(const TNoteViews& views) {
    std::vector<Shape> out;
    for (const TNoteView& v : views)
        out.push_back({v.pitch, v.duration, v.kind, v.position});
    return out;
}

// The views must tile [start, end) without gaps or overlaps.
void expectContiguous(const TNoteViews& views, int start, int end) {
    int t = start;
    for (const TNoteView& v : views) {
        EXPECT_EQ(v.time, t) << "view at pitch " << v.pitch;
        t += v.duration;
    }
    EXPECT_EQ(t, end);
}

TEST(NoteViewBeaming, EighthsGroupPerBeat) {
    const TNoteList notes{note(0, 24, 60), note(60, 25, 60), note(120, 26, 60), note(180, 27, 60)};
    const TNoteViews views = buildNoteViews(notes, 0, 240, twoFour, cMajor);
    EXPECT_EQ(shapes(views), (std::vector<Shape>{{24, 60, NV_BEAMED, 1},
                                                 {25, 60, NV_BEAMED, 1},
                                                 {26, 60, NV_BEAMED, 1},
                                                 {27, 60, NV_BEAMED, 1}}));
    expectContiguous(views, 0, 240);
}

TEST(NoteViewBeaming, FirstMemberHoldsGroupSizeOthersTheirIndex) {
    const TNoteList notes{note(0, 24, 30), note(30, 25, 30), note(60, 26, 30), note(90, 27, 30),
                          note(120, 28, 120)};
    const TNoteViews views = buildNoteViews(notes, 0, 240, twoFour, cMajor);
    EXPECT_EQ(shapes(views), (std::vector<Shape>{{24, 30, NV_BEAMED, 3},
                                                 {25, 30, NV_BEAMED, 1},
                                                 {26, 30, NV_BEAMED, 2},
                                                 {27, 30, NV_BEAMED, 3},
                                                 {28, 120, NV_SINGLE, 0}}));
}

TEST(NoteViewBeaming, LoneEighthOnNextBeatIsSingle) {
    const TNoteList notes{note(0, 24, 60), note(60, 25, 60), note(120, 26, 60)};
    const TNoteViews views = buildNoteViews(notes, 0, 240, twoFour, cMajor);
    EXPECT_EQ(shapes(views), (std::vector<Shape>{{24, 60, NV_BEAMED, 1},
                                                 {25, 60, NV_BEAMED, 1},
                                                 {26, 60, NV_SINGLE, 0},
                                                 {NO_PITCH, 60, NV_SINGLE, 0}}));
}

TEST(NoteViewBeaming, RestInsideBeatClosesGroup) {
    // Eighth, sixteenth rest, sixteenth: nothing is beamed.
    const TNoteList notes{note(0, 24, 60), note(90, 25, 30), note(120, 26, 120)};
    const TNoteViews views = buildNoteViews(notes, 0, 240, twoFour, cMajor);
    EXPECT_EQ(shapes(views), (std::vector<Shape>{{24, 60, NV_SINGLE, 0},
                                                 {NO_PITCH, 30, NV_SINGLE, 0},
                                                 {25, 30, NV_SINGLE, 0},
                                                 {26, 120, NV_SINGLE, 0}}));
    expectContiguous(views, 0, 240);
}

TEST(NoteViewBeaming, StaffChangeClosesGroup) {
    // 22 is on the treble staff, 18 on the bass staff; the two bass notes beam together.
    const TNoteList notes{note(0, 22, 30), note(30, 18, 30), note(60, 17, 60)};
    const TNoteViews views = buildNoteViews(notes, 0, 120, twoFour, cMajor);
    EXPECT_EQ(shapes(views),
              (std::vector<Shape>{
                  {22, 30, NV_SINGLE, 0}, {18, 30, NV_BEAMED, 1}, {17, 60, NV_BEAMED, 1}}));
}

TEST(NoteViewBeaming, DottedEighthsBeamWithSixteenthsPerBeat) {
    const TNoteList notes{note(0, 24, 90), note(90, 25, 30), note(120, 26, 30), note(150, 27, 90)};
    const TNoteViews views = buildNoteViews(notes, 0, 240, twoFour, cMajor);
    EXPECT_EQ(shapes(views), (std::vector<Shape>{{24, 90, NV_BEAMED, 1},
                                                 {25, 30, NV_BEAMED, 1},
                                                 {26, 30, NV_BEAMED, 1},
                                                 {27, 90, NV_BEAMED, 1}}));
}

TEST(NoteViewTies, QuarterAndSixteenthAndQuarterAndDottedEighth) {
    TNoteList notes{note(0, 24, 150, true), note(150, 31, 210, true)};
    const TNoteViews views = buildNoteViews(notes, 0, 360, threeFour, aMinor);
    EXPECT_EQ(shapes(views), (std::vector<Shape>{{24, 120, NV_TIED, 1},
                                                 {24, 30, NV_TIED, 0},
                                                 {31, 120, NV_TIED, 1},
                                                 {31, 90, NV_TIED, 0}}));
    expectContiguous(views, 0, 360);
    // Only the first member of a chain carries the accidental.
    EXPECT_EQ(views[0].accidental, ACC_SHARP);
    EXPECT_EQ(views[1].accidental, ACC_NONE);
    EXPECT_EQ(views[2].accidental, ACC_SHARP);
    EXPECT_EQ(views[3].accidental, ACC_NONE);
}

TEST(NoteViewTies, LengthsWithoutOneHeadBecomeChains) {
    // A dotted half and a half tied to a sixteenth have no single written form.
    const TNoteList notes{note(0, 24, 360), note(360, 25, 270)};
    const TNoteViews views = buildNoteViews(notes, 0, 720, TMeasure(6, 120), cMajor);
    EXPECT_EQ(shapes(views), (std::vector<Shape>{{24, 240, NV_TIED, 1},
                                                 {24, 120, NV_TIED, 0},
                                                 {25, 240, NV_TIED, 1},
                                                 {25, 30, NV_TIED, 0},
                                                 {NO_PITCH, 90, NV_SINGLE, 0}}));
}

TEST(NoteViewTies, ChainOfThreeMarksTheMiddleMember) {
    const TNoteViews views = buildNoteViews({note(0, 24, 600)}, 0, 600, TMeasure(5, 120), cMajor);
    EXPECT_EQ(shapes(views), (std::vector<Shape>{{24, 480, NV_TIED, 1}, {24, 120, NV_TIED, 0}}));
    const TNoteViews three = buildNoteViews({note(0, 24, 630)}, 0, 630, TMeasure(21, 30), cMajor);
    EXPECT_EQ(
        shapes(three),
        (std::vector<Shape>{{24, 480, NV_TIED, 1}, {24, 120, NV_TIED, 2}, {24, 30, NV_TIED, 0}}));
}

TEST(NoteViewRests, GapsAreSplitIntoDrawableLengths) {
    // 270 ticks of silence become a half rest and a sixteenth rest.
    const TNoteList notes{note(0, 24, 90), note(360, 25, 30)};
    const TNoteViews views = buildNoteViews(notes, 0, 480, fourFour, cMajor);
    EXPECT_EQ(shapes(views), (std::vector<Shape>{{24, 90, NV_SINGLE, 0},
                                                 {NO_PITCH, 240, NV_SINGLE, 0},
                                                 {NO_PITCH, 30, NV_SINGLE, 0},
                                                 {25, 30, NV_SINGLE, 0},
                                                 {NO_PITCH, 90, NV_SINGLE, 0}}));
    expectContiguous(views, 0, 480);
}

TEST(NoteViewRests, EmptyMeasuresAndWholeRests) {
    EXPECT_EQ(shapes(buildNoteViews({}, 0, 360, threeFour, cMajor)),
              (std::vector<Shape>{{NO_PITCH, 240, NV_SINGLE, 0}, {NO_PITCH, 120, NV_SINGLE, 0}}));
    EXPECT_EQ(shapes(buildNoteViews({}, 480, 960, fourFour, cMajor)),
              (std::vector<Shape>{{NO_PITCH, 480, NV_SINGLE, 0}}));
    EXPECT_EQ(shapes(buildNoteViews({}, 0, 180, TMeasure(2, 90), cMajor)),
              (std::vector<Shape>{{NO_PITCH, 180, NV_SINGLE, 0}}));
}

TEST(NoteViewRests, NotesWithoutPitchAndStoredRestsLeaveSilence) {
    TNoteList notes{note(0, NO_PITCH, 60), note(60, 24, -60), note(120, 24, 120)};
    const TNoteViews views = buildNoteViews(notes, 0, 240, twoFour, cMajor);
    EXPECT_EQ(shapes(views),
              (std::vector<Shape>{{NO_PITCH, 120, NV_SINGLE, 0}, {24, 120, NV_SINGLE, 0}}));
}

TEST(NoteViewRange, UpbeatMeasuresKeepTheirOwnNotes) {
    // 2/4 with an upbeat of a quarter: the motive covers 120..360.
    const TNoteList notes{note(120, 24, 60), note(180, 25, 60), note(240, 26, 120)};
    const TNoteViews first = buildNoteViews(notes, 0, 240, twoFour, cMajor, 120);
    EXPECT_EQ(shapes(first),
              (std::vector<Shape>{
                  {NO_PITCH, 120, NV_SINGLE, 0}, {24, 60, NV_BEAMED, 1}, {25, 60, NV_BEAMED, 1}}));
    expectContiguous(first, 0, 240);
    const TNoteViews second =
        buildNoteViews(notes, 240, measurePictureEnd(240, twoFour, 360), twoFour, cMajor);
    EXPECT_EQ(shapes(second), (std::vector<Shape>{{26, 120, NV_SINGLE, 0}}));
    expectContiguous(second, 240, 360);
}

TEST(NoteViewAccidentals, FirstRaisedNoteOfAPositionShowsItsSharp) {
    // G sharp in A minor is index 24; 17 is the G sharp an octave below.
    const TNoteList notes{note(0, 24, 60, true), note(60, 25, 60), note(120, 24, 60, true),
                          note(180, 17, 60, true)};
    const TNoteViews views = buildNoteViews(notes, 0, 240, twoFour, aMinor);
    ASSERT_EQ(views.size(), 4u);
    EXPECT_EQ(views[0].accidental, ACC_SHARP);
    EXPECT_EQ(views[1].accidental, ACC_NONE);
    EXPECT_EQ(views[2].accidental, ACC_NONE);
    EXPECT_EQ(views[3].accidental, ACC_SHARP) << "another octave needs its own sign";
    // The next measure starts afresh.
    const TNoteViews next = buildNoteViews({note(240, 24, 240, true)}, 240, 480, twoFour, aMinor);
    EXPECT_EQ(next.front().accidental, ACC_SHARP);
}

TEST(NoteViewAccidentals, SignatureDecidesTheSign) {
    // G sharp minor raises F sharp to F double sharp; F minor raises E flat to E natural.
    EXPECT_EQ(buildNoteViews({note(0, 23, 240, true)}, 0, 240, twoFour, TKey(5, MINOR))
                  .front()
                  .accidental,
              ACC_DOUBLE_SHARP);
    EXPECT_EQ(buildNoteViews({note(0, 22, 240, true)}, 0, 240, twoFour, TKey(-4, MINOR))
                  .front()
                  .accidental,
              ACC_NATURAL);
    EXPECT_EQ(buildNoteViews({note(0, 24, 240)}, 0, 240, twoFour, aMinor).front().accidental,
              ACC_NONE);
}

TEST(NoteViewHeads, HighlightOutranksChordTone) {
    TNote plain = note(0, 24, 60);
    TNote passing = note(60, 25, 60);
    passing.setChordingNote(false);
    TNote sounding = note(120, 26, 120);
    sounding.setChordingNote(false);
    TNoteList notes{plain, passing, sounding};
    notes[2].setHighlighted(true); // a copy never carries the highlight
    const TNoteViews views = buildNoteViews(notes, 0, 240, twoFour, cMajor);
    ASSERT_EQ(views.size(), 3u);
    EXPECT_EQ(views[0].head, HEAD_CHORD_TONE);
    EXPECT_EQ(views[1].head, HEAD_NON_CHORD_TONE);
    EXPECT_EQ(views[2].head, HEAD_HIGHLIGHTED);
}

TEST(NoteViewBeams, StemDirectionFollowsTheFartherPitch) {
    EXPECT_TRUE(beamStemsUp(22, 24, 22));  // below the treble middle line
    EXPECT_FALSE(beamStemsUp(28, 30, 28)); // above it
    EXPECT_TRUE(beamStemsUp(22, 28, 22));  // 2 above against 4 below
    EXPECT_FALSE(beamStemsUp(22, 29, 22)); // equal distance: down
    EXPECT_TRUE(beamStemsUp(10, 12, 10));  // bass staff, below its middle line
    EXPECT_FALSE(beamStemsUp(16, 18, 16));
}

TEST(NoteViewBeams, SecondaryBeamsAndStubs) {
    using B = TSecondaryBeam;
    EXPECT_EQ(secondaryBeams({60, 60}), std::vector<B>{});
    EXPECT_EQ(secondaryBeams({30, 30, 30, 30}),
              (std::vector<B>{{0, B::Full}, {1, B::Full}, {2, B::Full}}));
    EXPECT_EQ(secondaryBeams({90, 30}), (std::vector<B>{{1, B::StubLeft}}));
    EXPECT_EQ(secondaryBeams({30, 90}), (std::vector<B>{{0, B::StubRight}}));
    EXPECT_EQ(secondaryBeams({30, 60, 30}), (std::vector<B>{{0, B::StubRight}, {2, B::StubLeft}}));
    EXPECT_EQ(secondaryBeams({60, 30, 30}), (std::vector<B>{{1, B::Full}}));
    EXPECT_EQ(secondaryBeams({60, 30, 60}), (std::vector<B>{{1, B::StubRight}}));
}

} // namespace
