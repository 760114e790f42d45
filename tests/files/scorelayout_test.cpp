// How the score writes rhythm and harmony: notes cut and tied where the beats ask (a note struck
// off a beat is tied at the next beat; in a measure of four beats only a note from the downbeat
// crosses the middle), rests that show the beats, a held chord as one value with one numeral,
// and the title.
#include "files/musicxmlexport.h"
#include "files/scorelayout.h"
#include "model/chordcatalogue.h"
#include "periodtesting.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// One phrase of the given motives in C major.
TPeriodData phraseOf(const TMeasure& measure, int zatakt,
                     std::vector<std::pair<TNoteList, TChordList>> motives) {
    TPeriodData period;
    const TKey key(0, MAJOR);
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

// Written as time, length and whether it is tied on; rests as a negative length.
using Written = std::tuple<int, int, bool>;

std::vector<Written> writtenMelody(const TMeasure& measure, const TNoteList& notes) {
    const TScoreLayout layout = layoutScore(phraseOf(measure, 0, {{notes, {}}}));
    std::vector<Written> out;
    for (const TWrittenNote& note : layout.measures.at(0).voices[MELODY_VOICE]) {
        const bool pitched = isValidPitch(note.pitch);
        out.emplace_back(note.time, pitched ? note.length : -note.length, note.tieStart);
    }
    return out;
}

const TMeasure twoFour(2, QUARTER);
const TMeasure threeFour(3, QUARTER);
const TMeasure fourFour(4, QUARTER);
const TMeasure sixEight(2, POINTED_QUARTER);
const TMeasure threeEight(3, EIGHTH);

} // namespace

TEST(ScoreLayout, ANoteStruckOffTheBeatIsTiedAtTheNextBeat) {
    // A dotted quarter on the second eighth of 2/4 shows beat two.
    EXPECT_EQ(writtenMelody(twoFour, {TNote(0, 21, 60), TNote(60, 22, 180)}),
              (std::vector<Written>{{0, 60, false}, {60, 60, true}, {120, 120, false}}));
    // Filling up to the beat goes from the smallest value: a sixteenth, then the quarter.
    EXPECT_EQ(writtenMelody(sixEight, {TNote(0, 21, 30), TNote(30, 22, 150), TNote(180, 21, 180)}),
              (std::vector<Written>{
                  {0, 30, false}, {30, 30, true}, {60, 120, false}, {180, 180, false}}));
    // Inside one beat nothing is cut: sixteenth and dotted eighth; eighth and quarter in 6/8.
    EXPECT_EQ(writtenMelody(twoFour, {TNote(0, 21, 30), TNote(30, 22, 90), TNote(120, 21, 120)}),
              (std::vector<Written>{{0, 30, false}, {30, 90, false}, {120, 120, false}}));
    EXPECT_EQ(writtenMelody(sixEight, {TNote(0, 21, 60), TNote(60, 22, 120), TNote(180, 21, 180)}),
              (std::vector<Written>{{0, 60, false}, {60, 120, false}, {180, 180, false}}));
    // Over a beat of 6/8 and of 3/8.
    EXPECT_EQ(writtenMelody(sixEight, {TNote(0, 21, 60), TNote(60, 22, 180), TNote(240, 21, 120)}),
              (std::vector<Written>{
                  {0, 60, false}, {60, 120, true}, {180, 60, false}, {240, 120, false}}));
    EXPECT_EQ(
        writtenMelody(threeEight, {TNote(0, 21, 30), TNote(30, 22, 90), TNote(120, 21, 60)}),
        (std::vector<Written>{{0, 30, false}, {30, 30, true}, {60, 60, false}, {120, 60, false}}));
}

