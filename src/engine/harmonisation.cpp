#include "engine/harmonisation.h"

#include "model/chordcatalogue.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace {

// Orders the first motive of a period prefers: the dominant before the bar line, the tonic
// on the last measure.
constexpr int ORDER_TONIC = 1;
constexpr int ORDER_DOMINANT = 15;
// How far the soprano may move from the previous chord's soprano.
constexpr int SOPRANO_REACH = 7;
constexpr int SOPRANO_WITHOUT_PREVIOUS = 25;

// The chord the next one is led from, and the chord before that one for the bass motion.
struct TLead {
    std::optional<TChord> previous;
    std::optional<TChord> beforePrevious;
    int order = 0;
    bool leading = false; // the next chord must follow `previous` by the voice-leading rules

    void advance(const TChord& chord) {
        beforePrevious = previous;
        previous = chord;
        order = chord.order();
        leading = true;
    }
};

bool bassRoseInto(const TLead& lead) {
    return lead.beforePrevious && isPlacedVoicing(lead.beforePrevious->voices()) &&
           lead.previous->voice(BASS) - lead.beforePrevious->voice(BASS) > 0;
}

// The candidates that can be voiced after the lead within the soprano window.
std::vector<TChord> playableCandidates(const TLead& lead, const std::vector<std::string>& types,
                                       const TKey& key, int low, int high, bool led) {
    std::vector<TChord> playable;
    for (TChord& chord : successionCandidates(types, lead.order, key)) {
        chord.generateArrangements(key, low, high);
        if (led)
            chord.testAgainst(lead.previous->voices(), key, low, high);
        if (chord.canFollow() && chord.hasValidArrangement())
            playable.push_back(std::move(chord));
    }
    return playable;
}

std::size_t chooseCandidate(const std::vector<TChord>& candidates, TContextCode context,
                            bool lastSegment, TRandomGenerator& random) {
    if (context == CONTEXT_FIRST || context == CONTEXT_FIRST_WITH_UPBEAT) {
        const int preferred = lastSegment ? ORDER_TONIC : ORDER_DOMINANT;
        const auto it = std::find_if(candidates.begin(), candidates.end(),
                                     [&](const TChord& c) { return c.order() == preferred; });
        if (it != candidates.end())
            return static_cast<std::size_t>(it - candidates.begin());
    }
    return static_cast<std::size_t>(random.draw(static_cast<int>(candidates.size())));
}

} // namespace

THarmonisation autoHarmonise(TMotive& motive, const TMotive* preceding, TContextCode context,
                             const std::vector<std::string>& chordTypes, TRandomGenerator& random) {
    for (const std::string& type : chordTypes)
        if (!findChordOfType(type))
            throw std::invalid_argument("unknown chord type " + type);

    const int measureLength = motive.ticksPerMeasure();
    const TKey key = motive.key();
    THarmonisation result;
    result.segments = motive.measureCount();

    // Taken before the chords are cleared, in case the motive continues from itself.
    TLead lead;
    if (preceding && !preceding->chords().empty()) {
        const TChordList& before = preceding->chords();
        if (before.size() >= 2)
            lead.previous = before[before.size() - 2];
        lead.advance(before.back());
    }

    TChordList& chords = motive.chords();
    chords.clear();
    int time = 0;
    int segment = 0;
    if (lead.leading && result.segments == 2) {
        // The last chord of the preceding motive sounds on into the upbeat.
        TChord upbeat = *lead.previous;
        upbeat.setTime(0);
        chords.push_back(upbeat);
        lead.advance(upbeat);
        time = measureLength;
        segment = 1;
    }
    if (context == CONTEXT_NEW_GROUP) {
        lead.order = 0;
        // Without a carried-over chord nothing of the preceding motive sounds in this one.
        if (segment == 0)
            lead = TLead{};
    }

    for (; segment < result.segments; ++segment, time += measureLength) {
        // A previous chord without a voicing (say, from a file) still gives the harmonic
        // order, but there is nothing to lead the voices from.
        const bool led = lead.leading && isPlacedVoicing(lead.previous->voices());
        int low = MIN_MELODY_PITCH;
        int high = MAX_MELODY_PITCH;
        int target = SOPRANO_WITHOUT_PREVIOUS;
        if (led) {
            target = lead.previous->voice(SOPRANO);
            low = std::max(target - SOPRANO_REACH, MIN_MELODY_PITCH);
            high = std::min(target + SOPRANO_REACH, MAX_MELODY_PITCH);
        }
        std::vector<TChord> candidates = playableCandidates(lead, chordTypes, key, low, high, led);
        if (candidates.empty()) {
            result.firstUnharmonised = segment;
            break;
        }
        const bool last = segment == result.segments - 1;
        TChord& chosen = candidates[chooseCandidate(candidates, context, last, random)];
        if (led)
            chosen.setBassContext(lead.previous->voice(BASS), bassRoseInto(lead));
        else
            chosen.setBassContext(NO_PITCH, false);
        chosen.chooseVoicing(target);
        chosen.setTime(time);
        chords.push_back(chosen);
        lead.advance(chosen);
    }
    motive.notifyChanged();
    return result;
}

std::vector<TChord> chordVariantsAt(const TMotive& motive, int time, const TMotive* preceding,
                                    TContextCode context,
                                    const std::vector<std::string>& chordTypes) {
    // The chord sounding before `time`: the motive's own, else the preceding motive's last.
    TLead lead;
    const TChord* before = nullptr;
    const TChord* beforeThat = nullptr;
    for (const TChord& chord : motive.chords()) {
        if (chord.time() >= time)
            break;
        beforeThat = before;
        before = &chord;
    }
    const bool fromPreceding = before == nullptr;
    if (fromPreceding && preceding && !preceding->chords().empty()) {
        const TChordList& last = preceding->chords();
        before = &last.back();
        beforeThat = last.size() >= 2 ? &last[last.size() - 2] : nullptr;
    }
    if (before != nullptr) {
        if (beforeThat != nullptr)
            lead.previous = *beforeThat;
        lead.advance(*before);
    }
    // A new sentence starts its harmonic order afresh; only a chord carried into its upbeat
    // still leads the voices.
    if (context == CONTEXT_NEW_GROUP) {
        lead.order = 0;
        if (fromPreceding)
            lead = TLead{};
    }
    const bool led = lead.leading && isPlacedVoicing(lead.previous->voices());
    int low = MIN_MELODY_PITCH;
    int high = MAX_MELODY_PITCH;
    int target = SOPRANO_WITHOUT_PREVIOUS;
    if (led) {
        target = lead.previous->voice(SOPRANO);
        low = std::max(target - SOPRANO_REACH, MIN_MELODY_PITCH);
        high = std::min(target + SOPRANO_REACH, MAX_MELODY_PITCH);
    }
    std::vector<TChord> variants =
        playableCandidates(lead, chordTypes, motive.key(), low, high, led);
    for (TChord& chord : variants) {
        if (led)
            chord.setBassContext(lead.previous->voice(BASS), bassRoseInto(lead));
        else
            chord.setBassContext(NO_PITCH, false);
        chord.chooseVoicing(target);
        chord.setTime(time);
    }
    return variants;
}
