// The note-run transformations of the development effects and the group variation.
#include "engine/effect.h"

#include "engine/scheme.h"
#include "model/random.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace {

std::vector<int> pitchesOf(const TNoteList& notes) {
    std::vector<int> pitches;
    for (const TNote& note : notes)
        pitches.push_back(note.pitch());
    return pitches;
}

void setPitches(TNoteList& notes, const std::vector<int>& pitches) {
    for (std::size_t i = 0; i < notes.size(); ++i)
        notes[i].setPitch(pitches[i]);
}

int totalDuration(const TNoteList& notes) {
    int sum = 0;
    for (const TNote& note : notes)
        sum += std::abs(note.duration());
    return sum;
}

bool hasVariedRhythm(const TNoteList& group) {
    if (group.size() < 2)
        return false;
    return std::any_of(group.begin(), group.end(),
                       [&](const TNote& n) { return n.duration() != group.front().duration(); });
}

} // namespace

TDurations TEffect::rhythmSequence(const TNoteList& notes) {
    if (notes.empty())
        return {};
    return rhythmSequence(notes, notes.front().time(), notes.back().end());
}

TDurations TEffect::rhythmSequence(const TNoteList& notes, int from, int to) {
    TDurations sequence;
    int position = from;
    for (const TNote& note : notes) {
        if (note.time() > position)
            sequence.push_back(static_cast<DURATION>(position - note.time()));
        sequence.push_back(note.duration());
        position = std::max(position, note.time()) + std::abs(note.duration());
    }
    if (position < to)
        sequence.push_back(static_cast<DURATION>(position - to));
    return sequence;
}

void TEffect::reassignRhythm(TNoteList& notes, const TDurations& sequence, int from) {
    int position = from;
    std::size_t next = 0;
    for (DURATION d : sequence) {
        if (d > 0 && next < notes.size()) {
            notes[next].setTime(position);
            notes[next].setDuration(d);
            ++next;
        }
        position += std::abs(d);
    }
}

void TEffect::retrogradeRhythm(TNoteList& notes) {
    if (notes.empty())
        return;
    TDurations sequence = rhythmSequence(notes);
    std::reverse(sequence.begin(), sequence.end());
    reassignRhythm(notes, sequence, notes.front().time());
}

void TEffect::retrogradePitches(TNoteList& notes) {
    std::vector<int> pitches = pitchesOf(notes);
    std::reverse(pitches.begin(), pitches.end());
    setPitches(notes, pitches);
}

void TEffect::shuffleRhythm(TNoteList& notes, TRandomGenerator& random) {
    if (notes.empty())
        return;
    TDurations sequence = rhythmSequence(notes);
    shuffleFromSecond(sequence, random);
    reassignRhythm(notes, sequence, notes.front().time());
}

void TEffect::shufflePitches(TNoteList& notes, TRandomGenerator& random) {
    std::vector<int> pitches = pitchesOf(notes);
    shuffleFromSecond(pitches, random);
    setPitches(notes, pitches);
}

void TEffect::mirrorNonChord(TNoteList& notes, TURN_ROUND turn) {
    auto mirrorSecondAbout = [&](std::size_t axis) {
        if (notes.size() <= std::max<std::size_t>(axis, 1))
            return;
        const int mirrored = 2 * notes[axis].pitch() - notes[1].pitch();
        if (isInMelodyRange(mirrored))
            notes[1].setPitch(mirrored);
    };
    switch (turn) {
    case NEIGHBOUR:
    case ESCAPE:
        mirrorSecondAbout(0);
        break;
    case DOUBLE_NEIGHBOUR:
        if (notes.size() >= 3) {
            const int second = notes[1].pitch();
            notes[1].setPitch(notes[2].pitch());
            notes[2].setPitch(second);
        }
        break;
    case APPOGGIATURA:
        mirrorSecondAbout(2);
        break;
    default:
        break;
    }
}

void TEffect::splitNote(TNoteList& notes, TRandomGenerator& random) {
    if (notes.size() != 2)
        return;
    int a = random.draw(2);
    if (notes[std::size_t(a)].duration() == SIXTEENTH)
        a = 1 - a;
    const TNote split = notes[std::size_t(a)];
    const int n = split.duration() / TICKS_PER_SIXTEENTH;
    if (n < 2) // two sixteenths: nothing can be split
        return;
    const int h = random.draw(n - 1) + 1;
    const int v = random.draw(2);
    const int s = random.draw(2) != 0 ? -1 : 1;
    const int base = notes[std::size_t(v)].pitch();
    const int newPitch = isInMelodyRange(base + s) ? base + s : base - s;

    TNote first = split;
    first.setDuration(static_cast<DURATION>(h * TICKS_PER_SIXTEENTH));
    TNote second = split;
    second.setTime(split.time() + h * TICKS_PER_SIXTEENTH);
    second.setDuration(static_cast<DURATION>((n - h) * TICKS_PER_SIXTEENTH));
    // The half next to the other note of the group takes the new pitch.
    (a == 0 ? second : first).setPitch(newPitch);
    const TNote other = notes[std::size_t(1 - a)];
    notes = a == 0 ? TNoteList{first, second, other} : TNoteList{other, first, second};
}

