// The input's bytes: the buffer, and how much of the input may be taken.
#include "buffer.h"
#include "out.h"
#include "rules.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

static_assert(space(END) && !space(CUT) && !digit(CUT) && !sign(CUT), "the sentinel ends or cuts a number");

static unsigned char stock[LEAD + CHUNK + PAD];	// the buffer, until a message outgrows it
unsigned char *buf = stock;
static size_t room = CHUNK;	// bytes of data buf has room for
const unsigned char *p = buf + LEAD;
unsigned char *end = buf + LEAD;
bool eof;

// What the messages need to say where a byte stands: the input's bytes
// before buf + LEAD (base); those before counted have had their line
// feeds counted (lines), and the line they end in began at offset line0.
// The offset of the byte marked (markat, or -1), and where it stands once
// it is gone from the buffer (placed).
static long long base, lines, line0, markat = -1;
static const unsigned char *counted = buf + LEAD;
static spot placed;
static bool gone;

// The line feeds among the n bytes at s, a byte at a time: until the code
// for this processor is chosen.
static size_t bytewise(const unsigned char *s, size_t n)
{
	size_t k = 0;
	for (size_t i = 0; i < n; i++)
		k += s[i] == '\n';
	return k;
}
size_t (*feeds)(const unsigned char *s, size_t n) = bytewise;

static bool seekable;
// How standard input is read: as a stream that cannot be looked at; as a
// pipe whose bytes are duplicated into twin to be looked at (Linux), and
// taken into sink, so that a pipe that hands out packets never drops the
// rest of one; as a stream socket, peeked at; or as a socket of messages,
// each taken whole.
enum { NOLOOK, PIPE, SOCKET, MESSAGES };
static int how;
static int twin[2] = {-1, -1}, sink = -1;

// The offset in the input of the byte at s, which is in the buffer; and
// the byte at offset o.
static long long offset(const unsigned char *s)
{
	return base + (s - (buf + LEAD));
}
static const unsigned char *at(long long o)
{
	return buf + LEAD + (o - base);
}

// The last line feed among the n bytes at s, which hold one.
static const unsigned char *lastfeed(const unsigned char *s, size_t n)
{
#ifdef __GLIBC__
	return (const unsigned char *)memrchr(s, '\n', n);
#else
	while (s[--n] != '\n')
		;
	return s + n;
#endif
}

// Where the byte at s stands, s from counted to end: the line feeds from
// counted to s, and the last of them, say. Nothing before counted is in
// the buffer any more.
spot locate(const unsigned char *s)
{
	size_t n = s - counted, k = feeds(counted, n);
	if (k == 0)
		return {lines + 1, offset(s) - line0 + 1};
	return {lines + (long long)k + 1, s - lastfeed(counted, n)};
}

// Count the line feeds from counted up to s, the bytes about to be let go,
// and say where the byte marked stands if it is among them: so a mark at or
// after counted is always either gone, with its place, or still here.
static void letgo(const unsigned char *s)
{
	if (markat >= 0 && !gone && markat < offset(s)) {
		placed = locate(at(markat));
		gone = true;
	}
	size_t n = s - counted, k = feeds(counted, n);
	if (k > 0) {
		lines += (long long)k;
		line0 = offset(lastfeed(counted, n)) + 1;
	}
	counted = s;
}

// Remember the byte at s, from counted on.
void mark(const unsigned char *s)
{
	markat = offset(s);
	gone = false;
}

// Where the byte remembered stands; there must be one.
spot marked(void)
{
	return gone ? placed : locate(at(markat));
}

// Take up to want bytes of input: read into to, or, where they were
// looked at into to already (a pipe's), only taken off the pipe, which
// takes exactly as many as asked even from a pipe that hands out packets.
// The count, 0 at end of input.
static size_t get(unsigned char *to, size_t want, bool looked)
{
	ssize_t r;
#ifdef FUZZ
	(void)looked;
	while ((r = fuzzread(to, want)) < 0)
#elif defined(__linux__)
	while ((r = looked && how == PIPE ? splice(0, nullptr, sink, nullptr, want, 0) : read(0, to, want)) < 0)
#else
	(void)looked;
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
#ifdef FUZZ
	return fuzzlook(to, want);
#else
	ssize_t r;
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
		while ((k = read(twin[0], to + got, r - got)) <= 0)
			if (k == 0 || errno != EINTR) {
				how = NOLOOK;	// what is left in twin must not be read again
				return -1;
			}
	return r;
#endif
}

