#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

// A file could not be written; the file that was there before is left as it was. `reason()`
// says why in plain words ("Permission denied", "No space left on device").
class TFileWriteError : public std::runtime_error {
public:
    explicit TFileWriteError(const std::string& message, std::string reason = {})
        : std::runtime_error(message), reason_(reason.empty() ? message : std::move(reason)) {}
    const std::string& reason() const { return reason_; }

private:
    std::string reason_;
};

// Replaces the file at `target` by `content` so that a reader sees either the old file or the
// new one whole, never a part. The text goes to a fresh temporary file in the target's folder
// (so that the rename is atomic), which is flushed to the disk and then renamed over the target
// (a symbolic link is followed, so the file it points at is replaced). The replacement keeps the
// permission bits of the file it replaces, and its owner and group where the process may set
// them. Renaming makes a new file: other hard links to the old one keep the old content. A
// target that exists but may not be written is refused ("Permission denied"). Temporary files
// that earlier, interrupted writes of the same target left beside it are removed first. The
// file is written in text mode, so on Windows each line feed becomes CR LF. On any failure the
// target is untouched, the temporary file is removed and TFileWriteError is thrown.
void writeFileAtomically(const std::filesystem::path& target, std::string_view content);

// Whether `name` is the name of a temporary file that writing `target` makes.
bool isTemporaryFileOf(const std::filesystem::path& target, const std::string& name);
