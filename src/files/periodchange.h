#pragma once

#include "model/period.h"

#include <string>
#include <vector>

// How one state of the composition differs from another: what an undo step must put back and
// what its name says.
struct TPeriodChange {
    // Sentences, phrases, phrase suffixes, motive counts, key, meter or upbeat differ: the
    // period must be replaced whole.
    bool shape = false;
    bool tempo = false;
    // Positions in strip order of the motives whose notes or chords differ (only when the shape
    // is the same).
    std::vector<int> motives;
    bool notes = false;  // some changed motive's notes differ
    bool chords = false; // some changed motive's chords differ
    // Every changed motive has neither notes nor chords afterwards.
    bool emptied = false;
    // No changed motive has notes afterwards.
    bool noNotesLeft = false;

    bool none() const { return !shape && !tempo && motives.empty(); }
};

TPeriodChange comparePeriods(const TPeriodData& before, const TPeriodData& after);

// Where the user's hand was when a change began.
enum class TChangeOrigin {
    Unknown,
    VariantChoice, // a press on a cell in a mode that offers variants
    Edit,          // a press on a cell in the edit mode
    Delete,        // a press on a cell in the delete mode
    Contour,       // a press on a cell in the contour mode
    Drop,          // a motive dropped on a cell
    Back,          // a cell's back button
    Forward,       // a cell's forward button
    FastMenu,      // a control of the fast menu
};

// The name of a change as the Edit menu shows it after "Undo" and "Redo" ("Choose Chord",
// "Sequence Up", "Change Tempo", ...). `dropSource` names where a dropped motive came from
// (the development technique's name, or empty for another cell).
std::string changeName(const TPeriodChange& change, TChangeOrigin origin,
                       const std::string& dropSource = {});
