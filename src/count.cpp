// The data of the count: its storage, the tables built once at start-up,
// and the seen set's keys.
#include "count.h"

#include <cstddef>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/random.h>
#endif

enum { HUGE = 1 << 21 };	// the alignment of an array in huge pages

alignas(HUGE) int towar[ROWS][COLS];
long long suma;
int ilebylo;
int newton[WIDE + 1][WIDE + 1];
int tab[WIDE + 1];
long long gain[WIDE + 1][WIDE + 1];
alignas(HUGE) uint32_t byl[SLOTS];
uint32_t mask, shift;

// Build newton by Pascal's rule, tab by summing each row of it, and gain:
// a row of m entries, f of them fresh and m - f repeats, adds tab[f] for
// the subsets of its fresh entries and tab[f] * tab[m - f] for those with
// repeats too. Run once: tab is summed onto.
void build(void)
{
	for (int i = 0; i <= WIDE; i++)
		newton[i][0] = newton[i][i] = 1;
	for (int i = 2; i <= WIDE; i++)
		for (int k = 1; k < i; k++)
			newton[i][k] = newton[i - 1][k - 1] + newton[i - 1][k];
	for (int i = 1; i <= WIDE; i++)
		for (int k = 1; k <= i; k++)
			tab[i] += newton[i][k];
	tab[0] = 0;
	for (int m = 0; m <= WIDE; m++)
		for (int f = 0; f <= m; f++)
			gain[m][f] = tab[f] + (long long)tab[f] * tab[m - f];
}

// Odd constants that mix well by themselves, so that without a random
// source ordinary input still spreads over the buckets. The two multipliers
// must stay odd: the mix is then a bijection, and equal keys mean equal
// codes, which the probe relies on.
uint32_t key[3] = {0x9e3779b9, 0x85ebca6b, 0xc2b2ae35};

// Fill r with bytes from the system's random source; left as it is where
// there is none (a chroot without /dev, a sandbox that forbids the call).
static void entropy(uint32_t r[3])
{
#if defined(NO_ENTROPY)	// a build for the tests: as if there were none
	(void)r;
#elif defined(__OpenBSD__) || defined(__FreeBSD__) || defined(__NetBSD__) || defined(__APPLE__)
	arc4random_buf(r, 3 * sizeof *r);
#elif defined(__linux__)
	if (getrandom(r, 3 * sizeof *r, GRND_NONBLOCK) != 3 * sizeof *r) {
		int fd = open("/dev/urandom", O_RDONLY | O_CLOEXEC);
		if (fd >= 0) {
			if (read(fd, r, 3 * sizeof *r) != 3 * sizeof *r)
				memset(r, 0, 3 * sizeof *r);
			close(fd);
		}
	}
#else
	if (getentropy(r, 3 * sizeof *r) != 0)
		memset(r, 0, 3 * sizeof *r);
#endif
}

// Seed the mix afresh for this run, once, before any code is mixed: the
// random source folded into the fixed keys, so that no input can be crafted
// to crowd a bucket.
void seed(void)
{
	uint32_t r[3] = {0, 0, 0};
	entropy(r);
	for (int i = 0; i < 3; i++)
		key[i] ^= r[i];
	key[1] |= 1;
	key[2] |= 1;
}

// Back towar and byl by huge pages: a few faults instead of one or two for
// every 4 KiB page that the codes and the seen set touch at random.
void huge(void)
{
#ifdef MADV_HUGEPAGE
	madvise(towar, sizeof towar, MADV_HUGEPAGE);
	madvise(byl, sizeof byl, MADV_HUGEPAGE);
#endif
}
