#include "files/wavfile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::uint32_t littleEndian(const std::vector<std::uint8_t>& b, std::size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) {
        v = v << 8 | b.at(at + static_cast<std::size_t>(i));
    }
    return v;
}

} // namespace

TEST(WavFile, WritesA16BitPcmHeaderAroundTheSamples) {
    const std::vector<std::int16_t> samples = {0, 1, -1, 32767, -32768, 256};
    const auto file = wavFileBytes(samples, 2, 44100);
    ASSERT_EQ(file.size(), 44u + 12);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
    EXPECT_EQ(littleEndian(file, 4, 4), 36u + 12);
    EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(littleEndian(file, 16, 4), 16u);
    EXPECT_EQ(littleEndian(file, 20, 2), 1u); // PCM
    EXPECT_EQ(littleEndian(file, 22, 2), 2u);
    EXPECT_EQ(littleEndian(file, 24, 4), 44100u);
    EXPECT_EQ(littleEndian(file, 28, 4), 44100u * 4);
    EXPECT_EQ(littleEndian(file, 32, 2), 4u);
    EXPECT_EQ(littleEndian(file, 34, 2), 16u);
    EXPECT_EQ(std::string(file.begin() + 36, file.begin() + 40), "data");
    EXPECT_EQ(littleEndian(file, 40, 4), 12u);
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 44, file.end()),
              (std::vector<std::uint8_t>{0, 0, 1, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0x80, 0, 1}));
}
