// Standard MIDI File export. The bytes of the edge cases are checked directly; whole periods
// against golden files under tests/data/midi (TONARIA_REGENERATE_GOLDEN=1 rewrites them after a
// deliberate change), and every written file is read back by a small reader of its own.

#include "cli/generatecommand.h"
#include "files/atomicfile.h"
#include "files/midiexport.h"
#include "files/periodbuilder.h"
#include "model/playplanner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes varLen(std::uint32_t value) {
    Bytes out;
    appendVarLen(out, value);
    return out;
}

// What an independent reader makes of a file: the header and each track's events.
struct Event {
    int time = 0;        // absolute ticks
    std::uint8_t status; // 0xFF for meta events
    std::uint8_t meta = 0;
    Bytes data;
};
struct ReadFile {
    int format = -1;
    int division = 0;
    std::vector<std::vector<Event>> tracks;
};

std::uint32_t bigEndian(const Bytes& b, std::size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) {
        v = v << 8 | b.at(at + static_cast<std::size_t>(i));
    }
    return v;
}

// Reads a format-1 file strictly: every chunk length must match its content exactly and every
// track must end with one end-of-track event. Failures are reported through gtest.
ReadFile readMidi(const Bytes& file) {
    ReadFile result;
    std::size_t at = 0;
    auto tag = [&](const char* want) {
        EXPECT_EQ(std::string(file.begin() + static_cast<long>(at),
                              file.begin() + static_cast<long>(at) + 4),
                  want);
        at += 4;
    };
    tag("MThd");
    EXPECT_EQ(bigEndian(file, at, 4), 6u);
    result.format = static_cast<int>(bigEndian(file, at + 4, 2));
    const int tracks = static_cast<int>(bigEndian(file, at + 6, 2));
    result.division = static_cast<int>(bigEndian(file, at + 8, 2));
    at += 10;
    for (int t = 0; t < tracks; ++t) {
        tag("MTrk");
        const std::size_t end = at + 4 + bigEndian(file, at, 4);
        at += 4;
        EXPECT_LE(end, file.size());
        std::vector<Event> events;
        int time = 0;
        std::uint8_t running = 0;
        bool ended = false;
        while (at < end && !ended) {
            std::uint32_t delta = 0;
            std::uint8_t byte;
            do {
                byte = file.at(at++);
                delta = delta << 7 | (byte & 0x7F);
            } while (byte & 0x80);
            time += static_cast<int>(delta);
            Event event;
            event.time = time;
            if (file.at(at) & 0x80) {
                event.status = file.at(at++);
            } else {
                EXPECT_NE(running, 0) << "running status without a status before it";
                event.status = running;
            }
            if (event.status == 0xFF) {
                event.meta = file.at(at++);
                const std::size_t length = file.at(at++);
                event.data.assign(file.begin() + static_cast<long>(at),
                                  file.begin() + static_cast<long>(at + length));
                at += length;
                ended = event.meta == 0x2F;
            } else {
                running = event.status;
                const int kind = event.status & 0xF0;
                const std::size_t length = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
                event.data.assign(file.begin() + static_cast<long>(at),
                                  file.begin() + static_cast<long>(at + length));
                at += length;
            }
            events.push_back(event);
        }
        EXPECT_TRUE(ended) << "track " << t << " has no end-of-track event";
        EXPECT_EQ(at, end) << "track " << t << "'s length does not match its events";
        at = end;
        result.tracks.push_back(events);
    }
    EXPECT_EQ(at, file.size()) << "bytes after the last track";
    return result;
}

TChord voiced(int time, TVoices voices) {
    TChord chord;
    chord.setTime(time);
    chord.setVoices(voices);
    return chord;
}

// A period of one sentence and one phrase with the given motives' notes and chords.
TPeriodData periodOf(const TKey& key, const TMeasure& measure, int zatakt, int tempo,
                     const std::vector<std::pair<TNoteList, TChordList>>& motives) {
    TPeriodData period;
    period.setKey(key);
    period.setMeasure(measure);
    period.setZatakt(static_cast<std::int16_t>(zatakt));
    period.setTempo(tempo);
    period.sentences().resize(1);
    period.sentences()[0].phrases().emplace_back(static_cast<int>(motives.size()), 5, key, measure,
                                                 static_cast<std::int16_t>(zatakt));
    auto& cells = period.sentences()[0].phrases()[0].motives();
    for (std::size_t i = 0; i < motives.size(); ++i) {
        cells[i].setNotes(motives[i].first);
        cells[i].setChords(motives[i].second);
    }
    return period;
}

