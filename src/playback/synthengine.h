#pragma once

// Internal to playback: the synthesizer as the module that holds FluidSynth offers it. The
// program starts without FluidSynth and the many libraries it pulls in; the module is loaded
// when a synthesizer is first made (synthmodule.h).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

inline constexpr double SYNTH_SAMPLE_RATE = 44100.0;
inline constexpr int SYNTH_POLYPHONY = 128;

struct TSynthAudioOptions {
    std::vector<std::string> drivers; // tried in turn
    std::string outputFile;           // where the "file" driver writes
    int periodFrames = 256;
    int periods = 2;
};

// One synthesizer with a General MIDI SoundFont loaded.
class TSynthEngine {
public:
    virtual ~TSynthEngine() = default;
    // Plays one short message (note-on, note-off, program change; others are ignored).
    // Called on the interface thread and on the timer thread, never at once.
    virtual void send(std::uint32_t message) = 0;
    // Writes `frames` frames of interleaved 16-bit stereo; only while no audio output plays.
    virtual void render(int frames, std::int16_t* out) = 0;
    // Plays through the first of `options.drivers` that opens and returns its name; "" when
    // none opens. At most once.
    virtual std::string startAudio(const TSynthAudioOptions& options) = 0;
};

// Which presets of the SoundFont a synthesizer keeps.
enum class TSoundFontPresets { Program, All };

// The module's one entry point, found by the name SYNTH_MODULE_ENTRY.
struct TSynthModule {
    // A synthesizer with the SoundFont at `soundFont` (a readable file); null, with `error`
    // set, when it cannot be made. Throws nothing.
    std::unique_ptr<TSynthEngine> (*create)(const std::string& soundFont, TSoundFontPresets presets,
                                            std::string& error);
};
inline constexpr const char* SYNTH_MODULE_ENTRY = "tonariaSynthModule";
