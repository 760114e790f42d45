#include "enginetesthelpers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>

namespace {

const TMeasure FOUR_FOUR(4, 120);

class TNotifyCounter : public TMotiveListener {
public:
    void motiveChanged() override { ++count; }
    int count = 0;
};

// A motive with one chord per measure.
TMotive harmonised(const TKey& key, const TMeasure& measure, int upbeat, const std::string& first,
                   const std::string& second = "DOMINANT_THREE_CHORD") {
    TMotive motive(key, measure, static_cast<std::int16_t>(upbeat));
    TChordList chords{chordAt(first, 0)};
    if (upbeat > 0)
        chords.push_back(chordAt(second, measure.ticksPerMeasure()));
    motive.chords() = chords;
    return motive;
}

std::vector<int> pitchesOf(const TMotive& motive) {
    std::vector<int> out;
    for (const TNote& n : motive.notes())
        out.push_back(n.pitch());
    return out;
}

TEST(GenerateMotive, InOrderRhythmWithRests) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setDurations({120, -120}, true, false);
    TMotive motive = harmonised(TKey(), FOUR_FOUR, 0, "TONIC_THREE_CHORD");
    scheme.generateMotive(motive, {});
    ASSERT_EQ(motive.notes().size(), 2u);
    EXPECT_EQ(motive.notes()[0].time(), 0);
    EXPECT_EQ(motive.notes()[1].time(), 240);
    EXPECT_EQ(motive.notes()[1].duration(), 120);
}

TEST(GenerateMotive, InOrderRhythmTruncatesAtTheUpbeatWithoutAdvancing) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setDurations({240, 240}, true, false);
    TMotive motive = harmonised(TKey(), FOUR_FOUR, 120, "TONIC_THREE_CHORD");
    scheme.generateMotive(motive, {});
    ASSERT_EQ(motive.notes().size(), 3u);
    EXPECT_EQ(motive.notes()[0], TNote(360, motive.notes()[0].pitch(), 120));
    EXPECT_EQ(motive.notes()[1], TNote(480, motive.notes()[1].pitch(), 240));
    EXPECT_EQ(motive.notes()[2], TNote(720, motive.notes()[2].pitch(), 120));
}

TEST(GenerateMotive, WithoutBeaconsPartsStartAtTwentyOneAndClimb) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setDurations({60}, true, false);
    scheme.setTurns({CHORD_LEAP_1}, true, false);
    TMotive motive = harmonised(TKey(), FOUR_FOUR, 240, "TONIC_THREE_CHORD");
    scheme.generateMotive(motive, {});
    // Tonic C E G from 22 (E), then dominant G B D from 21 (D).
    EXPECT_EQ(pitchesOf(motive), (std::vector<int>{22, 24, 27, 29, 21, 24, 26, 28}));
}

TEST(GenerateMotive, BeaconsSteerDirectionAndAnchor) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setDurations({120}, true, false);
    scheme.setTurns({CHORD_LEAP_1}, true, false);
    TMotive motive = harmonised(TKey(), FOUR_FOUR, 0, "TONIC_THREE_CHORD");
    // Start near 27, fall towards 15 until the beacon at 300, then rise to the last one.
    scheme.generateMotive(motive, {TLight(0, 27), TLight(300, 15), TLight(480, 40)});
    EXPECT_EQ(pitchesOf(motive), (std::vector<int>{27, 24, 22, 24}));
}

TEST(GenerateMotive, AppoggiaturaAtTheLastNoteLeavesItsFirstNote) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setDurations({240}, true, false);
    scheme.setTurns({APPOGGIATURA}, false, false);
    TMotive motive = harmonised(TKey(), FOUR_FOUR, 0, "TONIC_THREE_CHORD");
    scheme.generateMotive(motive, {});
    EXPECT_EQ(pitchesOf(motive), (std::vector<int>{22, 25}));
    EXPECT_FALSE(motive.notes()[1].chordingNote());
}

