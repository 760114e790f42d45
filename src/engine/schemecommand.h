#pragma once

// The forty scheme commands that the buttons of the scheme panels and the fast menu invoke by
// number: 0 to 19 write the rhythm scheme, 20 to 39 the pitch scheme. Each category has two
// generators and a contrast command that runs the one opposite to the Motive for Contrast.
enum TSchemeCommand : int {
    SHORT_DURATIONS = 0,
    LONG_DURATIONS = 1,
    CONTRAST_SHORT_LONG = 2,
    CLEAR_DURATIONS = 3,
    UNIFORM_RHYTHM = 4,
    NON_UNIFORM_RHYTHM = 5,
    CONTRAST_UNIFORM_RHYTHM = 6,
    DEFAULT_DURATIONS = 7,
    SLOW_TO_FAST = 8,
    FAST_TO_SLOW = 9,
    CONTRAST_SLOW_FAST = 10,
    RANDOM_DURATIONS = 11,
    WITH_RESTS = 12,
    WITHOUT_RESTS = 13,
    CONTRAST_RESTS = 14,
    INVERT_DURATIONS = 15,
    ONE_DURATION = 16,
    MANY_DURATIONS = 17,
    CONTRAST_ONE_MANY_DURATIONS = 18,
    MIX_DURATIONS = 19,
    SMALL_TURNS = 20,
    LARGE_TURNS = 21,
    CONTRAST_SMALL_LARGE_TURNS = 22,
    CLEAR_TURNS = 23,
    UNIFORM_TURNS = 24,
    NON_UNIFORM_TURNS = 25,
    CONTRAST_UNIFORM_TURNS = 26,
    DEFAULT_TURNS = 27,
    CHORD_TURNS = 28,
    NON_CHORD_TURNS = 29,
    CONTRAST_CHORD_TURNS = 30,
    RANDOM_TURNS = 31,
    CHORD_THEN_NON_CHORD = 32,
    NON_CHORD_THEN_CHORD = 33,
    CONTRAST_ALTERNATION = 34,
    INVERT_TURNS = 35,
    ONE_TURN = 36,
    MANY_TURNS = 37,
    CONTRAST_ONE_MANY_TURNS = 38,
    MIX_TURNS = 39,
    SCHEME_COMMAND_COUNT = 40,
};

// The first command that writes the pitch scheme.
inline constexpr int FIRST_PITCH_COMMAND = SMALL_TURNS;
