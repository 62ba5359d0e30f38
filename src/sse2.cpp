// The SSE2 reader, sixteen bytes at a time: every x86-64 has SSE2, and a
// 32-bit x86 that has it takes this too.
#include "isa.h"
#ifdef HAVE_SSE2
#include <immintrin.h>
#define ISA sse2

TARGET_BEGIN("sse2")
namespace ISA {

enum { COUNTBY = 16 };	// line feeds counted by vectors of 16 bytes

// The bytes of a from lo on, n of them: shifted so that the range starts
// at the lowest signed byte, they are below the range's end.
static inline __m128i range(__m128i a, char lo, int n)
{
	return _mm_cmplt_epi8(_mm_sub_epi8(a, _mm_set1_epi8((char)(lo + 128))), _mm_set1_epi8((char)(n - 128)));
}

// The 64 bits of a block from four 16-byte compares.
static inline uint64_t bits(const __m128i m[4])
{
	return (uint64_t)(unsigned)_mm_movemask_epi8(m[0]) | (uint64_t)(unsigned)_mm_movemask_epi8(m[1]) << 16 |
	       (uint64_t)(unsigned)_mm_movemask_epi8(m[2]) << 32 | (uint64_t)(unsigned)_mm_movemask_epi8(m[3]) << 48;
}

// The classes of the 64 bytes of the block at b.
static inline kinds classify(const unsigned char *b)
{
	__m128i s[4], d[4], g[4], m[4];
	for (int i = 0; i < 4; i++) {
		__m128i c = _mm_loadu_si128((const __m128i *)b + i);
		s[i] = _mm_or_si128(_mm_cmpeq_epi8(c, _mm_set1_epi8(BLANK)), range(c, CTRL, NCTRL));
		d[i] = range(c, '0', NDIGIT);
		m[i] = _mm_cmpeq_epi8(c, _mm_set1_epi8(MINUS));
		g[i] = _mm_or_si128(m[i], _mm_cmpeq_epi8(c, _mm_set1_epi8(PLUS)));
	}
	return {bits(s), bits(d), bits(g), bits(m)};
}

} // namespace ISA

#include "words.h"
#include "compare-sse2.h"
#include "probe.h"
#include "blocks.h"
#include "score.h"
#include "entry.h"
TARGET_END
#endif
