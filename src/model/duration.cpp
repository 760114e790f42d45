#include "model/duration.h"

#include <array>
#include <charconv>
#include <stdexcept>
#include <utility>

namespace {

constexpr std::array<std::pair<int, std::string_view>, 8> names{{
    {30, "SIXTEENTH"},
    {60, "EIGHTH"},
    {90, "POINTED_EIGHTH"},
    {120, "QUARTER"},
    {150, "QUARTER_AND_SIXTEENTH"},
    {180, "POINTED_QUARTER"},
    {210, "QUARTER_AND_POINTED_EIGHTH"},
    {240, "HALF"},
}};

constexpr std::array<int, 9> writtenRests{480, 240, 210, 180, 150, 120, 90, 60, 30};

} // namespace

std::string durationName(int ticks) {
    for (const auto& [value, name] : names)
        if (value == ticks)
            return std::string(name);
    return std::to_string(ticks);
}

int durationOfName(std::string_view name) {
    if (name.empty())
        return 0;
    for (const auto& [value, known] : names)
        if (known == name)
            return value;
    int value = 0;
    const char* first = name.data();
    const char* last = first + name.size();
    if (*first == '+')
        ++first;
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last)
        throw std::invalid_argument("not a duration: " + std::string(name));
    return value;
}

void appendRestValues(std::vector<DURATION>& out, int length) {
    for (int value : writtenRests) {
        while (length >= value) {
            out.push_back(static_cast<DURATION>(-value));
            length -= value;
        }
    }
}

std::vector<DURATION> decomposeRest(int length) {
    std::vector<DURATION> out;
    appendRestValues(out, length);
    return out;
}
