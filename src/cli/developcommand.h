#pragma once

#include <ostream>
#include <span>
#include <string>

// `tonaria-cli develop IN.tnr --motive N --effect NAME OUT.tnr`: the three variants of one
// development effect on motive N (0-based, strip order), written as a composition with the
// source's key, meter, upbeat and tempo whose one phrase "A" holds the three variants.
// `arguments` follow the command name.
int runDevelopCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

// The lines of --help that describe the command.
std::string developUsageText();
