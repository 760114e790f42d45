#include "cli/commands.h"
#include "files/periodreader.h"
#include "periodtesting.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct TRun {
    int status;
    std::string out;
    std::string err;
};

TRun run(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCli(arguments, out, err);
    return {status, out.str(), err.str()};
}

TEST(Cli, NewWithoutOptionsWritesTheDefaultPeriod) {
    TScratchFolder folder;
    const TRun result = run({"new", (folder / "new.tnr").string()});
    EXPECT_EQ(result.status, EXIT_OK) << result.err;
    EXPECT_EQ(readTextFile(folder / "new.tnr"), readTextFile(testDataPath("default.tnr")));
}

TEST(Cli, NewBuildsTheStructureItIsGiven) {
    TScratchFolder folder;
    const TRun result = run({"new", (folder / "new.tnr").string(), "--phrases", "1,2", "--motives",
                             "1,2,3", "--letters", "C,D,E1", "--key", "3", "--major", "--meter",
                             "3/8", "--upbeat", "60", "--tempo", "70"});
    ASSERT_EQ(result.status, EXIT_OK) << result.err;
    TPeriodData period;
    readPeriodFile(period, folder / "new.tnr");
    EXPECT_EQ(period.key(), TKey(3, MAJOR));
    EXPECT_EQ(period.measure(), TMeasure(3, EIGHTH));
    EXPECT_EQ(period.zatakt(), 60);
    EXPECT_EQ(period.tempo(), 70);
    ASSERT_EQ(period.sentences().size(), 2u);
    ASSERT_EQ(period.sentences()[1].phrases().size(), 2u);
    EXPECT_EQ(period.sentences()[1].phrases()[1].suffix(), 14);
    EXPECT_EQ(period.sentences()[1].phrases()[1].motiveCount(), 3);
}

TEST(Cli, NewFillsMotivesAndLettersForAnotherShape) {
    TScratchFolder folder;
    ASSERT_EQ(run({"new", (folder / "n.tnr").string(), "--phrases", "3,3", "--minor"}).status,
              EXIT_OK);
    TPeriodData period;
    readPeriodFile(period, folder / "n.tnr");
    std::vector<int> letters;
    for (const TSentenceData& sentence : period.sentences())
        for (const TPhraseData& phrase : sentence.phrases()) {
            letters.push_back(phrase.suffix());
            EXPECT_EQ(phrase.motiveCount(), 2);
        }
    EXPECT_EQ(letters, (std::vector<int>{5, 6, 10, 11, 5, 6}));
}

class CliUsage : public testing::TestWithParam<std::vector<std::string>> {};

TEST_P(CliUsage, RefusesTheCommandLineAndWritesNothing) {
    TScratchFolder folder;
    std::vector<std::string> arguments = GetParam();
    for (std::string& argument : arguments)
        if (argument == "OUT")
            argument = (folder / "out.tnr").string();
    const TRun result = run(arguments);
    EXPECT_EQ(result.status, EXIT_USAGE_ERROR);
    EXPECT_NE(result.err.find("tonaria-cli: "), std::string::npos);
    EXPECT_TRUE(folder.entries().empty());
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, CliUsage,
    testing::Values(std::vector<std::string>{}, std::vector<std::string>{"play"},
                    std::vector<std::string>{"info"}, std::vector<std::string>{"resave", "OUT"},
                    std::vector<std::string>{"new"}, std::vector<std::string>{"new", "--minor"},
                    std::vector<std::string>{"new", "OUT", "--tempo"},
                    std::vector<std::string>{"new", "OUT", "--tempo", "fast"},
                    std::vector<std::string>{"new", "OUT", "--tempo", "200"},
                    std::vector<std::string>{"new", "OUT", "--key", "8"},
                    std::vector<std::string>{"new", "OUT", "--meter", "2/5"},
                    std::vector<std::string>{"new", "OUT", "--meter", "5/4"},
                    std::vector<std::string>{"new", "OUT", "--meter", "4"},
                    std::vector<std::string>{"new", "OUT", "--upbeat", "240"},
                    std::vector<std::string>{"new", "OUT", "--upbeat", "-60"},
                    std::vector<std::string>{"new", "OUT", "--letters", "A,B,Q,A1"},
                    std::vector<std::string>{"new", "OUT", "--letters", "A,B"},
                    std::vector<std::string>{"new", "OUT", "--motives", "2,2,2"},
                    std::vector<std::string>{"new", "OUT", "--motives", "2,,2,2"},
                    std::vector<std::string>{"new", "OUT", "--phrases", "2000000000"},
                    std::vector<std::string>{"new", "OUT", "--motives", "1000,1,1,1"},
                    std::vector<std::string>{"new", "OUT", "extra"},
                    std::vector<std::string>{"new", "OUT", "--colour", "red"}));

