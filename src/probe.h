// The probe of the seen set and the mix of the codes, the same for every
// instruction set but for the compare of a bucket's slots with a code,
// which the set's file defines first (isa.h lists it). Inside namespace
// ISA.
#include "count.h"

#include <cstring>

namespace ISA {

// Insert the mixed code at x into byl, from its bucket b on; 1 if it is new
// there, 0 if it was there already. A code passes on to the next bucket only
// from a full one, so a bucket with room ends the search. A bucket holds at
// most COUNT - 1 codes, so that the key can be stored in the slot past them
// whether or not it is new: only the count says which.
static_assert(below(COUNT - 1) < 1u << 31, "a hit leaves the top bit clear");
static inline uint32_t fresh(const uint32_t *x, uint32_t *b)
{
	slots k = splat(x);
	for (;;) {
		uint32_t f = b[COUNT];
		// hit - 1 has its top bit set only when hit is 0.
		uint32_t hit = match(b, k) & below(f), nothit = (hit - 1) >> 31;
		keep(b + f, k);
		if (__builtin_expect(hit || f < COUNT - 1, 1)) {
			b[COUNT] = f + nothit;
			return nothit;
		}
		b = byl + (((uint32_t)(b - byl) / WAYS + 1) & mask) * WAYS;
	}
}

// Mix the 8 codes from c on into keys at x, and put the first slot of each
// one's bucket at o. The mix is a bijection on 32 bits, so equal keys mean
// equal codes, and the bucket comes from its well-mixed top bits. Eight at
// a time, as one vector where the processor has one.
static inline void mix8(uint32_t *x, uint32_t *o, const int *c)
{
	typedef uint32_t lanes __attribute__((vector_size(32)));
	lanes v;

	memcpy(&v, c, sizeof v);
	v = (v ^ key[0]) * key[1];
	v ^= v >> 16;
	v *= key[2];
	memcpy(x, &v, sizeof v);
	v = (v >> shift) * (uint32_t)WAYS;
	memcpy(o, &v, sizeof v);
}

} // namespace ISA
