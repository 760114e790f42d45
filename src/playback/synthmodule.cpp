#include "playback/synthmodule.h"

#include "playback/midibackend.h"
#include "playback/soundfont.h"

#include <dlfcn.h>

#include <cstdio>
#include <mutex>

namespace {

std::filesystem::path runningExecutableFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : executable.parent_path();
}

} // namespace

std::vector<std::filesystem::path>
synthModulePlaces(const std::filesystem::path& executableFolder) {
    std::vector<std::filesystem::path> places;
    if (!executableFolder.empty())
        places.push_back(executableFolder.parent_path() / SYNTH_MODULE_FOLDER / SYNTH_MODULE_FILE);
    places.emplace_back(TONARIA_SYNTH_MODULE_BUILD_PATH);
    return places;
}

const TSynthModule& loadSynthModule(const std::filesystem::path& file) {
    // Never unloaded: FluidSynth's audio threads and libraries stay with the process.
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        throw TMidiError("The built-in synthesizer cannot be loaded: " + std::string(dlerror()));
    using TEntry = const TSynthModule* (*)();
    auto entry = reinterpret_cast<TEntry>(dlsym(handle, SYNTH_MODULE_ENTRY));
    if (entry == nullptr)
        throw TMidiError("The built-in synthesizer cannot be loaded: " + file.string() +
                         " is not its module");
    return *entry();
}

const TSynthModule& synthModule() {
    static std::mutex mutex;
    static const TSynthModule* module = nullptr;
    std::lock_guard lock(mutex);
    if (module != nullptr)
        return *module;
    const std::vector<std::filesystem::path> places = synthModulePlaces(runningExecutableFolder());
    for (const std::filesystem::path& place : places) {
        std::error_code error;
        if (std::filesystem::is_regular_file(place, error)) {
            module = &loadSynthModule(place);
            return *module;
        }
    }
    throw TMidiError("The built-in synthesizer cannot be loaded: " + places.front().string() +
                     " is missing");
}

std::unique_ptr<TSynthEngine> makeSynthEngine(const std::string& soundFont,
                                              TSoundFontPresets presets) {
    std::string path = soundFont;
    if (path.empty())
        path = findSoundFont().value_or("");
    if (path.empty())
        throw TMidiError("No General MIDI SoundFont is installed");
    if (std::FILE* file = std::fopen(path.c_str(), "rb"))
        std::fclose(file);
    else
        throw TMidiError("Cannot read the SoundFont " + path);
    std::string error;
    std::unique_ptr<TSynthEngine> engine = synthModule().create(path, presets, error);
    if (!engine)
        throw TMidiError(error);
    return engine;
}
