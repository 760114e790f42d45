#pragma once

#include "model/duration.h"

#include <cmath>

// How fast a stored tempo value plays. The value is not beats per minute: playback moves a
// quarter note in eight equal steps of 200 - tempo ms, so a larger value is faster and 100
// plays 75 quarter notes a minute. Playback, the exports and the interface all read it here.

inline constexpr int TEMPO_STEPS_PER_QUARTER = 8;
inline constexpr int TICKS_PER_TEMPO_STEP = TICKS_PER_QUARTER / TEMPO_STEPS_PER_QUARTER;

// One step in ms; never below 1 ms, whatever the value.
constexpr int tempoStepMilliseconds(int tempo) {
    return tempo < 199 ? 200 - tempo : 1;
}

constexpr int quarterNoteMilliseconds(int tempo) {
    return TEMPO_STEPS_PER_QUARTER * tempoStepMilliseconds(tempo);
}

constexpr double quarterNotesPerMinute(int tempo) {
    return 60000.0 / quarterNoteMilliseconds(tempo);
}

// The metronome mark shown for a tempo value: quarter notes per minute, rounded.
inline int metronomeMark(int tempo) {
    return static_cast<int>(std::lround(quarterNotesPerMinute(tempo)));
}
