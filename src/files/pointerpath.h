#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A point of the pointer's route, in pixels.
struct TPathPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TPathPoint&, const TPathPoint&) = default;
};

// The positions a smooth move from `from` to `to` passes through, one per pointer step: each
// axis moves in at most 30 equal steps (fewer when it has fewer pixels to go), both axes start
// together and each stops when its steps are done; every position is rounded to whole pixels.
// After the steps the pointer is set exactly onto `to`; a move of zero length has no steps.
std::vector<TPathPoint> smoothMoveSteps(TPathPoint from, TPathPoint to);
inline constexpr int MAX_SMOOTH_MOVE_STEPS = 30;

// A recorded pointer path could not be read.
class TPointerPathError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The points of a recorded pointer path: the document element "DYNAMIC_HELP" with one "MOVE"
// child per point, whose attributes "X" and "Y" are decimal integers; a MOVE without one of
// them keeps the previous point's value (0 at the start). Other children and attributes are
// ignored. Throws TPointerPathError when the text is not such a document or a coordinate is
// not a number.
std::vector<TPathPoint> parsePointerPath(std::string_view text);
std::vector<TPathPoint> readPointerPath(const std::filesystem::path& file);
