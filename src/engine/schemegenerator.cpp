#include "engine/schemegenerator.h"

#include "engine/scheme.h"
#include "model/random.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int ATTEMPTS = 10;

const TDurations SHORT_DURATIONS{60, 90, 30};
const TDurations LONG_DURATIONS{240, 210, 180, 150, 120};
const TDurations NOTE_DURATIONS{30, 60, 90, 120, 150, 180, 210, 240};
const TDurations REST_DURATIONS{-30, -60, -90, -120, -150, -180, -210, -240};
const TTurns SMALL_TURNS{REPETITION, CHORD_LEAP_1, PASSING, NEIGHBOUR, DOUBLE_NEIGHBOUR};
const TTurns LARGE_TURNS{CHORD_LEAP_2, CHORD_LEAP_3, APPOGGIATURA, ESCAPE};
const TTurns CHORD_TURNS{REPETITION, CHORD_LEAP_1, CHORD_LEAP_2, CHORD_LEAP_3};
const TTurns NON_CHORD_TURNS{NEIGHBOUR, PASSING, DOUBLE_NEIGHBOUR, APPOGGIATURA, ESCAPE};
const TTurns ALL_TURNS{REPETITION, CHORD_LEAP_1,     CHORD_LEAP_2, CHORD_LEAP_3, NEIGHBOUR,
                       PASSING,    DOUBLE_NEIGHBOUR, APPOGGIATURA, ESCAPE};

constexpr int MIN_NOTE = 30;
constexpr int MAX_NOTE = 240;

const TTurns& smoothSuccessors(int turn) {
    return isSmallTurn(turn) ? SMALL_TURNS : LARGE_TURNS;
}
const TTurns& jerkySuccessors(int turn) {
    return isSmallTurn(turn) ? LARGE_TURNS : SMALL_TURNS;
}

template <class T> T pick(const std::vector<T>& items, TRandomGenerator& random) {
    return items[static_cast<std::size_t>(random.draw(int(items.size())))];
}

bool changesTurn(const TTurns& turns) {
    return std::adjacent_find(turns.begin(), turns.end(), std::not_equal_to<>()) != turns.end();
}

// Calls `visit(earlier, current)` for each note that follows an earlier note of its measure.
template <class Visit>
void forEachNotePair(const TDurations& durations, int measureLength, int upbeat, Visit visit) {
    int t = layoutStart(measureLength, upbeat);
    int measure = -1;
    int earlier = 0;
    for (DURATION d : durations) {
        const int m = measureLength > 0 ? t / measureLength : 0;
        if (m != measure) {
            measure = m;
            earlier = 0;
        }
        if (d > 0) {
            if (earlier > 0)
                visit(earlier, int(d));
            earlier = d;
        }
        t += std::abs(d);
    }
}

} // namespace

void uniformityFill(TDurations& out, int from, int to, bool uniform, TRandomGenerator& random) {
    const int first = std::min((to - from) / MIN_NOTE, 8);
    if (first < 1) {
        out.push_back(static_cast<DURATION>(from - to));
        return;
    }
    out.push_back(static_cast<DURATION>((random.draw(first) + 1) * MIN_NOTE));
    int t = from + out.back();
    std::vector<int> candidates;
    while (t < to) {
        const int room = to - t;
        const int s = std::abs(out.back());
        candidates.clear();
        auto consider = [&](int d) {
            if (d >= MIN_NOTE && d <= MAX_NOTE && d <= room)
                candidates.push_back(d);
        };
        if (uniform) {
            consider(s);
            consider(s + MIN_NOTE);
            consider(s - MIN_NOTE);
        } else {
            for (int j = 2; j <= 7; ++j) {
                consider(s + MIN_NOTE * j);
                consider(s - MIN_NOTE * j);
            }
        }
        if (candidates.empty()) {
            out.push_back(static_cast<DURATION>(-room));
            return;
        }
        const int d = pick(candidates, random);
        out.push_back(static_cast<DURATION>(d));
        t += d;
    }
}

