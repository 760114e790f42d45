#include "files/periodbuilder.h"
#include "files/periodlimits.h"
#include "files/periodreader.h"
#include "files/periodwriter.h"
#include "files/settings.h"
#include "files/xmlinput.h"
#include "periodtesting.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The reason a read of `text` over the default period gives; the period must stay as it was.
std::string refusal(const std::string& text) {
    TPeriodData period;
    buildDefaultPeriod(period);
    const std::string before = periodDocument(period);
    try {
        readPeriodText(period, text);
    } catch (const TPeriodReadError& error) {
        EXPECT_EQ(periodDocument(period), before);
        return error.what();
    }
    ADD_FAILURE() << "read without an error";
    return {};
}

std::string repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

std::string motiveWith(const std::string& chords, const std::string& notes) {
    return "<PERIOD><SENTENCE><PHRASE><MOTIVE><CHORDS>" + chords + "</CHORDS><NOTES>" + notes +
           "</NOTES></MOTIVE></PHRASE></SENTENCE></PERIOD>";
}

TEST(WrongFiles, ADocumentOfAnotherKindIsNotAComposition) {
    EXPECT_EQ(refusal("<CONFIG><MIDI_DEVICE VALUE=\"3\"/><TEMP VALUE=\"70\"/></CONFIG>"),
              NOT_A_COMPOSITION);
    EXPECT_EQ(refusal("<period><TEMP VALUE=\"70\"/></period>"), NOT_A_COMPOSITION);
    // A score exported for notation programs is XML, but nothing of a period.
    const fs::path score = testDataPath("musicxml/default.musicxml");
    const std::string scoreText = readTextFile(score);
    TPeriodData period;
    try {
        readPeriodFile(period, score);
        ADD_FAILURE() << "a score was read as a composition";
    } catch (const TPeriodReadError& error) {
        EXPECT_EQ(std::string(error.what()), NOT_A_COMPOSITION);
    }
    EXPECT_EQ(readTextFile(score), scoreText);
}

TEST(WrongFiles, CountsBeyondTheLimitsAreRefusedNamingTheLimit) {
    // 50,000 empty sentences: refused at the first one too many, not after building them all.
    EXPECT_NE(refusal("<PERIOD>" + repeated("<SENTENCE/>", 50000) + "</PERIOD>")
                  .find("the period holds more than 1000 sentences"),
              std::string::npos);
    EXPECT_NE(refusal("<PERIOD><SENTENCE>" + repeated("<PHRASE/>", 1001) + "</SENTENCE></PERIOD>")
                  .find("the period holds more than 1000 phrases"),
              std::string::npos);
    EXPECT_NE(refusal("<PERIOD>" +
                      repeated("<SENTENCE><PHRASE/><PHRASE/><PHRASE/></SENTENCE>", 500) +
                      "</PERIOD>")
                  .find("the period holds more than 1000 phrases"),
              std::string::npos);
    EXPECT_NE(refusal(motiveWith("", repeated("<NOTE TIME=\"0\" DURATION=\"SIXTEENTH\"/>", 65)))
                  .find("a motive holds more than 64 notes"),
              std::string::npos);
    EXPECT_NE(
        refusal(motiveWith(repeated("<CHORD CHORD_TYPE=\"TONIC_THREE_CHORD\" TIME=\"0\"/>", 3), ""))
            .find("a motive holds more than 2 chords"),
        std::string::npos);

    // Exactly at the limits the document reads.
    TPeriodData period;
    readPeriodText(period,
                   "<PERIOD>" + repeated("<SENTENCE><PHRASE/></SENTENCE>", 1000) + "</PERIOD>");
    EXPECT_EQ(period.sentences().size(), 1000u);
    readPeriodText(period,
                   motiveWith("", repeated("<NOTE TIME=\"0\" DURATION=\"SIXTEENTH\"/>", 64)));
    EXPECT_EQ(period.motiveCount(), 1);
}

TEST(WrongFiles, TheBuilderKeepsToTheSameLimits) {
    TPeriodStructure structure = defaultPeriodStructure();
    structure.phraseCounts.assign(1001, 0);
    structure.motiveCounts.clear();
    structure.letters.clear();
    TPeriodData period;
    EXPECT_THROW(buildPeriod(period, structure), std::invalid_argument);
    structure.phraseCounts = {1001};
    structure.motiveCounts.assign(1001, 0);
    EXPECT_THROW(buildPeriod(period, structure), std::invalid_argument);
}

// Reads `path` with a small limit and returns the reason it was refused.
std::optional<std::string> readReason(const fs::path& path, std::uintmax_t maxBytes = 100) {
    std::string text;
    return readRegularFile(path, text, maxBytes);
}

TEST(WrongFiles, OnlyRegularFilesAreReadAndEachRefusalSaysWhy) {
    TScratchFolder folder;
    std::ofstream(folder / "small.tnr") << "<PERIOD/>";
    std::string text;
    EXPECT_EQ(readRegularFile(folder / "small.tnr", text, 100), std::nullopt);
    EXPECT_EQ(text, "<PERIOD/>");

    EXPECT_EQ(readReason(folder / "missing.tnr"), "No such file or directory");
    fs::create_directory(folder / "folder.tnr");
    EXPECT_EQ(readReason(folder / "folder.tnr"), "it is a folder");
    // Opening a named pipe for reading would wait for a writer for ever.
    ASSERT_EQ(mkfifo((folder / "pipe.tnr").c_str(), 0600), 0);
    EXPECT_EQ(readReason(folder / "pipe.tnr"), "it is not a regular file");
    EXPECT_EQ(readReason("/dev/null"), "it is not a regular file");
    std::ofstream(folder / "large.tnr") << std::string(101, 'x');
    EXPECT_EQ(readReason(folder / "large.tnr"), "it is larger than 100 bytes");
    EXPECT_EQ(readReason(folder / "large.tnr", 1024 * 1024), std::nullopt);
    EXPECT_EQ(readReason(folder / "large.tnr", 50), "it is larger than 50 bytes");

    std::ofstream(folder / "locked.tnr") << "<PERIOD/>";
    fs::permissions(folder / "locked.tnr", fs::perms::none);
    // The superuser reads whatever the permissions say.
    if (geteuid() != 0) {
        EXPECT_EQ(readReason(folder / "locked.tnr"), "Permission denied");
    }

    // The composition reader gives the same reasons.
    TPeriodData period;
    try {
        readPeriodFile(period, folder / "pipe.tnr");
        ADD_FAILURE() << "a named pipe was read";
    } catch (const TPeriodReadError& error) {
        EXPECT_EQ(std::string(error.what()), "it is not a regular file");
    }
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"folder.tnr", "large.tnr", "locked.tnr",
                                                          "pipe.tnr", "small.tnr"}));
}

TEST(WrongFiles, ANamedPipeForSettingsReadsAsNoSettings) {
    TScratchFolder folder;
    ASSERT_EQ(mkfifo((folder / "config.xml").c_str(), 0600), 0);
    EXPECT_EQ(readMidiDevice(folder / "config.xml"), NO_MIDI_DEVICE);
    EXPECT_TRUE(readSchoolHarmony(folder / "config.xml")); // the default
    struct stat status {};
    ASSERT_EQ(stat((folder / "config.xml").c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

} // namespace
