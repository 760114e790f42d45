// Accidentals in the written MusicXML document, read from the document as a notation program
// reads it: a sign holds for its letter and octave on its staff until the bar line, whichever
// voice of the staff wrote it.
#include "files/musicxmlexport.h"
#include "model/chordcatalogue.h"

#include <pugixml.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct TReadNote {
    std::size_t part = 0; // in document order: the melody, then the harmony
    int measure = 0;      // 1-based, in document order
    int time = 0;         // in divisions from the measure's start
    std::string staff;
    std::string voice;
    char step = 'C';
    int octave = 0;
    int alter = 0;
    std::string accidental; // empty when no sign is written
};

std::vector<TReadNote> pitchedNotes(const std::string& document) {
    pugi::xml_document xml;
    EXPECT_TRUE(xml.load_string(document.c_str()));
    std::vector<TReadNote> notes;
    std::size_t partIndex = 0;
    for (const pugi::xml_node& part : xml.child("score-partwise").children("part")) {
        int measureIndex = 0;
        for (const pugi::xml_node& measure : part.children("measure")) {
            ++measureIndex;
            int time = 0;
            for (const pugi::xml_node& child : measure.children()) {
                const std::string name = child.name();
                const int duration = child.child("duration").text().as_int();
                if (name == "backup")
                    time -= duration;
                else if (name == "forward")
                    time += duration;
                if (name != "note")
                    continue;
                const pugi::xml_node pitch = child.child("pitch");
                const int at = time;
                if (!child.child("chord"))
                    time += duration;
                if (!pitch)
                    continue;
                TReadNote read;
                read.part = partIndex;
                read.measure = measureIndex;
                read.time = at;
                read.staff = child.child_value("staff");
                read.voice = child.child_value("voice");
                read.step = pitch.child_value("step")[0];
                read.octave = pitch.child("octave").text().as_int();
                read.alter = pitch.child("alter").text().as_int();
                read.accidental = child.child_value("accidental");
                notes.push_back(read);
            }
        }
        ++partIndex;
    }
    return notes;
}

TChord voiced(const char* type, int time, std::array<int, 4> satb) {
    TChord chord = chordOfType(type);
    chord.setTime(time);
    chord.setVoices({satb[0], satb[1], satb[2], satb[3]});
    return chord;
}

// A minor in 2/4, one phrase of two motives. Pitch index 24 is the G sharp above middle C,
// 17 the one an octave lower; 26 is B, 22 E.
TPeriodData twoMeasuresOfGSharps() {
    const TKey aMinor(0, MINOR);
    const TMeasure twoFour(2, QUARTER);
    TPeriodData period;
    period.setKey(aMinor);
    period.setMeasure(twoFour);
    TPhraseData& phrase =
        period.sentences().emplace_back().phrases().emplace_back(2, SUFFIX_A, aMinor, twoFour, 0);
    // The melody: G sharp, B, G sharp again, the G sharp an octave lower; then G sharp after the
    // bar line.
    phrase.motives()[0].notes() = {TNote(0, 24, EIGHTH), TNote(60, 26, EIGHTH),
                                   TNote(120, 24, EIGHTH), TNote(180, 17, EIGHTH)};
    phrase.motives()[1].notes() = {TNote(0, 24, QUARTER), TNote(120, 26, QUARTER)};
    return period;
}

// A minor in 2/4 with an upbeat of a quarter, one phrase of two motives of chords only. The
// first written measure after the pickup holds the second chord of the first motive and the
// upbeat chord of the second: the alto's G sharp, then the soprano's in the same octave on the
// same staff, and the tenor's an octave lower on the staff below; the next measure the alto's
// G sharp again.
TPeriodData gSharpsInTheChords() {
    const TKey aMinor(0, MINOR);
    const TMeasure twoFour(2, QUARTER);
    TPeriodData period;
    period.setKey(aMinor);
    period.setMeasure(twoFour);
    period.setZatakt(QUARTER);
    TPhraseData& phrase = period.sentences().emplace_back().phrases().emplace_back(
        2, SUFFIX_A, aMinor, twoFour, QUARTER);
    phrase.motives()[0].chords() = {voiced("DOMINANT_THREE_CHORD", 0, {26, 22, 19, 15}),
                                    voiced("DOMINANT_THREE_CHORD", 240, {26, 24, 19, 15})};
    phrase.motives()[1].chords() = {voiced("DOMINANT_THREE_CHORD", 0, {24, 22, 17, 8}),
                                    voiced("DOMINANT_THREE_CHORD", 240, {26, 24, 19, 15})};
    return period;
}

// The signs written on the G sharps of one measure of one staff, in time order, each as
// "voice:octave:sign" ("-" for none).
std::vector<std::string> signsOnGSharps(const std::vector<TReadNote>& notes, std::size_t part,
                                        int measure, const std::string& staff) {
    std::vector<TReadNote> inOrder = notes;
    std::stable_sort(inOrder.begin(), inOrder.end(),
                     [](const TReadNote& a, const TReadNote& b) { return a.time < b.time; });
    std::vector<std::string> signs;
    for (const TReadNote& note : inOrder) {
        if (note.part != part || note.measure != measure || note.staff != staff || note.step != 'G')
            continue;
        EXPECT_EQ(note.alter, 1);
        signs.push_back(note.voice + ":" + std::to_string(note.octave) + ":" +
                        (note.accidental.empty() ? "-" : note.accidental));
    }
    return signs;
}

} // namespace

TEST(MusicXmlAccidentals, ASignForEachLetterAndOctaveOncePerMeasureOnItsStaff) {
    const std::vector<TReadNote> notes = pitchedNotes(musicXmlDocument(twoMeasuresOfGSharps()));
    // The melody: the first G sharp of each octave in the measure, and again after the bar line.
    EXPECT_EQ(signsOnGSharps(notes, 0, 1, ""),
              (std::vector<std::string>{"1:4:sharp", "1:4:-", "1:3:sharp"}));
    EXPECT_EQ(signsOnGSharps(notes, 0, 2, ""), (std::vector<std::string>{"1:4:sharp"}));
}

TEST(MusicXmlAccidentals, TheVoicesOfOneStaffShareTheirSigns) {
    const std::vector<TReadNote> notes = pitchedNotes(musicXmlDocument(gSharpsInTheChords()));
    // Measure 2 of the document is the first after the pickup. Upper staff: the alto writes the
    // sign, the soprano's later G sharp in the same octave needs none.
    const std::vector<std::string> upper = signsOnGSharps(notes, 1, 2, "1");
    ASSERT_EQ(upper.size(), 2u);
    EXPECT_EQ(upper[0].substr(upper[0].find(':')), ":4:sharp");
    EXPECT_EQ(upper[1].substr(upper[1].find(':')), ":4:-");
    EXPECT_NE(upper[0].substr(0, upper[0].find(':')), upper[1].substr(0, upper[1].find(':')))
        << "the two G sharps stand in different voices";
    // Lower staff: a staff of its own, so the tenor's G sharp shows its sign.
    const std::vector<std::string> lower = signsOnGSharps(notes, 1, 2, "2");
    ASSERT_EQ(lower.size(), 1u);
    EXPECT_EQ(lower[0].substr(lower[0].find(':')), ":3:sharp");
    // After the bar line the sign is written again.
    const std::vector<std::string> next = signsOnGSharps(notes, 1, 3, "1");
    ASSERT_EQ(next.size(), 1u);
    EXPECT_EQ(next[0].substr(next[0].find(':')), ":4:sharp");
}
