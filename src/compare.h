// The compare of a bucket's slots with a code in portable C++, for the
// probe of the seen set and for a test case small enough to do without it.
// Inside namespace ISA.
#include "count.h"

namespace ISA {

typedef uint32_t slots;

// The code at x, as the compare takes it; and put back at at.
static inline slots splat(const uint32_t *x)
{
	return *x;
}
static inline void keep(uint32_t *at, slots k)
{
	*at = k;
}

// A bit for each of the 16 slots from b on that holds x, in their order.
static inline unsigned match(const uint32_t *b, slots x)
{
	unsigned m = 0;
	for (unsigned i = 0; i < WAYS; i++)
		m |= (unsigned)(b[i] == x) << i;
	return m;
}

} // namespace ISA

#include "inorder.h"
