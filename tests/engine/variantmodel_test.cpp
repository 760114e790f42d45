#include "effecttesthelpers.h"
#include "engine/contextmotive.h"
#include "engine/variantmodel.h"

#include <gtest/gtest.h>

namespace {

const TMeasure FOUR_FOUR(4, 120);
constexpr int L = 480;

class TNotifyCounter : public TMotiveListener {
public:
    void motiveChanged() override { ++count; }
    int count = 0;
};

TChord voiced(const std::string& type, int time, const TVoices& voices) {
    TChord chord = chordAt(type, time);
    chord.setVoices(voices);
    return chord;
}

const TVoices TONIC_VOICES{27, 24, 22, 6};
const TVoices SUBDOMINANT_VOICES{28, 25, 23, 9};
const TVoices DOMINANT_VOICES{26, 24, 21, 11};

TEST(VariantModels, DisplayShowsThePrecedingChordsBeforeTheMotive) {
    TMotive preceding(TKey(), FOUR_FOUR);
    preceding.chords() = {voiced("TONIC_THREE_CHORD", 0, TONIC_VOICES),
                          voiced("SUBDOMINANT_THREE_CHORD", 0, SUBDOMINANT_VOICES),
                          voiced("DOMINANT_THREE_CHORD", 0, DOMINANT_VOICES)};
    TMotive motive(TKey(), FOUR_FOUR);
    motive.chords() = {voiced("DOMINANT_THREE_CHORD", 0, DOMINANT_VOICES)};
    TChordMotiveVariantModel model(&motive, &preceding, 0, CONTEXT_CONTINUES);

    const TChordList& shown = model.chordsForDisplay();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].voices(), TONIC_VOICES);
    EXPECT_EQ(shown[0].time(), -2 * L);
    EXPECT_EQ(shown[1].voices(), SUBDOMINANT_VOICES);
    EXPECT_EQ(shown[1].time(), -L);
    EXPECT_EQ(shown[2].voices(), DOMINANT_VOICES);
    EXPECT_EQ(shown[2].time(), 0);
    EXPECT_EQ(model.chordsForDisplay().size(), 3u); // rebuilt, not appended to

    // A different first chord keeps all of the preceding ones.
    motive.chords() = {voiced("TONIC_THREE_CHORD", 0, TONIC_VOICES)};
    EXPECT_EQ(model.chordsForDisplay().size(), 4u);
    EXPECT_EQ(model.chordsForDisplay()[0].time(), -3 * L);
    // Unvoiced chords are told apart by their type.
    preceding.chords() = {chordAt("TONIC_THREE_CHORD", 0)};
    motive.chords() = {chordAt("DOMINANT_THREE_CHORD", 0)};
    EXPECT_EQ(model.chordsForDisplay().size(), 2u);

    preceding.chords().clear();
    EXPECT_EQ(&model.chordsForDisplay(), &motive.chords());
    TChordMotiveVariantModel alone(&motive, nullptr, 0, CONTEXT_FIRST);
    EXPECT_EQ(&alone.chordsForDisplay(), &motive.chords());
}

TEST(VariantModels, SlotsOfTheFourModels) {
    TMotive motive = melody({{0, 20, 120}}, FOUR_FOUR, 120);
    TChordMotiveVariantModel chord(&motive, nullptr, 360, CONTEXT_NONE);
    TRawVariantModel raw(&motive, nullptr, 360, CONTEXT_NONE);
    TMotiveVariantModel note(&motive, nullptr, 360, CONTEXT_NEW_GROUP, false, true);
    TEditMotiveVariantModel edit(&motive, nullptr, 360, CONTEXT_NONE);
    for (TVariantModel* model : std::initializer_list<TVariantModel*>{&chord, &raw, &note, &edit}) {
        EXPECT_EQ(model->cursor(), 360);
        EXPECT_EQ(model->displayLength(), 840);
        EXPECT_EQ(model->start(), 360);
        EXPECT_EQ(model->motive(), &motive);
        EXPECT_EQ(model->carriedNote().pitch(), NO_PITCH);
    }
    chord.setCursor(420);
    EXPECT_EQ(chord.cursor(), 420);
    EXPECT_TRUE(chord.notes().empty());
    EXPECT_TRUE(raw.notes().empty());
    EXPECT_EQ(&note.notes(), &motive.notes());
    EXPECT_TRUE(chord.offersChords() && raw.offersChords() && note.offersChords());
    EXPECT_FALSE(edit.offersChords());
    EXPECT_FALSE(chord.offersNotes() || raw.offersNotes());
    EXPECT_TRUE(note.offersNotes() && edit.offersNotes());
    EXPECT_FALSE(note.noteVariantFlag());
    EXPECT_TRUE(edit.noteVariantFlag());
    EXPECT_EQ(note.contextCode(), CONTEXT_NEW_GROUP);
}

TEST(VariantModels, AddChordReplacesTheChordAtTheSameTime) {
    TMotive motive(TKey(), FOUR_FOUR, 120);
    TNotifyCounter counter;
    motive.setListener(&counter);
    TChordMotiveVariantModel model(&motive, nullptr, 360, CONTEXT_NONE);
    model.addChord(chordAt("TONIC_THREE_CHORD", 0));
    model.addChord(chordAt("DOMINANT_THREE_CHORD", 0));
    ASSERT_EQ(motive.chords().size(), 1u);
    EXPECT_EQ(motive.chords()[0].name(), chordAt("DOMINANT_THREE_CHORD", 0).name());
    model.addChord(chordAt("TONIC_THREE_CHORD", L));
    EXPECT_EQ(motive.chords().size(), 2u);
    EXPECT_EQ(counter.count, 3);
}

