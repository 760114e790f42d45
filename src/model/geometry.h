#pragma once

#include <vector>

// Canvas x of a tick time: 23 pixels per sixteenth after a 19-pixel margin.
inline constexpr int timeToX(int ticks) {
    return (ticks / 30) * 23 + 19;
}

// Canvas y of a pitch index on a canvas whose reference line is at `referenceY`.
inline constexpr int pitchToY(int pitch, int referenceY) {
    return referenceY - 5 * pitch + 30;
}

// Stems point up below the middle line of the note's staff: the bass staff holds the indices
// below 20, the treble staff the rest.
inline constexpr bool stemUp(int pitch) {
    return (pitch >= 0 && pitch <= 13) || (pitch >= 20 && pitch <= 25);
}

struct TPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TPoint&) const = default;
};

// Height kept free for the task bar at the bottom of the screen.
inline constexpr int TASK_BAR_HEIGHT = 28;

// The top-left corner that keeps a window of the given size on a screen of the given size.
TPoint fitOnScreen(int left, int top, int width, int height, int screenWidth, int screenHeight);

// Greatest common divisor by Euclid; gcd(0, b) = b.
int gcd(int a, int b);
// The gcd folded over a list, starting from its first element; 0 for an empty list.
int gcd(const std::vector<int>& values);
