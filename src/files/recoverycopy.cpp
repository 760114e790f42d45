#include "files/recoverycopy.h"

#include "files/atomicfile.h"
#include "files/periodlimits.h"
#include "files/periodreader.h"
#include "model/period.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <system_error>
#include <utility>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

const std::string MAGIC = "TONARIA RECOVERY 1";
const std::string ORIGINAL = "ORIGINAL ";
const std::string TIME = "TIME ";
const std::string LOCK_SUFFIX = ".lock";

std::string escaped(const std::string& path) {
    std::string text;
    for (const char c : path) {
        if (c == '\\')
            text += "\\\\";
        else if (c == '\n')
            text += "\\n";
        else if (c == '\r')
            text += "\\r";
        else
            text += c;
    }
    return text;
}

std::string unescaped(const std::string& text) {
    std::string path;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            path += text[i];
            continue;
        }
        if (++i == text.size())
            throw TRecoveryCopyError("the original's name ends in a lone backslash");
        switch (text[i]) {
        case '\\':
            path += '\\';
            break;
        case 'n':
            path += '\n';
            break;
        case 'r':
            path += '\r';
            break;
        default:
            throw TRecoveryCopyError("the original's name holds an unknown escape");
        }
    }
    return path;
}

// The next line of `text` from `at`, which moves past its line end; throws at the end.
std::string nextLine(const std::string& text, std::size_t& at) {
    const std::size_t end = text.find('\n', at);
    if (end == std::string::npos)
        throw TRecoveryCopyError("the header is cut short");
    std::string line = text.substr(at, end - at);
    at = end + 1;
    return line;
}

std::int64_t parseTime(const std::string& text) {
    if (text.empty() || text.size() > 18 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        throw TRecoveryCopyError("the time is not a number");
    return std::stoll(text);
}

std::string readWholeFile(const fs::path& file) {
    std::error_code error;
    const auto status = fs::status(file, error);
    if (error)
        throw TRecoveryCopyError(error.message());
    if (!fs::is_regular_file(status))
        throw TRecoveryCopyError("it is not a regular file");
    if (fs::file_size(file, error) > MAX_COMPOSITION_FILE_BYTES + 65536)
        throw TRecoveryCopyError("it is too large");
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw TRecoveryCopyError("it cannot be read");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    if (fs::equivalent(a, b, error))
        return true;
    return fs::weakly_canonical(a, error) == fs::weakly_canonical(b, error);
}

#if !defined(_WIN32)
// Whether a running program holds the lock file (it is locked by someone else, or by this
// program through another opening).
bool isHeld(const fs::path& lock) {
    const int descriptor = ::open(lock.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool held = ::flock(descriptor, LOCK_EX | LOCK_NB) != 0;
    ::close(descriptor);
    return held;
}
#else
bool isHeld(const fs::path&) {
    return false;
}
#endif

bool endsWith(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() &&
           text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

} // namespace

std::string recoveryText(const std::string& original, std::int64_t time,
                         std::string_view document) {
    std::string text =
        MAGIC + "\n" + ORIGINAL + escaped(original) + "\n" + TIME + std::to_string(time) + "\n\n";
    text += document;
    return text;
}

void writeRecoveryCopy(const fs::path& file, const std::string& original, std::int64_t time,
                       std::string_view document) {
    if (!original.empty() && sameFile(file, original))
        throw TFileWriteError("a recovery copy never replaces the composition's own file");
    writeFileAtomically(file, recoveryText(original, time, document));
}

TRecoveryCopy readRecoveryCopy(const fs::path& file) {
    const std::string text = readWholeFile(file);
    std::size_t at = 0;
    if (nextLine(text, at) != MAGIC)
        throw TRecoveryCopyError("it is not a Tonaria recovery copy");
    TRecoveryCopy copy;
    copy.file = file;
    const std::string original = nextLine(text, at);
    if (original.rfind(ORIGINAL, 0) != 0)
        throw TRecoveryCopyError("the original's name is missing");
    copy.original = unescaped(original.substr(ORIGINAL.size()));
    const std::string time = nextLine(text, at);
    if (time.rfind(TIME, 0) != 0)
        throw TRecoveryCopyError("the time is missing");
    copy.time = parseTime(time.substr(TIME.size()));
    if (!nextLine(text, at).empty())
        throw TRecoveryCopyError("the header does not end in a blank line");
    copy.document = text.substr(at);
    TPeriodData check;
    try {
        readPeriodText(check, copy.document);
    } catch (const TPeriodReadError& error) {
        throw TRecoveryCopyError(error.what());
    }
    return copy;
}

std::vector<fs::path> findRecoveryCopies(const fs::path& folder) {
    std::vector<std::pair<fs::file_time_type, fs::path>> found;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code ignored;
        const fs::path path = entry->path();
        const std::string name = path.filename().string();
        if (entry->symlink_status(ignored).type() != fs::file_type::regular)
            continue;
        if (endsWith(name, LOCK_SUFFIX)) {
            // A lock whose program ended before it wrote any copy.
            fs::path copy = path;
            copy.replace_extension();
            if (!fs::exists(copy, ignored) && !isHeld(path))
                fs::remove(path, ignored);
            continue;
        }
        if (!endsWith(name, RECOVERY_SUFFIX) || isHeld(recoveryLockOf(path)))
            continue;
        found.emplace_back(fs::last_write_time(path, ignored), path);
    }
    std::sort(found.begin(), found.end());
    std::vector<fs::path> copies;
    for (auto& entry : found)
        copies.push_back(std::move(entry.second));
    return copies;
}

fs::path setAsideDamagedCopy(const fs::path& file) {
    fs::path aside = file;
    aside += DAMAGED_SUFFIX;
    std::error_code error;
    for (int number = 2; fs::exists(aside, error); ++number) {
        aside = file;
        aside += "." + std::to_string(number) + DAMAGED_SUFFIX;
    }
    fs::rename(file, aside, error);
    if (error)
        throw TFileWriteError("cannot set " + file.string() + " aside: " + error.message(),
                              error.message());
    fs::remove(recoveryLockOf(file), error);
    return aside;
}

void removeRecoveryCopy(const fs::path& file) {
    std::error_code ignored;
    fs::remove(file, ignored);
    fs::remove(recoveryLockOf(file), ignored);
}

fs::path recoveryLockOf(const fs::path& copy) {
    fs::path lock = copy;
    lock += LOCK_SUFFIX;
    return lock;
}

TRecoverySession::TRecoverySession(const fs::path& folder) {
    std::random_device entropy;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::string name =
        "session-" + std::to_string(std::chrono::duration_cast<std::chrono::seconds>(now).count()) +
        "-" + std::to_string(entropy() & 0xFFFFFFu) + RECOVERY_SUFFIX;
    copy_ = folder / name;
#if !defined(_WIN32)
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    lock_ = ::open(recoveryLockOf(copy_).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock_ >= 0 && ::flock(lock_, LOCK_EX | LOCK_NB) != 0) {
        ::close(lock_);
        lock_ = -1;
    }
#endif
}

TRecoverySession::~TRecoverySession() {
#if !defined(_WIN32)
    if (lock_ >= 0) {
        std::error_code ignored;
        // The lock goes first; a copy kept on purpose stays for the next start.
        fs::remove(recoveryLockOf(copy_), ignored);
        ::close(lock_);
    }
#endif
}
