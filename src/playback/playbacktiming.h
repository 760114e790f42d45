#pragma once

// How the motive player's clock relates to its timer.

// Ticks the clock moves on every timer event.
inline constexpr int TICKS_PER_TIMER_EVENT = 15;

// The timer period for a tempo value: 200 - tempo milliseconds, so a quarter note lasts
// 8 x (200 - tempo) ms. Never below 1 ms, whatever the tempo.
constexpr int timerIntervalForTempo(int tempo) {
    return tempo < 199 ? 200 - tempo : 1;
}

// The timer event (counted from 1) at which an event at `tick` sounds.
constexpr int timerEventOfTick(int tick) {
    return tick / TICKS_PER_TIMER_EVENT + 1;
}