TEST(GenerateMotive, FailingTurnsRepeatAndFarAnchorsStayInRange) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setDurations({120}, true, false);
    scheme.setTurns({CHORD_LEAP_1, CHORD_LEAP_2}, false, false);
    TMotive motive = harmonised(TKey(), FOUR_FOUR, 0, "TONIC_THREE_CHORD");
    scheme.generateMotive(motive, {TLight(0, 41), TLight(480, 41)});
    EXPECT_EQ(pitchesOf(motive), (std::vector<int>{34, 34, 34, 34}));

    TMotive low = harmonised(TKey(), FOUR_FOUR, 0, "TONIC_THREE_CHORD");
    scheme.generateMotive(low, {TLight(0, 0), TLight(480, 0)});
    EXPECT_EQ(pitchesOf(low), (std::vector<int>{13, 13, 13, 13}));
}

TEST(GenerateMotive, StartPitch) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    const TChord tonic = chordOfType("TONIC_THREE_CHORD");
    EXPECT_EQ(scheme.startPitch(tonic, 21), 22);
    EXPECT_EQ(scheme.startPitch(tonic, 22), 22);
    EXPECT_EQ(scheme.startPitch(tonic, 35), 34);
    EXPECT_EQ(scheme.startPitch(tonic, 39), 34);
    EXPECT_EQ(scheme.startPitch(tonic, 2), 13);
    // Nothing at or above 42: the middle chord tone.
    const std::vector<int> tones = tonic.chordTones(TKey());
    EXPECT_EQ(scheme.startPitch(tonic, 42), tones[tones.size() / 2]);
}

TEST(GenerateMotive, EmptySchemesGiveOneRepeatedNotePerPart) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setDurations({}, false, false);
    scheme.setTurns({}, true, false);
    TMotive motive = harmonised(TKey(), FOUR_FOUR, 120, "TONIC_THREE_CHORD");
    scheme.generateMotive(motive, {});
    ASSERT_EQ(motive.notes().size(), 2u);
    EXPECT_EQ(motive.notes()[0].duration(), 120);
    EXPECT_EQ(motive.notes()[1].duration(), 360);

    // An empty in-order scheme, and one of zeros, behave the same instead of stalling.
    for (const TDurations& odd : {TDurations{}, TDurations{0, 0}}) {
        scheme.setDurations(odd, true, false);
        TMotive again = harmonised(TKey(), FOUR_FOUR, 0, "TONIC_THREE_CHORD");
        scheme.generateMotive(again, {});
        ASSERT_EQ(again.notes().size(), 1u);
        EXPECT_EQ(again.notes()[0].duration(), 480);
    }
}

TEST(GenerateMotive, MarksLeadingTonesAndNotifiesOnce) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setDurations({60}, true, false);
    scheme.setTurns({PASSING}, true, false);
    const TKey aMinor(0, MINOR);
    TMotive motive = harmonised(aMinor, FOUR_FOUR, 0, "DOMINANT_THREE_CHORD");
    TNotifyCounter counter;
    motive.setListener(&counter);
    scheme.generateMotive(motive, {});
    EXPECT_EQ(counter.count, 1);
    bool sawSharp = false;
    for (const TNote& n : motive.notes()) {
        EXPECT_EQ(n.sign(), aMinor.isRaisedSeventh(n.pitch()) ? 1 : 0);
        sawSharp = sawSharp || n.sign() == 1;
    }
    EXPECT_TRUE(sawSharp);
}

