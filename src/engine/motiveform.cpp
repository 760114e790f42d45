#include "engine/motiveform.h"

#include <algorithm>

namespace {

const std::string TONIC = "TONIC_THREE_CHORD";
const std::string DOMINANT = "DOMINANT_THREE_CHORD";
const std::string DOMINANT_SEVENTH = "DOMINANT_FOUR_CHORD";
const std::string CADENTIAL_SIX_FOUR = "K_SIXTH_FOURTH_CHORD";

// Where one motive stands in the form.
struct TPlace {
    int segments = 0;
    std::size_t sentence = 0;
    bool endsPhrase = false;
};

std::vector<TPlace> placesOf(const TPeriodData& period) {
    std::vector<TPlace> places;
    for (std::size_t s = 0; s < period.sentences().size(); ++s) {
        for (const TPhraseData& phrase : period.sentences()[s].phrases()) {
            const std::vector<TMotive>& motives = phrase.motives();
            for (std::size_t m = 0; m < motives.size(); ++m)
                places.push_back({motives[m].measureCount(), s, m + 1 == motives.size()});
        }
    }
    return places;
}

TCadence cadenceOf(const std::vector<TPlace>& places, std::size_t motive) {
    if (!places[motive].endsPhrase)
        return TCadence::NONE;
    if (motive + 1 == places.size())
        return TCadence::AUTHENTIC;
    const std::size_t first = places.front().sentence;
    if (places[motive].sentence == first && places[motive + 1].sentence != first)
        return TCadence::HALF;
    return TCadence::PHRASE;
}

// Narrows what a chord may be; a later cadence's wish that excludes everything an earlier one
// allowed gives way.
void demand(TChordDemand& slot, const std::vector<std::string>& types, TCadence cadence) {
    if (!slot.demands()) {
        slot.types = types;
        slot.cadence = cadence;
        return;
    }
    std::vector<std::string> both;
    for (const std::string& type : slot.types)
        if (std::find(types.begin(), types.end(), type) != types.end())
            both.push_back(type);
    if (!both.empty())
        slot.types = both;
}

} // namespace

bool TChordDemand::allows(std::string_view type) const {
    return types.empty() || std::find(types.begin(), types.end(), type) != types.end();
}

std::vector<TMotiveForm> periodForms(const TPeriodData& period) {
    const std::vector<TPlace> places = placesOf(period);
    std::vector<TMotiveForm> forms(places.size());

    // The chords drawn afresh, in the order they sound: an upbeat chord carried over from the
    // motive before repeats that motive's last chord.
    struct TSlot {
        std::size_t motive;
        std::size_t segment;
    };
    std::vector<TSlot> slots;
    std::vector<TChordDemand> demands;
    std::vector<std::size_t> lastSlot(places.size(), 0);
    for (std::size_t m = 0; m < places.size(); ++m) {
        const int segments = std::max(places[m].segments, 0);
        forms[m].segments.resize(static_cast<std::size_t>(segments));
        const bool carries = m > 0 && segments == 2;
        bool first = true;
        for (int s = carries ? 1 : 0; s < segments; ++s) {
            TChordDemand slot;
            slot.restartsOrder = first && m > 0 && places[m].sentence != places[m - 1].sentence;
            first = false;
            slots.push_back({m, static_cast<std::size_t>(s)});
            demands.push_back(slot);
        }
        lastSlot[m] = slots.size(); // one past the motive's last slot; 0 for a motive without
    }

    for (std::size_t m = 0; m < places.size(); ++m) {
        const TCadence cadence = cadenceOf(places, m);
        if (cadence == TCadence::NONE || lastSlot[m] == 0 || slots[lastSlot[m] - 1].motive != m)
            continue;
        const std::size_t last = lastSlot[m] - 1;
        switch (cadence) {
        case TCadence::AUTHENTIC:
            demand(demands[last], {TONIC}, cadence);
            if (last >= 1)
                demand(demands[last - 1], {DOMINANT, DOMINANT_SEVENTH}, cadence);
            if (last >= 2)
                demands[last - 2].preferred = CADENTIAL_SIX_FOUR;
            break;
        case TCadence::HALF:
            demand(demands[last], {DOMINANT}, cadence);
            break;
        default:
            demand(demands[last], {DOMINANT, TONIC}, cadence);
            break;
        }
    }

    for (std::size_t i = 0; i < slots.size(); ++i)
        forms[slots[i].motive].segments[slots[i].segment] = demands[i];
    for (std::size_t m = 0; m < places.size(); ++m) {
        // The motive's last drawn chord, or the one it carries over.
        std::size_t next = lastSlot[m];
        for (std::size_t i = next; i < slots.size() && i < next + FORM_LOOKAHEAD; ++i)
            forms[m].after.push_back(demands[i]);
    }
    return forms;
}

std::optional<TMotiveForm> motiveForm(const TPeriodData& period, const TMotive& motive) {
    const std::vector<const TMotive*> motives = period.allMotives();
    const auto found = std::find(motives.begin(), motives.end(), &motive);
    if (found == motives.end())
        return std::nullopt;
    return periodForms(period)[static_cast<std::size_t>(found - motives.begin())];
}

TMotiveContext formContext(const std::vector<TContextCell>& cells, const TMotive* motive) {
    TMotiveContext context = contextMotive(cells, motive);
    if (context.code != CONTEXT_NONE || motive == nullptr)
        return context;
    for (std::size_t i = 1; i < cells.size(); ++i) {
        if (cells[i].motive != motive)
            continue;
        const TContextCell& before = cells[i - 1];
        if (before.group != cells[i].group && before.motive && before.motive->isHarmonised())
            return {before.motive, static_cast<int>(i - 1), CONTEXT_NEW_GROUP};
        break;
    }
    return context;
}

std::string cadenceText(TCadence cadence) {
    switch (cadence) {
    case TCadence::AUTHENTIC:
        return "the authentic cadence";
    case TCadence::HALF:
        return "the half cadence";
    case TCadence::PHRASE:
        return "the phrase end";
    default:
        return "the form";
    }
}
