#pragma once

#include "model/motive.h"
#include "model/period.h"
#include "model/playunit.h"

#include <optional>
#include <vector>

// Turns motives, queued one after another, into play units: where each motive starts, which
// chords sound and when they are released, held or struck again across a motive boundary, the
// pulse, and the melody. It knows nothing of time passing: the motive player feeds its units to
// a timer, the MIDI export writes them to a file.
//
// Every motive joins where the previous one ended (at the next bar line when the upbeat
// changes); a motive that joins no chord strikes its first chord with its first note, the
// pickup when it has an upbeat. The chord that sounds past the last planned motive has its
// note-offs in pending() until the next motive decides whether it is held or released.
class TPlayPlanner {
public:
    // With the pulse, the planner also marks the first and last unit of every motive that has a
    // listener; the export plans without either.
    explicit TPlayPlanner(bool withPulse);

    // The units of `motive` after those planned so far, in playing order; replaces pending().
    std::vector<TPlayUnit> queue(const TMotive& motive, TMotivePlayerListener* listener);
    // Note-offs of the chord that sounds past the last planned motive.
    const std::vector<TPlayUnit>& pending() const { return pending_; }
    // Hands the pending note-offs out and forgets them.
    std::vector<TPlayUnit> takePending();
    // Forgets every planned motive: the next one starts at tick 0.
    void clear();
    // The clock time at which the next motive joins (before bar-line rounding).
    int offset() const { return offset_; }

private:
    bool withPulse_;
    std::vector<TPlayUnit> pending_;
    std::optional<TMotive> previous_;
    int offset_ = 0;
};

// The units of the whole period, motives in strip order, planned without pulse or listeners:
// what "Play all" sounds, as the exports need it.
std::vector<TPlayUnit> periodPlayUnits(const TPeriodData& period);
