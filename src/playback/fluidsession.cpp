#include "playback/fluidsession.h"

#include "playback/soundfont.h"

#include <cstdio>
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

TFluidSession::TFluidSession(const std::string& soundFont) {
    quietFluidSynth();
#ifdef _OPENMP
    // FluidSynth spreads the loading of a SoundFont over an OpenMP team. A SoundFont the size
    // of TimGM6mb loads faster on this one thread than with a team that spins against a busy
    // machine (about 20 ms against 50 ms on two loaded cores).
    omp_set_num_threads(1);
#endif
    std::string path = soundFont;
    if (path.empty()) {
        path = findSoundFont().value_or("");
    }
    if (path.empty()) {
        throw TMidiError("No General MIDI SoundFont is installed");
    }
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::fclose(file);
    } else {
        throw TMidiError("Cannot read the SoundFont " + path);
    }
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
    if (fluid_synth_sfload(synth_, path.c_str(), 1) == FLUID_FAILED) {
        delete_fluid_synth(synth_);
        delete_fluid_settings(settings_);
        throw TMidiError("Cannot load the SoundFont " + path);
    }
#ifdef __GLIBC__
    // Reading the SoundFont leaves many small freed blocks behind; give their pages back.
    malloc_trim(0);
#endif
}

TFluidSession::~TFluidSession() {
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
