#pragma once

// The program's one source of random numbers (internal IDs are drawn from it). It produces the values
// 0..RandomMax of the classic C library generator, so a fixed seed gives the same sequence everywhere.
namespace platform {

constexpr int RandomMax = 32767;

// Seeds the generator; the program seeds it once with the time at start-up, tests with a fixed value.
void SeedRandom(unsigned int seed);
void SeedRandomWithTime();

// Next value in 0..RandomMax.
int Random();

} // namespace platform
