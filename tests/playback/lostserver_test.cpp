// A JACK server that stops under the program, while it plays and while it is idle: the loss is
// reported once, nothing more goes to the dead server, and the outputs that remain (the
// synthesizer through another audio driver, a restarted server's ports) play again. Each case
// runs a JACK server of its own and is skipped where jackd is not installed.

#include "jackserver.h"
#include "playbacktesting.h"

#include "playback/brokenpipes.h"
#include "playback/motiveplayer.h"
#include "playback/recordingbackend.h"
#include "playback/synthbackend.h"
#include "playback/systemportbackend.h"

#include <RtMidi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

using namespace playbacktest;
using namespace std::chrono_literals;

namespace {

// libjack ends the thread of a client that has no shutdown handler (RtMidi's) by cancelling it
// inside pthread_join, which ThreadSanitizer takes for a thread that ends with its checks off.
#if defined(__SANITIZE_THREAD__)
constexpr bool RTMIDI_CLIENTS_MAY_DIE = false;
#else
constexpr bool RTMIDI_CLIENTS_MAY_DIE = true;
#endif

struct LossCounter : TMidiLossListener {
    std::atomic<int> calls{0};
    void outputLost() override { ++calls; }
    // Waits a few seconds at most for the count to reach `count`.
    bool reaches(int count) const {
        const auto until = std::chrono::steady_clock::now() + 5s;
        while (calls.load() < count && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(10ms);
        return calls.load() >= count;
    }
};

// A motive of sixteen crotchets: several seconds of playback at any tempo.
TMotive longMotive() {
    std::vector<NoteSpec> notes;
    for (int i = 0; i < 16; ++i)
        notes.push_back({i * 120, 21 + i % 5, 120});
    return makeMotive(TMeasure(4, 120), 0, notes, {});
}

int indexOf(const std::vector<std::string>& names, const std::string& part) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].find(part) != std::string::npos)
            return static_cast<int>(i);
    }
    return -1;
}

// A JACK MIDI input port of the test's own, and what reaches it.
class Receiver {
public:
    explicit Receiver(const std::string& name) : input_(RtMidi::UNIX_JACK, name) {
        input_.openVirtualPort(name);
    }
    // Waits a few seconds at most for `count` messages.
    std::vector<std::vector<unsigned char>> receive(std::size_t count) {
        std::vector<std::vector<unsigned char>> received;
        const auto until = std::chrono::steady_clock::now() + 5s;
        while (received.size() < count && std::chrono::steady_clock::now() < until) {
            std::vector<unsigned char> message;
            input_.getMessage(&message);
            if (message.empty())
                std::this_thread::sleep_for(1ms);
            else
                received.push_back(message);
        }
        return received;
    }

private:
    RtMidiIn input_;
};

class LostJackServer : public ::testing::Test {
protected:
    void SetUp() override {
        // As the program does first thing: libjack writes to the socket of a server that went.
        ignoreBrokenPipes();
        if (!TPrivateJackServer::available())
            GTEST_SKIP() << "jackd is not installed";
        ASSERT_TRUE(server.start());
    }

    TPrivateJackServer server;
    LossCounter losses;
};

TEST_F(LostJackServer, TheSynthesizerPlayingThroughJackReportsTheLossAndPlaysOnThroughAnother) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("tonaria-lost-server-" + std::to_string(getpid()) + ".wav");
    TSynthBackend synth({"", {"jack", "file"}, file.string()});
    TPlayer player(synth);
    player.setLossListener(&losses);
    player.open(0);
    ASSERT_EQ(synth.driverName(), "jack");
    TMotivePlayer motives(&player, false);
    const TMotive motive = longMotive();
    motives.play(motive, nullptr);
    std::this_thread::sleep_for(200ms);
    ASSERT_TRUE(motives.isPlaying());

    server.stop(SIGTERM);
    ASSERT_TRUE(losses.reaches(1)) << "the loss is reported while the motive plays";
    EXPECT_TRUE(player.lost());
    motives.stop();
    player.close();

    player.open(0);
    EXPECT_EQ(synth.driverName(), "file") << "the synthesizer opens through another driver";
    EXPECT_FALSE(player.lost());
    motives.play(motive, nullptr);
    std::this_thread::sleep_for(100ms);
    motives.stop();

    ASSERT_TRUE(server.start());
    player.open(0);
    EXPECT_EQ(synth.driverName(), "jack") << "the restarted server is chosen again";
    player.noteOn(0, 60, 100);
    player.noteOff(0, 60, 100);
    player.close();
    EXPECT_EQ(losses.calls.load(), 1) << "closing and reopening report nothing";
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
}

