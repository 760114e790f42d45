#pragma once

#include <string>
#include <vector>

// The chord types the scheme engine offers, in the order it offers them: the catalogue
// without the inversions of the seventh chords on degrees 2, 5 and 7 (the dominant six-five
// stays). Automatic harmonisation and the chord variants draw their candidates from it.
const std::vector<std::string>& schemeChordTypeNames();
