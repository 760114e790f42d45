#include "files/wavexport.h"

#include "files/binaryfile.h"
#include "playback/motiveplayer.h"

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

TAudio renderPeriod(const TPeriodData& period, const std::string& soundFont) {
    TSynthRenderer renderer(soundFont);
    return renderer.renderUnits(periodPlayUnits(period), period.tempo());
}

std::vector<std::uint8_t> wavFileBytes(const TAudio& audio) {
    const auto channels = static_cast<std::uint32_t>(audio.channels);
    const auto rate = static_cast<std::uint32_t>(audio.sampleRate);
    const auto dataBytes = static_cast<std::uint32_t>(audio.samples.size() * 2);
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
    for (std::int16_t sample : audio.samples) {
        appendLittleEndian(file, static_cast<std::uint16_t>(sample), 2);
    }
    return file;
}

void exportWav(const TPeriodData& period, const std::filesystem::path& fileName,
               const std::string& soundFont) {
    const std::vector<std::uint8_t> bytes = wavFileBytes(renderPeriod(period, soundFont));
    writeBinaryFile(fileName, bytes);
}
