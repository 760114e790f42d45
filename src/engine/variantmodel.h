#pragma once

#include "model/chord.h"
#include "model/key.h"
#include "model/measure.h"
#include "model/motive.h"
#include "model/note.h"

#include <cstdint>

// What the variant view shows and where the note or chord it offers goes: a window onto one
// motive for the length of one press. The canvas mode builds a model, the view reads it and
// hands it the user's choice. Interface thread only.
class TVariantModel {
public:
    virtual ~TVariantModel() = default;

    virtual const TKey& key() const = 0;
    virtual const TMeasure& meter() const = 0;
    virtual const TNoteList& notes() const = 0;
    // The chords to draw: the motive's own, after those of the preceding motive at negative
    // times one measure apart.
    virtual const TChordList& chordsForDisplay() = 0;
    virtual int cursor() const = 0;
    virtual void setCursor(int t) = 0;
    virtual int displayLength() const = 0;
    virtual bool offersChords() const = 0;
    virtual bool offersNotes() const = 0;
    virtual void addChord(const TChord& chord) = 0;
    virtual void addNote(const TNote& note) = 0;
    // Keeps the candidate chords under which the notes of the measure part starting at
    // `from` make sense.
    virtual void filterChords(TChordList& chords, int from) = 0;
    virtual std::uint8_t contextCode() const = 0;
    virtual bool noteVariantFlag() const = 0;
    // The note carried over from the preceding motive, or a default note (pitch -1).
    virtual TNote carriedNote() const = 0;
    virtual int start() const = 0;
    virtual TMotive* motive() const = 0;
};

// The chord model: chords only.
class TChordMotiveVariantModel : public TVariantModel {
public:
    // Neither motive is owned; `preceding` may be null.
    TChordMotiveVariantModel(TMotive* motive, const TMotive* preceding, int start,
                             std::uint8_t contextCode)
        : cursor_(start), start_(start), motive_(motive), precedingMotive_(preceding),
          contextCode_(contextCode) {}

    const TKey& key() const override { return motive_->key(); }
    const TMeasure& meter() const override { return motive_->measure(); }
    const TNoteList& notes() const override;
    const TChordList& chordsForDisplay() override;
    int cursor() const override { return cursor_; }
    void setCursor(int t) override { cursor_ = t; }
    int displayLength() const override { return motive_->ticksPerMeasure() + start_; }
    bool offersChords() const override { return true; }
    bool offersNotes() const override { return false; }
    // Replaces the last chord when it stands at the same time, otherwise appends.
    void addChord(const TChord& chord) override;
    void addNote(const TNote&) override {}
    void filterChords(TChordList&, int) override {}
    std::uint8_t contextCode() const override { return contextCode_; }
    bool noteVariantFlag() const override { return false; }
    TNote carriedNote() const override { return TNote(); }
    int start() const override { return start_; }
    TMotive* motive() const override { return motive_; }
    // The motive before this one in the period; null when there is none.
    const TMotive* precedingMotive() const { return precedingMotive_; }

private:
    int cursor_;
    int start_;
    TMotive* motive_;
    const TMotive* precedingMotive_;
    TChordList displayChords_;
    std::uint8_t contextCode_;
};

// The raw model: chords under the notes already entered, filtered by them.
class TRawVariantModel : public TChordMotiveVariantModel {
public:
    using TChordMotiveVariantModel::TChordMotiveVariantModel;

    // A chord stays when every note that is not its chord tone is the part's last note or a
    // step from a neighbouring chord tone. Marks the notes by each chord tested.
    void filterChords(TChordList& chords, int from) override;
};

// The note model: notes appended or replaced at the end of the melody, chords on request.
class TMotiveVariantModel : public TChordMotiveVariantModel {
public:
    TMotiveVariantModel(TMotive* motive, const TMotive* preceding, int start,
                        std::uint8_t contextCode, bool noteVariantFlag, bool offersChords)
        : TChordMotiveVariantModel(motive, preceding, start, contextCode),
          offersChords_(offersChords), noteVariantFlag_(noteVariantFlag) {}

    const TNoteList& notes() const override { return motive()->notes(); }
    bool offersChords() const override { return offersChords_; }
    bool offersNotes() const override { return true; }
    // Ignores a note at or after the motive's end; replaces the last note when it begins at
    // the same time, otherwise appends.
    void addNote(const TNote& note) override;
    bool noteVariantFlag() const override { return noteVariantFlag_; }

private:
    bool offersChords_;
    bool noteVariantFlag_;
};

// The edit model: a note inserted into an existing melody, shortening or removing what it
// covers.
class TEditMotiveVariantModel : public TMotiveVariantModel {
public:
    TEditMotiveVariantModel(TMotive* motive, const TMotive* preceding, int start,
                            std::uint8_t contextCode)
        : TMotiveVariantModel(motive, preceding, start, contextCode, true, false) {}

    void addNote(const TNote& note) override;
    // The preceding motive's last note when it sounds up to that motive's end.
    TNote carriedNote() const override;
};
