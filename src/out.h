// Standard output, the one way the program fails, and waiting for a
// descriptor that another program left non-blocking.
#pragma once
#include <cstddef>
#include <cstring>

// Write what is buffered for standard output.
void flush(void);
// Write what is left, close standard output, and report a failure.
void done(void);
// The program's name in its messages, and taking it from argv[0].
extern const char *prog;
void name(const char *argv0);
// Write the lines complete so far, then the program's name and the
// message, and exit 1.
[[noreturn, gnu::cold]] void die(const char *fmt, ...) __attribute__((format(printf, 1, 2)));

// Whether a call on descriptor fd that failed should be tried again: after
// a signal, or, where the descriptor says it would have had to wait, once
// it is ready for events (POLLIN, POLLOUT). A wait that fails keeps the
// call's error.
bool again(int fd, short events);

#ifdef FUZZ
// Go back to the fuzzer with the message of a fault; its file defines it.
[[noreturn]] void fuzzdie(const char *msg);
#endif

// The lines not yet written, out[0] to out[outn].
extern char out[1 << 16];
extern size_t outn;

// Append one line holding v, 0 or more, in decimal to the output, two
// digits at a time.
static inline void put(int v)
{
	static const char pairs[] =
	    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
	    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
	    "8081828384858687888990919293949596979899";
	char d[32], *s = d + 16;	// digits end mid-way: 16 bytes copy from s
	unsigned u = (unsigned)v;

	if (outn + 16 > sizeof out)
		flush();
	for (; u >= 100; u /= 100)
		memcpy(s -= 2, pairs + 2 * (u % 100), 2);
	if (u >= 10)
		memcpy(s -= 2, pairs + 2 * u, 2);
	else
		*--s = (char)('0' + u);
	size_t len = d + 16 - s;
	memcpy(out + outn, s, 16);
	out[outn + len] = '\n';
	outn += len + 1;
}