TEST(VariantModels, MotiveModelAppendsReplacesTheLastNoteAndIgnoresNotesPastTheEnd) {
    TMotive motive(TKey(), FOUR_FOUR);
    TNotifyCounter counter;
    motive.setListener(&counter);
    TMotiveVariantModel model(&motive, nullptr, 0, CONTEXT_NONE, false, false);
    model.addNote({0, 20, 120});
    model.addNote({120, 22, 120});
    model.addNote({120, 24, 240});
    model.addNote({480, 24, 120});
    EXPECT_EQ(motive.notes(), (TNoteList{{0, 20, 120}, {120, 24, 240}}));
    EXPECT_EQ(counter.count, 3);
}

TEST(VariantModels, EditModelInsertsAndCutsWhatTheNewNoteCovers) {
    const TMotive quarters = melody({{0, 20, 120}, {120, 21, 120}, {240, 22, 120}, {360, 23, 120}});
    auto edited = [&](const TNote& note) {
        TMotive motive = quarters;
        TEditMotiveVariantModel(&motive, nullptr, 0, CONTEXT_NONE).addNote(note);
        return motive.notes();
    };
    EXPECT_EQ(edited({0, 27, 240}), (TNoteList{{0, 27, 240}, {240, 22, 120}, {360, 23, 120}}));
    // Inside a note: the note is shortened, the next one starts later.
    EXPECT_EQ(
        edited({60, 27, 120}),
        (TNoteList{{0, 20, 60}, {60, 27, 120}, {180, 21, 60}, {240, 22, 120}, {360, 23, 120}}));
    EXPECT_EQ(
        edited({360, 27, 60}),
        (TNoteList{{0, 20, 120}, {120, 21, 120}, {240, 22, 120}, {360, 27, 60}, {420, 23, 60}}));

    TMotive gappy = melody({{0, 20, 120}, {360, 23, 120}});
    TEditMotiveVariantModel model(&gappy, nullptr, 0, CONTEXT_NONE);
    model.addNote({180, 25, 60});
    EXPECT_EQ(gappy.notes(), (TNoteList{{0, 20, 120}, {180, 25, 60}, {360, 23, 120}}));
    TMotive empty = melody({});
    TEditMotiveVariantModel(&empty, nullptr, 0, CONTEXT_NONE).addNote({240, 25, 60});
    EXPECT_EQ(empty.notes(), (TNoteList{{240, 25, 60}}));
}

TEST(VariantModels, EditModelCarriesANoteThatReachesTheEndOfThePrecedingMotive) {
    TMotive motive = melody({});
    TMotive preceding = melody({{0, 20, 240}, {240, 22, 240}});
    EXPECT_EQ(TEditMotiveVariantModel(&motive, &preceding, 0, CONTEXT_CONTINUES).carriedNote(),
              TNote(240, 22, 240));
    preceding.notes().back().setDuration(120);
    EXPECT_EQ(
        TEditMotiveVariantModel(&motive, &preceding, 0, CONTEXT_CONTINUES).carriedNote().pitch(),
        NO_PITCH);
}

TEST(VariantModels, FilterChordsKeepsChordsUnderWhichTheNotesMakeSense) {
    const TChordList candidates{chordAt("TONIC_THREE_CHORD", 0),
                                chordAt("SUBDOMINANT_THREE_CHORD", 0),
                                chordAt("DOMINANT_THREE_CHORD", 0)};
    auto kept = [&](TMotive& motive, int from) {
        TChordList chords = candidates;
        TRawVariantModel(&motive, nullptr, from, CONTEXT_NONE).filterChords(chords, from);
        std::vector<std::string> names;
        for (const TChord& c : chords)
            names.push_back(c.name());
        return names;
    };
    const std::string tonic = candidates[0].name();
    const std::string subdominant = candidates[1].name();
    const std::string dominant = candidates[2].name();

    // C major: 20 C, 21 D, 22 E, 24 G, 27 C, 28 D. G is an inner note two steps from its
    // neighbours, so only the tonic holds it.
    TMotive leaps = melody({{0, 20, 120}, {120, 24, 120}, {240, 22, 120}, {360, 27, 120}});
    EXPECT_EQ(kept(leaps, 0), (std::vector<std::string>{tonic}));
    // The notes stay marked by the last chord tested, the dominant.
    EXPECT_TRUE(leaps.notes()[1].chordingNote());
    EXPECT_FALSE(leaps.notes()[0].chordingNote());

    // A non-chord last note never excludes a chord.
    TMotive openEnd = melody({{0, 20, 120}, {120, 24, 120}, {240, 22, 120}, {360, 28, 120}});
    EXPECT_EQ(kept(openEnd, 0), (std::vector<std::string>{tonic}));

    // Steps: every non-chord note leaves or reaches a chord tone by step under all three.
    TMotive steps = melody({{0, 20, 120}, {120, 21, 120}, {240, 22, 120}, {360, 23, 120}});
    EXPECT_EQ(kept(steps, 0), (std::vector<std::string>{tonic, subdominant, dominant}));

    // Only the notes of the part that begins at `from` count: the upbeat A would rule out
    // the tonic.
    TMotive upbeat = melody({{360, 25, 120}, {480, 20, 120}, {600, 22, 360}}, FOUR_FOUR, 120);
    EXPECT_EQ(kept(upbeat, 480), (std::vector<std::string>{tonic, subdominant}));
}

} // namespace
