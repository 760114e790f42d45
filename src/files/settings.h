#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The one setting that persists between runs: the number of the MIDI output device, kept in
// "config.xml" in the application folder.
inline constexpr std::string_view SETTINGS_FILE_NAME = "config.xml";
inline constexpr int NO_MIDI_DEVICE = -1;

// The stored device number. A missing, damaged or unreadable file, or one without a value,
// reads as NO_MIDI_DEVICE; of several values the last one counts.
int readMidiDevice(const std::filesystem::path& settingsFile);

// Replaces the settings file by one that stores `device`. Failures are ignored: the old file
// (or none) stays in place whole.
void writeMidiDevice(const std::filesystem::path& settingsFile, int device) noexcept;

// The exact text of a settings file that stores `device`.
std::string settingsDocument(int device);
