#include "files/atomicfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// Removes the temporary file unless the rename has taken it over.
class TTemporaryFile {
public:
    explicit TTemporaryFile(fs::path path) : path_(std::move(path)) {}
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;
    ~TTemporaryFile() {
        if (stream_)
            std::fclose(stream_);
        if (!committed_) {
            std::error_code ignored;
            fs::remove(path_, ignored);
        }
    }

    const fs::path& path() const { return path_; }
    std::FILE* stream() const { return stream_; }
    void setStream(std::FILE* stream) { stream_ = stream; }
    // Closes the stream; false when the last buffered bytes could not be written.
    bool close() {
        const bool ok = std::fclose(stream_) == 0;
        stream_ = nullptr;
        return ok;
    }
    void commit() { committed_ = true; }

private:
    fs::path path_;
    std::FILE* stream_ = nullptr;
    bool committed_ = false;
};

[[noreturn]] void fail(const fs::path& target, const std::string& what, std::error_code error) {
    std::string message("cannot write ");
    message += target.string();
    message += ": ";
    message += what;
    if (error) {
        message += ": ";
        message += error.message();
    }
    throw TFileWriteError(message, error ? error.message() : what);
}

const std::string TEMPORARY_MARK = ".tmp-";

std::string temporaryPrefix(const fs::path& target) {
    // Appended piece by piece: g++ 12 at -O3 warns falsely (-Wrestrict) on "." + string.
    std::string prefix(".");
    prefix += target.filename().string();
    prefix += TEMPORARY_MARK;
    return prefix;
}

// Leftovers of writes that were killed before they could clean up.
void removeStaleTemporaryFiles(const fs::path& target, const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code ignored;
        if (isTemporaryFileOf(target, entry->path().filename().string()) &&
            entry->symlink_status(ignored).type() == fs::file_type::regular)
            fs::remove(entry->path(), ignored);
    }
}

#if !defined(_WIN32)
// The replacement takes over the nature of the file it replaces.
void copyOwnerAndPermissions(const fs::path& target, std::FILE* stream) {
    struct stat original {};
    if (::stat(target.c_str(), &original) != 0)
        return;
    const int descriptor = fileno(stream);
    // Only the owner of a file, or the superuser, may give it away; the group may fail too.
    if (::fchown(descriptor, original.st_uid, original.st_gid) != 0)
        (void)::fchown(descriptor, static_cast<uid_t>(-1), original.st_gid);
    (void)::fchmod(descriptor, original.st_mode & 07777);
}
#endif

std::error_code lastError() {
    return {errno, std::generic_category()};
}

bool flushToDisk(std::FILE* stream) {
    if (std::fflush(stream) != 0)
        return false;
#if defined(_WIN32)
    return _commit(_fileno(stream)) == 0;
#else
    return fsync(fileno(stream)) == 0;
#endif
}

std::FILE* openExclusive(const fs::path& path) {
#if defined(_WIN32)
    return _wfopen(path.c_str(), L"wx");
#else
    return std::fopen(path.c_str(), "wx");
#endif
}

fs::path resolveLinks(const fs::path& target) {
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(target, error))) {
        const fs::path resolved = fs::weakly_canonical(target, error);
        if (!error)
            return resolved;
    }
    return target;
}

} // namespace

void writeFileAtomically(const fs::path& requested, std::string_view content) {
    const fs::path target = resolveLinks(requested);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code statusError;
    const bool exists = fs::exists(target, statusError);
#if !defined(_WIN32)
    // The user has made the file read-only: that is a decision to respect, not to rename around.
    if (exists && ::access(target.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS))
        fail(target, "the file is read-only", lastError());
#endif
    removeStaleTemporaryFiles(target, folder);

    // A random suffix keeps two writers of the same target (or a stale leftover) apart; the
    // exclusive open never reuses a file that already exists.
    std::random_device entropy;
    std::FILE* stream = nullptr;
    fs::path temporaryPath;
    std::error_code openError;
    for (int attempt = 0; attempt < 8 && !stream; ++attempt) {
        std::string name = temporaryPrefix(target);
        name += std::to_string(entropy() & 0xFFFFFFu);
        temporaryPath = folder / name;
        errno = 0;
        stream = openExclusive(temporaryPath);
        openError = lastError();
        if (!stream && openError != std::errc::file_exists)
            break;
    }
    if (!stream)
        fail(target, "cannot create a temporary file in " + folder.string(), openError);

    TTemporaryFile temporary(temporaryPath);
    temporary.setStream(stream);
#if !defined(_WIN32)
    if (exists)
        copyOwnerAndPermissions(target, stream);
#endif
    errno = 0;
    if (std::fwrite(content.data(), 1, content.size(), stream) != content.size())
        fail(target, "write failed", lastError());
    errno = 0;
    if (!flushToDisk(stream))
        fail(target, "flush failed", lastError());
    errno = 0;
    if (!temporary.close())
        fail(target, "close failed", lastError());

    std::error_code renameError;
    fs::rename(temporary.path(), target, renameError);
    if (renameError)
        fail(target, "cannot replace the file", renameError);
    temporary.commit();
}

bool isTemporaryFileOf(const fs::path& target, const std::string& name) {
    const std::string prefix = temporaryPrefix(target);
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 8 ||
        name.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (std::size_t i = prefix.size(); i < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9')
            return false;
    return true;
}
