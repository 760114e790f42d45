#pragma once

#include "model/arrangement.h"
#include "model/key.h"
#include "model/pitch.h"
#include "model/rect.h"

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

// Returned by the chord-tone walks when they would leave the pitch range.
inline constexpr int NO_CHORD_TONE = 42;

inline constexpr int SOPRANO = 0;
inline constexpr int ALTO = 1;
inline constexpr int TENOR = 2;
inline constexpr int BASS = 3;

// Soprano motions from the previous chord for which a valid voicing exists.
enum TMotion : int {
    MOTION_LEAP_UP = 0,
    MOTION_STEP_UP = 1,
    MOTION_SAME = 2,
    MOTION_STEP_DOWN = 3,
    MOTION_LEAP_DOWN = 4,
    MOTION_TONIC_SOPRANO = 5,
};

using TVoices = std::array<int, 4>; // soprano, alto, tenor, bass

// The school rules a voicing must keep when it follows another, in the order they are checked.
enum TVoiceLeadingRule : int {
    RULE_KEPT = 0,          // every rule holds
    RULE_LEAPS = 1,         // at most two voices leap (move by more than two steps)
    RULE_OVERLAP = 2,       // no voice passes the previous position of its neighbour
    RULE_ONE_DIRECTION = 3, // not all four voices up, all four down, or all four held
    RULE_PARALLELS = 4,     // no consecutive fifths or octaves between any two voices
    RULE_AUGMENTED = 5,     // no augmented melodic step in any voice
    RULE_HIDDEN = 6,        // no hidden fifth or octave between soprano and bass
};

// The first rule that `next` breaks when it follows `previous` in `key`, or RULE_KEPT. Both
// voicings must lie in the pitch range.
TVoiceLeadingRule firstBrokenRule(const TVoices& previous, const TVoices& next, const TKey& key);

// All four voices lie in the pitch range (an unvoiced chord's do not).
bool isPlacedVoicing(const TVoices& voices);

// What school harmony asks of a voicing beyond the voice-leading rules, in the order checked.
enum TSchoolRule : int {
    SCHOOL_KEPT = 0,
    SCHOOL_RANGE = 1,        // every voice in its range (voiceRange)
    SCHOOL_SEVENTH = 2,      // the seventh of the chord before is held or falls by a step
    SCHOOL_LEADING_TONE = 3, // a leading tone in soprano or bass rises to a tonic after it
};

// The lowest and highest pitch index of a voice under school harmony (C4 to G5, G3 to D5,
// C3 to G4, E2 to D4), each end `widening` steps further out.
struct TVoiceRange {
    int low;
    int high;
    bool contains(int pitch) const { return pitch >= low && pitch <= high; }
};
TVoiceRange voiceRange(int voice, int widening = 0);

class TChord;

// The first school rule that `next`, a voicing of `chord`, breaks in `key` after `previous`
// (null when nothing sounds before it), with the ranges widened by `widening`; or SCHOOL_KEPT.
TSchoolRule firstBrokenSchoolRule(const TChord* previous, const TChord& chord, const TVoices& next,
                                  const TKey& key, int widening = 0);

// School harmony for one voicing test: the voiced chord before (null for none) and how far
// the voice ranges are widened.
struct TSchoolHarmony {
    const TChord* previous = nullptr;
    int widening = 0;
};
using TToneMap = std::array<bool, PITCH_COUNT>;

// Where a chord tone lies: its pitch index and its number within the chord.
struct TChordTonePosition {
    int pitch = NO_PITCH;
    int tone = 0;
    bool operator==(const TChordTonePosition&) const = default;
};

// A chord of functional harmony: a scale degree, three or four tones and the tone in the
// bass, with its place in time, its four-part voicing and the catalogue data of its type.
class TChord {
public:
    TChord() = default;
    TChord(int base, int toneCount, int bassTone);

    std::array<bool, 6>& motionFlags() { return motionFlags_; }
    const std::array<bool, 6>& motionFlags() const { return motionFlags_; }
    bool prevBassUp() const { return prevBassUp_; }
    int prevBass() const { return prevBass_; }
    // The bass of the chord before this one (NO_PITCH when there is none) and whether that
    // bass rose into it; the bass choice moves against that motion.
    void setBassContext(int prevBass, bool prevBassUp) {
        prevBass_ = prevBass;
        prevBassUp_ = prevBassUp;
    }

    int time() const { return time_; }
    void setTime(int time) { time_ = time; }
    std::uint8_t base() const { return base_; }
    std::uint8_t toneCount() const { return toneCount_; }
    std::uint8_t bassTone() const { return bassTone_; }

    std::vector<TDoubling>& doublings() { return doublings_; }
    const std::vector<TDoubling>& doublings() const { return doublings_; }
    std::vector<TChordArrangementMap>& arrangements() { return arrangements_; }
    const std::vector<TChordArrangementMap>& arrangements() const { return arrangements_; }
    std::vector<int>& maxPerSoprano() { return maxPerSoprano_; }
    const std::vector<int>& maxPerSoprano() const { return maxPerSoprano_; }

