#include "cli/commands.h"
#include "cli/generatecommand.h"
#include "cli/options.h"
#include "engine/rhythmlayout.h"
#include "files/periodbuilder.h"
#include "files/periodreader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

TGenerateOptions parse(std::vector<std::string> options) {
    return parseGenerateOptions(options);
}

// The notes of a generated motive: each part filled exactly when the rhythm has no rests, all
// in range, every part opening on a chord tone of its chord, leading tones marked.
void expectGeneratedMelody(const TMotive& motive, bool restless) {
    ASSERT_TRUE(motive.isHarmonised());
    ASSERT_FALSE(motive.notes().empty());
    for (const TMeasurePart& part : measureParts(motive.ticksPerMeasure(), motive.zatakt())) {
        const TChord* chord = motive.chordOfMeasureAt(part.from);
        ASSERT_NE(chord, nullptr);
        int t = part.from;
        bool first = true;
        for (const TNote& note : motive.notes()) {
            if (note.time() < part.from || note.time() >= part.to)
                continue;
            EXPECT_GE(note.time(), t);
            if (restless) {
                EXPECT_EQ(note.time(), t);
            }
            EXPECT_EQ(note.time() % 30, 0);
            EXPECT_TRUE(isInMelodyRange(note.pitch()));
            EXPECT_EQ(note.sign(), motive.key().isRaisedSeventh(note.pitch()) ? 1 : 0);
            if (first) {
                EXPECT_TRUE(chord->isChordTone(motive.key(), note.pitch()));
            }
            first = false;
            t = note.end();
        }
        EXPECT_LE(t, part.to);
        if (restless) {
            EXPECT_EQ(t, part.to);
        }
    }
}

TEST(GenerateOptions, ReadSchemesAndContour) {
    const TGenerateOptions options = parse({"--rhythm", "120,-60,60", "--rhythm-in-order",
                                            "--turns", "2,6,5", "--contour", "240:30,0:20"});
    EXPECT_EQ(options.rhythm, (TDurations{120, -60, 60}));
    EXPECT_TRUE(options.rhythmInOrder);
    EXPECT_EQ(options.turns, (TTurns{CHORD_LEAP_1, PASSING, NEIGHBOUR}));
    EXPECT_FALSE(options.turnsInOrder);
    ASSERT_TRUE(options.contour);
    ASSERT_EQ(options.contour->size(), 2u);
    EXPECT_EQ(options.contour->front().time, 0);
    EXPECT_EQ(options.contour->front().pitch, 20);

    const TGenerateOptions none = parse({});
    EXPECT_FALSE(none.rhythm);
    EXPECT_FALSE(none.turns);
    EXPECT_FALSE(none.contour);
}

TEST(GenerateOptions, RejectWhatTheSchemesCannotHold) {
    EXPECT_THROW(parse({"--rhythm", "120,-60"}), TUsageError);
    EXPECT_THROW(parse({"--rhythm", "100"}), TUsageError);
    EXPECT_THROW(parse({"--rhythm", "480"}), TUsageError);
    EXPECT_THROW(parse({"--turns", "0"}), TUsageError);
    EXPECT_THROW(parse({"--turns", "10"}), TUsageError);
    EXPECT_THROW(parse({"--contour", "30"}), TUsageError);
    EXPECT_THROW(parse({"--contour", "30:42"}), TUsageError);
    EXPECT_THROW(parse({"--turns-in-order"}), TUsageError);
    EXPECT_THROW(parse({"--rhythm"}), TUsageError);
    EXPECT_THROW(parse({"--speed", "3"}), TUsageError);
}

TEST(GeneratePeriod, TheDefaultPeriodBecomesAHarmonisedMelody) {
    TPeriodData period;
    buildDefaultPeriod(period);
    TRandomGenerator draws;
    TScheme scheme(draws);
    const auto report = generatePeriod(period, scheme, {});
    ASSERT_EQ(report.size(), std::size_t(period.motiveCount()));
    for (const TGeneratedMotive& entry : report) {
        EXPECT_TRUE(entry.harmonisedNow);
        EXPECT_TRUE(entry.generated);
    }
    for (const TMotive* motive : period.allMotives())
        expectGeneratedMelody(*motive, true);
}

TEST(GeneratePeriod, InOrderSchemesAndMotivesWithNotesKept) {
    TPeriodData period;
    TPeriodStructure structure = defaultPeriodStructure();
    structure.measure = TMeasure(3, 120);
    structure.zatakt = 120;
    buildPeriod(period, structure);
    TMotive& kept = *period.allMotives()[1];
    kept.notes() = {TNote(240, 20, 120)};
    const TMotive before = kept;

    TRandomGenerator draws;

    TScheme scheme(draws);
    const auto report =
        generatePeriod(period, scheme,
                       parse({"--rhythm", "60,-60,120,60,60", "--rhythm-in-order", "--turns", "2,6",
                              "--turns-in-order", "--contour", "0:30,360:14"}));
    EXPECT_EQ(report.size(), std::size_t(period.motiveCount() - 1));
    EXPECT_TRUE(kept.sameContent(before));
    EXPECT_TRUE(kept.chords().empty());
    const auto motives = period.allMotives();
    for (std::size_t i = 0; i < motives.size(); ++i)
        if (i != 1)
            expectGeneratedMelody(*motives[i], false);
}

TEST(GenerateCommand, WritesTheGeneratedPeriod) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "tonaria-generate-test";
    std::filesystem::create_directories(dir);
    const std::string in = (dir / "in.tnr").string();
    const std::string out = (dir / "out.tnr").string();
    std::ostringstream text;
    std::ostringstream errors;
    ASSERT_EQ(runCli(std::vector<std::string>{"new", in}, text, errors), EXIT_OK);
    ASSERT_EQ(runCli(std::vector<std::string>{"generate", in, out, "--turns", "5,6"}, text, errors),
              EXIT_OK)
        << errors.str();
    TPeriodData period;
    readPeriodFile(period, out);
    for (const TMotive* motive : period.allMotives())
        expectGeneratedMelody(*motive, true);

    EXPECT_EQ(runCli(std::vector<std::string>{"generate", in}, text, errors), EXIT_USAGE_ERROR);
    EXPECT_EQ(runCli(std::vector<std::string>{"generate", in, out, "--turns", "11"}, text, errors),
              EXIT_USAGE_ERROR);
    EXPECT_EQ(runCli(std::vector<std::string>{"generate", (dir / "none.tnr").string(), out}, text,
                     errors),
              EXIT_FILE_ERROR);
    std::filesystem::remove_all(dir);
}

} // namespace
