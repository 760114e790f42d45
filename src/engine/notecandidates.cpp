#include "engine/notecandidates.h"

#include <array>
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

void offerPitch(variant_set& out, int pitch, bool chordTone, int turnIndex) {
    if (isInMelodyRange(pitch))
        out.insert(TScVariant(pitch, chordTone, turnIndex));
}

} // namespace

bool TNoteCandidates::closesMeasure(const TNote& previous) const {
    const int length = measure_.ticksPerMeasure();
    return previous.pitch() == NO_PITCH || length <= 0 || previous.end() % length == 0;
}

void TNoteCandidates::offerNeighbours(int p0, const TChord& chord, variant_set& out) const {
    for (int p : {chord.nonChordToneAbove(key_, p0, 1), chord.nonChordToneBelow(key_, p0, 1)})
        if (std::abs(p - p0) == 1)
            offerPitch(out, p, false, -1);
}

// A turn that leaves a chord tone inside the measure goes on to one of its neighbours.
bool TNoteCandidates::offeredLeavingNeighbours(const TTurnVector& pre, int p0, const TChord& chord,
                                               variant_set& out) const {
    if (!isChordNote(pre, 0) || closesMeasure(pre[0]))
        return false;
    offerNeighbours(p0, chord, out);
    return true;
}

void TNoteCandidates::offerRepetition(const TTurnVector& pre, const TChord& chord, variant_set& out,
                                      int idx) const {
    const int p0 = pitchOf(pre, 0);
    if (p0 != NO_PITCH && chord.isChordTone(key_, p0))
        offerPitch(out, p0, true, idx);
}

void TNoteCandidates::offerChordLeap(const TTurnVector& pre, const TChord& chord, variant_set& out,
                                     int idx, int n) const {
    const int p0 = pitchOf(pre, 0);
    if (p0 == NO_PITCH || !isChordNote(pre, 0))
        return;
    offerPitch(out, chord.chordToneAbove(key_, p0, n), true, idx);
    offerPitch(out, chord.chordToneBelow(key_, p0, n), true, idx);
}

void TNoteCandidates::offerChordLeap1(const TTurnVector& pre, const TChord& chord, variant_set& out,
                                      int idx) const {
    offerChordLeap(pre, chord, out, idx, 1);
}

void TNoteCandidates::offerChordLeap2(const TTurnVector& pre, const TChord& chord, variant_set& out,
                                      int idx) const {
    offerChordLeap(pre, chord, out, idx, 2);
}

void TNoteCandidates::offerChordLeap3(const TTurnVector& pre, const TChord& chord, variant_set& out,
                                      int idx) const {
    offerChordLeap(pre, chord, out, idx, 3);
}

void TNoteCandidates::offerNeighbour(const TTurnVector& pre, const TChord& chord, variant_set& out,
                                     int idx) const {
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
            offerPitch(out, back, true, idx);
    }
}

void TNoteCandidates::offerPassing(const TTurnVector& pre, const TChord& chord, variant_set& out,
                                   int idx) const {
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
        offerPitch(out, q, true, idx);
    else if (!closes)
        offerPitch(out, q, false, -1);
}

void TNoteCandidates::offerDoubleNeighbour(const TTurnVector& pre, const TChord& chord,
                                           variant_set& out, int idx) const {
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
            offerPitch(out, q, false, -1);
    } else if (isChordNote(pre, 2) && p1 != NO_PITCH && !isChordNote(pre, 1) &&
               !isChordNote(pre, 0) && std::abs(p1 - p2) == 1 && std::abs(p0 - p1) >= 2) {
        const int back =
            p1 > p0 ? chord.chordToneAbove(key_, p0, 1) : chord.chordToneBelow(key_, p0, 1);
        if (std::abs(back - p0) == 1)
            offerPitch(out, back, true, idx);
    }
}

void TNoteCandidates::offerAppoggiatura(const TTurnVector& pre, const TChord& chord,
                                        variant_set& out, int idx) const {
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
            offerPitch(out, p, false, -1);
        }
        return;
    }
    const int p1 = pitchOf(pre, 1);
    if (isChordNote(pre, 1) && std::abs(p0 - p1) != 1) {
        for (int p : {chord.chordToneAbove(key_, p0, 1), chord.chordToneBelow(key_, p0, 1)})
            if (std::abs(p - p0) == 1)
                offerPitch(out, p, true, idx);
    }
}

