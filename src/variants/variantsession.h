#pragma once

#include "engine/variantgeometry.h"
#include "engine/variantmodel.h"

#include <functional>
#include <optional>

class TMotivePlayer;
class TScheme;

// What both halves of one choice share: the model, the notes as they stood when the cursor
// reached its position, the note or chord previewed over them, and the sound of each new
// preview. Lives from the view's open to its close. Interface thread only.
class TVariantSession {
public:
    // `player` may be null (nothing sounds).
    TVariantSession(TScheme& scheme, TVariantModel& model, TMotivePlayer* player);

    TScheme& scheme() { return scheme_; }
    TVariantModel& model() { return model_; }
    TMotive& motive() { return *model_.motive(); }
    int cursor() const { return model_.cursor(); }
    // Every note of the motive has been chosen.
    bool notesComplete() const;

    // Writes the pick at the cursor over the kept notes (a rest writes nothing) and sounds it;
    // a pick that leaves the pitch range or its measure part is not written.
    void previewNote(const TNotePick& pick);
    const std::optional<TNotePick>& notePreview() const { return notePreview_; }
    // Keeps the previewed note and moves the cursor past it; false when nothing is previewed.
    bool commitNote();

    // Replaces the chords from the chord's time on by it, and sounds it.
    void previewChord(const TChord& chord);
    const std::optional<TChord>& chordPreview() const { return chordPreview_; }

    // Keeps whatever is previewed (the view closes) and silences the previews.
    void settle();
    // Keeps nothing more (the choice is cancelled) and silences the previews.
    void discard();

private:
    void sound(const TMotive& preview);

    TScheme& scheme_;
    TVariantModel& model_;
    TMotivePlayer* player_;
    TNoteList keptNotes_;
    std::optional<TNotePick> notePreview_;
    std::optional<TChord> chordPreview_;
    bool sounded_ = false;
};

// The measure start at which the chord half offers chords for a cursor: the first measure from
// the cursor's on that still has no chord, else the cursor's own.
int chordTargetTime(const TMotive& motive, int cursor);

// Names shown in the captions.
std::string spokenPitchName(const TKey& key, int pitch);
std::string spokenDurationName(int ticks);
std::string chordName(const TChord& chord);
// The Roman numeral of a chord's degree and the figure of its inversion ("", "6", "64", "7",
// "65", "43", "2").
std::string romanNumeral(int degree);
std::string chordFigure(const TChord& chord);
