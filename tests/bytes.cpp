// Every byte 0 to 255, at every place of a block among bytes of every
// class, through the classifier of each code this processor runs, against
// the rules of the input; and its count of line feeds. Ends with a line of
// the checks passed and failed (a check is a reader and a byte) and the
// seconds taken, and names the codes skipped.
#include "../src/readers.h"
#include "../src/rules.h"

#include <cstdio>
#include <cstring>
#include <ctime>

// The classes the rules give byte c, a bit for each of the 64 places at
// which mask is set.
static kinds rule(int c, uint64_t mask)
{
	return {space(c) ? mask : 0, digit(c) ? mask : 0, sign(c) ? mask : 0, minus(c) ? mask : 0};
}

static bool same(kinds a, kinds b)
{
	return a.space == b.space && a.digit == b.digit && a.sign == b.sign && a.minus == b.minus;
}

// Whether the code r classifies byte c right at every place among bytes
// around, of each kind.
static bool right(const reader &r, int c)
{
	alignas(64) unsigned char block[2 * 64];
	static const unsigned char around[] = {' ', '\r', '5', '+', '-', 'x', 0, 0xff};
	for (unsigned char a : around)
		for (int i = 0; i < 64; i++) {
			memset(block, a, sizeof block);
			block[i] = (unsigned char)c;
			kinds want = rule(a, ~(1ull << i)), one = rule(c, 1ull << i);
			want = {want.space | one.space, want.digit | one.digit, want.sign | one.sign, want.minus | one.minus};
			if (!same(r.classify(block), want)) {
				printf("FAIL %s: byte 0x%02x at %d among 0x%02x\n", r.name, c, i, a);
				return false;
			}
		}
	return true;
}

// Whether the code r counts the line feeds of buffers of every length up to
// 300, and of 20,000 bytes, from every offset of a block, some all line
// feeds, so that each lane of a count fills.
static bool lines(const reader &r)
{
	static unsigned char text[64 + 20000 + 64];	// a vector read past the last
	unsigned seed = 1;
	for (int dense = 0; dense < 4; dense++) {
		for (unsigned char &c : text)
			c = dense == 3 || ((seed = seed * 1103515245 + 12345) >> 16) % 8 < (unsigned)dense ? '\n' : 'x' ^ (seed >> 8 & 3);
		for (size_t at = 0; at < 64; at += 7)
			for (size_t n = 0; n <= 20000; n += n < 300 ? 1 : 19700) {
				size_t want = 0;
				for (size_t i = 0; i < n; i++)
					want += text[at + i] == '\n';
				if (r.feeds(text + at, n) != want) {
					printf("FAIL %s: %zu line feeds in %zu bytes, counted %zu\n", r.name, want, n, r.feeds(text + at, n));
					return false;
				}
			}
	}
	return true;
}

// Every AVX-512 stand-in against its instruction (ops.cpp).
void standins(int &good, int &bad);

// Print the line of a group of checks begun at start.
static void tally(const char *group, int good, int bad, clock_t start)
{
	printf("%-16s %6d passed %4d failed %7.1f s\n", group, good, bad, (double)(clock() - start) / CLOCKS_PER_SEC);
}

int main()
{
	int good = 0, bad = 0;
	clock_t start = clock();
	static const char *const names[] = {"plain", "sse2", "avx2", "avx512", "neon"};
	for (const char *name : names) {
		const reader *r = find(name);
		if (!r) {
			printf("skipped: the %s code, which this build or processor lacks\n", name);
			continue;
		}
		for (int c = 0; c < 256; c++)
			right(*r, c) ? good++ : bad++;
		lines(*r) ? good++ : bad++;
		strcmp(r->name, name) == 0 ? good++ : bad++;	// and it is the code asked for
	}
	tally("bytes", good, bad, start);
#if defined(HAVE_AVX512) && !defined(PORTABLE_AVX512)	// where find() asks the processor
	int failed = bad;
	good = bad = 0;
	start = clock();
	standins(good, bad);
	tally("stand-ins", good, bad, start);
	bad += failed;
#endif
	return bad != 0;
}
