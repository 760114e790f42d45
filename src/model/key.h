#pragma once

#include "model/pitch.h"

#include <array>
#include <cstdint>
#include <ostream>

inline constexpr std::uint8_t MAJOR = 0;
inline constexpr std::uint8_t MINOR = 1;

// Accidentals that the staff shows for an altered note.
enum TAccidental : int {
    ACC_NONE = 0,
    ACC_SHARP = 1,
    ACC_DOUBLE_SHARP = 2,
    ACC_FLAT = 3,
    ACC_DOUBLE_FLAT = 4,
    ACC_NATURAL = 5,
};

// Alteration codes that callers pass to accidentalFor.
inline constexpr int ALTER_NONE = 0;
inline constexpr int ALTER_RAISE = 1;
inline constexpr int ALTER_LOWER = 3;

// Staff positions (pitch indices) of the key signature's sharps and flats, in the order they
// are added.
inline constexpr std::array<int, 7> SHARP_POSITIONS{30, 27, 31, 28, 25, 29, 26};
inline constexpr std::array<int, 7> FLAT_POSITIONS{26, 29, 25, 28, 31, 27, 30};

// A major or harmonic-minor key with up to seven sharps (+) or flats (-). It maps every pitch
// index to the MIDI note number it sounds as.
class TKey {
public:
    TKey() : TKey(0, MAJOR) {}
    TKey(int sign, std::uint8_t mode);
    TKey(const TKey& other) : TKey(other.sign_, other.mode_) {}
    TKey& operator=(const TKey& other);

    int sign() const { return sign_; }
    std::uint8_t mode() const { return mode_; }
    bool isMinor() const { return mode_ == MINOR; }
    std::uint8_t dDegree() const { return dDegree_; }
    const std::array<int, PITCH_COUNT>& pitchTable() const { return pitchTable_; }
    // The MIDI note number of a pitch index 0..41.
    int midiNote(int pitch) const { return pitchTable_[static_cast<std::size_t>(pitch)]; }

    // Scale degree 1..7 (1 = tonic) of a pitch index; indices below 0 wrap the same way.
    int degree(int pitch) const;
    bool isRaisedSeventh(int pitch) const { return isMinor() && degree(pitch) == 7; }
    // Accidental code (TAccidental) for a note of `pitch` altered by `alteration`.
    int accidentalFor(int pitch, int alteration) const;

    bool operator==(const TKey& other) const {
        return sign_ == other.sign_ && mode_ == other.mode_;
    }

    void dump(std::ostream& out) const;

private:
    void rebuild();

    int sign_ = 0;
    std::uint8_t mode_ = MAJOR;
    std::uint8_t dDegree_ = 2;
    std::array<int, PITCH_COUNT> pitchTable_{};
};
