// What a harmony teacher checks in every period the program harmonises under school harmony.
#include "engine/periodharmonisation.h"
#include "enginetesthelpers.h"
#include "model/schemechords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

const std::vector<TMeasure> METERS{TMeasure(2, QUARTER), TMeasure(3, QUARTER), TMeasure(2, EIGHTH),
                                   TMeasure(3, EIGHTH), TMeasure(4, QUARTER)};
const std::string TONIC = "TONIC_THREE_CHORD";
const std::string DOMINANT = "DOMINANT_THREE_CHORD";
const std::string DOMINANT_SEVENTH = "DOMINANT_FOUR_CHORD";
const std::string SIX_FOUR = "K_SIXTH_FOURTH_CHORD";

// The chords in the order they sound (an upbeat chord carried over counted once), where each
// phrase and sentence ends, and whether the chord's motive gave a reason for leaving a rule.
struct TSounding {
    std::vector<const TChord*> chords;
    std::vector<bool> excused;
    std::vector<std::size_t> phraseEnds;
    std::vector<std::size_t> sentenceEnds;
};

TSounding soundingChords(const TPeriodData& period,
                         const std::vector<TMotiveHarmonisation>& report) {
    TSounding sounding;
    std::size_t m = 0;
    for (const TSentenceData& sentence : period.sentences()) {
        for (const TPhraseData& phrase : sentence.phrases()) {
            for (const TMotive& motive : phrase.motives()) {
                const bool excused = !report[m].outcome.unmetForm.empty();
                const TChordList& chords = motive.chords();
                for (std::size_t c = 0; c < chords.size(); ++c) {
                    if (m > 0 && c == 0 && motive.measureCount() == 2)
                        continue; // carried over from the motive before
                    sounding.chords.push_back(&chords[c]);
                    sounding.excused.push_back(excused);
                }
                ++m;
            }
            sounding.phraseEnds.push_back(sounding.chords.size() - 1);
        }
        sounding.sentenceEnds.push_back(sounding.chords.size() - 1);
    }
    return sounding;
}

int toneOf(const TChord& chord, const TKey& key, int pitch) {
    for (int tone = 0; tone < chord.toneCount(); ++tone)
        if ((chord.base() - 1 + 2 * tone) % 7 + 1 == key.degree(pitch))
            return tone;
    return -1;
}

// The upper voices carry the tones as one of the chord's doublings says, the bass its bass tone.
bool doubledAsAllowed(const TChord& chord, const TKey& key) {
    if (toneOf(chord, key, chord.voice(BASS)) != chord.bassTone())
        return false;
    TDoubling used;
    for (int v : {SOPRANO, ALTO, TENOR}) {
        const int tone = toneOf(chord, key, chord.voice(v));
        if (tone < 0)
            return false;
        ++used.counts[static_cast<std::size_t>(tone)];
    }
    const auto& allowed = chord.doublings();
    return std::find(allowed.begin(), allowed.end(), used) != allowed.end();
}

bool isRootDominant(const TChord& chord) {
    return chord.name() == DOMINANT || chord.name() == DOMINANT_SEVENTH;
}

// A bass an octave nearer the tenor that every rule would have allowed.
bool nearerBassWasLegal(const TChord* previous, const TChord& chord, const TKey& key) {
    TVoices higher = chord.voices();
    higher[BASS] += 7;
    if (higher[BASS] > higher[TENOR])
        return false;
    if (previous && firstBrokenRule(previous->voices(), higher, key) != RULE_KEPT)
        return false;
    return firstBrokenSchoolRule(previous, chord, higher, key) == SCHOOL_KEPT;
}

