#include "files/wavfile.h"

#include "files/binaryfile.h"

namespace {

void appendLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i) & 0xFF));
    }
}

void appendTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(tag[i]));
    }
}

} // namespace

std::vector<std::uint8_t> wavFileBytes(const std::vector<std::int16_t>& samples, int channelCount,
                                       int sampleRate) {
    const auto channels = static_cast<std::uint32_t>(channelCount);
    const auto rate = static_cast<std::uint32_t>(sampleRate);
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> file;
    file.reserve(44 + dataBytes);
    appendTag(file, "RIFF");
    appendLittleEndian(file, 36 + dataBytes, 4);
    appendTag(file, "WAVE");
    appendTag(file, "fmt ");
    appendLittleEndian(file, 16, 4);
    appendLittleEndian(file, 1, 2); // PCM
    appendLittleEndian(file, channels, 2);
    appendLittleEndian(file, rate, 4);
    appendLittleEndian(file, rate * channels * 2, 4); // bytes per second
    appendLittleEndian(file, channels * 2, 2);        // bytes per frame
    appendLittleEndian(file, 16, 2);
    appendTag(file, "data");
    appendLittleEndian(file, dataBytes, 4);
    for (std::int16_t sample : samples) {
        appendLittleEndian(file, static_cast<std::uint16_t>(sample), 2);
    }
    return file;
}

void writeWavFile(const std::filesystem::path& fileName, const std::vector<std::int16_t>& samples,
                  int channels, int sampleRate) {
    writeBinaryFile(fileName, wavFileBytes(samples, channels, sampleRate));
}