TEST_F(LostJackServer, AnIdleJackPortReportsTheLossAndTheRestartedServersPortsAreListedAfresh) {
    if (!RTMIDI_CLIENTS_MAY_DIE)
        GTEST_SKIP() << "RtMidi's JACK clients cannot die under ThreadSanitizer";
    TSystemPortBackend ports;
    TPlayer player(ports);
    player.setLossListener(&losses);
    {
        Receiver gone("tonaria-lost-in");
        const int index = indexOf(ports.deviceNames(), "tonaria-lost-in");
        ASSERT_NE(index, -1);
        player.open(index);

        server.stop(SIGKILL);
        ASSERT_TRUE(losses.reaches(1)) << "the loss is reported with nothing playing";
        player.noteOn(0, 60, 100); // goes nowhere, and nothing breaks
        player.close();
    }
    EXPECT_EQ(indexOf(ports.deviceNames(), "tonaria-lost-in"), -1)
        << "a port of the server that went is no longer offered";

    ASSERT_TRUE(server.start());
    Receiver back("tonaria-back-in");
    const int index = indexOf(ports.deviceNames(), "tonaria-back-in");
    ASSERT_NE(index, -1) << "the restarted server's ports are offered without a restart";
    player.open(index);
    player.noteOn(0, 60, 100);
    EXPECT_EQ(back.receive(1), (std::vector<std::vector<unsigned char>>{{0x90, 60, 100}}));
    player.close();
    EXPECT_EQ(losses.calls.load(), 1);
}

TEST_F(LostJackServer, AServerLostWithNoDeviceOpenIsToldToNoOne) {
    if (!RTMIDI_CLIENTS_MAY_DIE)
        GTEST_SKIP() << "RtMidi's JACK clients cannot die under ThreadSanitizer";
    TSystemPortBackend ports;
    TPlayer player(ports);
    player.setLossListener(&losses);
    {
        Receiver gone("tonaria-listed-in");
        ASSERT_NE(indexOf(ports.deviceNames(), "tonaria-listed-in"), -1);
        server.stop(SIGKILL);
        std::this_thread::sleep_for(300ms);
    }
    EXPECT_EQ(indexOf(ports.deviceNames(), "tonaria-listed-in"), -1);
    EXPECT_EQ(losses.calls.load(), 0);
}

} // namespace

TEST(OutputLoss, IsPassedOnOnceAndSilencesThePlayerUntilADeviceOpens) {
    TRecordingBackend backend(2);
    TPlayer player(backend);
    LossCounter losses;
    player.setLossListener(&losses);
    backend.loseOutput();
    EXPECT_EQ(losses.calls.load(), 0) << "nothing open, nothing lost";

    player.open(1);
    std::thread finder([&backend] { backend.loseOutput(); });
    finder.join();
    backend.loseOutput();
    EXPECT_EQ(losses.calls.load(), 1) << "one loss, one report";
    EXPECT_TRUE(player.lost());
    EXPECT_EQ(player.deviceId(), 1) << "the interface closes it, not the finder's thread";
    player.noteOn(0, 60, 100);
    EXPECT_TRUE(backend.messages().empty());

    player.open(0);
    EXPECT_FALSE(player.lost());
    player.noteOn(0, 60, 100);
    EXPECT_EQ(backend.messages().size(), 1u);
    player.setLossListener(nullptr);
    backend.loseOutput();
    EXPECT_EQ(losses.calls.load(), 1) << "a listener taken away hears nothing more";
}