TEST(RegenerateMotive, FollowsTheGivenDesign) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setDurations({240}, true, false);
    TMotive motive = harmonised(TKey(), FOUR_FOUR, 240, "TONIC_THREE_CHORD");
    scheme.regenerateMotive({60, -60, 120},
                            {{CHORD_LEAP_1, false}, {NEIGHBOUR, true}, {CHORD_LEAP_3, true}},
                            {TLight(240, 27), TLight(480, 17)}, motive);
    // Part one [240, 480): 60, rest 60, 120; part two [480, 720): 60, rest 60, 120.
    std::vector<int> times;
    for (const TNote& n : motive.notes())
        times.push_back(n.time());
    EXPECT_EQ(times, (std::vector<int>{240, 360, 480, 600}));
    // 27 down one chord tone; then D from beacon 17 (dominant), neighbour up returns only at
    // a third note, so the part ends on the neighbour.
    EXPECT_EQ(pitchesOf(motive), (std::vector<int>{27, 24, 17, 18}));
    EXPECT_EQ(scheme.durationCursor(), 0);
}

// generateMotive over random keys, meters, upbeats, chords, schemes and contours.
TEST(GenerateMotive, InvariantsOverManyDraws) {
    const TMeasure meters[] = {TMeasure(2, 120), TMeasure(3, 120), FOUR_FOUR, TMeasure(6, 60)};
    TRandomGenerator draws;
    TScheme scheme(draws);
    for (int round = 0; round < 600; ++round) {
        const TKey key(draws.draw(15) - 7, draws.draw(2) == 0 ? MAJOR : MINOR);
        const TMeasure& meter = meters[draws.draw(4)];
        const int length = meter.ticksPerMeasure();
        const int upbeat = draws.draw(2) == 0 ? 0 : 30 * (1 + draws.draw(length / 30 - 1));
        scheme.setUpbeat(static_cast<std::int16_t>(upbeat));
        scheme.runCommand(draws.draw(20), meter, scheme.durationsInOrder());
        scheme.runCommand(20 + draws.draw(20), meter, scheme.turnsInOrder());
        if (draws.draw(5) == 0)
            scheme.setDurations(scheme.durations(), !scheme.durationsInOrder(), false);
        const TChordList& pool = scheme.chords();
        TMotive motive(key, meter, static_cast<std::int16_t>(upbeat));
        for (int m = 0; m < motive.measureCount(); ++m)
            motive.chords().push_back(
                chordAt(pool[std::size_t(draws.draw(int(pool.size())))].name(), m * length));
        TLights beacons;
        for (int t = motive.upbeatStart(); t < motive.end(); t += 30 * (1 + draws.draw(8)))
            beacons.emplace_back(t, draws.draw(42));
        scheme.generateMotive(motive, beacons);

        const TNoteList& notes = motive.notes();
        const bool restless = !containsRest(scheme.durations()) || !scheme.durationsInOrder();
        for (const TMeasurePart& part : measureParts(length, upbeat)) {
            const TChord* chord = motive.chordOfMeasureAt(part.from);
            ASSERT_NE(chord, nullptr);
            int t = part.from;
            bool first = true;
            for (const TNote& n : notes) {
                if (n.time() < part.from || n.time() >= part.to)
                    continue;
                ASSERT_GE(n.time(), t) << "overlap in round " << round;
                if (restless) {
                    EXPECT_EQ(n.time(), t) << "gap in round " << round;
                }
                EXPECT_GT(n.duration(), 0);
                EXPECT_EQ(n.time() % 30, 0);
                EXPECT_EQ(n.duration() % 30, 0);
                EXPECT_TRUE(isInMelodyRange(n.pitch())) << n.pitch();
                EXPECT_EQ(n.sign(), key.isRaisedSeventh(n.pitch()) ? 1 : 0);
                EXPECT_EQ(n.chordingNote(), chord->isChordTone(key, n.pitch()))
                    << "round " << round << " pitch " << n.pitch();
                if (first) {
                    EXPECT_TRUE(chord->isChordTone(key, n.pitch()));
                }
                first = false;
                t = n.end();
            }
            EXPECT_LE(t, part.to);
            if (restless) {
                EXPECT_EQ(t, part.to) << "round " << round;
            }
        }
    }
}

