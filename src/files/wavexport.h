#pragma once

#include "model/period.h"
#include "playback/synthrenderer.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The period as "Play all" sounds it through the built-in synthesizer (without the pulse),
// rendered offline. `soundFont` empty: the installed General MIDI SoundFont. Throws TMidiError
// when the synthesizer cannot load one.
TAudio renderPeriod(const TPeriodData& period, const std::string& soundFont = "");

// A RIFF WAVE file of 16-bit PCM samples.
std::vector<std::uint8_t> wavFileBytes(const TAudio& audio);

// Renders the period and writes it as a WAVE file (44.1 kHz, 16-bit stereo). Throws TMidiError
// when there is no SoundFont and TFileWriteError when the file cannot be written.
void exportWav(const TPeriodData& period, const std::filesystem::path& fileName,
               const std::string& soundFont = "");
