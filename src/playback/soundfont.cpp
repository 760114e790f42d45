#include "playback/soundfont.h"

#include <cstdlib>
#include <filesystem>

std::optional<std::string> findSoundFont() {
    if (const char* chosen = std::getenv("TONARIA_SOUNDFONT"); chosen != nullptr && *chosen) {
        return std::string(chosen);
    }
    for (const char* candidate :
         {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2"}) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) {
            return std::string(candidate);
        }
    }
    return std::nullopt;
}
