#pragma once

#include <csignal>
#include <optional>
#include <string>

#include <sys/types.h>

namespace playbacktest {

// A JACK server of the test's own, with the dummy driver, under a name no other test uses:
// while it exists, the JACK clients of this process connect to it (JACK_DEFAULT_SERVER), and
// stopping it disturbs no one else.
class TPrivateJackServer {
public:
    TPrivateJackServer();
    // Stops the server and gives the process its former JACK server back.
    ~TPrivateJackServer();
    TPrivateJackServer(const TPrivateJackServer&) = delete;
    TPrivateJackServer& operator=(const TPrivateJackServer&) = delete;

    // Whether jackd is installed at all.
    static bool available();
    // Starts the server and waits until it takes clients; false when it does not within a few
    // seconds.
    bool start();
    // Ends the server with `signal` and waits for it to go.
    void stop(int signal = SIGTERM);

private:
    std::string name_;
    std::optional<std::string> previousServer_;
    pid_t pid_ = -1;
    bool killed_ = false;
};

} // namespace playbacktest
