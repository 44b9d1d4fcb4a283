#pragma once
// Process-wide random numbers, seeded once from the operating system's entropy
// source, so that temporary names and trace-log stamps differ between two
// starts on the same day.

// A uniformly distributed integer in [0, bound); bound must be positive.
int RandomBelow(int bound);
