#pragma once

#include <array>
#include <cstdint>
#include <vector>

// A melodic figure that leads from one chord tone to the next.
enum TURN_ROUND : std::uint8_t {
    NO_TURN = 0, // one chord note on its own; only analysis produces it
    REPETITION = 1,
    CHORD_LEAP_1 = 2,
    CHORD_LEAP_2 = 3,
    CHORD_LEAP_3 = 4,
    NEIGHBOUR = 5,
    PASSING = 6,
    DOUBLE_NEIGHBOUR = 7,
    APPOGGIATURA = 8,
    ESCAPE = 9,
};

inline constexpr int TURN_KIND_COUNT = 10;

using TTurns = std::vector<TURN_ROUND>;

inline constexpr bool isPlacingTurn(int turn) {
    return turn >= REPETITION && turn <= ESCAPE;
}
// Turns 1 to 4 move between chord tones only; 5 to 9 pass through non-chord tones.
inline constexpr bool isChordTurn(int turn) {
    return turn >= REPETITION && turn <= CHORD_LEAP_3;
}
inline constexpr bool isNonChordTurn(int turn) {
    return turn >= NEIGHBOUR && turn <= ESCAPE;
}
// The small-interval turns; every other placing turn is a large one.
inline constexpr bool isSmallTurn(int turn) {
    return turn == REPETITION || turn == CHORD_LEAP_1 || turn == PASSING || turn == NEIGHBOUR ||
           turn == DOUBLE_NEIGHBOUR;
}
inline constexpr bool isLargeTurn(int turn) {
    return isPlacingTurn(turn) && !isSmallTurn(turn);
}

// A turn with its direction, as analysis finds it in a motive or an effect prescribes it.
struct TTurnRoundWithDir {
    TTurnRoundWithDir() = default;
    TTurnRoundWithDir(TURN_ROUND turn, bool up, int noteCount = 0, bool endsOnChordTone = true)
        : turn(turn), up(up), noteCount(noteCount), endsOnChordTone(endsOnChordTone) {}

    TURN_ROUND turn = NO_TURN;
    bool up = true;
    int noteCount = 0;
    bool endsOnChordTone = true;

    bool operator==(const TTurnRoundWithDir&) const = default;
};

using TTurnsWithDir = std::vector<TTurnRoundWithDir>;

// A beacon: a point of the contour the user draws. Beacons are ordered and compared by time.
struct TLight {
    TLight() = default;
    TLight(int time, int pitch) : time(time), pitch(pitch) {}

    int time = 0;
    int pitch = 0;

    bool operator<(const TLight& other) const { return time < other.time; }
    bool operator==(const TLight& other) const { return time == other.time; }
};

using TLights = std::vector<TLight>;
