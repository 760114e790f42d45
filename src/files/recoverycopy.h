#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A recovery copy keeps the unsaved state of a composition in the user's state folder, apart
// from the composition's own file, so that a program that is killed or crashes loses no more
// than the last few seconds of work. Each running program writes its own copy; the next start
// finds the copies of programs that are gone and offers them back.
//
// The copy is a short text header followed by the composition document:
//   TONARIA RECOVERY 1
//   ORIGINAL <the composition's path, empty for an untitled one>
//   TIME <seconds since the epoch when the copy was written>
//   <blank line>
//   <the composition document>
// Backslashes and line ends in the path are written as "\\", "\n" and "\r".

// The ending of a copy's file name.
inline constexpr const char* RECOVERY_SUFFIX = ".recovery";
// The ending a damaged copy gets when it is set aside.
inline constexpr const char* DAMAGED_SUFFIX = ".damaged";

struct TRecoveryCopy {
    std::filesystem::path file;
    std::string original; // the composition's path; empty when it was untitled
    std::int64_t time = 0;
    std::string document;
};

// A copy that cannot be read, or whose document is not a readable composition.
class TRecoveryCopyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole text of a copy.
std::string recoveryText(const std::string& original, std::int64_t time, std::string_view document);

// Writes the copy to `file` atomically. Throws TFileWriteError when it cannot be written, and
// when `file` is the composition's own file (a copy never replaces the user's file).
void writeRecoveryCopy(const std::filesystem::path& file, const std::string& original,
                       std::int64_t time, std::string_view document);

// Reads and checks a copy: the header, and that the document reads as a composition. Throws
// TRecoveryCopyError with the reason in plain words.
TRecoveryCopy readRecoveryCopy(const std::filesystem::path& file);

// The copies in `folder` (regular files with RECOVERY_SUFFIX), oldest file first; those that a
// running program holds are left out. A missing folder has none.
std::vector<std::filesystem::path> findRecoveryCopies(const std::filesystem::path& folder);

// Renames a damaged copy so that it is never offered again but stays for the user to look at;
// returns the new name (the copy's name with DAMAGED_SUFFIX, numbered when that exists).
// Throws TFileWriteError when it cannot be renamed.
std::filesystem::path setAsideDamagedCopy(const std::filesystem::path& file);

// Removes a copy and its lock file; a missing copy is not an error.
void removeRecoveryCopy(const std::filesystem::path& file);

// The copy of one running program: a name of its own in `folder`, and a lock, held while the
// object lives, that tells other programs' searches the copy is not abandoned. The lock ends
// with the process however it ends, so a killed program's copy is found at the next start.
class TRecoverySession {
public:
    explicit TRecoverySession(const std::filesystem::path& folder);
    ~TRecoverySession();
    TRecoverySession(const TRecoverySession&) = delete;
    TRecoverySession& operator=(const TRecoverySession&) = delete;

    const std::filesystem::path& copyFile() const { return copy_; }

private:
    std::filesystem::path copy_;
    int lock_ = -1;
};

// The lock file beside a copy.
std::filesystem::path recoveryLockOf(const std::filesystem::path& copy);
