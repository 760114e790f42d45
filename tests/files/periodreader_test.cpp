#include "files/periodbuilder.h"
#include "files/periodreader.h"
#include "files/periodwriter.h"
#include "periodtesting.h"
#include "readerproperty.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// The settings lines of a document; sentences follow in each test.
std::string document(const std::string& body) {
    return "<PERIOD>\n" + body + "\n</PERIOD>";
}

const char* const sentenceOfOneMotive = "<SENTENCE><PHRASE SUFFIX=\"B\"><MOTIVE/></PHRASE>"
                                        "</SENTENCE>";

TPeriodData readText(const std::string& text, TPeriodData period = {}) {
    readPeriodText(period, text);
    return period;
}

const TMotive& firstMotive(const TPeriodData& period, std::size_t sentence = 0) {
    return period.sentences().at(sentence).phrases().at(0).motives().at(0);
}

TEST(PeriodReader, BuildsMotivesWithTheSettingsReadSoFar) {
    const TPeriodData period = readText(document(std::string(sentenceOfOneMotive) +
                                                 "<KEY LAD=\"MINOR\" SIGN=\"3\"/>"
                                                 "<MEASURE BEATS_PER_MEASURE=\"3\"/>"
                                                 "<MOTIVE_TYPE VALUE=\"QUARTER\"/>" +
                                                 sentenceOfOneMotive));
    EXPECT_EQ(firstMotive(period, 0).key(), TKey(0, MAJOR));
    EXPECT_EQ(firstMotive(period, 0).measure(), TMeasure(2, QUARTER));
    EXPECT_EQ(firstMotive(period, 0).zatakt(), 0);
    EXPECT_EQ(firstMotive(period, 1).key(), TKey(3, MINOR));
    EXPECT_EQ(firstMotive(period, 1).measure(), TMeasure(3, QUARTER));
    EXPECT_EQ(firstMotive(period, 1).zatakt(), QUARTER);
    EXPECT_EQ(period.key(), TKey(3, MINOR));
}

TEST(PeriodReader, KeepsThePreviousSettingsWhereTheDocumentIsSilent) {
    TPeriodData previous;
    previous.setKey(TKey(4, MINOR));
    previous.setMeasure(TMeasure(3, EIGHTH));
    previous.setZatakt(SIXTEENTH);
    previous.setTempo(130);
    const TPeriodData period = readText(document("<TEMP/><KEY SIGN=\"-1\" LAD=\"DORIAN\"/>"
                                                 "<MEASURE BEAT_VALUE=\"QUARTER\"/>"),
                                        previous);
    EXPECT_EQ(period.tempo(), 130);
    EXPECT_EQ(period.key(), TKey(-1, MINOR));
    EXPECT_EQ(period.measure(), TMeasure(3, QUARTER));
    EXPECT_EQ(period.zatakt(), SIXTEENTH);
}

TEST(PeriodReader, ReadsPhraseLettersAndFallsBackToA) {
    const TPeriodData period = readText(
        document("<SENTENCE><PHRASE SUFFIX=\"B1\"/><PHRASE SUFFIX=\"\"/><PHRASE SUFFIX=\"Z\"/>"
                 "<PHRASE SUFFIX=\"a\"/><PHRASE/></SENTENCE>"));
    std::vector<int> codes;
    for (const TPhraseData& phrase : period.sentences()[0].phrases())
        codes.push_back(phrase.suffix());
    EXPECT_EQ(codes, (std::vector<int>{11, 5, 5, 5, 0}));
}

