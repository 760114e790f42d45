#pragma once

#include <filesystem>
#include <string>
#include <vector>

class TMessageBundle;

// The files without which the interface shows blank pictures or pages: the glyph sheet and the
// help folders, as paths in `dataFolder`, those that are missing.
std::vector<std::filesystem::path> missingDataFiles(const std::filesystem::path& dataFolder);

// The start-up message naming every missing file with the path looked in, or "" when nothing is
// missing.
std::string missingDataText(const TMessageBundle& bundle, const std::filesystem::path& dataFolder);