TPeriodData gMinorWithUpbeat() {
    const TKey key(-2, MINOR);
    return periodOf(key, TMeasure(2, 120), 60, 55,
                    {{{TNote(180, 18, 60), TNote(240, 21, 120), TNote(360, 20, 60)},
                      {voiced(0, {25, 22, 18, 11}), voiced(240, {24, 22, 17, 14})}},
                     {{TNote(180, 21, 60), TNote(240, 22, 180)},
                      {voiced(0, {24, 22, 17, 14}), voiced(240, {25, 22, 18, 11})}},
                     {{TNote(180, 25, 60), TNote(240, 23, 60), TNote(300, 22, 60)}, {}}});
}

TPeriodData dMajorThreeFour() {
    const TKey key(2, MAJOR);
    TPeriodData period =
        periodOf(key, TMeasure(3, 120), 0, 145,
                 {{{TNote(0, 21, 120), TNote(120, 21, 120), TNote(240, 22, 120)},
                   {voiced(0, {28, 23, 19, 7})}},
                  {{TNote(0, 23, 240), TNote(240, 22, 120)}, {voiced(0, {28, 23, 19, 7})}},
                  {{TNote(0, 21, 360)}, {voiced(0, {29, 25, 22, 11})}}});
    // A second sentence, so the strip order crosses a sentence boundary.
    period.sentences().push_back(period.sentences()[0]);
    return period;
}

bool regenerating() {
    const char* value = std::getenv("TONARIA_REGENERATE_GOLDEN");
    return value != nullptr && std::string(value) == "1";
}

Bytes readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

Bytes track(const Bytes& file, int index) {
    std::size_t at = 14;
    for (int t = 0;; ++t) {
        const std::size_t length = bigEndian(file, at + 4, 4);
        if (t == index) {
            return Bytes(file.begin() + static_cast<long>(at + 8),
                         file.begin() + static_cast<long>(at + 8 + length));
        }
        at += 8 + length;
    }
}

TPlayUnit unit(int time, int channel, bool isOn, int note = 60, int velocity = 100) {
    TPlayUnit u;
    u.time = time;
    u.channel = channel;
    u.isOn = isOn ? 1 : 0;
    u.note = note;
    u.velocity = velocity;
    return u;
}

} // namespace

TEST(MidiExport, VariableLengthQuantities) {
    EXPECT_EQ(varLen(0), Bytes{0x00});
    EXPECT_EQ(varLen(127), Bytes{0x7F});
    EXPECT_EQ(varLen(128), (Bytes{0x81, 0x00}));
    EXPECT_EQ(varLen(16383), (Bytes{0xFF, 0x7F}));
    EXPECT_EQ(varLen(16384), (Bytes{0x81, 0x80, 0x00}));
    EXPECT_EQ(varLen(0x0FFFFFFF), (Bytes{0xFF, 0xFF, 0xFF, 0x7F}));
}

TEST(MidiExport, AnEmptyPeriodHasTheConductorAndThreeTracksOfProgramAndEndOnly) {
    TPeriodData period;
    const Bytes file = midiFileBytes(period);
    const Bytes header{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 4, 0, 0x78};
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 14), header);
    EXPECT_EQ(track(file, 0), (Bytes{0x00, 0xFF, 0x58, 0x04, 0x02, 0x02, 0x18, 0x08, //
                                     0x00, 0xFF, 0x59, 0x02, 0x00, 0x00,             //
                                     0x00, 0xFF, 0x51, 0x03, 0x0C, 0x35, 0x00,       //
                                     0x00, 0xFF, 0x2F, 0x00}));
    EXPECT_EQ(track(file, 1), (Bytes{0x00, 0xC0, 1, 0x00, 0xFF, 0x2F, 0x00}));
    EXPECT_EQ(track(file, 2), (Bytes{0x00, 0xC1, 89, 0x00, 0xFF, 0x2F, 0x00}));
    EXPECT_EQ(track(file, 3), (Bytes{0x00, 0xC2, 32, 0x00, 0xFF, 0x2F, 0x00}));
    EXPECT_EQ(file.size(), 14u + 8 + 25 + 3 * (8 + 7));
}

