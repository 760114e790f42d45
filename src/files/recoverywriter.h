#pragma once

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// Writes one program's recovery copy on a thread of its own, so that flushing the file to the
// disk never holds up the interface. Requests are carried out in order; a write still waiting
// when a newer one comes is dropped, since only the newest state matters. The public operations
// are called on the interface thread.
class TRecoveryWriter {
public:
    explicit TRecoveryWriter(std::filesystem::path copyFile);
    // Finishes what was asked, then ends the thread.
    ~TRecoveryWriter();
    TRecoveryWriter(const TRecoveryWriter&) = delete;
    TRecoveryWriter& operator=(const TRecoveryWriter&) = delete;

    // Writes the copy of `document`, the state of the composition at `original` (empty for an
    // untitled one) at `time` (seconds since the epoch).
    void write(std::string original, std::int64_t time, std::string document);
    // Removes the copy, after any write asked for before.
    void remove();
    // Returns once everything asked for so far is done.
    void flush();
    // The reason the last write failed, once; nothing when none failed since the last call.
    std::optional<std::string> takeFailure();
    // How many copies were written (for tests and diagnostics).
    int writesDone() const;

    const std::filesystem::path& copyFile() const { return copyFile_; }

private:
    struct TRequest {
        bool remove = false;
        std::string original;
        std::int64_t time = 0;
        std::string document;
    };

    void run();

    const std::filesystem::path copyFile_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<TRequest> pending_;
    bool busy_ = false;
    bool quit_ = false;
    int writesDone_ = 0;
    std::optional<std::string> failure_;
    std::thread thread_; // last: it starts once the rest stands
};
