#include "playback/synthrenderer.h"

#include "model/playplanner.h"
#include "playback/midibackend.h"
#include "playback/playbacktiming.h"
#include "playback/synthmodule.h"

#include <algorithm>

namespace {

constexpr int SAMPLE_RATE = static_cast<int>(SYNTH_SAMPLE_RATE);

std::int64_t framesAt(std::int64_t ms) {
    return ms * SAMPLE_RATE / 1000;
}

} // namespace

TSynthRenderer::TSynthRenderer(const std::string& soundFont)
    : engine_(makeSynthEngine(soundFont)) {}

TSynthRenderer::~TSynthRenderer() = default;

void TSynthRenderer::send(std::uint32_t message) {
    engine_->send(message);
}

void TSynthRenderer::render(int frames, TAudio& audio) {
    if (frames <= 0) {
        return;
    }
    const std::size_t first = audio.samples.size();
    audio.samples.resize(first + static_cast<std::size_t>(frames) * 2);
    std::int16_t* out = audio.samples.data() + first;
    engine_->render(frames, out);
}

TAudio TSynthRenderer::renderUnits(const std::vector<TPlayUnit>& units, int tempo) {
    const std::int64_t interval = timerIntervalForTempo(tempo);
    std::vector<TPlayUnit> ordered = units;
    std::stable_sort(ordered.begin(), ordered.end(), playsBefore);

    TAudio audio;
    audio.sampleRate = SAMPLE_RATE;
    const std::pair<int, int> programs[] = {{CHORD_CHANNEL, CHORD_PROGRAM},
                                            {BASS_CHANNEL, BASS_PROGRAM},
                                            {MELODY_CHANNEL, MELODY_PROGRAM},
                                            {PREVIEW_CHANNEL, PREVIEW_PROGRAM}};
    for (auto [channel, program] : programs) {
        send(shortMessage(0xC0 + channel, program, 0));
    }
    std::int64_t rendered = 0;
    std::int64_t lastEventMs = 0;
    for (const TPlayUnit& unit : ordered) {
        lastEventMs = timerEventOfTick(std::max(unit.time, 0)) * interval;
        const std::int64_t at = framesAt(lastEventMs);
        render(static_cast<int>(at - rendered), audio);
        rendered = std::max(rendered, at);
        send(shortMessage((unit.isOn ? 0x90 : 0x80) + unit.channel, unit.note, unit.velocity));
    }
    render(static_cast<int>(framesAt(lastEventMs + RENDER_TAIL_MS) - rendered), audio);
    return audio;
}

TAudio renderPeriod(const TPeriodData& period, const std::string& soundFont) {
    TSynthRenderer renderer(soundFont);
    return renderer.renderUnits(periodPlayUnits(period), period.tempo());
}
