#include "shell/datacheck.h"

#include "files/appfolders.h"
#include "files/messagebundle.h"
#include "help/helppages.h"

#include <system_error>

namespace fs = std::filesystem;

std::vector<fs::path> missingDataFiles(const fs::path& dataFolder) {
    std::vector<fs::path> missing;
    std::error_code error;
    if (!fs::is_regular_file(dataFolder / DATA_MARKER_FILE, error))
        missing.push_back(dataFolder / DATA_MARKER_FILE);
    for (const char* folder : {STEP_BY_STEP_FOLDER, THEORY_FOLDER}) {
        if (!fs::is_directory(dataFolder / folder, error))
            missing.push_back(dataFolder / folder);
    }
    return missing;
}

std::string missingDataText(const TMessageBundle& bundle, const fs::path& dataFolder) {
    const auto missing = missingDataFiles(dataFolder);
    if (missing.empty())
        return {};
    std::string text = bundle.text("data missing");
    for (const fs::path& path : missing)
        text += "\n" + path.string();
    return text;
}
