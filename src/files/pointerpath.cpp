#include "files/pointerpath.h"

#include "files/xmlinput.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// A recorded path is a few thousand lines at most.
constexpr std::uintmax_t MAX_PATH_FILE_BYTES = 4 * 1024 * 1024;

int coordinate(const pugi::xml_attribute& attribute, int previous) {
    if (!attribute)
        return previous;
    const auto value = parseDecimal(attribute.value());
    if (!value)
        throw TPointerPathError(std::string("the coordinate ") + attribute.name() + "=\"" +
                                attribute.value() + "\" is not a whole number");
    return *value;
}

} // namespace

std::vector<TPathPoint> smoothMoveSteps(TPathPoint from, TPathPoint to) {
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    int nx = std::min(std::abs(dx), MAX_SMOOTH_MOVE_STEPS);
    int ny = std::min(std::abs(dy), MAX_SMOOTH_MOVE_STEPS);
    const double stepX = nx != 0 ? double(dx) / nx : 0.0;
    const double stepY = ny != 0 ? double(dy) / ny : 0.0;
    std::vector<TPathPoint> steps;
    double x = from.x;
    double y = from.y;
    while (nx != 0 || ny != 0) {
        if (nx != 0) {
            x += stepX;
            --nx;
        }
        if (ny != 0) {
            y += stepY;
            --ny;
        }
        steps.push_back({int(std::lround(x)), int(std::lround(y))});
    }
    return steps;
}

std::vector<TPathPoint> parsePointerPath(std::string_view text) {
    pugi::xml_document document;
    if (const auto refused = parseDocument(document, text))
        throw TPointerPathError(*refused);
    const pugi::xml_node root = document.document_element();
    if (std::string_view(root.name()) != "DYNAMIC_HELP")
        throw TPointerPathError(std::string("the document element is \"") + root.name() +
                                "\", not \"DYNAMIC_HELP\"");
    std::vector<TPathPoint> points;
    TPathPoint previous;
    for (const pugi::xml_node move : root.children("MOVE")) {
        previous = {coordinate(move.attribute("X"), previous.x),
                    coordinate(move.attribute("Y"), previous.y)};
        points.push_back(previous);
    }
    return points;
}

std::vector<TPathPoint> readPointerPath(const std::filesystem::path& file) {
    std::string text;
    if (const auto refused = readRegularFile(file, text, MAX_PATH_FILE_BYTES))
        throw TPointerPathError(file.string() + ": " + *refused);
    return parsePointerPath(text);
}
