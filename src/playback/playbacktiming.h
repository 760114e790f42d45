#pragma once

#include "model/tempo.h"

// How the motive player's clock relates to its timer.

// Ticks the clock moves on every timer event.
inline constexpr int TICKS_PER_TIMER_EVENT = TICKS_PER_TEMPO_STEP;

// The timer period for a tempo value: one tempo step, 200 - tempo milliseconds.
constexpr int timerIntervalForTempo(int tempo) {
    return tempoStepMilliseconds(tempo);
}

// The timer event (counted from 1) at which an event at `tick` sounds.
constexpr int timerEventOfTick(int tick) {
    return tick / TICKS_PER_TIMER_EVENT + 1;
}
