// The NEON reader, sixteen bytes at a time: every aarch64 has NEON.
#include "isa.h"
#ifdef HAVE_NEON
#include <arm_neon.h>
#define ISA neon

namespace ISA {

enum { COUNTBY = 16 };	// line feeds counted by vectors of 16 bytes

// The 64 bits of a block from four 16-byte compares, gathered by pairwise
// adds.
static inline uint64_t bits(const uint8x16_t m[4])
{
	const uint8x16_t w = {1, 2, 4, 8, 16, 32, 64, 128, 1, 2, 4, 8, 16, 32, 64, 128};
	uint8x16_t a = vpaddq_u8(vandq_u8(m[0], w), vandq_u8(m[1], w));
	uint8x16_t b = vpaddq_u8(vandq_u8(m[2], w), vandq_u8(m[3], w));
	a = vpaddq_u8(a, b);
	a = vpaddq_u8(a, a);
	return vgetq_lane_u64(vreinterpretq_u64_u8(a), 0);
}

// The classes of the 64 bytes of the block at b.
static inline kinds classify(const unsigned char *b)
{
	uint8x16_t s[4], d[4], g[4], m[4];
	for (int i = 0; i < 4; i++) {
		uint8x16_t c = vld1q_u8(b + 16 * i);
		s[i] = vorrq_u8(vceqq_u8(c, vdupq_n_u8(BLANK)), vcltq_u8(vsubq_u8(c, vdupq_n_u8(CTRL)), vdupq_n_u8(NCTRL)));
		d[i] = vcltq_u8(vsubq_u8(c, vdupq_n_u8('0')), vdupq_n_u8(NDIGIT));
		m[i] = vceqq_u8(c, vdupq_n_u8(MINUS));
		g[i] = vorrq_u8(m[i], vceqq_u8(c, vdupq_n_u8(PLUS)));
	}
	return {bits(s), bits(d), bits(g), bits(m)};
}

} // namespace ISA

#include "words.h"
#include "compare.h"
#include "probe.h"
#include "blocks.h"
#include "score.h"
#include "entry.h"
#endif
