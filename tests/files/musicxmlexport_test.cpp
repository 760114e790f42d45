// The MusicXML export: golden files (TONARIA_REGENERATE_GOLDEN=1 rewrites them after a
// deliberate change), and generated periods read back by an independent reader, which must
// hear the same notes as the MIDI export sends and find every measure exactly full.
#include "cli/generatecommand.h"
#include "files/atomicfile.h"
#include "files/harmonyanalysis.h"
#include "files/midiexport.h"
#include "files/musicxmlexport.h"
#include "files/periodbuilder.h"
#include "files/periodlimits.h"
#include "files/periodreader.h"
#include "files/scorelayout.h"
#include "midinotes.h"
#include "model/chordcatalogue.h"
#include "model/tempo.h"
#include "musicxmlreading.h"
#include "periodtesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

bool regenerating() {
    const char* value = std::getenv("TONARIA_REGENERATE_GOLDEN");
    return value != nullptr && std::string(value) == "1";
}

TChord voiced(const char* type, int time, std::array<int, 4> satb) {
    TChord chord = chordOfType(type);
    chord.setTime(time);
    chord.setVoices({satb[0], satb[1], satb[2], satb[3]});
    return chord;
}

TPeriodData periodFile(const std::string& name) {
    TPeriodData period;
    readPeriodFile(period, testDataPath("musicxml/" + name));
    return period;
}

// One phrase "A" of the given motives in C major 4/4 without upbeat.
TPeriodData phraseOf(const TKey& key, const TMeasure& measure, int zatakt,
                     std::vector<std::pair<TNoteList, TChordList>> motives) {
    TPeriodData period;
    period.setKey(key);
    period.setMeasure(measure);
    period.setZatakt(static_cast<std::int16_t>(zatakt));
    TPhraseData& phrase = period.sentences().emplace_back().phrases().emplace_back(
        static_cast<int>(motives.size()), SUFFIX_A, key, measure, zatakt);
    for (std::size_t i = 0; i < motives.size(); ++i) {
        phrase.motives()[i].notes() = motives[i].first;
        phrase.motives()[i].chords() = motives[i].second;
    }
    return period;
}

// Every named duration, in C flat major so that every letter is written flat.
TPeriodData everyDurationPeriod() {
    TNoteList first;
    TNoteList second;
    int time = 0;
    for (const DURATION d : {SIXTEENTH, EIGHTH, POINTED_EIGHTH, QUARTER, QUARTER_AND_SIXTEENTH}) {
        first.emplace_back(time, 20 + time / 30 % 7, d);
        time += d;
    }
    first.emplace_back(time, 25, 480 - time);
    time = 0;
    for (const DURATION d : {POINTED_QUARTER, QUARTER_AND_POINTED_EIGHTH, SIXTEENTH}) {
        second.emplace_back(time, 27 - time / 30 % 5, d);
        time += d;
    }
    second.emplace_back(time, 22, HALF);
    return phraseOf(TKey(-7, MAJOR), TMeasure(4, QUARTER), 0,
                    {{first, {voiced("TONIC_THREE_CHORD", 0, {27, 24, 20, 13})}},
                     {second, {voiced("DOMINANT_SECOND_CHORD", 0, {26, 24, 19, 17})}}});
}

struct TGoldenCase {
    const char* file;
    std::function<TPeriodData()> make;
};

void PrintTo(const TGoldenCase& golden, std::ostream* out) {
    *out << golden.file;
}

class MusicXmlGolden : public testing::TestWithParam<TGoldenCase> {};

