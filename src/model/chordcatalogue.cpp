#include "model/chordcatalogue.h"

#include <algorithm>
#include <stdexcept>

namespace {

// Degree symbols on the glyph sheet.
constexpr TRect degree1Glyph{49, 102, 56, 118};
constexpr TRect degree2Glyph{57, 102, 62, 118};
constexpr TRect degree3Glyph{66, 102, 75, 118};
constexpr TRect degree4Glyph{78, 102, 85, 118};
constexpr TRect degree5Glyph{49, 122, 56, 138};
constexpr TRect degree6Glyph{59, 122, 70, 138};
constexpr TRect degree7Glyph{73, 122, 86, 138};
constexpr TRect cadentialGlyph{94, 98, 101, 114};
// The sixth chords of degrees 2 and 3 carry their figure inside the degree symbol.
constexpr TRect degree2SixthGlyph{102, 2, 114, 18};
constexpr TRect degree3SixthGlyph{116, 2, 128, 18};

// Figure symbols on the glyph sheet.
constexpr TRect triadFigure{48, 142, 62, 150};
constexpr TRect sixthFigure{65, 142, 70, 150};
constexpr TRect sixFourFigure{73, 142, 87, 150};
constexpr TRect seventhFigure{48, 154, 53, 162};
constexpr TRect sixFiveFigure{56, 154, 70, 162};
constexpr TRect fourThreeFigure{72, 154, 86, 162};
constexpr TRect secondFigure{48, 165, 53, 173};
constexpr TRect emptyFigure{48, 69, 49, 70};

constexpr TDoubling triad(int root, int third, int fifth) {
    return {{root, third, fifth, 0}};
}
constexpr TDoubling seventh(int root, int third, int fifth, int sev) {
    return {{root, third, fifth, sev}};
}

struct TCatalogueRow {
    std::string name;
    int degree;
    int tones;
    int bass;
    std::vector<TDoubling> doublings;
    int order;
    bool tonic;
    bool minor;
    TColour colour;
    TRect degreeGlyph;
    TRect figureGlyph;
};

const std::vector<TCatalogueRow>& catalogue() {
    // name, degree, tones, bass, doublings,
    //     order, tonic function, usable in minor, colour, degree glyph, figure glyph
    // clang-format off
    static const std::vector<TCatalogueRow> rows{
        {"TONIC_THREE_CHORD",            1, 3, 0, {triad(1, 1, 1), triad(2, 1, 0)},
             1, true,  true,  {185, 255, 255}, degree1Glyph, triadFigure},
        {"TONIC_SIXTH_CHORD",            1, 3, 1, {triad(2, 0, 1), triad(1, 0, 2)},
             2, true,  true,  {223, 224, 255}, degree1Glyph, sixthFigure},
        {"TONIC_FOUR_CHORD",             1, 4, 0, {seventh(0, 1, 1, 1)},
             3, true,  true,  {185, 220, 255}, degree1Glyph, seventhFigure},
        {"TOPM_THREE_CHORD",             6, 3, 0, {triad(1, 1, 1), triad(0, 2, 1)},
             4, true,  true,  {208, 235, 199}, degree6Glyph, triadFigure},
        {"LOWM_THREE_CHORD",             3, 3, 0, {triad(1, 1, 1), triad(0, 1, 2)},
            13, true,  false, {250, 216, 244}, degree3Glyph, triadFigure},
        {"TOPM_FOUR_CHORD",              6, 4, 0, {seventh(0, 1, 1, 1)},
             5, false, true,  {191, 231, 188}, degree6Glyph, seventhFigure},
        {"SUBDOMINANT_THREE_CHORD",      4, 3, 0, {triad(1, 1, 1), triad(0, 1, 2)},
             6, false, true,  {208, 235, 199}, degree4Glyph, triadFigure},
        {"SUBDOMINANT_SIXTH_CHORD",      4, 3, 1, {triad(2, 0, 1), triad(1, 0, 2)},
             7, false, true,  {193, 255, 200}, degree4Glyph, sixthFigure},
        {"SUBDOMINANT_FOUR_CHORD",       4, 4, 0, {seventh(0, 1, 1, 1)},
             8, false, true,  {198, 255, 183}, degree4Glyph, seventhFigure},
        {"LOWINTRO_THREE_CHORD",         2, 3, 0, {triad(1, 1, 1), triad(0, 2, 1)},
             9, false, false, {189, 232, 217}, degree2Glyph, triadFigure},
        {"LOWINTRO_SIXTH_CHORD",         2, 3, 1, {triad(1, 1, 1)},
            10, false, true,  {165, 226, 197}, degree2SixthGlyph, emptyFigure},
        {"LOWINTRO_FOUR_CHORD",          2, 4, 0, {seventh(0, 1, 1, 1)},
            11, false, true,  {165, 226, 197}, degree2Glyph, seventhFigure},
        {"LOWINTRO_SIXTH_FIFTH_CHORD",   2, 4, 1, {seventh(1, 0, 1, 1)},
            11, false, true,  {165, 226, 197}, degree2Glyph, sixFiveFigure},
        {"LOWINTRO_FOURTH_THIRD_CHORD",  2, 4, 2, {seventh(1, 1, 0, 1)},
            11, false, true,  {165, 226, 197}, degree2Glyph, fourThreeFigure},
        {"LOWINTRO_SECOND_CHORD",        2, 4, 3, {seventh(1, 1, 1, 0)},
            11, false, true,  {165, 226, 197}, degree2Glyph, secondFigure},
        {"K_SIXTH_FOURTH_CHORD",         1, 3, 2, {triad(1, 1, 1)},
            12, false, true,  {243, 203, 254}, cadentialGlyph, sixFourFigure},
        {"LOWM_FOUR_CHORD",              3, 4, 0, {seventh(0, 1, 1, 1)},
            14, false, true,  {249, 208, 241}, degree3Glyph, seventhFigure},
        {"DOMINANT_THREE_CHORD",         5, 3, 0, {triad(1, 1, 1), triad(0, 1, 2)},
            15, false, true,  {253, 204, 227}, degree5Glyph, triadFigure},
        {"LOWM_SIXTH_CHORD",             3, 3, 1, {triad(1, 1, 1)},
            15, false, true,  {253, 204, 228}, degree3SixthGlyph, emptyFigure},
        {"DOMINANT_SIXTH_CHORD",         5, 3, 1, {triad(2, 0, 1), triad(1, 0, 2)},
            16, false, true,  {251, 206, 227}, degree5Glyph, sixthFigure},
        {"DOMINANT_FOUR_CHORD",          5, 4, 0, {seventh(0, 1, 1, 1), seventh(1, 1, 0, 1)},
            17, false, true,  {252, 194, 222}, degree5Glyph, seventhFigure},
        {"DOMINANT_SIXTH_FIFTH_CHORD",   5, 4, 1, {seventh(1, 0, 1, 1)},
            17, false, true,  {252, 194, 222}, degree5Glyph, sixFiveFigure},
        {"DOMINANT_FOURTH_THIRD_CHORD",  5, 4, 2, {seventh(1, 1, 0, 1)},
            17, false, true,  {252, 194, 222}, degree5Glyph, fourThreeFigure},
        {"DOMINANT_SECOND_CHORD",        5, 4, 3, {seventh(1, 1, 1, 0)},
            17, false, true,  {252, 194, 222}, degree5Glyph, secondFigure},
        {"TOPINTRO_SIXTH_CHORD",         7, 3, 1, {triad(1, 1, 1)},
            18, false, true,  {252, 214, 215}, degree7Glyph, sixthFigure},
        {"TOPINTRO_FOUR_CHORD",          7, 4, 0, {seventh(0, 1, 1, 1)},
            19, false, true,  {252, 207, 208}, degree7Glyph, seventhFigure},
        {"TOPINTRO_SIXTH_FIFTH_CHORD",   7, 4, 1, {seventh(1, 0, 1, 1)},
            19, false, true,  {252, 207, 208}, degree7Glyph, sixFiveFigure},
        {"TOPINTRO_FOURTH_THIRD_CHORD",  7, 4, 2, {seventh(1, 1, 0, 1)},
            19, false, true,  {252, 207, 208}, degree7Glyph, fourThreeFigure},
        {"TOPINTRO_SECOND_CHORD",        7, 4, 3, {seventh(1, 1, 1, 0)},
            19, false, true,  {252, 207, 208}, degree7Glyph, secondFigure},
    };
    // clang-format on
    return rows;
}

TChord chordFromRow(const TCatalogueRow& row) {
    TChord chord(row.degree, row.tones, row.bass);
    chord.doublings() = row.doublings;
    chord.setOrder(row.order);
    chord.setTonicFunction(row.tonic);
    chord.setMajorOk(true);
    chord.setMinorOk(row.minor);
    chord.setColour(row.colour);
    chord.setDegreeGlyph(row.degreeGlyph);
    chord.setFigureGlyph(row.figureGlyph);
    chord.setName(row.name);
    return chord;
}

} // namespace