TEST(MidiExport, ConductorBytesForMeterKeyAndTempo) {
    auto conductor = [](const TMeasure& measure, const TKey& key, int tempo) {
        return track(midiFileBytes(measure, key, tempo, {}), 0);
    };
    auto timeSig = [&](int beats, int value) {
        const Bytes t = conductor(TMeasure(beats, value), TKey(), 100);
        return Bytes(t.begin() + 4, t.begin() + 8);
    };
    EXPECT_EQ(timeSig(3, 60), (Bytes{3, 3, 0x18, 0x08}));
    EXPECT_EQ(timeSig(2, 120), (Bytes{2, 2, 0x18, 0x08}));
    EXPECT_EQ(timeSig(3, 120), (Bytes{3, 2, 0x18, 0x08}));
    EXPECT_EQ(timeSig(2, 60), (Bytes{2, 3, 0x18, 0x08}));
    EXPECT_EQ(timeSig(4, 120), (Bytes{4, 2, 0x18, 0x08}));
    EXPECT_EQ(timeSig(2, 180), (Bytes{6, 3, 0x18, 0x08})) << "dotted beats count in eighths";

    auto keySig = [&](const TKey& key) {
        const Bytes t = conductor(TMeasure(2, 120), key, 100);
        return Bytes(t.begin() + 12, t.begin() + 14);
    };
    EXPECT_EQ(keySig(TKey(-2, MINOR)), (Bytes{0xFE, 0x01})) << "minor keys are minor";
    EXPECT_EQ(keySig(TKey(7, MINOR)), (Bytes{0x07, 0x01}));
    EXPECT_EQ(keySig(TKey(2, MAJOR)), (Bytes{0x02, 0x00}));
    EXPECT_EQ(keySig(TKey(-7, MAJOR)), (Bytes{0xF9, 0x00}));

    auto tempoBytes = [&](int tempo) {
        const Bytes t = conductor(TMeasure(2, 120), TKey(), tempo);
        return Bytes(t.begin() + 18, t.begin() + 21);
    };
    // A quarter note lasts as long as in playback: 800 ms at 100, 1160 ms at 55, 440 ms at 145.
    EXPECT_EQ(tempoBytes(100), (Bytes{0x0C, 0x35, 0x00}));
    EXPECT_EQ(tempoBytes(55), (Bytes{0x11, 0xB3, 0x40}));
    EXPECT_EQ(tempoBytes(145), (Bytes{0x06, 0xB6, 0xC0}));
}

TEST(MidiExport, NoteTracksUseDeltasAndRunningStatus) {
    const std::vector<TPlayUnit> units{unit(0, 0, true, 60, 110),
                                       unit(128, 0, true, 64, 105),
                                       unit(128, 9, true),
                                       unit(16512, 0, false, 60, 110),
                                       unit(16512, 0, false, 64, 105),
                                       unit(16639, 1, true, 50, 90),
                                       unit(16639, 2, true, 38, 110)};
    const Bytes file = midiFileBytes(TMeasure(), TKey(), 100, units);
    EXPECT_EQ(track(file, 1), (Bytes{0x00, 0xC0, 1,                   //
                                     0x00, 0x90, 60,   110,           //
                                     0x81, 0x00, 64,   105,           // a second note-on: no status
                                     0x81, 0x80, 0x00, 0x80, 60, 110, // delta 16384, new status
                                     0x00, 64,   105,                 //
                                     0x00, 0xFF, 0x2F, 0x00}));
    EXPECT_EQ(track(file, 2), (Bytes{0x00, 0xC1, 89, 0x81, 0x81, 0x7F, 0x91, 50, 90, //
                                     0x00, 0xFF, 0x2F, 0x00}));
    EXPECT_EQ(track(file, 3), (Bytes{0x00, 0xC2, 32, 0x81, 0x81, 0x7F, 0x92, 38, 110, //
                                     0x00, 0xFF, 0x2F, 0x00}))
        << "channel 9 (the pulse) is never written";
}

