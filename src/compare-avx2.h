// The compare of a bucket's slots with a code with AVX2: all 16 slots by
// two compares. Inside namespace ISA.
#include "count.h"

#include <cstring>
#include <immintrin.h>

namespace ISA {

typedef __m256i slots;

// The code at x in every lane, loaded straight into them; and the code put
// back at at, from the lowest lane: by a copy of its bits, which stays in
// the vector register, where an integer store would take it out first.
static inline slots splat(const uint32_t *x)
{
	return _mm256_set1_epi32((int)*x);
}
static inline void keep(uint32_t *at, slots k)
{
	float low = _mm_cvtss_f32(_mm_castsi128_ps(_mm256_castsi256_si128(k)));
	memcpy(at, &low, sizeof low);
}

// The slots of a bucket that hold x, compared in two halves whose results
// packs interleaves: slots 0-3, 8-11, 4-7 and 12-15, two bits each.
static inline unsigned match(const uint32_t *b, slots x)
{
	__m256i lo = _mm256_cmpeq_epi32(_mm256_load_si256((const __m256i *)b), x);
	__m256i hi = _mm256_cmpeq_epi32(_mm256_load_si256((const __m256i *)b + 1), x);
	return (unsigned)_mm256_movemask_epi8(_mm256_packs_epi32(lo, hi));
}

// order.b[f] holds the bits of match() for slots 0 to f - 1.
struct orders {
	uint32_t b[WAYS + 1];
	constexpr orders() : b()
	{
		for (unsigned s = 0; s < WAYS; s++) {
			unsigned w = s < 4 ? s : s < 8 ? s + 4 : s < 12 ? s - 4 : s;
			b[s + 1] = b[s] | 3u << 2 * w;
		}
	}
};
static constexpr orders order;

// The bits of match() for the first f slots.
static constexpr unsigned below(unsigned f)
{
	return order.b[f];
}

// The 8 ints from b on that equal x, a bit each in their order.
static inline unsigned same8(const uint32_t *b, uint32_t x)
{
	__m256i k = splat(&x);
	return (unsigned)_mm256_movemask_ps(_mm256_castsi256_ps(
	    _mm256_cmpeq_epi32(_mm256_loadu_si256((const __m256i *)b), k)));
}

// The 16 ints from b on that equal x, a bit each in their order.
static inline unsigned same(const uint32_t *b, uint32_t x)
{
	return same8(b, x) | same8(b + 8, x) << 8;
}

} // namespace ISA