TEST(GenerateMotive, ExactSequenceFromTheInitialGeneratorState) {
    TRandomGenerator draws;
    TScheme scheme(draws); // default schemes: set mode, all durations, all turns
    TMotive motive = harmonised(TKey(), FOUR_FOUR, 0, "TONIC_THREE_CHORD");
    scheme.generateMotive(motive, {TLight(0, 20), TLight(240, 27), TLight(480, 17)});
    std::vector<int> flat;
    for (const TNote& n : motive.notes()) {
        flat.push_back(n.time());
        flat.push_back(n.pitch());
        flat.push_back(n.duration());
    }
    EXPECT_EQ(flat,
              (std::vector<int>{0, 20, 90, 90, 23, 90, 180, 22, 210, 390, 22, 60, 450, 19, 30}));
}

TEST(NoteCandidates, EmptyPitchSchemeOffersTheWholeRange) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setTurns({}, false, false);
    variant_set candidates;
    const TChord tonic = chordOfType("TONIC_THREE_CHORD");
    scheme.noteCandidates({TNote(), TNote(), TNote()}, tonic, false, false, false, candidates,
                          FOUR_FOUR, TKey(), 0, 480);
    ASSERT_EQ(candidates.size(), 22u);
    for (const TScVariant& v : candidates) {
        EXPECT_TRUE(isInMelodyRange(v.pitch));
        EXPECT_EQ(v.chordTone, tonic.isChordTone(TKey(), v.pitch));
        EXPECT_EQ(v.turnIndex, -1);
        EXPECT_EQ(v.durations, (TDurations{30, 60, 90, 120, 150, 180, 210, 240}));
    }
}

TEST(NoteCandidates, OfferedRestIsCutToTheRoom) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setDurations({-240, 120}, true, false);
    variant_set candidates;
    const TChord tonic = chordOfType("TONIC_THREE_CHORD");
    scheme.noteCandidates({}, tonic, false, false, false, candidates, FOUR_FOUR, TKey(), 360, 480);
    ASSERT_EQ(candidates.size(), 1u);
    EXPECT_EQ(candidates.begin()->pitch, 24);
    EXPECT_EQ(candidates.begin()->durations, (TDurations{-120}));
    EXPECT_EQ(candidates.begin()->durationIndex, -1);

    scheme.noteCandidates({}, tonic, false, false, false, candidates, FOUR_FOUR, TKey(), 0, 480);
    ASSERT_EQ(candidates.size(), 1u);
    EXPECT_EQ(candidates.begin()->durations, (TDurations{-240}));
    EXPECT_EQ(candidates.begin()->durationIndex, 0);

    // The next duration is the note of 120.
    scheme.noteCandidates({TNote(0, 20, 240)}, tonic, false, true, true, candidates, FOUR_FOUR,
                          TKey(), 240, 480);
    ASSERT_FALSE(candidates.empty());
    for (const TScVariant& v : candidates) {
        EXPECT_EQ(v.durations, (TDurations{120}));
        EXPECT_EQ(v.durationIndex, 1);
        EXPECT_TRUE(v.chordTone);
    }
}

TEST(NoteCandidates, TheFirstTurnToProposeAPitchKeepsIt) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setTurns({REPETITION, CHORD_LEAP_1, CHORD_LEAP_1, NEIGHBOUR}, false, false);
    scheme.setDurations({60, 120}, false, false);
    variant_set candidates;
    const TChord tonic = chordOfType("TONIC_THREE_CHORD");
    const TTurnVector pre{TNote(0, 20, 60), TNote(), TNote()};
    scheme.noteCandidates(pre, tonic, false, false, false, candidates, FOUR_FOUR, TKey(), 60, 150);
    std::map<int, TScVariant> byPitch;
    for (const TScVariant& v : candidates)
        byPitch[v.pitch] = v;
    ASSERT_EQ(byPitch.size(), 5u);
    EXPECT_EQ(byPitch[20].turnIndex, 0);
    EXPECT_EQ(byPitch[22].turnIndex, 1);
    EXPECT_EQ(byPitch[17].turnIndex, 1);
    EXPECT_EQ(byPitch[21].turnIndex, -1);
    EXPECT_FALSE(byPitch[21].chordTone);
    EXPECT_EQ(byPitch[19].turnIndex, -1);
    EXPECT_EQ(byPitch[20].durations, (TDurations{60}));
}

