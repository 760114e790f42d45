#include "files/midiexport.h"

#include "files/binaryfile.h"
#include "model/playplanner.h"
#include "model/tempo.h"

#include <algorithm>
#include <array>

namespace {

void appendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift & 0xFF));
    }
}

void appendChunk(std::vector<std::uint8_t>& out, const char (&tag)[5],
                 const std::vector<std::uint8_t>& body) {
    out.insert(out.end(), tag, tag + 4);
    appendBigEndian(out, static_cast<std::uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
}

constexpr std::array<std::uint8_t, 4> END_OF_TRACK{0x00, 0xFF, 0x2F, 0x00};

// The time signature as numerator and power-of-two denominator. A beat of a plain note value
// (120 = quarter, 60 = eighth, ...) is written as itself; a dotted beat in the note value that
// divides it, so 2 beats of 180 ticks become 6/8.
std::pair<int, int> timeSignature(const TMeasure& measure) {
    int note = 480;
    int power = 0;
    while (note > 30 && measure.beatValue() % note != 0) {
        note /= 2;
        ++power;
    }
    return {measure.beatsPerMeasure() * (measure.beatValue() / note), power};
}

std::vector<std::uint8_t> conductorTrack(const TMeasure& measure, const TKey& key, int tempo) {
    const auto [numerator, power] = timeSignature(measure);
    const std::uint32_t microseconds = static_cast<std::uint32_t>(midiTempo(tempo));
    std::vector<std::uint8_t> track{0x00,
                                    0xFF,
                                    0x58,
                                    0x04,
                                    static_cast<std::uint8_t>(numerator),
                                    static_cast<std::uint8_t>(power),
                                    0x18,
                                    0x08};
    const auto mode = static_cast<std::uint8_t>(key.isMinor() ? 1 : 0);
    track.insert(track.end(),
                 {0x00, 0xFF, 0x59, 0x02, static_cast<std::uint8_t>(key.sign()), mode});
    track.insert(track.end(), {0x00, 0xFF, 0x51, 0x03});
    appendBigEndian(track, microseconds, 3);
    track.insert(track.end(), END_OF_TRACK.begin(), END_OF_TRACK.end());
    return track;
}

std::vector<std::uint8_t> noteTrack(const std::vector<TPlayUnit>& units, int channel, int program) {
    std::uint8_t status = static_cast<std::uint8_t>(0xC0 + channel);
    std::vector<std::uint8_t> track{0x00, status, static_cast<std::uint8_t>(program)};
    int previous = 0;
    for (const TPlayUnit& unit : units) {
        if (unit.channel != channel) {
            continue;
        }
        // Deltas never run backwards: a unit planned before its predecessor goes out with it.
        appendVarLen(track,
                     static_cast<std::uint32_t>(unit.time > previous ? unit.time - previous : 0));
        previous = std::max(previous, unit.time);
        const auto unitStatus = static_cast<std::uint8_t>((unit.isOn ? 0x90 : 0x80) + channel);
        if (unitStatus != status) {
            track.push_back(unitStatus);
            status = unitStatus;
        }
        track.push_back(static_cast<std::uint8_t>(unit.note & 0x7F));
        track.push_back(static_cast<std::uint8_t>(unit.velocity & 0x7F));
    }
    track.insert(track.end(), END_OF_TRACK.begin(), END_OF_TRACK.end());
    return track;
}

} // namespace

void appendVarLen(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::array<std::uint8_t, 5> groups{};
    int count = 0;
    do {
        groups[static_cast<std::size_t>(count++)] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count-- > 0) {
        const std::uint8_t group = groups[static_cast<std::size_t>(count)];
        out.push_back(count > 0 ? static_cast<std::uint8_t>(group | 0x80) : group);
    }
}

std::int32_t midiTempo(int tempo) {
    return 1000 * quarterNoteMilliseconds(tempo);
}

std::vector<std::uint8_t> midiFileBytes(const TMeasure& measure, const TKey& key, int tempo,
                                        const std::vector<TPlayUnit>& units) {
    std::vector<std::uint8_t> file{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 4, 0, 120};
    appendChunk(file, "MTrk", conductorTrack(measure, key, tempo));
    appendChunk(file, "MTrk", noteTrack(units, MELODY_CHANNEL, MELODY_PROGRAM));
    appendChunk(file, "MTrk", noteTrack(units, CHORD_CHANNEL, CHORD_PROGRAM));
    appendChunk(file, "MTrk", noteTrack(units, BASS_CHANNEL, BASS_PROGRAM));
    return file;
}

std::vector<std::uint8_t> midiFileBytes(const TPeriodData& period) {
    return midiFileBytes(period.measure(), period.key(), period.tempo(), periodPlayUnits(period));
}

void exportMidi(const TPeriodData& period, const std::filesystem::path& fileName) {
    const std::vector<std::uint8_t> bytes = midiFileBytes(period);
    writeBinaryFile(fileName, bytes);
}
