// The input buffer, how much may be read ahead, and the tape.
#include "input.h"
#include "exact.h"
#include "rules.h"
#include "wait.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef FUZZ
#include "fuzz.h"
#endif

static_assert(space(END) && !space(CUT) && !digit(CUT) && !sign(CUT), "the sentinel ends or cuts a number");

unsigned char buf[LEAD + CHUNK + PAD];
const unsigned char *p = buf + LEAD;
unsigned char *end = buf + LEAD;
bool eof;
progress at;
int tape[TAPE + 16];
unsigned ti, tn, why;
const unsigned char *from;
void (*fill)(void);

static bool seekable;
// How standard input can be looked at without taking its bytes: not at
// all, a pipe's duplicated into twin (Linux), or a socket's peeked at.
enum { NOLOOK, PIPE, SOCKET };
static int how;
static int twin[2] = {-1, -1};

// The numbers owed from pos on.
long long owed(place pos)
{
	long long after = 2LL * (at.t - at.tcase);
	if (at.tcase == 0)
		return 1;
	if (pos.row == 0)
		return 3 - pos.entry + after;
	return (long long)(at.n - pos.row + 1) * at.m - (pos.entry - 1) + after;
}

// Take up to want bytes of input into to; the count, 0 at end of input.
static size_t get(unsigned char *to, size_t want)
{
	ssize_t r;
#ifdef FUZZ
	while ((r = fuzzread(to, want)) < 0)
#else
	while ((r = read(0, to, want)) < 0)
#endif
		if (!again(0, POLLIN))
			die("reading input: %s", strerror(errno));
	return (size_t)r;
}

// Look at up to want bytes of input at to without taking them; the count,
// 0 at end of input, or -1 where input cannot be looked at.
static ssize_t look(unsigned char *to, size_t want)
{
	ssize_t r;
#ifdef FUZZ
	if (how != NOLOOK)
		return fuzzlook(to, want);
#endif
	do
		if (how == SOCKET)
			r = recv(0, to, want, MSG_PEEK);
#ifdef __linux__
		else if (how == PIPE)
			r = tee(0, twin[1], want, 0);
#endif
		else
			return -1;
	while (r < 0 && again(0, POLLIN));
	for (ssize_t got = 0, k; how == PIPE && got < r; got += k)
		if ((k = read(twin[0], to + got, r - got)) <= 0) {
			how = NOLOOK;	// what is left in twin must not be read again
			return -1;
		}
	return r;
}

// How many of the n bytes at s may be taken when due numbers are owed, the
// first of them begun already if begun, and least may be taken unseen:
// each number owed has a byte that is not white space, so up to the
// due-th such byte (one fewer if the first has begun) takes nothing past
// the last number.
static size_t allowed(const unsigned char *s, size_t n, long long due, bool begun, size_t least)
{
	size_t k = 0;
	for (long long left = due - begun; left > 0 && k < n; k++)
		left -= !space(s[k]);
	return k > least ? k : least < n ? least : n;
}

// Read more input after the bytes from p on, which move to just before
// buf + LEAD. Output that is ready goes out first, so that a reader on a
// slow pipe sees each line when it is due. From a pipe, a socket or a
// terminal nothing past the byte ending the last number owed is taken:
// no more than the numbers owed could take up, one byte each and one after
// each, or, where the input can be looked at first, as much as allowed()
// says: a block at a time however much white space there is.
void refill(long long due, bool begun)
{
	size_t keep = end - p, want = CHUNK, r;
	ssize_t seen;

	memmove(buf + LEAD - keep, p, keep);
	p = buf + LEAD - keep;
	flush();
	if (!seekable && 2 * due - 1 < CHUNK)
		want = (size_t)(2 * due - 1);	// one byte a number, one after each
	if (want < CHUNK && (seen = look(buf + LEAD, CHUNK)) >= 0)
		want = seen ? allowed(buf + LEAD, (size_t)seen, due, begun || keep > 0, want) : 0;
	r = want ? get(buf + LEAD, want) : 0;
	eof = r == 0;
	end = buf + LEAD + r;
	memset(end, eof ? END : CUT, PAD);
}

// Read the number at pos when the tape is used up: scan on, read more
// input, or leave the number to the exact reader.
int more(place pos)
{
	for (;;) {
		if (why == FULL)
			fill();
		else if (why == MORE && !eof && end - p <= CARRY) {
			refill(owed(pos), false);
			fill();
		} else {
			int v = slow(pos);
			ti = tn = 0;
			why = FULL;
			return v;
		}
		if (ti < tn)
			return tape[ti++];
	}
}

// Start reading: nothing read, nothing on the tape.
void reset(void)
{
	p = end = buf + LEAD;
	eof = false;
	ti = tn = 0;
	why = MORE;
	at = {0, 0, 0, 0};
	memset(end, CUT, PAD);
}

// Find out whether standard input can be sought, or looked at without
// taking its bytes.
void start(void)
{
	struct stat st;
	seekable = lseek(0, 0, SEEK_CUR) >= 0;
	how = NOLOOK;
	if (seekable || fstat(0, &st) != 0)
		return;
	if (S_ISSOCK(st.st_mode))
		how = SOCKET;
#ifdef __linux__
	else if (S_ISFIFO(st.st_mode) && pipe2(twin, O_CLOEXEC) == 0)
		how = PIPE;
#endif
}

// Put a seekable input's offset just after the last number used, so that
// the next reader of the same open file starts there. The numbers on the
// tape are runs between white space, so the place is found by counting.
void leave(void)
{
	const unsigned char *s = ti > 0 ? from : p;
	for (unsigned i = 0; i < ti; i++) {
		while (space(*s))
			s++;
		while (!space(*s))
			s++;
	}
	if (seekable && end > s)
		lseek(0, s - end, SEEK_CUR);
}
