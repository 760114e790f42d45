// The motive player's schedule, driven tick by tick into a recording back end.

#include "playbacktesting.h"

#include "model/period.h"
#include "model/tempo.h"
#include "playback/motiveplayer.h"
#include "playback/playbacktiming.h"
#include "playback/recordingbackend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace playbacktest;

namespace {

const TKey cMajor(0, MAJOR);
const TMeasure twoFour(2, 120);
const TMeasure threeFour(3, 120);
const TVoices chordC{28, 23, 19, 7};
const TVoices chordG{29, 25, 22, 11};

int midi(int pitch) {
    return cMajor.midiNote(pitch);
}

struct StopCounter : TMotivePlayerStopListener {
    int calls = 0;
    void playingStopped() override { ++calls; }
};

// An interactive player whose timer never runs: the test is the timer.
struct ManualRig {
    TRecordingBackend backend;
    TPlayer player{backend};
    TMotivePlayer motives{&player, true};
    StopCounter stops;
    // The timer event (from 1) on which each recorded message went out.
    std::vector<int> eventOf;
    int events = 0;

    ManualRig() {
        player.open(0);
        motives.setStopListener(&stops);
    }
    void tick() {
        motives.tick();
        ++events;
        eventOf.resize(backend.messageValues().size(), events);
    }
    // Ticks until the schedule has played out; returns the number of timer events used.
    int playOut(int limit = 10000) {
        const int before = stops.calls;
        while (stops.calls == before && events < limit) {
            tick();
        }
        return events;
    }
    std::vector<Msg> messages() const { return decodeAll(backend.messageValues()); }
};

std::vector<Msg> chordMsgs(const TVoices& v, bool isOn) {
    auto make = isOn ? on : off;
    return {make(1, midi(v[0]), 90), make(1, midi(v[1]), 90), make(1, midi(v[2]), 90),
            make(2, midi(v[3]), 110)};
}

void append(std::vector<Msg>& to, const std::vector<Msg>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

bool isChordMessage(const Msg& m) {
    const int channel = m.status & 0x0F;
    return channel == 1 || channel == 2;
}

// Indices of the messages sent on timer event `event`.
std::vector<Msg> sentOnEvent(const ManualRig& rig, int event) {
    std::vector<Msg> out;
    const auto all = rig.messages();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (rig.eventOf[i] == event) {
            out.push_back(all[i]);
        }
    }
    return out;
}

} // namespace

TEST(Scheduler, OneTwoFourMotivePlaysInOrderAndReleasesItsChordAfterTheLastPulse) {
    ManualRig rig;
    rig.motives.play(
        makeMotive(twoFour, 0, {{0, 21, 120}, {120, 22, 120}}, {voicedChord(0, chordC)}, 7),
        nullptr);
    EXPECT_EQ(rig.motives.queuedCount(), 1);
    EXPECT_EQ(rig.playOut(), 17); // the last events sit at tick 240: event 240 / 15 + 1

    std::vector<Msg> want = chordMsgs(chordC, true);
    append(want, {on(9, 62, 100), on(0, midi(21), 110)});
    for (int c = 30; c < 240; c += 30) {
        const int prev = c - 30 == 0 ? 62 : 60;
        const int prevVelocity = c - 30 == 0 ? 100 : 80;
        want.push_back(off(9, prev, prevVelocity));
        if (c == 120) {
            want.push_back(off(0, midi(21), 110));
        }
        want.push_back(on(9, 60, 80));
        if (c == 120) {
            want.push_back(on(0, midi(22), 105)); // not on a bar line
        }
    }
    append(want, {off(9, 60, 80), off(0, midi(22), 105)});
    append(want, chordMsgs(chordC, false)); // the pending note-offs, right after the pulse
    EXPECT_EQ(rig.messages(), want);

    EXPECT_EQ(rig.stops.calls, 1);
    EXPECT_EQ(rig.motives.queuedCount(), 0);
    EXPECT_TRUE(rig.motives.allUnits().empty());
    EXPECT_EQ(rig.motives.clock(), 0);
    rig.tick(); // an idle player ignores further timer events
    EXPECT_EQ(rig.messages().size(), want.size());
    EXPECT_EQ(rig.stops.calls, 1);
}

