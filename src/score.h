// Reading a test case's rows and scoring them, the same for every
// instruction set but for the probe (probe.h) and the compare of the small
// test cases (same() and same8(), isa.h). Inside namespace ISA, after
// probe.h.
#include "count.h"
#include "input.h"

#include <cstring>

namespace ISA {

// Copy a row of m codes, 1 to 10, from the tape by moves of a fixed size:
// 8 codes, and for a wider row the last 8 too. Columns past m may take
// what follows on the tape; they are mixed with the row but never counted.
static inline void copy(int *to, const int *src, int m)
{
	static_assert(WIDE <= 2 * 8 && COLS >= 8 && COLS >= WIDE, "two moves of 8 make a row");
	memcpy(to, src, 32);
	if (m > 8)
		memcpy(to + m - 8, src + m - 8, 32);
}

// Read n rows of m item codes into towar: as many whole rows at a time as
// the tape holds, and a row at a time by num() when it runs short.
static inline void block(int n, int m)
{
	for (int i = 0; i < n;) {
		unsigned head = ti, whole = (tn - ti) / m;
		if (whole > (unsigned)(n - i))
			whole = n - i;
		for (unsigned j = 0; j < whole; j++, i++, head += m)
			copy(towar[i], tape + head, m);
		ti = head;
		if (i == n)
			break;
		for (int k = 0; k < m; k++)
			towar[i][k] = num({i + 1, k + 1});
		i++;
	}
}

// Mix the codes of row r of towar, m of them, into keys and bucket slots.
static inline void keys(uint32_t *x, uint32_t *o, int r, int m)
{
	mix8(x, o, towar[r]);
	if (m > 8)
		mix8(x + m - 8, o + m - 8, towar[r] + m - 8);
}

// Read rows 0 to n - 1 of width M into towar and score them into suma. The
// codes of a row some rows ahead are mixed into ring and their buckets
// fetched, so that the table's cache misses overlap instead of coming one
// after another. Built for each width, so that the entries of a row are
// done without a loop.
template <int M> static void rows(int n)
{
	alignas(32) static uint32_t ring[32][16], slot[32][16];
	const int ahead = (16 + M - 1) / M < n ? (16 + M - 1) / M : n;
	static_assert((16 + M - 1) / M < 32, "the ring holds the rows ahead");

	block(n, M);
	for (int r = 0; r < ahead; r++) {
		keys(ring[r], slot[r], r, M);
		for (int k = 0; k < M; k++)
			__builtin_prefetch(byl + slot[r][k], 1);
	}
	for (int i = 0; i < n; i++) {
		int r = i + ahead;
		const uint32_t *x = ring[i & 31], *o = slot[i & 31], *a = slot[r & 31];
		uint32_t f = 0;
		if (r < n)
			keys(ring[r & 31], slot[r & 31], r, M);
#pragma GCC unroll 10
		for (int k = 0; k < M; k++) {
			__builtin_prefetch(byl + a[k], 1);
			f += fresh(x + k, byl + o[k]);
		}
		add(M, (int)f);
	}
}

// Read and score rows 0 to n - 1 of width m, 1 to WIDE: apart from the
// loop over the test cases, which the small ones keep lean.
[[gnu::noinline, gnu::flatten]] static void score(int n, int m)
{
	static_assert(WIDE == 10, "a case for each width");
	switch (m) {
	case 1: return rows<1>(n);
	case 2: return rows<2>(n);
	case 3: return rows<3>(n);
	case 4: return rows<4>(n);
	case 5: return rows<5>(n);
	case 6: return rows<6>(n);
	case 7: return rows<7>(n);
	case 8: return rows<8>(n);
	case 9: return rows<9>(n);
	default: return rows<10>(n);
	}
}

// Score a test case of at most 16 codes, in order in codes[] (readable up
// to 16), without byl. The lowest of the codes equal to one is where it
// first comes: those places are fresh, all others repeats.
static inline void tiny(const int *codes, int n, int m)
{
	const uint32_t *c = (const uint32_t *)codes;
	uint32_t first = 0;
	int k = n * m;

	if (k <= 8)
		for (int i = 0; i < k; i++) {
			uint32_t e = same8(c, c[i]);
			first |= e & (0 - e);
		}
	else
		for (int i = 0; i < k; i++) {
			uint32_t e = same(c, c[i]);
			first |= e & (0 - e);
		}
	for (int i = 0; i < n; i++, first >>= m)
		add(m, __builtin_popcount(first & ((1u << m) - 1)));
}

// Read and score a test case of at most 16 codes. Most often the tape holds
// all of them, in order, and tiny() takes them from there.
static inline void small(int n, int m)
{
	if (tn - ti >= (unsigned)(n * m)) {
		ti += n * m;
		return tiny(tape + ti - n * m, n, m);
	}
	int flat[16] = {0};	// tiny() reads all 16
	block(n, m);
	for (int i = 0; i < n * m; i++)
		flat[i] = towar[i / m][i % m];
	tiny(flat, n, m);
}

// Report m entries per row, just read, unless a row holds them: 0 to WIDE.
static inline void width(int m)
{
	if (__builtin_expect(m < 0 || m > WIDE, 0))
		fault(began(), {0, 0}, "expected 0 to %d entries per row, found %d", WIDE, m);
}

// Read the rest of a header whose n is more rows than fit: a fault, unless
// the test case has no entries, and so reads nothing more.
[[gnu::cold, gnu::noinline]] static void toomany(int n)
{
	spot rows = began();
	int m = at.m = num({0, 2});
	width(m);
	if (m > 0)
		fault(rows, {0, 0}, "expected at most %d rows, found %d", ROWS, n);
}

// Read one test case's n and m, check them against the storage, read its
// codes into towar and score them.
static inline void test(void)
{
	suma = 0;
	ilebylo = 0;
	int n, m;
	if (__builtin_expect(tn - ti >= 2 && tape[ti] <= ROWS, 1)) {
		n = at.n = tape[ti];
		m = at.m = tape[ti + 1];
		ti += 2;
	} else {
		n = at.n = num({0, 1});
		if (n > ROWS)
			return toomany(n);
		m = at.m = num({0, 2});
	}
	if (n > 0)
		width(m);
	if (n <= 0 || m <= 0)
		return;
	if (n * m <= 16)
		return small(n, m);
	clear((long)n * m);
	score(n, m);
}

// Read, score and write each test case in turn.
static inline void cases(void)
{
	for (int j = 0; j < at.t; j++) {
		at.tcase = j + 1;
		test();
		put((int)suma);
	}
}

} // namespace ISA
