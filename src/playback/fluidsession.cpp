#include "playback/fluidsession.h"

#include "playback/midibackend.h"
#include "playback/soundfontreader.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <mutex>

#ifdef _OPENMP
#include <omp.h>
#endif

namespace {

// FluidSynth prints its complaints to the terminal; the reasons that matter reach the caller
// as exceptions instead.
void quietFluidSynth() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
            fluid_set_log_function(level, nullptr, nullptr);
        }
    });
}

} // namespace

TFluidSession::TFluidSession(const std::string& soundFont, TSoundFontPresets presets) {
    quietFluidSynth();
#ifdef _OPENMP
    // FluidSynth spreads the loading of a SoundFont over an OpenMP team. A SoundFont the size
    // of TimGM6mb loads faster on this one thread than with a team that spins against a busy
    // machine (about 20 ms against 50 ms on two loaded cores).
    omp_set_num_threads(1);
#endif
    settings_ = new_fluid_settings();
    if (settings_ == nullptr) {
        throw TMidiError("Cannot create the synthesizer");
    }
    fluid_settings_setnum(settings_, "synth.sample-rate", SYNTH_SAMPLE_RATE);
    // Only the samples of the instruments that channels have selected are read into memory:
    // the program plays a handful of the SoundFont's instruments.
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    // Seven notes sound at most at once (melody, three chord voices, bass, preview, pulse);
    // with two-layer instruments and their release tails that stays well below this.
    fluid_settings_setint(settings_, "synth.polyphony", SYNTH_POLYPHONY);
    synth_ = new_fluid_synth(settings_);
    if (synth_ == nullptr) {
        delete_fluid_settings(settings_);
        throw TMidiError("Cannot create the synthesizer");
    }
    if (presets == TSoundFontPresets::Program) {
        readProgramPresetsOnly(synth_, settings_);
    }
    if (fluid_synth_sfload(synth_, soundFont.c_str(), 1) == FLUID_FAILED) {
        delete_fluid_synth(synth_);
        delete_fluid_settings(settings_);
        throw TMidiError("Cannot load the SoundFont " + soundFont);
    }
#ifdef __GLIBC__
    // Reading the SoundFont leaves many small freed blocks behind; give their pages back.
    malloc_trim(0);
#endif
}

TFluidSession::~TFluidSession() {
    if (driver_ != nullptr) {
        delete_fluid_audio_driver(driver_); // before the synthesizer it pulls samples from
    }
    delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
}

void TFluidSession::send(std::uint32_t message) {
    const int channel = messageStatus(message) & 0x0F;
    const int data1 = messageData1(message);
    const int data2 = messageData2(message);
    switch (messageStatus(message) & 0xF0) {
    case 0x90:
        if (data2 == 0) {
            fluid_synth_noteoff(synth_, channel, data1);
        } else {
            fluid_synth_noteon(synth_, channel, data1, data2);
        }
        break;
    case 0x80:
        fluid_synth_noteoff(synth_, channel, data1);
        break;
    case 0xC0:
        fluid_synth_program_change(synth_, channel, data1);
        break;
    default:
        break;
    }
}

void TFluidSession::render(int frames, std::int16_t* out) {
    fluid_synth_write_s16(synth_, frames, out, 0, 2, out, 1, 2);
}

std::string TFluidSession::startAudio(const TSynthAudioOptions& options) {
    fluid_settings_setint(settings_, "audio.period-size", options.periodFrames);
    fluid_settings_setint(settings_, "audio.periods", options.periods);
    if (!options.outputFile.empty()) {
        fluid_settings_setstr(settings_, "audio.file.name", options.outputFile.c_str());
    }
    for (const std::string& name : options.drivers) {
        if (fluid_settings_setstr(settings_, "audio.driver", name.c_str()) != FLUID_OK) {
            continue; // not compiled into this FluidSynth
        }
        driver_ = new_fluid_audio_driver(settings_, synth_);
        if (driver_ != nullptr) {
            return name;
        }
    }
    return "";
}

// The module's entry point; the program finds it by name.
extern "C" __attribute__((visibility("default"))) const TSynthModule* tonariaSynthModule() {
    static const TSynthModule module{[](const std::string& soundFont, TSoundFontPresets presets,
                                        std::string& error) -> std::unique_ptr<TSynthEngine> {
        try {
            return std::make_unique<TFluidSession>(soundFont, presets);
        } catch (const std::exception& failure) {
            error = failure.what();
            return nullptr;
        }
    }};
    return &module;
}
