// The AVX2 reader, thirty-two bytes at a time, with the bit instructions
// that come with AVX2 on every processor that has it (BMI1, BMI2, POPCNT,
// LZCNT): x86-64 only. Its fast loop (avx2-runs.h) converts the numbers of
// a block two or four at a time.
#include "isa.h"
#ifdef HAVE_AVX2
#include <immintrin.h>
#define ISA avx2
#define FASTLOOP

TARGET_BEGIN("avx2,bmi,bmi2,popcnt,lzcnt")
namespace ISA {

enum { COUNTBY = 32 };	// line feeds counted by vectors of 32 bytes

// Byte c in every lane, made once before a loop and kept in a register: the
// compiler may not make it afresh at each use, which costs three
// instructions a time.
static inline __m256i kept(char c)
{
	__m256i v = _mm256_set1_epi8(c);
	asm("" : "+x"(v));
	return v;
}

// The 64 bits of a block from two 32-byte compares.
static inline uint64_t bits(__m256i lo, __m256i hi)
{
	return (uint64_t)(unsigned)_mm256_movemask_epi8(lo) | (uint64_t)(unsigned)_mm256_movemask_epi8(hi) << 32;
}

// A nibble table in both halves of a vector, made once before a loop and
// kept in a register.
static inline __m256i table(const nibbles &t)
{
	__m256i v = _mm256_broadcastsi128_si256(_mm_loadu_si128((const __m128i *)t.at));
	asm("" : "+x"(v));
	return v;
}

// The bytes of the block at b that equal what the table looks up for their
// low nibbles. A byte from 0x80 up looks up 0 and is never found.
static inline uint64_t look(const unsigned char *b, __m256i table)
{
	__m256i m[2];
	for (int i = 0; i < 2; i++) {
		__m256i c = _mm256_loadu_si256((const __m256i *)b + i);
		m[i] = _mm256_cmpeq_epi8(c, _mm256_shuffle_epi8(table, c));
	}
	return bits(m[0], m[1]);
}

// The white space bytes, the signs, the digits and the minus signs of the
// block at b, a bit each; the first two by the tables made from whites and
// signs.
static inline uint64_t white64(const unsigned char *b, __m256i wt)
{
	return look(b, wt);
}
static inline uint64_t sign64(const unsigned char *b, __m256i st)
{
	return look(b, st);
}
// The digits of c: shifted so that '0' is the lowest signed byte, a digit
// is below the lowest plus NDIGIT.
static inline __m256i digits(__m256i c)
{
	return _mm256_cmpgt_epi8(kept((char)(NDIGIT - 128)), _mm256_sub_epi8(c, kept((char)('0' + 128))));
}
static inline uint64_t digit64(const unsigned char *b)
{
	return bits(digits(_mm256_loadu_si256((const __m256i *)b)), digits(_mm256_loadu_si256((const __m256i *)b + 1)));
}
static inline uint64_t minus64(const unsigned char *b)
{
	__m256i m[2];
	for (int i = 0; i < 2; i++)
		m[i] = _mm256_cmpeq_epi8(_mm256_loadu_si256((const __m256i *)b + i), _mm256_set1_epi8(MINUS));
	return bits(m[0], m[1]);
}

// The classes of the 64 bytes of the block at b.
static inline kinds classify(const unsigned char *b)
{
	return {white64(b, table(whites)), digit64(b), sign64(b, table(signs)), minus64(b)};
}

// Windows w hold runs, all else masked off. In each 8-byte quarter, as a
// 64-bit lane: 255 times the minus signs in it, so not 0 where one is.
static inline __m256i negs(__m256i w)
{
	return _mm256_sad_epu8(_mm256_cmpeq_epi8(w, kept(MINUS)), _mm256_setzero_si256());
}

// In the first two 32-bit lanes of each 16-byte half of w: the values of
// its two quarters, 8 digits each (the next two lanes repeat them). The
// digits are summed in pairs by three multiply-adds; a sign or a masked
// byte takes away '0' to nothing.
static inline __m256i sums(__m256i w)
{
	__m256i d = _mm256_subs_epu8(w, kept('0'));
	d = _mm256_maddubs_epi16(d, _mm256_set1_epi16(1 << 8 | 10));
	d = _mm256_madd_epi16(d, _mm256_set1_epi32(1 << 16 | 100));
	d = _mm256_packs_epi32(d, d);
	return _mm256_madd_epi16(d, _mm256_set1_epi32(1 << 16 | 10000));
}

// The value of the len (1 to 16) digits that end at e: the 16 bytes up to
// e, everything before the digits masked off, summed as in sums().
static inline uint64_t value(const unsigned char *e, unsigned len)
{
	__m128i w = _mm_and_si128(_mm_loadu_si128((const __m128i *)(e - 15)),
				  _mm_loadu_si128((const __m128i *)(ramp.b + len)));
	uint64_t r = (uint64_t)_mm_cvtsi128_si64(_mm256_castsi256_si128(sums(_mm256_castsi128_si256(w))));
	return (r & 0xffffffff) * 100000000 + (r >> 32);
}

} // namespace ISA

#include "avx2-runs.h"
#include "compare-avx2.h"
#include "probe.h"
#include "blocks.h"
#include "score.h"
#include "entry.h"
TARGET_END
#endif
