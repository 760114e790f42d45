#pragma once

#include <array>
#include <cstdint>
#include <map>

// How many of the three upper voices carry each chord tone: root, third, fifth, seventh.
struct TDoubling {
    std::array<int, 4> counts{0, 0, 0, 0};

    int root() const { return counts[0]; }
    int third() const { return counts[1]; }
    int fifth() const { return counts[2]; }
    int seventh() const { return counts[3]; }
    bool operator==(const TDoubling&) const = default;
};

inline constexpr std::uint8_t SPACING_CLOSE = 0;
inline constexpr std::uint8_t SPACING_OPEN = 1;
inline constexpr std::uint8_t SPACING_MIXED = 2;

// One four-part voicing of a chord: three upper voices and up to three bass positions an
// octave apart (highest first), each marked valid when it passes the voice-leading test.
struct TChordArrangement {
    int soprano = -1;
    int alto = -1;
    int tenor = -1;
    std::array<int, 3> bassCandidates{-1, -1, -1};
    int bassCount = 0;
    std::array<bool, 3> bassValid{true, true, true};
    std::uint8_t spacing = SPACING_CLOSE;

    bool hasValidBass() const {
        for (int j = 0; j < bassCount; ++j)
            if (bassValid[static_cast<std::size_t>(j)])
                return true;
        return false;
    }
};

// Voicings by soprano position; those with the same soprano keep their insertion order.
using TChordArrangementMap = std::multimap<int, TChordArrangement>;
