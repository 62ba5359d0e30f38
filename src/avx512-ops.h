// Every AVX-512 instruction the AVX-512 reader uses, the whole of what it
// asks of the processor, each written twice: in plain C++ (namespace
// standin), which runs anywhere and under valgrind and qemu, and by its
// intrinsic (namespace native), in a target region of the extensions it
// needs. The reader takes one or the other whole: the portable build
// (-DPORTABLE_AVX512) the stand-ins, every other build the instructions.
// tests/ops.cpp checks that each pair agrees on random inputs.
//
// A vector is 64 bytes; a mask a bit for each byte (or each 64-bit lane),
// lowest first. The stand-ins keep x86's little-endian lanes.
#pragma once
#include "isa.h"

#if defined(__x86_64__)
#include <immintrin.h>

namespace standin {

struct vec {
	unsigned char b[64];
};

// Lane i of v, of n bytes; and set it to x.
static inline uint64_t get(const vec &v, int n, int i)
{
	uint64_t x = 0;
	memcpy(&x, v.b + n * i, n);
	return x;
}
static inline void set(vec &v, int n, int i, uint64_t x)
{
	memcpy(v.b + n * i, &x, n);
}

// The 64 bytes from s; c in every byte; the 16 bytes from t in each
// 16-byte lane.
static inline vec load(const unsigned char *s)
{
	vec v;
	memcpy(v.b, s, 64);
	return v;
}
static inline vec fill(unsigned char c)
{
	vec v;
	memset(v.b, c, 64);
	return v;
}
static inline vec table(const unsigned char *t)
{
	vec v;
	for (int i = 0; i < 64; i++)
		v.b[i] = t[i & 15];
	return v;
}

// Keep v in a register across a loop: nothing to do in plain C++.
static inline void keep(vec &)
{
}

// Byte by byte: a + b, a - b, and a - b saturated at 0 where m is set and 0
// elsewhere.
static inline vec add(vec a, vec b)
{
	for (int i = 0; i < 64; i++)
		a.b[i] = (unsigned char)(a.b[i] + b.b[i]);
	return a;
}
static inline vec sub(vec a, vec b)
{
	for (int i = 0; i < 64; i++)
		a.b[i] = (unsigned char)(a.b[i] - b.b[i]);
	return a;
}
static inline vec subs(uint64_t m, vec a, vec b)
{
	for (int i = 0; i < 64; i++)
		a.b[i] = m >> i & 1 && a.b[i] > b.b[i] ? (unsigned char)(a.b[i] - b.b[i]) : 0;
	return a;
}

// The bytes where a == b; where a < b, unsigned; where a > b, signed.
static inline uint64_t equal(vec a, vec b)
{
	uint64_t m = 0;
	for (int i = 0; i < 64; i++)
		m |= (uint64_t)(a.b[i] == b.b[i]) << i;
	return m;
}
static inline uint64_t below(vec a, vec b)
{
	uint64_t m = 0;
	for (int i = 0; i < 64; i++)
		m |= (uint64_t)(a.b[i] < b.b[i]) << i;
	return m;
}
static inline uint64_t greater(vec a, vec b)
{
	uint64_t m = 0;
	for (int i = 0; i < 64; i++)
		m |= (uint64_t)((signed char)a.b[i] > (signed char)b.b[i]) << i;
	return m;
}

// Each byte of v looked up by its low nibble in its own 16-byte lane of t,
// or 0 where its top bit is set (pshufb).
static inline vec lookup(vec t, vec v)
{
	vec r;
	for (int i = 0; i < 64; i++)
		r.b[i] = v.b[i] & 0x80 ? 0 : t.b[(i & ~15) | (v.b[i] & 15)];
	return r;
}

// The bytes of v at the indices in idx, of 64 (vpermb); of 128, lo's then
// hi's (vpermi2b).
static inline vec permute(vec idx, vec v)
{
	vec r;
	for (int i = 0; i < 64; i++)
		r.b[i] = v.b[idx.b[i] & 63];
	return r;
}
static inline vec permute2(vec lo, vec idx, vec hi)
{
	vec r;
	for (int i = 0; i < 64; i++)
		r.b[i] = (idx.b[i] & 64 ? hi : lo).b[idx.b[i] & 63];
	return r;
}

// The bytes of v that m marks, packed to the front, then zeros (vpcompressb).
static inline vec compress(uint64_t m, vec v)
{
	vec r = fill(0);
	for (int i = 0, k = 0; i < 64; i++)
		if (m >> i & 1)
			r.b[k++] = v.b[i];
	return r;
}

// a moved up by a 16-byte lane, b's last lane coming in below it
// (valignq by 6).
static inline vec up(vec a, vec b)
{
	vec r;
	memcpy(r.b, b.b + 48, 16);
	memcpy(r.b + 16, a.b, 48);
	return r;
}

// Pairs of bytes, unsigned in a and signed in b, multiplied and summed to
// a 16-bit lane with saturation (pmaddubsw).
static inline vec maddubs(vec a, vec b)
{
	vec r;
	for (int i = 0; i < 32; i++) {
		int s = a.b[2 * i] * (signed char)b.b[2 * i] + a.b[2 * i + 1] * (signed char)b.b[2 * i + 1];
		set(r, 2, i, (uint16_t)(s < -32768 ? -32768 : s > 32767 ? 32767 : s));
	}
	return r;
}

// Pairs of signed 16-bit lanes multiplied and summed to a 32-bit lane
// (pmaddwd; only two lanes of -32768 overflow, to -2^31).
static inline vec madd(vec a, vec b)
{
	vec r;
	for (int i = 0; i < 16; i++) {
		int64_t s = 0;
		for (int j = 2 * i; j < 2 * i + 2; j++)
			s += (int64_t)(int16_t)get(a, 2, j) * (int16_t)get(b, 2, j);
		set(r, 4, i, (uint32_t)s);
	}
	return r;
}

// The signed 32-bit lanes of a and b as unsigned 16-bit ones, saturated:
// in each 16-byte lane, a's four and then b's (packusdw).
static inline vec packus(vec a, vec b)
{
	vec r;
	for (int i = 0; i < 32; i++) {
		int32_t x = (int32_t)get(i & 4 ? b : a, 4, (i >> 3) * 4 + (i & 3));
		set(r, 2, i, (uint16_t)(x < 0 ? 0 : x > 65535 ? 65535 : x));
	}
	return r;
}

// In 64-bit lanes: the low 32 bits of a times those of b (pmuludq); a
// shifted down by 32; a + b; where m is set a - b, elsewhere src.
static inline vec mul32(vec a, vec b)
{
	for (int i = 0; i < 8; i++)
		set(a, 8, i, (get(a, 8, i) & 0xffffffff) * (get(b, 8, i) & 0xffffffff));
	return a;
}
static inline vec shr32(vec a)
{
	for (int i = 0; i < 8; i++)
		set(a, 8, i, get(a, 8, i) >> 32);
	return a;
}
static inline vec add64(vec a, vec b)
{
	for (int i = 0; i < 8; i++)
		set(a, 8, i, get(a, 8, i) + get(b, 8, i));
	return a;
}
static inline vec sub64(vec src, unsigned m, vec a, vec b)
{
	for (int i = 0; i < 8; i++)
		if (m >> i & 1)
			set(src, 8, i, get(a, 8, i) - get(b, 8, i));
	return src;
}
// The 64-bit lanes where a > b, signed, a bit each; the greater of a and
// b in each, signed (vpcmpgtq, vpmaxsq).
static inline uint64_t greater64(vec a, vec b)
{
	uint64_t m = 0;
	for (int i = 0; i < 8; i++)
		m |= (uint64_t)((int64_t)get(a, 8, i) > (int64_t)get(b, 8, i)) << i;
	return m;
}
static inline vec max64(vec a, vec b)
{
	for (int i = 0; i < 8; i++)
		if ((int64_t)get(b, 8, i) > (int64_t)get(a, 8, i))
			set(a, 8, i, get(b, 8, i));
	return a;
}

// Store at t the low 32 bits of each 64-bit lane of v, 8 ints, then their
// high 32 bits, 8 more (vpermd and a store of the vector); the first 32
// bytes of v, each widened, 32 ints (vpmovzxbd).
static inline void narrow(int *t, vec v)
{
	for (int i = 0; i < 8; i++) {
		t[i] = (int)(uint32_t)get(v, 8, i);
		t[i + 8] = (int)(uint32_t)(get(v, 8, i) >> 32);
	}
}
static inline void widen(int *t, vec v)
{
	for (int i = 0; i < 32; i++)
		t[i] = v.b[i];
}

// The bits of x where m is set, packed to the bottom (pext); the zeros
// above x's top bit, 64 for 0 (lzcnt); its set bits (popcnt); its n lowest
// bits (bzhi: all of them for n from 64 to 255, as its low byte says).
static inline uint64_t pext(uint64_t x, uint64_t m)
{
	uint64_t r = 0;
	for (int i = 0, k = 0; i < 64; i++)
		if (m >> i & 1)
			r |= (x >> i & 1) << k++;
	return r;
}
static inline uint64_t lead(uint64_t x)
{
	return x ? (uint64_t)__builtin_clzll(x) : 64;
}
static inline unsigned count(uint64_t x)
{
	return (unsigned)__builtin_popcountll(x);
}
static inline uint64_t low(uint64_t x, uint64_t n)
{
	n &= 255;
	return n >= 64 ? x : x & ((1ull << n) - 1);
}

} // namespace standin

