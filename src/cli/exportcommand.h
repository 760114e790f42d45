#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>

// The export commands of tonaria-cli: export-midi, export-wav and export-musicxml.
std::string exportUsageText();

// Runs `command` when it is an export command and returns its exit status; nullopt otherwise.
std::optional<int> runExportCommand(const std::string& command,
                                    std::span<const std::string> arguments, std::ostream& out,
                                    std::ostream& err);
