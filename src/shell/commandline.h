#pragma once

#include <optional>
#include <string>
#include <vector>

class TForHelpService;

// The desktop program's command line: `tonaria [FILE]`, `--help`, `--version`.
struct TCommandLine {
    bool help = false;
    bool version = false;
    std::optional<std::string> file;
    std::string error; // not empty when the line cannot be understood
};

// Reads the arguments after the program's name (the toolkit's own options already taken out).
// "--" ends the options, so that a file whose name starts with "-" can be named.
TCommandLine parseCommandLine(const std::vector<std::string>& arguments);

// True when the arguments ask for --help or --version: those are answered before any window
// system is needed.
bool asksForTextOnly(int argc, const char* const* argv);

std::string commandLineUsage();
std::string versionText();

// Opens the composition the command line names, as "Open" would: a file that cannot be read
// shows "Unable to open file" with the reason and leaves the default period. A relative name is
// taken from the current folder. Returns false when nothing was opened.
bool openCommandLineFile(TForHelpService& window, const TCommandLine& line);
