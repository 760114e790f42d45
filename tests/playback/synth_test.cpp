// The built-in synthesizer: offline rendering everywhere, the live back end where FluidSynth
// can reach an output (its "file" driver always can).

#include "playbacktesting.h"

#include "playback/motiveplayer.h"
#include "playback/soundfont.h"
#include "playback/synthbackend.h"
#include "playback/synthrenderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <thread>

using namespace playbacktest;

namespace {

double rms(const TAudio& audio, std::size_t fromFrame, std::size_t toFrame) {
    double sum = 0;
    std::size_t n = 0;
    for (std::size_t i = fromFrame * 2; i < toFrame * 2 && i < audio.samples.size(); ++i) {
        sum += static_cast<double>(audio.samples[i]) * audio.samples[i];
        ++n;
    }
    return n ? std::sqrt(sum / static_cast<double>(n)) : 0.0;
}

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace

TEST(SoundFont, TheEnvironmentWinsOverTheInstalledFonts) {
    ScopedEnv env("TONARIA_SOUNDFONT", "/nowhere/custom.sf2");
    EXPECT_EQ(findSoundFont(), "/nowhere/custom.sf2");
    EXPECT_THROW(TSynthRenderer{}, TMidiError);
}

TEST(SynthRenderer, AMotiveSoundsLouderThanSilenceForAsLongAsTheScheduleSays) {
    TSynthRenderer renderer;
    TMotivePlayer exporter;
    exporter.play(makeMotive(TMeasure(2, 120), 0, {{0, 21, 120}, {120, 23, 120}},
                             {voicedChord(0, {28, 23, 19, 7})}),
                  nullptr);
    const TAudio audio = renderer.renderUnits(exporter.allUnits(), 100);
    EXPECT_EQ(audio.sampleRate, 44100);
    EXPECT_EQ(audio.channels, 2);
    // The last events at tick 240 fall on timer event 17, at 1.7 s; then the release tail.
    EXPECT_EQ(audio.frames(), static_cast<std::size_t>((1700 + RENDER_TAIL_MS) * 44100 / 1000));

    const double before = rms(audio, 0, 4000); // before the first event at 100 ms
    const double playing = rms(audio, 4410 + 2000, 4410 * 17);
    EXPECT_LT(before, 50.0) << "silence is no more than dither";
    EXPECT_GT(playing, 500.0);
    EXPECT_GT(playing, 20 * (before + 1));
}

// The SoundFont's samples are read when a channel selects an instrument: every instrument the
// program plays must be there when its note comes, the pulse's drum kit too, which no program
// change selects.
TEST(SynthRenderer, EveryChannelThePlayerUsesSoundsWithItsInstrument) {
    TSynthRenderer renderer;
    const std::pair<int, int> instruments[] = {{MELODY_CHANNEL, MELODY_PROGRAM},
                                               {CHORD_CHANNEL, CHORD_PROGRAM},
                                               {BASS_CHANNEL, BASS_PROGRAM},
                                               {PREVIEW_CHANNEL, PREVIEW_PROGRAM},
                                               {PULSE_CHANNEL, -1}};
    for (auto [channel, program] : instruments)
        if (program >= 0)
            renderer.send(shortMessage(0xC0 + channel, program, 0));
    for (auto [channel, program] : instruments) {
        TAudio audio;
        renderer.render(22050, audio); // the last note's tail dies away
        const double silence = rms(audio, 17640, 22050);
        audio.samples.clear();
        const int note = channel == PULSE_CHANNEL ? PULSE_NOTE : 60;
        renderer.send(shortMessage(0x90 + channel, note, 100));
        renderer.render(8820, audio);
        renderer.send(shortMessage(0x80 + channel, note, 0));
        EXPECT_GT(rms(audio, 0, 8820), 4 * (silence + 10))
            << "channel " << channel << " program " << program << ", silence " << silence;
    }
}

TEST(SynthRenderer, APeriodLastsAsLongAsPlayAllPlaysIt) {
    TPeriodData period;
    period.setTempo(145);
    period.sentences().resize(1);
    period.sentences()[0].phrases().emplace_back(2, 5, period.key(), period.measure(), 0);
    for (TMotive& motive : period.sentences()[0].phrases()[0].motives()) {
        motive.setNotes({TNote(0, 21, 240)});
    }
    // Two measures of 2/4: the last note-off at tick 480 is timer event 33, 33 x 55 ms.
    EXPECT_EQ(renderPeriod(period).frames(),
              static_cast<std::size_t>((33 * 55 + RENDER_TAIL_MS) * 44100 / 1000));
}

TEST(SynthBackend, OpeningFailsWithoutASoundFontOrWithoutAnAudioOutput) {
    TSynthBackend noFont({"/nowhere/missing.sf2", {"file"}, ""});
    EXPECT_THROW(noFont.open(0), TMidiError);
    TSynthBackend noDriver({"", {"no-such-driver"}, ""});
    EXPECT_THROW(noDriver.open(0), TMidiError);
    noDriver.send(0x00643C90); // closed: dropped
    EXPECT_EQ(noDriver.driverName(), "");
    TSynthBackend synth;
    EXPECT_EQ(synth.deviceNames(), std::vector<std::string>{"Built-in synthesizer"});
    EXPECT_THROW(synth.open(1), TMidiError);
}

TEST(SynthBackend, PlaysLiveFromTwoThreadsAtOnce) {
    const auto file = std::filesystem::temp_directory_path() / "tonaria-synth-test.wav";
    TSynthBackend synth({"", {"file"}, file.string()});
    synth.open(0);
    EXPECT_EQ(synth.driverName(), "file");
    auto play = [&](int channel) {
        for (int i = 0; i < 200; ++i) {
            synth.send(shortMessage(0x90 + channel, 60 + i % 12, 100));
            synth.send(shortMessage(0x80 + channel, 60 + i % 12, 100));
        }
    };
    std::thread other(play, 1);
    play(0);
    other.join();
    synth.close();
    synth.send(0x00643C90);
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
}
