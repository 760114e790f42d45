#include "model/chordcatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::string functionWord(const std::string& name) {
    return name.substr(0, name.find('_'));
}

// "DOMINANT_SIXTH_FIFTH_CHORD" -> "SIXTH_FIFTH"
std::string suffix(const std::string& name) {
    const std::size_t start = name.find('_') + 1;
    return name.substr(start, name.rfind("_CHORD") - start);
}

std::vector<std::string> namesOf(const std::vector<TChord>& chords) {
    std::vector<std::string> names;
    for (const TChord& chord : chords)
        names.push_back(chord.name());
    return names;
}

} // namespace

TEST(ChordCatalogue, HasTwentyNineDistinctNamesThatEachBuildTheirChord) {
    const auto& names = chordTypeNames();
    ASSERT_EQ(names.size(), 29u);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 29u);
    EXPECT_EQ(names.front(), "TONIC_THREE_CHORD");
    EXPECT_EQ(names.back(), "TOPINTRO_SECOND_CHORD");
    for (const std::string& name : names) {
        const TChord chord = chordOfType(name);
        EXPECT_EQ(chord.name(), name);
        EXPECT_EQ(chord.time(), 0);
        EXPECT_FALSE(chord.isVoiced());
        EXPECT_TRUE(chord.arrangements().empty());
    }
}

// The names encode degree, size and bass tone; every row must agree with its name.
TEST(ChordCatalogue, RowsAgreeWithTheirNames) {
    const std::map<std::string, int> degreeOf{{"TONIC", 1}, {"K", 1},           {"LOWINTRO", 2},
                                              {"LOWM", 3},  {"SUBDOMINANT", 4}, {"DOMINANT", 5},
                                              {"TOPM", 6},  {"TOPINTRO", 7}};
    const std::map<std::string, std::pair<int, int>> tonesAndBassOf{
        {"THREE", {3, 0}}, {"SIXTH", {3, 1}},       {"SIXTH_FOURTH", {3, 2}},
        {"FOUR", {4, 0}},  {"SIXTH_FIFTH", {4, 1}}, {"FOURTH_THIRD", {4, 2}},
        {"SECOND", {4, 3}}};
    for (const std::string& name : chordTypeNames()) {
        SCOPED_TRACE(name);
        const TChord chord = chordOfType(name);
        EXPECT_EQ(chord.base(), degreeOf.at(functionWord(name)));
        EXPECT_EQ(chord.toneCount(), tonesAndBassOf.at(suffix(name)).first);
        EXPECT_EQ(chord.bassTone(), tonesAndBassOf.at(suffix(name)).second);
        EXPECT_GE(chord.order(), 1);
        EXPECT_LE(chord.order(), 19);
        EXPECT_TRUE(chord.majorOk());

        // Three upper voices; a complete seventh chord leaves the bass tone out above.
        ASSERT_FALSE(chord.doublings().empty());
        for (const TDoubling& d : chord.doublings()) {
            EXPECT_EQ(d.root() + d.third() + d.fifth() + d.seventh(), 3);
            if (chord.toneCount() == 3) {
                EXPECT_EQ(d.seventh(), 0);
            } else {
                for (int count : d.counts)
                    EXPECT_LE(count, 1);
            }
        }
        if (chord.toneCount() == 4) {
            EXPECT_EQ(chord.doublings().front().counts[chord.bassTone()], 0);
        }
    }
}

