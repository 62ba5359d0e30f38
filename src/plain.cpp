// The portable reader: plain C++, right in either byte order and at any
// word size, for processors that have no code of their own here.
#include "isa.h"
#define ISA plain

namespace ISA {

enum { COUNTBY = 8 };	// line feeds counted by 64-bit words

// The classes of the 64 bytes of the block at b, a byte at a time.
static inline kinds classify(const unsigned char *b)
{
	kinds k = {0, 0, 0, 0};
	for (unsigned i = 0; i < BLOCK; i++) {
		k.space |= (uint64_t)space(b[i]) << i;
		k.digit |= (uint64_t)digit(b[i]) << i;
		k.sign |= (uint64_t)sign(b[i]) << i;
		k.minus |= (uint64_t)minus(b[i]) << i;
	}
	return k;
}

} // namespace ISA

#include "words.h"
#include "compare.h"
#include "probe.h"
#include "blocks.h"
#include "score.h"
#include "entry.h"
