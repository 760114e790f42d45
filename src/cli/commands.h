#pragma once

#include <ostream>
#include <span>
#include <string>

// Exit statuses of tonaria-cli.
inline constexpr int EXIT_OK = 0;
inline constexpr int EXIT_FILE_ERROR = 1;
inline constexpr int EXIT_USAGE_ERROR = 2;

// Runs one tonaria-cli command line (the arguments after the program name), printing results to
// `out` and messages to `err`; returns the exit status.
int runCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

// The text of --help.
std::string usageText();
