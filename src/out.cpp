// Standard output, buffered, the one way the program fails, and waiting
// for a descriptor.
#include "out.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <unistd.h>

char out[1 << 16];
size_t outn;
const char *prog = "a";

// Write what is buffered for standard output.
void flush(void)
{
	size_t done = 0;
	while (done < outn) {
		ssize_t r = write(1, out + done, outn - done);
		if (r < 0 && again(1, POLLOUT))
			continue;
		if (r <= 0) {
			outn = 0;
			die("writing output: %s", strerror(r < 0 ? errno : EIO));
		}
		done += r;
	}
	outn = 0;
}

// Take the program's name from argv0, the last part of its path, as it was
// run: a where there is none.
void name(const char *argv0)
{
	const char *s = argv0 ? strrchr(argv0, '/') : nullptr;
	s = s ? s + 1 : argv0;
	if (s && *s)
		prog = s;
}

// Write what is left and close standard output: a file system may report
// a failed write only then. A descriptor never open had nothing written.
void done(void)
{
	flush();
	if (close(1) != 0 && errno != EBADF)
		die("writing output: %s", strerror(errno));
}

// Write the lines complete so far, then the program's name and the
// message, and exit 1.
void die(const char *fmt, ...)
{
	char msg[256];
	va_list ap;

	va_start(ap, fmt);
	vsnprintf(msg, sizeof msg, fmt, ap);
	va_end(ap);
#ifdef FUZZ
	outn = 0;
	fuzzdie(msg);
#endif
	flush();
	fprintf(stderr, "%s: %s\n", prog, msg);
	exit(1);
}

// Whether a call on fd that failed should be tried again, once fd is ready.
bool again(int fd, short events)
{
	if (errno == EAGAIN || errno == EWOULDBLOCK) {
		int e = errno, r;
		struct pollfd q = {fd, events, 0};
		while ((r = poll(&q, 1, -1)) < 0 && errno == EINTR)
			;
		errno = e;
		return r > 0;
	}
	return errno == EINTR;
}
