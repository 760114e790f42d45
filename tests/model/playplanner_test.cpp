// The play planner's rule for the chord at a motive boundary, checked on its units.

#include "model/playplanner.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

const TKey cMajor(0, MAJOR);
const TMeasure twoFour(2, 120);
const TMeasure threeFour(3, 120);
const TVoices C{28, 23, 19, 7};
const TVoices G{29, 25, 22, 11};
const TVoices F{28, 24, 20, 10}; // shares its soprano with C

TChord chordAt(int time, const TVoices& voices) {
    TChord chord;
    chord.setTime(time);
    chord.setVoices(voices);
    return chord;
}

TMotive motive(const TMeasure& measure, int zatakt, const std::vector<TChord>& chords) {
    TMotive m(cMajor, measure, static_cast<std::int16_t>(zatakt));
    m.setNotes({TNote(zatakt == 0 ? 0 : measure.ticksPerMeasure() - zatakt, 21, 30)});
    m.setChords(chords);
    return m;
}

// A chord event as the test reads it: time, on or off, and the chord it belongs to.
using ChordEvent = std::tuple<int, bool, TVoices>;

// The chord events of the units, whole chords only (four units in a row at one time).
std::vector<ChordEvent> chordEvents(const std::vector<TPlayUnit>& units) {
    std::vector<ChordEvent> out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const TPlayUnit& u = units[i];
        if (u.channel != CHORD_CHANNEL) {
            continue;
        }
        EXPECT_LE(i + 4, units.size());
        if (i + 4 > units.size()) {
            break;
        }
        TVoices voices{};
        for (int v = 0; v < 4; ++v) {
            const TPlayUnit& part = units[i + static_cast<std::size_t>(v)];
            EXPECT_EQ(part.time, u.time);
            EXPECT_EQ(part.isOn, u.isOn);
            EXPECT_EQ(part.channel, v == BASS ? BASS_CHANNEL : CHORD_CHANNEL);
            voices[static_cast<std::size_t>(v)] = [&] {
                for (int p = 0; p < 42; ++p) {
                    if (cMajor.midiNote(p) == part.note) {
                        return p;
                    }
                }
                return -1;
            }();
        }
        out.emplace_back(u.time, u.isOn != 0, voices);
        i += 3;
    }
    return out;
}

// Everything the planner produced for the motives, in order, with the final pending units.
std::vector<TPlayUnit> planAll(const std::vector<TMotive>& motives, bool withPulse = false) {
    TPlayPlanner planner(withPulse);
    std::vector<TPlayUnit> all;
    for (const TMotive& m : motives) {
        const auto units = planner.queue(m, nullptr);
        all.insert(all.end(), units.begin(), units.end());
    }
    all.insert(all.end(), planner.pending().begin(), planner.pending().end());
    return all;
}

} // namespace

TEST(PlayPlanner, AcrossAnUpbeatTheSameChordIsHeldUntilTheNextBarLine) {
    // 3/4 with a quarter of upbeat: the first motive spans 0..600, the second joins at base 360.
    const auto all = planAll({motive(threeFour, 120, {chordAt(0, G), chordAt(360, C)}),
                              motive(threeFour, 120, {chordAt(0, C), chordAt(360, G)})});
    const std::vector<ChordEvent> want = {
        {240, true, G},  {360, false, G}, {360, true, C}, // first motive, from its pickup
        {720, false, C}, {720, true, G},                  // C sounded on through 600
        {960, false, G}};
    EXPECT_EQ(chordEvents(all), want);
}

TEST(PlayPlanner, AcrossAnUpbeatAnotherChordIsStruckWhereThePreviousMotiveEnds) {
    const auto all = planAll({motive(threeFour, 120, {chordAt(0, G), chordAt(360, C)}),
                              motive(threeFour, 120, {chordAt(0, F), chordAt(360, G)})});
    const std::vector<ChordEvent> want = {{240, true, G},  {360, false, G}, {360, true, C},
                                          {600, false, C}, {600, true, F},  {720, false, F},
                                          {720, true, G},  {960, false, G}};
    EXPECT_EQ(chordEvents(all), want);
}