const std::vector<std::string>& chordTypeNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> result;
        for (const TCatalogueRow& row : catalogue())
            result.push_back(row.name);
        return result;
    }();
    return names;
}

std::optional<TChord> findChordOfType(std::string_view name) {
    const auto& rows = catalogue();
    const auto it = std::find_if(rows.begin(), rows.end(),
                                 [name](const TCatalogueRow& row) { return row.name == name; });
    if (it == rows.end())
        return std::nullopt;
    return chordFromRow(*it);
}

TChord chordOfType(std::string_view name) {
    if (auto chord = findChordOfType(name))
        return *std::move(chord);
    throw std::invalid_argument("unknown chord type: " + std::string(name));
}

std::vector<TChord> successionCandidates(const std::vector<std::string>& types, int order,
                                         const TKey& key) {
    std::vector<TChord> forward;
    std::vector<TChord> backToTonic;
    for (const std::string& type : types) {
        TChord chord = chordOfType(type);
        if (!chord.isAvailableIn(key))
            continue;
        if (chord.order() >= order)
            forward.push_back(std::move(chord));
        else if (chord.tonicFunction())
            backToTonic.push_back(std::move(chord));
    }
    forward.insert(forward.end(), backToTonic.begin(), backToTonic.end());
    return forward;
}
