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

    void dump(std::ostream& out) const;

private:
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