void dynamicsFill(TDurations& out, int from, int to, bool shrinking, TRandomGenerator& random) {
    TDurations candidates;
    int previous = 0;
    for (int t = from; t < to;) {
        const int room = to - t;
        candidates.clear();
        for (DURATION d : NOTE_DURATIONS) {
            const bool follows = previous == 0 || (shrinking ? d < previous : d > previous);
            if (d <= room && follows)
                candidates.push_back(d);
        }
        if (candidates.empty()) {
            out.push_back(static_cast<DURATION>(-room));
            return;
        }
        previous = pick(candidates, random);
        out.push_back(static_cast<DURATION>(previous));
        t += previous;
    }
}

void restFill(TDurations& out, int from, int to, bool withRests, TRandomGenerator& random) {
    TDurations candidates = NOTE_DURATIONS;
    if (withRests)
        candidates.insert(candidates.end(), REST_DURATIONS.begin(), REST_DURATIONS.end());
    for (int t = from; t < to;) {
        const int room = to - t;
        std::erase_if(candidates, [room](DURATION d) { return std::abs(d) > room; });
        if (candidates.empty()) {
            out.push_back(static_cast<DURATION>(room));
            return;
        }
        const DURATION d = pick(candidates, random);
        out.push_back(d);
        t += std::abs(d);
    }
}

int TSchemeGenerator::runSchemeCommand(int command, TScheme* scheme, const TMeasure& measure,
                                       bool inOrder) {
    TScheme& target = scheme ? *scheme : *scheme_;
    if (command >= 0 && command < 20)
        return runRhythmCommand(command, target, measure, inOrder);
    if (command >= 20 && command < SCHEME_COMMAND_COUNT)
        return runPitchCommand(command, target, inOrder);
    return -1;
}

int TSchemeGenerator::runRhythmCommand(int command, TScheme& scheme, const TMeasure& measure,
                                       bool inOrder) {
    switch (command) {
    case 0:
    case 1:
        sizeGenerator(scheme, command == 0, measure, inOrder);
        break;
    case 3:
        scheme.clearDurations();
        break;
    case 4:
    case 5:
    case 8:
    case 9:
    case 12:
    case 13:
        layoutGenerator(scheme, command, measure);
        break;
    case 7:
        scheme.defaultDurations();
        break;
    case 11:
        scheme.randomDurations(measure);
        break;
    case 15:
        scheme.invertDurations(measure);
        break;
    case 16:
    case 17:
        volumeGenerator(scheme, command == 16, measure, inOrder);
        break;
    case 19:
        scheme.mixDurations(measure);
        break;
    default: // the contrast commands 2, 6, 10, 14, 18
        return rhythmContrast(command, scheme, measure, inOrder);
    }
    return -1;
}

int TSchemeGenerator::runPitchCommand(int command, TScheme& scheme, bool inOrder) {
    switch (command) {
    case 20:
        choiceTurnGenerator(scheme, SMALL_TURNS, command, inOrder);
        break;
    case 21:
        choiceTurnGenerator(scheme, LARGE_TURNS, command, inOrder);
        break;
    case 23:
        scheme.clearTurns();
        break;
    case 24:
    case 25:
        figureGenerator(scheme, command == 24);
        break;
    case 27:
        scheme.defaultTurns();
        break;
    case 28:
        choiceTurnGenerator(scheme, CHORD_TURNS, command, inOrder);
        break;
    case 29:
        choiceTurnGenerator(scheme, NON_CHORD_TURNS, command, inOrder);
        break;
    case 31:
        scheme.randomTurns();
        break;
    case 32:
    case 33:
        alternationGenerator(scheme, command == 32);
        break;
    case 35:
        scheme.invertTurns();
        break;
    case 36:
    case 37:
        choiceTurnGenerator(scheme, ALL_TURNS, command, inOrder);
        break;
    case 39:
        scheme.mixTurns();
        break;
    default: // the contrast commands 22, 26, 30, 34, 38
        return pitchContrast(command, scheme, inOrder);
    }
    return -1;
}

