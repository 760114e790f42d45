#include "stepcomposer.h"

#include "engine/effect.h"
#include "engine/relativeeffect.h"
#include "engine/scheme.h"
#include "files/periodbuilder.h"
#include "help/stepschemes.h"
#include "model/chordcatalogue.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const TKey EXAMPLE_KEY(0, MAJOR);     // C major
const TMeasure EXAMPLE_METER(3, 120); // 3/4
constexpr int EXAMPLE_TEMPO = 85;
constexpr int MOTIVES = 8;
// How many generations a scheme-made motive may take before the composer gives up.
constexpr int GENERATION_TRIES = 400;
// The soprano of a chord stays within an octave of the soprano before it.
constexpr int SOPRANO_REACH = 7;
constexpr int FIRST_SOPRANO = 25;

// The harmony of the period, one chord per motive, with fall-backs in preference order:
// tonic, subdominant, supertonic six, dominant (half cadence) | tonic, subdominant, dominant
// seventh, tonic (authentic cadence).
const std::array<std::vector<std::string>, MOTIVES> HARMONY = {{
    {"TONIC_THREE_CHORD"},
    {"SUBDOMINANT_THREE_CHORD"},
    {"LOWINTRO_SIXTH_CHORD", "SUBDOMINANT_SIXTH_CHORD"},
    {"DOMINANT_THREE_CHORD"},
    {"TONIC_THREE_CHORD"},
    {"SUBDOMINANT_THREE_CHORD", "SUBDOMINANT_SIXTH_CHORD"},
    {"DOMINANT_FOUR_CHORD", "DOMINANT_THREE_CHORD"},
    {"TONIC_THREE_CHORD"},
}};

// Voices `chord` after `previous` by the school rules, as the canvas's harmonisation does.
bool voiceAfter(TChord& chord, const TChord* previous, const TChord* beforePrevious) {
    int low = MIN_MELODY_PITCH;
    int high = MAX_MELODY_PITCH;
    int target = FIRST_SOPRANO;
    if (previous) {
        target = previous->voice(SOPRANO);
        low = std::max(target - SOPRANO_REACH, MIN_MELODY_PITCH);
        high = std::min(target + SOPRANO_REACH, MAX_MELODY_PITCH);
    }
    // The rules of school harmony: voice ranges (a step wider only where nothing fits), the
    // seventh falling, the leading tone rising, the bass nearest the tenor.
    bool fits = false;
    for (int widening = 0; widening <= 1 && !fits; ++widening) {
        chord.generateArrangements(EXAMPLE_KEY, low, high);
        chord.testAgainst(TSchoolHarmony{previous, widening}, EXAMPLE_KEY, low, high);
        fits = chord.canFollow() && chord.hasValidArrangement();
    }
    if (!fits)
        return false;
    const bool bassRose =
        previous && beforePrevious && previous->voice(BASS) - beforePrevious->voice(BASS) > 0;
    chord.setBassContext(previous ? previous->voice(BASS) : NO_PITCH, bassRose);
    return chord.chooseVoicing(target);
}

std::vector<TChord> voicedHarmony(std::ostream& log) {
    std::vector<TChord> chords;
    for (int k = 0; k < MOTIVES; ++k) {
        const TChord* previous = k > 0 ? &chords[std::size_t(k - 1)] : nullptr;
        const TChord* beforePrevious = k > 1 ? &chords[std::size_t(k - 2)] : nullptr;
        bool voiced = false;
        for (const std::string& type : HARMONY[std::size_t(k)]) {
            TChord chord = chordOfType(type);
            if (voiceAfter(chord, previous, beforePrevious)) {
                chord.setTime(0);
                log << "motive " << k + 1 << ": " << type << " voiced " << chord.voice(SOPRANO)
                    << ' ' << chord.voice(ALTO) << ' ' << chord.voice(TENOR) << ' '
                    << chord.voice(BASS) << '\n';
                chords.push_back(chord);
                voiced = true;
                break;
            }
        }
        if (!voiced)
            throw std::runtime_error("no chord of the plan can be voiced for motive " +
                                     std::to_string(k + 1));
    }
    return chords;
}

TMotive emptyMotive(const TChord& chord) {
    TMotive motive(EXAMPLE_KEY, EXAMPLE_METER, 0);
    motive.chords() = {chord};
    return motive;
}

int lowestPitch(const TMotive& m) {
    int low = MAX_MELODY_PITCH;
    for (const TNote& n : m.notes())
        low = std::min(low, n.pitch());
    return low;
}

int highestPitch(const TMotive& m) {
    int high = MIN_MELODY_PITCH;
    for (const TNote& n : m.notes())
        high = std::max(high, n.pitch());
    return high;
}

bool hasRest(const TMotive& m) {
    const TRhythm rhythm = m.rhythm();
    return std::any_of(rhythm.begin(), rhythm.end(), [](DURATION d) { return d < 0; });
}

