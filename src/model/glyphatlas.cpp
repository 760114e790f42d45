#include "model/glyphatlas.h"

#include "model/chordcatalogue.h"
#include "model/glyphs.h"

#include <algorithm>
#include <array>

namespace {

// clang-format off
constexpr std::array<TRect, GLYPH_COUNT> glyphRects{{
    {2, 2, 31, 109}, // TrebleBassClefs
    {2, 178, 10, 186}, // HeadFilledChordUp
    {13, 178, 21, 186}, // HeadFilledChordDown
    {24, 178, 32, 186}, // HeadFilledForeignUp
    {35, 178, 43, 186}, // HeadFilledForeignDown
    {46, 178, 54, 186}, // HeadFilledLitUp
    {57, 178, 65, 186}, // HeadFilledLitDown
    {68, 178, 76, 186}, // HeadHollowChordUp
    {79, 178, 87, 186}, // HeadHollowChordDown
    {90, 178, 98, 186}, // HeadHollowForeignUp
    {101, 178, 109, 186}, // HeadHollowForeignDown
    {112, 178, 120, 186}, // HeadHollowLitUp
    {123, 178, 131, 186}, // HeadHollowLitDown
    {134, 178, 142, 186}, // HeadWholeChord
    {145, 178, 153, 186}, // HeadWholeForeign
    {156, 178, 164, 186}, // HeadWholeLit
    {171, 178, 171, 204}, // StemUp
    {174, 178, 174, 204}, // StemDown
    {177, 178, 184, 204}, // EighthUp
    {187, 178, 194, 204}, // EighthDown
    {197, 178, 204, 204}, // SixteenthUp
    {207, 178, 214, 204}, // SixteenthDown
    {217, 178, 219, 180}, // Dot
    {222, 178, 228, 194}, // Sharp
    {231, 178, 236, 190}, // Flat
    {239, 178, 243, 194}, // Natural
    {246, 178, 254, 187}, // DoubleSharp
    {257, 178, 267, 190}, // DoubleFlat
    {274, 178, 283, 195}, // Digit0
    {286, 178, 295, 195}, // Digit1
    {298, 178, 307, 195}, // Digit2
    {310, 178, 319, 195}, // Digit3
    {322, 178, 331, 195}, // Digit4
    {334, 178, 343, 195}, // Digit5
    {346, 178, 355, 195}, // Digit6
    {358, 178, 367, 195}, // Digit7
    {370, 178, 379, 195}, // Digit8
    {382, 178, 391, 195}, // Digit9
    {398, 178, 406, 204}, // RestSixteenth
    {409, 178, 416, 195}, // RestEighth
    {419, 178, 426, 205}, // RestQuarter
    {429, 178, 438, 181}, // RestHalf
    {441, 178, 451, 188}, // Beacon
    {454, 178, 464, 188}, // BeaconLit
    {467, 178, 486, 197}, // Play
    {489, 178, 508, 197}, // PlayActive
    {515, 178, 526, 191}, // LevelPeriod
    {529, 178, 540, 191}, // LevelSentence
    {543, 178, 554, 191}, // LevelPhrase
    {557, 178, 570, 191}, // Label1
    {573, 178, 586, 191}, // Label2
    {589, 178, 602, 191}, // Label3
    {605, 178, 618, 191}, // Label4
    {621, 178, 634, 191}, // LabelA
    {2, 209, 15, 222}, // LabelB
    {18, 209, 31, 222}, // LabelC
    {34, 209, 47, 222}, // LabelD
    {50, 209, 63, 222}, // LabelE
    {66, 209, 79, 222}, // LabelA1
    {82, 209, 95, 222}, // LabelB1
    {98, 209, 111, 222}, // LabelC1
    {114, 209, 127, 222}, // LabelD1
    {130, 209, 143, 222}, // LabelE1
    {146, 209, 159, 222}, // LabelA2
    {166, 209, 181, 224}, // DiamondPeriod
    {184, 209, 199, 224}, // DiamondSentence
    {202, 209, 217, 224}, // DiamondPhrase
    {220, 209, 235, 224}, // DiamondMotive
    {238, 209, 250, 221}, // DragHandle
    {253, 209, 268, 224}, // Delete
    {271, 209, 281, 216}, // Back
    {284, 209, 294, 216}, // Forward
    {297, 209, 307, 216}, // FastMenu
    {310, 209, 320, 216}, // BackDisabled
    {323, 209, 333, 216}, // ForwardDisabled
    {336, 209, 346, 216}, // FastMenuDisabled
    {353, 209, 374, 230}, // ToolNew
    {377, 209, 398, 230}, // ToolOpen
    {401, 209, 422, 230}, // ToolSave
    {425, 209, 446, 230}, // ToolExportMidi
    {449, 209, 470, 230}, // ToolPlayAll
    {473, 209, 494, 230}, // ToolStop
    {497, 209, 518, 230}, // ToolMidiDevice
    {521, 209, 542, 230}, // ToolAbout
    {545, 209, 566, 230}, // ToolNewDisabled
    {569, 209, 590, 230}, // ToolOpenDisabled
    {593, 209, 614, 230}, // ToolSaveDisabled
    {2, 234, 23, 255}, // ToolExportMidiDisabled
    {26, 234, 47, 255}, // ToolPlayAllDisabled
    {50, 234, 71, 255}, // ToolStopDisabled
    {74, 234, 95, 255}, // ToolMidiDeviceDisabled
    {98, 234, 119, 255}, // ToolAboutDisabled
    {126, 234, 140, 264}, // ModeSelectNotes
    {143, 234, 157, 264}, // ModeSelectChords
    {160, 234, 174, 264}, // ModeSelectChordsUnderNotes
    {177, 234, 191, 264}, // ModeDeleteNotes
    {194, 234, 208, 264}, // ModeGenerateMotive
    {215, 234, 224, 253}, // GapRest480
    {227, 234, 236, 253}, // GapRest240
    {239, 234, 256, 253}, // GapRest210
    {259, 234, 268, 253}, // GapRest180
    {271, 234, 288, 253}, // GapRest150
    {291, 234, 300, 253}, // GapRest120
    {303, 234, 312, 253}, // GapRest90
    {315, 234, 324, 253}, // GapRest60
    {327, 234, 336, 253}, // GapRest30
    {339, 234, 350, 253}, // GapNote30
    {353, 234, 364, 253}, // GapNote60
    {367, 234, 378, 253}, // GapNote90
    {381, 234, 392, 253}, // GapNote120
    {395, 234, 412, 253}, // GapNote150
    {415, 234, 426, 253}, // GapNote180
    {429, 234, 446, 253}, // GapNote210
    {449, 234, 460, 253}, // GapNote240
    {465, 234, 488, 257}, // KeyMajor
    {491, 234, 514, 257}, // KeyMinor
    {517, 234, 552, 253}, // MotiveIambus
    {555, 234, 590, 253}, // MotiveTrochee
    {593, 234, 636, 253}, // MotiveAmphibrachys
    {2, 274, 41, 284}, // SchemeShortDurations
    {44, 274, 83, 284}, // SchemeLongDurations
    {86, 274, 125, 284}, // SchemeUniformRhythm
    {128, 274, 167, 284}, // SchemeNonUniformRhythm
    {170, 274, 209, 284}, // SchemeSlowToFast
    {212, 274, 251, 284}, // SchemeFastToSlow
    {254, 274, 293, 284}, // SchemeWithRests
    {296, 274, 335, 284}, // SchemeWithoutRests
    {338, 274, 377, 284}, // SchemeOneDuration
    {380, 274, 419, 284}, // SchemeManyDurations
    {422, 274, 461, 284}, // SchemeSmallTurns
    {464, 274, 503, 284}, // SchemeLargeTurns
    {506, 274, 545, 284}, // SchemeUniformTurns
    {2, 287, 41, 297}, // SchemeNonUniformTurns
    {44, 287, 83, 297}, // SchemeChordTurns
    {86, 287, 125, 297}, // SchemeNonChordTurns
    {128, 287, 167, 297}, // SchemeChordThenNonChord
    {170, 287, 209, 297}, // SchemeNonChordThenChord
    {212, 287, 251, 297}, // SchemeOneTurn
    {254, 287, 293, 297}, // SchemeManyTurns
    {296, 287, 335, 297}, // SchemeContrast
    {338, 287, 377, 297}, // SchemeClear
    {380, 287, 419, 297}, // SchemeDefault
    {422, 287, 461, 297}, // SchemeRandom
    {464, 287, 503, 297}, // SchemeInvert
    {506, 287, 545, 297}, // SchemeMix
    {552, 274, 575, 297}, // ContrastFigure
    {579, 274, 602, 297}, // ContrastFigureSet
    {606, 274, 629, 297}, // ShowContrast
}};
// clang-format on

constexpr TRect rectOf(TGlyph glyph) {
    return glyphRects[static_cast<std::size_t>(glyph)];
}

constexpr TGlyph offset(TGlyph first, int by) {
    return static_cast<TGlyph>(static_cast<int>(first) + by);
}

} // namespace

