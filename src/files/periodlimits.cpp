#include "files/periodlimits.h"

std::optional<std::string> keySignProblem(int sign) {
    if (sign < -MAX_KEY_SIGN || sign > MAX_KEY_SIGN)
        return "key signature " + std::to_string(sign) + " is outside -7..7";
    return std::nullopt;
}

std::optional<std::string> tempoProblem(int tempo) {
    if (tempo < MIN_TEMPO || tempo > MAX_TEMPO)
        return "tempo " + std::to_string(tempo) + " is outside 1..199";
    return std::nullopt;
}

std::optional<std::string> meterProblem(int beatsPerMeasure, int beatValue) {
    if (beatsPerMeasure <= 0)
        return "the meter has " + std::to_string(beatsPerMeasure) + " beats";
    if (beatValue <= 0 || beatValue % TIME_GRID != 0)
        return "beat value " + std::to_string(beatValue) + " is not a positive multiple of 30";
    if (beatsPerMeasure > MAX_MEASURE_TICKS / beatValue)
        return "a measure of " + std::to_string(beatsPerMeasure) + " beats of " +
               std::to_string(beatValue) + " ticks is longer than 480 ticks";
    return std::nullopt;
}

std::optional<std::string> upbeatProblem(int zatakt, int ticksPerMeasure) {
    if (zatakt < 0)
        return "upbeat " + std::to_string(zatakt) + " is negative";
    if (zatakt >= ticksPerMeasure)
        return "upbeat " + std::to_string(zatakt) + " is not shorter than the measure of " +
               std::to_string(ticksPerMeasure) + " ticks";
    return std::nullopt;
}
