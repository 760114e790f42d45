// The built-in synthesizer's module, loaded on first use, and the SoundFont cut down to the
// program's presets.

#include "playback/mididevices.h"
#include "playback/soundfont.h"
#include "playback/soundfontsubset.h"
#include "playback/synthmodule.h"
#include "playback/synthrenderer.h"

#include "model/playunit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string installedFont() {
    return findSoundFont().value_or("");
}

bool mapsFluidSynth() {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line))
        if (line.find("libfluidsynth") != std::string::npos)
            return true;
    return false;
}

// The program's instruments and the pulse, each note held and then left to ring, with notes of
// an instrument that is not the program's on a channel the program never uses.
std::vector<std::int16_t> playEveryChannel(TSynthEngine& engine) {
    const std::pair<int, int> programs[] = {{MELODY_CHANNEL, MELODY_PROGRAM},
                                            {CHORD_CHANNEL, CHORD_PROGRAM},
                                            {BASS_CHANNEL, BASS_PROGRAM},
                                            {PREVIEW_CHANNEL, PREVIEW_PROGRAM}};
    for (auto [channel, program] : programs)
        engine.send(shortMessage(0xC0 + channel, program, 0));
    std::vector<std::int16_t> samples;
    auto render = [&](int frames) {
        const std::size_t first = samples.size();
        samples.resize(first + static_cast<std::size_t>(frames) * 2);
        engine.render(frames, samples.data() + first);
    };
    for (int channel :
         {MELODY_CHANNEL, CHORD_CHANNEL, BASS_CHANNEL, PREVIEW_CHANNEL, PULSE_CHANNEL}) {
        const int note = channel == PULSE_CHANNEL ? PULSE_NOTE_BAR : 64;
        engine.send(shortMessage(0x90 + channel, note, 100));
        render(4410);
        engine.send(shortMessage(0x80 + channel, note, 0));
        render(4410);
    }
    return samples;
}

class TempFile {
public:
    explicit TempFile(const std::string& name)
        : path_(std::filesystem::temp_directory_path() / name) {}
    ~TempFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }
    void write(const std::string& bytes) const { std::ofstream(path_, std::ios::binary) << bytes; }

private:
    std::filesystem::path path_;
};

std::string readAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

} // namespace

std::size_t threadCount() {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator("/proc/self/task"),
                      std::filesystem::directory_iterator()));
}

// Run in a process of its own, as the program starts: making the devices reaches no sound
// service (no JACK client and its threads), listing them, as the device dialog does, loads no
// FluidSynth; making the first synthesizer does.
TEST(SynthModuleDeathTest, FluidSynthIsLoadedWithTheFirstSynthesizerAndNotBefore) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const std::size_t threads = threadCount();
            const auto devices = makeSystemDevices();
            const bool quiet = threadCount() == threads;
            const bool listed = devices->deviceNames().front() == "Built-in synthesizer";
            const bool before = mapsFluidSynth();
            TSynthRenderer renderer;
            std::exit(quiet && listed && !before && mapsFluidSynth() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(SynthModule, AModuleThatCannotBeLoadedIsNamedInTheError) {
    try {
        loadSynthModule("/nowhere/tonaria-synth.so");
        FAIL() << "loaded a module that is not there";
    } catch (const TMidiError& error) {
        EXPECT_NE(std::string(error.what()).find("The built-in synthesizer cannot be loaded"),
                  std::string::npos);
        EXPECT_NE(std::string(error.what()).find("/nowhere/tonaria-synth.so"), std::string::npos);
    }
    const auto places = synthModulePlaces("/opt/tonaria/bin");
    ASSERT_GE(places.size(), 2u);
    EXPECT_EQ(places.front(), "/opt/tonaria/lib/tonaria/tonaria-synth.so");
}

// The cut-down SoundFont must not change a sample of what the program plays.
TEST(SoundFontSubset, TheProgramsInstrumentsSoundExactlyAsFromTheWholeSoundFont) {
    const auto whole = makeSynthEngine("", TSoundFontPresets::All);
    const auto subset = makeSynthEngine("", TSoundFontPresets::Program);
    const std::vector<std::int16_t> expected = playEveryChannel(*whole);
    const std::vector<std::int16_t> played = playEveryChannel(*subset);
    ASSERT_EQ(played.size(), expected.size());
    EXPECT_TRUE(played == expected);
    EXPECT_TRUE(std::any_of(played.begin(), played.end(), [](std::int16_t s) { return s > 1000; }));

    // Proof that the subset is what played: the piano, not the program's, is not in it.
    auto pianoOnAnUnusedChannel = [](TSoundFontPresets presets) {
        const auto engine = makeSynthEngine("", presets);
        engine->send(shortMessage(0xC0 + 3, 0, 0));
        engine->send(shortMessage(0x90 + 3, 60, 127));
        std::vector<std::int16_t> samples(8820);
        engine->render(4410, samples.data());
        return *std::max_element(samples.begin(), samples.end());
    };
    EXPECT_GT(pianoOnAnUnusedChannel(TSoundFontPresets::All), 500);
    EXPECT_LT(pianoOnAnUnusedChannel(TSoundFontPresets::Program), 10);
}

TEST(SoundFontSubset, ListsTheWantedPresetsAndFallsBackToThePianoForAMissingOne) {
    const std::string font = installedFont();
    const auto subset = soundFontSubset(font, programPresets());
    ASSERT_TRUE(subset.has_value());
    std::vector<TPresetNumber> listed = listedPresets(subset->presetData);
    auto byNumber = [](TPresetNumber a, TPresetNumber b) {
        return std::pair(a.bank, a.program) < std::pair(b.bank, b.program);
    };
    std::vector<TPresetNumber> wanted = programPresets();
    std::sort(listed.begin(), listed.end(), byNumber);
    std::sort(wanted.begin(), wanted.end(), byNumber);
    EXPECT_EQ(listed, wanted);
    EXPECT_LT(subset->size(), static_cast<std::int64_t>(std::filesystem::file_size(font)));
    EXPECT_LT(subset->presetData.size(), 40'000u);

    const auto missing = soundFontSubset(font, {{0, 1}, {7, 77}});
    ASSERT_TRUE(missing.has_value());
    listed = listedPresets(missing->presetData);
    std::sort(listed.begin(), listed.end(), byNumber);
    EXPECT_EQ(listed, (std::vector<TPresetNumber>{{0, 0}, {0, 1}}));
}

// A file that is no SoundFont, or only part of one, is read whole, and the synthesizer refuses
// it with an error, never a crash.
TEST(SoundFontSubset, ABrokenFileMakesNoSubsetAndNoSynthesizer) {
    const std::string whole = readAll(installedFont());
    TempFile file("tonaria-broken.sf2");
    for (const std::string& bytes :
         {std::string(), std::string("RIFF"), std::string("RIFF\x10\0\0\0sfbkLIST", 16),
          whole.substr(0, 4096), whole.substr(0, whole.size() - 3000)}) {
        file.write(bytes);
        EXPECT_FALSE(soundFontSubset(file.path(), programPresets()).has_value()) << bytes.size();
        EXPECT_THROW(TSynthRenderer(file.path().string()), TMidiError) << bytes.size();
    }
    // Preset zones that point past the end of the instrument zones.
    std::string corrupt = whole;
    const std::size_t bags = corrupt.find("pbag");
    ASSERT_NE(bags, std::string::npos);
    corrupt[bags + 8] = '\xff';
    corrupt[bags + 9] = '\xff';
    file.write(corrupt);
    EXPECT_FALSE(soundFontSubset(file.path(), programPresets()).has_value());
}