TEST(ChordCatalogue, SelectedRowsInFull) {
    const TChord dominant = chordOfType("DOMINANT_FOUR_CHORD");
    EXPECT_EQ(dominant.doublings(), (std::vector<TDoubling>{{{0, 1, 1, 1}}, {{1, 1, 0, 1}}}));
    EXPECT_EQ(dominant.order(), 17);
    EXPECT_FALSE(dominant.tonicFunction());
    EXPECT_TRUE(dominant.minorOk());
    EXPECT_EQ(dominant.colour(), (TColour{252, 194, 222}));

    EXPECT_EQ(chordOfType("TONIC_THREE_CHORD").doublings(),
              (std::vector<TDoubling>{{{1, 1, 1, 0}}, {{2, 1, 0, 0}}}));
    EXPECT_EQ(chordOfType("TOPM_THREE_CHORD").doublings(),
              (std::vector<TDoubling>{{{1, 1, 1, 0}}, {{0, 2, 1, 0}}}));
    EXPECT_EQ(chordOfType("TONIC_THREE_CHORD").colour().value(), 0xFFFFB9u);
    EXPECT_EQ(chordOfType("LOWM_SIXTH_CHORD").colour(), (TColour{253, 204, 228}));
    EXPECT_EQ(chordOfType("LOWM_SIXTH_CHORD").order(), 15);
    EXPECT_EQ(chordOfType("K_SIXTH_FOURTH_CHORD").order(), 12);
}

TEST(ChordCatalogue, TonicFunctionAndMinorAvailability) {
    std::set<std::string> tonic;
    std::vector<std::string> notInMinor;
    for (const std::string& name : chordTypeNames()) {
        const TChord chord = chordOfType(name);
        if (chord.tonicFunction())
            tonic.insert(name);
        if (!chord.isAvailableIn(TKey(0, MINOR)))
            notInMinor.push_back(name);
        EXPECT_TRUE(chord.isAvailableIn(TKey(-3, MAJOR)));
        EXPECT_EQ(chord.isAvailableIn(TKey(4, MINOR)), chord.minorOk());
    }
    EXPECT_EQ(tonic,
              (std::set<std::string>{"TONIC_THREE_CHORD", "TONIC_SIXTH_CHORD", "TONIC_FOUR_CHORD",
                                     "TOPM_THREE_CHORD", "LOWM_THREE_CHORD"}));
    EXPECT_EQ(notInMinor, (std::vector<std::string>{"LOWM_THREE_CHORD", "LOWINTRO_THREE_CHORD"}));
}

TEST(ChordCatalogue, GlyphRectangles) {
    const TChord k = chordOfType("K_SIXTH_FOURTH_CHORD");
    EXPECT_EQ(k.degreeGlyph(), (TRect{94, 98, 101, 114}));
    EXPECT_EQ(k.figureGlyph(), (TRect{73, 142, 87, 150}));
    const TChord lowIntroSixth = chordOfType("LOWINTRO_SIXTH_CHORD");
    EXPECT_EQ(lowIntroSixth.degreeGlyph(), (TRect{102, 2, 114, 18}));
    EXPECT_EQ(lowIntroSixth.figureGlyph(), (TRect{48, 69, 49, 70}));
    EXPECT_EQ(chordOfType("LOWM_SIXTH_CHORD").degreeGlyph(), (TRect{116, 2, 128, 18}));
    EXPECT_EQ(chordOfType("TONIC_SIXTH_CHORD").figureGlyph(), (TRect{65, 142, 70, 150}));
    EXPECT_EQ(chordOfType("DOMINANT_SIXTH_FIFTH_CHORD").degreeGlyph(), (TRect{49, 122, 56, 138}));
    EXPECT_EQ(chordOfType("DOMINANT_SIXTH_FIFTH_CHORD").figureGlyph(), (TRect{56, 154, 70, 162}));
    EXPECT_EQ(chordOfType("TOPINTRO_SECOND_CHORD").figureGlyph(), (TRect{48, 165, 53, 173}));

    // Apart from the two sixth chords drawn as one symbol, the degree glyph follows the
    // function word and the figure glyph follows the suffix.
    std::map<std::string, TRect> degreeByWord;
    std::map<std::string, TRect> figureBySuffix;
    for (const std::string& name : chordTypeNames()) {
        SCOPED_TRACE(name);
        const TChord chord = chordOfType(name);
        EXPECT_FALSE(chord.degreeGlyph().isEmpty());
        EXPECT_FALSE(chord.figureGlyph().isEmpty());
        if (name == "LOWINTRO_SIXTH_CHORD" || name == "LOWM_SIXTH_CHORD")
            continue;
        auto [degree, newWord] = degreeByWord.emplace(functionWord(name), chord.degreeGlyph());
        EXPECT_EQ(degree->second, chord.degreeGlyph());
        auto [figure, newSuffix] = figureBySuffix.emplace(suffix(name), chord.figureGlyph());
        EXPECT_EQ(figure->second, chord.figureGlyph());
    }
    EXPECT_EQ(degreeByWord.size(), 8u);
    EXPECT_EQ(figureBySuffix.size(), 7u);
}