TRect glyphRect(TGlyph glyph) {
    const int index = static_cast<int>(glyph);
    if (index < 0 || index >= GLYPH_COUNT)
        return {};
    return rectOf(glyph);
}

TRect headGlyph(int kind, bool hollow, bool stemUp) {
    if (kind < 0 || kind > 2)
        return {};
    const TGlyph first = hollow ? TGlyph::HeadHollowChordUp : TGlyph::HeadFilledChordUp;
    return rectOf(offset(first, kind * 2 + (stemUp ? 0 : 1)));
}

TRect wholeHeadGlyph(int kind) {
    if (kind < 0 || kind > 2)
        return {};
    return rectOf(offset(TGlyph::HeadWholeChord, kind));
}

TRect stemGlyph(int duration, bool stemUp) {
    switch (duration) {
    case 30:
        return rectOf(stemUp ? TGlyph::SixteenthUp : TGlyph::SixteenthDown);
    case 60:
    case 90:
        return rectOf(stemUp ? TGlyph::EighthUp : TGlyph::EighthDown);
    case 120:
    case 180:
    case 240:
        return rectOf(stemUp ? TGlyph::StemUp : TGlyph::StemDown);
    default:
        return {};
    }
}

TRect accidentalGlyph(int code) {
    switch (code) {
    case 1:
        return rectOf(TGlyph::Sharp);
    case 2:
        return rectOf(TGlyph::DoubleSharp);
    case 3:
        return rectOf(TGlyph::Flat);
    case 4:
        return rectOf(TGlyph::DoubleFlat);
    case 5:
        return rectOf(TGlyph::Natural);
    default:
        return {};
    }
}

