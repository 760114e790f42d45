#pragma once

// Every generator and random effect tries at most this many times for a result that differs
// from what exists, and keeps its last try.
inline constexpr int FRESH_TRIES = 10;

// Runs `attempt` until `isFresh` accepts what it made, at most FRESH_TRIES times; what the
// last attempt made stays. Returns whether a fresh result was found.
template <class Attempt, class IsFresh> bool retryForFresh(Attempt&& attempt, IsFresh&& isFresh) {
    for (int tries = 0; tries < FRESH_TRIES; ++tries) {
        attempt();
        if (isFresh())
            return true;
    }
    return false;
}
