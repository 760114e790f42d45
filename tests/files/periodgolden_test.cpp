// The document layout is fixed to the byte: each period below is written and compared with its
// golden file, then the golden file is read back and compared field by field. Run with
// TONARIA_REGENERATE_GOLDEN=1 to rewrite the golden files after a deliberate change.
#include "files/periodbuilder.h"
#include "files/periodreader.h"
#include "files/periodwriter.h"
#include "periodtesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

namespace {

bool regenerating() {
    const char* value = std::getenv("TONARIA_REGENERATE_GOLDEN");
    return value != nullptr && std::string(value) == "1";
}

TPeriodData defaultPeriod() {
    TPeriodData period;
    buildDefaultPeriod(period);
    return period;
}

struct TGoldenCase {
    const char* file;
    std::function<TPeriodData()> make;
};

void PrintTo(const TGoldenCase& golden, std::ostream* out) {
    *out << golden.file;
}

class PeriodGolden : public testing::TestWithParam<TGoldenCase> {};

TEST_P(PeriodGolden, WritesTheGoldenDocumentByteForByte) {
    const auto path = testDataPath(GetParam().file);
    const std::string written = periodDocument(GetParam().make());
    if (regenerating()) {
        std::ofstream(path, std::ios::binary) << written;
        GTEST_SKIP() << "rewrote " << path;
    }
    EXPECT_EQ(readTextFile(path), written);
}

TEST_P(PeriodGolden, ReadsTheGoldenDocumentBackIntoEveryField) {
    const TPeriodData expected = GetParam().make();
    TPeriodData read;
    readPeriodFile(read, testDataPath(GetParam().file));
    expectSamePeriod(expected, read);
}

INSTANTIATE_TEST_SUITE_P(Documents, PeriodGolden,
                         testing::Values(TGoldenCase{"default.tnr", defaultPeriod},
                                         TGoldenCase{"one-chord.tnr", oneChordPeriod},
                                         TGoldenCase{"upbeat.tnr", upbeatPeriod},
                                         TGoldenCase{"every-duration.tnr", everyDurationPeriod}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             std::erase_if(name, [](char c) { return !std::isalnum(c); });
                             return name;
                         });

TEST(PeriodWriter, WritesOnlyLettersAsPhraseSuffixes) {
    TPeriodData period;
    for (const int code : {0, 4, 5, 15, 16})
        period.sentences().emplace_back().phrases().emplace_back(0, static_cast<std::uint8_t>(code),
                                                                 period.key(), period.measure(), 0);
    const std::string text = periodDocument(period);
    for (const char* line :
         {"<PHRASE SUFFIX=\"\">", "<PHRASE SUFFIX=\"A\">", "<PHRASE SUFFIX=\"A2\">"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    std::size_t empty = 0;
    for (std::size_t at = text.find("SUFFIX=\"\""); at != std::string::npos;
         at = text.find("SUFFIX=\"\"", at + 1))
        ++empty;
    EXPECT_EQ(empty, 3u);
}

TEST(PeriodWriter, WritesUpbeatsWithoutNameInDecimalAndEndsWithoutLineFeed) {
    TPeriodData period;
    EXPECT_EQ(periodDocument(period),
              "<PERIOD>\n"
              "    <MEASURE BEATS_PER_MEASURE=\"2\" BEAT_VALUE=\"QUARTER\"/>\n"
              "    <KEY LAD=\"MAJOR\" SIGN=\"0\"/>\n"
              "    <TEMP VALUE=\"100\"/>\n"
              "    <MOTIVE_TYPE VALUE=\"0\"/>\n"
              "</PERIOD>");
    period.setZatakt(75);
    EXPECT_NE(periodDocument(period).find("<MOTIVE_TYPE VALUE=\"75\"/>"), std::string::npos);
}

} // namespace