TRect digitGlyph(int digit) {
    if (digit < 0 || digit > 9)
        return {};
    return rectOf(offset(TGlyph::Digit0, digit));
}

TRect painterRestGlyph(int length) {
    switch (length) {
    case 30:
        return rectOf(TGlyph::RestSixteenth);
    case 60:
    case 90:
        return rectOf(TGlyph::RestEighth);
    case 120:
    case 180:
        return rectOf(TGlyph::RestQuarter);
    case 240:
    case 480:
        return rectOf(TGlyph::RestHalf);
    default:
        return {};
    }
}

TRect levelGlyph(int level) {
    if (level < 0 || level > 2)
        return {};
    return rectOf(offset(TGlyph::LevelPeriod, level));
}

TRect labelGlyph(int code) {
    if (code < 1 || code > 15)
        return {};
    return rectOf(offset(TGlyph::Label1, code - 1));
}

TRect diamondGlyph(int image) {
    if (image < 0 || image > 3)
        return {};
    return rectOf(offset(TGlyph::DiamondPeriod, image));
}

TRect modeGlyph(int mode) {
    if (mode < 1 || mode > 5)
        return {};
    return rectOf(offset(TGlyph::ModeSelectNotes, mode - 1));
}

TRect gapGlyph(int ticks) {
    static constexpr std::array<int, 9> restTicks{480, 240, 210, 180, 150, 120, 90, 60, 30};
    if (ticks < 0) {
        const auto* found = std::find(restTicks.begin(), restTicks.end(), -ticks);
        if (found == restTicks.end())
            return {};
        return rectOf(offset(TGlyph::GapRest480, static_cast<int>(found - restTicks.begin())));
    }
    if (ticks < 30 || ticks > 240 || ticks % 30 != 0)
        return {};
    return rectOf(offset(TGlyph::GapNote30, ticks / 30 - 1));
}

TRect keyModeGlyph(bool minor) {
    return rectOf(minor ? TGlyph::KeyMinor : TGlyph::KeyMajor);
}

TRect motiveTypeGlyph(int type) {
    if (type < 0 || type > 2)
        return {};
    return rectOf(offset(TGlyph::MotiveIambus, type));
}

TRect schemeCommandGlyph(int command) {
    if (command < 0 || command >= 40)
        return {};
    const int position = command % 20;
    const bool pitch = command >= 20;
    if (position % 4 == 3) {
        // clear, default, random, invert, mix
        return rectOf(offset(TGlyph::SchemeClear, position / 4));
    }
    if (position % 4 == 2)
        return rectOf(TGlyph::SchemeContrast);
    const int category = position / 4 * 2 + position % 4;
    return rectOf(
        offset(pitch ? TGlyph::SchemeSmallTurns : TGlyph::SchemeShortDurations, category));
}

std::vector<TRect> allSheetRects() {
    std::vector<TRect> rects(glyphRects.begin(), glyphRects.end());
    for (int duration = 30; duration <= 240; duration += 30)
        for (int sign : {1, -1})
            for (bool alternate : {false, true})
                rects.push_back(durationGlyph(sign * duration, alternate));
    for (int turn = 0; turn < 10; ++turn)
        for (bool alternate : {false, true})
            rects.push_back(turnGlyph(turn, alternate));
    for (int code : {5, 3, 4})
        for (bool alternate : {false, true})
            rects.push_back(fastMenuBarGlyph(code, alternate));
    std::vector<TRect> chordRects;
    for (const auto& name : chordTypeNames()) {
        const TChord chord = chordOfType(name);
        chordRects.push_back(chord.degreeGlyph());
        chordRects.push_back(chord.figureGlyph());
    }
    for (const TRect& r : chordRects)
        if (std::find(rects.begin(), rects.end(), r) == rects.end())
            rects.push_back(r);
    return rects;
}
