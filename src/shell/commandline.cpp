#include "shell/commandline.h"

#include "help/forhelpservice.h"
#include "shell/about.h"

#include <filesystem>
#include <string_view>

TCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    TCommandLine line;
    bool options = true;
    for (const std::string& argument : arguments) {
        if (options && argument == "--") {
            options = false;
        } else if (options && (argument == "--help" || argument == "-h")) {
            line.help = true;
        } else if (options && (argument == "--version" || argument == "-v")) {
            line.version = true;
        } else if (options && argument.size() > 1 && argument.front() == '-') {
            line.error = "unknown option \"" + argument + "\"";
        } else if (line.file) {
            line.error =
                "one composition at a time, not \"" + *line.file + "\" and \"" + argument + "\"";
        } else {
            line.file = argument;
        }
    }
    return line;
}

bool asksForTextOnly(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--")
            return false;
        if (argument == "--help" || argument == "-h" || argument == "--version" || argument == "-v")
            return true;
    }
    return false;
}

std::string commandLineUsage() {
    return "Usage: tonaria [FILE.tnr]\n"
           "A composition aid for a short tonal melody with its harmony.\n"
           "\n"
           "  FILE.tnr        open this composition at start\n"
           "  -h, --help      show this text and exit\n"
           "  -v, --version   show the version and exit\n"
           "\n"
           "tonaria-cli works with compositions without a window.\n";
}

std::string versionText() {
    return std::string("tonaria ") + TONARIA_VERSION + "\n";
}

bool openCommandLineFile(TForHelpService& window, const TCommandLine& line) {
    if (!line.file)
        return false;
    std::error_code error;
    std::filesystem::path name = std::filesystem::absolute(*line.file, error);
    if (error)
        name = *line.file;
    return window.openFrom(name.lexically_normal().string());
}
