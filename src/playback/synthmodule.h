#pragma once

// Internal to playback: loading the synthesizer module on first use.

#include "playback/synthengine.h"

#include <filesystem>
#include <string>
#include <vector>

// The module's file name, and its folder below an installation prefix (and below the build
// folder, where the executable lies in bin as it does when installed).
inline constexpr const char* SYNTH_MODULE_FILE = "tonaria-synth.so";
inline constexpr const char* SYNTH_MODULE_FOLDER = "lib/tonaria";

// Where the module is looked for, in order: `executableFolder`/../lib/tonaria, then the build
// folder's copy (for the tests and the command line, which run from other folders).
std::vector<std::filesystem::path> synthModulePlaces(const std::filesystem::path& executableFolder);

// The module, loaded from the first of synthModulePlaces() that holds it (once per process;
// later calls return the same). Throws TMidiError naming the place and the reason when it
// cannot be loaded.
const TSynthModule& synthModule();
// The same from one given file, without remembering it: for the tests.
const TSynthModule& loadSynthModule(const std::filesystem::path& file);

// A synthesizer with `soundFont` (empty: findSoundFont()). Throws TMidiError when there is no
// SoundFont, it cannot be read or loaded, or the module cannot be loaded.
std::unique_ptr<TSynthEngine>
makeSynthEngine(const std::string& soundFont,
                TSoundFontPresets presets = TSoundFontPresets::Program);
