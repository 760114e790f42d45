#pragma once

#include <optional>
#include <string>

// What a composition may hold. Beyond these the time axis, the key tables or the playback timer
// would break, so the reader refuses them and the builder never makes them.
inline constexpr int MAX_KEY_SIGN = 7;
inline constexpr int MIN_TEMPO = 1;
// Playback waits 200 - tempo ms per step, which must stay positive.
inline constexpr int MAX_TEMPO = 199;
inline constexpr int MAX_MEASURE_TICKS = 480;
inline constexpr int MAX_PERIOD_MOTIVES = 1000;
// Times and beats lie on the sixteenth grid.
inline constexpr int TIME_GRID = 30;

// Each gives why the value cannot be used, or nothing when it can.
std::optional<std::string> keySignProblem(int sign);
std::optional<std::string> tempoProblem(int tempo);
std::optional<std::string> meterProblem(int beatsPerMeasure, int beatValue);
// The upbeat must be shorter than the measure (the motive would otherwise start before 0).
std::optional<std::string> upbeatProblem(int zatakt, int ticksPerMeasure);
