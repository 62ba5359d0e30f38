// The input: its buffer, how much of it may be read ahead, and the tape of
// numbers that a block reader has taken from it ahead of use.
#pragma once
#include <cstddef>
#include <cstdint>

// The buffer. Data lives from buf + LEAD on; a number cut by the end of
// one read is carried to just before buf + LEAD (at most CARRY bytes: more()
// refills only then), and PAD bytes past the data hold a sentinel, so that
// blocks and digit windows load without bounds checks: END at end of input,
// which ends every number; CUT before it, which cuts one. A block reader
// starts at p and reads a block and the byte after it, and a digit window
// up to 15 bytes before a run's end, so never before the carried bytes or
// the buffer's first byte.
enum { BLOCK = 64, CHUNK = 1 << 17, CARRY = 48, LEAD = 64, PAD = 128 };
enum { END = ' ', CUT = 'x' };
static_assert(LEAD >= CARRY + 15, "a digit window starts 15 bytes before a carried number ends");
static_assert(PAD >= BLOCK + 1, "a block from the data's last byte and the byte after it lie within the sentinel");
extern unsigned char *buf;	// LEAD + CHUNK + PAD bytes, or more for a long message
extern const unsigned char *p;	// the next byte to read
extern unsigned char *end;	// the end of the data read
extern bool eof;		// nothing more to read after end

// Where reading stands: the number of test cases, the test case being read
// (from 1; 0 while reading their number), and its rows and entries per row
// once they are read.
struct progress {
	int t, tcase, n, m;
};
extern progress at;

// Which number of the test case is read: row and entry from 1, or row 0
// for the test case's header, whose entry 1 is n and entry 2 is m.
struct place {
	int row, entry;
};

// The numbers the input still owes from the one at pos on: the rest of
// this test case and two for each test case after it. Never below 1, since
// the number at pos is owed. Nothing past the byte that ends the last
// number owed is taken from a pipe, a socket or a terminal.
long long owed(place pos);

// Read more input after the bytes from p on; begun if the first number owed
// has bytes taken already (it has if any are kept from p on).
void refill(long long due, bool begun);

// The tape: numbers the block reader has taken from the buffer ahead of
// use, tape[ti] the next, up to tape[tn]; the first of them began at from.
// The block reader stops for one of three reasons, in why: the tape is
// FULL, it needs MORE input, or a BAD run stops it, which the exact reader
// must read.
enum { TAPE = 512, FULL = 0, MORE, BAD };
// A block ends at most BLOCK / 2 runs, and a block reader takes one only
// while the tape has room for them (FULL otherwise); past the numbers, room
// for the values a store of four or eight writes past a block's last, and
// for a small test case's read of 16 from its first code.
extern int tape[TAPE + 16];
extern unsigned ti, tn, why;
extern const unsigned char *from;

// The block reader of the code chosen for this processor.
extern void (*fill)(void);

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

// The next input byte, without taking it, or -1 at end of input; due
// numbers owed, begun if bytes of the first have been taken.
static inline int peek(long long due, bool begun)
{
	if (p == end && !eof)
		refill(due, begun);
	return p == end ? -1 : *p;
}

// Start reading: nothing read, nothing on the tape.
void reset(void);
// Find out how standard input can be read ahead of use.
void start(void);
// Put a seekable input's offset just after the last number used.
void leave(void);