bool keepsMoving(const TMotive& m) {
    return lowestPitch(m) != highestPitch(m);
}

int degreeOfLast(const TMotive& m) {
    return EXAMPLE_KEY.degree(m.notes().back().pitch());
}

// No leap wider than a sixth and no tritone between the fourth and seventh degrees.
bool singable(const TMotive& m) {
    const TNoteList& notes = m.notes();
    for (std::size_t i = 1; i < notes.size(); ++i) {
        const int a = notes[i - 1].pitch();
        const int b = notes[i].pitch();
        const int da = EXAMPLE_KEY.degree(a);
        const int db = EXAMPLE_KEY.degree(b);
        if (std::abs(a - b) > 5 || (da == 4 && db == 7) || (da == 7 && db == 4))
            return false;
    }
    return true;
}

bool joins(const TMotive& before, const TMotive& after, int reach) {
    return std::abs(after.notes().front().pitch() - before.notes().back().pitch()) <= reach;
}

void describeSchemes(const TScheme& scheme, std::ostream& log) {
    log << "  rhythm scheme (" << (scheme.durationsInOrder() ? "in order" : "set") << "):";
    for (DURATION d : scheme.durations())
        log << ' ' << d;
    log << "\n  pitch scheme (" << (scheme.turnsInOrder() ? "in order" : "set") << "):";
    for (TURN_ROUND t : scheme.turns())
        log << ' ' << int(t);
    log << '\n';
}

void describeMotive(const char* what, const TMotive& m, std::ostream& log) {
    log << what << ":";
    for (const TNote& n : m.notes())
        log << " (" << n.time() << ", " << n.pitch() << ", " << n.duration() << ")";
    log << '\n';
}

// Sets the schemes up (by hand or with scheme commands), then generates along the contour, until
// `good` accepts.
TMotive generateUntil(TScheme& scheme, const TChord& chord,
                      const std::function<void(TScheme&)>& prepare, const TLights& contour,
                      const std::function<bool(const TMotive&)>& good, std::ostream& log,
                      const TMelodyPlace& place = {}) {
    for (int attempt = 0; attempt < GENERATION_TRIES; ++attempt) {
        prepare(scheme);
        TMotive motive = emptyMotive(chord);
        scheme.generateMotive(motive, contour, place);
        if (!motive.notes().empty() && good(motive)) {
            log << "  accepted after " << attempt + 1 << " generations\n";
            describeSchemes(scheme, log);
            return motive;
        }
    }
    throw std::runtime_error("the schemes gave no acceptable motive");
}

// One of a simple technique's variants, with the chord of its place in the period.
TMotive simpleVariant(TScheme& scheme, TSimpleEffect effect, const TMotive& source, int variant,
                      const TChord& chord) {
    TEffect effects(scheme);
    TMotives variants = effects.makeVariants(effect, source);
    TMotive result = variants.at(std::size_t(variant));
    result.chords() = {chord};
    return result;
}

// A relative technique's variant under the chord the student chooses for it.
TMotive relativeVariant(TScheme& scheme, TRelativeEffectKind kind, const TMotive& source,
                        int variant, const TChord& chord) {
    auto effect = makeRelativeEffect(kind, scheme);
    effect->setSource(source);
    effect->variant(variant).chords() = {chord};
    effect->variantHarmonised(variant);
    return effect->variant(variant);
}

// Runs scheme commands as the buttons of the scheme sets do, in the mode each set is in.
std::function<void(TScheme&)> commands(std::vector<int> numbers) {
    return [numbers](TScheme& scheme) {
        for (int command : numbers) {
            const bool inOrder = command < 20 ? scheme.durationsInOrder() : scheme.turnsInOrder();
            scheme.runCommand(command, EXAMPLE_METER, inOrder);
        }
    };
}

// The schemes the help's step gathered by hand.
std::function<void(TScheme&)> gathered(int step) {
    const TStepSchemes schemes = stepSchemes(step).value();
    return [schemes](TScheme& scheme) {
        scheme.setDurations(schemes.durations, STEP_DURATIONS_IN_ORDER, true);
        scheme.setTurns(schemes.turns, STEP_TURNS_IN_ORDER, true);
    };
}

} // namespace

