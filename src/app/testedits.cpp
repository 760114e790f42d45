#include "testedits.h"

#include "files/periodwriter.h"
#include "shell/mainwindow.h"

#include <QTimer>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

long long nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::uint64_t fnv1a(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

class TTestEdits : public QObject {
public:
    TTestEdits(TMainWindow& window, std::FILE* log, std::string file)
        : QObject(&window), window_(window), log_(log), file_(std::move(file)) {
        timer_.setSingleShot(true);
        connect(&timer_, &QTimer::timeout, this, [this] { step(); });
    }
    ~TTestEdits() override { std::fclose(log_); }

    void start(bool recovered) {
        const std::string document = periodDocument(window_.period());
        if (recovered)
            line("recovered", hex(fnv1a(document)));
        else
            line("fresh", "");
        savedTempo_ = recovered ? -1 : window_.period().tempo();
        if (window_.period().name() == "Untitled")
            save();
        schedule();
    }

private:
    static std::string hex(std::uint64_t value) {
        char text[20];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
        return text;
    }
    void line(const char* what, const std::string& value) {
        std::fprintf(log_, "%s %lld %s\n", what, nowMs(), value.c_str());
        std::fflush(log_);
    }
    // Bursts of quick changes with pauses between them, as a person edits.
    void schedule() {
        const bool pause = std::uniform_int_distribution(0, 9)(random_) < 3;
        timer_.start(pause ? std::uniform_int_distribution(3500, 5000)(random_)
                           : std::uniform_int_distribution(100, 400)(random_));
    }
    void save() {
        const std::string name =
            window_.period().name() == "Untitled" ? file_ : window_.period().name();
        line("saving", hex(fnv1a(periodDocument(window_.period()))));
        if (window_.saveTo(name)) {
            savedTempo_ = window_.period().tempo();
            line("saved", hex(fnv1a(periodDocument(window_.period()))));
        }
    }
    void step() {
        // Never the tempo of the file: the composition stays modified between saves.
        int tempo = window_.period().tempo();
        while (tempo == window_.period().tempo() || tempo == savedTempo_)
            tempo = std::uniform_int_distribution(60, 180)(random_);
        window_.period().setTempo(tempo);
        line("edit", std::to_string(tempo));
        if (++edits_ % 25 == 0)
            save();
        schedule();
    }

    TMainWindow& window_;
    std::FILE* log_;
    std::string file_;
    QTimer timer_;
    std::mt19937 random_{std::random_device()()};
    int savedTempo_ = -1;
    int edits_ = 0;
};

} // namespace

void startTestEdits(TMainWindow& window, bool recovered) {
    const char* logName = std::getenv("TONARIA_TEST_EDITS");
    const char* file = std::getenv("TONARIA_TEST_FILE");
    if (logName == nullptr || file == nullptr)
        return;
    std::FILE* log = std::fopen(logName, "a");
    if (log == nullptr)
        return;
    (new TTestEdits(window, log, file))->start(recovered);
}
