// The frame of an instruction set's file, read before its target region:
// every header the generic code needs (the file adds its own intrinsics
// header, also before the region), so that none is first read inside it;
// the region's markers; and what the file and the generic code owe each
// other.
//
// An instruction set's file includes this, opens its region with
// TARGET_BEGIN, and defines in namespace ISA (a macro naming the set):
//
//   COUNTBY     the bytes feeds() counts line feeds by: a vector's, or 8
//               for 64-bit words
//   kinds classify(const unsigned char *b)    the classes of the block at b
//   uint64_t value(const unsigned char *e, unsigned len)
//       the value of the len (1 to WINDOW) digits that end at e
//   cursor runs(cursor c, const unsigned char *last, const int *full)
//       its fast loop over plain blocks (see cursor), with FASTLOOP
//       defined; without it, blocks.h leaves every block to the general
//       loop
//   the compare of a bucket's slots with a code:
//     slots                                  a code as the compare takes it
//     slots splat(const uint32_t *x)         the code at x
//     void keep(uint32_t *at, slots k)       store k's code at at
//     unsigned match(const uint32_t *b, slots k)
//         a bit, or bits, for each slot of the bucket at b that holds k
//     unsigned below(unsigned f)             the bits of match() for slots 0 to f - 1
//     unsigned same(const uint32_t *b, uint32_t x)
//         the 16 ints from b on that equal x, a bit each in order; same8()
//         the same for 8
//
// words.h gives value() by 64-bit words; compare.h (portable) and
// compare-sse2.h are whole compares. Then it includes, in
// this order, probe.h (which makes fresh(), the probe, and mix8(), the
// mix), blocks.h (scan(), the block reader), score.h (cases(), the loop
// over the test cases) and entry.h, which hands them over as the set's one
// reader; and closes the region with TARGET_END.
//
// Each copy of the generic code has its own names, so the linker cannot
// merge one built for AVX2 into the plain one; and no header that every
// file shares defines a function with external linkage that code runs
// (constexpr constructors run only at compile time; make test fails on a
// weak function). The reader that entry.h defines in the region is
// constant-initialised, so no code of the region runs before choose().
#pragma once
#include "buffer.h"
#include "count.h"
#include "exact.h"
#include "input.h"
#include "readers.h"
#include "rules.h"

#include <cstdint>
#include <cstring>

// Where the block loop stands: the tape filled up to t, the block at b read
// next, and open, the first byte of a run going on into it from the block
// before, or null. A fast loop that stops at a block it has classified
// leaves the classes in k, with known set, so that they are not worked out
// again.
struct cursor {
	int *t;
	const unsigned char *b, *open;
	bool known;
	kinds k;
};

// Where the runs of a block whose white space is sp begin, byte 0 among
// them if first (a run begins there unless one is open, or byte 0 stands
// for the open run's start), and where they end, byte 63 among them if the
// byte after the block at b is white space.
static inline uint64_t heads(uint64_t sp, uint64_t first)
{
	return ~sp & (sp << 1 | first);
}
static inline uint64_t tails(uint64_t sp, const unsigned char *b)
{
	return ~sp & (sp >> 1 | (uint64_t)blanks.is[b[BLOCK]] << 63);
}

// The signs of sg out of place: a sign is plain only first in its run, and
// not a run by itself.
static inline uint64_t misplaced(uint64_t sg, uint64_t starts, uint64_t ends)
{
	return sg & ~(starts & ~ends);
}

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

// Compile the functions from TARGET_BEGIN("...") to TARGET_END for the
// extensions named, whatever the flags of the build. They run only once
// the processor is known to have them.
#define PRAGMA(x) _Pragma(#x)
#if defined(__clang__)
#define TARGET_BEGIN(t) PRAGMA(clang attribute push(__attribute__((target(t))), apply_to = function))
#define TARGET_END PRAGMA(clang attribute pop)
#else
#define TARGET_BEGIN(t) PRAGMA(GCC push_options) PRAGMA(GCC target(t))
#define TARGET_END PRAGMA(GCC pop_options)
#endif
