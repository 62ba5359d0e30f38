// The choice, once at start-up, of the code for this processor: the best
// whose every extension the processor has, or the one the build pins
// (PIN_PLAIN, PIN_SSE2, PIN_AVX2, PIN_NEON) for tests and benchmarks.
#include "readers.h"
#include "out.h"

#include <cstring>

#if defined(PIN_PLAIN)
#define PIN "plain"
#elif defined(PIN_SSE2) && defined(HAVE_SSE2)
#define PIN "sse2"
#elif defined(PIN_AVX2) && defined(HAVE_AVX2)
#define PIN "avx2"
#elif defined(PIN_NEON) && defined(HAVE_NEON)
#define PIN "neon"
#elif defined(PIN_SSE2) || defined(PIN_AVX2) || defined(PIN_NEON)
#error "the code pinned is not built for this processor"
#endif

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>

// Whether cpuid leaf l (subleaf 0) has the bits of want in its register r
// (0 to 3: eax, ebx, ecx, edx).
static bool has(unsigned l, int r, unsigned want)
{
	unsigned v[4];
	if ((unsigned)__get_cpuid_max(l & 0x80000000, nullptr) < l)
		return false;
	__cpuid_count(l, 0, v[0], v[1], v[2], v[3]);
	return (v[r] & want) == want;
}

// Whether the processor runs the SSE2 code.
static bool hassse2(void)
{
	return has(1, 3, bit_SSE2);
}

#ifdef HAVE_AVX2
// Whether the system saves the registers of every state in mask on a
// context switch (XCR0): 2 for the 128-bit, 4 for the 256-bit ones.
static bool saves(unsigned mask)
{
	unsigned lo, hi;
	if (!has(1, 2, bit_OSXSAVE))
		return false;
	asm("xgetbv" : "=a"(lo), "=d"(hi) : "c"(0));
	return (lo & mask) == mask;
}

// Whether the processor runs the AVX2 code: every extension it is built for
// (compilers do not all name lzcnt), and the system saving the 256-bit
// registers.
static bool hasavx2(void)
{
	return has(1, 2, bit_SSSE3 | bit_SSE4_1 | bit_POPCNT | bit_AVX) && has(7, 1, bit_AVX2 | bit_BMI | bit_BMI2) &&
	       has(0x80000001, 2, bit_LZCNT) && saves(6);
}
#endif
#endif

// Whether the processor runs code that asks nothing of it.
static bool always(void)
{
	return true;
}

// Every code this build holds, the best first, and whether the processor
// runs it.
static const struct {
	const reader *code;
	bool (*runs)(void);
} all[] = {
#ifdef HAVE_AVX2
	{&avx2::code, hasavx2},
#endif
#ifdef HAVE_SSE2
	{&sse2::code, hassse2},
#endif
#ifdef HAVE_NEON
	{&neon::code, always},
#endif
	{&plain::code, always},
};

// The code named name if the processor runs it, or null.
const reader *find(const char *name)
{
	for (const auto &c : all)
		if (strcmp(c.code->name, name) == 0)
			return c.runs() ? c.code : nullptr;
	return nullptr;
}

// Pick the code for this processor: the first it runs, or the one the
// build pins, which it must run.
const reader &choose(void)
{
#ifdef PIN
	const reader *r = find(PIN);
	if (!r)
		die("this processor cannot run the %s code", PIN);
	return *r;
#else
	for (const auto &c : all)
		if (c.runs())
			return *c.code;
	return plain::code;
#endif
}