// Checked apart from the harmonisation's own rule code: the seventh of the chord before falls
// by a step or is held; a leading tone in soprano or bass rises to a tonic of this chord.
std::string resolutionFault(const TChord& previous, const TChord& chord, const TKey& key) {
    const int seventh = (previous.base() - 1 + 6) % 7 + 1;
    bool tonicHere = false;
    for (int tone = 0; tone < chord.toneCount(); ++tone)
        tonicHere = tonicHere || (chord.base() - 1 + 2 * tone) % 7 == 0;
    for (int v = SOPRANO; v <= BASS; ++v) {
        const int from = previous.voice(v);
        const int to = chord.voice(v);
        if (previous.toneCount() == 4 && key.degree(from) == seventh && to != from &&
            to != from - 1)
            return "seventh (resolution)";
        if ((v == SOPRANO || v == BASS) && tonicHere && key.degree(from) == 7 && to != from + 1)
            return "leading tone (resolution)";
    }
    return "";
}

struct TTally {
    int periods = 0;
    int chords = 0;
    std::map<std::string, int> faults;
    int widenedChords = 0;       // a voice a step outside its range
    int unmet = 0;               // reasons given for leaving a rule
    int unmetSeveralMotives = 0; // of those, in periods of two or more motives a phrase
    int excusedFaults = 0;       // faults in a motive that gave its reason
    int keynoteOnTop = 0;

    void fault(const std::string& rule, bool excused) {
        if (excused)
            ++excusedFaults;
        else
            ++faults[rule];
    }
};

void checkPeriod(const TPeriodData& period, const std::vector<TMotiveHarmonisation>& report,
                 int motivesPerPhrase, TTally& tally) {
    ++tally.periods;
    for (const TMotiveHarmonisation& entry : report) {
        ASSERT_TRUE(entry.outcome.complete()) << "motive " << entry.motive;
        const int unmet = static_cast<int>(entry.outcome.unmetForm.size());
        tally.unmet += unmet;
        if (motivesPerPhrase >= 2)
            tally.unmetSeveralMotives += unmet;
        tally.widenedChords += entry.outcome.widenedRanges;
    }
    const TKey& key = period.key();
    const TSounding sounding = soundingChords(period, report);
    const auto& chords = sounding.chords;
    tally.chords += static_cast<int>(chords.size());
    for (std::size_t c = 0; c < chords.size(); ++c) {
        const TChord& chord = *chords[c];
        const TChord* previous = c > 0 ? chords[c - 1] : nullptr;
        const bool excused = sounding.excused[c];
        const TVoices& v = chord.voices();
        if (!(v[SOPRANO] >= v[ALTO] && v[ALTO] >= v[TENOR] && v[TENOR] >= v[BASS]))
            tally.fault("crossing", excused);
        if (v[SOPRANO] - v[ALTO] > 7 || v[ALTO] - v[TENOR] > 7)
            tally.fault("spacing", excused);
        if (!doubledAsAllowed(chord, key))
            tally.fault("doubling", excused);
        if (previous && firstBrokenRule(previous->voices(), v, key) != RULE_KEPT)
            tally.fault("voice leading", excused);
        // C4-G5, G3-D5, C3-G4, E2-D4, a step wider where nothing fitted.
        static constexpr std::array<std::array<int, 2>, 4> ranges{
            {{20, 31}, {17, 28}, {13, 24}, {8, 21}}};
        for (std::size_t voice = 0; voice < 4; ++voice)
            if (v[voice] < ranges[voice][0] - 1 || v[voice] > ranges[voice][1] + 1)
                tally.fault("range", excused);
        switch (firstBrokenSchoolRule(previous, chord, v, key, 1)) {
        case SCHOOL_RANGE:
            tally.fault("range (rule code)", excused);
            break;
        case SCHOOL_SEVENTH:
            tally.fault("seventh", excused);
            break;
        case SCHOOL_LEADING_TONE:
            tally.fault("leading tone", excused);
            break;
        case SCHOOL_KEPT:
            break;
        }
        if (previous) {
            const std::string fault = resolutionFault(*previous, chord, key);
            if (!fault.empty())
                tally.fault(fault, excused);
        }
        if (previous && previous->name() == SIX_FOUR && !isRootDominant(chord))
            tally.fault("six-four", excused);
        if (nearerBassWasLegal(previous, chord, key))
            tally.fault("bass nearest the tenor", excused);
    }
    const bool closeExcused = sounding.excused.back();
    if (chords.back()->name() != TONIC || !isRootDominant(*chords[chords.size() - 2]))
        tally.fault("authentic cadence", closeExcused);
    if (key.degree(chords.back()->voice(SOPRANO)) == 1)
        ++tally.keynoteOnTop;
    if (sounding.sentenceEnds.size() > 1 &&
        chords[sounding.sentenceEnds.front()]->name() != DOMINANT)
        tally.fault("half cadence", sounding.excused[sounding.sentenceEnds.front()]);
    for (std::size_t end : sounding.phraseEnds)
        if (chords[end]->name() != DOMINANT && chords[end]->name() != TONIC &&
            chords[end]->name() != DOMINANT_SEVENTH)
            tally.fault("phrase end", sounding.excused[end]);
}

