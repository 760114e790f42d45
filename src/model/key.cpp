#include "model/key.h"

#include <cstdlib>

namespace {

constexpr std::array<int, 7> majorPattern{2, 2, 1, 2, 2, 2, 1};
constexpr std::array<int, 7> minorPattern{2, 1, 2, 2, 1, 3, 1};

constexpr int letterD = 1;

int floorMod(int a, int m) {
    return ((a % m) + m) % m;
}

} // namespace

TKey::TKey(int sign, std::uint8_t mode) : sign_(sign), mode_(mode) {
    rebuild();
}

TKey& TKey::operator=(const TKey& other) {
    sign_ = other.sign_;
    mode_ = other.mode_;
    rebuild();
    return *this;
}

void TKey::rebuild() {
    const int n = std::abs(sign_);
    const bool sharps = sign_ > 0;

    // Each sharp moves the major tonic a fifth up, each flat a fifth down; the relative minor
    // lies a third below (A and B come out as -2 and -1).
    int tonicLetter = ((sharps ? 4 : 3) * n) % 7;
    if (isMinor())
        tonicLetter -= 2;

    // Does the signature alter the D step?
    int anchor = 26;
    int letter = sharps ? 6 : 3;
    for (int i = 0; i < n && i < 7; ++i) {
        letter = (letter + (sharps ? 4 : 3)) % 7;
        if (letter == letterD) {
            anchor = sharps ? 27 : 25;
            break;
        }
    }

    const int idx = floorMod(1 - tonicLetter, 7);
    dDegree_ = static_cast<std::uint8_t>(idx + 1);

    // In a minor key whose seventh degree is the D step, that step is the raised leading tone.
    if (isMinor() && dDegree_ == 7)
        ++anchor;

    const auto& pattern = isMinor() ? minorPattern : majorPattern;
    pitchTable_[0] = anchor;
    for (std::size_t i = 1; i < pitchTable_.size(); ++i)
        pitchTable_[i] = pitchTable_[i - 1] + pattern[(static_cast<std::size_t>(idx) + i - 1) % 7];
}

int TKey::degree(int pitch) const {
    return floorMod(pitch + dDegree_ - 1, 7) + 1;
}

int TKey::accidentalFor(int pitch, int alteration) const {
    if (alteration == ALTER_NONE)
        return ACC_NONE;
    const int d = degree(pitch);
    bool sharpened = false;
    bool flattened = false;
    for (int i = 0; i < sign_ && i < 7; ++i)
        sharpened = sharpened || degree(SHARP_POSITIONS[static_cast<std::size_t>(i)]) == d;
    for (int i = 0; i < -sign_ && i < 7; ++i)
        flattened = flattened || degree(FLAT_POSITIONS[static_cast<std::size_t>(i)]) == d;
    const bool raise = alteration == ALTER_RAISE;
    if (sharpened)
        return raise ? ACC_DOUBLE_SHARP : ACC_NATURAL;
    if (flattened)
        return raise ? ACC_NATURAL : ACC_DOUBLE_FLAT;
    return raise ? ACC_SHARP : ACC_FLAT;
}

void TKey::dump(std::ostream& out) const {
    out << "Tonalnost: " << (isMinor() ? "Minor" : "Major") << ' ' << sign_ << '\n';
}
