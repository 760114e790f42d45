#pragma once

#include "engine/chordlead.h"
#include "engine/contextmotive.h"
#include "engine/motiveform.h"
#include "model/key.h"
#include "model/random.h"

#include <string>
#include <vector>

// The order the first motive of a period prefers on a segment: the dominant before the bar
// line, the tonic on the last measure.
int firstMotivePreferredOrder(bool lastSegment);

// One chord to choose under a form.
struct TFormStep {
    const TMotiveForm& form;
    std::size_t segment;
    const TLead& lead; // what the chord follows
    const TKey& key;
    const std::vector<std::string>& chordTypes;
    TContextCode context;
    bool lastSegment;
};

// The index of the candidate (playable after the lead, in candidate order) that the form
// takes: among those the segment's demand allows, the first motive's preferred order, else
// the demand's preferred chord, else the draw; a candidate after which the next demands of the
// form could not be voiced is passed over while another remains. A demand no candidate meets
// adds its reason to `unmet` and leaves the choice to the draw.
std::size_t chooseByForm(const std::vector<TChord>& candidates, const TFormStep& step,
                         TRandomGenerator& random, std::vector<std::string>& unmet);

// Voices the last two chords of an authentic cadence so that the period closes with the
// keynote in the soprano: the dominant with the soprano nearest the soprano before from which
// the closing tonic can take the keynote, the closing tonic with the keynote nearest the
// dominant's soprano. False for any other chord, or when no such voicing can follow; the
// caller then voices the chord as usual.
bool voiceForCadence(TChord& chord, const TFormStep& step);
