// Masks for the last bytes of a digit window.
#pragma once
#include "input.h"

// The most bytes of a run after its sign that value() converts: a digit
// window, leading zeros included.
enum { WINDOW = 16 };

// ramp.b + len holds 16 - len bytes 0 and then len bytes 0xff: a mask for
// the last len bytes of a 16-byte window (and, from ramp.b + 8 + len, of an
// 8-byte one). A run too long to be a number may be up to two blocks long;
// its window is worked out and then thrown away, so the table reaches that
// far.
struct ramps {
	unsigned char b[16 + 2 * BLOCK + 16];
	constexpr ramps() : b()
	{
		for (unsigned i = 16; i < sizeof b; i++)
			b[i] = 255;
	}
};
alignas(64) static constexpr ramps ramp;
