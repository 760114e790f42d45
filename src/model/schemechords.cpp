#include "model/schemechords.h"

const std::vector<std::string>& schemeChordTypeNames() {
    static const std::vector<std::string> names{
        "TONIC_THREE_CHORD",          "TONIC_SIXTH_CHORD",       "TONIC_FOUR_CHORD",
        "TOPM_THREE_CHORD",           "LOWM_THREE_CHORD",        "TOPM_FOUR_CHORD",
        "SUBDOMINANT_THREE_CHORD",    "SUBDOMINANT_SIXTH_CHORD", "SUBDOMINANT_FOUR_CHORD",
        "LOWINTRO_THREE_CHORD",       "LOWINTRO_SIXTH_CHORD",    "LOWINTRO_FOUR_CHORD",
        "K_SIXTH_FOURTH_CHORD",       "LOWM_FOUR_CHORD",         "DOMINANT_THREE_CHORD",
        "LOWM_SIXTH_CHORD",           "DOMINANT_SIXTH_CHORD",    "DOMINANT_FOUR_CHORD",
        "DOMINANT_SIXTH_FIFTH_CHORD", "TOPINTRO_SIXTH_CHORD",    "TOPINTRO_FOUR_CHORD"};
    return names;
}
