// The code for each instruction set, behind one small interface, and which
// of them this build holds. choose() picks one at start-up.
#pragma once
#include <cstddef>
#include <cstdint>

// The bytes of a 64-byte block, a bit for each, lowest bit first: white
// space, digits, signs ('+' or '-') and minus signs alone. Anything else is
// in none of them.
struct kinds {
	uint64_t space, digit, sign, minus;
};

struct reader {
	const char *name;
	void (*scan)(void);	// fill the tape from p on
	void (*cases)(void);	// read, score and write every test case
	kinds (*classify)(const unsigned char *b);	// the block at b
	size_t (*feeds)(const unsigned char *s, size_t n);	// line feeds at s
};

#if defined(__x86_64__)
#define HAVE_AVX512 1
#define HAVE_AVX2 1
#endif
#if defined(__x86_64__) || defined(__i386__)
#define HAVE_SSE2 1
#endif
#if defined(__aarch64__)
#define HAVE_NEON 1
#endif

// Each instruction set's file defines its code in a namespace of its name.
namespace plain { extern const reader code; }
#ifdef HAVE_SSE2
namespace sse2 { extern const reader code; }
#endif
#ifdef HAVE_AVX512
namespace avx512 { extern const reader code; }
#endif
#ifdef HAVE_AVX2
namespace avx2 { extern const reader code; }
#endif
#ifdef HAVE_NEON
namespace neon { extern const reader code; }
#endif

// Pick the code for this processor, or the one the build pins.
const reader &choose(void);
// The code named name if this build holds it and the processor runs it,
// or null.
const reader *find(const char *name);
