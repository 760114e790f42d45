#pragma once

// Internal to the synthesizer module: FluidSynth behind TSynthEngine. Only the module's files
// include it, so FluidSynth stays out of the program until the module is loaded.

#include "playback/synthengine.h"

#include <fluidsynth.h>

#include <cstdint>
#include <string>

// A FluidSynth settings object and synthesizer with one SoundFont loaded, and its audio driver
// once one has started.
class TFluidSession : public TSynthEngine {
public:
    // Throws TMidiError when the SoundFont does not load.
    TFluidSession(const std::string& soundFont, TSoundFontPresets presets);
    ~TFluidSession() override;
    TFluidSession(const TFluidSession&) = delete;
    TFluidSession& operator=(const TFluidSession&) = delete;

    void send(std::uint32_t message) override;
    void render(int frames, std::int16_t* out) override;
    std::string startAudio(const TSynthAudioOptions& options) override;

private:
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;
};
