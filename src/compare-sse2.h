// The compare of a bucket's slots with a code with SSE2: the probe's
// compare, four slots at a time, one bit each in their order. Inside
// namespace ISA.
#include "count.h"

#include <immintrin.h>

namespace ISA {

typedef __m128i slots;

// The code at x in every lane; and the code put back at at.
static inline slots splat(const uint32_t *x)
{
	return _mm_set1_epi32((int)*x);
}
static inline void keep(uint32_t *at, slots k)
{
	*at = (uint32_t)_mm_cvtsi128_si32(k);
}

// The 4 slots from b on that hold x, as all-ones lanes.
static inline __m128i eq4(const uint32_t *b, slots x)
{
	return _mm_cmpeq_epi32(_mm_loadu_si128((const __m128i *)b), x);
}

// A bit for each of the 16 slots from b on that holds x, in their order.
static inline unsigned match(const uint32_t *b, slots x)
{
	return _mm_movemask_epi8(_mm_packs_epi16(_mm_packs_epi32(eq4(b, x), eq4(b + 4, x)),
						 _mm_packs_epi32(eq4(b + 8, x), eq4(b + 12, x))));
}

} // namespace ISA

#include "inorder.h"
