#pragma once

#include <cstdint>
#include <ostream>

// The meter: beats per measure and the length of one beat in ticks.
class TMeasure {
public:
    TMeasure() = default;
    TMeasure(int beatsPerMeasure, int beatValue)
        : beatValue_(static_cast<std::int16_t>(beatValue)), beatsPerMeasure_(beatsPerMeasure) {}

    std::int16_t beatValue() const { return beatValue_; }
    int beatsPerMeasure() const { return beatsPerMeasure_; }

    int ticksPerMeasure() const { return beatValue_ * beatsPerMeasure_; }
    bool isBarTime(int t) const { return t % ticksPerMeasure() == 0; }
    int measureIndexOf(int t) const { return t / ticksPerMeasure(); }
    int measureStartOf(int t) const { return measureIndexOf(t) * ticksPerMeasure(); }
    // Width of one measure on the canvas: 23 pixels per sixteenth plus a 19-pixel margin.
    int displayWidth() const { return (beatValue_ / 30) * beatsPerMeasure_ * 23 + 19; }

    bool operator==(const TMeasure& other) const = default;

    void dump(std::ostream& out) const;

private:
    std::int16_t beatValue_ = 120;
    int beatsPerMeasure_ = 2;
};
