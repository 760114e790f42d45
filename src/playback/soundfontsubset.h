#pragma once

// A SoundFont cut down to the few presets the program plays. The synthesizer keeps every zone
// of every instrument of a SoundFont in memory (about 2 KB each, 4 MB for a General MIDI
// font), even when it reads the samples of an instrument only once a channel selects it; the
// cut-down font keeps the sample data where it is and lists only the wanted presets and their
// instruments, so that the same presets sound the same.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TPresetNumber {
    int bank = 0;
    int program = 0;
    bool operator==(const TPresetNumber&) const = default;
};

// The presets the program's channels select: its instruments in bank 0 and the drum kit that
// the percussion channel selects on its own.
std::vector<TPresetNumber> programPresets();

// The cut-down font as a file: the original file's first `keptBytes` bytes (the header and the
// sample data) with the RIFF chunk's size replaced by `riffSize`, followed by `presetData`
// (the complete list chunk of presets, instruments and sample headers).
struct TSoundFontSubset {
    std::int64_t keptBytes = 0;
    std::uint32_t riffSize = 0;
    std::vector<char> presetData;

    std::int64_t size() const { return keptBytes + static_cast<std::int64_t>(presetData.size()); }
};

// The subset of the SoundFont at `path` with the presets of `wanted` that it has (and its
// bank 0 program 0 when a wanted melodic program is missing, which the synthesizer falls back
// to). Nothing when the file cannot be read or is not a SoundFont laid out as INFO, sample
// data, then presets, with consistent indices.
std::optional<TSoundFontSubset> soundFontSubset(const std::string& path,
                                                const std::vector<TPresetNumber>& wanted);

// The numbers of the presets a SoundFont's preset list chunk holds, in order.
std::vector<TPresetNumber> listedPresets(const std::vector<char>& presetData);
