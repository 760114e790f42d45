// Stopping, listeners and stuck notes: the motive player driven tick by tick.

#include "playbacktesting.h"

#include "playback/motiveplayer.h"
#include "playback/recordingbackend.h"

#include <gtest/gtest.h>

#include <random>

using namespace playbacktest;

namespace {

const TMeasure twoFour(2, 120);
const TMeasure threeFour(3, 120);
const TVoices chordC{28, 23, 19, 7};
const TVoices chordG{29, 25, 22, 11};

struct StopCounter : TMotivePlayerStopListener {
    int calls = 0;
    void playingStopped() override { ++calls; }
};

struct Rig {
    TRecordingBackend backend;
    TPlayer player{backend};
    TMotivePlayer motives{&player, true};
    StopCounter stops;
    Rig() {
        player.open(0);
        motives.setStopListener(&stops);
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            motives.tick();
        }
    }
    std::vector<std::uint32_t> sent() const { return backend.messageValues(); }
};

TMotive heldPair(int which) {
    // Two upbeat motives in 3/4 whose boundary chord is held (see the scheduler tests).
    return which == 0 ? makeMotive(threeFour, 120, {{240, 21, 120}, {360, 22, 240}},
                                   {voicedChord(0, chordG), voicedChord(360, chordC)}, 1)
                      : makeMotive(threeFour, 120, {{240, 23, 120}, {360, 24, 240}},
                                   {voicedChord(0, chordC), voicedChord(360, chordG)}, 2);
}

} // namespace

TEST(Stopping, InAHeldChordReleasesExactlyTheSoundingNotes) {
    Rig rig;
    rig.motives.play(heldPair(0), nullptr);
    rig.motives.play(heldPair(1), nullptr);
    rig.ticks(650 / 15 + 1); // into the second motive, C held since 360
    const auto before = rig.sent();
    const auto sounding = soundingCounts(before);
    int soundingNotes = 0;
    for (const auto& [key, count] : sounding) {
        soundingNotes += count;
    }
    const int c = TKey(0, MAJOR).midiNote(chordC[0]);
    EXPECT_EQ(sounding.at({1, c}), 1) << "the held chord sounds";

    const int released = rig.motives.stop();
    EXPECT_EQ(released, soundingNotes);
    const auto after = rig.sent();
    const std::vector<std::uint32_t> stopMessages(after.begin() + before.size(), after.end());
    for (const auto& [key, count] : sounding) {
        const auto released = soundingCounts(stopMessages);
        EXPECT_EQ(released.contains(key) ? -released.at(key) : 0, count)
            << "channel " << key.first << " note " << key.second;
    }
    bool negative = false;
    soundingCounts(after, &negative);
    EXPECT_FALSE(negative) << "no note-off for a note that never started";
    EXPECT_EQ(soundingTotal(after), 0);
    EXPECT_EQ(rig.stops.calls, 1);
    EXPECT_EQ(rig.motives.queuedCount(), 0);
    EXPECT_TRUE(rig.motives.allUnits().empty());
}

TEST(Stopping, BeforeAnythingSoundsSendsNothingAndAnIdleStopStillReports) {
    Rig rig;
    rig.motives.play(heldPair(0), nullptr);
    EXPECT_EQ(rig.motives.stop(), 0);
    EXPECT_TRUE(rig.sent().empty());
    EXPECT_EQ(rig.stops.calls, 1);
    EXPECT_EQ(rig.motives.stop(), 0);
    EXPECT_EQ(rig.stops.calls, 2);
}

TEST(Stopping, AfterStopAFreshMotiveStartsAtTheBeginning) {
    Rig rig;
    rig.motives.play(heldPair(0), nullptr);
    rig.ticks(20);
    rig.motives.stop();
    rig.backend.clear();
    rig.motives.play(makeMotive(twoFour, 0, {{0, 21, 120}}, {}), nullptr);
    rig.motives.tick();
    const auto first = decodeAll(rig.sent());
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.back(), on(0, TKey(0, MAJOR).midiNote(21), 110));
}

TEST(Listeners, HearNotesAndMotiveMarksInPlayingOrder) {
    Rig rig;
    RecordingListener listener;
    rig.motives.play(
        makeMotive(twoFour, 0, {{0, 21, 120}, {120, 22, 120}}, {voicedChord(0, chordC)}, 7),
        &listener);
    rig.ticks(100);
    EXPECT_EQ(listener.calls(),
              (std::vector<std::string>{"motive started", "start 7:0", "stop 7:0", "start 7:1",
                                        "stop 7:1", "motive finished"}));
    EXPECT_EQ(rig.stops.calls, 1);
}

TEST(Listeners, StopEndsTheSoundingNoteAndFinishesTheMotiveDetachingOnlyEndsTheNote) {
    Rig stopped;
    RecordingListener told;
    stopped.motives.play(makeMotive(twoFour, 0, {{0, 21, 240}}, {}, 4), &told);
    stopped.ticks(3);
    stopped.motives.stop();
    // The note-off that stopping sends is sent like any other: its listener hears of it.
    EXPECT_EQ(told.calls(), (std::vector<std::string>{"motive started", "start 4:0", "stop 4:0",
                                                      "motive finished"}));

    Rig detached;
    RecordingListener untold;
    detached.motives.play(makeMotive(twoFour, 0, {{0, 21, 240}}, {}, 4), &untold);
    detached.ticks(3);
    detached.motives.detachListeners();
    EXPECT_EQ(untold.calls(),
              (std::vector<std::string>{"motive started", "start 4:0", "stop 4:0"}));
    EXPECT_EQ(soundingTotal(detached.sent()), 0);
    EXPECT_EQ(detached.stops.calls, 1);
    detached.ticks(100);
    EXPECT_EQ(untold.calls().size(), 3u) << "nothing more after detaching";
}

