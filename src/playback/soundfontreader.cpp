#include "playback/soundfontreader.h"

#include "playback/soundfontsubset.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace {

// The subsets made so far, by path: FluidSynth opens the file again each time it reads the
// samples of a preset that a channel selects, which must not mean parsing it again. Null: the
// file is read whole.
std::shared_ptr<const TSoundFontSubset> subsetOf(const std::string& path) {
    static std::mutex mutex;
    static std::map<std::string, std::shared_ptr<const TSoundFontSubset>> subsets;
    std::lock_guard lock(mutex);
    auto found = subsets.find(path);
    if (found == subsets.end()) {
        std::optional<TSoundFontSubset> subset = soundFontSubset(path, programPresets());
        found =
            subsets
                .emplace(path, subset ? std::make_shared<const TSoundFontSubset>(std::move(*subset))
                                      : nullptr)
                .first;
    }
    return found->second;
}

// An open subset: the original file's head, then the cut-down preset list from memory.
struct TSubsetFile {
    std::FILE* file = nullptr;
    std::shared_ptr<const TSoundFontSubset> subset;
    std::int64_t size = 0;
    std::int64_t position = 0;
};

void* openFile(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return nullptr;
    auto* open = new TSubsetFile{file, subsetOf(path)};
    if (open->subset) {
        open->size = open->subset->size();
    } else if (fseeko(file, 0, SEEK_END) == 0) {
        open->size = ftello(file);
    }
    return open;
}

// The bytes [from, from + count) of the original file as the subset has them.
bool readHead(TSubsetFile& open, char* out, std::int64_t from, std::int64_t count) {
    if (fseeko(open.file, from, SEEK_SET) != 0 ||
        std::fread(out, 1, static_cast<std::size_t>(count), open.file) !=
            static_cast<std::size_t>(count))
        return false;
    if (open.subset) {
        char riffSize[4];
        for (int i = 0; i < 4; ++i)
            riffSize[i] = static_cast<char>(open.subset->riffSize >> (8 * i) & 0xFF);
        // The RIFF size lies at bytes 4 to 7.
        for (std::int64_t at = std::max<std::int64_t>(from, 4);
             at < std::min<std::int64_t>(from + count, 8); ++at)
            out[at - from] = riffSize[at - 4];
    }
    return true;
}

int readFile(void* buffer, fluid_long_long_t count, void* handle) {
    auto& open = *static_cast<TSubsetFile*>(handle);
    if (count < 0 || open.position + count > open.size)
        return FLUID_FAILED;
    char* out = static_cast<char*>(buffer);
    const std::int64_t kept = open.subset ? open.subset->keptBytes : open.size;
    const std::int64_t fromHead = std::clamp<std::int64_t>(kept - open.position, 0, count);
    if (fromHead > 0 && !readHead(open, out, open.position, fromHead))
        return FLUID_FAILED;
    if (count > fromHead) {
        const std::int64_t offset = open.position + fromHead - kept;
        std::memcpy(out + fromHead, open.subset->presetData.data() + offset,
                    static_cast<std::size_t>(count - fromHead));
    }
    open.position += count;
    return FLUID_OK;
}

int seekFile(void* handle, fluid_long_long_t offset, int origin) {
    auto& open = *static_cast<TSubsetFile*>(handle);
    std::int64_t position = offset;
    if (origin == SEEK_CUR)
        position += open.position;
    else if (origin == SEEK_END)
        position += open.size;
    if (position < 0 || position > open.size)
        return FLUID_FAILED;
    open.position = position;
    return FLUID_OK;
}

fluid_long_long_t tellFile(void* handle) {
    return static_cast<TSubsetFile*>(handle)->position;
}

int closeFile(void* handle) {
    auto* open = static_cast<TSubsetFile*>(handle);
    std::fclose(open->file);
    delete open;
    return FLUID_OK;
}

} // namespace

void readProgramPresetsOnly(fluid_synth_t* synth, fluid_settings_t* settings) {
    fluid_sfloader_t* loader = new_fluid_defsfloader(settings);
    if (loader == nullptr)
        return; // the whole SoundFont, as FluidSynth's own loader reads it
    fluid_sfloader_set_callbacks(loader, openFile, readFile, seekFile, tellFile, closeFile);
    fluid_synth_add_sfloader(synth, loader);
}
