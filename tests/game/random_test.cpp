// The program-wide generator must give exactly the classic sequence: every game number's puzzle
// depends on it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "game/random.h"

namespace tessaran {
namespace {

std::vector<int> FirstTen(uint32_t seed) {
    srand(seed);
    std::vector<int> values;
    for (int i = 0; i < 10; ++i) values.push_back(rand());
    return values;
}

// The names live in the game's namespace: the C library's generator is another one, and a call
// to it leaves the game's sequence alone.
TEST(Random, KnownSequencesWrapStayInFifteenBitsAndIgnoreTheLibrarysGenerator) {
    EXPECT_EQ(FirstTen(0), (std::vector<int>{38, 7719, 21238, 2437, 8855, 11797, 8365, 32285, 10450, 30612}));
    EXPECT_EQ(FirstTen(12345), (std::vector<int>{7584, 19164, 25795, 22125, 5828, 23405, 27477, 5413, 29072, 23404}));
    EXPECT_EQ(RandomState(), 0xdb6c5723u);
    srand(0xffffffffu);
    EXPECT_EQ(rand(), static_cast<int>(((0xffffffffu * 214013u + 2531011u) >> 16) & 0x7fffu));
    for (int i = 0; i < 100000; ++i) ASSERT_LE(static_cast<unsigned>(rand()), static_cast<unsigned>(kRandMax));
    srand(1);
    (void)std::rand();
    EXPECT_EQ(rand(), 41);
    EXPECT_EQ(rand(), 18467);
}

}  // namespace
}  // namespace tessaran
