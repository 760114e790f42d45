#pragma once

// A pitch is a diatonic step index in the current key: 0 is the lowest D, 7 the D above it.
inline constexpr int NO_PITCH = -1;
inline constexpr int PITCH_COUNT = 42;
inline constexpr int LOWEST_PITCH = 0;
inline constexpr int HIGHEST_PITCH = PITCH_COUNT - 1;

// The melodic range in which notes are entered, generated and voiced.
inline constexpr int MIN_MELODY_PITCH = 13;
inline constexpr int MAX_MELODY_PITCH = 34;

inline constexpr bool isInMelodyRange(int pitch) {
    return pitch >= MIN_MELODY_PITCH && pitch <= MAX_MELODY_PITCH;
}

inline constexpr bool isValidPitch(int pitch) {
    return pitch >= 0 && pitch < PITCH_COUNT;
}
