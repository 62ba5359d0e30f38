// The value of a run of digits by 64-bit words, for any processor: the
// conversion of the portable, SSE2, NEON and AVX-512 readers. Inside
// namespace ISA.
#include "isa.h"

#include <cstring>

namespace ISA {

// Load 8 bytes, the first in the lowest byte, in either byte order.
static inline uint64_t load8(const unsigned char *s)
{
	uint64_t x;
	memcpy(&x, s, 8);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
	x = __builtin_bswap64(x);
#endif
	return x;
}

// The value of 8 digits, the most significant in the lowest byte, in three
// multiplications instead of eight dependent steps.
static inline uint64_t eight(uint64_t x)
{
	x = x * 10 + (x >> 8);
	x = ((x & 0x000000ff000000ffu) * (100 + (1000000ull << 32)) +
	     ((x >> 16) & 0x000000ff000000ffu) * (1 + (10000ull << 32))) >> 32;
	return x;
}

// The value of the len (1 to 16) digits that end at e, by words: the 16
// bytes up to e, everything before the digits masked off, and 8 digits at
// a time. XOR rather than subtraction takes off '0', so no borrow runs from
// a masked byte into a digit.
static inline uint64_t value(const unsigned char *e, unsigned len)
{
	const uint64_t z = 0x3030303030303030u;
	uint64_t hi = (load8(e - 15) ^ z) & load8(ramp.b + len);
	uint64_t lo = (load8(e - 7) ^ z) & load8(ramp.b + len + 8);
	return eight(hi) * 100000000 + eight(lo);
}

} // namespace ISA
