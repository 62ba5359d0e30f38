// Each plain C++ stand-in of avx512-ops.h against the instruction it
// stands for, on many random inputs, where the processor runs the AVX-512
// code; skipped, saying so, where it does not. Part of the byte test (a
// check is an instruction and an input).
#include "../src/avx512-ops.h"
#include "../src/readers.h"
#ifdef HAVE_AVX512

#include <cstdio>

namespace s = standin;
namespace n = native;

enum { TRIES = 20000 };
static uint64_t state = 88172645463325252ull;

// The next of a fixed sequence of random numbers (xorshift).
static uint64_t draw(void)
{
	state ^= state << 13;
	state ^= state >> 7;
	state ^= state << 17;
	return state;
}

// A random mask: none, all, or any bits.
static uint64_t bits(void)
{
	uint64_t r = draw();
	return r % 8 == 0 ? 0 : r % 8 == 1 ? ~0ull : draw();
}

// A random vector: any bytes, or bytes from a few that meet at the edges of
// the instructions (equal bytes, signs, saturation, '0'), or a mix.
static s::vec any(void)
{
	static const unsigned char edge[] = {0, 1, 9, 10, 15, 16, '0', '9', 0x7f, 0x80, 0x81, 0xfe, 0xff};
	s::vec v;
	uint64_t how = draw() % 3;
	for (int i = 0; i < 64; i++) {
		uint64_t r = draw();
		v.b[i] = how == 0 || (how == 2 && r & 256) ? (unsigned char)r : edge[r % sizeof edge];
	}
	return v;
}

TARGET_BEGIN(AVX512_TARGET)

static n::vec to(s::vec v)
{
	return n::load(v.b);
}

// Whether the stand-in's vector and the instruction's are the same.
static bool same(s::vec a, n::vec b)
{
	return memcmp(&a, &b, 64) == 0;
}

