// The seen set's storage and its seed.
#include "seen.h"
#include "huge.h"

#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/random.h>
#endif

alignas(HUGE) uint32_t byl[SLOTS];
uint32_t mask, shift;
// Odd constants that mix well by themselves, so that without a random
// source ordinary input still spreads over the buckets.
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

// Seed the mix afresh for this run: the random source folded into the
// fixed keys, so that no input can be crafted to crowd a bucket; and back
// the table by huge pages.
void seed(void)
{
	uint32_t r[3] = {0, 0, 0};
	entropy(r);
	for (int i = 0; i < 3; i++)
		key[i] ^= r[i];
	key[1] |= 1;
	key[2] |= 1;
	huge(byl, sizeof byl);
}
