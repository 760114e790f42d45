#pragma once

#include <filesystem>
#include <string>

class TMessageBundle;

// The messages of a composition that cannot be opened or saved, naming the file and the reason
// in plain words: "Unable to open file NAME: it is not a Tonaria composition".
std::string openErrorText(const TMessageBundle& bundle, const std::filesystem::path& name,
                          const std::string& reason);
std::string saveErrorText(const TMessageBundle& bundle, const std::filesystem::path& name,
                          const std::string& reason);
