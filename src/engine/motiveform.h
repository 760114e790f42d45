#pragma once

#include "engine/contextmotive.h"
#include "model/period.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How a phrase closes when cadences at phrase ends are asked for.
enum class TCadence {
    NONE,      // the chord is asked for by the cadence of a later one (or not at all)
    PHRASE,    // a phrase inside the period: the dominant or the tonic
    HALF,      // the end of the first sentence: the dominant
    AUTHENTIC, // the end of the period: dominant (or its seventh chord), then the tonic
};

// What the form asks of one chord of the harmony.
struct TChordDemand {
    // The chord types that may stand here; empty for any.
    std::vector<std::string> types;
    // Taken when it can stand here and the form can still be met after it.
    std::string preferred;
    // The cadence that asks for `types`, for the message when it cannot be met.
    TCadence cadence = TCadence::NONE;
    // The chord opens a sentence: the harmonic order starts afresh there.
    bool restartsOrder = false;

    bool demands() const { return !types.empty(); }
    bool allows(std::string_view type) const;
};

// What the form asks of the chords of one motive, one demand per measure segment (the demand
// of an upbeat chord carried over from the motive before is met by that motive), and of the
// chords that follow it in the next motives, so that the last chord can lead into them.
struct TMotiveForm {
    std::vector<TChordDemand> segments;
    std::vector<TChordDemand> after; // at most the next two chords that are drawn afresh
};

// How many chords ahead the harmonisation looks to keep a cadence reachable (under school
// harmony two were too few for the closing dominant in some minor keys).
inline constexpr std::size_t FORM_LOOKAHEAD = 3;

// The form of every motive of the period in strip order: the last motive of the period ends
// with an authentic cadence (the dominant before the closing tonic, the cadential six-four
// before that where it fits), the last motive of the first sentence with a half cadence, and
// the last motive of every other phrase on the dominant or the tonic. Every motive after the
// first is taken to continue the harmony of the motive before it, as the period harmonisation
// does with cadences on.
std::vector<TMotiveForm> periodForms(const TPeriodData& period);

// The form of one motive of the period; none when the motive is not in the period.
std::optional<TMotiveForm> motiveForm(const TPeriodData& period, const TMotive& motive);

// The context harmonisation with cadences works in: that of contextMotive, except that a motive
// opening a sentence without an upbeat continues from the last motive of the sentence before
// (CONTEXT_NEW_GROUP), so that its first chord is led from the chord sounding before it.
TMotiveContext formContext(const std::vector<TContextCell>& cells, const TMotive* motive);

// "the authentic cadence" and so on, for messages.
std::string cadenceText(TCadence cadence);