TEST(Listeners, StopTellsOfTheSoundingNotesOnlyEvenWhenAPitchComesAgain) {
    Rig rig;
    RecordingListener listener;
    // Notes 0 and 2 share a pitch; note 1 sounds over the stop, note 2 is still ahead.
    rig.motives.play(makeMotive(twoFour, 0, {{0, 21, 60}, {60, 23, 120}, {180, 21, 60}}, {}, 6),
                     &listener);
    rig.ticks(5); // the clock passed 60: note 0 ended, note 1 sounds
    rig.motives.stop();
    EXPECT_EQ(listener.calls(),
              (std::vector<std::string>{"motive started", "start 6:0", "stop 6:0", "start 6:1",
                                        "stop 6:1", "motive finished"}));
}

TEST(Listeners, DetachingOneListenerStopsOnlyWhenItWasStillToBeTold) {
    Rig rig;
    RecordingListener first;
    RecordingListener second;
    rig.motives.play(makeMotive(twoFour, 0, {{0, 21, 120}}, {}, 1), &first);
    rig.motives.play(makeMotive(twoFour, 0, {{0, 22, 120}}, {}, 2), &second);
    rig.ticks(20); // into the second motive: the first has had all its calls
    ASSERT_TRUE(rig.motives.queuedCount() > 0);
    rig.motives.detachListener(&first);
    EXPECT_EQ(rig.stops.calls, 0) << "the first motive is over: playback goes on";
    rig.motives.detachListener(&second);
    EXPECT_EQ(rig.stops.calls, 1);
    EXPECT_EQ(soundingTotal(rig.sent()), 0);
    EXPECT_EQ(second.calls(), (std::vector<std::string>{"motive started", "start 2:0"}))
        << "a detached listener hears nothing, not even of the stop";
    rig.motives.detachListener(&second);
    EXPECT_EQ(rig.stops.calls, 1) << "an idle player has nothing to forget";
}

namespace {

// Stops the player from inside a listener call, as a canvas might.
struct StoppingListener : RecordingListener {
    TMotivePlayer* player = nullptr;
    void noteStarted(int motiveId, int noteIndex) override {
        RecordingListener::noteStarted(motiveId, noteIndex);
        if (noteIndex == 1) {
            player->stop();
        }
    }
};

struct LockProbe : TMotivePlayerStopListener {
    TMotivePlayer* player = nullptr;
    int calls = 0;
    bool lockFree = false;
    void playingStopped() override {
        ++calls;
        // Another thread can take the lock now, or this call came too early.
        std::thread other([this] { (void)player->clock(); });
        other.join();
        lockFree = true;
    }
};

} // namespace

TEST(Listeners, AListenerMayStopPlaybackFromInsideTheTick) {
    Rig rig;
    StoppingListener listener;
    listener.player = &rig.motives;
    LockProbe probe;
    probe.player = &rig.motives;
    rig.motives.setStopListener(&probe);
    rig.motives.play(
        makeMotive(twoFour, 0, {{0, 21, 120}, {120, 22, 120}}, {voicedChord(0, chordC)}, 9),
        &listener);
    rig.ticks(100);
    EXPECT_EQ(probe.calls, 1);
    EXPECT_TRUE(probe.lockFree);
    EXPECT_EQ(soundingTotal(rig.sent()), 0);
    EXPECT_TRUE(rig.motives.allUnits().empty());
    const auto calls = listener.calls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "motive finished"), 1);
}

// Random motives (any upbeat, chords voiced or not, even more chords than measures) queued,
// played partly and stopped, many times over: whatever happens, every note that starts ends,
// and no note-off is sent for a note that is not sounding.
TEST(StuckNotes, NoneAfterRandomQueuesTicksAndStops) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::mt19937 random(seed);
        auto draw = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        Rig rig;
        const TMeasure measure = draw(2) ? twoFour : threeFour;
        const int length = measure.ticksPerMeasure();
        auto randomMotive = [&] {
            const int zatakt = draw(3) == 0 ? 0 : 30 * (1 + draw(length / 30 - 1));
            TMotive motive(TKey(0, MAJOR), measure, static_cast<std::int16_t>(zatakt));
            TNoteList notes;
            for (int t = motive.upbeatStart(); t < motive.end();) {
                const int duration = std::min(30 * (1 + draw(6)), motive.end() - t);
                if (draw(5) != 0) {
                    notes.emplace_back(t, 14 + draw(20), static_cast<DURATION>(duration));
                }
                t += duration;
            }
            motive.setNotes(notes);
            TChordList chords;
            const int chordCount = draw(4);
            for (int i = 0; i < chordCount; ++i) {
                chords.push_back(voicedChord(i * length, draw(3) ? chordC : chordG));
            }
            motive.setChords(chords);
            return motive;
        };
        const int rounds = 1 + draw(6);
        for (int round = 0; round < rounds; ++round) {
            const int queued = 1 + draw(4);
            for (int i = 0; i < queued; ++i) {
                rig.motives.play(randomMotive(), nullptr);
                rig.ticks(draw(40));
            }
            if (draw(2)) {
                rig.motives.stop();
            } else {
                rig.ticks(2000);
            }
        }
        rig.motives.stop();
        bool negative = false;
        const auto counts = soundingCounts(rig.sent(), &negative);
        EXPECT_FALSE(negative) << "seed " << seed;
        for (const auto& [key, count] : counts) {
            EXPECT_EQ(count, 0) << "seed " << seed << ": channel " << key.first << " note "
                                << key.second;
        }
    }
}
