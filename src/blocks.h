// The block reader, the same for every instruction set but for how a block
// is classified (classify()), how a run of digits is converted (value())
// and the fast loop that may go first (runs()), which the set's file
// defines first (isa.h lists them). Inside namespace ISA.
//
// It fills the tape from p on, a block of 64 bytes at a time. A number is a
// run of bytes between white space; bitmasks say where every run of a block
// starts and ends, so that each is converted apart from the others and
// their work overlaps. A run that crosses into the next block waits there
// for its end. Anything that is not a plain number (a letter, a sign out of
// place, too many digits, a value out of range) stops the scan at its run,
// for the exact reader; so does the sentinel past the data read.
// (Too many digits means more than WINDOW bytes after the sign, leading
// zeros included: the exact reader takes such a run.)
#include "isa.h"

namespace ISA {

#ifndef FASTLOOP
// A set without a fast loop of its own leaves every block to the general
// loop.
static inline cursor runs(cursor c, const unsigned char *, const int *)
{
	return c;
}
#endif

// Put the number that runs from s to e (its last byte) on the tape at t, if
// it has 1 to WINDOW bytes after its sign and fits in 32 bits; false
// otherwise. The value is worked out even for a run too long, so that one
// test decides.
static inline bool take(int *&t, const unsigned char *s, const unsigned char *e, unsigned sgn, unsigned neg)
{
	unsigned len = (unsigned)(e - s) + 1 - sgn;
	uint64_t u = value(e, len);
	if (__builtin_expect((len - 1 >= WINDOW) | !fits(u, neg), 0))
		return false;
	*t++ = (int)((u ^ (0 - (uint64_t)neg)) + neg);
	return true;
}

// Put the runs of the block at c.b on the tape one at a time: the open one
// first, then those that start and end in the block. bad marks bytes that
// are not part of a plain number; the runs from the first of them on are
// left to the exact reader. True if the scan stops here.
static inline bool each(cursor &c, const unsigned char *last, uint64_t starts, uint64_t ends, kinds k, uint64_t bad)
{
	const unsigned char *b = c.b, *halt = nullptr;
	bool cut = false;	// the bad byte is the sentinel past the data

	if (__builtin_expect(bad != 0, 0)) {
		// Keep only the runs before the first bad byte's.
		unsigned q = __builtin_ctzll(bad);
		uint64_t before = starts & ((2ull << q) - 1);
		cut = b + q >= last;
		if (!before)
			return stop(c.t, c.open, cut ? MORE : BAD), true;
		unsigned s = 63 - __builtin_clzll(before);
		halt = b + s;
		starts &= (1ull << s) - 1;
		ends &= (1ull << s) - 1;
	}
	if (c.open) {
		const unsigned char *o = c.open;
		if (!ends || !take(c.t, o, b + __builtin_ctzll(ends), sign(*o), minus(*o)))
			return stop(c.t, o, BAD), true;
		ends &= ends - 1;
		c.open = nullptr;
	}
	while (ends) {
		unsigned s = __builtin_ctzll(starts), e = __builtin_ctzll(ends);
		if (!take(c.t, b + s, b + e, k.sign >> s & 1, k.minus >> s & 1))
			return stop(c.t, b + s, BAD), true;
		starts &= starts - 1;
		ends &= ends - 1;
	}
	if (halt)
		return stop(c.t, halt, cut ? MORE : BAD), true;
	if (starts)
		c.open = b + __builtin_ctzll(starts);
	return false;
}

// Fill the tape from p on. A run starts at a block's first byte unless one
// is open: the byte before is white space then, or the scan begins there,
// or the first byte is white space itself (a run that ends with the block
// before leaves nothing open). A sign is only plain first in its run and
// not a run by itself.
static inline void scan(void)
{
	const unsigned char *last = end;
	const int *full = tape + BRIM;
	cursor c = {tape, p, nullptr, false, {0, 0, 0, 0}};

	from = p;
	ti = 0;
	for (;; c.b += BLOCK) {
		[[maybe_unused]] const unsigned char *was = c.b;
		c = runs(c, last, full);
#ifdef COUNT_BLOCKS
		tally.fast += (c.b - was) / BLOCK;
		tally.left += c.b < last && c.t <= full;
#endif
		if (c.b >= last)
			return stop(c.t, c.open ? c.open : last, MORE);
		if (c.t > full)
			return stop(c.t, c.open ? c.open : c.b, FULL);
		kinds k = c.known ? c.k : classify(c.b);
		c.known = false;
		if (k.space == ~0ull)	// white space alone: nothing is open
			continue;
		uint64_t starts = heads(k.space, !c.open), ends = tails(k.space, c.b);
		uint64_t bad = ~(k.space | k.digit | k.sign) | misplaced(k.sign, starts, ends);
		if (each(c, last, starts, ends, k, bad))
			return;
	}
}

// The line feeds among the n bytes at s, for the messages, which say where
// a fault stands: by vectors of COUNTBY bytes, each lane counting up to 255
// of them before they are summed. The bytes past the last whole vector are
// read as one more, whole, those past the n left out: so up to COUNTBY - 1
// bytes past them are read, which the buffer's sentinel holds.
static_assert(PAD >= COUNTBY - 1, "a count of line feeds reads up to COUNTBY - 1 bytes past the data");
static inline size_t vectorfeeds(const unsigned char *s, size_t n)
{
	typedef unsigned char lanes __attribute__((vector_size(COUNTBY)));
	size_t k = 0, sum = 0, whole = n - n % sizeof(lanes);
	lanes acc, v, place;
	while (k < whole) {
		size_t stop = whole - k > 255 * sizeof v ? k + 255 * sizeof v : whole;
		acc = lanes{};
#pragma GCC unroll 4
		for (; k < stop; k += sizeof v) {
			memcpy(&v, s + k, sizeof v);
			acc -= (lanes)(v == '\n');
		}
		for (size_t i = 0; i < sizeof acc; i++)
			sum += acc[i];
	}
	for (unsigned i = 0; i < sizeof place; i++)
		place[i] = (unsigned char)i;
	memcpy(&v, s + k, sizeof v);
	acc = (lanes)(v == '\n') & (lanes)(place < (unsigned char)(n - k));
	for (size_t i = 0; i < sizeof acc; i++)
		sum += acc[i] & 1;
	return sum;
}

// The same by 64-bit words, where a compiler makes a vector of bytes one
// byte at a time: a byte that is 0 once the line feed is taken away by XOR
// is the only one whose top bit stays clear after its low 7 bits are added
// to 0x7f, or-ed with it; each becomes 1 in its byte of a word. The bytes
// past the last whole word are read as one more, as above.
static inline uint64_t lf8(const unsigned char *s)
{
	const uint64_t ones = 0x0101010101010101u, low = 0x7f7f7f7f7f7f7f7fu;
	uint64_t x;
	memcpy(&x, s, 8);
	x ^= ones * '\n';
	return ~(((x & low) + low) | x) >> 7 & ones;
}
static inline size_t wordfeeds(const unsigned char *s, size_t n)
{
	const uint64_t odd = 0x00ff00ff00ff00ffu;
	unsigned char part[8] = {0};
	size_t k = 0, sum = 0, whole = n - n % 8;
	uint64_t acc, in;
	while (k < whole) {
		size_t stop = whole - k > 255 * 8 ? k + 255 * 8 : whole;
		for (acc = 0; k < stop; k += 8)
			acc += lf8(s + k);
		acc = (acc & odd) + (acc >> 8 & odd);
		sum += (size_t)(acc * 0x0001000100010001u >> 48);
	}
	memset(part, 1, n - k);
	memcpy(&in, part, 8);
	acc = lf8(s + k) & in;
	return sum + (size_t)(acc * 0x0101010101010101u >> 56);
}

// The line feeds among the n bytes at s.
static inline size_t feeds(const unsigned char *s, size_t n)
{
	return COUNTBY >= 16 ? vectorfeeds(s, n) : wordfeeds(s, n);
}

} // namespace ISA
