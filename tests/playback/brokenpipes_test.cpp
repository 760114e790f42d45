#include "playback/brokenpipes.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <unistd.h>

namespace {

TEST(BrokenPipes, AWriteToAPipeWhoseReaderIsGoneFailsInsteadOfEndingTheProgram) {
    ignoreBrokenPipes();
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    close(ends[0]);
    const char byte = 0;
    errno = 0;
    EXPECT_EQ(write(ends[1], &byte, 1), -1);
    EXPECT_EQ(errno, EPIPE);
    close(ends[1]);
}

} // namespace