TEST(PeriodReader, ChordTypeReplacesTheWholeChordInAttributeOrder) {
    const TPeriodData period = readText(document(
        "<MOTIVE_TYPE VALUE=\"EIGHTH\"/><SENTENCE><PHRASE><MOTIVE><CHORDS>"
        "<CHORD TIME=\"240\" SOPRANO=\"30\" CHORD_TYPE=\"DOMINANT_THREE_CHORD\" BASS=\"8\"/>"
        "<CHORD CHORD_TYPE=\"TONIC_SIXTH_CHORD\" TIME=\"240\" SOPRANO=\"24\" ALT=\"-1\"/>"
        "</CHORDS></MOTIVE></PHRASE></SENTENCE>"));
    const TChordList& chords = firstMotive(period).chords();
    ASSERT_EQ(chords.size(), 2u);
    EXPECT_EQ(chords[0].name(), "DOMINANT_THREE_CHORD");
    EXPECT_EQ(chords[0].time(), 0);
    EXPECT_EQ(chords[0].voices(), (TVoices{NO_PITCH, NO_PITCH, NO_PITCH, 8}));
    EXPECT_EQ(chords[1].name(), "TONIC_SIXTH_CHORD");
    EXPECT_EQ(chords[1].time(), 240);
    EXPECT_EQ(chords[1].voices(), (TVoices{24, NO_PITCH, NO_PITCH, NO_PITCH}));
}

TEST(PeriodReader, ReadsNoteAttributesInAnyOrderAndTheLastListWins) {
    const TPeriodData period = readText(document(
        "<SENTENCE><PHRASE><MOTIVE><NOTES><NOTE TIME=\"0\"/></NOTES><CHORDS/>"
        "<NOTES>"
        "<NOTE CHORDING_NOTE=\"NO\" SIGN=\"SHARP\" DURATION=\"HALF\" PITCH=\"20\" TIME=\"0\"/>"
        "<NOTE TIME=\"0\" CHORDING_NOTE=\"yes\" SIGN=\"sharp\" DURATION=\"EIGHTH\" COLOUR=\"red\"/>"
        "<NOTE/></NOTES></MOTIVE></PHRASE></SENTENCE>"));
    const TNoteList& notes = firstMotive(period).notes();
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].duration(), HALF);
    EXPECT_EQ(notes[0].pitch(), 20);
    EXPECT_EQ(notes[0].sign(), 1);
    EXPECT_FALSE(notes[0].chordingNote());
    EXPECT_EQ(notes[1].duration(), EIGHTH);
    EXPECT_EQ(notes[1].sign(), 0);
    EXPECT_FALSE(notes[1].chordingNote());
    // A note without attributes keeps the defaults of a new note.
    EXPECT_EQ(notes[2], TNote());
    EXPECT_TRUE(notes[2].chordingNote());
}

TEST(PeriodReader, IgnoresWhatItDoesNotKnow) {
    const TPeriodData period =
        readText("<?xml version=\"1.0\"?>\n<!-- saved by hand -->\n<PERIOD>text<!-- note -->"
                 "<temp VALUE=\"9999\"/><TEMP VALUE=\"85\" SPEED=\"x\"/><SENTENCE>words<PART/>"
                 "<PHRASE SUFFIX=\"C\"><CHORDS/><MOTIVE><EXTRA/></MOTIVE></PHRASE></SENTENCE>"
                 "</PERIOD>\n<!-- end -->\n");
    EXPECT_EQ(period.tempo(), 85);
    ASSERT_EQ(period.sentences().size(), 1u);
    EXPECT_TRUE(firstMotive(period).isEmpty());
}

