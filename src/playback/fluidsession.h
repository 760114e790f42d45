#pragma once

// Internal to playback: what the live and the offline synthesizer share. Only .cpp files of
// this folder include it, so FluidSynth stays out of every public header.

#include "playback/midibackend.h"

#include <fluidsynth.h>

#include <cstdint>
#include <string>

inline constexpr double SYNTH_SAMPLE_RATE = 44100.0;
inline constexpr int SYNTH_POLYPHONY = 128;

// A FluidSynth settings object and synthesizer with one SoundFont loaded.
class TFluidSession {
public:
    // `soundFont` empty: findSoundFont(). Throws TMidiError when the SoundFont is missing or
    // does not load. The settings can still be changed until an audio driver is created.
    explicit TFluidSession(const std::string& soundFont);
    ~TFluidSession();
    TFluidSession(const TFluidSession&) = delete;
    TFluidSession& operator=(const TFluidSession&) = delete;

    fluid_settings_t* settings() const { return settings_; }
    fluid_synth_t* synth() const { return synth_; }
    // Plays one short message (note-on, note-off, program change; others are ignored).
    void send(std::uint32_t message);

private:
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
};
