#include "playback/soundfontsubset.h"

#include "model/playunit.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <map>

namespace {

// Record sizes of the preset list's chunks, and the generator that names a preset zone's
// instrument.
constexpr std::size_t PRESET_SIZE = 38;
constexpr std::size_t BAG_SIZE = 4;
constexpr std::size_t MODULATOR_SIZE = 10;
constexpr std::size_t GENERATOR_SIZE = 4;
constexpr std::size_t INSTRUMENT_SIZE = 22;
constexpr std::size_t SAMPLE_SIZE = 46;
constexpr unsigned INSTRUMENT_GENERATOR = 41;
constexpr int DRUM_BANK = 128;

unsigned u16(const char* at) {
    return static_cast<unsigned char>(at[0]) |
           static_cast<unsigned>(static_cast<unsigned char>(at[1])) << 8;
}

std::uint32_t u32(const char* at) {
    return u16(at) | static_cast<std::uint32_t>(u16(at + 2)) << 16;
}

void put16(char* at, unsigned value) {
    at[0] = static_cast<char>(value & 0xFF);
    at[1] = static_cast<char>(value >> 8 & 0xFF);
}

void append32(std::vector<char>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>(value >> shift & 0xFF));
}

void appendId(std::vector<char>& out, const char* id) {
    out.insert(out.end(), id, id + 4);
}

// The records of one chunk of the preset list; the last one ends the list.
struct TRecords {
    std::vector<char> data;
    std::size_t size = 1;

    std::size_t count() const { return data.size() / size; }
    const char* at(std::size_t i) const { return data.data() + i * size; }
    // The index field at `offset` of record i.
    unsigned index(std::size_t i, std::size_t offset) const { return u16(at(i) + offset); }
};

// The nine chunks of a preset list, in the order the file keeps them.
constexpr const char* LIST_IDS[] = {"phdr", "pbag", "pmod", "pgen", "inst",
                                    "ibag", "imod", "igen", "shdr"};
constexpr std::size_t LIST_SIZES[] = {PRESET_SIZE,    BAG_SIZE,        MODULATOR_SIZE,
                                      GENERATOR_SIZE, INSTRUMENT_SIZE, BAG_SIZE,
                                      MODULATOR_SIZE, GENERATOR_SIZE,  SAMPLE_SIZE};
enum TList { PHDR, PBAG, PMOD, PGEN, INST, IBAG, IMOD, IGEN, SHDR, LISTS };

// The chunks of a "pdta" list's contents (after its type), or nothing when one is missing or
// holds no whole records.
std::optional<std::array<TRecords, LISTS>> readLists(const char* data, std::size_t size) {
    std::array<TRecords, LISTS> lists;
    std::size_t position = 0;
    for (std::size_t list = 0; list < LISTS; ++list) {
        if (size - position < 8 || std::memcmp(data + position, LIST_IDS[list], 4) != 0)
            return std::nullopt;
        const std::uint32_t length = u32(data + position + 4);
        position += 8;
        if (length > size - position || length % LIST_SIZES[list] != 0 || length < LIST_SIZES[list])
            return std::nullopt;
        lists[list].size = LIST_SIZES[list];
        lists[list].data.assign(data + position, data + position + length);
        position += length + (length & 1);
    }
    return lists;
}

// True when the bag indices of `owners` (at `offset`) rise within `bags`, and the generator
// and modulator indices of `bags` within `generators` and `modulators`.
bool consistent(const TRecords& owners, std::size_t offset, const TRecords& bags,
                const TRecords& generators, const TRecords& modulators) {
    for (std::size_t i = 0; i + 1 < owners.count(); ++i)
        if (owners.index(i, offset) > owners.index(i + 1, offset))
            return false;
    if (owners.index(owners.count() - 1, offset) >= bags.count())
        return false;
    for (std::size_t i = 0; i + 1 < bags.count(); ++i)
        if (bags.index(i, 0) > bags.index(i + 1, 0) || bags.index(i, 2) > bags.index(i + 1, 2))
            return false;
    return bags.index(bags.count() - 1, 0) < generators.count() &&
           bags.index(bags.count() - 1, 2) < modulators.count();
}

