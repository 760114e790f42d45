#pragma once

#include <cstdint>

class TMotivePlayerListener;

// Channels of playback, with the programs the instrument set-up gives them (counted from 0, as
// sent on the wire).
inline constexpr int MELODY_CHANNEL = 0;
inline constexpr int CHORD_CHANNEL = 1; // soprano, alto, tenor
inline constexpr int BASS_CHANNEL = 2;
inline constexpr int PREVIEW_CHANNEL = 4;
inline constexpr int PULSE_CHANNEL = 9;

inline constexpr int MELODY_PROGRAM = 1;   // bright piano
inline constexpr int CHORD_PROGRAM = 89;   // warm pad
inline constexpr int BASS_PROGRAM = 32;    // acoustic bass
inline constexpr int PREVIEW_PROGRAM = 93; // metallic pad

inline constexpr int MELODY_VELOCITY_BAR = 110;
inline constexpr int MELODY_VELOCITY = 105;
inline constexpr int CHORD_VELOCITY = 90;
inline constexpr int BASS_VELOCITY = 110;
inline constexpr int PULSE_NOTE_BAR = 62;
inline constexpr int PULSE_NOTE = 60;
inline constexpr int PULSE_VELOCITY_BAR = 100;
inline constexpr int PULSE_VELOCITY = 80;
inline constexpr int PULSE_STEP = 30;

// One MIDI event of a planned schedule. The listener is only carried, never called, here.
struct TPlayUnit {
    int note = 0;
    int time = 0; // ticks on the player's clock
    int channel = 0;
    int velocity = 0;
    std::uint8_t isOn = 0;
    int noteIndex = -1; // the melody note within its motive; -1 for chords and pulse
    int motiveId = -1;
    bool motiveStart = false;
    bool motiveEnd = false;
    TMotivePlayerListener* listener = nullptr;

    // The same sound: a note-off matches the note-on it ends.
    bool matches(const TPlayUnit& other) const {
        return note == other.note && channel == other.channel && velocity == other.velocity &&
               isOn == other.isOn;
    }
};

// Playing order: earlier first, and at one time note-offs before note-ons.
inline bool playsBefore(const TPlayUnit& a, const TPlayUnit& b) {
    if (a.time != b.time) {
        return a.time < b.time;
    }
    return !a.isOn && b.isOn;
}
