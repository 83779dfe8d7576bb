// random_source.h: the scene's one pseudo-random generator and its state.
// It is never reseeded, so every run draws the same sequence.
#pragma once

#include <cstdint>

struct RandomState {
  uint64_t word;  // both draws step it; the short draw only its low half
};

extern RandomState randomState;  // program-wide; 1 at start (low half 1, high half 0)

// 0 to 32767; steps only the low 32 bits of the state.
int Rand15();
// 0 to 2,147,483,647; steps all 64 bits of the state.
int Rand31();
// Rand31 modulo n (signed remainder); 0 without a draw when n is 0.
int RandomBelow(int n);
