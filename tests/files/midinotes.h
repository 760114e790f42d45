#pragma once

#include "model/period.h"

#include <cstdint>
#include <vector>

// The notes of a Standard MIDI File as they sound: each note-on paired with the next note-off
// of the same key and channel. Times are scaled to 120 ticks to the quarter note and rounded,
// so files of other resolutions compare with the program's own; tempo is not applied.
struct TSoundingNote {
    int pitch = 0;
    int onset = 0;
    int length = 0;
    int channel = 0;
    auto operator<=>(const TSoundingNote&) const = default;
};

// Throws std::runtime_error on a file that is not a Standard MIDI File.
std::vector<TSoundingNote> readMidiNotes(const std::vector<std::uint8_t>& file);

// The MIDI export's notes as a score shows them: times from the first written measure (with
// an upbeat the file starts a bar before the pickup), the melody on channel 0 and the chord
// voices joined on channel 1. What sounds before the pickup, which a score cannot show, is cut
// to it.
std::vector<TSoundingNote> midiNotesAsScored(const TPeriodData& period);