TEST(Scheduler, EveryEventGoesOutOnTimerEventTickOver15PlusOne) {
    ManualRig rig;
    rig.motives.play(
        makeMotive(TMeasure(4, 120), 0, {{0, 21, 120}, {120, 22, 60}, {180, 23, 300}}, {}),
        nullptr);
    rig.playOut();
    // Melody: on at 0, 120, 180; off at 120, 180, 480. A quarter note spans 8 events.
    std::vector<std::pair<int, Msg>> melody;
    const auto all = rig.messages();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if ((all[i].status & 0x0F) == 0) {
            melody.emplace_back(rig.eventOf[i], all[i]);
        }
    }
    const std::vector<std::pair<int, Msg>> want{
        {1, on(0, midi(21), 110)},   {9, off(0, midi(21), 110)}, {9, on(0, midi(22), 105)},
        {13, off(0, midi(22), 105)}, {13, on(0, midi(23), 105)}, {33, off(0, midi(23), 105)}};
    EXPECT_EQ(melody, want);
    EXPECT_EQ(rig.events, 33); // tick 480 of a 4/4 measure: 3.3 s at tempo 100
}

TEST(Scheduler, TheMetronomeMarkShownIsTheSpeedTheTimerPlays) {
    ManualRig rig;
    rig.motives.play(makeMotive(twoFour, 0, {{0, 21, 120}, {120, 22, 120}}, {}), nullptr);
    rig.playOut();
    std::vector<int> noteOns;
    const auto all = rig.messages();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].status == 0x90) {
            noteOns.push_back(rig.eventOf[i]);
        }
    }
    ASSERT_EQ(noteOns.size(), 2u);
    const int eventsPerQuarter = noteOns[1] - noteOns[0];
    // Each timer event lasts the interval the player sets for the tempo.
    for (int tempo : {1, 50, DEFAULT_TEMPO, 150, 199}) {
        const int quarterMs = eventsPerQuarter * timerIntervalForTempo(tempo);
        EXPECT_EQ(quarterMs, quarterNoteMilliseconds(tempo)) << tempo;
        EXPECT_EQ(metronomeMark(tempo), std::lround(60000.0 / quarterMs)) << tempo;
    }
}

TEST(Scheduler, UpbeatMotivesHoldAChordThatContinuesAcrossTheBoundary) {
    ManualRig rig;
    auto first = makeMotive(threeFour, 120, {{240, 21, 120}, {360, 22, 240}},
                            {voicedChord(0, chordG), voicedChord(360, chordC)}, 1);
    auto second = makeMotive(threeFour, 120, {{240, 23, 120}, {360, 24, 240}},
                             {voicedChord(0, chordC), voicedChord(360, chordG)}, 2);
    rig.motives.play(first, nullptr);
    rig.motives.play(second, nullptr);

    // The second motive joins at base 360: its upbeat note sounds at 600, where the first ended.
    const auto units = rig.motives.allUnits();
    auto upbeatNote = std::find_if(units.begin(), units.end(), [](const TPlayUnit& u) {
        return u.motiveId == 2 && u.noteIndex == 0 && u.isOn;
    });
    ASSERT_NE(upbeatNote, units.end());
    EXPECT_EQ(upbeatNote->time, 600);
    for (const TPlayUnit& u : units) {
        if (u.channel == 1 || u.channel == 2) {
            EXPECT_NE(u.time, 600) << "the held chord is neither released nor struck again";
        }
    }

    rig.playOut();
    EXPECT_TRUE(std::ranges::none_of(sentOnEvent(rig, 600 / 15 + 1), isChordMessage));
    // The held C chord ends at 720, where the G chord starts; G ends with the piece.
    std::vector<Msg> at720 = chordMsgs(chordC, false);
    append(at720, chordMsgs(chordG, true));
    std::vector<Msg> chordAt720;
    std::ranges::copy_if(sentOnEvent(rig, 720 / 15 + 1), std::back_inserter(chordAt720),
                         isChordMessage);
    EXPECT_EQ(chordAt720, at720);
    EXPECT_EQ(soundingTotal(rig.backend.messageValues()), 0);
    EXPECT_EQ(rig.stops.calls, 1);
}

TEST(Scheduler, UpbeatMotivesReStrikeAChordWithOtherVoices) {
    ManualRig rig;
    rig.motives.play(makeMotive(threeFour, 120, {{240, 21, 120}},
                                {voicedChord(0, chordC), voicedChord(360, chordG)}),
                     nullptr);
    rig.motives.play(makeMotive(threeFour, 120, {{240, 23, 120}},
                                {voicedChord(0, chordC), voicedChord(360, chordG)}),
                     nullptr);
    rig.playOut();
    std::vector<Msg> want = chordMsgs(chordG, false);
    append(want, chordMsgs(chordC, true));
    std::vector<Msg> chordAt600;
    std::ranges::copy_if(sentOnEvent(rig, 600 / 15 + 1), std::back_inserter(chordAt600),
                         isChordMessage);
    EXPECT_EQ(chordAt600, want);
    EXPECT_EQ(soundingTotal(rig.backend.messageValues()), 0);
}

