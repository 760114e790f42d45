#include "engine/harmonisation.h"

#include "engine/cadencechoice.h"
#include "engine/chordlead.h"
#include "model/chordcatalogue.h"
#include "model/diagnostics.h"

#include <algorithm>
#include <stdexcept>

namespace {

bool playable(TChord& chord, const TLead& lead, const TKey& key) {
    arrangeAfter(chord, lead, key);
    return chord.canFollow() && chord.hasValidArrangement();
}

// Whether a chord of `types` can follow `chord`, voiced as it will be, by the rules: the
// dominant in root position after the six-four, any chord after another.
bool canContinue(TChord chord, const TLead& lead, const std::vector<std::string>& types,
                 const TKey& key) {
    voiceAfter(chord, lead);
    TLead after = lead;
    after.advance(chord);
    for (TChord& next : successionCandidates(types, after.order, key))
        if (mayFollow(after, next.name()) && playable(next, after, key))
            return true;
    return false;
}

// The chords whose resolution school harmony prescribes: the six-four and the seventh chords.
bool bindsTheNextChord(const TChord& chord) {
    return chord.name() == CADENTIAL_SIX_FOUR || chord.toneCount() == 4;
}

// The candidates that can be voiced after the lead within the soprano window. Under school
// harmony the cadential six-four is followed by the dominant in root position, and a chord
// that prescribes its resolution is taken only where some chord can follow it.
std::vector<TChord> playableCandidates(const TLead& lead, const std::vector<std::string>& types,
                                       const TKey& key) {
    std::vector<TChord> candidates;
    for (TChord& chord : successionCandidates(types, lead.order, key)) {
        if (!mayFollow(lead, chord.name()))
            continue;
        if (!playable(chord, lead, key))
            continue;
        if (lead.school && bindsTheNextChord(chord) && !canContinue(chord, lead, types, key))
            continue;
        candidates.push_back(std::move(chord));
    }
    return candidates;
}

// Under school harmony: the candidates that keep its rules, in the voice ranges if any does,
// else a step wider (counted in `result`); where none keeps them, those the voice-leading rules
// alone allow, with the reason in `result`.
std::vector<TChord> schoolCandidates(TLead& lead, const std::vector<std::string>& types,
                                     const TKey& key, int segment, THarmonisation& result) {
    std::vector<TChord> candidates = playableCandidates(lead, types, key);
    if (!candidates.empty())
        return candidates;
    lead.widening = 1;
    candidates = playableCandidates(lead, types, key);
    if (!candidates.empty()) {
        ++result.widenedRanges;
        return candidates;
    }
    lead.school = false;
    lead.widening = 0;
    candidates = playableCandidates(lead, types, key);
    if (!candidates.empty())
        result.unmetForm.push_back(
            "measure segment " + std::to_string(segment + 1) + ": no chord can follow " +
            (lead.leading ? lead.previous->name() : std::string("nothing")) +
            " by the rules of school harmony; the design's draw chose by the voice-leading "
            "rules alone");
    return candidates;
}

std::size_t chooseCandidate(const std::vector<TChord>& candidates, TContextCode context,
                            bool lastSegment, TRandomGenerator& random) {
    if (context == CONTEXT_FIRST || context == CONTEXT_FIRST_WITH_UPBEAT) {
        const int preferred = firstMotivePreferredOrder(lastSegment);
        const auto it = std::find_if(candidates.begin(), candidates.end(),
                                     [&](const TChord& c) { return c.order() == preferred; });
        if (it != candidates.end())
            return static_cast<std::size_t>(it - candidates.begin());
    }
    return static_cast<std::size_t>(random.draw(static_cast<int>(candidates.size())));
}

// Under school harmony, where the form demands a chord that no candidate is, the candidates
// with the voice ranges a step wider when one of them is (counted in `result`).
void widenForDemand(std::vector<TChord>& candidates, const TChordDemand& demand, TLead& lead,
                    const std::vector<std::string>& types, const TKey& key,
                    THarmonisation& result) {
    const auto meets = [&](const TChord& chord) { return demand.allows(chord.name()); };
    if (!demand.demands() || !lead.school || lead.widening > 0 ||
        std::any_of(candidates.begin(), candidates.end(), meets))
        return;
    TLead wider = lead;
    wider.widening = 1;
    std::vector<TChord> widened = playableCandidates(wider, types, key);
    if (std::none_of(widened.begin(), widened.end(), meets))
        return;
    candidates = std::move(widened);
    lead.widening = 1;
    ++result.widenedRanges;
}

} // namespace

THarmonisation autoHarmonise(TMotive& motive, const TMotive* preceding, TContextCode context,
                             const std::vector<std::string>& chordTypes, TRandomGenerator& random) {
    return autoHarmonise(motive, preceding, context, chordTypes, random, nullptr);
}

THarmonisation autoHarmonise(TMotive& motive, const TMotive* preceding, TContextCode context,
                             const std::vector<std::string>& chordTypes, TRandomGenerator& random,
                             const TMotiveForm* form) {
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
        // Without a carried-over chord nothing of the preceding motive sounds in this one,
        // unless the form asks for the voices to run on across the sentence boundary.
        if (segment == 0 && form == nullptr)
            lead = TLead{};
    }

    const bool school = form != nullptr;
    lead.school = school;
    for (; segment < result.segments; ++segment, time += measureLength) {
        std::vector<TChord> candidates =
            school ? schoolCandidates(lead, chordTypes, key, segment, result)
                   : playableCandidates(lead, chordTypes, key);
        if (school && static_cast<std::size_t>(segment) < form->segments.size())
            widenForDemand(candidates, form->segments[static_cast<std::size_t>(segment)], lead,
                           chordTypes, key, result);
        if (candidates.empty()) {
            result.firstUnharmonised = segment;
            break;
        }
        const bool last = segment == result.segments - 1;
        std::size_t pick = 0;
        bool voiced = false;
        if (form != nullptr) {
            const TFormStep step{
                *form, static_cast<std::size_t>(segment), lead, key, chordTypes, context, last};
            pick = chooseByForm(candidates, step, random, result.unmetForm);
            voiced = voiceForCadence(candidates[pick], step);
        } else {
            pick = chooseCandidate(candidates, context, last, random);
        }
        TChord& chosen = candidates[pick];
        if (!voiced)
            voiceAfter(chosen, lead);
        chosen.setTime(time);
        chords.push_back(chosen);
        lead.advance(chosen);
        lead.school = school;
        lead.widening = 0;
    }
    for (const std::string& reason : result.unmetForm)
        diagnostics() << "School harmony: " << reason << '\n';
    motive.notifyChanged();
    return result;
}

std::vector<TChord> chordVariantsAt(const TMotive& motive, int time, const TMotive* preceding,
                                    TContextCode context,
                                    const std::vector<std::string>& chordTypes, bool school) {
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
    // still leads the voices, unless school harmony runs them on across the boundary.
    if (context == CONTEXT_NEW_GROUP) {
        lead.order = 0;
        if (fromPreceding && !school)
            lead = TLead{};
    }
    lead.school = school;
    THarmonisation unused;
    std::vector<TChord> variants = school
                                       ? schoolCandidates(lead, chordTypes, motive.key(), 0, unused)
                                       : playableCandidates(lead, chordTypes, motive.key());
    for (TChord& chord : variants) {
        voiceAfter(chord, lead);
        chord.setTime(time);
    }
    return variants;
}
