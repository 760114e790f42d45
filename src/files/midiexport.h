#pragma once

#include "model/period.h"
#include "model/playunit.h"

#include <cstdint>
#include <filesystem>
#include <vector>

// Standard MIDI File export (format 1, 120 ticks to the quarter note): a conductor track with
// the time signature, key signature (with its mode) and tempo, then one track each for the melody
// (channel 0), the upper chord voices (1) and the chord bass (2). The events are the play units of
// a fresh export player, so the file holds what "Play all" plays, without the pulse.

// A MIDI variable-length quantity: 7 bits a byte, most significant first, bit 7 set on all
// bytes but the last.
void appendVarLen(std::vector<std::uint8_t>& out, std::uint32_t value);

// The microseconds per quarter note written for a tempo value: as long as playback holds a
// quarter note, 8 x (200 - tempo) ms, so the file plays at the program's speed.
std::int32_t midiTempo(int tempo);

// The file for a meter, key and tempo and the units in playing order.
std::vector<std::uint8_t> midiFileBytes(const TMeasure& measure, const TKey& key, int tempo,
                                        const std::vector<TPlayUnit>& units);
// The file for a whole period, motives in strip order.
std::vector<std::uint8_t> midiFileBytes(const TPeriodData& period);

// Writes the period's file, creating or truncating it. Throws TFileWriteError when the file
// cannot be created or written; a partly written file is left in place.
void exportMidi(const TPeriodData& period, const std::filesystem::path& fileName);
