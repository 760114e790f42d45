#include "jackserver.h"

#include <jack/jack.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace playbacktest {

namespace {

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

void restore(const char* name, const std::optional<std::string>& value) {
    if (value)
        setenv(name, value->c_str(), 1);
    else
        unsetenv(name);
}

std::string jackdPath() {
    const std::string path = environment("PATH").value_or("/usr/bin:/bin");
    std::size_t from = 0;
    while (from <= path.size()) {
        const std::size_t to = std::min(path.find(':', from), path.size());
        const std::filesystem::path candidate =
            std::filesystem::path(path.substr(from, to - from)) / "jackd";
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
        from = to + 1;
    }
    return {};
}

bool serverAnswers() {
    jack_status_t status;
    jack_client_t* client = jack_client_open("tonaria-probe", JackNoStartServer, &status);
    if (client == nullptr)
        return false;
    jack_client_close(client);
    return true;
}

const std::string NAME_PREFIX = "tonaria-test-";

// JACK's registry of servers holds only a few. A test run that was killed leaves the entry of
// its server there: starting a server under that name takes the entry back, and a clean stop
// frees it.
void freeEntriesOfKilledRuns(const std::string& jackd) {
    const std::filesystem::path folder = "/dev/shm/jack-" + std::to_string(getuid());
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(NAME_PREFIX, 0) != 0)
            continue;
        const pid_t owner = static_cast<pid_t>(std::atoi(name.c_str() + NAME_PREFIX.size()));
        if (owner <= 0 || kill(owner, 0) == 0)
            continue; // that run is still going
        const std::string command =
            jackd + " -n " + name +
            " --no-realtime -d dummy >/dev/null 2>&1 & sleep 0.5; kill $!; wait";
        (void)std::system(command.c_str());
    }
}

} // namespace

TPrivateJackServer::TPrivateJackServer()
    : name_(NAME_PREFIX + std::to_string(getpid())),
      previousServer_(environment("JACK_DEFAULT_SERVER")) {
    setenv("JACK_DEFAULT_SERVER", name_.c_str(), 1);
    // Kept afterwards, as the program keeps it: a client that finds no server must never start
    // one of its own (on the sound card, with a long wait).
    setenv("JACK_NO_START_SERVER", "1", 1);
}

TPrivateJackServer::~TPrivateJackServer() {
    // A server that was killed leaves its entry in JACK's registry of servers, which holds only
    // a few: one more start under the same name takes the entry back, and a clean stop frees it.
    if (killed_ && start())
        stop(SIGTERM);
    stop();
    restore("JACK_DEFAULT_SERVER", previousServer_);
}

bool TPrivateJackServer::available() {
    return !jackdPath().empty();
}

bool TPrivateJackServer::start() {
    stop();
    const std::string program = jackdPath();
    if (program.empty())
        return false;
    static const bool cleaned = (freeEntriesOfKilledRuns(program), true);
    (void)cleaned;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string arguments[] = {program, "-n", name_, "--no-realtime", "-d", "dummy", "-r",
                               "48000", "-p", "256"};
    char* argv[std::size(arguments) + 1];
    for (std::size_t i = 0; i < std::size(arguments); ++i)
        argv[i] = arguments[i].data();
    argv[std::size(arguments)] = nullptr;
    const int failed = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        pid_ = -1;
        return false;
    }
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < until) {
        if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = -1;
            return false;
        }
        if (serverAnswers())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    stop(SIGKILL);
    return false;
}

void TPrivateJackServer::stop(int signal) {
    if (pid_ == -1)
        return;
    kill(pid_, signal);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
    killed_ = signal == SIGKILL;
}

} // namespace playbacktest
