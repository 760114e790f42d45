#include "cli/commands.h"
#include "files/midiexport.h"
#include "files/musicxmlexport.h"
#include "files/periodreader.h"
#include "periodtesting.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun run(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCli(arguments, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST(CliExport, ExportMidiWritesTheFileOfTheComposition) {
    TScratchFolder folder;
    const auto input = testDataPath("upbeat.tnr");
    const CliRun result = run({"export-midi", input.string(), (folder / "out.mid").string()});
    ASSERT_EQ(result.status, EXIT_OK) << result.err;
    TPeriodData period;
    readPeriodFile(period, input);
    EXPECT_EQ(readBytes(folder / "out.mid"), midiFileBytes(period));
}

TEST(CliExport, ExportMusicXmlWritesTheScoreOfTheComposition) {
    TScratchFolder folder;
    const auto input = testDataPath("upbeat.tnr");
    const auto output = folder / "out.musicxml";
    const CliRun result = run({"export-musicxml", input.string(), output.string()});
    ASSERT_EQ(result.status, EXIT_OK) << result.err;
    TPeriodData period;
    readPeriodFile(period, input);
    EXPECT_EQ(readTextFile(output), musicXmlDocument(period, "upbeat"))
        << "titled after the composition's file";
    const CliRun unwritable =
        run({"export-musicxml", input.string(), (folder / "missing" / "out.musicxml").string()});
    EXPECT_EQ(unwritable.status, EXIT_FILE_ERROR);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"out.musicxml"});
}

TEST(CliExport, ExportWavWritesAWaveFile) {
    TScratchFolder folder;
    const CliRun result =
        run({"export-wav", testDataPath("one-chord.tnr").string(), (folder / "out.wav").string()});
    ASSERT_EQ(result.status, EXIT_OK) << result.err;
    const auto bytes = readBytes(folder / "out.wav");
    ASSERT_GT(bytes.size(), 44u + 44100u * 4);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
}

TEST(CliExport, ReportsWrongArgumentsUnreadableInputAndUnwritableOutput) {
    TScratchFolder folder;
    EXPECT_EQ(run({"export-midi", "only-one.tnr"}).status, EXIT_USAGE_ERROR);
    const CliRun missing =
        run({"export-wav", (folder / "missing.tnr").string(), (folder / "o.wav").string()});
    EXPECT_EQ(missing.status, EXIT_FILE_ERROR);
    EXPECT_NE(missing.err.find("missing.tnr"), std::string::npos);
    const CliRun unwritable = run({"export-midi", testDataPath("upbeat.tnr").string(),
                                   (folder / "no-folder" / "out.mid").string()});
    EXPECT_EQ(unwritable.status, EXIT_FILE_ERROR);
    EXPECT_NE(unwritable.err.find("out.mid"), std::string::npos);
    EXPECT_NE(run({"--help"}).out.find("export-wav IN.tnr OUT.wav"), std::string::npos);
}
