#pragma once

#include "model/rect.h"

#include <vector>

// The glyph sheet's size; every rectangle of every glyph table lies inside it.
inline constexpr int GLYPH_SHEET_WIDTH = 640;
inline constexpr int GLYPH_SHEET_HEIGHT = 300;

// The glyphs of the painters, panels and buttons, beyond the note, rest, turn and bar glyphs
// of model/glyphs.h and the chord glyphs of the chord catalogue.
//
// Placement rules the painters rely on (x, y is a note's centre, all glyphs 0-based):
// - heads are 9 x 9, drawn at (x - 4, y - 4); a head for a stem carries the first 5 pixels of
//   that stem (right column, rows 0..4 going up; left column, rows 4..8 going down), so the
//   stem glyph drawn at (x + 4, y - 30) or (x - 4, y + 4) joins it; whole heads carry none;
// - stems are 27 high with the stem in column 0, flags to its right (at the top going up,
//   at the bottom going down);
// - accidentals sit on the note's line when their top is at y - 8 (sharp, flat),
//   y - 7 (natural) or y - 5 (double sharp, double flat);
// - painter rests are placed by their top (sixteenth and eighth 42, quarter 36, half 47 and
//   the same block hanging under a line at 41 for the whole rest).
enum class TGlyph {
    TrebleBassClefs,
    HeadFilledChordUp,
    HeadFilledChordDown,
    HeadFilledForeignUp,
    HeadFilledForeignDown,
    HeadFilledLitUp,
    HeadFilledLitDown,
    HeadHollowChordUp,
    HeadHollowChordDown,
    HeadHollowForeignUp,
    HeadHollowForeignDown,
    HeadHollowLitUp,
    HeadHollowLitDown,
    HeadWholeChord,
    HeadWholeForeign,
    HeadWholeLit,
    StemUp,
    StemDown,
    EighthUp,
    EighthDown,
    SixteenthUp,
    SixteenthDown,
    Dot,
    Sharp,
    Flat,
    Natural,
    DoubleSharp,
    DoubleFlat,
    Digit0,
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Digit5,
    Digit6,
    Digit7,
    Digit8,
    Digit9,
    RestSixteenth,
    RestEighth,
    RestQuarter,
    RestHalf,
    Beacon,
    BeaconLit,
    Play,
    PlayActive,
    LevelPeriod,
    LevelSentence,
    LevelPhrase,
    Label1,
    Label2,
    Label3,
    Label4,
    LabelA,
    LabelB,
    LabelC,
    LabelD,
    LabelE,
    LabelA1,
    LabelB1,
    LabelC1,
    LabelD1,
    LabelE1,
    LabelA2,
    DiamondPeriod,
    DiamondSentence,
    DiamondPhrase,
    DiamondMotive,
    DragHandle,
    Delete,
    Back,
    Forward,
    FastMenu,
    BackDisabled,
    ForwardDisabled,
    FastMenuDisabled,
    ToolNew,
    ToolOpen,
    ToolSave,
    ToolExportMidi,
    ToolPlayAll,
    ToolStop,
    ToolMidiDevice,
    ToolAbout,
    ToolNewDisabled,
    ToolOpenDisabled,
    ToolSaveDisabled,
    ToolExportMidiDisabled,
    ToolPlayAllDisabled,
    ToolStopDisabled,
    ToolMidiDeviceDisabled,
    ToolAboutDisabled,
    ModeSelectNotes,
    ModeSelectChords,
    ModeSelectChordsUnderNotes,
    ModeDeleteNotes,
    ModeGenerateMotive,
    GapRest480,
    GapRest240,
    GapRest210,
    GapRest180,
    GapRest150,
    GapRest120,
    GapRest90,
    GapRest60,
    GapRest30,
    GapNote30,
    GapNote60,
    GapNote90,
    GapNote120,
    GapNote150,
    GapNote180,
    GapNote210,
    GapNote240,
    KeyMajor,
    KeyMinor,
    MotiveIambus,
    MotiveTrochee,
    MotiveAmphibrachys,
    SchemeShortDurations,
    SchemeLongDurations,
    SchemeUniformRhythm,
    SchemeNonUniformRhythm,
    SchemeSlowToFast,
    SchemeFastToSlow,
    SchemeWithRests,
    SchemeWithoutRests,
    SchemeOneDuration,
    SchemeManyDurations,
    SchemeSmallTurns,
    SchemeLargeTurns,
    SchemeUniformTurns,
    SchemeNonUniformTurns,
    SchemeChordTurns,
    SchemeNonChordTurns,
    SchemeChordThenNonChord,
    SchemeNonChordThenChord,
    SchemeOneTurn,
    SchemeManyTurns,
    SchemeContrast,
    SchemeClear,
    SchemeDefault,
    SchemeRandom,
    SchemeInvert,
    SchemeMix,
    ContrastFigure,
    ContrastFigureSet,
    ShowContrast,
    Count
};

inline constexpr int GLYPH_COUNT = static_cast<int>(TGlyph::Count);

TRect glyphRect(TGlyph glyph);

// Head of the note painter: kind 0 chord tone, 1 non-chord tone, 2 highlighted; hollow for
// half and whole notes. Empty for another kind.
TRect headGlyph(int kind, bool hollow, bool stemUp);
TRect wholeHeadGlyph(int kind);
// Stem with the flags of a duration: 30 two flags, 60 and 90 one, 120, 180 and 240 none;
// empty for any other duration (480 has no stem).
TRect stemGlyph(int duration, bool stemUp);
// Accidental by its key code: 1 sharp, 2 double sharp, 3 flat, 4 double flat, 5 natural.
TRect accidentalGlyph(int code);
// A digit 0..9 of the time signature.
TRect digitGlyph(int digit);
// Rest of the note painter by drawable length: 30, 60, 90, 120, 180, 240, 480.
TRect painterRestGlyph(int length);
// Level glyph of a column: 0 period, 1 sentence, 2 phrase.
TRect levelGlyph(int level);
// Label glyph by label code: 1..4 sentence numbers, 5..15 the phrase letters A..E, A1..E1, A2.
TRect labelGlyph(int code);
// Navigation-tree image: 0 period, 1 sentence, 2 phrase, 3 motive.
TRect diamondGlyph(int image);
// Glyph of the mode button choosing mode 1..5.
TRect modeGlyph(int mode);
// Gap glyph of mode 1: negative values are rests of 30..240 and 480 ticks, positive values
// notes of 30..240 ticks.
TRect gapGlyph(int ticks);

// Icon of the key panel's mode: a capital C for major, a small a for minor.
TRect keyModeGlyph(bool minor);
// Icon of a motive type 0..2 (iambus, trochee, amphibrachys): its weak and strong beats in
// prosody marks around the bar line. Empty for another type.
TRect motiveTypeGlyph(int type);

// Glyph of the button of a scheme command 0..39: its category, the contrast sign or the scheme
// operation. Empty for another number.
TRect schemeCommandGlyph(int command);

// Every rectangle of the sheet: this table, the duration, turn and bar glyphs and the chord
// glyphs of the catalogue (each distinct rectangle once).
std::vector<TRect> allSheetRects();