TEST(PlayPlanner, WithoutUpbeatEvenTheSameChordIsStruckAgainAtTheBoundary) {
    const auto all = planAll({motive(twoFour, 0, {chordAt(0, C)}),
                              motive(twoFour, 0, {chordAt(0, C)}), motive(twoFour, 0, {})});
    // The third motive has no chord: it releases the one that sounds.
    const std::vector<ChordEvent> want = {
        {0, true, C}, {240, false, C}, {240, true, C}, {480, false, C}};
    EXPECT_EQ(chordEvents(all), want);
}

TEST(PlayPlanner, TheLastChordSoundsPastTheLastMotiveUntilTheNextOneDecides) {
    TPlayPlanner planner(false);
    const auto first = planner.queue(motive(twoFour, 0, {chordAt(0, C)}), nullptr);
    EXPECT_EQ(chordEvents(first), (std::vector<ChordEvent>{{0, true, C}}));
    EXPECT_EQ(chordEvents(planner.pending()), (std::vector<ChordEvent>{{240, false, C}}));
    const auto second = planner.queue(motive(twoFour, 0, {chordAt(0, G)}), nullptr);
    EXPECT_EQ(chordEvents(second), (std::vector<ChordEvent>{{240, false, C}, {240, true, G}}));
    EXPECT_EQ(chordEvents(planner.takePending()), (std::vector<ChordEvent>{{480, false, G}}));
    EXPECT_TRUE(planner.pending().empty());
}

TEST(PlayPlanner, AChangedUpbeatReleasesTheChordAndStartsAtTheNextBarLine) {
    // The upbeat motive ends at 600, inside the measure from 360: the next one starts at 720.
    const auto all = planAll({motive(threeFour, 120, {chordAt(0, C), chordAt(360, G)}),
                              motive(threeFour, 0, {chordAt(0, G)})});
    const std::vector<ChordEvent> want = {{240, true, C},  {360, false, C}, {360, true, G},
                                          {720, false, G}, {720, true, G},  {1080, false, G}};
    EXPECT_EQ(chordEvents(all), want);
}

TEST(PlayPlanner, AnUpbeatMotiveWithOneChordLeavesNothingToHoldOrRelease) {
    // Its only chord ends at its own bar line, so the next motive finds no last chord.
    const auto all = planAll({motive(threeFour, 120, {chordAt(0, C)}),
                              motive(threeFour, 120, {chordAt(0, C), chordAt(360, G)})});
    const std::vector<ChordEvent> want = {{240, true, C},  {360, false, C}, {600, true, C},
                                          {720, false, C}, {720, true, G},  {960, false, G}};
    EXPECT_EQ(chordEvents(all), want);
}

TEST(PlayPlanner, ThePulseRunsFromWhereThePreviousMotiveEnded) {
    TPlayPlanner planner(true);
    TMotive first = motive(threeFour, 120, {chordAt(0, C), chordAt(360, G)});
    planner.queue(first, nullptr);
    const auto second = planner.queue(first, nullptr);
    std::vector<int> pulseOn;
    for (const TPlayUnit& u : second) {
        if (u.channel == PULSE_CHANNEL && u.isOn) {
            pulseOn.push_back(u.time);
        }
    }
    ASSERT_FALSE(pulseOn.empty());
    EXPECT_EQ(pulseOn.front(), 600);
    EXPECT_EQ(pulseOn.back(), 930);
    EXPECT_EQ(planner.offset(), 960);
}

TEST(PlayPlanner, AMotiveThatJoinsNoChordStrikesItsFirstChordWithItsPickup) {
    // The first motive, and one after a changed upbeat: the chord waits for the melody.
    const auto all = planAll({motive(threeFour, 0, {chordAt(0, C)}),
                              motive(threeFour, 120, {chordAt(0, G), chordAt(360, C)})});
    const std::vector<ChordEvent> want = {{0, true, C},    {360, false, C}, {600, true, G},
                                          {720, false, G}, {720, true, C},  {960, false, C}};
    EXPECT_EQ(chordEvents(all), want);
    const auto alone = planAll({motive(threeFour, 60, {chordAt(0, F)})});
    EXPECT_EQ(chordEvents(alone), (std::vector<ChordEvent>{{300, true, F}, {360, false, F}}));
}
