#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// Creates or truncates the file and writes the bytes. Throws TFileWriteError when the file
// cannot be created or written; a partly written file is left in place.
void writeBinaryFile(const std::filesystem::path& fileName, const std::vector<std::uint8_t>& bytes);
