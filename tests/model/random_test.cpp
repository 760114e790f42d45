#include "model/random.h"

#include <gtest/gtest.h>

TEST(RandomGenerator, FirstOutputsFromSeedOne) {
    TRandomGenerator generator;
    // state 1 -> 22695478 -> ... ; the output is bits 16..30 of each new state.
    std::uint32_t state = 1;
    for (int i = 0; i < 1000; ++i) {
        state = state * 22695477u + 1u;
        ASSERT_EQ(generator.next(), static_cast<int>((state >> 16) & 0x7FFF));
    }
    TRandomGenerator fresh;
    EXPECT_EQ(fresh.next(), 346);
    EXPECT_EQ(fresh.next(), 130);
    EXPECT_EQ(fresh.next(), 10982);
    EXPECT_EQ(fresh.next(), 1090);
}

TEST(RandomGenerator, DrawIsOutputModuloN) {
    TRandomGenerator a;
    TRandomGenerator b;
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(a.draw(7), b.next() % 7);
    EXPECT_EQ(a.draw(0), 0);
    EXPECT_EQ(a.draw(-3), 0);
}
