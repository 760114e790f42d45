#include "model/chordcatalogue.h"
#include "model/schemechords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

TEST(SchemeChords, AreTheCatalogueInItsOrderWithoutTheRarerSeventhInversions) {
    const std::vector<std::string>& names = schemeChordTypeNames();
    ASSERT_EQ(names.size(), 21u);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());

    std::vector<std::string> expected;
    for (const std::string& name : chordTypeNames()) {
        const TChord chord = chordOfType(name);
        const bool inversion = chord.toneCount() == 4 && chord.bassTone() != 0;
        const bool dominantSixFive = name == "DOMINANT_SIXTH_FIFTH_CHORD";
        if (!inversion || dominantSixFive)
            expected.push_back(name);
    }
    EXPECT_EQ(names, expected);
}