void TSchemeGenerator::sizeGenerator(TScheme& scheme, bool small, const TMeasure& measure,
                                     bool inOrder) {
    const int length = measure.ticksPerMeasure();
    TDurations source = small ? SHORT_DURATIONS : LONG_DURATIONS;
    if (inOrder) {
        TDurations filtered = filterByMeasure(source, length, scheme.upbeat());
        if (!filtered.empty())
            source = filtered;
    }
    const TDurations snapshot = scheme.durations();
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        scheme.applyDurationChoice(source, scheme.random().draw(int(source.size())) + 1, inOrder,
                                   measure);
        if (!inOrder)
            return;
        if (scheme.durations() != snapshot &&
            hasNotesPerMeasure(scheme.durations(), 1, length, scheme.upbeat()))
            return;
    }
}

void TSchemeGenerator::volumeGenerator(TScheme& scheme, bool one, const TMeasure& measure,
                                       bool inOrder) {
    const int length = measure.ticksPerMeasure();
    const TDurations snapshot = scheme.durations();
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        const int k = one ? 1 : scheme.random().draw(7) + 2;
        scheme.applyDurationChoice(NOTE_DURATIONS, k, inOrder, measure);
        const TDurations& result = scheme.durations();
        const bool extra = one ? !inOrder || hasNotesPerMeasure(result, 1, length, scheme.upbeat())
                               : hasTwoNoteValues(result);
        if (result != snapshot && extra)
            return;
    }
}

void TSchemeGenerator::layoutGenerator(TScheme& scheme, int command, const TMeasure& measure) {
    const int length = measure.ticksPerMeasure();
    const int upbeat = scheme.upbeat();
    TRandomGenerator& random = scheme.random();
    TFiller fill;
    switch (command) {
    case 4:
    case 5:
        fill = [command, &random](TDurations& out, int from, int to) {
            uniformityFill(out, from, to, command == 4, random);
        };
        break;
    case 8:
    case 9:
        fill = [command, &random](TDurations& out, int from, int to) {
            dynamicsFill(out, from, to, command == 8, random);
        };
        break;
    default:
        fill = [command, &random](TDurations& out, int from, int to) {
            restFill(out, from, to, command == 12, random);
        };
        break;
    }
    const TDurations snapshot = scheme.durations();
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        scheme.setDurations(layOutMeasure(length, upbeat, fill), true, true);
        const TDurations& result = scheme.durations();
        bool extra = false;
        if (command == 12)
            extra = containsRest(result) && hasNotesPerMeasure(result, 1, length, upbeat);
        else if (command == 13)
            extra = !containsRest(result);
        else
            extra = hasNotesPerMeasure(result, 2, length, upbeat);
        if (result != snapshot && extra)
            return;
    }
}

void TSchemeGenerator::choiceTurnGenerator(TScheme& scheme, const TTurns& source, int command,
                                           bool inOrder) {
    const TTurns snapshot = scheme.turns();
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        const int k = command == 36   ? 1
                      : command == 37 ? scheme.random().draw(8) + 2
                                      : scheme.random().draw(int(source.size())) + 1;
        scheme.applyTurnChoice(source, k, inOrder);
        const bool extra = command != 37 || !inOrder || changesTurn(scheme.turns());
        if (scheme.turns() != snapshot && extra)
            return;
    }
}

void TSchemeGenerator::figureGenerator(TScheme& scheme, bool uniform) {
    TRandomGenerator& random = scheme.random();
    const int n = random.draw(6) + 2;
    const TTurns snapshot = scheme.turns();
    TTurns sequence;
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        sequence.clear();
        int seed = pick(ALL_TURNS, random);
        for (int i = 0; i < n; ++i) {
            const TURN_ROUND next =
                pick(uniform ? smoothSuccessors(seed) : jerkySuccessors(seed), random);
            sequence.push_back(next);
            seed = next;
        }
        if (sequence != snapshot)
            break;
    }
    scheme.setTurns(sequence, true, true);
}

