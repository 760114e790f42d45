#include "engine/cadencechoice.h"

#include "model/chordcatalogue.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <span>

namespace {

constexpr int ORDER_TONIC = 1;
constexpr int ORDER_DOMINANT = 15;

const std::string CLOSING_TONIC = "TONIC_THREE_CHORD";

bool isRootDominant(const TChord& chord) {
    return chord.name() == "DOMINANT_THREE_CHORD" || chord.name() == "DOMINANT_FOUR_CHORD";
}

bool isClosingTonic(const TChordDemand& demand) {
    return demand.cadence == TCadence::AUTHENTIC && demand.types == std::vector{CLOSING_TONIC};
}

std::string joined(const std::vector<std::string>& types) {
    std::string text;
    for (std::size_t i = 0; i < types.size(); ++i)
        text += (i == 0 ? "" : i + 1 == types.size() ? " or " : ", ") + types[i];
    return text;
}

// The demands of the chords after this one, nearest first.
std::vector<TChordDemand> demandsAhead(const TFormStep& step) {
    std::vector<TChordDemand> ahead;
    const std::vector<TChordDemand>& own = step.form.segments;
    for (std::size_t s = step.segment + 1; s < own.size(); ++s)
        ahead.push_back(own[s]);
    for (const TChordDemand& later : step.form.after)
        ahead.push_back(later);
    if (ahead.size() > FORM_LOOKAHEAD)
        ahead.resize(FORM_LOOKAHEAD);
    return ahead;
}

bool demandsAny(std::span<const TChordDemand> ahead) {
    return std::any_of(ahead.begin(), ahead.end(),
                       [](const TChordDemand& demand) { return demand.demands(); });
}

// Whether chords meeting `ahead` can follow the chord `lead` has been advanced to, one after the
// other: each allowed by the succession rule and voiced in the window. A chord the form leaves
// free may be any of the chord types where a later one is demanded.
bool leadsInto(const TLead& lead, std::span<const TChordDemand> ahead, const TFormStep& step) {
    if (!demandsAny(ahead))
        return true;
    const TChordDemand& next = ahead.front();
    const int order = next.restartsOrder ? 0 : lead.order;
    for (const std::string& type : next.demands() ? next.types : step.chordTypes) {
        if (!mayFollow(lead, type))
            continue;
        if (std::find(step.chordTypes.begin(), step.chordTypes.end(), type) ==
            step.chordTypes.end())
            continue;
        TChord following = chordOfType(type);
        if (!following.isAvailableIn(step.key) ||
            (following.order() < order && !following.tonicFunction()))
            continue;
        arrangeAfter(following, lead, step.key);
        if (!following.canFollow() || !following.hasValidArrangement())
            continue;
        if (ahead.size() == 1)
            return true;
        voiceAfter(following, lead);
        TLead further = lead;
        further.advance(following);
        if (leadsInto(further, ahead.subspan(1), step))
            return true;
    }
    return false;
}

} // namespace

int firstMotivePreferredOrder(bool lastSegment) {
    return lastSegment ? ORDER_TONIC : ORDER_DOMINANT;
}