// Copies the zones of `owners` that `keep` names into `out`, each owner with its new first
// bag; `remap` may change a generator before it is copied. The end records follow.
template <typename Remap>
void copyZones(const std::array<TRecords, LISTS>& in, std::array<TRecords, LISTS>& out,
               TList ownerList, std::size_t bagOffset, const std::vector<std::size_t>& keep,
               TList bagList, TList modulatorList, TList generatorList, Remap remap) {
    const TRecords& owners = in[ownerList];
    const TRecords& bags = in[bagList];
    auto appendRecord = [&out](TList list, const char* record) {
        out[list].data.insert(out[list].data.end(), record, record + out[list].size);
    };
    auto appendOwner = [&](std::size_t owner) {
        appendRecord(ownerList, owners.at(owner));
        put16(out[ownerList].data.data() + out[ownerList].data.size() - owners.size + bagOffset,
              static_cast<unsigned>(out[bagList].count()));
    };
    auto appendBag = [&]() {
        char record[BAG_SIZE];
        put16(record, static_cast<unsigned>(out[generatorList].count()));
        put16(record + 2, static_cast<unsigned>(out[modulatorList].count()));
        appendRecord(bagList, record);
    };
    for (std::size_t owner : keep) {
        appendOwner(owner);
        for (unsigned bag = owners.index(owner, bagOffset);
             bag < owners.index(owner + 1, bagOffset); ++bag) {
            appendBag();
            for (unsigned g = bags.index(bag, 0); g < bags.index(bag + 1, 0); ++g) {
                char generator[GENERATOR_SIZE];
                std::memcpy(generator, in[generatorList].at(g), GENERATOR_SIZE);
                remap(generator);
                appendRecord(generatorList, generator);
            }
            for (unsigned m = bags.index(bag, 2); m < bags.index(bag + 1, 2); ++m)
                appendRecord(modulatorList, in[modulatorList].at(m));
        }
    }
    appendOwner(owners.count() - 1);
    appendBag();
    appendRecord(generatorList, in[generatorList].at(in[generatorList].count() - 1));
    appendRecord(modulatorList, in[modulatorList].at(in[modulatorList].count() - 1));
}

TPresetNumber presetNumber(const TRecords& presets, std::size_t i) {
    return {static_cast<int>(presets.index(i, 22)), static_cast<int>(presets.index(i, 20))};
}

std::optional<std::vector<char>> subsetLists(const std::array<TRecords, LISTS>& in,
                                             const std::vector<TPresetNumber>& wanted) {
    if (!consistent(in[PHDR], 24, in[PBAG], in[PGEN], in[PMOD]) ||
        !consistent(in[INST], 20, in[IBAG], in[IGEN], in[IMOD]))
        return std::nullopt;
    auto has = [&in](TPresetNumber number) {
        for (std::size_t i = 0; i + 1 < in[PHDR].count(); ++i)
            if (presetNumber(in[PHDR], i) == number)
                return true;
        return false;
    };
    std::vector<TPresetNumber> kept = wanted;
    for (const TPresetNumber& number : wanted)
        if (number.bank != DRUM_BANK && !has(number))
            kept.push_back({0, 0});

    std::vector<std::size_t> presets;
    std::map<unsigned, unsigned> instrumentIndex;
    for (std::size_t i = 0; i + 1 < in[PHDR].count(); ++i) {
        if (std::find(kept.begin(), kept.end(), presetNumber(in[PHDR], i)) == kept.end())
            continue;
        presets.push_back(i);
        for (unsigned bag = in[PHDR].index(i, 24); bag < in[PHDR].index(i + 1, 24); ++bag)
            for (unsigned g = in[PBAG].index(bag, 0); g < in[PBAG].index(bag + 1, 0); ++g)
                if (in[PGEN].index(g, 0) == INSTRUMENT_GENERATOR)
                    instrumentIndex[in[PGEN].index(g, 2)] = 0;
    }
    std::vector<std::size_t> instruments;
    for (auto& [original, index] : instrumentIndex) {
        if (original + 1 >= in[INST].count())
            return std::nullopt;
        index = static_cast<unsigned>(instruments.size());
        instruments.push_back(original);
    }

    std::array<TRecords, LISTS> out;
    for (std::size_t list = 0; list < LISTS; ++list)
        out[list].size = LIST_SIZES[list];
    copyZones(in, out, PHDR, 24, presets, PBAG, PMOD, PGEN, [&](char* generator) {
        if (u16(generator) == INSTRUMENT_GENERATOR)
            put16(generator + 2, instrumentIndex.at(u16(generator + 2)));
    });
    copyZones(in, out, INST, 20, instruments, IBAG, IMOD, IGEN, [](char*) {});
    out[SHDR] = in[SHDR];

    std::vector<char> chunk;
    appendId(chunk, "LIST");
    append32(chunk, 0);
    appendId(chunk, "pdta");
    for (std::size_t list = 0; list < LISTS; ++list) {
        appendId(chunk, LIST_IDS[list]);
        append32(chunk, static_cast<std::uint32_t>(out[list].data.size()));
        chunk.insert(chunk.end(), out[list].data.begin(), out[list].data.end());
    }
    const auto size = static_cast<std::uint32_t>(chunk.size() - 8);
    for (int i = 0; i < 4; ++i)
        chunk[4 + static_cast<std::size_t>(i)] = static_cast<char>(size >> (8 * i) & 0xFF);
    return chunk;
}

} // namespace

