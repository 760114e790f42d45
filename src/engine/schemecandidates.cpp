// Candidate notes of TScheme for interactive entry: what the schemes allow at one position.
#include "engine/scheme.h"

#include <cstdlib>

namespace {

constexpr int OFFERED_REST_PITCH = 24;

int pitchOf(const TTurnVector& pre, std::size_t i) {
    return i < pre.size() ? pre[i].pitch() : NO_PITCH;
}

// Whether preceding note i exists and is marked as a chord note.
bool isChordNote(const TTurnVector& pre, std::size_t i) {
    return i < pre.size() && pre[i].pitch() != NO_PITCH && pre[i].chordingNote();
}

void offer(variant_set& out, int pitch, bool chordTone, int turnIndex) {
    if (isInMelodyRange(pitch))
        out.insert(TScVariant(pitch, chordTone, turnIndex));
}

} // namespace

bool TScheme::closesMeasure(const TNote& previous) const {
    const int length = measure_.ticksPerMeasure();
    return previous.pitch() == NO_PITCH || length <= 0 || previous.end() % length == 0;
}

void TScheme::offerNeighbours(int p0, const TChord& chord, variant_set& out) const {
    for (int p : {chord.nonChordToneAbove(key_, p0, 1), chord.nonChordToneBelow(key_, p0, 1)})
        if (std::abs(p - p0) == 1)
            offer(out, p, false, -1);
}

// A turn that leaves a chord tone inside the measure goes on to one of its neighbours.
bool TScheme::offeredLeavingNeighbours(const TTurnVector& pre, int p0, const TChord& chord,
                                       variant_set& out) const {
    if (!isChordNote(pre, 0) || closesMeasure(pre[0]))
        return false;
    offerNeighbours(p0, chord, out);
    return true;
}

void TScheme::offerRepetition(const TTurnVector& pre, const TChord& chord, variant_set& out,
                              int idx) {
    const int p0 = pitchOf(pre, 0);
    if (p0 != NO_PITCH && chord.isChordTone(key_, p0))
        offer(out, p0, true, idx);
}

void TScheme::offerChordLeap(const TTurnVector& pre, const TChord& chord, variant_set& out, int idx,
                             int n) {
    const int p0 = pitchOf(pre, 0);
    if (p0 == NO_PITCH || !isChordNote(pre, 0))
        return;
    offer(out, chord.chordToneAbove(key_, p0, n), true, idx);
    offer(out, chord.chordToneBelow(key_, p0, n), true, idx);
}

void TScheme::offerChordLeap1(const TTurnVector& pre, const TChord& chord, variant_set& out,
                              int idx) {
    offerChordLeap(pre, chord, out, idx, 1);
}

void TScheme::offerChordLeap2(const TTurnVector& pre, const TChord& chord, variant_set& out,
                              int idx) {
    offerChordLeap(pre, chord, out, idx, 2);
}

void TScheme::offerChordLeap3(const TTurnVector& pre, const TChord& chord, variant_set& out,
                              int idx) {
    offerChordLeap(pre, chord, out, idx, 3);
}

void TScheme::offerNeighbour(const TTurnVector& pre, const TChord& chord, variant_set& out,
                             int idx) {
    const int p0 = pitchOf(pre, 0);
    if (p0 == NO_PITCH)
        return;
    if (offeredLeavingNeighbours(pre, p0, chord, out))
        return;
    const int p1 = pitchOf(pre, 1);
    if (isChordNote(pre, 1) && std::abs(p0 - p1) == 1) {
        const int back =
            p1 > p0 ? chord.chordToneAbove(key_, p0, 1) : chord.chordToneBelow(key_, p0, 1);
        if (std::abs(back - p0) == 1)
            offer(out, back, true, idx);
    }
}

void TScheme::offerPassing(const TTurnVector& pre, const TChord& chord, variant_set& out, int idx) {
    const int p0 = pitchOf(pre, 0);
    if (p0 == NO_PITCH)
        return;
    const bool closes = closesMeasure(pre[0]);
    if (offeredLeavingNeighbours(pre, p0, chord, out))
        return;
    const int p1 = pitchOf(pre, 1);
    const int p2 = pitchOf(pre, 2);
    if (p1 == NO_PITCH || std::abs(p0 - p1) != 1)
        return;
    if (!isChordNote(pre, 1) && !(p2 != NO_PITCH && p1 - p2 == p0 - p1))
        return;
    const int q = p0 + (p0 - p1);
    if (chord.isChordTone(key_, q))
        offer(out, q, true, idx);
    else if (!closes)
        offer(out, q, false, -1);
}

void TScheme::offerDoubleNeighbour(const TTurnVector& pre, const TChord& chord, variant_set& out,
                                   int idx) {
    const int p0 = pitchOf(pre, 0);
    if (p0 == NO_PITCH)
        return;
    const bool closes = closesMeasure(pre[0]);
    if (offeredLeavingNeighbours(pre, p0, chord, out))
        return;
    const int p1 = pitchOf(pre, 1);
    const int p2 = pitchOf(pre, 2);
    if (isChordNote(pre, 1) && !isChordNote(pre, 0) && std::abs(p0 - p1) == 1 && !closes) {
        const int q = p0 > p1 ? p0 - 2 : p0 + 2;
        if (!chord.isChordTone(key_, q))
            offer(out, q, false, -1);
    } else if (isChordNote(pre, 2) && p1 != NO_PITCH && !isChordNote(pre, 1) &&
               !isChordNote(pre, 0) && std::abs(p1 - p2) == 1 && std::abs(p0 - p1) >= 2) {
        const int back =
            p1 > p0 ? chord.chordToneAbove(key_, p0, 1) : chord.chordToneBelow(key_, p0, 1);
        if (std::abs(back - p0) == 1)
            offer(out, back, true, idx);
    }
}