TEST_P(MusicXmlGolden, MatchesTheGoldenFile) {
    const TGoldenCase& golden = GetParam();
    const std::string written = musicXmlDocument(golden.make());
    const auto path = testDataPath(std::string("musicxml/") + golden.file);
    if (regenerating()) {
        std::ofstream(path, std::ios::binary) << written;
    }
    const std::string expected = readTextFile(path);
    if (written != expected) {
        std::istringstream a(written);
        std::istringstream b(expected);
        std::string lineA;
        std::string lineB;
        int line = 1;
        while (std::getline(a, lineA) && std::getline(b, lineB) && lineA == lineB)
            ++line;
        ADD_FAILURE() << path << " differs from line " << line << ": \"" << lineA
                      << "\" written, \"" << lineB << "\" in the golden file";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Periods, MusicXmlGolden,
    testing::Values(
        TGoldenCase{"default.musicxml", [] { return periodFile("default-generated.tnr"); }},
        TGoldenCase{"upbeat.musicxml", upbeatPeriod},
        TGoldenCase{"a-sharp-minor.musicxml", [] { return periodFile("a-sharp-minor.tnr"); }},
        TGoldenCase{"every-duration.musicxml", everyDurationPeriod}));

void expectFullMeasures(const TReadScore& read, const TPeriodData& period) {
    const int length = period.measure().ticksPerMeasure();
    for (std::size_t part = 0; part < read.parts.size(); ++part) {
        const auto& measures = read.parts[part];
        ASSERT_FALSE(measures.empty());
        EXPECT_EQ(measures.front().number, period.zatakt() > 0 ? "0" : "1");
        for (std::size_t m = 0; m < measures.size(); ++m) {
            const TReadMeasure& measure = measures[m];
            const bool pickup = m == 0 && period.zatakt() > 0;
            EXPECT_EQ(measure.implicit, pickup);
            const int expected = pickup ? period.zatakt() : length;
            EXPECT_EQ(measure.length, expected) << "part " << part << " measure " << m;
            for (const auto& [voice, ticks] : measure.voiceLengths)
                EXPECT_EQ(ticks, expected)
                    << "part " << part << " measure " << m << " voice " << voice;
            EXPECT_EQ(measure.voiceLengths.size(), part == 0 ? 1u : 4u);
        }
    }
}

TEST(MusicXmlExport, GeneratedPeriodsInAllThirtyKeysSoundAsTheMidiExportAndFillTheirMeasures) {
    const std::array<TMeasure, 5> meters{TMeasure(2, QUARTER), TMeasure(3, QUARTER),
                                         TMeasure(4, QUARTER), TMeasure(3, EIGHTH),
                                         TMeasure(2, POINTED_QUARTER)};
    TRandomGenerator draws; // one stream over all rounds, so that they generate differently
    int round = 0;
    for (std::uint8_t mode : {MAJOR, MINOR}) {
        for (int sign = -7; sign <= 7; ++sign, ++round) {
            TPeriodStructure structure = defaultPeriodStructure();
            structure.key = TKey(sign, mode);
            structure.measure = meters[static_cast<std::size_t>(round) % meters.size()];
            const int length = structure.measure.ticksPerMeasure();
            const std::array<int, 3> upbeats{0, EIGHTH, length - EIGHTH};
            structure.zatakt = static_cast<std::int16_t>(upbeats[round % 3]);
            TPeriodData period;
            buildPeriod(period, structure);
            TScheme scheme(draws);
            generatePeriod(period, scheme, {});
            SCOPED_TRACE("key " + std::to_string(sign) + (mode == MINOR ? " minor" : " major") +
                         ", " + std::to_string(length) + " ticks a measure, upbeat " +
                         std::to_string(structure.zatakt));

            const TReadScore read = readMusicXml(musicXmlDocument(period));
            const auto expected = midiNotesAsScored(period);
            ASSERT_GT(expected.size(), 16u) << "generation gave too few notes to test with";
            EXPECT_EQ(read.notes, expected);
            expectFullMeasures(read, period);
        }
    }
}

TEST(MusicXmlExport, PitchesAreSpelledFromTheKeysLetters) {
    auto spelled = [](const TKey& key, int pitch) {
        const TWrittenPitch p = writtenPitch(key, pitch);
        return std::string(1, p.step) + std::to_string(p.alter) + "/" + std::to_string(p.octave);
    };
    EXPECT_EQ(spelled(TKey(0, MAJOR), 22), "E0/4"); // the treble staff's bottom line
    EXPECT_EQ(spelled(TKey(0, MAJOR), 13), "C0/3"); // the lowest melody pitch
    EXPECT_EQ(spelled(TKey(0, MAJOR), 0), "D0/1");
    EXPECT_EQ(spelled(TKey(-7, MAJOR), 20), "C-1/4"); // C flat sounds as B3
    EXPECT_EQ(spelled(TKey(7, MINOR), 3), "G2/1");    // the raised seventh of A sharp minor
    EXPECT_EQ(spelled(TKey(1, MINOR), 0), "D1/1");    // the raised seventh of E minor
    EXPECT_EQ(spelled(TKey(-6, MINOR), 0), "D0/1");   // ... and of E flat minor
    EXPECT_EQ(spelled(TKey(7, MAJOR), 26), "B1/4");   // B sharp sounds as C5
    EXPECT_EQ(signatureAlter(TKey(-2, MINOR), 'E'), -1);
    EXPECT_EQ(signatureAlter(TKey(-2, MINOR), 'A'), 0);
    EXPECT_EQ(signatureAlter(TKey(3, MAJOR), 'G'), 1);
    EXPECT_EQ(signatureAlter(TKey(3, MAJOR), 'D'), 0);
}

TEST(MusicXmlExport, AccidentalsHoldForTheirMeasureAndAreRepeatedAfterTheBarLine) {
    // A minor, 2/4: G sharp three times in the first measure, the last tied over the bar line,
    // then struck again in the second measure.
    const TKey aMinor(0, MINOR);
    const TPeriodData period =
        phraseOf(aMinor, TMeasure(2, QUARTER), 0,
                 {{{TNote(0, 24, EIGHTH), TNote(60, 24, EIGHTH), TNote(120, 24, HALF)}, {}},
                  {{TNote(120, 24, QUARTER)}, {}}});
    const TScoreLayout layout = layoutScore(period);
    ASSERT_EQ(layout.measures.size(), 2u);
    auto shown = [&](std::size_t measure) {
        std::vector<bool> marks;
        for (const TWrittenNote& note : layout.measures[measure].voices[MELODY_VOICE]) {
            if (isValidPitch(note.pitch))
                marks.push_back(note.showAccidental);
        }
        return marks;
    };
    EXPECT_EQ(shown(0), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(shown(1), (std::vector<bool>{false, true}))
        << "a note held on from the measure before shows none; the next one needs it again";
}

TEST(MusicXmlExport, NotesAreCutAtBarLinesAndTied) {
    // 3/4 with a quarter of upbeat: a half note from the last beat of the pickup's measure
    // runs over the bar line.
    const TPeriodData period = phraseOf(TKey(0, MAJOR), TMeasure(3, QUARTER), QUARTER,
                                        {{{TNote(240, 22, HALF), TNote(480, 22, QUARTER)}, {}}});
    const TScoreLayout layout = layoutScore(period);
    ASSERT_EQ(layout.measures.size(), 2u);
    const auto& pickup = layout.measures[0];
    EXPECT_EQ(pickup.number, 0);
    EXPECT_TRUE(pickup.implicit);
    EXPECT_EQ(pickup.length, 120);
    ASSERT_EQ(pickup.voices[MELODY_VOICE].size(), 1u);
    EXPECT_TRUE(pickup.voices[MELODY_VOICE][0].tieStart);
    const auto& next = layout.measures[1].voices[MELODY_VOICE];
    ASSERT_EQ(next.size(), 3u); // the tied rest of the half, the last note, a closing rest
    EXPECT_TRUE(next[0].tieStop);
    EXPECT_FALSE(next[0].tieStart);
    EXPECT_EQ(next[0].length, 120);
    EXPECT_EQ(next[1].length, 120);
    EXPECT_EQ(next[2].length, 120);
    EXPECT_FALSE(isValidPitch(next[2].pitch));
    EXPECT_EQ(layout.measures[1].barline, TBarline::Final);
}

TEST(MusicXmlExport, AChordHeldIntoTheNextMotivesUpbeatIsTiedAndARepeatedOneStruckAgain) {
    const TChord tonic = voiced("TONIC_THREE_CHORD", 0, {24, 20, 17, 13});
    const TChord tonicAtBar = voiced("TONIC_THREE_CHORD", 240, {24, 20, 17, 13});
    // With an upbeat the same voicing over the motive boundary sounds on.
    TPeriodData upbeat = phraseOf(TKey(0, MAJOR), TMeasure(2, QUARTER), EIGHTH,
                                  {{{}, {tonic, tonicAtBar}}, {{}, {tonic, tonicAtBar}}});
    TReadScore read = readMusicXml(musicXmlDocument(upbeat));
    EXPECT_EQ(read.notes, midiNotesAsScored(upbeat));
    const auto soprano = std::count_if(read.notes.begin(), read.notes.end(),
                                       [](const TSoundingNote& n) { return n.pitch == 67; });
    EXPECT_EQ(soprano, 3) << "pickup, measure 1 held into the next pickup, measure 2";
    // Without an upbeat every motive strikes its chord again.
    TPeriodData plain =
        phraseOf(TKey(0, MAJOR), TMeasure(2, QUARTER), 0, {{{}, {tonic}}, {{}, {tonic}}});
    read = readMusicXml(musicXmlDocument(plain));
    EXPECT_EQ(read.notes, midiNotesAsScored(plain));
    EXPECT_EQ(read.notes.size(), 8u);
}

TEST(MusicXmlExport, ChordsReadAsRomanNumeralsWithCaseQualityAndInversionFigures) {
    const TKey cMajor(0, MAJOR);
    const TKey aMinor(0, MINOR);
    auto analysed = [](const char* type, const TKey& key) {
        const THarmonyAnalysis a = analyseChord(chordOfType(type), key);
        return analysisText(a) + " " + a.kind + " " + std::to_string(a.inversion);
    };
    EXPECT_EQ(analysed("TONIC_THREE_CHORD", cMajor), "I major 0");
    EXPECT_EQ(analysed("TONIC_THREE_CHORD", aMinor), "i minor 0");
    EXPECT_EQ(analysed("SUBDOMINANT_SIXTH_CHORD", aMinor), "iv⁶ minor 1");
    EXPECT_EQ(analysed("K_SIXTH_FOURTH_CHORD", cMajor), "I⁶₄ major 2");
    EXPECT_EQ(analysed("K_SIXTH_FOURTH_CHORD", aMinor), "i⁶₄ minor 2");
    EXPECT_TRUE(analyseChord(chordOfType("K_SIXTH_FOURTH_CHORD"), aMinor).cadential);
    EXPECT_EQ(analysed("DOMINANT_FOUR_CHORD", aMinor), "V⁷ dominant 0");
    EXPECT_EQ(analysed("DOMINANT_SIXTH_FIFTH_CHORD", cMajor), "V⁶₅ dominant 1");
    EXPECT_EQ(analysed("DOMINANT_FOURTH_THIRD_CHORD", cMajor), "V⁴₃ dominant 2");
    EXPECT_EQ(analysed("DOMINANT_SECOND_CHORD", cMajor), "V⁴₂ dominant 3");
    EXPECT_EQ(analysed("LOWINTRO_SIXTH_CHORD", aMinor), "ii°⁶ diminished 1");
    EXPECT_EQ(analysed("LOWINTRO_FOUR_CHORD", cMajor), "ii⁷ minor-seventh 0");
    EXPECT_EQ(analysed("LOWINTRO_FOUR_CHORD", aMinor), "iiø⁷ half-diminished 0");
    EXPECT_EQ(analysed("TOPINTRO_FOUR_CHORD", aMinor), "vii°⁷ diminished-seventh 0");
    EXPECT_EQ(analysed("TOPINTRO_FOUR_CHORD", cMajor), "viiø⁷ half-diminished 0");
    EXPECT_EQ(analysed("SUBDOMINANT_FOUR_CHORD", cMajor), "IV⁷ major-seventh 0");
    EXPECT_EQ(analysed("LOWM_SIXTH_CHORD", aMinor), "III+⁶ augmented 1");
    EXPECT_EQ(analysed("LOWM_FOUR_CHORD", aMinor), "III+⁷ major-seventh 0");
    EXPECT_TRUE(analyseChord(chordOfType("LOWM_FOUR_CHORD"), aMinor).raisedFifth);

    // In the document: the printed numeral below the bass, and the unprinted harmony with the
    // numeral as a function, the kind and the inversion; nothing a 3.1 reader rejects.
    const std::string xml = musicXmlDocument(phraseOf(
        aMinor, TMeasure(2, QUARTER), 0,
        {{{TNote(0, 24, HALF)}, {voiced("DOMINANT_SIXTH_FIFTH_CHORD", 0, {24, 21, 19, 11})}}}));
    EXPECT_NE(xml.find("<words>V⁶₅</words>"), std::string::npos);
    EXPECT_NE(xml.find("<harmony print-object=\"no\" placement=\"below\">\n"
                       "        <function>V</function>\n"
                       "        <kind text=\"\">dominant</kind>\n"
                       "        <inversion>1</inversion>"),
              std::string::npos);
    EXPECT_NE(xml.find("<score-partwise version=\"3.1\">"), std::string::npos);
    EXPECT_EQ(xml.find("numeral"), std::string::npos);
}

TEST(MusicXmlExport, PhraseLettersMarkTheirStartsAndDoubleBarsCloseSentencesAndPhrases) {
    const TPeriodData period = periodFile("default-generated.tnr");
    const std::string xml = musicXmlDocument(period);
    std::vector<std::string> letters;
    for (std::size_t at = xml.find("<rehearsal>"); at != std::string::npos;
         at = xml.find("<rehearsal>", at + 1)) {
        const std::size_t from = at + 11;
        letters.push_back(xml.substr(from, xml.find('<', from) - from));
    }
    EXPECT_EQ(letters, (std::vector<std::string>{"A", "B", "A1", "B1"}));
    const TScoreLayout layout = layoutScore(period);
    std::vector<int> doubles;
    for (const TScoreMeasure& measure : layout.measures) {
        if (measure.barline == TBarline::Double)
            doubles.push_back(measure.number);
    }
    // Phrases of two motives with an eighth of upbeat end inside measures 2, 4 and 6; the
    // double bar follows the next phrase's upbeat.
    EXPECT_EQ(doubles, (std::vector<int>{2, 4, 6}));
    EXPECT_EQ(layout.measures.back().barline, TBarline::Final);
    EXPECT_EQ(layout.measures.back().number, 8);
}

TEST(MusicXmlExport, AnEmptyPeriodIsOneMeasureOfRest) {
    TPeriodData period;
    const TReadScore read = readMusicXml(musicXmlDocument(period));
    EXPECT_TRUE(read.notes.empty());
    expectFullMeasures(read, period);
    ASSERT_EQ(read.parts[0].size(), 1u);
}

TEST(MusicXmlExport, TheTempoIsTheOnePlaybackPlaysAt) {
    TPeriodData period;
    period.setTempo(145);
    const std::string xml = musicXmlDocument(period);
    EXPECT_NE(xml.find("<per-minute>136</per-minute>"), std::string::npos);
    EXPECT_NE(xml.find("<sound tempo=\"136.36\""), std::string::npos);
}

TEST(MusicXmlExport, BothExportsStateTheMetronomeMarkTheProgramShows) {
    for (int tempo : {MIN_TEMPO, 50, DEFAULT_TEMPO, 145, 150, MAX_TEMPO}) {
        SCOPED_TRACE("tempo " + std::to_string(tempo));
        TPeriodData period;
        period.setTempo(tempo);
        const std::string mark = std::to_string(metronomeMark(tempo));
        EXPECT_NE(musicXmlDocument(period).find("<per-minute>" + mark + "</per-minute>"),
                  std::string::npos);
        EXPECT_EQ(std::lround(60'000'000.0 / midiTempo(tempo)), metronomeMark(tempo));
    }
}

TEST(MusicXmlExport, WritesTheFileWholeOrLeavesTheOldOne) {
    TScratchFolder folder;
    const auto file = folder / "song.musicxml";
    { std::ofstream(file) << "old"; }
    exportMusicXml(periodFile("default-generated.tnr"), file);
    EXPECT_EQ(readTextFile(file), musicXmlDocument(periodFile("default-generated.tnr"), "song"));
    EXPECT_THROW(exportMusicXml(TPeriodData(), folder / "missing" / "song.musicxml"),
                 TFileWriteError);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"song.musicxml"});
}

} // namespace
