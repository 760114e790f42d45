#pragma once

#include "model/duration.h"
#include "model/key.h"
#include "model/measure.h"
#include "model/note.h"
#include "model/pitch.h"

#include <cstdint>
#include <vector>

// How a note view is drawn.
enum TNoteViewKind : int {
    NV_SINGLE = 0,
    NV_BEAMED = 1, // member of a beamed group
    NV_TIED = 2,   // member of a tie chain
};

// Head variants: the non-chord tone and the sounding note look different.
enum TNoteHeadKind : std::uint8_t {
    HEAD_CHORD_TONE = 0,
    HEAD_NON_CHORD_TONE = 1,
    HEAD_HIGHLIGHTED = 2,
};

// One drawable item of a measure picture: a note, a tie member or a written rest.
struct TNoteView {
    int pitch = NO_PITCH;                // NO_PITCH for a rest
    std::uint8_t accidental = ACC_NONE;  // TAccidental code
    DURATION duration = 0;               // ticks, always positive
    int kind = NV_SINGLE;                // TNoteViewKind
    int position = 0;                    // place in its group or chain, see below
    std::uint8_t head = HEAD_CHORD_TONE; // TNoteHeadKind
    int time = 0;                        // onset, on the clock of the notes

    bool isRest() const { return pitch == NO_PITCH; }
    // In a beamed group the first member's position holds the group size - 1 and the others
    // their index in the group. In a tie chain the first member has 1, the last 0 and any
    // member between them 2.
    bool operator==(const TNoteView&) const = default;
};

using TNoteViews = std::vector<TNoteView>;

// The staff a pitch is written on: treble above index 19, bass below.
inline constexpr bool onTrebleStaff(int pitch) {
    return pitch > 19;
}

// The rest lengths that have a glyph, largest first.
inline constexpr int DRAWABLE_RESTS[] = {480, 240, 180, 120, 90, 60, 30};

// Builds the views of one measure picture from time-ordered notes: the notes starting in
// [start, end) become singles, beamed groups and tie chains, the empty time between them rests.
// With a leading gap (the part of an upbeat motive's first measure before the upbeat), the
// time from start to start + leadingGap is written as rests first.
TNoteViews buildNoteViews(const TNoteList& notes, int start, int end, const TMeasure& meter,
                          const TKey& key, int leadingGap = 0);

// The end of the measure picture that starts at `start`: the bar line or the motive's end.
inline int measurePictureEnd(int start, const TMeasure& meter, int motiveEnd) {
    const int barEnd = start + meter.ticksPerMeasure();
    return barEnd < motiveEnd ? barEnd : motiveEnd;
}

// Beamed groups: one stem direction for every member, chosen by how far the highest and
// lowest pitch lie from the middle line of the staff the group starts on.
bool beamStemsUp(int firstPitch, int highestPitch, int lowestPitch);

// A piece of secondary (sixteenth) beam within a beamed group, by member index.
struct TSecondaryBeam {
    enum Shape { Full, StubRight, StubLeft };
    int member = 0; // Full: from member to member + 1; stubs: at member's stem
    Shape shape = Full;
    bool operator==(const TSecondaryBeam&) const = default;
};

// The secondary beams of a group with the given member durations: a full beam between each
// two consecutive sixteenths, a stub on a sixteenth with no sixteenth beside it.
std::vector<TSecondaryBeam> secondaryBeams(const std::vector<int>& durations);
