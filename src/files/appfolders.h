#pragma once

#include <filesystem>

// Where the program's files live. Run from a build folder, everything lies beside the
// executable, as it always has. Installed, the read-only data comes from share/tonaria next to
// the executable's bin folder, and what the program writes goes to the user's own folders: the
// settings file to the user's configuration folder, compositions and exports to "Tonaria" in
// the user's documents folder. The same happens when the executable's folder cannot be
// written.
struct TAppFolders {
    std::filesystem::path data;         // glyph sheet, help pages, demonstrations, examples
    std::filesystem::path settingsFile; // "config.xml"
    std::filesystem::path documents;    // holds "tnrs", "mids" and "xmls"
    std::filesystem::path recovery;     // the recovery copies of unsaved work
};

// The folder that keeps recovery copies, inside the executable's folder or the state folder.
inline constexpr const char* RECOVERY_FOLDER = "recovery";

// The user's state folder for this program: "$XDG_STATE_HOME/tonaria", or
// "~/.local/state/tonaria" when that is unset or not absolute. Either argument may be null.
std::filesystem::path userStateFolder(const char* xdgStateHome, const char* home);

// The data files' place below an installation prefix.
inline constexpr const char* INSTALLED_DATA_FOLDER = "share/tonaria";
// The file whose presence marks a data folder.
inline constexpr const char* DATA_MARKER_FILE = "glyphs.bmp";

// The data folder for an executable in `executableFolder`: that folder when the data lies
// beside it, else the installed data folder of its prefix when that holds the data, else the
// executable's folder all the same (a missing glyph sheet is reported where it is loaded).
std::filesystem::path dataFolderOf(const std::filesystem::path& executableFolder);

// True when a file can be created in `folder` (tried with a probe file that is removed again).
bool isWritableFolder(const std::filesystem::path& folder);

// `userConfigFolder` is the user's configuration folder for this program,
// `userDocumentsFolder` the folder for the user's compositions and `userStateFolder` the one
// for what the program keeps between runs (userStateFolder()); none has to exist yet.
TAppFolders locateAppFolders(const std::filesystem::path& executableFolder,
                             const std::filesystem::path& userConfigFolder,
                             const std::filesystem::path& userDocumentsFolder,
                             const std::filesystem::path& userStateFolder);
