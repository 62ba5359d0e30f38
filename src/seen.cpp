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
uint32_t key[3];

// Seed the mix from the system's random source, and back the table by huge
// pages. Without a random source the key stays fixed: the counts are as
// right, only crafted input could then slow byl.
void seed(void)
{
#if defined(__OpenBSD__) || defined(__FreeBSD__) || defined(__NetBSD__) || defined(__APPLE__)
	arc4random_buf(key, sizeof key);
#elif defined(__linux__)
	if (getrandom(key, sizeof key, GRND_NONBLOCK) != sizeof key) {
		int fd = open("/dev/urandom", O_RDONLY);
		if (fd >= 0) {
			if (read(fd, key, sizeof key) != sizeof key)
				memset(key, 0, sizeof key);
			close(fd);
		}
	}
#else
	if (getentropy(key, sizeof key) != 0)
		memset(key, 0, sizeof key);
#endif
	key[1] |= 1;
	key[2] |= 1;
	huge(byl, sizeof byl);
}
