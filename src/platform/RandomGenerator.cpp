#include "platform/RandomGenerator.h"

#include <ctime>

namespace platform {

namespace {

unsigned int g_state = 1;

} // namespace

void SeedRandom(unsigned int seed) {
    g_state = seed;
}

void SeedRandomWithTime() {
    SeedRandom(static_cast<unsigned int>(std::time(nullptr)));
}

int Random() {
    g_state = g_state * 214013u + 2531011u;
    return static_cast<int>((g_state >> 16) & RandomMax);
}

} // namespace platform
