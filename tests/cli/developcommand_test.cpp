#include "cli/commands.h"
#include "clitesting.h"
#include "files/periodreader.h"
#include "model/pitch.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> EFFECTS{"sequence-up", "sequence-down", "variation", "repeat",
                                       "rhythm",      "piece",         "other"};

class DevelopCommand : public TCliFolderTest {
protected:
    DevelopCommand() : TCliFolderTest("develop") {}

    // A period of four phrases, two motives each, harmonised and generated.
    std::string generatedPeriod(const std::string& name, const std::string& shape) {
        const std::string empty = path(name + "-empty.tnr");
        const std::string generated = path(name + ".tnr");
        std::vector<std::string> arguments{"new", empty};
        std::istringstream options(shape);
        for (std::string option; options >> option;)
            arguments.push_back(option);
        EXPECT_EQ(run(arguments), EXIT_OK) << err_.str();
        EXPECT_EQ(run({"generate", empty, generated}), EXIT_OK) << err_.str();
        return generated;
    }
};

TEST_F(DevelopCommand, EveryEffectGivesThreeVariantsOfEachGeneratedMotive) {
    for (const std::string& shape :
         {std::string("--meter 2/4 --upbeat 60"), std::string("--meter 3/4 --key 2 --major")}) {
        const std::string in = generatedPeriod(std::to_string(shape.size()), shape);
        TPeriodData source;
        readPeriodFile(source, in);
        const std::string out = path("variants.tnr");
        for (int m = 0; m < source.motiveCount(); ++m) {
            for (const std::string& base : EFFECTS) {
                for (const std::string& effect : {base, "rel-" + base}) {
                    const std::string what = shape + " motive " + std::to_string(m) + " " + effect;
                    const int status = run(
                        {"develop", in, "--motive", std::to_string(m), "--effect", effect, out});
                    if (status != EXIT_OK) {
                        // Only a piece of one note has nothing to offer.
                        EXPECT_EQ(effect, "piece") << what << ": " << err_.str();
                        EXPECT_EQ(status, EXIT_FILE_ERROR);
                        continue;
                    }
                    TPeriodData developed;
                    readPeriodFile(developed, out);
                    EXPECT_EQ(developed.key(), source.key()) << what;
                    EXPECT_EQ(developed.measure(), source.measure()) << what;
                    EXPECT_EQ(developed.zatakt(), source.zatakt()) << what;
                    EXPECT_EQ(developed.tempo(), source.tempo()) << what;
                    ASSERT_EQ(developed.sentences().size(), 1u) << what;
                    ASSERT_EQ(developed.sentences()[0].phrases().size(), 1u) << what;
                    const TPhraseData& phrase = developed.sentences()[0].phrases()[0];
                    EXPECT_EQ(phrase.suffix(), SUFFIX_A);
                    ASSERT_EQ(phrase.motiveCount(), 3) << what;
                    for (const TMotive& variant : phrase.motives()) {
                        EXPECT_EQ(variant.chords().empty(), effect == base) << what;
                        for (const TNote& note : variant.notes())
                            EXPECT_TRUE(isInMelodyRange(note.pitch())) << what;
                    }
                }
            }
        }
    }
}

TEST_F(DevelopCommand, RelativeEffectsHarmoniseAMotiveWithoutChordsFirst) {
    const std::string in = path("empty.tnr");
    ASSERT_EQ(run({"new", in}), EXIT_OK);
    const std::string out = path("out.tnr");
    ASSERT_EQ(run({"develop", in, "--motive", "1", "--effect", "rel-repeat", out}), EXIT_OK)
        << err_.str();
    TPeriodData developed;
    readPeriodFile(developed, out);
    for (const TMotive& variant : developed.sentences()[0].phrases()[0].motives())
        EXPECT_TRUE(variant.isHarmonised());
}

TEST_F(DevelopCommand, AnEmptyVariantIsNotCountedAsWritten) {
    // A melody on the lowest pitches: its repeat an octave lower leaves the range.
    const std::string empty = path("low-empty.tnr");
    const std::string in = path("low.tnr");
    ASSERT_EQ(run({"new", empty, "--upbeat", "0"}), EXIT_OK);
    ASSERT_EQ(run({"generate", empty, in, "--turns", "1", "--contour", "0:13"}), EXIT_OK)
        << err_.str();
    ASSERT_EQ(run({"develop", in, "--motive", "0", "--effect", "repeat", path("out.tnr")}),
              EXIT_OK);
    EXPECT_EQ(out_.str(), "Wrote 2 variants of motive 0 (repeat); variant 2 is empty: it would "
                          "leave the pitch range\n");
}

TEST_F(DevelopCommand, ARhythmVariantAsItsSourceIsNamedWhenNoOtherRhythmExists) {
    // One half note fills the measure of 2/4: no rhythm technique can give it another.
    const std::string empty = path("half-empty.tnr");
    const std::string in = path("half.tnr");
    ASSERT_EQ(run({"new", empty, "--upbeat", "0"}), EXIT_OK);
    ASSERT_EQ(run({"generate", empty, in, "--rhythm", "240"}), EXIT_OK) << err_.str();
    ASSERT_EQ(run({"develop", in, "--motive", "0", "--effect", "rhythm", path("out.tnr")}),
              EXIT_OK);
    EXPECT_NE(out_.str().find("variant 1 repeats the source: no other is found"), std::string::npos)
        << out_.str();
    EXPECT_EQ(run({"develop", in, "--motive", "0", "--effect", "rhythm", path("out.tnr"),
                   "--no-school-harmony"}),
              EXIT_OK);
}

TEST_F(DevelopCommand, WrongRequestsAreUsageErrors) {
    const std::string in = path("empty.tnr");
    ASSERT_EQ(run({"new", in}), EXIT_OK);
    const std::string out = path("out.tnr");
    EXPECT_EQ(run({"develop", in, "--motive", "8", "--effect", "repeat", out}), EXIT_USAGE_ERROR);
    EXPECT_NE(err_.str().find("no motive 8"), std::string::npos) << err_.str();
    EXPECT_EQ(run({"develop", in, "--motive", "0", "--effect", "rel-nothing", out}),
              EXIT_USAGE_ERROR);
    EXPECT_NE(err_.str().find("unknown effect"), std::string::npos);
    EXPECT_EQ(run({"develop", in, "--motive", "-1", "--effect", "repeat", out}), EXIT_USAGE_ERROR);
    EXPECT_EQ(run({"develop", in, "--effect", "repeat", out}), EXIT_USAGE_ERROR);
    EXPECT_EQ(run({"develop", in, "--motive", "0", out}), EXIT_USAGE_ERROR);
    EXPECT_EQ(run({"develop", in, "--motive", "0", "--effect", "repeat"}), EXIT_USAGE_ERROR);
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(run({"develop", path("missing.tnr"), "--motive", "0", "--effect", "repeat", out}),
              EXIT_FILE_ERROR);
}

} // namespace