void TScheme::offerAppoggiatura(const TTurnVector& pre, const TChord& chord, variant_set& out,
                                int idx) {
    const int p0 = pitchOf(pre, 0);
    if (p0 == NO_PITCH)
        return;
    if (isChordNote(pre, 0) && !closesMeasure(pre[0])) {
        for (int up : {1, 0}) {
            int p = p0;
            for (int leg = 0; leg < 2; ++leg) {
                p = up ? chord.nonChordToneAbove(key_, p, 1) : chord.nonChordToneBelow(key_, p, 1);
                if (leg == 0)
                    p = up ? chord.chordToneAbove(key_, p, 1) : chord.chordToneBelow(key_, p, 1);
            }
            offer(out, p, false, -1);
        }
        return;
    }
    const int p1 = pitchOf(pre, 1);
    if (isChordNote(pre, 1) && std::abs(p0 - p1) != 1) {
        for (int p : {chord.chordToneAbove(key_, p0, 1), chord.chordToneBelow(key_, p0, 1)})
            if (std::abs(p - p0) == 1)
                offer(out, p, true, idx);
    }
}

void TScheme::offerEscape(const TTurnVector& pre, const TChord& chord, variant_set& out, int idx) {
    const int p0 = pitchOf(pre, 0);
    if (p0 == NO_PITCH)
        return;
    if (offeredLeavingNeighbours(pre, p0, chord, out))
        return;
    const int p1 = pitchOf(pre, 1);
    if (isChordNote(pre, 1) && std::abs(p0 - p1) == 1) {
        offer(out, chord.chordToneAbove(key_, p0, 2), true, idx);
        offer(out, chord.chordToneBelow(key_, p0, 2), true, idx);
    }
}

void TScheme::noteCandidates(const TTurnVector& preceding, const TChord& chord, bool nextTurn,
                             bool nextDuration, bool chordTonesOnly, variant_set& candidates,
                             const TMeasure& measure, const TKey& key, int from, int to) {
    measure_ = measure;
    key_ = key;
    candidates.clear();
    const int room = to - from;
    if (room <= 0)
        return;

    if (durationsInOrder_ && !durations_.empty()) {
        int idx = nextDuration ? nextDurationIndex() : currentDurationIndex();
        int rest = durations_[static_cast<std::size_t>(idx)];
        if (rest < 0) {
            if (-rest > room) {
                rest = -room;
                idx = -1;
            }
            TScVariant offered;
            offered.pitch = OFFERED_REST_PITCH;
            offered.durations = {static_cast<DURATION>(rest)};
            offered.durationIndex = idx;
            candidates.insert(offered);
            return;
        }
    }

    if (turns_.empty()) {
        for (int p = MIN_MELODY_PITCH; p <= MAX_MELODY_PITCH; ++p)
            candidates.insert(TScVariant(p, chord.isChordTone(key_, p), -1));
    } else if (!chordTonesOnly) {
        auto run = [&](int g) {
            const int turn = turns_[static_cast<std::size_t>(g)];
            if (isPlacingTurn(turn))
                (this->*variantMakers_[static_cast<std::size_t>(turn)])(preceding, chord,
                                                                        candidates, g);
        };
        if (turnsInOrder_)
            run(nextTurn ? nextTurnIndex() : currentTurnIndex());
        else
            for (int g = 0; g < int(turns_.size()); ++g)
                run(g);
    }
    if (candidates.empty())
        for (int p : chord.chordTones(key_))
            offer(candidates, p, true, -1);

    TDurations offered;
    int durationIndex = -1;
    if (durations_.empty()) {
        for (int d = TICKS_PER_SIXTEENTH; d <= room; d += TICKS_PER_SIXTEENTH)
            offered.push_back(static_cast<DURATION>(d));
    } else {
        const int h = nextDuration ? nextDurationIndex() : currentDurationIndex();
        if (durationsInOrder_) {
            const DURATION d = durations_[static_cast<std::size_t>(h)];
            if (d > 0 && d <= room)
                offered.push_back(d);
            durationIndex = h;
        } else {
            for (DURATION d : durations_)
                if (d > 0 && d <= room)
                    offered.push_back(d);
        }
        if (offered.empty()) {
            offered.push_back(static_cast<DURATION>(room));
            durationIndex = -1;
        }
    }

    variant_set finished;
    while (!candidates.empty()) {
        auto node = candidates.extract(candidates.begin());
        TScVariant& v = node.value();
        v.durations = offered;
        v.durationIndex = durationIndex;
        v.sign = key_.isRaisedSeventh(v.pitch);
        finished.insert(std::move(node));
    }
    candidates.swap(finished);
}
