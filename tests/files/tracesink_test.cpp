#include "files/tracesink.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

TEST(TraceSink, EachChoiceReplacesTheFileWithOneWholeDocument) {
    EXPECT_EQ(traceMoveLine(12, 345), "    <MOVE X=\"12\" Y=\"345\"/>\n");
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "tonaria-trace-test.xml";
    std::filesystem::remove(path);
    TFileTraceSink sink(path);
    sink.write(traceOpenLine());
    sink.write(traceMoveLine(1, 2));
    // Nothing is written before the document is complete.
    EXPECT_FALSE(std::filesystem::exists(path));
    sink.write(traceCloseLine());
    const auto read = [&] {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    };
    EXPECT_EQ(read(), "<DYNAMIC_HELP>\n    <MOVE X=\"1\" Y=\"2\"/>\n</DYNAMIC_HELP>\n");
    sink.write(traceOpenLine());
    sink.write(traceMoveLine(3, 4));
    sink.write(traceCloseLine());
    EXPECT_EQ(read(), "<DYNAMIC_HELP>\n    <MOVE X=\"3\" Y=\"4\"/>\n</DYNAMIC_HELP>\n");
    std::filesystem::remove(path);

    // A folder that does not exist: the choice goes on, nothing is thrown.
    TFileTraceSink lost("/nonexistent-folder/trace.xml");
    lost.write(traceOpenLine());
    EXPECT_NO_THROW(lost.write(traceCloseLine()));
}
