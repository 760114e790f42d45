#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// A RIFF WAVE file of interleaved 16-bit PCM samples.
std::vector<std::uint8_t> wavFileBytes(const std::vector<std::int16_t>& samples, int channels,
                                       int sampleRate);

// Writes the samples as a WAVE file, atomically. Throws TFileWriteError when it cannot.
void writeWavFile(const std::filesystem::path& fileName, const std::vector<std::int16_t>& samples,
                  int channels, int sampleRate);
