// System MIDI ports. The JACK case needs a running JACK server (CI starts one with the dummy
// driver) and is skipped without it.

#include "playback/player.h"
#include "playback/systemportbackend.h"

#include <RtMidi.h>
#include <gtest/gtest.h>
#include <jack/jack.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

using namespace std::chrono_literals;

namespace {

bool jackServerRuns() {
    jack_status_t status;
    jack_client_t* client = jack_client_open("tonaria-probe", JackNoStartServer, &status);
    if (client == nullptr) {
        return false;
    }
    jack_client_close(client);
    return true;
}

} // namespace

TEST(SystemPorts, WithoutAnyMidiServiceThereAreNoPortsAndNothingCrashes) {
    // Point JACK at a server that does not exist; the machine may still have ALSA.
    const char* old = std::getenv("JACK_DEFAULT_SERVER");
    const std::string saved = old ? old : "";
    setenv("JACK_DEFAULT_SERVER", "tonaria-no-such-server", 1);
    {
        TSystemPortBackend ports;
        const auto names = ports.deviceNames();
        if (!std::filesystem::exists("/dev/snd/seq")) {
            EXPECT_TRUE(names.empty());
        }
        EXPECT_THROW(ports.open(static_cast<int>(names.size())), TMidiError);
        ports.send(0x00643C90);
        ports.close();
    }
    if (old) {
        setenv("JACK_DEFAULT_SERVER", saved.c_str(), 1);
    } else {
        unsetenv("JACK_DEFAULT_SERVER");
    }
}

TEST(SystemPorts, AJackPortCarriesTheMessagesSent) {
    if (!jackServerRuns()) {
        GTEST_SKIP() << "no JACK server runs";
    }
    RtMidiIn input(RtMidi::UNIX_JACK, "tonaria-test-client");
    input.openVirtualPort("tonaria-test-in");

    TSystemPortBackend ports;
    const auto names = ports.deviceNames();
    int index = -1;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].find("tonaria-test-in") != std::string::npos) {
            index = static_cast<int>(i);
        }
    }
    ASSERT_NE(index, -1) << "the test's input port is listed";
    TPlayer player(ports);
    player.open(index);
    player.programChange(0, 1);
    player.noteOn(0, 60, 105);
    player.noteOff(0, 60, 105);

    std::vector<std::vector<unsigned char>> received;
    const auto until = std::chrono::steady_clock::now() + 5s;
    while (received.size() < 3 && std::chrono::steady_clock::now() < until) {
        std::vector<unsigned char> message;
        input.getMessage(&message);
        if (message.empty()) {
            std::this_thread::sleep_for(1ms);
        } else {
            received.push_back(message);
        }
    }
    EXPECT_EQ(received, (std::vector<std::vector<unsigned char>>{
                            {0xC0, 1}, {0x90, 60, 105}, {0x80, 60, 105}}));
    player.close();
}
