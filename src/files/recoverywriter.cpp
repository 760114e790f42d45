#include "files/recoverywriter.h"

#include "files/recoverycopy.h"

#include <exception>
#include <system_error>
#include <utility>

TRecoveryWriter::TRecoveryWriter(std::filesystem::path copyFile)
    : copyFile_(std::move(copyFile)), thread_([this] { run(); }) {}

TRecoveryWriter::~TRecoveryWriter() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void TRecoveryWriter::write(std::string original, std::int64_t time, std::string document) {
    {
        std::lock_guard lock(mutex_);
        pending_ = TRequest{false, std::move(original), time, std::move(document)};
    }
    wake_.notify_one();
}

void TRecoveryWriter::remove() {
    {
        std::lock_guard lock(mutex_);
        pending_ = TRequest{true, {}, 0, {}};
    }
    wake_.notify_one();
}

void TRecoveryWriter::flush() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !pending_ && !busy_; });
}

std::optional<std::string> TRecoveryWriter::takeFailure() {
    std::lock_guard lock(mutex_);
    return std::exchange(failure_, std::nullopt);
}

int TRecoveryWriter::writesDone() const {
    std::lock_guard lock(mutex_);
    return writesDone_;
}

// Runs on the writer's own thread.
void TRecoveryWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || pending_; });
        if (!pending_)
            return; // quitting with nothing left to do
        TRequest request = std::move(*pending_);
        pending_.reset();
        busy_ = true;
        lock.unlock();
        std::optional<std::string> failure;
        if (request.remove) {
            // The lock stays: it is this program's, held as long as it runs.
            std::error_code ignored;
            std::filesystem::remove(copyFile_, ignored);
        } else {
            try {
                writeRecoveryCopy(copyFile_, request.original, request.time, request.document);
            } catch (const std::exception& error) {
                failure = error.what();
            }
        }
        lock.lock();
        busy_ = false;
        if (failure)
            failure_ = std::move(failure);
        else if (!request.remove)
            ++writesDone_;
        if (!pending_)
            idle_.notify_all();
    }
}