TPeriodData composeStepExample(std::ostream& log) {
    TRandomGenerator draws; // the same example on every build
    TScheme scheme(draws);
    scheme.setUpbeat(0);
    scheme.setSchoolHarmony(true);
    const std::vector<TChord> chords = voicedHarmony(log);
    std::array<TMotive, MOTIVES> m;

    // Motive 1: a stepwise run from the fifth up to the tonic.
    log << "motive 1: schemes\n";
    m[0] = generateUntil(
        scheme, chords[0], gathered(0), {TLight(0, 24), TLight(300, 28)},
        [](const TMotive& x) {
            return singable(x) && x.notes().size() >= 3 && x.notes().size() <= 5 && !hasRest(x) &&
                   EXAMPLE_KEY.degree(x.notes().front().pitch()) == 5 && lowestPitch(x) >= 20 &&
                   highestPitch(x) <= 28 && keepsMoving(x) && x.notes().back().chordingNote();
        },
        log);
    describeMotive("motive 1", m[0], log);

    // Motive 2: the contrast commands read motive 1 and generate the opposite categories.
    log << "motive 2: contrast of motive 1\n";
    const TStepSchemes contrast = stepSchemes(1).value();
    scheme.rhythmContrastMotive() = m[std::size_t(contrast.contrastCell)];
    scheme.pitchContrastMotive() = m[std::size_t(contrast.contrastCell)];
    m[1] = generateUntil(scheme, chords[1], commands(contrast.contrastCommands),
                         {TLight(0, 27), TLight(300, 24)},
                         [&](const TMotive& x) {
                             return singable(x) && x.notes().size() >= 3 && !hasRest(x) &&
                                    joins(m[0], x, 4) && lowestPitch(x) >= 20 &&
                                    highestPitch(x) <= 30 && keepsMoving(x) &&
                                    x.notes().back().chordingNote();
                         },
                         log, {TMelodyClose::NONE, m[0].notes().back().pitch()});
    describeMotive("motive 2", m[1], log);

    // Motive 3: the design of motive 1 under the supertonic six.
    log << "motive 3: rel. repeat of motive 1, variant 1\n";
    m[2] = relativeVariant(scheme, TRelativeEffectKind::REPEAT, m[0], 0, chords[2]);
    describeMotive("motive 3", m[2], log);

    // Motive 4: long notes falling to the dominant: the half cadence.
    log << "motive 4: schemes\n";
    m[3] = generateUntil(scheme, chords[3], gathered(3), {TLight(0, 25), TLight(240, 22)},
                         [&](const TMotive& x) {
                             return singable(x) && x.notes().size() >= 2 && x.notes().size() <= 3 &&
                                    !hasRest(x) && x.notes().back().duration() >= 180 &&
                                    joins(m[2], x, 3) && x.notes().back().chordingNote() &&
                                    (degreeOfLast(x) == 5 || degreeOfLast(x) == 2) &&
                                    highestPitch(x) <= 27;
                         },
                         log, {TMelodyClose::DOMINANT, m[2].notes().back().pitch()});
    describeMotive("motive 4", m[3], log);

    // Motive 5: motive 1 backwards (the retrograde variant), again over the tonic.
    log << "motive 5: rel. other of motive 1, variant 2\n";
    m[4] = relativeVariant(scheme, TRelativeEffectKind::OTHER, m[0], 1, chords[4]);
    describeMotive("motive 5", m[4], log);

    // Motive 6: motive 2 exactly.
    log << "motive 6: repeat of motive 2, variant 1\n";
    m[5] = simpleVariant(scheme, TSimpleEffect::REPEAT, m[1], 0, chords[5]);

    // Motive 7: the half-cadence motive again, an octave higher when it fits: the climax.
    const bool octaveFits = highestPitch(m[3]) + 7 <= 32;
    log << "motive 7: repeat of motive 4, variant " << (octaveFits ? 3 : 1) << '\n';
    m[6] = simpleVariant(scheme, TSimpleEffect::REPEAT, m[3], octaveFits ? 2 : 0, chords[6]);
    describeMotive("motive 7", m[6], log);

    // Motive 8: growing durations that settle on the tonic: the authentic cadence.
    log << "motive 8: schemes\n";
    const int from = m[6].notes().back().pitch();
    m[7] = generateUntil(scheme, chords[7], gathered(7), {TLight(0, from - 2), TLight(300, 20)},
                         [&](const TMotive& x) {
                             return singable(x) && x.notes().size() >= 2 && x.notes().size() <= 4 &&
                                    !hasRest(x) && degreeOfLast(x) == 1 &&
                                    x.notes().back().duration() >= 120 && joins(m[6], x, 3);
                         },
                         log, {TMelodyClose::KEYNOTE, m[6].notes().back().pitch()});
    describeMotive("motive 8", m[7], log);

    TPeriodStructure structure;
    structure.phraseCounts = {2, 2};
    structure.motiveCounts = {2, 2, 2, 2};
    structure.letters = {5, 6, 10, 11}; // A, B, A1, B1
    structure.key = EXAMPLE_KEY;
    structure.measure = EXAMPLE_METER;
    structure.zatakt = 0;
    structure.tempo = EXAMPLE_TEMPO;
    TPeriodData period;
    buildPeriod(period, structure);
    std::vector<TMotive*> cells = period.allMotives();
    for (int k = 0; k < MOTIVES; ++k) {
        TMotive& cell = *cells[std::size_t(k)];
        cell = m[std::size_t(k)];
        cell.recomputeChordingFlags();
    }
    return period;
}