void TNoteCandidates::offerEscape(const TTurnVector& pre, const TChord& chord, variant_set& out,
                                  int idx) const {
    const int p0 = pitchOf(pre, 0);
    if (p0 == NO_PITCH)
        return;
    if (offeredLeavingNeighbours(pre, p0, chord, out))
        return;
    const int p1 = pitchOf(pre, 1);
    if (isChordNote(pre, 1) && std::abs(p0 - p1) == 1) {
        offerPitch(out, chord.chordToneAbove(key_, p0, 2), true, idx);
        offerPitch(out, chord.chordToneBelow(key_, p0, 2), true, idx);
    }
}

void TNoteCandidates::offer(TURN_ROUND turn, const TTurnVector& preceding, const TChord& chord,
                            variant_set& out, int turnIndex) const {
    static constexpr std::array<TMaker, TURN_KIND_COUNT> makers{
        nullptr,
        &TNoteCandidates::offerRepetition,
        &TNoteCandidates::offerChordLeap1,
        &TNoteCandidates::offerChordLeap2,
        &TNoteCandidates::offerChordLeap3,
        &TNoteCandidates::offerNeighbour,
        &TNoteCandidates::offerPassing,
        &TNoteCandidates::offerDoubleNeighbour,
        &TNoteCandidates::offerAppoggiatura,
        &TNoteCandidates::offerEscape};
    if (isPlacingTurn(turn))
        (this->*makers[turn])(preceding, chord, out, turnIndex);
}

bool TNoteCandidates::offeredRest(bool nextDuration, int room, variant_set& candidates) const {
    const TDurations& durations = rhythm_.durations();
    if (!rhythm_.inOrder() || durations.empty())
        return false;
    int idx = nextDuration ? rhythm_.nextIndex() : rhythm_.currentIndex();
    int rest = durations[static_cast<std::size_t>(idx)];
    if (rest >= 0)
        return false;
    if (-rest > room) {
        rest = -room;
        idx = -1;
    }
    TScVariant offered;
    offered.pitch = OFFERED_REST_PITCH;
    offered.durations = {static_cast<DURATION>(rest)};
    offered.durationIndex = idx;
    candidates.insert(offered);
    return true;
}

TDurations TNoteCandidates::offeredDurations(bool nextDuration, int room,
                                             int& durationIndex) const {
    const TDurations& durations = rhythm_.durations();
    TDurations offered;
    durationIndex = -1;
    if (durations.empty()) {
        for (int d = TICKS_PER_SIXTEENTH; d <= room; d += TICKS_PER_SIXTEENTH)
            offered.push_back(static_cast<DURATION>(d));
        return offered;
    }
    const int h = nextDuration ? rhythm_.nextIndex() : rhythm_.currentIndex();
    if (rhythm_.inOrder()) {
        const DURATION d = durations[static_cast<std::size_t>(h)];
        if (d > 0 && d <= room)
            offered.push_back(d);
        durationIndex = h;
    } else {
        for (DURATION d : durations)
            if (d > 0 && d <= room)
                offered.push_back(d);
    }
    if (offered.empty()) {
        offered.push_back(static_cast<DURATION>(room));
        durationIndex = -1;
    }
    return offered;
}

void TNoteCandidates::collect(const TTurnVector& preceding, const TChord& chord, bool nextTurn,
                              bool nextDuration, bool chordTonesOnly, variant_set& candidates,
                              int from, int to) const {
    candidates.clear();
    const int room = to - from;
    if (room <= 0)
        return;
    if (offeredRest(nextDuration, room, candidates))
        return;

    const TTurns& turns = pitch_.turns();
    if (turns.empty()) {
        for (int p = MIN_MELODY_PITCH; p <= MAX_MELODY_PITCH; ++p)
            candidates.insert(TScVariant(p, chord.isChordTone(key_, p), -1));
    } else if (!chordTonesOnly) {
        auto run = [&](int g) {
            offer(turns[static_cast<std::size_t>(g)], preceding, chord, candidates, g);
        };
        if (pitch_.inOrder())
            run(nextTurn ? pitch_.nextIndex() : pitch_.currentIndex());
        else
            for (int g = 0; g < int(turns.size()); ++g)
                run(g);
    }
    if (candidates.empty())
        for (int p : chord.chordTones(key_))
            offerPitch(candidates, p, true, -1);

    int durationIndex = -1;
    const TDurations offered = offeredDurations(nextDuration, room, durationIndex);
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
