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
    throw TFileWriteError(message);
}

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

    // A random suffix keeps two writers of the same target (or a stale leftover) apart; the
    // exclusive open never reuses a file that already exists.
    std::random_device entropy;
    std::FILE* stream = nullptr;
    fs::path temporaryPath;
    std::error_code openError;
    for (int attempt = 0; attempt < 8 && !stream; ++attempt) {
        // Appended piece by piece: g++ 12 at -O3 warns falsely (-Wrestrict) on "." + string.
        std::string name(".");
        name += target.filename().string();
        name += ".tmp-";
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
