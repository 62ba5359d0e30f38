// The choice, once at start-up, of the code for this processor: the best
// whose every extension the processor has, or the one the build pins
// (PIN_PLAIN, PIN_SSE2, PIN_AVX2, PIN_AVX512, PIN_NEON) for tests and
// benchmarks.
#include "readers.h"
#include "out.h"

#include <cstring>

#if defined(PIN_PLAIN)
#define PIN "plain"
#elif defined(PIN_SSE2) && defined(HAVE_SSE2)
#define PIN "sse2"
#elif defined(PIN_AVX2) && defined(HAVE_AVX2)
#define PIN "avx2"
#elif defined(PIN_AVX512) && defined(HAVE_AVX512)
#define PIN "avx512"
#elif defined(PIN_NEON) && defined(HAVE_NEON)
#define PIN "neon"
#elif defined(PIN_SSE2) || defined(PIN_AVX2) || defined(PIN_AVX512) || defined(PIN_NEON)
#error "the code pinned is not built for this processor"
#endif

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>

#ifdef NAME_READER
#include <cstdio>
#include <cstdlib>

// The build for the tests, which names the code it takes, may take it on a
// processor they make up: the answers come from A_CPUID, where it is set,
// six words in hexadecimal: cpuid leaf 1's ecx and edx, leaf 7's ebx and
// ecx, leaf 0x80000001's ecx, and XCR0's low half. Word i of them in w.
static bool madeup(int i, unsigned *w)
{
	unsigned v[6];
	const char *s = getenv("A_CPUID");
	if (!s)
		return false;
	if (sscanf(s, "%x %x %x %x %x %x", v, v + 1, v + 2, v + 3, v + 4, v + 5) != 6)
		die("A_CPUID must hold six words in hexadecimal");
	*w = i < 0 ? 0 : v[i];
	return true;
}
#endif

// Whether cpuid leaf l (subleaf 0) has the bits of want in its register r
// (0 to 3: eax, ebx, ecx, edx).
static bool has(unsigned l, int r, unsigned want)
{
	unsigned v[4];
#ifdef NAME_READER
	int i = l == 1 ? r - 2 : l == 7 ? r + 1 : l == 0x80000001 && r == 2 ? 4 : -1;
	if (madeup(i, v))
		return (v[0] & want) == want;
#endif
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
// context switch (XCR0): 2 for the 128-bit, 4 for the 256-bit ones, 0xe0
// for the opmask registers and the rest of the 512-bit ones.
static bool saves(unsigned mask)
{
	unsigned lo, hi;
	if (!has(1, 2, bit_OSXSAVE))
		return false;
#ifdef NAME_READER
	if (madeup(5, &lo))
		return (lo & mask) == mask;
#endif
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

#ifdef HAVE_AVX512
// Whether the processor runs the AVX-512 code: the AVX2 code's extensions,
// AVX-512 F, BW, VBMI and VBMI2 (avx512-ops.h), and the system saving the
// 512-bit registers. The portable build runs anywhere.
static bool hasavx512(void)
{
#ifdef PORTABLE_AVX512
	return true;
#else
	return hasavx2() && has(7, 1, bit_AVX512F | bit_AVX512BW) && has(7, 2, bit_AVX512VBMI | bit_AVX512VBMI2) &&
	       saves(0xe6);
#endif
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
#ifdef HAVE_AVX512
	{&avx512::code, hasavx512},
#endif
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
