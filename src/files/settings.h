#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The one setting that persists between runs: the number of the MIDI output device, kept in
// "config.xml" in the application folder (in the user's configuration folder when the program
// is installed).
inline constexpr std::string_view SETTINGS_FILE_NAME = "config.xml";
inline constexpr int NO_MIDI_DEVICE = -1;

// The stored device number. A missing, damaged or unreadable file, or one without a value,
// reads as NO_MIDI_DEVICE; of several values the last one counts.
int readMidiDevice(const std::filesystem::path& settingsFile);

// Replaces the settings file by one that stores `device`, creating its folder when needed.
// Returns false when the file cannot be written; the old file (or none) then stays in place
// whole.
bool writeMidiDevice(const std::filesystem::path& settingsFile, int device) noexcept;

// The exact text of a settings file that stores `device`.
std::string settingsDocument(int device);