TEST(NoteCandidates, TurnMakersAfterNonChordNotes) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    scheme.setDurations({}, false, false);
    const TChord tonic = chordOfType("TONIC_THREE_CHORD");
    variant_set candidates;
    auto offered = [&](TURN_ROUND turn, const TTurnVector& pre) {
        scheme.setTurns({turn}, true, false);
        scheme.noteCandidates(pre, tonic, false, false, false, candidates, FOUR_FOUR, TKey(), 120,
                              480);
        std::set<int> pitches;
        for (const TScVariant& v : candidates)
            pitches.insert(v.pitch);
        return pitches;
    };
    TNote d(90, 21, 30);
    d.setChordingNote(false);
    const TNote c(60, 20, 30);
    // After C then the non-chord D: the neighbour returns, the passing note goes on to E, the
    // escape leaps two chord tones from D, the double neighbour crosses to B.
    EXPECT_EQ(offered(NEIGHBOUR, {d, c, TNote()}), (std::set<int>{20}));
    EXPECT_EQ(offered(PASSING, {d, c, TNote()}), (std::set<int>{22}));
    EXPECT_EQ(offered(ESCAPE, {d, c, TNote()}), (std::set<int>{24, 17}));
    EXPECT_EQ(offered(DOUBLE_NEIGHBOUR, {d, c, TNote()}), (std::set<int>{19}));
    // A chord leap after a non-chord note proposes nothing, so the chord tones are offered.
    EXPECT_EQ(offered(CHORD_LEAP_1, {d, c, TNote()}),
              (std::set<int>{13, 15, 17, 20, 22, 24, 27, 29, 31, 34}));
    // After a chord note that ends the measure the neighbour figures do not start.
    const TNote closing(360, 22, 120);
    EXPECT_EQ(offered(APPOGGIATURA, {TNote(0, 22, 120), TNote(), TNote()}),
              (std::set<int>{25, 19}));
    EXPECT_EQ(offered(APPOGGIATURA, {closing, TNote(), TNote()}).count(25), 0u);
}

TEST(NoteCandidates, NoPitchTwiceAndDurationsFitTheRoom) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    variant_set candidates;
    for (int round = 0; round < 500; ++round) {
        const TKey key(draws.draw(15) - 7, draws.draw(2) == 0 ? MAJOR : MINOR);
        scheme.runCommand(draws.draw(20), FOUR_FOUR, scheme.durationsInOrder());
        scheme.runCommand(20 + draws.draw(20), FOUR_FOUR, scheme.turnsInOrder());
        const TChord chord = scheme.chords()[std::size_t(draws.draw(21))];
        TTurnVector pre;
        for (int i = 0; i < 3; ++i) {
            TNote n(0, 13 + draws.draw(22), 30 * (1 + draws.draw(4)));
            n.setChordingNote(draws.draw(2) == 0);
            pre.push_back(n);
        }
        const int from = 30 * draws.draw(16);
        scheme.noteCandidates(pre, chord, draws.draw(2) == 0, draws.draw(2) == 0,
                              draws.draw(4) == 0, candidates, FOUR_FOUR, key, from, 480);
        std::set<int> seen;
        ASSERT_FALSE(candidates.empty());
        for (const TScVariant& v : candidates) {
            EXPECT_TRUE(seen.insert(v.pitch).second);
            ASSERT_FALSE(v.durations.empty());
            for (DURATION dur : v.durations) {
                EXPECT_LE(std::abs(dur), 480 - from);
                EXPECT_NE(dur, 0);
            }
            if (v.durations.front() > 0) {
                EXPECT_TRUE(isInMelodyRange(v.pitch));
                EXPECT_EQ(v.sign, key.isRaisedSeventh(v.pitch));
            }
        }
    }
}

} // namespace