// An unoptimised build (the sanitizer run) takes fewer settings; both strides are prime to
// every dimension's size, so every key, meter, upbeat and shape is still visited.
#ifdef __OPTIMIZE__
constexpr int SETTING_STRIDE = 7;
#else
constexpr int SETTING_STRIDE = 23;
#endif

} // namespace

TEST(SchoolHarmonyMatrix, EveryKeyMeterUpbeatAndShapeKeepsEveryRule) {
    TTally tally;
    int setting = 0;
    for (int sign = -7; sign <= 7; ++sign) {
        for (std::uint8_t mode : {MAJOR, MINOR}) {
            const TKey key(sign, mode);
            for (const TMeasure& meter : METERS) {
                for (const std::int16_t upbeat :
                     {std::int16_t{0}, static_cast<std::int16_t>(meter.beatValue())}) {
                    for (int sentences = 1; sentences <= 4; ++sentences) {
                        for (int motives = 1; motives <= 4; ++motives) {
                            if (setting++ % SETTING_STRIDE != 0)
                                continue;
                            TPeriodData period =
                                emptyPeriod(key, meter, upbeat, sentences, motives);
                            TRandomGenerator random;
                            for (int d = 0; d < setting % 97; ++d)
                                random.next();
                            const auto report =
                                harmonisePeriod(period, schemeChordTypeNames(), random, true);
                            checkPeriod(period, report, motives, tally);
                            for (const auto& entry : report)
                                for (const std::string& reason : entry.outcome.unmetForm)
                                    std::cout << "  key " << sign << "/" << int(mode) << ", meter "
                                              << meter.beatsPerMeasure() << "x" << meter.beatValue()
                                              << ", upbeat " << upbeat << ", " << sentences
                                              << " sentences of " << motives
                                              << " motives a phrase, motive " << entry.motive + 1
                                              << ": " << reason << '\n';
                            if (testing::Test::HasFatalFailure())
                                FAIL() << "key " << sign << "/" << int(mode) << ", meter "
                                       << meter.beatsPerMeasure() << "x" << meter.beatValue()
                                       << ", upbeat " << upbeat << ", " << sentences
                                       << " sentences, " << motives << " motives a phrase";
                        }
                    }
                }
            }
        }
    }
    int faults = 0;
    std::cout << "[ school  ] " << tally.periods << " periods, " << tally.chords << " chords";
    for (const auto& [rule, count] : tally.faults) {
        std::cout << ", " << rule << " " << count;
        faults += count;
    }
    std::cout << "; faults " << faults << ", ranges a step wider " << tally.widenedChords
              << " times, no rule-keeping choice " << tally.unmet << " times ("
              << tally.unmetSeveralMotives << " in periods of two or more motives a phrase; "
              << tally.excusedFaults << " faults there), keynote on top in " << tally.keynoteOnTop
              << " periods\n";
    EXPECT_EQ(faults, 0);
    EXPECT_EQ(tally.unmetSeveralMotives, 0);
}
