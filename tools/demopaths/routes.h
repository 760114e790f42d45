#pragma once

#include <string>
#include <vector>

// One stretch of a hand's route over the variant view: glide to (x, y) in view pixels, then
// rest there for `restMs` milliseconds.
struct TRouteStep {
    int x;
    int y;
    int restMs;
};

// The route that makes the choice the pointer path `script` stands for; empty when unknown.
std::vector<TRouteStep> routeOf(const std::string& script);
