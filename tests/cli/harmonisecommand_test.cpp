#include "cli/commands.h"
#include "clitesting.h"
#include "engine/periodharmonisation.h"
#include "files/periodreader.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

class HarmoniseCommand : public TCliFolderTest {
protected:
    HarmoniseCommand() : TCliFolderTest("harmonise") {}

    static std::string contents(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

// Every motive has its chords, and every chord that follows another one in the period's
// playing order keeps the voice-leading rules against it.
void expectHarmonisedAndLed(const TPeriodData& period) {
    const std::vector<TContextCell> cells = periodCells(period);
    for (const TContextCell& cell : cells) {
        const TMotive& motive = *cell.motive;
        ASSERT_TRUE(motive.isHarmonised());
        const TChordList& chords = motive.chords();
        for (std::size_t c = 1; c < chords.size(); ++c)
            EXPECT_EQ(firstBrokenRule(chords[c - 1].voices(), chords[c].voices(), period.key()),
                      RULE_KEPT);
        const TMotiveContext context = contextMotive(cells, &motive);
        if (!context.motive)
            continue;
        const TChord& before = context.motive->chords().back();
        if (motive.zatakt() > 0) {
            EXPECT_TRUE(chords[0].sameVoices(before));
        } else if (context.code == CONTEXT_CONTINUES) {
            EXPECT_EQ(firstBrokenRule(before.voices(), chords[0].voices(), period.key()),
                      RULE_KEPT);
        }
    }
}

} // namespace

TEST_F(HarmoniseCommand, HarmonisesTheDefaultPeriodAndKeepsHarmonisedMotives) {
    ASSERT_EQ(run({"new", path("empty.tnr")}), EXIT_OK);
    ASSERT_EQ(run({"harmonise", path("empty.tnr"), path("once.tnr")}), EXIT_OK) << err_.str();
    EXPECT_EQ(out_.str(), "Harmonised 8 motives\n");
    TPeriodData period;
    readPeriodFile(period, path("once.tnr"));
    ASSERT_EQ(period.motiveCount(), 8);
    expectHarmonisedAndLed(period);

    ASSERT_EQ(run({"harmonise", path("once.tnr"), path("twice.tnr")}), EXIT_OK);
    EXPECT_EQ(out_.str(), "Harmonised 0 motives; 8 already harmonised\n");
    EXPECT_EQ(contents(path("once.tnr")), contents(path("twice.tnr")));
}

TEST_F(HarmoniseCommand, HarmonisesPeriodsWithoutUpbeatInEveryMode) {
    for (const char* mode : {"--major", "--minor"}) {
        for (const char* meter : {"2/4", "3/4"}) {
            ASSERT_EQ(run({"new", path("in.tnr"), "--phrases", "2,2,1", "--key", "3", mode,
                           "--meter", meter, "--upbeat", "0"}),
                      EXIT_OK)
                << err_.str();
            ASSERT_EQ(run({"harmonise", path("in.tnr"), path("out.tnr")}), EXIT_OK);
            TPeriodData period;
            readPeriodFile(period, path("out.tnr"));
            EXPECT_EQ(period.zatakt(), 0);
            expectHarmonisedAndLed(period);
        }
    }
}

TEST_F(HarmoniseCommand, RefusesWrongCommandLinesAndMissingFiles) {
    EXPECT_EQ(run({"harmonise", path("in.tnr")}), EXIT_USAGE_ERROR);
    EXPECT_EQ(run({"harmonise", path("in.tnr"), path("out.tnr"), path("more.tnr")}),
              EXIT_USAGE_ERROR);
    EXPECT_EQ(run({"harmonise", path("missing.tnr"), path("out.tnr")}), EXIT_FILE_ERROR);
    EXPECT_FALSE(std::filesystem::exists(path("out.tnr")));
    EXPECT_NE(run({"--help"}), EXIT_USAGE_ERROR);
    EXPECT_NE(out_.str().find("tonaria-cli harmonise IN.tnr OUT.tnr"), std::string::npos);
}
