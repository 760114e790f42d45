#pragma once

#include <optional>
#include <string>

// The General MIDI SoundFont of the built-in synthesizer: the path in TONARIA_SOUNDFONT when
// that is set (even if the file is missing, so that a wrong setting shows), else the first of
// Debian's TimGM6mb.sf2 and FluidR3_GM.sf2 that exists. Named by explicit path, because the
// distribution's "default" links change with what is installed.
std::optional<std::string> findSoundFont();