TEST(ScoreLayout, NotesFromTheBeatKeepTheirValueUnlessTheyHideTheMiddleOfFourBeats) {
    EXPECT_EQ(writtenMelody(threeFour, {TNote(0, 21, 120), TNote(120, 22, 240)}),
              (std::vector<Written>{{0, 120, false}, {120, 240, false}}));
    EXPECT_EQ(writtenMelody(fourFour, {TNote(0, 21, 360), TNote(360, 22, 120)}),
              (std::vector<Written>{{0, 360, false}, {360, 120, false}}));
    EXPECT_EQ(
        writtenMelody(fourFour, {TNote(0, 21, 120), TNote(120, 22, 240), TNote(360, 21, 120)}),
        (std::vector<Written>{
            {0, 120, false}, {120, 120, true}, {240, 120, false}, {360, 120, false}}));
    // A half note from the first beat of 6/8 hides the second beat: a dotted quarter and an
    // eighth; a dotted half fills both beats.
    EXPECT_EQ(writtenMelody(sixEight, {TNote(0, 21, 240), TNote(240, 22, 120)}),
              (std::vector<Written>{{0, 180, true}, {180, 60, false}, {240, 120, false}}));
    EXPECT_EQ(writtenMelody(sixEight, {TNote(0, 21, 360)}),
              (std::vector<Written>{{0, 360, false}}));
    // A quarter and a dotted eighth from the beat show the beat they cross.
    EXPECT_EQ(writtenMelody(threeFour, {TNote(0, 21, 210), TNote(210, 22, 150)}),
              (std::vector<Written>{
                  {0, 120, true}, {120, 90, false}, {210, 30, true}, {240, 120, false}}));
    EXPECT_EQ(
        writtenMelody(threeFour, {TNote(0, 21, 120), TNote(120, 22, 210), TNote(330, 21, 30)}),
        (std::vector<Written>{
            {0, 120, false}, {120, 120, true}, {240, 90, false}, {330, 30, false}}));
    // A dotted quarter from a beat of 2/4 or 3/4 stays one value.
    EXPECT_EQ(writtenMelody(twoFour, {TNote(0, 21, 180), TNote(180, 22, 60)}),
              (std::vector<Written>{{0, 180, false}, {180, 60, false}}));
    EXPECT_EQ(
        writtenMelody(threeFour, {TNote(0, 21, 120), TNote(120, 22, 180), TNote(300, 21, 60)}),
        (std::vector<Written>{{0, 120, false}, {120, 180, false}, {300, 60, false}}));
    // A quarter and a sixteenth from the beat: cut where the next beat falls.
    EXPECT_EQ(writtenMelody(twoFour, {TNote(0, 21, 150), TNote(150, 22, 90)}),
              (std::vector<Written>{{0, 120, true}, {120, 30, false}, {150, 90, false}}));
}

TEST(ScoreLayout, RestsShowTheBeats) {
    EXPECT_EQ(writtenMelody(twoFour, {TNote(0, 21, 30)}),
              (std::vector<Written>{
                  {0, 30, false}, {30, -30, false}, {60, -60, false}, {120, -120, false}}));
    EXPECT_EQ(writtenMelody(threeFour, {TNote(0, 21, 120)}),
              (std::vector<Written>{{0, 120, false}, {120, -120, false}, {240, -120, false}}));
    // In four beats the halves of the measure take a half rest, the second beat a quarter.
    EXPECT_EQ(writtenMelody(fourFour, {TNote(120, 21, 120)}),
              (std::vector<Written>{{0, -120, false}, {120, 120, false}, {240, -240, false}}));
    // The rest of a beat of 6/8 after its first eighth is two eighth rests; a whole beat is one.
    EXPECT_EQ(writtenMelody(sixEight, {TNote(0, 21, 60)}),
              (std::vector<Written>{
                  {0, 60, false}, {60, -60, false}, {120, -60, false}, {180, -180, false}}));
}

TEST(ScoreLayout, AChordHeldOverAMotiveBoundaryIsOneValueWithOneNumeral) {
    auto chord = [](const char* type, int time, TVoices voices) {
        TChord c = chordOfType(type);
        c.setTime(time);
        c.setVoices(voices);
        return c;
    };
    const TChord dominant = chord("DOMINANT_THREE_CHORD", 0, {25, 22, 18, 11});
    const TChord tonic = chord("TONIC_THREE_CHORD", 240, {24, 20, 17, 13});
    TChord tonicFirst = tonic;
    tonicFirst.setTime(0);
    // 2/4 with an eighth of upbeat: the tonic of the first motive's second measure goes on
    // through the second motive's pickup to the bar line.
    const TScoreLayout layout = layoutScore(
        phraseOf(twoFour, EIGHTH,
                 {{{TNote(180, 21, 60)}, {dominant, tonic}}, {{}, {tonicFirst, dominant}}}));
    ASSERT_EQ(layout.measures.size(), 3u);
    const TScoreMeasure& held = layout.measures[1];
    ASSERT_EQ(held.harmonies.size(), 1u) << "one numeral for the held chord";
    EXPECT_EQ(analysisText(held.harmonies[0].analysis), "I");
    for (int voice : {SOPRANO, ALTO, TENOR, BASS}) {
        const auto& notes = held.voices[static_cast<std::size_t>(voice)];
        ASSERT_EQ(notes.size(), 1u) << "voice " << voice;
        EXPECT_EQ(notes[0].length, 240);
        EXPECT_FALSE(notes[0].tieStart || notes[0].tieStop);
    }
    // The pickup chord starts with the pickup.
    ASSERT_EQ(layout.measures[0].harmonies.size(), 1u);
    EXPECT_EQ(layout.measures[0].harmonies[0].time, 180);
}

TEST(ScoreLayout, TheTitleIsTheCompositionsNameOrTheExportedFilesName) {
    TPeriodData period;
    period.setName("/home/someone/tnrs/Waltz in A.tnr");
    EXPECT_NE(musicXmlDocument(period).find("<work-title>Waltz in A</work-title>"),
              std::string::npos);
    TScratchFolder folder;
    TPeriodData untitled; // never saved: the program calls it "Untitled"
    exportMusicXml(untitled, folder / "sketch.musicxml");
    EXPECT_NE(readTextFile(folder / "sketch.musicxml").find("<work-title>sketch</work-title>"),
              std::string::npos);
}
