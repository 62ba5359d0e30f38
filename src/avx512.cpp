// The AVX-512 reader, a block of sixty-four bytes in one vector, for the
// processors with AVX-512 F, BW, VBMI and VBMI2 beside the AVX2 code's
// extensions: x86-64 only. Its fast loop (avx512-runs.h) gathers the
// numbers of a block eight at a time. It is written over the instructions
// of avx512-ops.h alone, so that the portable build (-DPORTABLE_AVX512)
// runs the same code on any x86-64 with a plain C++ stand-in for each.
#include "isa.h"
#ifdef HAVE_AVX512
#include "avx512-ops.h"
#define ISA avx512
#define FASTLOOP

#ifndef PORTABLE_AVX512
TARGET_BEGIN(AVX512_TARGET)
#endif
namespace ISA {

#ifdef PORTABLE_AVX512
namespace op = standin;
#else
namespace op = native;
#endif
using op::vec;

// Line feeds counted by vectors of 32 bytes, since vectors of 64 made
// 2-ten 4% slower here; in the portable build by 64-bit words, since a
// vector written in plain C++ is made a byte at a time there.
#ifdef PORTABLE_AVX512
enum { COUNTBY = 8 };
#else
enum { COUNTBY = 32 };
#endif

// A constant kept in a register across a loop.
static inline vec kept(vec v)
{
	op::keep(v);
	return v;
}

// The bytes of v that equal what the table t (by nibbles) looks up for
// their low nibbles. A byte from 0x80 up looks up 0 and is never found.
static inline uint64_t look(vec t, vec v)
{
	return op::equal(v, op::lookup(t, v));
}

// The digits of v: less '0', below NDIGIT, unsigned.
static inline uint64_t digits(vec v)
{
	return op::below(op::sub(v, op::fill('0')), op::fill(NDIGIT));
}

// The classes of the 64 bytes of the block at b.
static inline kinds classify(const unsigned char *b)
{
	vec v = op::load(b);
	return {look(op::table(whites.at), v), digits(v), look(op::table(signs.at), v),
		op::equal(v, op::fill(MINUS))};
}

} // namespace ISA

#include "words.h"
#include "avx512-runs.h"
#ifdef PORTABLE_AVX512
#include "compare.h"
#else
#include "compare-avx2.h"
#endif
#include "probe.h"
#include "blocks.h"
#include "score.h"
#include "entry.h"
#ifndef PORTABLE_AVX512
TARGET_END
#endif
#endif