TEST(ChordCatalogue, UnknownNames) {
    EXPECT_FALSE(findChordOfType("SUPERTONIC_CHORD").has_value());
    EXPECT_FALSE(findChordOfType("tonic_three_chord").has_value());
    EXPECT_THROW(chordOfType("SUPERTONIC_CHORD"), std::invalid_argument);
    EXPECT_THROW(successionCandidates({"TONIC_THREE_CHORD", "NOPE"}, 1, TKey()),
                 std::invalid_argument);
}

TEST(SuccessionCandidates, ForwardByOrderThenBackToTonic) {
    const auto& all = chordTypeNames();
    const std::vector<std::string> afterDominant{"DOMINANT_THREE_CHORD",
                                                 "LOWM_SIXTH_CHORD",
                                                 "DOMINANT_SIXTH_CHORD",
                                                 "DOMINANT_FOUR_CHORD",
                                                 "DOMINANT_SIXTH_FIFTH_CHORD",
                                                 "DOMINANT_FOURTH_THIRD_CHORD",
                                                 "DOMINANT_SECOND_CHORD",
                                                 "TOPINTRO_SIXTH_CHORD",
                                                 "TOPINTRO_FOUR_CHORD",
                                                 "TOPINTRO_SIXTH_FIFTH_CHORD",
                                                 "TOPINTRO_FOURTH_THIRD_CHORD",
                                                 "TOPINTRO_SECOND_CHORD",
                                                 "TONIC_THREE_CHORD",
                                                 "TONIC_SIXTH_CHORD",
                                                 "TONIC_FOUR_CHORD",
                                                 "TOPM_THREE_CHORD"};
    // LOWM_THREE_CHORD (order 13) returns as a tonic chord in major only.
    std::vector<std::string> inMajor = afterDominant;
    inMajor.push_back("LOWM_THREE_CHORD");
    EXPECT_EQ(namesOf(successionCandidates(all, 15, TKey(0, MAJOR))), inMajor);
    EXPECT_EQ(namesOf(successionCandidates(all, 15, TKey(0, MINOR))), afterDominant);

    // At order 13 it moves forward in major and vanishes from minor altogether.
    const auto major13 = namesOf(successionCandidates(all, 13, TKey(0, MAJOR)));
    EXPECT_EQ(major13.front(), "LOWM_THREE_CHORD");
    EXPECT_EQ(major13.back(), "TOPM_THREE_CHORD");
    const auto minor13 = namesOf(successionCandidates(all, 13, TKey(0, MINOR)));
    EXPECT_EQ(minor13.front(), "LOWM_FOUR_CHORD");
    EXPECT_EQ(std::count(minor13.begin(), minor13.end(), "LOWM_THREE_CHORD"), 0);

    // From the start every available type may follow, in the order given.
    EXPECT_EQ(namesOf(successionCandidates(all, 1, TKey(0, MAJOR))), all);
    const std::vector<std::string> reversed(all.rbegin(), all.rend());
    EXPECT_EQ(namesOf(successionCandidates(reversed, 0, TKey(0, MAJOR))), reversed);
    // Past the highest order only the way back to the tonic remains.
    EXPECT_EQ(namesOf(successionCandidates(all, 20, TKey(0, MINOR))),
              (std::vector<std::string>{"TONIC_THREE_CHORD", "TONIC_SIXTH_CHORD",
                                        "TONIC_FOUR_CHORD", "TOPM_THREE_CHORD"}));
}