std::vector<TPresetNumber> programPresets() {
    return {{0, MELODY_PROGRAM},
            {0, CHORD_PROGRAM},
            {0, BASS_PROGRAM},
            {0, PREVIEW_PROGRAM},
            {DRUM_BANK, 0}};
}

std::optional<TSoundFontSubset> soundFontSubset(const std::string& path,
                                                const std::vector<TPresetNumber>& wanted) {
    std::ifstream file(path, std::ios::binary);
    char header[12];
    if (!file.read(header, sizeof header) || std::memcmp(header, "RIFF", 4) != 0 ||
        std::memcmp(header + 8, "sfbk", 4) != 0)
        return std::nullopt;
    const std::int64_t end = 8 + static_cast<std::int64_t>(u32(header + 4));
    // The top-level lists in their usual order; the presets come last.
    std::int64_t position = 12;
    for (const char* type : {"INFO", "sdta", "pdta"}) {
        char list[12];
        if (!file.seekg(position) || !file.read(list, sizeof list) ||
            std::memcmp(list, "LIST", 4) != 0 || std::memcmp(list + 8, type, 4) != 0)
            return std::nullopt;
        const std::uint32_t length = u32(list + 4);
        if (length < 4 || position + 8 + length > end)
            return std::nullopt;
        if (std::strcmp(type, "pdta") != 0) {
            position += 8 + length + (length & 1);
            continue;
        }
        if (position + 8 + length + (length & 1) < end)
            return std::nullopt; // something follows the presets
        std::vector<char> contents(length - 4);
        if (!file.read(contents.data(), static_cast<std::streamsize>(contents.size())))
            return std::nullopt;
        const auto lists = readLists(contents.data(), contents.size());
        if (!lists)
            return std::nullopt;
        auto presetData = subsetLists(*lists, wanted);
        if (!presetData)
            return std::nullopt;
        TSoundFontSubset subset;
        subset.keptBytes = position;
        subset.riffSize = static_cast<std::uint32_t>(position - 8 + presetData->size());
        subset.presetData = std::move(*presetData);
        return subset;
    }
    return std::nullopt;
}

std::vector<TPresetNumber> listedPresets(const std::vector<char>& presetData) {
    std::vector<TPresetNumber> numbers;
    if (presetData.size() < 12)
        return numbers;
    const auto lists = readLists(presetData.data() + 12, presetData.size() - 12);
    if (!lists)
        return numbers;
    for (std::size_t i = 0; i + 1 < (*lists)[PHDR].count(); ++i)
        numbers.push_back(presetNumber((*lists)[PHDR], i));
    return numbers;
}
