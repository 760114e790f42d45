#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// The linear congruential generator behind every random draw of the program. Its sequence is
// part of the program's behaviour (the same actions give the same variants), so it is fixed.
class TRandomGenerator {
public:
    // The next output, 0..32767.
    int next() {
        state_ = state_ * 22695477u + 1u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }
    // The next output modulo n; a non-positive n draws and gives 0.
    int draw(int n) {
        const int r = next();
        return n > 0 ? r % n : 0;
    }

    std::uint32_t state() const { return state_; }

private:
    std::uint32_t state_ = 1;
};

// The one generator of the process, seeded with 1 at start and never reseeded. Only the
// composition roots (the main window and the command line) name it; everything that draws
// takes a generator by reference. Interface thread only.
TRandomGenerator& processRandom();

// Shuffles `items` in place: for i = 1 to n - 1, item i swaps with item draw(i + 1).
template <class T> void shuffleFromSecond(std::vector<T>& items, TRandomGenerator& random) {
    for (std::size_t i = 1; i < items.size(); ++i)
        std::swap(items[i], items[static_cast<std::size_t>(random.draw(int(i) + 1))]);
}
