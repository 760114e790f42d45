#include "variants/variantsession.h"

#include "engine/scheme.h"
#include "playback/midibackend.h"
#include "playback/motiveplayer.h"

#include <array>
#include <cstdlib>

namespace {

// A preview sounds this long, in a measure of its own length, so it stops by itself.
constexpr int PREVIEW_TICKS = 60;

} // namespace

TVariantSession::TVariantSession(TScheme& scheme, TVariantModel& model, TMotivePlayer* player)
    : scheme_(scheme), model_(model), player_(player), keptNotes_(model.motive()->notes()) {}

bool TVariantSession::notesComplete() const {
    return model_.offersNotes() && model_.cursor() >= model_.motive()->end();
}

void TVariantSession::previewNote(const TNotePick& pick) {
    TMotive& edited = motive();
    edited.notes() = keptNotes_;
    notePreview_ = pick;
    if (pick.duration < 0) {
        // A rest: the gap shows by itself.
        edited.notifyChanged();
        return;
    }
    TNote note(model_.cursor(), pick.pitch, static_cast<DURATION>(pick.duration));
    note.setSign(pick.sign ? 1 : 0);
    note.setChordingNote(pick.chordTone);
    if (!previewFits(edited, note)) {
        notePreview_.reset();
        edited.notifyChanged();
        return;
    }
    model_.addNote(note);
    TMotive preview(edited.key(), TMeasure(1, PREVIEW_TICKS));
    preview.notes().emplace_back(0, pick.pitch, static_cast<DURATION>(PREVIEW_TICKS));
    preview.notes().back().setSign(note.sign());
    sound(preview);
}

bool TVariantSession::commitNote() {
    if (!notePreview_)
        return false;
    const TNotePick pick = *notePreview_;
    notePreview_.reset();
    keptNotes_ = motive().notes();
    model_.setCursor(model_.cursor() + std::abs(pick.duration));
    if (scheme_.turnsInOrder() && pick.turnIndex >= 0)
        scheme_.advanceTurnCursor();
    if (scheme_.durationsInOrder() && pick.durationIndex >= 0)
        scheme_.advanceDurationCursor();
    return true;
}

void TVariantSession::previewChord(const TChord& chord) {
    TChordList& chords = motive().chords();
    while (!chords.empty() && chords.back().time() >= chord.time())
        chords.pop_back();
    chordPreview_ = chord;
    model_.addChord(chord);
    TMotive preview(motive().key(), TMeasure(1, PREVIEW_TICKS));
    TChord sounding = chord;
    sounding.setTime(0);
    preview.chords().push_back(sounding);
    sound(preview);
}

void TVariantSession::settle() {
    commitNote();
    discard();
}

void TVariantSession::discard() {
    notePreview_.reset();
    chordPreview_.reset();
    if (sounded_ && player_ != nullptr)
        player_->stop();
}

void TVariantSession::sound(const TMotive& preview) {
    if (player_ == nullptr)
        return;
    try {
        player_->stop();
        player_->play(preview, nullptr);
        sounded_ = true;
    } catch (const TMidiError&) {
        // Without a timer the preview stays silent; the choice goes on.
    }
}

int chordTargetTime(const TMotive& motive, int cursor) {
    const int m = motive.ticksPerMeasure();
    const int own = std::min(cursor, motive.end() - 1) / m;
    for (int index = own; index < motive.measureCount(); ++index)
        if (motive.chordOfMeasure(index) == nullptr ||
            motive.chordOfMeasure(index)->time() != index * m)
            return index * m;
    return own * m;
}

std::string spokenPitchName(const TKey& key, int pitch) {
    if (!isValidPitch(pitch))
        return {};
    static constexpr std::array<const char*, 7> letters{"D", "E", "F", "G", "A", "B", "C"};
    static const TKey plain;
    const int alteration = key.midiNote(pitch) - plain.midiNote(pitch);
    static constexpr std::array<const char*, 5> marks{"\u266D\u266D", "\u266D", "", "\u266F",
                                                      "\u00D7"};
    const int mark = std::clamp(alteration, -2, 2) + 2;
    return std::string(letters[static_cast<std::size_t>(pitch % 7)]) +
           marks[static_cast<std::size_t>(mark)] + std::to_string((pitch + 1) / 7 + 1);
}

std::string spokenDurationName(int ticks) {
    switch (std::abs(ticks)) {
    case 30:
        return "sixteenth";
    case 60:
        return "eighth";
    case 90:
        return "dotted eighth";
    case 120:
        return "quarter";
    case 150:
        return "quarter and sixteenth";
    case 180:
        return "dotted quarter";
    case 210:
        return "double-dotted quarter";
    case 240:
        return "half";
    case 360:
        return "dotted half";
    case 480:
        return "whole";
    default:
        return std::to_string(std::abs(ticks)) + " ticks";
    }
}

std::string romanNumeral(int degree) {
    static constexpr std::array<const char*, 7> numerals{"I", "II", "III", "IV", "V", "VI", "VII"};
    if (degree < 1 || degree > 7)
        return "?";
    return numerals[static_cast<std::size_t>(degree - 1)];
}

std::string chordFigure(const TChord& chord) {
    static constexpr std::array<const char*, 3> triads{"", "6", "64"};
    static constexpr std::array<const char*, 4> sevenths{"7", "65", "43", "2"};
    if (chord.toneCount() == 4 && chord.bassTone() < 4)
        return sevenths[chord.bassTone()];
    if (chord.bassTone() < 3)
        return triads[chord.bassTone()];
    return {};
}

std::string chordName(const TChord& chord) {
    // Figured as in print: the upper digit raised, the lower one lowered.
    static constexpr std::array<const char*, 10> above{"\u2070", "\u00B9", "\u00B2", "\u00B3",
                                                       "\u2074", "\u2075", "\u2076", "\u2077",
                                                       "\u2078", "\u2079"};
    static constexpr std::array<const char*, 10> below{"\u2080", "\u2081", "\u2082", "\u2083",
                                                       "\u2084", "\u2085", "\u2086", "\u2087",
                                                       "\u2088", "\u2089"};
    std::string name = romanNumeral(chord.base());
    const std::string figure = chordFigure(chord);
    for (std::size_t i = 0; i < figure.size(); ++i) {
        const auto digit = static_cast<std::size_t>(figure[i] - '0');
        name += i == 0 ? above[digit] : below[digit];
    }
    return name;
}