void TEffect::mergeNotes(TNoteList& notes, TRandomGenerator& random) {
    if (notes.size() != 2)
        return;
    TNote merged = notes[0];
    merged.setPitch(notes[std::size_t(random.draw(2))].pitch());
    merged.setDuration(static_cast<DURATION>(notes[1].end() - notes[0].time()));
    notes = {merged};
}

void TEffect::applyVaryType(TNoteList& notes, VARY_TYPE operation, TURN_ROUND turn,
                            TRandomGenerator& random) {
    switch (operation) {
    case RHYTHM_RETROGRADE:
        retrogradeRhythm(notes);
        break;
    case PITCH_RETROGRADE:
        retrogradePitches(notes);
        break;
    case RHYTHM_SHUFFLE:
        shuffleRhythm(notes, random);
        break;
    case PITCH_SHUFFLE:
        shufflePitches(notes, random);
        break;
    case MIRROR_NON_CHORD:
        mirrorNonChord(notes, turn);
        break;
    case SPLIT_NOTE:
        splitNote(notes, random);
        break;
    case MERGE_NOTES:
        mergeNotes(notes, random);
        break;
    }
}

std::vector<TEffect::VARY_TYPE> TEffect::applicableOperations(const TNoteList& group,
                                                              TURN_ROUND turn) {
    const bool varied = hasVariedRhythm(group);
    // Split and merge work on two-note groups only.
    const bool pair = group.size() == 2;
    const bool isLong = totalDuration(group) > 2 * SIXTEENTH;
    const std::size_t size = group.size();
    std::vector<VARY_TYPE> ops;
    auto add = [&](bool condition, VARY_TYPE op) {
        if (condition)
            ops.push_back(op);
    };
    switch (turn) {
    case REPETITION:
        add(varied, RHYTHM_RETROGRADE);
        add(isLong && pair, SPLIT_NOTE);
        add(pair, MERGE_NOTES);
        break;
    case CHORD_LEAP_1:
    case CHORD_LEAP_2:
    case CHORD_LEAP_3:
        add(true, PITCH_RETROGRADE);
        add(varied, RHYTHM_RETROGRADE);
        add(isLong && pair, SPLIT_NOTE);
        add(pair, MERGE_NOTES);
        break;
    case NEIGHBOUR:
    case DOUBLE_NEIGHBOUR:
        add(varied, RHYTHM_RETROGRADE);
        add(true, PITCH_RETROGRADE);
        add(true, RHYTHM_SHUFFLE);
        add(true, PITCH_SHUFFLE);
        add(true, MIRROR_NON_CHORD);
        break;
    case PASSING:
        add(varied, RHYTHM_RETROGRADE);
        add(true, PITCH_RETROGRADE);
        add(size > 2, RHYTHM_SHUFFLE);
        add(size > 2, PITCH_SHUFFLE);
        break;
    case APPOGGIATURA:
        add(varied, RHYTHM_RETROGRADE);
        add(true, PITCH_RETROGRADE);
        add(size >= 3, RHYTHM_SHUFFLE);
        add(size >= 3, PITCH_SHUFFLE);
        add(size >= 3, MIRROR_NON_CHORD);
        break;
    case ESCAPE:
        add(varied, RHYTHM_RETROGRADE);
        add(true, PITCH_RETROGRADE);
        add(size > 2, RHYTHM_SHUFFLE);
        add(size > 2, PITCH_SHUFFLE);
        add(true, MIRROR_NON_CHORD);
        break;
    default:
        break;
    }
    return ops;
}

void TEffect::invertPart(TNoteList& notes) {
    // Each note mirrors its interval from the previous note's old pitch onto that note's new
    // pitch.
    const std::vector<int> old = pitchesOf(notes);
    for (std::size_t i = 1; i < notes.size(); ++i) {
        const int inverted = notes[i - 1].pitch() + old[i - 1] - old[i];
        if (isInMelodyRange(inverted))
            notes[i].setPitch(inverted);
    }
}

void TEffect::removeRandomNotes(TNoteList& notes, TRandomGenerator& random) {
    const int n = int(notes.size());
    if (n < 2)
        return;
    const int k = random.draw(n - 1) + 1;
    for (int i = 0; i < k; ++i)
        notes.erase(notes.begin() + random.draw(int(notes.size())));
}

