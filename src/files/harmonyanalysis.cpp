#include "files/harmonyanalysis.h"

#include <array>
#include <cctype>

namespace {

constexpr std::array<const char*, 7> NUMERALS{"I", "II", "III", "IV", "V", "VI", "VII"};

// The quality of the chord built on `degree` from the key's own tones (harmonic minor).
std::string kindOf(const TKey& key, int degree, int toneCount, bool& raisedFifth) {
    int root = 7;
    while (key.degree(root) != degree) {
        ++root;
    }
    auto above = [&](int steps) { return key.midiNote(root + steps) - key.midiNote(root); };
    const int third = above(2);
    const int fifth = above(4);
    raisedFifth = false;
    if (toneCount < 4) {
        if (third == 4)
            return fifth == 8 ? "augmented" : "major";
        return fifth == 6 ? "diminished" : "minor";
    }
    const int seventh = above(6);
    if (third == 4 && fifth == 7)
        return seventh == 10 ? "dominant" : "major-seventh";
    if (third == 4 && fifth == 8) {
        raisedFifth = seventh == 11;
        return raisedFifth ? "major-seventh" : "augmented-seventh";
    }
    if (fifth == 6)
        return seventh == 9 ? "diminished-seventh" : "half-diminished";
    return seventh == 11 ? "major-minor" : "minor-seventh";
}

// The numeral's case and quality sign follow the triad under the chord.
std::string numeralOf(int degree, const std::string& kind, bool raisedFifth) {
    std::string numeral = NUMERALS[static_cast<std::size_t>(degree - 1)];
    const bool majorThird = kind == "major" || kind == "augmented" || kind == "dominant" ||
                            kind == "major-seventh" || kind == "augmented-seventh";
    if (!majorThird) {
        for (char& letter : numeral)
            letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    }
    if (kind == "diminished" || kind == "diminished-seventh")
        numeral += "°";
    else if (kind == "half-diminished")
        numeral += "ø";
    else if (kind == "augmented" || kind == "augmented-seventh" || raisedFifth)
        numeral += "+";
    return numeral;
}

std::string superscript(char digit) {
    static constexpr std::array<const char*, 10> raised{"⁰", "¹", "²", "³", "⁴",
                                                        "⁵", "⁶", "⁷", "⁸", "⁹"};
    return raised[static_cast<std::size_t>(digit - '0')];
}

std::string subscript(char digit) {
    static constexpr std::array<const char*, 10> lowered{"₀", "₁", "₂", "₃", "₄",
                                                         "₅", "₆", "₇", "₈", "₉"};
    return lowered[static_cast<std::size_t>(digit - '0')];
}

} // namespace

std::string chordFigure(int toneCount, int bassTone) {
    static constexpr std::array<const char*, 3> triads{"", "6", "64"};
    static constexpr std::array<const char*, 4> sevenths{"7", "65", "43", "42"};
    if (toneCount < 4)
        return bassTone >= 0 && bassTone < 3 ? triads[static_cast<std::size_t>(bassTone)] : "";
    return bassTone >= 0 && bassTone < 4 ? sevenths[static_cast<std::size_t>(bassTone)] : "";
}

THarmonyAnalysis analyseChord(const TChord& chord, const TKey& key) {
    THarmonyAnalysis analysis;
    const int degree = chord.base() >= 1 && chord.base() <= 7 ? chord.base() : 1;
    analysis.degree = degree;
    analysis.figure = chordFigure(chord.toneCount(), chord.bassTone());
    analysis.inversion = chord.bassTone();
    analysis.kind = kindOf(key, degree, chord.toneCount(), analysis.raisedFifth);
    analysis.numeral = numeralOf(degree, analysis.kind, analysis.raisedFifth);
    analysis.cadential = chord.name().starts_with("K_");
    return analysis;
}

std::string analysisText(const THarmonyAnalysis& analysis) {
    std::string text = analysis.numeral;
    if (!analysis.figure.empty())
        text += superscript(analysis.figure[0]);
    if (analysis.figure.size() > 1)
        text += subscript(analysis.figure[1]);
    return text;
}
