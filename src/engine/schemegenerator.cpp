#include "engine/schemegenerator.h"

#include "engine/freshretry.h"
#include "engine/scheme.h"
#include "model/random.h"

#include <algorithm>
#include <cstdlib>

namespace {

const TDurations SHORT_VALUES{60, 90, 30};
const TDurations LONG_VALUES{240, 210, 180, 150, 120};
const TDurations NOTE_VALUES{30, 60, 90, 120, 150, 180, 210, 240};
const TDurations REST_VALUES{-30, -60, -90, -120, -150, -180, -210, -240};
const TTurns SMALL_TURN_KINDS{REPETITION, CHORD_LEAP_1, PASSING, NEIGHBOUR, DOUBLE_NEIGHBOUR};
const TTurns LARGE_TURN_KINDS{CHORD_LEAP_2, CHORD_LEAP_3, APPOGGIATURA, ESCAPE};
const TTurns CHORD_TURN_KINDS{REPETITION, CHORD_LEAP_1, CHORD_LEAP_2, CHORD_LEAP_3};
const TTurns NON_CHORD_TURN_KINDS{NEIGHBOUR, PASSING, DOUBLE_NEIGHBOUR, APPOGGIATURA, ESCAPE};
const TTurns ALL_TURN_KINDS{REPETITION, CHORD_LEAP_1,     CHORD_LEAP_2, CHORD_LEAP_3, NEIGHBOUR,
                            PASSING,    DOUBLE_NEIGHBOUR, APPOGGIATURA, ESCAPE};

constexpr int MIN_NOTE = 30;
constexpr int MAX_NOTE = 240;

const TTurns& smoothSuccessors(int turn) {
    return isSmallTurn(turn) ? SMALL_TURN_KINDS : LARGE_TURN_KINDS;
}
const TTurns& jerkySuccessors(int turn) {
    return isSmallTurn(turn) ? LARGE_TURN_KINDS : SMALL_TURN_KINDS;
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
        for (DURATION d : NOTE_VALUES) {
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
    TDurations candidates = NOTE_VALUES;
    if (withRests)
        candidates.insert(candidates.end(), REST_VALUES.begin(), REST_VALUES.end());
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

int TSchemeGenerator::run(int command, TScheme& scheme, const TMeasure& measure, bool inOrder) {
    if (command >= 0 && command < FIRST_PITCH_COMMAND)
        return runRhythmCommand(command, scheme, measure, inOrder);
    if (command >= FIRST_PITCH_COMMAND && command < SCHEME_COMMAND_COUNT)
        return runPitchCommand(command, scheme, inOrder);
    return -1;
}

int TSchemeGenerator::runRhythmCommand(int command, TScheme& scheme, const TMeasure& measure,
                                       bool inOrder) {
    switch (command) {
    case SHORT_DURATIONS:
    case LONG_DURATIONS:
        sizeGenerator(scheme, command == SHORT_DURATIONS, measure, inOrder);
        break;
    case CLEAR_DURATIONS:
        scheme.clearDurations();
        break;
    case UNIFORM_RHYTHM:
    case NON_UNIFORM_RHYTHM:
    case SLOW_TO_FAST:
    case FAST_TO_SLOW:
    case WITH_RESTS:
    case WITHOUT_RESTS:
        layoutGenerator(scheme, command, measure);
        break;
    case DEFAULT_DURATIONS:
        scheme.defaultDurations();
        break;
    case RANDOM_DURATIONS:
        scheme.randomDurations(measure);
        break;
    case INVERT_DURATIONS:
        scheme.invertDurations(measure);
        break;
    case ONE_DURATION:
    case MANY_DURATIONS:
        volumeGenerator(scheme, command == ONE_DURATION, measure, inOrder);
        break;
    case MIX_DURATIONS:
        scheme.mixDurations(measure);
        break;
    default: // the contrast commands
        return rhythmContrast(command, scheme, measure, inOrder);
    }
    return -1;
}

int TSchemeGenerator::runPitchCommand(int command, TScheme& scheme, bool inOrder) {
    switch (command) {
    case SMALL_TURNS:
        choiceTurnGenerator(scheme, SMALL_TURN_KINDS, command, inOrder);
        break;
    case LARGE_TURNS:
        choiceTurnGenerator(scheme, LARGE_TURN_KINDS, command, inOrder);
        break;
    case CLEAR_TURNS:
        scheme.clearTurns();
        break;
    case UNIFORM_TURNS:
    case NON_UNIFORM_TURNS:
        figureGenerator(scheme, command == UNIFORM_TURNS);
        break;
    case DEFAULT_TURNS:
        scheme.defaultTurns();
        break;
    case CHORD_TURNS:
        choiceTurnGenerator(scheme, CHORD_TURN_KINDS, command, inOrder);
        break;
    case NON_CHORD_TURNS:
        choiceTurnGenerator(scheme, NON_CHORD_TURN_KINDS, command, inOrder);
        break;
    case RANDOM_TURNS:
        scheme.randomTurns();
        break;
    case CHORD_THEN_NON_CHORD:
    case NON_CHORD_THEN_CHORD:
        alternationGenerator(scheme, command == CHORD_THEN_NON_CHORD);
        break;
    case INVERT_TURNS:
        scheme.invertTurns();
        break;
    case ONE_TURN:
    case MANY_TURNS:
        choiceTurnGenerator(scheme, ALL_TURN_KINDS, command, inOrder);
        break;
    case MIX_TURNS:
        scheme.mixTurns();
        break;
    default: // the contrast commands
        return pitchContrast(command, scheme, inOrder);
    }
    return -1;
}

void TSchemeGenerator::sizeGenerator(TScheme& scheme, bool small, const TMeasure& measure,
                                     bool inOrder) {
    const int length = measure.ticksPerMeasure();
    TDurations source = small ? SHORT_VALUES : LONG_VALUES;
    if (inOrder) {
        TDurations filtered = filterByMeasure(source, length, scheme.upbeat());
        if (!filtered.empty())
            source = filtered;
    }
    const TDurations snapshot = scheme.durations();
    retryForFresh(
        [&] {
            const int k = scheme.random().draw(int(source.size())) + 1;
            scheme.applyDurationChoice(source, k, inOrder, measure);
        },
        [&] {
            // In set mode the first choice stands.
            return !inOrder || (scheme.durations() != snapshot &&
                                hasNotesPerMeasure(scheme.durations(), 1, length, scheme.upbeat()));
        });
}

void TSchemeGenerator::volumeGenerator(TScheme& scheme, bool one, const TMeasure& measure,
                                       bool inOrder) {
    const int length = measure.ticksPerMeasure();
    const TDurations snapshot = scheme.durations();
    retryForFresh(
        [&] {
            const int k = one ? 1 : scheme.random().draw(7) + 2;
            scheme.applyDurationChoice(NOTE_VALUES, k, inOrder, measure);
        },
        [&] {
            const TDurations& result = scheme.durations();
            const bool extra =
                one ? !inOrder || hasNotesPerMeasure(result, 1, length, scheme.upbeat())
                    : hasTwoNoteValues(result);
            return result != snapshot && extra;
        });
}

void TSchemeGenerator::layoutGenerator(TScheme& scheme, int command, const TMeasure& measure) {
    const int length = measure.ticksPerMeasure();
    const int upbeat = scheme.upbeat();
    TRandomGenerator& random = scheme.random();
    TFiller fill;
    switch (command) {
    case UNIFORM_RHYTHM:
    case NON_UNIFORM_RHYTHM:
        fill = [command, &random](TDurations& out, int from, int to) {
            uniformityFill(out, from, to, command == UNIFORM_RHYTHM, random);
        };
        break;
    case SLOW_TO_FAST:
    case FAST_TO_SLOW:
        fill = [command, &random](TDurations& out, int from, int to) {
            dynamicsFill(out, from, to, command == SLOW_TO_FAST, random);
        };
        break;
    default:
        fill = [command, &random](TDurations& out, int from, int to) {
            restFill(out, from, to, command == WITH_RESTS, random);
        };
        break;
    }
    const TDurations snapshot = scheme.durations();
    retryForFresh([&] { scheme.setDurations(layOutMeasure(length, upbeat, fill), true, true); },
                  [&] {
                      const TDurations& result = scheme.durations();
                      bool extra = false;
                      if (command == WITH_RESTS)
                          extra =
                              containsRest(result) && hasNotesPerMeasure(result, 1, length, upbeat);
                      else if (command == WITHOUT_RESTS)
                          extra = !containsRest(result);
                      else
                          extra = hasNotesPerMeasure(result, 2, length, upbeat);
                      return result != snapshot && extra;
                  });
}

void TSchemeGenerator::choiceTurnGenerator(TScheme& scheme, const TTurns& source, int command,
                                           bool inOrder) {
    const TTurns snapshot = scheme.turns();
    retryForFresh(
        [&] {
            const int k = command == ONE_TURN     ? 1
                          : command == MANY_TURNS ? scheme.random().draw(8) + 2
                                                  : scheme.random().draw(int(source.size())) + 1;
            scheme.applyTurnChoice(source, k, inOrder);
        },
        [&] {
            const bool extra = command != MANY_TURNS || !inOrder || changesTurn(scheme.turns());
            return scheme.turns() != snapshot && extra;
        });
}

void TSchemeGenerator::figureGenerator(TScheme& scheme, bool uniform) {
    TRandomGenerator& random = scheme.random();
    const int n = random.draw(6) + 2;
    const TTurns snapshot = scheme.turns();
    TTurns sequence;
    retryForFresh(
        [&] {
            sequence.clear();
            int seed = pick(ALL_TURN_KINDS, random);
            for (int i = 0; i < n; ++i) {
                const TURN_ROUND next =
                    pick(uniform ? smoothSuccessors(seed) : jerkySuccessors(seed), random);
                sequence.push_back(next);
                seed = next;
            }
        },
        [&] { return sequence != snapshot; });
    scheme.setTurns(sequence, true, true);
}

void TSchemeGenerator::alternationGenerator(TScheme& scheme, bool chordFirst) {
    TRandomGenerator& random = scheme.random();
    const int n = random.draw(6) + 2;
    const TTurns snapshot = scheme.turns();
    TTurns sequence;
    retryForFresh(
        [&] {
            sequence.clear();
            for (int i = 0; i < n; ++i) {
                const bool chordTurn = (i % 2 == 0) == chordFirst;
                sequence.push_back(chordTurn ? CHORD_TURN_KINDS[std::size_t(random.draw(4))]
                                             : NON_CHORD_TURN_KINDS[std::size_t(random.draw(5))]);
            }
        },
        [&] { return sequence != snapshot; });
    scheme.setTurns(sequence, true, true);
}

int TSchemeGenerator::rhythmContrast(int command, TScheme& scheme, const TMeasure& measure,
                                     bool inOrder) {
    const TDurations source = scheme.rhythmContrastSource();
    const int length = measure.ticksPerMeasure();
    int chosen = -1;
    switch (command) {
    case CONTRAST_SHORT_LONG: {
        int shortCount = 0;
        int longCount = 0;
        for (DURATION d : source) {
            shortCount += d >= 30 && d <= 90;
            longCount += d >= 120 && d <= 240;
        }
        chosen = shortCount >= longCount ? LONG_DURATIONS : SHORT_DURATIONS;
        break;
    }
    case CONTRAST_UNIFORM_RHYTHM: {
        if (source.size() == 1) {
            chosen = NON_UNIFORM_RHYTHM;
            break;
        }
        int jumps = 0;
        int near = 0;
        forEachNotePair(source, length, scheme.upbeat(), [&](int earlier, int current) {
            (std::abs(current - earlier) / 30 > 1 ? jumps : near)++;
        });
        chosen = jumps >= near ? UNIFORM_RHYTHM : NON_UNIFORM_RHYTHM;
        break;
    }
    case CONTRAST_SLOW_FAST: {
        if (source.size() <= 1) {
            chosen = FAST_TO_SLOW;
            break;
        }
        int rising = 0;
        int others = 0;
        forEachNotePair(source, length, scheme.upbeat(),
                        [&](int earlier, int current) { (earlier < current ? rising : others)++; });
        chosen = rising > others ? SLOW_TO_FAST : FAST_TO_SLOW;
        break;
    }
    case CONTRAST_RESTS:
        chosen = containsRest(source) ? WITHOUT_RESTS : WITH_RESTS;
        break;
    case CONTRAST_ONE_MANY_DURATIONS:
        chosen = hasTwoNoteValues(source) ? ONE_DURATION : MANY_DURATIONS;
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
    case CONTRAST_SMALL_LARGE_TURNS: {
        const auto small = std::count_if(source.begin(), source.end(), isSmallTurn);
        const auto large = std::count_if(source.begin(), source.end(), isLargeTurn);
        chosen = large > small ? SMALL_TURNS : LARGE_TURNS;
        break;
    }
    case CONTRAST_UNIFORM_TURNS: {
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
        chosen = !source.empty() && smooth < jerky ? UNIFORM_TURNS : NON_UNIFORM_TURNS;
        break;
    }
    case CONTRAST_CHORD_TURNS: {
        const auto chord = std::count_if(source.begin(), source.end(), isChordTurn);
        const auto nonChord = std::count_if(source.begin(), source.end(), isNonChordTurn);
        chosen = nonChord > chord ? CHORD_TURNS : NON_CHORD_TURNS;
        break;
    }
    case CONTRAST_ALTERNATION:
        chosen = !source.empty() && isNonChordTurn(source.front()) ? CHORD_THEN_NON_CHORD
                                                                   : NON_CHORD_THEN_CHORD;
        break;
    case CONTRAST_ONE_MANY_TURNS:
        chosen = source.size() > 1 ? ONE_TURN : MANY_TURNS;
        break;
    default:
        return -1;
    }
    runPitchCommand(chosen, scheme, inOrder);
    return chosen;
}
