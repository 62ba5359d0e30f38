// The AVX-512 reader's fast loop: the runs of a block whose bytes are all
// plain, the places where they end packed into a vector once a block, and
// each run's 16-byte window gathered from the block by those, eight runs
// at a time; or, where all are of one or two digits, their values straight
// from the bytes where they end. Inside namespace avx512, after the
// classifier.
#include "isa.h"

namespace ISA {

// A run is at most 16 bytes here, so its window reaches 15 bytes before
// its end; an open run that is gathered has its start at most 15 bytes
// before the block (one 16 bytes back would be 17 long: walk() stops it),
// and the windows are gathered from the 128 bytes from 16 before the block. The
// tape has room for the values past a block's last that a store of sixteen
// from the first of its last eight writes, and a store of 32 from a block's
// first.
static_assert(LEAD >= CARRY + 16 && PAD >= 128 - 16, "the windows are gathered from 16 bytes before the block on");
static_assert(WINDOW == 16 && fits(99999999, false), "a window is two halves of 8 digits, each summed in 32 bits");
static_assert(sizeof tape / sizeof *tape >= BRIM + BLOCK / 2 + 15,
	      "sixteen values from the first of a block's last eight fit the tape");


// The constant bytes of the loop. after: byte i is i + 16, where byte i of
// the block stands in the gathered bytes, so that the end of the run before
// masks a window as it is. lanes: the runs that each 16-byte lane takes, 0,
// 2, 4, 6 in the first vector and 1, 3, 5, 7 in the second, so that their
// values come out in order. place: each byte's place in its lane less 15,
// -15 to 0. first: the end before a block's first run, as after would have
// it, the byte before its start: the 64 bytes from first + 16 * j end with
// 16 bytes j, for j from 0 to 15. tens: ten times each digit. The factors
// of the sums: pairs of digits (10, 1), of 2-digit values (100, 1) and of
// 4-digit values (10000, 1); and 10^8, MOST and 1 in 64-bit lanes.
struct bytes64 {
	unsigned char after[64], lanes[2][64], place[64], first[48 + 16 * 16], tens[16];
	unsigned char tens100[64], hundreds[64], myriads[64], e8[64], most[64], one[64];
	constexpr bytes64()
	    : after(), lanes(), place(), first(), tens(), tens100(), hundreds(), myriads(), e8(), most(), one()
	{
		for (int i = 0; i < 64; i++) {
			after[i] = (unsigned char)(i + 16);
			lanes[0][i] = (unsigned char)(i / 16 * 2);
			lanes[1][i] = (unsigned char)(i / 16 * 2 + 1);
			place[i] = (unsigned char)(i % 16 - 15);
			tens100[i] = i % 2 ? 1 : 10;
			hundreds[i] = (unsigned char)(i % 4 == 0 ? 100 : i % 4 == 2);
			myriads[i] = (unsigned char)(i % 4 == 0 ? 10000 & 255 : i % 4 == 1 ? 10000 >> 8 : i % 4 == 2);
			e8[i] = (unsigned char)(100000000ull >> 8 * (i % 8));
			most[i] = (unsigned char)(MOST >> 8 * (i % 8));
			one[i] = i % 8 == 0;
		}
		for (int i = 48; i < 48 + 16 * 16; i++)
			first[i] = (unsigned char)((i - 48) / 16);
		for (int d = 0; d < 10; d++)
			tens[d] = (unsigned char)(10 * d);
	}
};
alignas(64) static constexpr bytes64 consts;

// The constant vectors of the loop, made once before it and kept in
// registers: the compiler would make some of them afresh at each block.
struct vecs {
	vec whites, signs, nil, ascii0, ndigit, minus, after, lanes[2], place, by8, tens, tens100,
	    hundreds, myriads, e8, most, one;
};
static inline vecs made(void)
{
	vecs k;
	k.whites = kept(op::table(whites.at));
	k.signs = kept(op::table(signs.at));
	k.nil = kept(op::fill(0));
	k.ascii0 = kept(op::fill('0'));
	k.ndigit = kept(op::fill(NDIGIT));
	k.minus = kept(op::fill(MINUS));
	k.after = kept(op::load(consts.after));
	k.lanes[0] = kept(op::load(consts.lanes[0]));
	k.lanes[1] = kept(op::load(consts.lanes[1]));
	k.place = kept(op::load(consts.place));
	k.by8 = kept(op::fill(8));
	k.tens = kept(op::table(consts.tens));
	k.tens100 = kept(op::load(consts.tens100));
	k.hundreds = kept(op::load(consts.hundreds));
	k.myriads = kept(op::load(consts.myriads));
	k.e8 = kept(op::load(consts.e8));
	k.most = kept(op::load(consts.most));
	k.one = kept(op::load(consts.one));
	return k;
}

// The values of 4 runs from their windows w, the 16 bytes up to each end
// gathered at i: all up to the end before, as before has it (0 for none),
// masked off, and '0' taken from the others, which leaves nothing of a sign
// or white space; then summed in pairs, and the pairs in pairs, as 32-bit
// lanes. A lane that holds no run, its end 0, masks off all its window, so
// its value is 0.
static inline vec quarter(const vecs &k, vec w, vec i, vec before)
{
	vec d = op::subs(op::greater(i, before), w, k.ascii0);
	return op::madd(op::maddubs(d, k.tens100), k.hundreds);
}

// Put on the tape at t the values of 8 runs of a block, the g-th to the
// g + 7-th: their ends, as after has them, are at the bytes of e that la
// and lb say (runs 0, 2, 4, 6 of the eight, and 1, 3, 5, 7); the ends
// before those of the first are the second's, a lane up, with last's last
// lane, the ends before the first eight's, coming in. Their windows are
// gathered from lo (16 bytes before the block on) and hi (48 bytes into it),
// those of 1, 3, 5 and 7 from rot (the block, its last 16 bytes first),
// since the bytes they need that are not in the block are masked off. neg
// marks the negative ones. Their magnitudes, less one if negative, in
// 64-bit lanes: a value fits in 32 bits if that is at most MOST (fits()).
// A run past the block's last is 0, which fits even if neg marks it (the
// run going on into the next block may be negative), so no lane needs
// leaving out.
static inline vec octet(const vecs &k, int *t, vec lo, vec hi, vec rot, vec e, vec la, vec lb, vec last,
			uint64_t neg, unsigned g)
{
	vec ea = op::permute(la, e), eb = op::permute(lb, e);
	vec ia = op::add(ea, k.place), ib = op::add(eb, k.place);
	vec x = op::packus(quarter(k, op::permute2(lo, ia, hi), ia, op::up(eb, last)),
			   quarter(k, op::permute(ib, rot), ib, ea));
	x = op::madd(x, k.myriads);
	vec v = op::add64(op::mul32(x, k.e8), op::shr32(x));
	unsigned m = (unsigned)(neg >> g) & 0xff;
	op::narrow(t + g, op::sub64(v, m, k.nil, v));
	return op::sub64(v, m, v, k.one);
}

// As octet(), for the runs of a block past the first eight, eight at a
// time: rare but in blocks of short numbers.
[[gnu::noinline]] static vec beyond(const vecs &k, int *t, vec lo, vec hi, vec rot, vec e, uint64_t neg, unsigned n)
{
	vec top = k.nil;
	vec la = k.lanes[0], lb = k.lanes[1];
	for (unsigned g = 8; g < n; g += 8) {
		vec last = op::permute(lb, e);
		la = op::add(la, k.by8);
		lb = op::add(lb, k.by8);
		top = op::max64(top, octet(k, t, lo, hi, rot, e, la, lb, last, neg, g));
	}
	return top;
}

// Put on the tape at t the n runs of the block at b whose bytes are all
// plain and which are at most 16 bytes long: the first starts at s0, from
// -15 (an open run) to 0 (none is open), and each ends at a bit of ends;
// neg marks the negative ones. Up to fifteen values past the n-th go on
// the tape past the block's. The largest magnitude, less one if negative,
// in a 64-bit lane: above MOST if a value does not fit in 32 bits. Each
// run's window is masked from the end of the one before, the first's from
// the byte before s0: the block's bytes before its first start are white
// space.
static inline vec gather(const vecs &k, int *t, const unsigned char *b, int64_t s0, uint64_t ends, uint64_t neg,
			 unsigned n)
{
	vec e = op::compress(ends, k.after);
	vec lo = op::load(b - 16), hi = op::load(b + 48), v = op::load(b), rot = op::up(v, v);
	vec top = octet(k, t, lo, hi, rot, e, k.lanes[0], k.lanes[1], op::load(consts.first + 16 * (s0 + 15)), neg, 0);
	if (__builtin_expect(n > 8, 0))
		top = op::max64(top, beyond(k, t, lo, hi, rot, e, neg, n));
	return top;
}

// Whether a run of the block is longer than 16 bytes: 17 bytes in a row
// that are not white space. (An open run is checked where it ends.)
static inline bool longer(uint64_t sp)
{
	uint64_t nw = ~sp, r = nw & nw << 1;
	r &= r << 2;
	r &= r << 4;
	r &= r << 8;
	return r & nw << 16;
}

// Put on the tape at t the runs of the block b, all of one or two digits
// and the first not going on from the block before, which end at the bits
// of ends: each one's value is that of its last digit and ten times the
// byte before, which is white space, and so 0, or its first digit. The
// byte before the block is taken for white space: it may be stale, before
// the carried bytes. The store writes 32 values whatever their number.
static inline int *shorts(const vecs &k, int *t, const unsigned char *b, uint64_t ends)
{
	vec c = op::subs(~0ull, op::load(b), k.ascii0), prev = op::subs(~1ull, op::load(b - 1), k.ascii0);
	op::widen(t, op::compress(ends, op::add(c, op::lookup(k.tens, prev))));
	return t + op::count(ends);
}

// Fill the tape from c.b on, for as long as the blocks hold nothing but
// white space, digits and signs that begin runs, and their runs are at most
// 16 bytes (and, if check, fit in 32 bits). Stop at the first block that
// does not, with its classes in c.k, at the end of the data or when the
// tape is full. White space alone skips ahead a block at a time. Without
// check, the largest magnitude of the blocks taken, less one if negative,
// goes into top.
template <bool check>
static inline cursor walk(const vecs &k, vec &top, cursor c, const unsigned char *last, const int *full)
{
	int *t = c.t;
	const unsigned char *b = c.b;
	// Where the open run starts, from b: 0 if none is open, else below 0,
	// kept as a uint64_t whose top bit says a run is open; and whether
	// that run is negative. The open run began in the block before and
	// must end in this one: no run here is two blocks long.
	uint64_t cs = c.open ? (uint64_t)(c.open - b) : 0, cneg = c.open && minus(*c.open);
	// A run longer than 16 bytes stops the loop in the block where it
	// is, so one open from the block before has at most 16 there (from
	// the general loop, perhaps more: the general loop takes that block).
	if (__builtin_expect((int64_t)cs < -16, 0))
		return c;

	for (; b < last && t <= full; b += BLOCK) {
		vec v = op::load(b);
		uint64_t sp = look(k.whites, v);
		if (sp == ~0ull) {	// nothing is open: a run ends before white space
			while (b + BLOCK < last && look(k.whites, op::load(b + BLOCK)) == ~0ull)
				b += BLOCK;
			continue;
		}
		uint64_t sg = look(k.signs, v), mn = op::equal(v, k.minus);
		uint64_t dg = op::below(op::sub(v, k.ascii0), k.ndigit), isopen = cs >> 63;
		// Byte 0 counts as a start: of the open run, if one is. The byte
		// after the block is the data's or the sentinel's.
		uint64_t starts = heads(sp, 1), ends = tails(sp, b);
		// Whether no run ends in the first 16 + cs bytes: an open run,
		// at most 16 bytes long before this block, must end there.
		uint64_t late = op::low(ends, cs + 16) == 0;
		// Anything but white space, digits and signs; a sign not first
		// in its run, or a run by itself; an open run that begins with
		// a sign here, or is longer than 16 bytes.
		uint64_t bad = ~(sp | dg | sg) | misplaced(sg, starts, ends) | (isopen & (sg | late));
		c.k = {sp, dg, sg, mn};
		if (__builtin_expect(bad != 0, 0)) {
			c.known = true;
			break;
		}
		// Whether a run goes on into the next block, and where it starts
		// from there: the last start, less 64.
		uint64_t on = ~(sp | ends) >> 63;
		uint64_t next = (0 - 1 - op::lead(starts)) & (0 - on);
		// No run of three bytes, none begun before, no sign: one or
		// two digits each.
		uint64_t nw = ~sp;
		if ((cs | sg | (nw & nw << 1 & nw << 2)) == 0) {
			t = shorts(k, t, b, ends);
			cs = next;
			cneg = 0;
			continue;
		}
		// The open run's sign is in the block before; the others' at
		// their starts. The run going on is the n-th start.
		unsigned n = op::count(ends);
		uint64_t neg = op::pext(mn, starts) | cneg;
		if (longer(sp)) {
			c.known = true;
			break;
		}
		vec peak = gather(k, t, b, (int64_t)cs, ends, neg, n);
		if (check && op::greater64(peak, k.most)) {
			c.known = true;	// out of range
			break;
		}
		if (!check)
			top = op::max64(top, peak);
		t += n;
		cs = next;
		cneg = neg >> n & 1;
	}
	c.t = t;
	c.b = b;
	c.open = cs ? b + (int64_t)cs : nullptr;
	return c;
}

// Fill the tape as walk() does, checking the values of all the blocks at
// once: in the rare case that one does not fit in 32 bits, the blocks are
// taken again, each checked, so that the loop stops at that one.
static inline cursor runs(cursor c, const unsigned char *last, const int *full)
{
	const vecs k = made();
	vec top = k.nil;
	cursor r = walk<false>(k, top, c, last, full);
	if (__builtin_expect(op::greater64(top, k.most) != 0, 0))
		r = walk<true>(k, top, c, last, full);
	return r;
}

} // namespace ISA