TEST(Cli, InfoDescribesTheComposition) {
    const TRun result = run({"info", testDataPath("upbeat.tnr").string()});
    EXPECT_EQ(result.status, EXIT_OK) << result.err;
    EXPECT_EQ(result.out, "Key: A minor (signature 0, Minor)\n"
                          "Meter: 3/4\n"
                          "Upbeat: 120 ticks\n"
                          "Tempo: 145 (136 quarter notes a minute)\n"
                          "Sentences: 2\n"
                          "  Sentence 1: 1 phrases\n"
                          "    Phrase B: 2 motives\n"
                          "      Motive 1: 3 notes, 2 chords\n"
                          "      Motive 2: 3 notes, 1 chords\n"
                          "  Sentence 2: 1 phrases\n"
                          "    Phrase B1: 1 motives\n"
                          "      Motive 1: 0 notes, 0 chords\n");
}

TEST(Cli, ResaveReproducesAFileItWrote) {
    TScratchFolder folder;
    for (const char* name : {"one-chord.tnr", "upbeat.tnr", "every-duration.tnr"}) {
        const TRun result = run({"resave", testDataPath(name).string(), (folder / name).string()});
        EXPECT_EQ(result.status, EXIT_OK) << result.err;
        EXPECT_EQ(readTextFile(folder / name), readTextFile(testDataPath(name))) << name;
    }
}

TEST(Cli, ReportsEveryUnreadableFileAndWritesNothing) {
    TScratchFolder folder;
    std::vector<fs::path> files{folder / "missing.tnr"};
    for (const auto& entry : fs::directory_iterator(testDataPath("bad")))
        files.push_back(entry.path());
    for (const fs::path& file : files) {
        for (const auto& arguments :
             {std::vector<std::string>{"info", file.string()},
              std::vector<std::string>{"resave", file.string(), (folder / "out.tnr").string()}}) {
            const TRun result = run(arguments);
            EXPECT_EQ(result.status, EXIT_FILE_ERROR) << file;
            EXPECT_EQ(result.err.rfind("Unable to open file " + file.string() + ": ", 0), 0u)
                << result.err;
            EXPECT_TRUE(result.out.empty());
        }
    }
    EXPECT_TRUE(folder.entries().empty());
}

TEST(Cli, NamesTheReasonAFileIsRefused) {
    const fs::path score = testDataPath("bad/document-element-score.tnr");
    const TRun result = run({"info", score.string()});
    EXPECT_EQ(result.status, EXIT_FILE_ERROR);
    EXPECT_EQ(result.err,
              "Unable to open file " + score.string() + ": it is not a Tonaria composition\n");
    const TRun missing = run({"info", "/no/such/folder/song.tnr"});
    EXPECT_EQ(missing.err,
              "Unable to open file /no/such/folder/song.tnr: No such file or directory\n");
}

TEST(Cli, ReportsAFileThatCannotBeWrittenAndKeepsTheOldOne) {
    TScratchFolder folder;
    const fs::path nowhere = folder / "no-folder" / "x.tnr";
    const TRun result = run({"new", nowhere.string()});
    EXPECT_EQ(result.status, EXIT_FILE_ERROR);
    EXPECT_EQ(result.err, "The error occurs while saving of the file " + nowhere.string() +
                              ": No such file or directory\n");

    fs::create_directory(folder / "taken.tnr");
    EXPECT_EQ(
        run({"resave", testDataPath("one-chord.tnr").string(), (folder / "taken.tnr").string()})
            .status,
        EXIT_FILE_ERROR);
    EXPECT_TRUE(fs::is_directory(folder / "taken.tnr"));
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"taken.tnr"});
}

TEST(Cli, HelpNamesEveryCommand) {
    const TRun result = run({"--help"});
    EXPECT_EQ(result.status, EXIT_OK);
    for (const char* word : {"info", "new", "resave", "--phrases", "--upbeat", "--tempo"})
        EXPECT_NE(result.out.find(word), std::string::npos) << word;
}

} // namespace
