#include "files/appfolders.h"

#include "files/settings.h"

#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool holdsData(const fs::path& folder) {
    std::error_code error;
    return fs::is_regular_file(folder / DATA_MARKER_FILE, error);
}

} // namespace

fs::path dataFolderOf(const fs::path& executableFolder) {
    if (holdsData(executableFolder))
        return executableFolder;
    const fs::path installed =
        (executableFolder.parent_path() / INSTALLED_DATA_FOLDER).lexically_normal();
    return holdsData(installed) ? installed : executableFolder;
}

bool isWritableFolder(const fs::path& folder) {
    std::random_device random;
    const fs::path probe = folder / (".tonaria-write-probe-" + std::to_string(random()));
    bool written = false;
    {
        std::ofstream file(probe, std::ios::binary);
        written = static_cast<bool>(file << 'x' << std::flush);
    }
    std::error_code ignored;
    fs::remove(probe, ignored);
    return written;
}

fs::path userStateFolder(const char* xdgStateHome, const char* home) {
    // A relative XDG_STATE_HOME is not a state folder: it falls back to the default.
    if (xdgStateHome != nullptr && fs::path(xdgStateHome).is_absolute())
        return fs::path(xdgStateHome) / "tonaria";
    return fs::path(home != nullptr ? home : "") / ".local" / "state" / "tonaria";
}

TAppFolders locateAppFolders(const fs::path& executableFolder, const fs::path& userConfigFolder,
                             const fs::path& userDocumentsFolder, const fs::path& userStateFolder) {
    TAppFolders folders;
    folders.data = dataFolderOf(executableFolder);
    const bool installed = folders.data != executableFolder;
    if (!installed && isWritableFolder(executableFolder)) {
        folders.settingsFile = executableFolder / std::string(SETTINGS_FILE_NAME);
        folders.documents = executableFolder;
        folders.recovery = executableFolder / RECOVERY_FOLDER;
    } else {
        folders.recovery = userStateFolder / RECOVERY_FOLDER;
        folders.settingsFile = userConfigFolder / std::string(SETTINGS_FILE_NAME);
        folders.documents = userDocumentsFolder;
    }
    return folders;
}
