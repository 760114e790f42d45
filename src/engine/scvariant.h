#pragma once

#include "model/duration.h"

#include <cstddef>
#include <functional>
#include <unordered_set>
#include <vector>

// One candidate note offered for interactive entry.
class TScVariant {
public:
    TScVariant() = default;
    TScVariant(int pitch, bool chordTone, int turnIndex)
        : pitch(pitch), chordTone(chordTone), turnIndex(turnIndex) {}
    virtual ~TScVariant() = default;

    int pitch = 0;
    bool sign = false; // the raised seventh of a minor key
    std::vector<DURATION> durations;
    bool chordTone = false;
    int turnIndex = -1;     // scheme position of the turn that proposed the pitch
    int durationIndex = -1; // scheme position of the offered duration in in-order mode
};

struct TScVariantHash {
    std::size_t operator()(const TScVariant& v) const { return std::hash<int>()(v.pitch); }
};

struct TScVariantEqual {
    bool operator()(const TScVariant& a, const TScVariant& b) const { return a.pitch == b.pitch; }
};

// At most one candidate per pitch; inserting a present pitch keeps the present candidate.
using variant_set = std::unordered_set<TScVariant, TScVariantHash, TScVariantEqual>;
