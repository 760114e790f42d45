// The operations on a motive's design and the relative variation built from them.
#include "engine/effect.h"

#include "engine/scheme.h"
#include "model/random.h"

#include <cstdlib>
#include <numeric>

namespace {

// A pair (i, i + 1) of entries that begin in the same measure, and for a swap also differ;
// -1 when there is none.
int findNeighbourPair(const TDurations& rhythm, int start, int measureLength, bool unequal,
                      TRandomGenerator& random) {
    const int n = int(rhythm.size());
    if (n < 2)
        return -1;
    std::vector<int> measureOf(std::size_t(n), 0);
    int position = start;
    for (int i = 0; i < n; ++i) {
        measureOf[std::size_t(i)] = position / measureLength;
        position += std::abs(rhythm[std::size_t(i)]);
    }
    std::vector<int> candidates(std::size_t(n - 1));
    std::iota(candidates.begin(), candidates.end(), 0);
    while (!candidates.empty()) {
        const auto at = candidates.begin() + random.draw(int(candidates.size()));
        const std::size_t i = std::size_t(*at);
        const bool sameMeasure = measureOf[i] == measureOf[i + 1];
        if (sameMeasure && (!unequal || rhythm[i] != rhythm[i + 1]))
            return *at;
        candidates.erase(at);
    }
    return -1;
}

} // namespace

bool TEffect::relSplit(TDurations& rhythm, TRandomGenerator& random) {
    std::vector<int> candidates(rhythm.size());
    std::iota(candidates.begin(), candidates.end(), 0);
    while (!candidates.empty()) {
        const auto at = candidates.begin() + random.draw(int(candidates.size()));
        const std::size_t i = std::size_t(*at);
        const int d = rhythm[i];
        // Sixteenths cannot be split, and rests are not.
        if (d < 2 * TICKS_PER_SIXTEENTH) {
            candidates.erase(at);
            continue;
        }
        const int n = d / TICKS_PER_SIXTEENTH;
        const int h = random.draw(n - 1) + 1;
        rhythm[i] = static_cast<DURATION>(h * TICKS_PER_SIXTEENTH);
        rhythm.insert(rhythm.begin() + std::ptrdiff_t(i) + 1,
                      static_cast<DURATION>(d - h * TICKS_PER_SIXTEENTH));
        return true;
    }
    return false;
}

bool TEffect::relMerge(TDurations& rhythm, int start, int measureLength, TRandomGenerator& random) {
    const int i = findNeighbourPair(rhythm, start, measureLength, false, random);
    if (i < 0)
        return false;
    const std::size_t at = std::size_t(i);
    rhythm[at] = static_cast<DURATION>(std::abs(rhythm[at]) + std::abs(rhythm[at + 1]));
    rhythm.erase(rhythm.begin() + std::ptrdiff_t(at) + 1);
    return true;
}

bool TEffect::relSwapRhythm(TDurations& rhythm, int start, int measureLength,
                            TRandomGenerator& random) {
    const int i = findNeighbourPair(rhythm, start, measureLength, true, random);
    if (i < 0)
        return false;
    std::swap(rhythm[std::size_t(i)], rhythm[std::size_t(i) + 1]);
    return true;
}

bool TEffect::relChangeTurn(TTurnsWithDir& turns, TRandomGenerator& random) {
    if (turns.empty())
        return false;
    TTurnRoundWithDir& record = turns[std::size_t(random.draw(int(turns.size())))];
    TURN_ROUND turn = record.turn;
    while (turn == record.turn)
        turn = static_cast<TURN_ROUND>(random.draw(9) + 1);
    record = TTurnRoundWithDir(turn, record.up, 0, true);
    return true;
}

bool TEffect::relChangeTurnDir(TTurnsWithDir& turns, TRandomGenerator& random) {
    if (turns.empty())
        return false;
    TTurnRoundWithDir& record = turns[std::size_t(random.draw(int(turns.size())))];
    record.up = !record.up;
    return true;
}

bool TEffect::relSwapTurn(TTurnsWithDir& turns, TRandomGenerator& random) {
    if (turns.size() < 2)
        return false;
    std::vector<int> candidates(turns.size() - 1);
    std::iota(candidates.begin(), candidates.end(), 0);
    while (!candidates.empty()) {
        const auto at = candidates.begin() + random.draw(int(candidates.size()));
        const std::size_t i = std::size_t(*at);
        if (turns[i].turn != turns[i + 1].turn) {
            std::swap(turns[i], turns[i + 1]);
            return true;
        }
        candidates.erase(at);
    }
    return false;
}

void TEffect::relativeVariation(const TDurations& rhythm, const TTurnsWithDir& turns,
                                const TLights& beacons, TMotive& target) {
    TDurations newRhythm = rhythm;
    TTurnsWithDir newTurns = turns;
    std::vector<REL_VARY_TYPE> pending{REL_SPLIT,       REL_MERGE,           REL_SWAP_RHYTHM,
                                       REL_CHANGE_TURN, REL_CHANGE_TURN_DIR, REL_SWAP_TURN};
    TRandomGenerator& random = scheme_.random();
    int wanted = random.draw(3) + 1;
    const int start = target.upbeatStart();
    const int measureLength = target.ticksPerMeasure();
    while (!pending.empty() && wanted > 0) {
        const auto at = pending.begin() + random.draw(int(pending.size()));
        bool changed = false;
        switch (*at) {
        case REL_SPLIT:
            changed = relSplit(newRhythm, random);
            break;
        case REL_MERGE:
            changed = relMerge(newRhythm, start, measureLength, random);
            break;
        case REL_SWAP_RHYTHM:
            changed = relSwapRhythm(newRhythm, start, measureLength, random);
            break;
        case REL_CHANGE_TURN:
            changed = relChangeTurn(newTurns, random);
            break;
        case REL_CHANGE_TURN_DIR:
            changed = relChangeTurnDir(newTurns, random);
            break;
        case REL_SWAP_TURN:
            changed = relSwapTurn(newTurns, random);
            break;
        }
        if (changed)
            --wanted;
        pending.erase(at);
    }
    scheme_.regenerateMotive(newRhythm, newTurns, beacons, target);
}