// The extensions the instructions need, beside those of the AVX2 code,
// whose compare the AVX-512 reader shares.
#define AVX512_TARGET "avx2,avx512f,avx512bw,avx512vbmi,avx512vbmi2,bmi,bmi2,popcnt,lzcnt"

TARGET_BEGIN(AVX512_TARGET)
namespace native {

typedef __m512i vec;

// gcc 12 takes the unmasked form of many of these for reading an
// uninitialised vector (_mm512_undefined_*, -Wuninitialized); the form
// that zeroes the lanes a mask leaves out, with every lane in the mask,
// is the same instruction.
enum : uint64_t { ALL64 = ~0ull };
enum : unsigned { ALL16 = 0xffff, ALL8 = 0xff };

static inline vec load(const unsigned char *s)
{
	return _mm512_loadu_si512(s);
}
static inline vec fill(unsigned char c)
{
	return _mm512_set1_epi8((char)c);
}
static inline vec table(const unsigned char *t)
{
	return _mm512_maskz_broadcast_i32x4(ALL16, _mm_loadu_si128((const __m128i *)t));
}
// The compiler may otherwise make a constant afresh at each use in a loop.
static inline void keep(vec &v)
{
	asm("" : "+v"(v));
}
static inline vec add(vec a, vec b)
{
	return _mm512_add_epi8(a, b);
}
static inline vec sub(vec a, vec b)
{
	return _mm512_sub_epi8(a, b);
}
static inline vec subs(uint64_t m, vec a, vec b)
{
	return _mm512_maskz_subs_epu8(m, a, b);
}
static inline uint64_t equal(vec a, vec b)
{
	return _mm512_cmpeq_epi8_mask(a, b);
}
static inline uint64_t below(vec a, vec b)
{
	return _mm512_cmplt_epu8_mask(a, b);
}
static inline uint64_t greater(vec a, vec b)
{
	return _mm512_cmpgt_epi8_mask(a, b);
}
static inline vec lookup(vec t, vec v)
{
	return _mm512_shuffle_epi8(t, v);
}
static inline vec permute(vec idx, vec v)
{
	return _mm512_maskz_permutexvar_epi8(ALL64, idx, v);
}
static inline vec permute2(vec lo, vec idx, vec hi)
{
	return _mm512_permutex2var_epi8(lo, idx, hi);
}
static inline vec compress(uint64_t m, vec v)
{
	return _mm512_maskz_compress_epi8(m, v);
}
static inline vec up(vec a, vec b)
{
	return _mm512_maskz_alignr_epi64(ALL8, a, b, 6);
}
static inline vec maddubs(vec a, vec b)
{
	return _mm512_maddubs_epi16(a, b);
}
static inline vec madd(vec a, vec b)
{
	return _mm512_madd_epi16(a, b);
}
static inline vec packus(vec a, vec b)
{
	return _mm512_packus_epi32(a, b);
}
static inline vec mul32(vec a, vec b)
{
	return _mm512_maskz_mul_epu32(ALL8, a, b);
}
static inline vec shr32(vec a)
{
	return _mm512_maskz_srli_epi64(ALL8, a, 32);
}
static inline vec add64(vec a, vec b)
{
	return _mm512_add_epi64(a, b);
}
static inline vec sub64(vec src, unsigned m, vec a, vec b)
{
	return _mm512_mask_sub_epi64(src, (__mmask8)m, a, b);
}
// gcc 12 at -O1 with AddressSanitizer keeps an 8-bit mask widened to 64
// bits as its low byte alone, and reads the whole: the register, as an
// unsigned that it cannot see into, is widened right.
static inline uint64_t greater64(vec a, vec b)
{
	unsigned m = _mm512_cmpgt_epi64_mask(a, b);
	asm("" : "+r"(m));
	return m;
}
static inline vec max64(vec a, vec b)
{
	return _mm512_maskz_max_epi64(ALL8, a, b);
}
// vpermd and a store of the whole vector take fewer steps than vpmovqd,
// or than a store of half of it, which needs a mask.
static inline void narrow(int *t, vec v)
{
	const __m512i halves = _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 1, 3, 5, 7, 9, 11, 13, 15);
	_mm512_storeu_si512(t, _mm512_maskz_permutexvar_epi32(ALL16, halves, v));
}
static inline void widen(int *t, vec v)
{
	_mm512_storeu_si512(t, _mm512_maskz_cvtepu8_epi32(ALL16, _mm512_maskz_extracti32x4_epi32(ALL8, v, 0)));
	_mm512_storeu_si512(t + 16, _mm512_maskz_cvtepu8_epi32(ALL16, _mm512_maskz_extracti32x4_epi32(ALL8, v, 1)));
}
static inline uint64_t pext(uint64_t x, uint64_t m)
{
	return _pext_u64(x, m);
}
static inline uint64_t lead(uint64_t x)
{
	return _lzcnt_u64(x);
}
static inline unsigned count(uint64_t x)
{
	return (unsigned)_mm_popcnt_u64(x);
}
static inline uint64_t low(uint64_t x, uint64_t n)
{
	return _bzhi_u64(x, n);
}

} // namespace native
TARGET_END
#endif
