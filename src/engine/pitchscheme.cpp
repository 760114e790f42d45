#include "engine/pitchscheme.h"

#include <algorithm>

namespace {

const TTurns ALL_TURNS{REPETITION, CHORD_LEAP_1,     CHORD_LEAP_2, CHORD_LEAP_3, NEIGHBOUR,
                       PASSING,    DOUBLE_NEIGHBOUR, APPOGGIATURA, ESCAPE};

} // namespace

TPitchScheme::TPitchScheme(TRandomGenerator& random) : random_(random) {
    setDefault();
}

void TPitchScheme::notify() {
    if (listener_)
        listener_->schemeChanged();
}

void TPitchScheme::set(const TTurns& turns, bool inOrder, bool notifying) {
    turns_ = turns;
    inOrder_ = inOrder;
    if (notifying)
        notify();
}

void TPitchScheme::clear() {
    turns_.clear();
    notify();
}

void TPitchScheme::setDefault() {
    turns_ = {REPETITION, CHORD_LEAP_1,     CHORD_LEAP_2, CHORD_LEAP_3, NEIGHBOUR,
              PASSING,    DOUBLE_NEIGHBOUR, APPOGGIATURA, ESCAPE};
    inOrder_ = false;
    notify();
}

void TPitchScheme::randomise() {
    const int k = random_.draw(9) + 1;
    applyChoice(ALL_TURNS, k, inOrder_);
}

void TPitchScheme::invert() {
    if (!inOrder_)
        return;
    const TTurns result(turns_.rbegin(), turns_.rend());
    set(result, true, true);
}

void TPitchScheme::mix() {
    if (!inOrder_)
        return;
    TTurns result = turns_;
    shuffleFromSecond(result, random_);
    set(result, true, true);
}

void TPitchScheme::applyChoice(const TTurns& source, int k, bool inOrder) {
    TTurns remaining = source;
    TTurns chosen;
    k = std::min<int>(k, int(remaining.size()));
    for (int i = 0; i < k; ++i) {
        const auto at = remaining.begin() + random_.draw(int(remaining.size()));
        chosen.push_back(*at);
        remaining.erase(at);
    }
    if (!inOrder) {
        set(chosen, false, true);
        return;
    }
    TTurns sequence;
    for (std::size_t i = 0; i < chosen.size(); ++i)
        sequence.push_back(chosen[static_cast<std::size_t>(random_.draw(int(chosen.size())))]);
    set(sequence, true, true);
}

int TPitchScheme::nextIndex() const {
    if (!inOrder_ || cursor_ + 1 >= int(turns_.size()))
        return 0;
    return cursor_ + 1;
}

int TPitchScheme::currentIndex() const {
    return cursor_ < int(turns_.size()) ? cursor_ : 0;
}

void TPitchScheme::advanceCursor() {
    cursor_ = inOrder_ ? nextIndex() : 0;
}

TURN_ROUND TPitchScheme::turnAtCursor() {
    cursor_ = currentIndex();
    return turns_[static_cast<std::size_t>(cursor_)];
}