std::size_t chooseByForm(const std::vector<TChord>& candidates, const TFormStep& step,
                         TRandomGenerator& random, std::vector<std::string>& unmet) {
    const TChordDemand here = step.segment < step.form.segments.size()
                                  ? step.form.segments[step.segment]
                                  : TChordDemand{};
    const std::string where = "measure segment " + std::to_string(step.segment + 1) + ": ";
    std::vector<std::size_t> pool(candidates.size());
    std::iota(pool.begin(), pool.end(), std::size_t{0});
    if (here.demands()) {
        std::vector<std::size_t> allowed;
        for (std::size_t i : pool)
            if (here.allows(candidates[i].name()))
                allowed.push_back(i);
        if (allowed.empty()) {
            const std::string after = step.lead.leading
                                          ? "cannot follow " + step.lead.previous->name()
                                          : "cannot be taken";
            unmet.push_back(where + cadenceText(here.cadence) + " needs " + joined(here.types) +
                            ", which " + after + " within the voice range");
        } else {
            pool = allowed;
        }
        if (here.cadence == TCadence::AUTHENTIC && here.types == std::vector{CLOSING_TONIC} &&
            !(step.lead.leading && isRootDominant(*step.lead.previous)))
            unmet.push_back(where +
                            "the authentic cadence needs the dominant in root position "
                            "before the closing tonic, and " +
                            (step.lead.leading ? step.lead.previous->name() : "nothing") +
                            " stands there");
    }

    const std::vector<TChordDemand> ahead = demandsAhead(step);
    if (!ahead.empty() && isClosingTonic(ahead.front())) {
        // Before the closing tonic, a dominant from which the keynote can be reached on top.
        std::vector<std::size_t> closing;
        for (std::size_t i : pool) {
            TChord chord = candidates[i];
            if (voiceForCadence(chord, step))
                closing.push_back(i);
        }
        if (!closing.empty())
            pool = closing;
    }
    const auto keepsFormReachable = [&](std::size_t i) {
        if (!demandsAny(ahead))
            return true;
        TChord chord = candidates[i];
        if (!voiceForCadence(chord, step)) // as the harmonisation will voice it
            voiceAfter(chord, step.lead);
        TLead after = step.lead;
        after.advance(chord);
        return leadsInto(after, ahead, step);
    };

    if (step.context == CONTEXT_FIRST || step.context == CONTEXT_FIRST_WITH_UPBEAT) {
        const int preferred = firstMotivePreferredOrder(step.lastSegment);
        for (std::size_t i : pool)
            if (candidates[i].order() == preferred && keepsFormReachable(i))
                return i;
    }
    if (!here.preferred.empty()) {
        for (std::size_t i : pool)
            if (candidates[i].name() == here.preferred && keepsFormReachable(i))
                return i;
    }
    std::vector<std::size_t> remaining = pool;
    while (!remaining.empty()) {
        const auto k = static_cast<std::size_t>(random.draw(static_cast<int>(remaining.size())));
        if (keepsFormReachable(remaining[k]))
            return remaining[k];
        remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(k));
    }
    // Nothing keeps the next demand reachable; that chord will say so.
    return pool[static_cast<std::size_t>(random.draw(static_cast<int>(pool.size())))];
}

namespace {

// The pitches of the window that satisfy `wanted`, nearest the window's target first.
template <typename Wanted>
std::vector<int> sopranosNearTarget(const TSopranoWindow& window, Wanted wanted) {
    std::vector<int> pitches;
    for (int pitch = window.low; pitch <= window.high; ++pitch)
        if (wanted(pitch))
            pitches.push_back(pitch);
    std::stable_sort(pitches.begin(), pitches.end(), [&](int a, int b) {
        return std::abs(a - window.target) < std::abs(b - window.target);
    });
    return pitches;
}

bool voiceWithKeynoteOnTop(TChord& tonic, const TLead& lead, const TKey& key) {
    if (!tonic.motionFlags()[MOTION_TONIC_SOPRANO])
        return false;
    for (const int keynote :
         sopranosNearTarget(sopranoWindow(lead), [&](int p) { return key.degree(p) == 1; }))
        if (voiceAfterWithSoprano(tonic, lead, keynote))
            return true;
    return false;
}

// Whether the closing tonic can follow the dominant that `lead` has been advanced to with the
// keynote on top.
bool keynoteCanFollow(const TLead& lead, const TFormStep& step) {
    TChord tonic = chordOfType(CLOSING_TONIC);
    arrangeAfter(tonic, lead, step.key);
    return tonic.canFollow() && tonic.motionFlags()[MOTION_TONIC_SOPRANO];
}

} // namespace

bool voiceForCadence(TChord& chord, const TFormStep& step) {
    if (step.segment < step.form.segments.size() &&
        isClosingTonic(step.form.segments[step.segment]))
        return chord.name() == CLOSING_TONIC && voiceWithKeynoteOnTop(chord, step.lead, step.key);
    const std::vector<TChordDemand> ahead = demandsAhead(step);
    if (ahead.empty() || !isClosingTonic(ahead.front()) || !isRootDominant(chord))
        return false;
    const auto sopranos = sopranosNearTarget(sopranoWindow(step.lead), [](int) { return true; });
    for (const int soprano : sopranos) {
        TChord dominant = chord;
        if (!voiceAfterWithSoprano(dominant, step.lead, soprano))
            continue;
        TLead after = step.lead;
        after.advance(dominant);
        if (keynoteCanFollow(after, step)) {
            chord = dominant;
            return true;
        }
    }
    return false;
}
