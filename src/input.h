// The numbers: the tape that a block reader fills from the buffer ahead of
// use, and num(), which takes them from it or, when it runs short, has the
// block reader scan on, the buffer refilled, or the exact reader read one.
#pragma once
#include "exact.h"

// The tape: numbers the block reader has taken from the buffer ahead of
// use, tape[ti] the next, up to tape[tn]; the scan that took them began at
// from, maybe in white space before the first, and they are the runs from
// there on, none left out.
// The block reader stops for one of three reasons, in why: the tape is
// FULL, it needs MORE input, or a BAD run stops it, which the exact reader
// must read.
enum { TAPE = 512, FULL = 0, MORE, BAD };
// A block ends at most BLOCK / 2 runs, and one more may go on from it, so
// a block reader takes one only while the tape holds at most BRIM numbers
// (FULL otherwise). Past the numbers, room for the values a fast loop's
// store writes past a block's last (each loop checks that it fits), and for
// a small test case's read of 16 from its first code.
enum { BRIM = TAPE - (BLOCK / 2 + 1) };
static_assert(BRIM > BLOCK / 2 + 1, "a block's numbers fit after the check for room");
extern int tape[TAPE + 16];
extern unsigned ti, tn, why;
extern const unsigned char *from;

// The block reader of the code chosen for this processor.
extern void (*fill)(void);

#ifdef COUNT_BLOCKS
// In a build for the tests, the blocks the fast loop took, and those it
// left to the general one: right answers alone do not show that the fast
// loop takes the blocks.
struct tallies {
	unsigned long long fast, left;
};
extern tallies tally;
#endif

// Stop scanning at s, for the reason r, with the tape filled up to t.
static inline void stop(int *t, const unsigned char *s, unsigned r)
{
	tn = (unsigned)(t - tape);
	p = s;
	why = r;
}

// Read the number at pos when the tape is used up.
[[gnu::noinline]] int more(place pos);

// Read the number at pos, as "%d" does.
static inline int num(place pos)
{
	if (__builtin_expect(ti < tn, 1))
		return tape[ti++];
	return more(pos);
}

// Where the number read last began: right after it is read, before the
// buffer is refilled.
spot began(void);
// Start reading: nothing read, nothing on the tape.
void reset(void);
// Put a seekable input's offset just after the last number used.
void leave(void);
