#pragma once

// Internal to the synthesizer module: FluidSynth reads SoundFonts cut down to the program's
// presets (soundfontsubset.h), through file callbacks of its own SoundFont loader.

#include <fluidsynth.h>

// Makes `synth` read every SoundFont it loads from now on as the subset with programPresets(),
// or whole when it is not laid out as a subset can be made of.
void readProgramPresetsOnly(fluid_synth_t* synth, fluid_settings_t* settings);