TEST(Scheduler, AChangedUpbeatJoinsAtTheNextBarLine) {
    TMotivePlayer exporter;
    exporter.play(makeMotive(threeFour, 120, {{240, 21, 120}},
                             {voicedChord(0, chordC), voicedChord(360, chordG)}),
                  nullptr);
    // The first motive ends at 600, inside the measure from 360: the next one starts at 720.
    exporter.play(makeMotive(threeFour, 0, {{0, 22, 360}}, {voicedChord(0, chordC)}, 5), nullptr);
    const auto units = exporter.allUnits();
    auto note = std::find_if(units.begin(), units.end(),
                             [](const TPlayUnit& u) { return u.motiveId == 5 && u.isOn; });
    ASSERT_NE(note, units.end());
    EXPECT_EQ(note->time, 720);
    for (const TPlayUnit& u : units) {
        if (u.channel == 1 && u.note == midi(chordG[0])) {
            EXPECT_EQ(u.time, u.isOn ? 360 : 720) << "G is released where the next motive starts";
        }
    }
}

TEST(Scheduler, TheExportPlayerHasNoPulseAndNoTimer) {
    TMotivePlayer exporter;
    RecordingListener listener;
    exporter.play(makeMotive(twoFour, 0, {{0, 21, 240}}, {voicedChord(0, chordC)}, 3), &listener);
    EXPECT_FALSE(exporter.isPlaying());
    const auto units = exporter.allUnits();
    ASSERT_EQ(units.size(), 10u); // chord on, melody on, melody off, then the pending chord
    EXPECT_TRUE(std::ranges::none_of(units, [](const TPlayUnit& u) { return u.channel == 9; }));
    EXPECT_TRUE(std::ranges::none_of(units, [](const TPlayUnit& u) {
        return u.motiveStart || u.motiveEnd;
    })) << "motive marks belong to the pulse-driven player only";
    EXPECT_TRUE(std::ranges::is_sorted(units, playsBefore));
    EXPECT_EQ(units[4].listener, &listener);
    EXPECT_EQ(units[4].noteIndex, 0);
    EXPECT_EQ(units[4].motiveId, 3);
    EXPECT_EQ(exporter.stop(), 0);
}

TEST(Scheduler, PeriodUnitsFollowTheStripOrder) {
    TPeriodData period;
    period.sentences().resize(2);
    int id = 0;
    for (auto& sentence : period.sentences()) {
        sentence.phrases().emplace_back(2, 5, cMajor, twoFour, 0);
        for (TMotive& motive : sentence.phrases().back().motives()) {
            motive.setNotes({TNote(0, 20 + id, 240)});
            motive.setId(id++);
        }
    }
    std::vector<std::pair<int, int>> onsets;
    for (const TPlayUnit& u : periodPlayUnits(period)) {
        if (u.isOn) {
            onsets.emplace_back(u.motiveId, u.time);
        }
    }
    EXPECT_EQ(onsets, (std::vector<std::pair<int, int>>{{0, 0}, {1, 240}, {2, 480}, {3, 720}}));
}

TEST(Scheduler, UnitsAtOneTimeReleaseBeforeTheyStrike) {
    TMotivePlayer exporter;
    exporter.play(makeMotive(twoFour, 0, {{0, 21, 120}, {120, 21, 120}}, {}), nullptr);
    const auto units = exporter.allUnits();
    ASSERT_EQ(units.size(), 4u);
    EXPECT_EQ(units[1].time, 120);
    EXPECT_FALSE(units[1].isOn);
    EXPECT_TRUE(units[2].isOn);
    EXPECT_TRUE(units[1].matches(TPlayUnit{units[0].note, 0, 0, 110, 0}));
}

TEST(Scheduler, RestsNotesWithoutPitchAndUnvoicedChordsSoundNothing) {
    TMotivePlayer exporter;
    TChord unvoiced;
    exporter.play(makeMotive(twoFour, 0, {{0, NO_PITCH, 120}, {120, 21, -120}}, {unvoiced}),
                  nullptr);
    EXPECT_TRUE(exporter.allUnits().empty());
}
