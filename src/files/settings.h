#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The settings that persist between runs, kept in "config.xml" in the application folder (in
// the user's configuration folder when the program is installed): the number of the MIDI
// output device, whether automatic harmonisation keeps the rules of school harmony and whether
// the fast menu shows (elements of their own that readers knowing only the device pass over;
// each is written only when the option is off, since on is the default), and the recent files.
inline constexpr std::string_view SETTINGS_FILE_NAME = "config.xml";
inline constexpr int NO_MIDI_DEVICE = -1;

// The stored device number. A missing, damaged or unreadable file, or one without a value,
// reads as NO_MIDI_DEVICE; of several values the last one counts.
int readMidiDevice(const std::filesystem::path& settingsFile);

// Replaces the settings file by one that stores `device` (keeping the school harmony setting),
// creating its folder when needed.
// Returns false when the file cannot be written; the old file (or none) then stays in place
// whole.
bool writeMidiDevice(const std::filesystem::path& settingsFile, int device) noexcept;

// Whether automatic harmonisation keeps the rules of school harmony. On unless the file turns
// it off: a school harmony value of "0" does, and where that element is missing, the cadences
// element of earlier versions (its "1" meant the cadences that school harmony now includes)
// with a value of "0". A missing, damaged or unreadable file reads as on.
bool readSchoolHarmony(const std::filesystem::path& settingsFile);

// Replaces the settings file by one that stores whether school harmony is on, keeping the
// stored device (an earlier version's cadences element is not carried over). Returns false,
// leaving the old file in place whole, when it cannot be written.
bool writeSchoolHarmony(const std::filesystem::path& settingsFile, bool on) noexcept;

// The compositions of File > Open Recent, newest first.
inline constexpr std::size_t RECENT_FILE_COUNT = 8;

// The recent compositions the settings file keeps, newest first, at most RECENT_FILE_COUNT,
// leaving out those that are no longer regular files. A file of an earlier version, without
// the list, has none.
std::vector<std::string> readRecentFiles(const std::filesystem::path& settingsFile);
// `recent` with `file` put first: any earlier place of it goes, and the list is cut to
// RECENT_FILE_COUNT.
std::vector<std::string> withRecentFile(std::vector<std::string> recent, const std::string& file);
// Replaces the settings file by one that keeps `recent` (cut to RECENT_FILE_COUNT) with the
// stored device and school harmony setting. Returns false, leaving the old file whole, when it
// cannot be written.
bool writeRecentFiles(const std::filesystem::path& settingsFile,
                      const std::vector<std::string>& recent) noexcept;

// Whether the fast menu shows under its motive (View > Fast Menu). On unless the file turns it
// off; a missing, damaged or unreadable file, or one of an earlier version, reads as on.
bool readFastMenuShown(const std::filesystem::path& settingsFile);
// Replaces the settings file by one that stores whether the fast menu shows, keeping the other
// settings. Returns false, leaving the old file whole, when it cannot be written.
bool writeFastMenuShown(const std::filesystem::path& settingsFile, bool shown) noexcept;

// The exact text of a settings file that stores `device` and, when school harmony is off, the
// element that says so after it; with it on the file is the one the device alone gives.
// When the fast menu is hidden, an element that says so follows. The recent compositions come
// last as RECENT elements, newest first.
std::string settingsDocument(int device, bool schoolHarmony = true,
                             const std::vector<std::string>& recent = {}, bool fastMenu = true);
