#pragma once

#include <cstdint>
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
// A sentence or phrase without motives shows as an empty column: no more of them than motives.
inline constexpr int MAX_PERIOD_SENTENCES = MAX_PERIOD_MOTIVES;
inline constexpr int MAX_PERIOD_PHRASES = MAX_PERIOD_MOTIVES;
// Two measures of at most 480 ticks hold 32 sixteenths; twice that leaves room for notes that
// start together.
inline constexpr int MAX_MOTIVE_NOTES = 64;
// One chord on each of the motive's (at most two) measure starts.
inline constexpr int MAX_MOTIVE_CHORDS = 2;
// The largest composition the limits allow is written in about 8 MB.
inline constexpr std::uintmax_t MAX_COMPOSITION_FILE_BYTES = 16 * 1024 * 1024;
// Times and beats lie on the sixteenth grid.
inline constexpr int TIME_GRID = 30;

// Each gives why the value cannot be used, or nothing when it can.
std::optional<std::string> keySignProblem(int sign);
std::optional<std::string> tempoProblem(int tempo);
std::optional<std::string> meterProblem(int beatsPerMeasure, int beatValue);
// The upbeat must be shorter than the measure (the motive would otherwise start before 0).
std::optional<std::string> upbeatProblem(int zatakt, int ticksPerMeasure);