// One random input through an instruction and its stand-in: whether they
// agree. a and b are vectors, m a mask, c a byte.
static bool t_load(s::vec a, s::vec, uint64_t, unsigned char)
{
	return same(s::load(a.b), n::load(a.b));
}
static bool t_fill(s::vec, s::vec, uint64_t, unsigned char c)
{
	return same(s::fill(c), n::fill(c));
}
static bool t_table(s::vec a, s::vec, uint64_t, unsigned char)
{
	return same(s::table(a.b), n::table(a.b));
}
static bool t_add(s::vec a, s::vec b, uint64_t, unsigned char)
{
	return same(s::add(a, b), n::add(to(a), to(b)));
}
static bool t_sub(s::vec a, s::vec b, uint64_t, unsigned char)
{
	return same(s::sub(a, b), n::sub(to(a), to(b)));
}
static bool t_subs(s::vec a, s::vec b, uint64_t m, unsigned char)
{
	return same(s::subs(m, a, b), n::subs(m, to(a), to(b)));
}
static bool t_equal(s::vec a, s::vec b, uint64_t, unsigned char)
{
	return s::equal(a, b) == n::equal(to(a), to(b));
}
static bool t_below(s::vec a, s::vec b, uint64_t, unsigned char)
{
	return s::below(a, b) == n::below(to(a), to(b));
}
static bool t_greater(s::vec a, s::vec b, uint64_t, unsigned char)
{
	return s::greater(a, b) == n::greater(to(a), to(b));
}
static bool t_lookup(s::vec a, s::vec b, uint64_t, unsigned char)
{
	return same(s::lookup(a, b), n::lookup(to(a), to(b)));
}
static bool t_permute(s::vec a, s::vec b, uint64_t, unsigned char)
{
	return same(s::permute(a, b), n::permute(to(a), to(b)));
}
static bool t_permute2(s::vec a, s::vec b, uint64_t, unsigned char c)
{
	s::vec i = s::add(a, s::fill(c));
	return same(s::permute2(a, i, b), n::permute2(to(a), to(i), to(b)));
}
static bool t_compress(s::vec a, s::vec, uint64_t m, unsigned char)
{
	return same(s::compress(m, a), n::compress(m, to(a)));
}
static bool t_up(s::vec a, s::vec b, uint64_t, unsigned char)
{
	return same(s::up(a, b), n::up(to(a), to(b)));
}
static bool t_maddubs(s::vec a, s::vec b, uint64_t, unsigned char)
{
	return same(s::maddubs(a, b), n::maddubs(to(a), to(b)));
}
static bool t_madd(s::vec a, s::vec b, uint64_t, unsigned char)
{
	return same(s::madd(a, b), n::madd(to(a), to(b)));
}
static bool t_packus(s::vec a, s::vec b, uint64_t, unsigned char)
{
	return same(s::packus(a, b), n::packus(to(a), to(b)));
}
static bool t_mul32(s::vec a, s::vec b, uint64_t, unsigned char)
{
	return same(s::mul32(a, b), n::mul32(to(a), to(b)));
}
static bool t_shr32(s::vec a, s::vec, uint64_t, unsigned char)
{
	return same(s::shr32(a), n::shr32(to(a)));
}
static bool t_add64(s::vec a, s::vec b, uint64_t, unsigned char)
{
	return same(s::add64(a, b), n::add64(to(a), to(b)));
}
static bool t_sub64(s::vec a, s::vec b, uint64_t m, unsigned char)
{
	s::vec src = s::add(a, b);
	return same(s::sub64(src, m & 0xff, a, b), n::sub64(to(src), m & 0xff, to(a), to(b)));
}
static bool t_greater64(s::vec a, s::vec b, uint64_t, unsigned char)
{
	return s::greater64(a, b) == n::greater64(to(a), to(b));
}
static bool t_max64(s::vec a, s::vec b, uint64_t, unsigned char)
{
	return same(s::max64(a, b), n::max64(to(a), to(b)));
}
static bool t_narrow(s::vec a, s::vec, uint64_t, unsigned char)
{
	int x[16], y[16];
	s::narrow(x, a);
	n::narrow(y, to(a));
	return memcmp(x, y, sizeof x) == 0;
}
static bool t_widen(s::vec a, s::vec, uint64_t, unsigned char)
{
	int x[32], y[32];
	s::widen(x, a);
	n::widen(y, to(a));
	return memcmp(x, y, sizeof x) == 0;
}
static bool t_bits(s::vec, s::vec, uint64_t m, unsigned char c)
{
	uint64_t x = bits();
	return s::pext(x, m) == n::pext(x, m) && s::lead(m) == n::lead(m) && s::count(m) == n::count(m) &&
	       s::low(x, c) == n::low(x, c) && s::low(x, m) == n::low(x, m);
}

// Every instruction with its check.
static const struct {
	const char *name;
	bool (*check)(s::vec, s::vec, uint64_t, unsigned char);
} all[] = {
    {"load", t_load}, {"fill", t_fill}, {"table", t_table}, {"add", t_add}, {"sub", t_sub},
    {"subs", t_subs}, {"equal", t_equal}, {"below", t_below}, {"greater", t_greater},
    {"lookup", t_lookup}, {"permute", t_permute}, {"permute2", t_permute2}, {"compress", t_compress},
    {"up", t_up}, {"maddubs", t_maddubs}, {"madd", t_madd}, {"packus", t_packus}, {"mul32", t_mul32},
    {"shr32", t_shr32}, {"add64", t_add64}, {"sub64", t_sub64}, {"greater64", t_greater64}, {"max64", t_max64}, {"narrow", t_narrow}, {"widen", t_widen},
    {"pext, lead, count, low", t_bits},
};

// Run each check TRIES times; the failures are printed, the first few of
// each instruction.
static void checks(int &good, int &bad)
{
	for (const auto &c : all) {
		int failed = 0;
		for (int i = 0; i < TRIES; i++) {
			s::vec a = any(), b = any();
			uint64_t m = bits();
			unsigned char k = (unsigned char)draw();
			if (c.check(a, b, m, k))
				good++;
			else if (bad++, failed++ < 3)
				printf("FAIL %s: try %d\n", c.name, i);
		}
	}
}

TARGET_END

// Check every stand-in where the processor runs the instructions, counting
// the checks passed and failed.
void standins(int &good, int &bad)
{
	if (!find("avx512"))
		printf("skipped: the AVX-512 instructions against their stand-ins, which this processor lacks\n");
	else
		checks(good, bad);
}
#endif
