// The AVX2 reader's fast loop: the runs of a block whose bytes are all
// plain, converted two or four at a time, with no branch on where a run
// begins, or, where all are of one or two digits, straight from the bytes
// where they end. Inside namespace avx2, after the classifier.
#include "isa.h"

namespace ISA {

// A run is shorter than two blocks here (see runs()): its window's mask,
// from ramp.b + its length, lies within ramp, and the byte after a block,
// where a missing run ends, within the sentinel. The windows are 16 bytes
// and 8; a value of 8 digits fits. After a block's runs, a store of eight
// writes up to seven values more; the tape has room (input.h, checked
// below).
static_assert(sizeof ramp.b >= 2 * BLOCK + 16, "a window's mask lies within ramp");
static_assert(PAD >= BLOCK + 1, "a missing run ends at the byte after the block");
static_assert(WINDOW == 16 && fits(99999999, false), "the windows are 16 and 8 bytes");
static_assert(sizeof tape / sizeof *tape >= BRIM + BLOCK / 2 + 8,
	      "eight values from a block's last fit the tape");

// Put on the tape at t the runs of a block b whose bytes are all plain: the
// first starts at s1 from b (below 0 if it came from the block before), the
// others at the bits of starts, and each ends at a bit of ends. They go two
// at a time, one in each half of the vectors, so that one chain of
// instructions converts both. The loop runs at least once: a run missing
// from a pair (an odd last one, or both in a block whose only run goes on
// into the next) ends at byte 64, the byte after the block, and its value
// goes past the block's on the tape. False if a run is longer than 16 bytes
// or its value does not fit in 32 bits (fits(), in lanes: the value less 1
// if negative is below 2^31): also, rarely, for the missing run's window,
// or for -0, which the general loop then takes. Either way the values are
// right.
static inline bool pairs(int *t, const unsigned char *b, uint64_t s1, uint64_t starts, uint64_t ends)
{
	const __m256i zero = _mm256_setzero_si256();
	__m256i wide = zero;	// each value, less 1 if negative, or-ed
	uint64_t lens = 0;	// the runs' lengths less one, or-ed

	do {
		uint64_t e1 = _tzcnt_u64(ends), s2 = _tzcnt_u64(starts);
		ends = _blsr_u64(ends);
		starts = _blsr_u64(starts);
		uint64_t e2 = _tzcnt_u64(ends), s3 = _tzcnt_u64(starts);
		ends = _blsr_u64(ends);
		starts = _blsr_u64(starts);
		uint64_t l1 = e1 - s1, l2 = e2 - s2;
		lens |= l1 | l2;
		// Each window is the 16 bytes up to its run's end, the bytes
		// before the run masked off by ramp.b + length.
		__m256i c = _mm256_inserti128_si256(
		    _mm256_castsi128_si256(_mm_loadu_si128((const __m128i *)(b + e1 - 15))),
		    _mm_loadu_si128((const __m128i *)(b + e2 - 15)), 1);
		__m256i r = _mm256_inserti128_si256(
		    _mm256_castsi128_si256(_mm_loadu_si128((const __m128i *)(ramp.b + l1 + 1))),
		    _mm_loadu_si128((const __m128i *)(ramp.b + l2 + 1)), 1);
		__m256i w = _mm256_and_si256(c, r), neg = negs(w), d = sums(w);
		__m256i v = _mm256_add_epi64(_mm256_mul_epu32(d, _mm256_set1_epi64x(100000000)),
					     _mm256_srli_epi64(d, 32));
		neg = _mm256_or_si256(neg, _mm256_shuffle_epi32(neg, 0x4e));
		neg = _mm256_cmpgt_epi64(neg, zero);
		wide = _mm256_or_si256(wide, _mm256_add_epi64(v, neg));
		v = _mm256_sub_epi64(_mm256_xor_si256(v, neg), neg);
		v = _mm256_permutevar8x32_epi32(v, _mm256_setr_epi32(0, 4, 0, 0, 0, 0, 0, 0));
		_mm_storel_epi64((__m128i *)t, _mm256_castsi256_si128(v));
		t += 2;
		s1 = s3;
	} while (ends);
	return lens < 16 && _mm256_testz_si256(wide, _mm256_setr_epi32(INT32_MIN, -1, 0, 0, INT32_MIN, -1, 0, 0));
}

// The 8 bytes from each of p1 to p4, in that order.
static inline __m256i four(const unsigned char *p1, const unsigned char *p2, const unsigned char *p3,
			   const unsigned char *p4)
{
	long long q2, q4;
	memcpy(&q2, p2, 8);
	memcpy(&q4, p4, 8);
	__m128i lo = _mm_insert_epi64(_mm_loadl_epi64((const __m128i *)p1), q2, 1);
	__m128i hi = _mm_insert_epi64(_mm_loadl_epi64((const __m128i *)p3), q4, 1);
	return _mm256_inserti128_si256(_mm256_castsi128_si256(lo), hi, 1);
}

// As pairs(), for a block of many short runs: four at a time, each from an
// 8-byte window. A value of 8 bytes or fewer fits in 32 bits, so only the
// lengths are checked: false if a run is longer. Up to three runs past the
// last end at byte 64, as in pairs(), and their values go on the tape past
// the block's (the tape has room).
[[gnu::noinline]] static bool quads(int *t, const unsigned char *b, uint64_t s1, uint64_t starts, uint64_t ends)
{
	const __m256i zero = _mm256_setzero_si256();
	uint64_t lens = 0;

	while (ends) {
		uint64_t e[4], s[5];
		s[0] = s1;
#pragma GCC unroll 4
		for (int i = 0; i < 4; i++) {
			e[i] = _tzcnt_u64(ends);
			ends = _blsr_u64(ends);
			s[i + 1] = _tzcnt_u64(starts);
			starts = _blsr_u64(starts);
			lens |= e[i] - s[i];
		}
		s1 = s[4];
		__m256i c = four(b + e[0] - 7, b + e[1] - 7, b + e[2] - 7, b + e[3] - 7);
		// The mask is found from the length: the first start may lie
		// before b, where no pointer may be taken.
		__m256i r = four(ramp.b + 9 + (e[0] - s[0]), ramp.b + 9 + (e[1] - s[1]), ramp.b + 9 + (e[2] - s[2]),
				 ramp.b + 9 + (e[3] - s[3]));
		__m256i w = _mm256_and_si256(c, r), neg = negs(w), d = sums(w);
		neg = _mm256_cmpgt_epi32(_mm256_shuffle_epi32(neg, 0x88), zero);
		d = _mm256_sub_epi32(_mm256_xor_si256(d, neg), neg);
		d = _mm256_permute4x64_epi64(d, 0x08);
		_mm_storeu_si128((__m128i *)t, _mm256_castsi256_si128(d));
		t += 4;
	}
	return lens < 8;
}

// For each byte m, the places of its set bits in order, then 0x80, which
// shuffles in 0: the shuffle that packs the bytes of an 8-byte chunk that
// m marks to its front. squeeze.hi does the same for the chunk in the upper
// half of 16 bytes.
struct squeezes {
	unsigned char lo[256][8], hi[256][8];
	constexpr squeezes() : lo(), hi()
	{
		for (int m = 0; m < 256; m++) {
			int k = 0;
			for (int i = 0; i < 8; i++)
				if (m >> i & 1)
					lo[m][k] = (unsigned char)i, hi[m][k++] = (unsigned char)(i + 8);
			for (; k < 8; k++)
				lo[m][k] = hi[m][k] = 0x80;
		}
	}
};
alignas(64) static constexpr squeezes squeeze;

// Put on the tape at t the values of the bytes of the 16 at v that ends
// marks, in order: 8 values at a time, of which those marked count.
static inline int *pack16(int *t, __m128i v, unsigned ends)
{
	unsigned lo = ends & 0xff, hi = ends >> 8 & 0xff;
	__m128i s = _mm_loadl_epi64((const __m128i *)squeeze.lo[lo]);
	s = _mm_castps_si128(_mm_loadh_pi(_mm_castsi128_ps(s), (const __m64 *)squeeze.hi[hi]));
	v = _mm_shuffle_epi8(v, s);
	_mm256_storeu_si256((__m256i *)t, _mm256_cvtepu8_epi32(v));
	t += _mm_popcnt_u32(lo);
	_mm256_storeu_si256((__m256i *)t, _mm256_cvtepu8_epi32(_mm_unpackhi_epi64(v, v)));
	return t + _mm_popcnt_u32(hi);
}

// Put on the tape at t the runs of the block b, all of one or two digits
// and the first not going on from the block before, which end at the bits
// of ends: each one's value is that of its last digit and ten times the
// byte before, which is white space, and so 0, or its first digit. The
// byte before the block is taken for white space: it may be stale, before
// the carried bytes. The stores of eight write up to seven values past the
// block's last (the tape has room).
static inline int *shorts(int *t, const unsigned char *b, uint64_t ends)
{
	const __m256i tens = _mm256_setr_epi8(0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 0, 0, 0, 0, 0, 0,
					      0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 0, 0, 0, 0, 0, 0);
	const __m256i ascii0 = kept('0'), first = _mm256_setr_epi8(0, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
								 -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
								 -1, -1, -1, -1);
	__m256i v[2];
	for (int i = 0; i < 2; i++) {
		__m256i c = _mm256_loadu_si256((const __m256i *)b + i);
		__m256i prev = _mm256_loadu_si256((const __m256i *)(b + 32 * i - 1));
		if (i == 0)
			prev = _mm256_and_si256(prev, first);
		v[i] = _mm256_add_epi8(_mm256_subs_epu8(c, ascii0),
				       _mm256_shuffle_epi8(tens, _mm256_subs_epu8(prev, ascii0)));
	}
	t = pack16(t, _mm256_castsi256_si128(v[0]), (unsigned)ends);
	t = pack16(t, _mm256_extracti128_si256(v[0], 1), (unsigned)(ends >> 16));
	t = pack16(t, _mm256_castsi256_si128(v[1]), (unsigned)(ends >> 32));
	return pack16(t, _mm256_extracti128_si256(v[1], 1), (unsigned)(ends >> 48));
}

// Fill the tape from c.b on, for as long as the blocks hold nothing but
// white space, digits and signs that begin runs, and their runs convert in
// fours or pairs. Stop at the first block that does not, with its classes
// in c.k, at the end of the data or when the tape is full. White space
// alone skips ahead a block at a time.
static inline cursor runs(cursor c, const unsigned char *last, const int *full)
{
	int *t = c.t;
	const unsigned char *b = c.b;
	// Where the open run starts, from b: 0 if none is open, else below 0,
	// kept as a uint64_t so that adding it to the first start's index
	// gives the run's start without a branch. Its top bit says a run is
	// open. The open run began in the block before, so the offset is at or
	// above -BLOCK, and it must end in this block: no run here is two
	// blocks long.
	uint64_t cs = c.open ? (uint64_t)(c.open - b) : 0;
	const __m256i wt = table(whites), st = table(signs);

	for (; b < last && t <= full; b += BLOCK) {
		__m256i c0 = _mm256_loadu_si256((const __m256i *)b), c1 = _mm256_loadu_si256((const __m256i *)b + 1);
		__m256i w0 = _mm256_cmpeq_epi8(c0, _mm256_shuffle_epi8(wt, c0));
		__m256i w1 = _mm256_cmpeq_epi8(c1, _mm256_shuffle_epi8(wt, c1));
		uint64_t sp = bits(w0, w1);
		if (sp == ~0ull) {	// nothing is open: a run ends before white space
			while (b + BLOCK < last && white64(b + BLOCK, wt) == ~0ull)
				b += BLOCK;
			continue;
		}
		__m256i g0 = _mm256_cmpeq_epi8(c0, _mm256_shuffle_epi8(st, c0));
		__m256i g1 = _mm256_cmpeq_epi8(c1, _mm256_shuffle_epi8(st, c1));
		// Every byte white space, a digit or a sign, if all of these are set.
		__m256i plain = _mm256_and_si256(_mm256_or_si256(_mm256_or_si256(w0, g0), digits(c0)),
						 _mm256_or_si256(_mm256_or_si256(w1, g1), digits(c1)));
		uint64_t sg = bits(g0, g1), isopen = cs >> 63;
		// Byte 0 counts as a start: of the open run, if one is. The byte
		// after the block is the data's or the sentinel's.
		uint64_t starts = heads(sp, 1), ends = tails(sp, b);
		uint64_t lz = _lzcnt_u64(ends);	// 64 when no run ends here
		// Anything but white space, digits and signs; a sign not first
		// in its run, or a run by itself; an open run that begins with
		// a sign here, or does not end here.
		uint64_t bad = (uint32_t)~_mm256_movemask_epi8(plain) | misplaced(sg, starts, ends) | (isopen & (sg | lz >> 6));
		if (__builtin_expect(bad != 0, 0)) {	// the classes at hand go with it
			c.k = {sp, digit64(b), sg, minus64(b)};
			c.known = true;
			break;
		}
		// The pairs are driven by the ends, so a last start whose run
		// goes on is never taken.
		uint64_t s1 = _tzcnt_u64(starts) + cs, rest = _blsr_u64(starts);
		// Whether a run goes on into the next block, and where it starts
		// from there: the last start, less 64.
		uint64_t on = ~(sp | ends) >> 63;
		uint64_t next = (0 - 1 - _lzcnt_u64(starts)) & (0 - on);
		// No run of three bytes, none begun before, no sign: one or
		// two digits each.
		uint64_t nw = ~sp;
		if ((cs | sg | (nw & nw << 1 & nw << 2)) == 0) {
			t = shorts(t, b, ends);
			cs = next;
			continue;
		}
		unsigned n = (unsigned)_mm_popcnt_u64(ends);
		if (!(n >= 8 && quads(t, b, s1, rest, ends)) && !pairs(t, b, s1, rest, ends)) {
			c.k = classify(b);	// a run too long or out of range
			c.known = true;
			break;
		}
		t += n;
		cs = next;
	}
	c.t = t;
	c.b = b;
	c.open = cs ? b + (int64_t)cs : nullptr;
	return c;
}

} // namespace ISA
