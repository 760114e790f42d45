#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The settings that persist between runs, kept in "config.xml" in the application folder (in
// the user's configuration folder when the program is installed): the number of the MIDI
// output device, and whether automatic harmonisation closes the phrases with cadences (an
// element of its own that readers knowing only the device pass over).
inline constexpr std::string_view SETTINGS_FILE_NAME = "config.xml";
inline constexpr int NO_MIDI_DEVICE = -1;

// The stored device number. A missing, damaged or unreadable file, or one without a value,
// reads as NO_MIDI_DEVICE; of several values the last one counts.
int readMidiDevice(const std::filesystem::path& settingsFile);

// Replaces the settings file by one that stores `device` (keeping the cadences setting),
// creating its folder when needed.
// Returns false when the file cannot be written; the old file (or none) then stays in place
// whole.
bool writeMidiDevice(const std::filesystem::path& settingsFile, int device) noexcept;

// Whether the settings file asks for cadences at phrase ends. A missing, damaged or unreadable
// file, or one without the element, reads as false, as does any value but "1".
bool readCadences(const std::filesystem::path& settingsFile);

// Replaces the settings file by one that stores whether cadences are asked for, keeping the
// stored device. Returns false, leaving the old file in place whole, when it cannot be written.
bool writeCadences(const std::filesystem::path& settingsFile, bool cadences) noexcept;

// The exact text of a settings file that stores `device` and, when `cadences` is set, the
// cadences element after it; without cadences the file is the one the device alone gives.
std::string settingsDocument(int device, bool cadences = false);
