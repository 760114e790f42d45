#pragma once

#include "model/motive.h"

#include <vector>

// Where a motive stands for harmonisation: which motive its harmony continues from, if any.
enum TContextCode : int {
    CONTEXT_FIRST_WITH_UPBEAT = 0, // first motive of the period, with an upbeat
    CONTEXT_FIRST = 1,             // first motive of the period, without one
    CONTEXT_NEW_GROUP = 2,         // starts a new sentence; the upbeat chord comes from the last
    CONTEXT_NONE = 3,              // nothing to continue from
    CONTEXT_CONTINUES = 4,         // continues the preceding motive of its sentence
};

// One motive cell of the period strip.
struct TContextCell {
    const TMotive* motive = nullptr;
    int group = 0; // the label number of the cell's sentence
    bool selected = false;
};

struct TMotiveContext {
    const TMotive* motive = nullptr; // the motive to continue from; null when none
    int cell = -1;                   // its cell, so the caller can reach the cell's canvas
    TContextCode code = CONTEXT_NONE;
};

// The context of `motive` among `cells` (in strip order). A motive in no cell (one shown in a
// development panel) is taken as the successor of the selected cell's motive.
TMotiveContext contextMotive(const std::vector<TContextCell>& cells, const TMotive* motive);
