#pragma once

#include <filesystem>
#include <stdexcept>
#include <string_view>

// A file could not be written; the file that was there before is left as it was.
class TFileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Replaces the file at `target` by `content` so that a reader sees either the old file or the
// new one whole, never a part. The text goes to a fresh temporary file in the same folder,
// which is flushed to the disk and then renamed over the target (a symbolic link is followed, so
// the file it points at is replaced). The file is written in text mode, so on Windows each line
// feed becomes CR LF. On any failure the target is untouched, the temporary file is removed and
// TFileWriteError is thrown.
void writeFileAtomically(const std::filesystem::path& target, std::string_view content);
