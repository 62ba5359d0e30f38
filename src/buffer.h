// The input's bytes: the buffer, reading more of it without taking a byte
// past the last number owed, and a look at the next byte.
#pragma once
#include <cstddef>
#include <sys/types.h>

// The buffer. Data lives from buf + LEAD on; a number cut by the end of
// one read is carried to just before buf + LEAD (at most CARRY bytes: the
// block reader's refills come only then), and PAD bytes past the data hold
// a sentinel, so that blocks and digit windows load without bounds checks:
// END at end of input, which ends every number; CUT before it, which cuts
// one. A block reader starts at p and reads a block and the byte after it,
// and a digit window, or a gather of windows, up to 16 bytes before a
// carried run or a block, so never before the buffer's first byte; each
// reader checks that it keeps within these.
enum { BLOCK = 64, CHUNK = 1 << 17, CARRY = 48, LEAD = 64, PAD = 128 };
enum { END = ' ', CUT = 'x' };
static_assert(LEAD >= CARRY + 16, "a window reaches 16 bytes before a carried run");
static_assert(PAD >= BLOCK + 1, "a block from the data's last byte and the byte after it lie within the sentinel");
extern unsigned char *buf;	// LEAD + CHUNK + PAD bytes, or more for a long message
extern const unsigned char *p;	// the next byte to read
extern unsigned char *end;	// the end of the data read
extern bool eof;		// nothing more to read after end

// Read more input after the bytes from p on, at most LEAD of them, which
// are kept: the start of the first number owed, never white space. due
// numbers are owed from the first byte not yet taken; begun if the first
// of them has bytes taken already (it has if any are kept). Nothing past
// the byte that ends the last number owed is taken from a pipe, a stream
// socket or a terminal.
void refill(long long due, bool begun);

// The next input byte, without taking it, or -1 at end of input; due
// numbers owed, begun if bytes of the first have been taken.
static inline int peek(long long due, bool begun)
{
	if (p == end && !eof)
		refill(due, begun);
	return p == end ? -1 : *p;
}

// Where a byte of the input stands, for a message: its line and its column,
// from 1; a line ends at a line feed, and a column counts bytes.
struct spot {
	long long line, column;
};
// Where the byte at s stands; s from the first byte kept in the buffer to
// end.
spot locate(const unsigned char *s);
// Remember the byte at s, which a refill may let go, and tell where the
// byte remembered stands.
void mark(const unsigned char *s);
spot marked(void);
// The line feeds among the n bytes at s, by the code chosen for this
// processor: counted as the bytes are let go.
extern size_t (*feeds)(const unsigned char *s, size_t n);

// Start with nothing read.
void empty(void);
// Find out how standard input can be read ahead of use.
void start(void);
// Put a seekable input's offset at s, the byte after the last one used, so
// that the next reader of the same open file starts there.
void seek(const unsigned char *s);

#ifdef FUZZ
// What a fuzzing build reads in place of standard input; the fuzzer's own
// file defines them. Take up to want bytes of its text into to, the count
// (0 at its end); or show them without taking them.
ssize_t fuzzread(unsigned char *to, size_t want);
ssize_t fuzzlook(unsigned char *to, size_t want);
#endif