TEST(MidiExport, AUnitPlannedBeforeItsPredecessorIsWrittenWithIt) {
    const Bytes file =
        midiFileBytes(TMeasure(), TKey(), 100, {unit(240, 0, true), unit(120, 0, false)});
    EXPECT_EQ(track(file, 1), (Bytes{0x00, 0xC0, 1, 0x81, 0x70, 0x90, 60, 100, 0x00, 0x80, 60, 100,
                                     0x00, 0xFF, 0x2F, 0x00}));
}

class MidiGolden : public testing::TestWithParam<std::pair<const char*, TPeriodData (*)()>> {};

TEST_P(MidiGolden, MatchesTheGoldenFileAndReadsBackAsThePlayUnits) {
    const auto [name, make] = GetParam();
    const TPeriodData period = make();
    const auto golden = std::filesystem::path(TONARIA_TEST_DATA_DIR) / "midi" / name;
    const auto written = std::filesystem::temp_directory_path() / (std::string("tonaria-") + name);
    exportMidi(period, written);
    const Bytes bytes = readBytes(written);
    std::filesystem::remove(written);
    if (regenerating()) {
        std::filesystem::create_directories(golden.parent_path());
        std::ofstream(golden, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        GTEST_SKIP() << "rewrote " << golden;
    }
    EXPECT_EQ(bytes, readBytes(golden)) << "differs from " << golden;

    const ReadFile file = readMidi(bytes);
    EXPECT_EQ(file.format, 1);
    EXPECT_EQ(file.division, 120);
    ASSERT_EQ(file.tracks.size(), 4u);
    const std::vector<TPlayUnit> units = periodPlayUnits(period);
    for (int channel = 0; channel < 3; ++channel) {
        const auto& events = file.tracks[static_cast<std::size_t>(channel) + 1];
        std::vector<std::tuple<int, int, int, int>> read;
        std::map<int, int> sounding;
        for (std::size_t i = 1; i + 1 < events.size(); ++i) {
            const Event& e = events[i];
            EXPECT_EQ(e.status & 0x0F, channel);
            read.emplace_back(e.time, e.status & 0xF0, e.data[0], e.data[1]);
            sounding[e.data[0]] += (e.status & 0xF0) == 0x90 ? 1 : -1;
        }
        std::vector<std::tuple<int, int, int, int>> planned;
        for (const TPlayUnit& u : units) {
            if (u.channel == channel) {
                planned.emplace_back(u.time, u.isOn ? 0x90 : 0x80, u.note, u.velocity);
            }
        }
        EXPECT_EQ(read, planned) << "channel " << channel;
        EXPECT_FALSE(planned.empty());
        for (auto [note, count] : sounding) {
            EXPECT_EQ(count, 0) << "note " << note << " on channel " << channel;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Periods, MidiGolden,
                         testing::Values(std::make_pair("g-minor-upbeat.mid", &gMinorWithUpbeat),
                                         std::make_pair("d-major-three-four.mid",
                                                        &dMajorThreeFour)));

TEST(MidiExport, AFileThatCannotBeCreatedIsReported) {
    const auto folder = std::filesystem::temp_directory_path() / "tonaria-no-such-folder";
    std::filesystem::remove_all(folder);
    EXPECT_THROW(exportMidi(TPeriodData(), folder / "out.mid"), TFileWriteError);
}

namespace {

// A note of a file as the reader pairs it: a note-on and the next note-off of its key.
struct ReadNote {
    int channel;
    int pitch;
    int on;
    int off;
};

std::vector<ReadNote> notesOf(const ReadFile& file) {
    std::vector<ReadNote> notes;
    for (const auto& events : file.tracks) {
        std::map<std::pair<int, int>, std::vector<int>> open;
        for (const Event& e : events) {
            const int kind = e.status & 0xF0;
            if (kind != 0x80 && kind != 0x90)
                continue;
            const std::pair<int, int> key{e.status & 0x0F, e.data[0]};
            if (kind == 0x90 && e.data[1] > 0) {
                open[key].push_back(e.time);
            } else if (!open[key].empty()) {
                notes.push_back({key.first, key.second, open[key].front(), e.time});
                open[key].erase(open[key].begin());
            } else {
                ADD_FAILURE() << "a note-off without its note-on at " << e.time;
            }
        }
        for (const auto& [key, starts] : open)
            EXPECT_TRUE(starts.empty()) << "note " << key.second << " never ends";
    }
    return notes;
}

const Event* metaEvent(const ReadFile& file, std::uint8_t type) {
    for (const Event& e : file.tracks.at(0)) {
        if (e.status == 0xFF && e.meta == type)
            return &e;
    }
    return nullptr;
}

} // namespace

// Generated periods in all thirty keys, with and without upbeat, read back by the reader above:
// the file plays at the program's tempo, names the key's mode, starts the first chord with the
// melody and holds a chord that sounds on over a motive boundary as one note.
TEST(MidiExport, EveryKeyWithAndWithoutUpbeatSaysWhatTheProgramPlays) {
    TRandomGenerator draws;
    int round = 0;
    for (std::uint8_t mode : {MAJOR, MINOR}) {
        for (int sign = -7; sign <= 7; ++sign) {
            for (const bool upbeat : {false, true}) {
                ++round;
                TPeriodStructure structure = defaultPeriodStructure();
                structure.key = TKey(sign, mode);
                structure.measure = round % 3 == 0 ? TMeasure(3, QUARTER) : TMeasure(2, QUARTER);
                const int length = structure.measure.ticksPerMeasure();
                structure.zatakt = static_cast<std::int16_t>(upbeat ? (round % 2 + 1) * 60 : 0);
                structure.tempo = 55 + 3 * (round % 31);
                TPeriodData period;
                buildPeriod(period, structure);
                TScheme scheme(draws);
                generatePeriod(period, scheme, {});
                // The second motive begins with the chord the first one ends on.
                auto& motives = period.sentences()[0].phrases()[0].motives();
                ASSERT_GE(motives.size(), 2u);
                ASSERT_EQ(motives[0].chords().size(), upbeat ? 2u : 1u);
                ASSERT_FALSE(motives[1].chords().empty());
                TChord held = motives[0].chords().back();
                held.setTime(0);
                motives[1].chords().front() = held;
                SCOPED_TRACE("key " + std::to_string(sign) + (mode == MINOR ? " minor" : " major") +
                             ", upbeat " + std::to_string(structure.zatakt));

                const ReadFile file = readMidi(midiFileBytes(period));
                ASSERT_EQ(file.tracks.size(), 4u);
                const Event* tempo = metaEvent(file, 0x51);
                ASSERT_NE(tempo, nullptr);
                const std::uint32_t microseconds = bigEndian(tempo->data, 0, 3);
                EXPECT_EQ(microseconds, 8000u * static_cast<std::uint32_t>(200 - structure.tempo))
                    << "a quarter note lasts 8 x (200 - tempo) ms, as in playback";
                const Event* key = metaEvent(file, 0x59);
                ASSERT_NE(key, nullptr);
                EXPECT_EQ(static_cast<std::int8_t>(key->data.at(0)), sign);
                EXPECT_EQ(key->data.at(1), mode == MINOR ? 1 : 0);

                const std::vector<ReadNote> notes = notesOf(file);
                int firstMelody = INT32_MAX;
                int firstChord = INT32_MAX;
                for (const ReadNote& n : notes) {
                    int& first = n.channel == 0 ? firstMelody : firstChord;
                    first = std::min(first, n.on);
                }
                const int pickup = upbeat ? length - structure.zatakt : 0;
                EXPECT_EQ(firstChord, pickup) << "the first chord starts with the pickup";
                EXPECT_GE(firstMelody, pickup);

                // No chord is released and struck again with the same notes inside a measure.
                std::map<int, std::multiset<std::pair<int, int>>> ending;
                std::map<int, std::multiset<std::pair<int, int>>> starting;
                for (const ReadNote& n : notes) {
                    if (n.channel == 0)
                        continue;
                    ending[n.off].insert({n.channel, n.pitch});
                    starting[n.on].insert({n.channel, n.pitch});
                }
                for (const auto& [time, struck] : starting) {
                    if (time % length != 0) {
                        EXPECT_NE(ending[time], struck) << "a chord struck again at " << time;
                    }
                }
                // With an upbeat the chord held over the boundary is one note per voice, from
                // the bar line inside the first motive to the next one.
                if (upbeat) {
                    int voices = 0;
                    for (const ReadNote& n : notes) {
                        if (n.channel != 0 && n.on == length) {
                            EXPECT_EQ(n.off, 2 * length) << "note " << n.pitch;
                            ++voices;
                        }
                    }
                    EXPECT_EQ(voices, 4);
                }
            }
        }
    }
}
