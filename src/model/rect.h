#pragma once

#include <cstdint>

// A region of the glyph sheet, inclusive on every side; the default is the empty rectangle.
struct TRect {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;

    bool isEmpty() const { return right < left || bottom < top; }
    int width() const { return isEmpty() ? 0 : right - left + 1; }
    int height() const { return isEmpty() ? 0 : bottom - top + 1; }
    // The same rectangle with `by` pixels taken off every side (empty stays empty).
    TRect shrunk(int by) const {
        return isEmpty() ? TRect{} : TRect{left + by, top + by, right - by, bottom - by};
    }
    bool operator==(const TRect&) const = default;
};

// A 24-bit colour; value() is the number the program writes it as: red in the low byte.
struct TColour {
    std::uint8_t red = 255;
    std::uint8_t green = 255;
    std::uint8_t blue = 255;

    std::uint32_t value() const {
        return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
               static_cast<std::uint32_t>(blue) << 16;
    }
    static TColour fromValue(std::uint32_t bgr) {
        return {static_cast<std::uint8_t>(bgr & 0xFF), static_cast<std::uint8_t>((bgr >> 8) & 0xFF),
                static_cast<std::uint8_t>((bgr >> 16) & 0xFF)};
    }
    static TColour grey(int level) {
        const auto g = static_cast<std::uint8_t>(level);
        return {g, g, g};
    }
    bool operator==(const TColour&) const = default;
};

// The common background of panels and boxes.
inline constexpr std::uint32_t BACKGROUND_COLOUR = 0xC8D0D4;
