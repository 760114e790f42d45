#pragma once

#include "model/period.h"
#include "model/playunit.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TSynthEngine;

// Interleaved 16-bit stereo samples.
struct TAudio {
    int sampleRate = 44100;
    int channels = 2;
    std::vector<std::int16_t> samples;

    std::size_t frames() const { return samples.size() / static_cast<std::size_t>(channels); }
};

// Sound left to ring after the last event of a rendered piece.
inline constexpr int RENDER_TAIL_MS = 1000;

// The built-in synthesizer rendering offline, faster than real time and with no audio device:
// for sharing a composition as audio, and for tests.
class TSynthRenderer {
public:
    // `soundFont` empty: findSoundFont(). Throws TMidiError when none loads.
    explicit TSynthRenderer(const std::string& soundFont = "");
    ~TSynthRenderer();
    TSynthRenderer(const TSynthRenderer&) = delete;
    TSynthRenderer& operator=(const TSynthRenderer&) = delete;

    void send(std::uint32_t message);
    // Appends `frames` frames of what the synthesizer plays now.
    void render(int frames, TAudio& audio);

    // The units as playback sounds them at `tempo`: the instrument set-up first, then each
    // unit at its timer event (event k at k x (200 - tempo) ms), and RENDER_TAIL_MS after the
    // last one.
    TAudio renderUnits(const std::vector<TPlayUnit>& units, int tempo);

private:
    std::unique_ptr<TSynthEngine> engine_;
};

// The period as "Play all" sounds it through the built-in synthesizer (without the pulse),
// rendered offline. `soundFont` empty: findSoundFont(). Throws TMidiError when none loads.
TAudio renderPeriod(const TPeriodData& period, const std::string& soundFont = "");