TEST(PeriodReader, AcceptsTheEdgesOfEveryRange) {
    std::string motives;
    for (int i = 0; i < 1000; ++i)
        motives += "<MOTIVE/>";
    const TPeriodData period = readText(document(
        "<MEASURE BEATS_PER_MEASURE=\"4\" BEAT_VALUE=\"QUARTER\"/><KEY SIGN=\"-7\"/>"
        "<TEMP VALUE=\"199\"/><MOTIVE_TYPE VALUE=\"450\"/>"
        "<SENTENCE><PHRASE><MOTIVE><CHORDS>"
        "<CHORD CHORD_TYPE=\"TONIC_THREE_CHORD\" TIME=\"0\" BASS=\"0\" SOPRANO=\"41\"/>"
        "<CHORD CHORD_TYPE=\"TONIC_THREE_CHORD\" TIME=\"480\" BASS=\"-1\"/></CHORDS><NOTES>"
        "<NOTE TIME=\"930\" PITCH=\"-1\" DURATION=\"32767\"/>"
        "<NOTE TIME=\"930\" PITCH=\"41\" DURATION=\"SIXTEENTH\"/></NOTES></MOTIVE>"
        "</PHRASE><PHRASE>" +
        motives.substr(9) + "</PHRASE></SENTENCE>"));
    EXPECT_EQ(period.motiveCount(), 1000);
    EXPECT_EQ(period.zatakt(), 450);
    EXPECT_EQ(period.tempo(), 199);
    EXPECT_EQ(readText(document("<TEMP VALUE=\"1\"/><KEY SIGN=\"7\"/>")).tempo(), 1);
}

TEST(PeriodReader, ReplacesTheContentButKeepsNameAndListenerAndDoesNotNotify) {
    TPeriodData period;
    buildDefaultPeriod(period);
    period.setName("/songs/old.tnr");
    TRecordingPeriodListener listener;
    period.setListener(&listener);
    readPeriodFile(period, testDataPath("one-chord.tnr"));
    EXPECT_TRUE(listener.calls.empty());
    EXPECT_EQ(period.listener(), &listener);
    EXPECT_EQ(period.name(), "/songs/old.tnr");
    EXPECT_EQ(period.motiveCount(), 1);
}

TEST(PeriodReader, TakesTheDocumentElementOfAParsedDocument) {
    pugi::xml_document parsed;
    ASSERT_TRUE(parsed.load_string("<PERIOD><TEMP VALUE=\"115\"/></PERIOD>"));
    TPeriodData period;
    readPeriod(period, parsed.document_element());
    EXPECT_EQ(period.tempo(), 115);
}

TEST(PeriodReader, RefusesAFileThatCannotBeRead) {
    TPeriodData period;
    EXPECT_THROW(readPeriodFile(period, testDataPath("no-such-file.tnr")), TPeriodReadError);
    EXPECT_THROW(readPeriodFile(period, testDataPath("bad")), TPeriodReadError);
}

std::vector<std::string> badFiles() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(testDataPath("bad")))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class BadPeriodFile : public testing::TestWithParam<std::string> {};

TEST_P(BadPeriodFile, FailsAsAWholeAndLeavesThePeriodAsItWas) {
    TPeriodData period;
    buildDefaultPeriod(period);
    period.setName("kept.tnr");
    period.sentences()[0].phrases()[0].motives()[0].notes().push_back(TNote(180, 20, EIGHTH));
    TRecordingPeriodListener listener;
    period.setListener(&listener);
    const std::string before = periodDocument(period);

    EXPECT_THROW(readPeriodFile(period, testDataPath("bad/" + GetParam())), TPeriodReadError);
    EXPECT_EQ(periodDocument(period), before);
    EXPECT_EQ(period.name(), "kept.tnr");
    EXPECT_TRUE(listener.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(Folder, BadPeriodFile, testing::ValuesIn(badFiles()),
                         [](const auto& info) {
                             std::string name = info.param.substr(0, info.param.rfind('.'));
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !std::isalnum(c); },
                                 '_');
                             return name;
                         });

// The fuzzer's property over the bad files and the golden files as a fixed corpus.
TEST(PeriodReaderCorpus, EveryInputIsRefusedCleanlyOrSettlesAfterOneRound) {
    std::vector<std::filesystem::path> corpus;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(testDataPath("")))
        if (entry.is_regular_file() && entry.path().extension() == ".tnr")
            corpus.push_back(entry.path());
    ASSERT_GT(corpus.size(), 50u);
    for (const auto& path : corpus) {
        const auto problem = checkReaderOnInput(readTextFile(path));
        EXPECT_FALSE(problem) << path << ": " << *problem;
    }
}

} // namespace
