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

inline constexpr bool isPitchCommand(int command) {
    return command >= FIRST_PITCH_COMMAND;
}

// What a command's button does within its category.
enum class TSchemeCommandKind {
    GENERATOR, // one of the category's pair of generators
    CONTRAST,  // runs the generator of the pair opposite to the Motive for Contrast
    SCHEME,    // works on the half of the scheme as a whole: clear, default, random, invert, mix
};

// One command as the scheme panel and the fast menu build and show its button: each half of the
// scheme shows five category columns, the category's two generators and its contrast command
// in rows 0 to 2 and a command on the whole half in row 3.
struct TSchemeCommandEntry {
    TSchemeCommand command;
    const char* hintKey; // the message-bundle key of the button's hint
    int category;        // the column within its half, 0 to 4
    int row;             // 0 to 3
    TSchemeCommandKind kind;
};

// The forty commands in number order.
inline constexpr TSchemeCommandEntry SCHEME_COMMANDS[SCHEME_COMMAND_COUNT] = {
    {SHORT_DURATIONS, "small dur gen", 0, 0, TSchemeCommandKind::GENERATOR},
    {LONG_DURATIONS, "big dur gen", 0, 1, TSchemeCommandKind::GENERATOR},
    {CONTRAST_SHORT_LONG, "contrast small/big dur gen", 0, 2, TSchemeCommandKind::CONTRAST},
    {CLEAR_DURATIONS, "clear dur scheme", 0, 3, TSchemeCommandKind::SCHEME},
    {UNIFORM_RHYTHM, "plavniy dur gen", 1, 0, TSchemeCommandKind::GENERATOR},
    {NON_UNIFORM_RHYTHM, "otrivistiy dur gen", 1, 1, TSchemeCommandKind::GENERATOR},
    {CONTRAST_UNIFORM_RHYTHM, "contrast plav/otr dur gen", 1, 2, TSchemeCommandKind::CONTRAST},
    {DEFAULT_DURATIONS, "default dur scheme", 1, 3, TSchemeCommandKind::SCHEME},
    {SLOW_TO_FAST, "slow to fast dur gen", 2, 0, TSchemeCommandKind::GENERATOR},
    {FAST_TO_SLOW, "fast to slow dur gen", 2, 1, TSchemeCommandKind::GENERATOR},
    {CONTRAST_SLOW_FAST, "contrast fts/stf dur gen", 2, 2, TSchemeCommandKind::CONTRAST},
    {RANDOM_DURATIONS, "random dur scheme", 2, 3, TSchemeCommandKind::SCHEME},
    {WITH_RESTS, "with space dur gen", 3, 0, TSchemeCommandKind::GENERATOR},
    {WITHOUT_RESTS, "without space dur gen", 3, 1, TSchemeCommandKind::GENERATOR},
    {CONTRAST_RESTS, "contrast with/without space dur gen", 3, 2, TSchemeCommandKind::CONTRAST},
    {INVERT_DURATIONS, "turn dur scheme", 3, 3, TSchemeCommandKind::SCHEME},
    {ONE_DURATION, "one dur gen", 4, 0, TSchemeCommandKind::GENERATOR},
    {MANY_DURATIONS, "many dur gen", 4, 1, TSchemeCommandKind::GENERATOR},
    {CONTRAST_ONE_MANY_DURATIONS, "contrast one/many dur gen", 4, 2, TSchemeCommandKind::CONTRAST},
    {MIX_DURATIONS, "random current dur scheme", 4, 3, TSchemeCommandKind::SCHEME},
    {SMALL_TURNS, "small turn gen", 0, 0, TSchemeCommandKind::GENERATOR},
    {LARGE_TURNS, "big turn gen", 0, 1, TSchemeCommandKind::GENERATOR},
    {CONTRAST_SMALL_LARGE_TURNS, "contrast small/big turn gen", 0, 2, TSchemeCommandKind::CONTRAST},
    {CLEAR_TURNS, "clear turn scheme", 0, 3, TSchemeCommandKind::SCHEME},
    {UNIFORM_TURNS, "plav turn gen", 1, 0, TSchemeCommandKind::GENERATOR},
    {NON_UNIFORM_TURNS, "otr turn gen", 1, 1, TSchemeCommandKind::GENERATOR},
    {CONTRAST_UNIFORM_TURNS, "contrast plav/otr turn gen", 1, 2, TSchemeCommandKind::CONTRAST},
    {DEFAULT_TURNS, "default turn scheme", 1, 3, TSchemeCommandKind::SCHEME},
    {CHORD_TURNS, "chord turn gen", 2, 0, TSchemeCommandKind::GENERATOR},
    {NON_CHORD_TURNS, "nonchord turn gen", 2, 1, TSchemeCommandKind::GENERATOR},
    {CONTRAST_CHORD_TURNS, "contrast chord/nonchord turn gen", 2, 2, TSchemeCommandKind::CONTRAST},
    {RANDOM_TURNS, "random turn scheme", 2, 3, TSchemeCommandKind::SCHEME},
    {CHORD_THEN_NON_CHORD, "picture1 chord turn gen", 3, 0, TSchemeCommandKind::GENERATOR},
    {NON_CHORD_THEN_CHORD, "picture2 chord turn gen", 3, 1, TSchemeCommandKind::GENERATOR},
    {CONTRAST_ALTERNATION, "contrast picture1/picture2 turn gen", 3, 2,
     TSchemeCommandKind::CONTRAST},
    {INVERT_TURNS, "turn turn scheme", 3, 3, TSchemeCommandKind::SCHEME},
    {ONE_TURN, "one turn gen", 4, 0, TSchemeCommandKind::GENERATOR},
    {MANY_TURNS, "many turn gen", 4, 1, TSchemeCommandKind::GENERATOR},
    {CONTRAST_ONE_MANY_TURNS, "contrast one/many turn gen", 4, 2, TSchemeCommandKind::CONTRAST},
    {MIX_TURNS, "random current turn scheme", 4, 3, TSchemeCommandKind::SCHEME},
};

// The command's entry; null out of range.
inline const TSchemeCommandEntry* schemeCommandEntry(int command) {
    return command >= 0 && command < SCHEME_COMMAND_COUNT ? &SCHEME_COMMANDS[command] : nullptr;
}

// The message-bundle key of a command's hint, by command number; null out of range.
inline const char* schemeCommandKey(int command) {
    const TSchemeCommandEntry* entry = schemeCommandEntry(command);
    return entry != nullptr ? entry->hintKey : nullptr;
}

// Clearing or resetting a half in place leaves a motive's notes as they are; every other
// command gives a motive built from the scheme new notes.
inline constexpr bool rebuildsMotive(int command) {
    return command != CLEAR_DURATIONS && command != DEFAULT_DURATIONS && command != CLEAR_TURNS &&
           command != DEFAULT_TURNS;
}