void TSchemeGenerator::alternationGenerator(TScheme& scheme, bool chordFirst) {
    const int n = scheme.random().draw(6) + 2;
    const TTurns snapshot = scheme.turns();
    TTurns sequence;
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        sequence.clear();
        for (int i = 0; i < n; ++i) {
            const bool chordTurn = (i % 2 == 0) == chordFirst;
            sequence.push_back(chordTurn ? CHORD_TURNS[std::size_t(scheme.random().draw(4))]
                                         : NON_CHORD_TURNS[std::size_t(scheme.random().draw(5))]);
        }
        if (sequence != snapshot)
            break;
    }
    scheme.setTurns(sequence, true, true);
}

int TSchemeGenerator::rhythmContrast(int command, TScheme& scheme, const TMeasure& measure,
                                     bool inOrder) {
    const TDurations source = scheme.rhythmContrastSource();
    const int length = measure.ticksPerMeasure();
    int chosen = -1;
    switch (command) {
    case 2: {
        int shortCount = 0;
        int longCount = 0;
        for (DURATION d : source) {
            shortCount += d >= 30 && d <= 90;
            longCount += d >= 120 && d <= 240;
        }
        chosen = shortCount >= longCount ? 1 : 0;
        break;
    }
    case 6: {
        if (source.size() == 1) {
            chosen = 5;
            break;
        }
        int jumps = 0;
        int near = 0;
        forEachNotePair(source, length, scheme.upbeat(), [&](int earlier, int current) {
            (std::abs(current - earlier) / 30 > 1 ? jumps : near)++;
        });
        chosen = jumps >= near ? 4 : 5;
        break;
    }
    case 10: {
        if (source.size() <= 1) {
            chosen = 9;
            break;
        }
        int rising = 0;
        int others = 0;
        forEachNotePair(source, length, scheme.upbeat(),
                        [&](int earlier, int current) { (earlier < current ? rising : others)++; });
        chosen = rising > others ? 8 : 9;
        break;
    }
    case 14:
        chosen = containsRest(source) ? 13 : 12;
        break;
    case 18:
        chosen = hasTwoNoteValues(source) ? 16 : 17;
        break;
    default:
        return -1;
    }
    runRhythmCommand(chosen, scheme, measure, inOrder);
    return chosen;
}

int TSchemeGenerator::pitchContrast(int command, TScheme& scheme, bool inOrder) {
    const TTurns source = scheme.pitchContrastSource();
    int chosen = -1;
    switch (command) {
    case 22: {
        const auto small = std::count_if(source.begin(), source.end(), isSmallTurn);
        const auto large = std::count_if(source.begin(), source.end(), isLargeTurn);
        chosen = large > small ? 20 : 21;
        break;
    }
    case 26: {
        int smooth = 0;
        int jerky = 0;
        for (std::size_t i = 1; i < source.size(); ++i) {
            const TTurns& smoothNext = smoothSuccessors(source[i - 1]);
            const TTurns& jerkyNext = jerkySuccessors(source[i - 1]);
            if (std::find(smoothNext.begin(), smoothNext.end(), source[i]) != smoothNext.end())
                ++smooth;
            else if (std::find(jerkyNext.begin(), jerkyNext.end(), source[i]) != jerkyNext.end())
                ++jerky;
        }
        chosen = !source.empty() && smooth < jerky ? 24 : 25;
        break;
    }
    case 30: {
        const auto chord = std::count_if(source.begin(), source.end(), isChordTurn);
        const auto nonChord = std::count_if(source.begin(), source.end(), isNonChordTurn);
        chosen = nonChord > chord ? 28 : 29;
        break;
    }
    case 34:
        chosen = !source.empty() && isNonChordTurn(source.front()) ? 32 : 33;
        break;
    case 38:
        chosen = source.size() > 1 ? 36 : 37;
        break;
    default:
        return -1;
    }
    runPitchCommand(chosen, scheme, inOrder);
    return chosen;
}