std::vector<TNoteList> TEffect::notesByPart(const TMotive& motive) {
    std::vector<TNoteList> parts;
    for (const TMeasurePart& part : measureParts(motive.ticksPerMeasure(), motive.zatakt())) {
        TNoteList notes;
        for (const TNote& note : motive.notes())
            if (note.time() >= part.from && note.time() < part.to)
                notes.push_back(note);
        parts.push_back(notes);
    }
    return parts;
}

TNoteList TEffect::joinParts(const std::vector<TNoteList>& parts) {
    TNoteList notes;
    for (const TNoteList& part : parts)
        notes.insert(notes.end(), part.begin(), part.end());
    return notes;
}

void TEffect::newRhythm(TMotive& motive, int mode, TRandomGenerator& random) {
    const std::vector<TMeasurePart> ranges =
        measureParts(motive.ticksPerMeasure(), motive.zatakt());
    std::vector<TNoteList> parts = notesByPart(motive);
    for (std::size_t p = 0; p < parts.size(); ++p) {
        TDurations sequence = rhythmSequence(parts[p], ranges[p].from, ranges[p].to);
        const int n = int(sequence.size());
        if (mode == 0) {
            shuffleFromSecond(sequence, random);
        } else if (n >= 2) {
            const int moves = random.draw(5) + 1;
            for (int m = 0; m < moves; ++m) {
                const int i = random.draw(n);
                int j = random.draw(n - 1);
                if (j >= i)
                    ++j;
                DURATION& di = sequence[std::size_t(i)];
                DURATION& dj = sequence[std::size_t(j)];
                const int units = (std::abs(di) + std::abs(dj)) / TICKS_PER_SIXTEENTH;
                const int g = random.draw(units - 1) + 1;
                di = static_cast<DURATION>((di < 0 ? -g : g) * TICKS_PER_SIXTEENTH);
                dj = static_cast<DURATION>((dj < 0 ? g - units : units - g) * TICKS_PER_SIXTEENTH);
            }
        }
        reassignRhythm(parts[p], sequence, ranges[p].from);
    }
    motive.notes() = joinParts(parts);
}

void TEffect::otherEffect(TMotive& motive, int kind, TRandomGenerator& random) {
    std::vector<TNoteList> parts = notesByPart(motive);
    for (TNoteList& part : parts) {
        switch (kind) {
        case 0:
            invertPart(part);
            break;
        case 1:
            retrogradeRhythm(part);
            break;
        case 2:
            retrogradePitches(part);
            break;
        case 3:
            retrogradeRhythm(part);
            retrogradePitches(part);
            break;
        case 4:
            shufflePitches(part, random);
            break;
        case 5:
            shuffleRhythm(part, random);
            shufflePitches(part, random);
            break;
        default:
            break;
        }
    }
    motive.notes() = joinParts(parts);
}

void TEffect::varyPart(TNoteList& notes, const TKey& key) const {
    if (notes.empty())
        return;
    TRandomGenerator& random = scheme_.random();
    const int steps = random.draw(3) + 1;
    for (int step = 0; step < steps; ++step) {
        // The catalogue's positions rather than copies of its chords.
        std::vector<std::size_t> pool(scheme_.chords().size());
        std::iota(pool.begin(), pool.end(), std::size_t(0));
        TTurnAnalysis analysis;
        bool found = false;
        while (!pool.empty() && !found) {
            const auto at = pool.begin() + random.draw(int(pool.size()));
            analysis = scheme_.turnsOfNotes(notes, scheme_.chords()[*at], key);
            found = analysis.complete;
            if (!found)
                pool.erase(at);
        }
        if (!found || analysis.turns.empty())
            return;
        const int g = random.draw(int(analysis.turns.size()));
        int first = -g;
        for (int i = 0; i < g; ++i)
            first += analysis.turns[std::size_t(i)].noteCount;
        const TTurnRoundWithDir& turn = analysis.turns[std::size_t(g)];
        const int count = std::max(turn.noteCount, 1);
        if (first < 0 || first + count > int(notes.size()))
            return;
        TNoteList group(notes.begin() + first, notes.begin() + first + count);
        const std::vector<VARY_TYPE> ops = applicableOperations(group, turn.turn);
        if (ops.empty())
            continue;
        applyVaryType(group, ops[std::size_t(random.draw(int(ops.size())))], turn.turn, random);
        notes.erase(notes.begin() + first, notes.begin() + first + count);
        notes.insert(notes.begin() + first, group.begin(), group.end());
    }
}

bool isFreshVariant(const TMotive& candidate, const TMotive& source, const TMotives& produced) {
    if (candidate.sameContent(source))
        return false;
    return std::none_of(produced.begin(), produced.end(),
                        [&](const TMotive& m) { return candidate.sameContent(m); });
}
