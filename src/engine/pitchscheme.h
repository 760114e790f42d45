#pragma once

#include "engine/schemelistener.h"
#include "engine/turn.h"
#include "model/random.h"

// The pitch half of the scheme: the turns a generated motive is built from. In in-order mode
// they are a sequence that generation walks cyclically; in set mode a set generation draws
// from. Holds the cursor of in-order generation and tells its listener about every change of
// content.
class TPitchScheme {
public:
    // The default scheme, in set mode; every draw comes from `random`.
    explicit TPitchScheme(TRandomGenerator& random);

    const TTurns& turns() const { return turns_; }
    bool inOrder() const { return inOrder_; }
    TSchemeListener* listener() const { return listener_; }
    void setListener(TSchemeListener* listener) { listener_ = listener; }

    void set(const TTurns& turns, bool inOrder, bool notify);
    void clear();
    // The nine placing turns, in set mode.
    void setDefault();
    // A random choice of turns in the current mode.
    void randomise();
    // In in-order mode the sequence is reversed (invert) or shuffled (mix); in set mode
    // nothing happens.
    void invert();
    void mix();

    // Chooses k distinct turns of `source`; in order, a sequence as long as the choice is
    // drawn from it.
    void applyChoice(const TTurns& source, int k, bool inOrder);

    // The cursor of in-order generation, the position after it (0 in set mode or past the
    // end) and the cursor clamped to the scheme (which may have shrunk under it).
    int cursor() const { return cursor_; }
    int nextIndex() const;
    int currentIndex() const;
    void advanceCursor();
    void resetCursor() { cursor_ = 0; }
    // The turn at the cursor, after clamping the cursor to the scheme; the scheme must not
    // be empty.
    TURN_ROUND turnAtCursor();

private:
    void notify();

    TRandomGenerator& random_;
    TTurns turns_;
    bool inOrder_ = false;
    int cursor_ = 0;
    TSchemeListener* listener_ = nullptr;
};