    const TVoices& voices() const { return voices_; }
    void setVoices(const TVoices& voices) { voices_ = voices; }
    int voice(int which) const { return voices_[static_cast<std::size_t>(which)]; }
    bool isVoiced() const { return voices_[SOPRANO] != NO_PITCH; }
    void clearVoices() { voices_ = {NO_PITCH, NO_PITCH, NO_PITCH, NO_PITCH}; }
    // Voicings are equal when the four voices are; the chord type takes no part.
    bool sameVoices(const TChord& other) const { return voices_ == other.voices_; }

    const TRect& degreeGlyph() const { return degreeGlyph_; }
    void setDegreeGlyph(const TRect& r) { degreeGlyph_ = r; }
    const TRect& figureGlyph() const { return figureGlyph_; }
    void setFigureGlyph(const TRect& r) { figureGlyph_ = r; }
    const TColour& colour() const { return colour_; }
    void setColour(const TColour& c) { colour_ = c; }
    bool majorOk() const { return majorOk_; }
    void setMajorOk(bool ok) { majorOk_ = ok; }
    bool minorOk() const { return minorOk_; }
    void setMinorOk(bool ok) { minorOk_ = ok; }
    int order() const { return order_; }
    void setOrder(int order) { order_ = order; }
    bool tonicFunction() const { return tonicFunction_; }
    void setTonicFunction(bool tonic) { tonicFunction_ = tonic; }
    const std::string& name() const { return name_; }
    void setName(const std::string& name) { name_ = name; }

    // The chord type may be offered in this key's mode.
    bool isAvailableIn(const TKey& key) const { return key.isMinor() ? minorOk_ : majorOk_; }

    // Diatonic steps from chord tone `tone` (0 root, 1 third, 2 fifth, 3 seventh) to the next
    // chord tone above, and to the chord tone below; tone numbers wrap around.
    int stepUpFrom(int tone) const;
    int stepDownFrom(int tone) const;
    // The lowest pitch index that sounds a tone of this chord in `key`, and which tone it is.
    TChordTonePosition lowestChordTone(const TKey& key) const;

    // One flag per pitch index: true where the index sounds a tone of this chord in `key`.
    TToneMap toneMap(const TKey& key) const;
    bool isChordTone(const TKey& key, int pitch) const;
    std::vector<int> chordTones(const TKey& key) const;
    // The n-th chord tone above/below p (not counting p itself); NO_CHORD_TONE past the range.
    int chordToneAbove(const TKey& key, int pitch, int n) const;
    int chordToneBelow(const TKey& key, int pitch, int n) const;
    int nonChordToneAbove(const TKey& key, int pitch, int n) const;
    int nonChordToneBelow(const TKey& key, int pitch, int n) const;

    // Four-part voicing (voicing.cpp). Windows are soprano positions, inclusive.

    // Replaces the arrangements by every admissible voicing, one map per doubling, with the
    // soprano in [low, high]; every candidate starts valid and every motion flag is set.
    void generateArrangements(const TKey& key, int low, int high);
    // Marks each bass candidate with a soprano in [low, high] by whether its voicing follows
    // `previous` by the school rules, and records which soprano motions remain. Arrangements
    // outside the window are marked invalid, as they were not tested. A previous chord that
    // is not voiced constrains nothing: every candidate stays valid and every flag is set.
    void testAgainst(const TVoices& previous, const TKey& key, int low, int high);
    // The same under school harmony: a candidate is valid only when it also keeps every school
    // rule, and of an arrangement's valid bass candidates only the one nearest the tenor stays
    // valid. Without a chord before, only the ranges constrain.
    void testAgainst(const TSchoolHarmony& school, const TKey& key, int low, int high);
    // The bass to sound under `arrangement`, from its valid candidates and the bass context;
    // NO_PITCH when no candidate is valid.
    int chooseBass(const TChordArrangement& arrangement) const;
    // Voices the chord with the first valid arrangement whose soprano lies nearest to
    // `targetSoprano` (the lower one on ties), in the first doubling that has one. Returns
    // false, leaving the voices unchanged, when there is none.
    bool chooseVoicing(int targetSoprano);
    // Some soprano motion from the previous chord has a valid voicing.
    bool canFollow() const;
    // Some arrangement with a soprano in the melodic range has a valid bass candidate.
    bool hasValidArrangement() const;
    // The rows the chord variant list needs: the sum of maxPerSoprano.
    int arrangementCount() const;

    void dump(std::ostream& out) const;

private:
    void testVoicings(const TVoices& previous, const TKey& key, int low, int high,
                      const TSchoolHarmony* school);

    std::array<bool, 6> motionFlags_{};
    bool prevBassUp_ = false;
    int prevBass_ = NO_PITCH;
    int time_ = 0;
    std::uint8_t base_ = 1;
    std::uint8_t toneCount_ = 3;
    std::uint8_t bassTone_ = 0;
    std::vector<TDoubling> doublings_;
    std::vector<TChordArrangementMap> arrangements_;
    std::vector<int> maxPerSoprano_;
    TVoices voices_{NO_PITCH, NO_PITCH, NO_PITCH, NO_PITCH};
    TRect degreeGlyph_;
    TRect figureGlyph_;
    TColour colour_;
    bool majorOk_ = true;
    bool minorOk_ = true;
    int order_ = 0;
    bool tonicFunction_ = false;
    std::string name_;
};

using TChordList = std::vector<TChord>;