// How many of the n bytes at s may be taken when due numbers are owed, the
// first of them begun already if begun, and least (at least 1) may be
// taken unseen: up to the byte that ends the due-th number, or all n if
// that is not among them. A number is read as "%d" reads it and as slow()
// does, white space, a sign and digits, and ends at the first byte that is
// not a digit, however long it is; this must never count more numbers than
// slow() would read. The count stops at a byte that cannot begin a number:
// the exact reader reports it.
static size_t allowed(const unsigned char *s, size_t n, long long due, bool begun, size_t least)
{
	size_t k = 0;
	if (n <= least)
		return n;
	for (long long left = due; left > 0 && k < n; left--, begun = false) {
		while (!begun && k < n && space(s[k]))
			k++;
		if (!begun && k < n && sign(s[k]))
			k++;
		if (!begun && k < n && !digit(s[k]))
			break;
		while (k < n && digit(s[k]))
			k++;
		k += k < n;	// the byte that ends it
	}
	return k > least ? k : least;	// least < n, from above
}

// Make room for n bytes of data after the kept bytes, from p to buf + LEAD,
// which nothing before has been counted yet (counted is p).
static void grow(size_t n)
{
	size_t keep = buf + LEAD - p;
	unsigned char *b = (unsigned char *)malloc(LEAD + n + PAD);
	if (!b)
		die("reading input: %s", strerror(ENOMEM));
	memcpy(b + LEAD - keep, p, keep);
	if (buf != stock)
		free(buf);
	buf = b;
	room = n;
	p = counted = buf + LEAD - keep;
}

// Take the next message of a socket whole, however long, into buf + LEAD;
// its length, 0 at end of input (an empty message ends it too). The
// message is looked at first, to learn whether it fits.
static size_t message(void)
{
	for (;;) {
		struct iovec v = {buf + LEAD, room};
		struct msghdr h = {};
		h.msg_iov = &v;
		h.msg_iovlen = 1;
		ssize_t r = recvmsg(0, &h, MSG_PEEK | MSG_TRUNC);
		if (r < 0 && !again(0, POLLIN))
			die("reading input: %s", strerror(errno));
		if (r >= 0 && !(h.msg_flags & MSG_TRUNC))
			return get(buf + LEAD, room, false);
		if (r >= 0)
			grow((size_t)r > 2 * room ? (size_t)r : 2 * room);
	}
}

// Take the next bytes of a stream into buf + LEAD; their count, 0 at end of
// input. From a pipe, a socket or a terminal nothing past the byte ending
// the last number owed is taken: no more than the numbers owed could take
// up, one byte each and one after each, or, where the input can be looked
// at first, as much as allowed() says: a block at a time however much
// white space there is, and however long the numbers are.
static size_t chunk(long long due, bool begun)
{
	size_t want = CHUNK;
	ssize_t seen = -1;

	if (!seekable && 2 * due - 1 < CHUNK)
		want = (size_t)(2 * due - 1);	// one byte a number, one after each
	if (want < CHUNK && (seen = look(buf + LEAD, CHUNK)) >= 0)
		want = seen ? allowed(buf + LEAD, (size_t)seen, due, begun, want) : 0;
	return want ? get(buf + LEAD, want, seen > 0) : 0;
}

// Read more input after the bytes from p on, which move to just before
// buf + LEAD. Output that is ready goes out first, so that a reader on a
// slow pipe sees each line when it is due.
void refill(long long due, bool begun)
{
	size_t keep = end - p, r;

	letgo(p);
	base = offset(end);
	memmove(buf + LEAD - keep, p, keep);
	p = counted = buf + LEAD - keep;
	flush();
	r = how == MESSAGES ? message() : chunk(due, begun || keep > 0);
	eof = r == 0;
	end = buf + LEAD + r;
	memset(end, eof ? END : CUT, PAD);
}

// Start with nothing read.
void empty(void)
{
	p = counted = end = buf + LEAD;
	eof = false;
	memset(end, CUT, PAD);
	base = lines = line0 = 0;
	markat = -1;
}

// The descriptor fd moved above standard error, where it cannot be taken
// for standard output that was left closed; or -1.
static int above(int fd)
{
	if (fd < 0 || fd > 2)
		return fd;
	int to = fcntl(fd, F_DUPFD_CLOEXEC, 3);
	close(fd);
	return to;
}

// Find out whether standard input can be sought, or looked at without
// taking its bytes.
void start(void)
{
	struct stat st;
	int type = SOCK_STREAM;
	socklen_t len = sizeof type;
	seekable = lseek(0, 0, SEEK_CUR) >= 0;
	how = NOLOOK;
	if (seekable || fstat(0, &st) != 0)
		return;
	if (S_ISSOCK(st.st_mode))
		how = getsockopt(0, SOL_SOCKET, SO_TYPE, &type, &len) == 0 && type != SOCK_STREAM ? MESSAGES : SOCKET;
#ifdef __linux__
	else if (S_ISFIFO(st.st_mode) && (sink = above(open("/dev/null", O_WRONLY | O_CLOEXEC))) >= 0 &&
		 pipe2(twin, O_CLOEXEC) == 0 && (twin[0] = above(twin[0])) >= 0 && (twin[1] = above(twin[1])) >= 0)
		how = PIPE;
#endif
}

// Put a seekable input's offset at s, the byte after the last one used.
void seek(const unsigned char *s)
{
	if (seekable && end > s)
		lseek(0, s - end, SEEK_CUR);
}
