// a: read test cases of rows of item codes from standard input and write,
// for each test case, the number of ways to pick a non-empty set of positions
// in a row that holds at least one code not met earlier in the test case,
// summed over its rows.

#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/random.h>
#endif

// Which block reader to build: one can be pinned for tests and benchmarks;
// otherwise x86 picks AVX2 or SSE2 at start-up and aarch64 takes NEON.
#if defined(PIN_PLAIN)
#elif defined(PIN_NEON) || (!defined(PIN_SSE2) && !defined(PIN_AVX2) && defined(__aarch64__))
#define NEON 1
#include <arm_neon.h>
#elif defined(PIN_SSE2) || defined(PIN_AVX2) || defined(__SSE2__)
#define X86 1
#include <cpuid.h>
#include <immintrin.h>
#endif
// The AVX2 reader uses 64-bit instructions: x86-64 only.
#if defined(X86) && defined(__x86_64__) && !defined(PIN_SSE2)
#define AVX2 1
#elif defined(PIN_AVX2)
#error "the AVX2 reader needs x86-64"
#endif

enum { ROWS = 50001, COLS = 11, WIDE = 10, HUGE = 1 << 21 };

alignas(HUGE) static int towar[ROWS][COLS];	// the current test case, by row
static long long suma;		// the current test case's total
static int ilebylo;		// repeat entries in the current row
static int newton[WIDE + 1][WIDE + 1];
static int tab[WIDE + 1];	// tab[i] = 2^i - 1, non-empty subsets of i
static long long gain[WIDE + 1][WIDE + 1];	// what a row of m with f fresh adds

// The seen set byl: open addressing over mixed codes in buckets of 16 slots,
// each one cache line. The last slot counts the codes in the others, which
// fill from the front, so a slot past the count is free whatever it holds.
// Not std::unordered_set: its hash of an int is the int itself, so codes
// that share a residue modulo the bucket count all land on one chain, and
// its clear() sweeps every bucket, so many small test cases after one large
// one cost a full sweep each. Here the mix is seeded afresh on each run, the
// table is sized to the test case, and clearing it zeroes only the counts.
enum { WAYS = 16, COUNT = WAYS - 1, SLOTS = 1 << 20 };
static_assert(SLOTS >= 2 * ROWS * WIDE, "byl is at most half full");
alignas(HUGE) static uint32_t byl[SLOTS];
static uint32_t last, shift;	// buckets in use - 1; 32 - log2(buckets)
static uint32_t key[3];		// this run's seed

// The input buffer. Data lives from buf + LEAD on; a number cut by the end
// of one read is carried to just before buf + LEAD, and PAD bytes past the
// data hold a sentinel, so blocks and digit windows load without bounds
// checks: ' ' at end of input, ends every number; 'x' before it, cuts one.
enum { BLOCK = 64, CHUNK = 1 << 17, CARRY = 48, LEAD = 64, PAD = 128 };
static_assert(LEAD >= CARRY + 15, "a digit window starts 15 bytes before a carried number ends");
static_assert(PAD >= BLOCK + 16, "a block and the byte after it lie within the sentinel");
static_assert(CHUNK % BLOCK == 0 && CHUNK >= 2 * BLOCK, "reads are whole blocks");
static unsigned char buf[LEAD + CHUNK + PAD];
static const unsigned char *p = buf + LEAD;
static unsigned char *end = buf + LEAD;
static bool eof, seekable;
// How standard input can be looked at without taking its bytes: not at
// all, a pipe's duplicated into twin (Linux), or a socket's peeked at.
enum { NOLOOK, PIPE, SOCKET };
static int how;
static int twin[2] = {-1, -1};
static long long rest;		// numbers owed by the test cases after this one
static long long owed;		// numbers owed, from the one being read on

// The tape: numbers the block reader has taken from the buffer ahead of use,
// the first of them at from. scan() stops for one of three reasons.
enum { TAPE = 512, FULL = 0, MORE, BAD };
static_assert(TAPE > 2 * (BLOCK / 2 + 1), "a block's numbers fit after the check for room");
// Past the numbers, the tape has room for a row's or a small test case's
// fixed-size reads and for the three values past a block's last run that
// a store of four may write.
static int tape[TAPE + 16];
static unsigned ti, tn, why;
static const unsigned char *from;

static char out[1 << 16];
static size_t outn;

#ifdef FUZZ
#include <csetjmp>
static jmp_buf fuzzout;
static char fuzzmsg[256];
static ssize_t fuzzread(unsigned char *to, size_t want);
static ssize_t fuzzlook(unsigned char *to, size_t want);
#endif

[[noreturn, gnu::noinline, gnu::cold]] static void die(const char *fmt, ...);

// Wait until descriptor fd is ready for events: a descriptor that another
// program left non-blocking says "try again" where it would have waited.
static void await(int fd, short events)
{
	struct pollfd q = {fd, events, 0};
	while (poll(&q, 1, -1) < 0 && errno == EINTR)
		;
}

// Whether a failed call should be tried again, after waiting for fd.
static bool again(int fd, short events)
{
	if (errno == EAGAIN || errno == EWOULDBLOCK)
		await(fd, events);
	return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
}

// Write what is buffered for standard output.
[[gnu::noinline]] static void flush(void)
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

// Write the lines complete so far, then "a: " and the message, and exit 1.
[[noreturn, gnu::noinline, gnu::cold]] static void die(const char *fmt, ...)
{
	char msg[256];
	va_list ap;

	va_start(ap, fmt);
	vsnprintf(msg, sizeof msg, fmt, ap);
	va_end(ap);
#ifdef FUZZ
	outn = 0;
	memcpy(fuzzmsg, msg, sizeof msg);
	longjmp(fuzzout, 1);
#endif
	flush();
	fprintf(stderr, "a: %s\n", msg);
	exit(1);
}

// Whether c is white space to "%d": blank, tab, line feed, vertical tab,
// form feed or carriage return.
static constexpr inline bool space(int c)
{
	return c == ' ' || (unsigned)(c - '\t') < 5;
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
		if ((k = read(twin[0], to + got, r - got)) <= 0)
			return -1;
	return r;
}

// How many of the n bytes at s may be taken when owed numbers are still
// due, the first of them begun already if begun, and least may be taken
// unseen: each number due has a byte that is not white space, so up to the
// owed-th such byte (one fewer if the first has begun) takes nothing past
// the last number.
static size_t allowed(const unsigned char *s, size_t n, long long owed, bool begun, size_t least)
{
	size_t k = 0;
	for (long long due = owed - begun; due > 0 && k < n; k++)
		due -= !space(s[k]);
	return k > least ? k : least < n ? least : n;
}

// Read more input after the bytes from p on, which move to just before
// buf + LEAD; begun if the first number owed has bytes taken already,
// which it has if any are kept. Output that is ready goes out first, so that a reader on a
// slow pipe sees each line when it is due. From a pipe, a socket or a
// terminal nothing past the byte ending the last number owed is taken:
// no more than the numbers owed could take up, one byte each and one after
// each, or, where the input can be looked at first, as much as allowed()
// says: a block at a time however much white space there is.
static void refill(bool begun)
{
	size_t keep = end - p, want = CHUNK, r;
	ssize_t seen;

	memmove(buf + LEAD - keep, p, keep);
	p = buf + LEAD - keep;
	flush();
	if (!seekable && 2 * owed - 1 < CHUNK)
		want = (size_t)(2 * owed - 1);	// one byte a number, one after each
	if (want < CHUNK && (seen = look(buf + LEAD, CHUNK)) >= 0)
		want = seen ? allowed(buf + LEAD, (size_t)seen, owed, begun || keep > 0, want) : 0;
	r = want ? get(buf + LEAD, want) : 0;
	eof = r == 0;
	end = buf + LEAD + r;
	memset(end, eof ? ' ' : 'x', PAD);
}

// The next input byte, without taking it, or -1 at end of input; begun if
// bytes of the number being read have been taken.
static int peek(bool begun)
{
	if (p == end && !eof)
		refill(begun);
	return p == end ? -1 : *p;
}

// Whether c is a decimal digit.
static inline bool digit(int c)
{
	return (unsigned)(c - '0') < 10;
}

// The test case being read, from 1; 0 before the first.
static int tcase;

// Report a fault in the input at row and entry (from 1; 0 where they do
// not apply) of the current test case, and exit 1.
[[noreturn, gnu::noinline, gnu::cold]] static void fault(int row, int entry, const char *fmt, ...)
{
	char at[64] = "", msg[192];
	va_list ap;

	if (row > 0)
		snprintf(at, sizeof at, "test case %d, row %d, entry %d: ", tcase, row, entry);
	else if (tcase > 0)
		snprintf(at, sizeof at, "test case %d: ", tcase);
	va_start(ap, fmt);
	vsnprintf(msg, sizeof msg, fmt, ap);
	va_end(ap);
	die("%s%s", at, msg);
}

// Write the n bytes of raw into t, each escaped if it is not printable.
static void quote(char *t, const unsigned char *raw, size_t n)
{
	for (size_t i = 0; i < n; i++) {
		int c = raw[i];
		if (c == '"' || c == '\\')
			t += sprintf(t, "\\%c", c);
		else if (c >= 0x20 && c < 0x7f)
			*t++ = (char)c;
		else
			t += sprintf(t, "\\x%02x", c);
	}
	*t = 0;
}

// Read one number the exact way, a byte at a time across refills, and
// report anything that is not a decimal integer within 32 bits. raw keeps
// the token's first bytes for the message. The block reader hands over to
// this for everything it does not prove plain.
[[gnu::noinline, gnu::cold]] static int slow(const char *what, int row,
						   int entry)
{
	enum { CUT = 20 };	// bytes of a bad token shown
	unsigned char raw[CUT];
	char tok[4 * CUT + 4];
	size_t taken = 0, digits = 0;
	uint64_t v = 0;
	bool neg, any = false;
	int c;

	while (space(c = peek(false)))
		p++;
	if (c < 0)
		fault(row, entry, "expected %s, found end of input", what);
	neg = c == '-';
	for (;; p++, taken++) {
		c = peek(taken > 0);
		if (taken == 0 && (c == '-' || c == '+'))
			;
		else if (digit(c) && v == 0 && c == '0')
			any = true;
		else if (digit(c)) {
			any = true;
			digits++;
			if (digits <= 10)
				v = v * 10 + (c - '0');
		} else
			break;
		if (taken < CUT)
			raw[taken] = (unsigned char)c;
	}
	if (any && digits <= 10 && v <= 2147483647u + neg)
		return (int)(neg ? 0 - v : v);
	while (c >= 0 && !space(c) && taken < CUT) {
		raw[taken] = (unsigned char)c;
		p++, taken++;
		c = peek(taken > 0);
	}
	quote(tok, raw, taken < CUT ? taken : (size_t)CUT);
	if (taken > CUT || (c >= 0 && !space(c)))
		strcat(tok, "...");
	fault(row, entry, "expected %s, found \"%s\"%s", what, tok,
	    any ? " (out of range)" : "");
}

// What the 64 bytes of a block are, a bit for each: white space, digits,
// minus signs and anything else ('+' among them).
struct kinds {
	uint64_t space, digit, minus;
};

// Load 8 bytes, the first in the lowest byte, in either byte order.
static inline uint64_t load8(const unsigned char *s)
{
	uint64_t x;
	memcpy(&x, s, 8);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
	x = __builtin_bswap64(x);
#endif
	return x;
}

// The value of 8 digits, the most significant in the lowest byte, in three
// multiplications instead of eight dependent steps.
static inline uint64_t eight(uint64_t x)
{
	x = x * 10 + (x >> 8);
	x = ((x & 0x000000ff000000ffu) * (100 + (1000000ull << 32)) +
	     ((x >> 16) & 0x000000ff000000ffu) * (1 + (10000ull << 32))) >> 32;
	return x;
}

// ramp.b + len holds 16 - len bytes 0 and then len bytes 0xff: a mask for
// the last len bytes of a 16-byte window. A run too long to be a number may
// be up to two blocks long; its window is worked out and then thrown away.
struct ramps {
	unsigned char b[16 + 2 * BLOCK + 16];
	constexpr ramps() : b()
	{
		for (unsigned i = 16; i < sizeof b; i++)
			b[i] = 255;
	}
};
alignas(64) static constexpr ramps ramp;

// blanks.b[c] is 1 when byte c is white space: one load where the byte after
// a block is looked at.
struct blank {
	unsigned char b[256];
	constexpr blank() : b()
	{
		for (int c = 0; c < 256; c++)
			b[c] = space(c);
	}
};
static constexpr blank blanks;

// The value of the len (1 to 16) digits that end at e, by words: the 16
// bytes up to e, everything before the digits masked off, and 8 digits at
// a time. XOR rather than subtraction takes off '0', so no borrow runs from
// a masked byte into a digit.
static inline uint64_t words(const unsigned char *e, unsigned len)
{
	const uint64_t z = 0x3030303030303030u;
	uint64_t hi = (load8(e - 15) ^ z) & load8(ramp.b + len);
	uint64_t lo = (load8(e - 7) ^ z) & load8(ramp.b + len + 8);
	return eight(hi) * 100000000 + eight(lo);
}

// Probing byl, the same for every processor but for how a bucket's 16
// slots are compared with a key: match() gives a bit, or bits, for each
// slot that holds x, and below(f) those of the first f slots.
template <class K> struct slots {
	static inline unsigned match(const uint32_t *b, uint32_t x)
	{
		unsigned m = 0;
		for (unsigned i = 0; i < WAYS; i++)
			m |= (unsigned)(b[i] == x) << i;
		return m;
	}
	static inline unsigned below(unsigned f)
	{
		return (1u << f) - 1;
	}
	// The 16 ints from b on that equal x, a bit each, in their order; and
	// of the first 8 alone.
	static inline unsigned same(const uint32_t *b, uint32_t x)
	{
		return K::match(b, x);
	}
	static inline unsigned same8(const uint32_t *b, uint32_t x)
	{
		return K::match(b, x) & 0xff;
	}
	// Insert the mixed code at px into byl, from its bucket b on, among
	// the buckets up to last; 1 if it is new there, 0 if it was there
	// already. A code passes on to the next bucket only from a full one,
	// so a bucket with room ends the search. A bucket holds at most
	// COUNT - 1 codes, so that the key can be stored in the slot past them
	// whether or not it is new: only the count says which.
	static inline uint32_t fresh(const uint32_t *px, uint32_t *b, uint32_t last)
	{
		uint32_t x = *px;
		for (;;) {
			uint32_t f = b[COUNT];
			uint32_t hit = K::match(b, x) & K::below(f), nothit = hit == 0;
			b[f] = x;
			if (__builtin_expect(hit || f < COUNT - 1, 1)) {
				b[COUNT] = f + nothit;
				return nothit;
			}
			b = byl + (((uint32_t)(b - byl) / WAYS + 1) & last) * WAYS;
		}
	}
};

// Bits of the bytes of a 64-byte block for which is() holds: the portable
// reader, right in either byte order and at any word size.
struct plain : slots<plain> {
	static constexpr bool fast = false;
	static inline kinds classify(const unsigned char *b)
	{
		kinds k = {0, 0, 0};
		for (unsigned i = 0; i < BLOCK; i++) {
			k.space |= (uint64_t)space(b[i]) << i;
			k.digit |= (uint64_t)digit(b[i]) << i;
			k.minus |= (uint64_t)(b[i] == '-') << i;
		}
		return k;
	}
	static inline uint64_t value(const unsigned char *e, unsigned len)
	{
		return words(e, len);
	}
};

#ifdef X86
// Byte c is in the range of n bytes from lo when, shifted so that the range
// starts at the lowest signed byte, it is below the range's end.
#define RANGE(sub, lt, set, c, lo, n) lt(sub(c, set((char)((lo) + 128))), set((char)((n) - 128)))
#define LT256(x, y) _mm256_cmpgt_epi8(y, x)

// Sixteen bytes at a time, with SSE2 alone: every x86-64 has it.
struct sse2 : slots<sse2> {
	static constexpr bool fast = false;
	static inline unsigned match(const uint32_t *b, uint32_t x)
	{
		__m128i k = _mm_set1_epi32((int)x);
		auto eq = [b, k](int i) {
			return _mm_cmpeq_epi32(_mm_loadu_si128((const __m128i *)b + i), k);
		};
		return _mm_movemask_epi8(_mm_packs_epi16(_mm_packs_epi32(eq(0), eq(1)),
							 _mm_packs_epi32(eq(2), eq(3))));
	}
	static inline uint64_t bits(__m128i m0, __m128i m1, __m128i m2, __m128i m3)
	{
		return (uint64_t)(unsigned)_mm_movemask_epi8(m0) |
		       (uint64_t)(unsigned)_mm_movemask_epi8(m1) << 16 |
		       (uint64_t)(unsigned)_mm_movemask_epi8(m2) << 32 |
		       (uint64_t)(unsigned)_mm_movemask_epi8(m3) << 48;
	}
	static inline kinds classify(const unsigned char *b)
	{
		__m128i c[4], s[4], d[4], m[4];
		for (int i = 0; i < 4; i++) {
			c[i] = _mm_loadu_si128((const __m128i *)b + i);
			s[i] = _mm_or_si128(_mm_cmpeq_epi8(c[i], _mm_set1_epi8(' ')),
			    RANGE(_mm_sub_epi8, _mm_cmplt_epi8, _mm_set1_epi8, c[i], '\t', 5));
			d[i] = RANGE(_mm_sub_epi8, _mm_cmplt_epi8, _mm_set1_epi8, c[i], '0', 10);
			m[i] = _mm_cmpeq_epi8(c[i], _mm_set1_epi8('-'));
		}
		return {bits(s[0], s[1], s[2], s[3]), bits(d[0], d[1], d[2], d[3]),
			bits(m[0], m[1], m[2], m[3])};
	}
	static inline uint64_t value(const unsigned char *e, unsigned len)
	{
		return words(e, len);
	}
};

#ifdef AVX2
// The slots of a bucket compared in two halves, whose results packs
// interleaves: slots 0-3, 8-11, 4-7 and 12-15, two bits each. order.b[f]
// holds the bits of slots 0 to f - 1.
struct orders {
	uint32_t b[WAYS + 1];
	constexpr orders() : b()
	{
		for (unsigned s = 0; s < WAYS; s++) {
			unsigned w = s < 4 ? s : s < 8 ? s + 4 : s < 12 ? s - 4 : s;
			b[s + 1] = b[s] | 3u << 2 * w;
		}
	}
};
static constexpr orders order;
static_assert(order.b[COUNT - 1] < 1u << 28, "a hit's bits stay below bit 28");

// Thirty-two bytes at a time; the digits summed up in pairs by three
// multiply-adds instead of words, and two or four numbers at once.
struct avx2 {
	[[gnu::target("avx2")]] static inline unsigned match(const uint32_t *b, __m256i k)
	{
		__m256i lo = _mm256_cmpeq_epi32(_mm256_load_si256((const __m256i *)b), k);
		__m256i hi = _mm256_cmpeq_epi32(_mm256_load_si256((const __m256i *)b + 1), k);
		return (unsigned)_mm256_movemask_epi8(_mm256_packs_epi32(lo, hi));
	}
	// As slots::fresh(), with the key in every lane, stored from the lowest.
	[[gnu::target("avx2")]] static inline uint32_t fresh(const uint32_t *px, uint32_t *b, uint32_t last)
	{
		__m256i x = _mm256_set1_epi32((int)*px);
		for (;;) {
			uint32_t f = b[COUNT];
			// A hit's bits are below bit 28: hit - 1 has its top bit
			// set only when hit is 0.
			uint32_t hit = match(b, x) & order.b[f], nothit = (hit - 1) >> 31;
			b[f] = (uint32_t)_mm256_cvtsi256_si32(x);
			if (__builtin_expect(hit || f < COUNT - 1, 1)) {
				b[COUNT] = f + nothit;
				return nothit;
			}
			b = byl + (((uint32_t)(b - byl) / WAYS + 1) & last) * WAYS;
		}
	}
	[[gnu::target("avx2")]] static inline unsigned same8(const uint32_t *b, uint32_t x)
	{
		__m256i k = _mm256_set1_epi32((int)x);
		return (unsigned)_mm256_movemask_ps(_mm256_castsi256_ps(
		    _mm256_cmpeq_epi32(_mm256_loadu_si256((const __m256i *)b), k)));
	}
	// The 16 ints from b on that equal x, in their order.
	[[gnu::target("avx2")]] static inline unsigned same(const uint32_t *b, uint32_t x)
	{
		__m256i k = _mm256_set1_epi32((int)x);
		__m256i lo = _mm256_cmpeq_epi32(_mm256_loadu_si256((const __m256i *)b), k);
		__m256i hi = _mm256_cmpeq_epi32(_mm256_loadu_si256((const __m256i *)b + 1), k);
		return (unsigned)_mm256_movemask_ps(_mm256_castsi256_ps(lo)) |
		       (unsigned)_mm256_movemask_ps(_mm256_castsi256_ps(hi)) << 8;
	}
	[[gnu::target("avx2")]] static inline uint64_t bits(__m256i lo, __m256i hi)
	{
		return (uint64_t)(unsigned)_mm256_movemask_epi8(lo) |
		       (uint64_t)(unsigned)_mm256_movemask_epi8(hi) << 32;
	}
	// Byte c in every lane, made once before a loop and kept in a
	// register: the compiler may not make it afresh at each use, which
	// costs three instructions a time.
	[[gnu::target("avx2")]] static inline __m256i kept(char c)
	{
		__m256i v = _mm256_set1_epi8(c);
		asm("" : "+x"(v));
		return v;
	}
	// The bytes of the block at b that equal what the table looks up for
	// their low nibbles. A byte from 0x80 up looks up 0 and is never found.
	[[gnu::target("avx2")]] static inline uint64_t look(const unsigned char *b, __m256i table)
	{
		__m256i m[2];
		for (int i = 0; i < 2; i++) {
			__m256i c = _mm256_loadu_si256((const __m256i *)b + i);
			m[i] = _mm256_cmpeq_epi8(c, _mm256_shuffle_epi8(table, c));
		}
		return bits(m[0], m[1]);
	}
	// The white space bytes: a table of the white space byte with each low
	// nibble, or 0, which no byte with that nibble is.
	[[gnu::target("avx2")]] static inline uint64_t white(const unsigned char *b)
	{
		return look(b, _mm256_setr_epi8(' ', 0, 0, 0, 0, 0, 0, 0, 0, '\t', '\n', '\v', '\f', '\r', 0, 0,
						' ', 0, 0, 0, 0, 0, 0, 0, 0, '\t', '\n', '\v', '\f', '\r', 0, 0));
	}
	// The bytes that are '+' or '-', by their nibbles 0xb and 0xd; no byte
	// below 0x80 is 0x80.
	[[gnu::target("avx2")]] static inline uint64_t signs(const unsigned char *b)
	{
		const char x = (char)0x80;
		return look(b, _mm256_setr_epi8(x, x, x, x, x, x, x, x, x, x, x, '+', x, '-', x, x,
						x, x, x, x, x, x, x, x, x, x, x, '+', x, '-', x, x));
	}
	// The bytes that are digits.
	[[gnu::target("avx2")]] static inline uint64_t digit(const unsigned char *b)
	{
		__m256i d[2];
		for (int i = 0; i < 2; i++)
			d[i] = RANGE(_mm256_sub_epi8, LT256, kept, _mm256_loadu_si256((const __m256i *)b + i), '0', 10);
		return bits(d[0], d[1]);
	}
	[[gnu::target("avx2")]] static inline kinds classify(const unsigned char *b)
	{
		__m256i m[2];
		for (int i = 0; i < 2; i++)
			m[i] = _mm256_cmpeq_epi8(_mm256_loadu_si256((const __m256i *)b + i), _mm256_set1_epi8('-'));
		return {white(b), digit(b), bits(m[0], m[1])};
	}
	[[gnu::target("avx2")]] static inline uint64_t value(const unsigned char *e, unsigned len)
	{
		__m128i d = _mm_loadu_si128((const __m128i *)(e - 15));
		d = _mm_and_si128(_mm_sub_epi8(d, _mm_set1_epi8('0')),
				  _mm_loadu_si128((const __m128i *)(ramp.b + len)));
		d = _mm_maddubs_epi16(d, _mm_setr_epi8(10, 1, 10, 1, 10, 1, 10, 1, 10, 1, 10, 1, 10, 1, 10, 1));
		d = _mm_madd_epi16(d, _mm_setr_epi16(100, 1, 100, 1, 100, 1, 100, 1));
		d = _mm_packs_epi32(d, d);
		d = _mm_madd_epi16(d, _mm_setr_epi16(10000, 1, 10000, 1, 10000, 1, 10000, 1));
		uint64_t r = (uint64_t)_mm_cvtsi128_si64(d);
		return (r & 0xffffffff) * 100000000 + (r >> 32);
	}
	// Windows w hold runs, all else masked off. In each 8-byte quarter:
	// 255 where a '-' is, else 0. In the first two 32-bit lanes of each
	// 16-byte half: the values of its two quarters, 8 digits each (the next
	// two lanes repeat them). A sign takes away '0' to nothing.
	[[gnu::target("avx2")]] static inline __m256i minus(__m256i w)
	{
		return _mm256_sad_epu8(_mm256_cmpeq_epi8(w, kept('-')), _mm256_setzero_si256());
	}
	[[gnu::target("avx2")]] static inline __m256i digits(__m256i w)
	{
		__m256i d = _mm256_subs_epu8(w, kept('0'));
		d = _mm256_maddubs_epi16(d, _mm256_set1_epi16(1 << 8 | 10));
		d = _mm256_madd_epi16(d, _mm256_set1_epi32(1 << 16 | 100));
		d = _mm256_packs_epi32(d, d);
		return _mm256_madd_epi16(d, _mm256_set1_epi32(1 << 16 | 10000));
	}
	// Put on the tape at t the runs of a block whose bytes are all plain:
	// the first starts at s1 from b (before b if it came from the block
	// before), the others at the bits of starts, and each ends at a bit of
	// ends. They go two at a time, one in each half of the vectors, so that
	// one chain of instructions converts both. The loop runs at least once:
	// a run missing from a pair (an odd last one, or both in a block whose
	// only run goes on into the next) is the byte after the block, whose
	// value is thrown away. False if a run is longer than 16 bytes or its
	// value does not fit in 32 bits.
	[[gnu::target("avx2,bmi,bmi2")]] static inline bool pairs(int *t, const unsigned char *b, uint64_t s1, uint64_t starts, uint64_t ends)
	{
		const __m256i zero = _mm256_setzero_si256();
		__m256i wide = zero;	// the values less their sign bits, or-ed
		uint64_t lens = 0;	// the runs' lengths less one, or-ed

		do {
			uint64_t e1 = _tzcnt_u64(ends), s2 = _tzcnt_u64(starts);
			ends = _blsr_u64(ends);
			starts = _blsr_u64(starts);
			uint64_t e2 = _tzcnt_u64(ends), s3 = _tzcnt_u64(starts);
			ends = _blsr_u64(ends);
			starts = _blsr_u64(starts);
			uint64_t l1 = e1 - s1, l2 = e2 - s2;
			lens |= l1 | l2;
			__m256i c = _mm256_inserti128_si256(
			    _mm256_castsi128_si256(_mm_loadu_si128((const __m128i *)(b + e1 - 15))),
			    _mm_loadu_si128((const __m128i *)(b + e2 - 15)), 1);
			__m256i r = _mm256_inserti128_si256(
			    _mm256_castsi128_si256(_mm_loadu_si128((const __m128i *)(ramp.b + l1 + 1))),
			    _mm_loadu_si128((const __m128i *)(ramp.b + l2 + 1)), 1);
			__m256i w = _mm256_and_si256(c, r), neg = minus(w), d = digits(w);
			__m256i v = _mm256_add_epi64(_mm256_mul_epu32(d, _mm256_set1_epi64x(100000000)),
						     _mm256_srli_epi64(d, 32));
			neg = _mm256_or_si256(neg, _mm256_shuffle_epi32(neg, 0x4e));
			neg = _mm256_cmpgt_epi64(neg, zero);
			// Below 2^31 with 1 taken off a negative value: it fits.
			wide = _mm256_or_si256(wide, _mm256_add_epi64(v, neg));
			v = _mm256_sub_epi64(_mm256_xor_si256(v, neg), neg);
			v = _mm256_permutevar8x32_epi32(v, _mm256_setr_epi32(0, 4, 0, 0, 0, 0, 0, 0));
			_mm_storel_epi64((__m128i *)t, _mm256_castsi256_si128(v));
			t += 2;
			s1 = s3;
		} while (ends);
		return lens < 16 && _mm256_testz_si256(wide, _mm256_setr_epi32(INT32_MIN, -1, 0, 0, INT32_MIN, -1, 0, 0));
	}
	// The 8 bytes from each of p1 to p4, in that order.
	[[gnu::target("avx2")]] static inline __m256i four(const unsigned char *p1, const unsigned char *p2,
							  const unsigned char *p3, const unsigned char *p4)
	{
		long long q2, q4;
		memcpy(&q2, p2, 8);
		memcpy(&q4, p4, 8);
		__m128i lo = _mm_insert_epi64(_mm_loadl_epi64((const __m128i *)p1), q2, 1);
		__m128i hi = _mm_insert_epi64(_mm_loadl_epi64((const __m128i *)p3), q4, 1);
		return _mm256_inserti128_si256(_mm256_castsi128_si256(lo), hi, 1);
	}
	// As pairs(), for a block of many short runs: four at a time, each
	// from an 8-byte window. A value of 8 bytes or fewer fits in 32 bits,
	// so only the lengths are checked: false if a run is longer.
	[[gnu::target("avx2,bmi,bmi2"), gnu::noinline]] static bool quads(int *t, const unsigned char *b, uint64_t s1, uint64_t starts, uint64_t ends)
	{
		const __m256i zero = _mm256_setzero_si256();
		uint64_t lens = 0;

		while (ends) {
			uint64_t e[4], s[5];
			s[0] = s1;
#pragma GCC unroll 4
			for (int i = 0; i < 4; i++) {
				e[i] = _tzcnt_u64(ends);
				ends = _blsr_u64(ends);
				s[i + 1] = _tzcnt_u64(starts);
				starts = _blsr_u64(starts);
				lens |= e[i] - s[i];
			}
			s1 = s[4];
			__m256i c = four(b + e[0] - 7, b + e[1] - 7, b + e[2] - 7, b + e[3] - 7);
			// A length first: the first start may lie before b.
			__m256i r = four(ramp.b + 9 + (e[0] - s[0]), ramp.b + 9 + (e[1] - s[1]),
					 ramp.b + 9 + (e[2] - s[2]), ramp.b + 9 + (e[3] - s[3]));
			__m256i w = _mm256_and_si256(c, r), neg = minus(w), d = digits(w);
			neg = _mm256_cmpgt_epi32(_mm256_shuffle_epi32(neg, 0x88), zero);
			d = _mm256_sub_epi32(_mm256_xor_si256(d, neg), neg);
			d = _mm256_permute4x64_epi64(d, 0x08);
			_mm_storeu_si128((__m128i *)t, _mm256_castsi256_si128(d));
			t += 4;
		}
		return lens < 8;
	}
	// Fill the tape at t from the block at b on, for as long as the blocks
	// hold nothing but white space, digits and signs that begin runs, and
	// their runs convert in fours or pairs. Stop at the first block that
	// does not, at the end of the data or when the tape is full, with b
	// and open (the run going on from the block before, or null) as the
	// general reader takes them. No branch turns on where a run begins,
	// and white space alone skips ahead a block at a time.
	static constexpr bool fast = true;
	[[gnu::target("avx2,bmi,bmi2,popcnt,lzcnt")]] static inline void runs(int *&t, const unsigned char *&b, const unsigned char *&open,
									 const unsigned char *last, const int *full)
	{
		// Where the run open from the block before starts, from b: below
		// 0, or 0 if none is open. Its first byte here counts as a start.
		uint64_t cs = open ? (uint64_t)(open - b) : 0;

		for (; b < last && t <= full; b += BLOCK) {
			uint64_t sp = white(b);
			if (sp == ~0ull) {	// nothing is open
				while (b + BLOCK < last && white(b + BLOCK) == ~0ull)
					b += BLOCK;
				continue;
			}
			uint64_t sg = signs(b), op = cs >> 63;
			uint64_t starts = ~sp & (sp << 1 | 1);
			uint64_t ends = ~sp & (sp >> 1 | (uint64_t)blanks.b[b[BLOCK]] << 63);
			uint64_t lz = _lzcnt_u64(ends);
			// An open run must end here and begin with no sign here.
			if (~(sp | digit(b) | sg) | (sg & ~starts) | (sg & ends) | (op & (sg | lz >> 6)))
				break;
			uint64_t whole = _bzhi_u64(starts, 64 - (unsigned)lz);	// those that end here
			uint64_t s1 = _tzcnt_u64(whole) + cs, rest = _blsr_u64(whole);
			// Whether a run goes on into the next block, and where it
			// starts, from there: the last start, less 64.
			uint64_t on = ~(sp | ends) >> 63;
			uint64_t next = (0 - 1 - _lzcnt_u64(starts)) & (0 - on);
			unsigned n = (unsigned)_mm_popcnt_u64(ends);
			int *to = t + n;
			if (!(n >= 8 && quads(t, b, s1, rest, ends)) && !pairs(t, b, s1, rest, ends))
				break;
			t = to;
			cs = next;
		}
		open = cs ? b + (int64_t)cs : nullptr;
	}
};
#endif
#endif

#ifdef NEON
// Sixteen bytes at a time with NEON, bits gathered by pairwise adds.
struct neon : slots<neon> {
	static constexpr bool fast = false;
	static inline uint64_t bits(uint8x16_t m0, uint8x16_t m1, uint8x16_t m2, uint8x16_t m3)
	{
		const uint8x16_t w = {1, 2, 4, 8, 16, 32, 64, 128, 1, 2, 4, 8, 16, 32, 64, 128};
		uint8x16_t a = vpaddq_u8(vandq_u8(m0, w), vandq_u8(m1, w));
		uint8x16_t b = vpaddq_u8(vandq_u8(m2, w), vandq_u8(m3, w));
		a = vpaddq_u8(a, b);
		a = vpaddq_u8(a, a);
		return vgetq_lane_u64(vreinterpretq_u64_u8(a), 0);
	}
	static inline kinds classify(const unsigned char *b)
	{
		uint8x16_t c[4], s[4], d[4], m[4];
		for (int i = 0; i < 4; i++) {
			c[i] = vld1q_u8(b + 16 * i);
			s[i] = vorrq_u8(vceqq_u8(c[i], vdupq_n_u8(' ')),
					vcltq_u8(vsubq_u8(c[i], vdupq_n_u8('\t')), vdupq_n_u8(5)));
			d[i] = vcltq_u8(vsubq_u8(c[i], vdupq_n_u8('0')), vdupq_n_u8(10));
			m[i] = vceqq_u8(c[i], vdupq_n_u8('-'));
		}
		return {bits(s[0], s[1], s[2], s[3]), bits(d[0], d[1], d[2], d[3]),
			bits(m[0], m[1], m[2], m[3])};
	}
	static inline uint64_t value(const unsigned char *e, unsigned len)
	{
		return words(e, len);
	}
};
#endif

// Stop scanning at s, for the reason r, with the tape filled up to t.
static inline void stop(int *t, const unsigned char *s, unsigned r)
{
	tn = (unsigned)(t - tape);
	p = s;
	why = r;
}

// Put the number that runs from s to e (its last byte) on the tape at *t,
// if it has 1 to 16 digits after its sign (leading zeros included: the
// digit window holds them all) and fits in 32 bits; false otherwise. The
// value is worked out even for a run too long, so that one test decides.
template <class K>
static inline bool take(int *&t, const unsigned char *s, const unsigned char *e, unsigned sign, unsigned neg)
{
	unsigned len = (unsigned)(e - s) + 1 - sign;
	uint64_t u = K::value(e, len);
	if (__builtin_expect((len - 1 >= 16) | (u > 2147483647u + neg), 0))
		return false;
	*t++ = (int)((u ^ (0 - (uint64_t)neg)) + neg);
	return true;
}

// Put the runs of the block at b on the tape one at a time: the open one
// (begun in a block before) first, then those that start and end in it.
// bad marks bytes that are not part of a plain number; the runs from the
// first of them on are left to slow(). True if the scan stops here.
template <class K>
static inline bool each(int *&t, const unsigned char *b, const unsigned char *&open, const unsigned char *last,
			uint64_t starts, uint64_t ends, uint64_t sign, uint64_t minus, uint64_t bad)
{
	const unsigned char *at = nullptr;
	bool cut = false;

	if (__builtin_expect(bad != 0, 0)) {
		// Keep only the runs before the first bad byte's.
		unsigned q = __builtin_ctzll(bad);
		uint64_t before = starts & ((2ull << q) - 1);
		cut = b + q >= last;
		if (!before)
			return stop(t, open, cut ? MORE : BAD), true;
		unsigned s = 63 - __builtin_clzll(before);
		at = b + s;
		starts &= (1ull << s) - 1;
		ends &= (1ull << s) - 1;
	}
	if (open) {
		if (!ends)
			return stop(t, open, BAD), true;
		if (!take<K>(t, open, b + __builtin_ctzll(ends), *open == '-' || *open == '+', *open == '-'))
			return stop(t, open, BAD), true;
		ends &= ends - 1;
		open = nullptr;
	}
	while (ends) {
		unsigned s = __builtin_ctzll(starts), e = __builtin_ctzll(ends);
		if (!take<K>(t, b + s, b + e, sign >> s & 1, minus >> s & 1))
			return stop(t, b + s, BAD), true;
		starts &= starts - 1;
		ends &= ends - 1;
	}
	if (at)
		return stop(t, at, cut ? MORE : BAD), true;
	if (starts)
		open = b + __builtin_ctzll(starts);
	return false;
}

// Fill the tape from p on, a block of 64 bytes at a time. A number is a run
// of bytes between white space; bitmasks say where every run of a block
// starts and ends, so that each is converted apart from the others and
// their work overlaps. A run that crosses into the next block waits there
// for its end. Anything that is not a plain number (a '+', a letter, a sign
// out of place, too many digits, a value out of range) stops the scan at
// its run, for slow() to read; so does the sentinel past the data read.
// A run starts at a block's first byte unless one is open: the byte before
// is white space then, or the scan begins there, or the first byte is white
// space itself (a run that ends with the block before leaves nothing open).
template <class K> static inline void scanwith(void)
{
	const unsigned char *b = p, *open = nullptr, *last = end;
	int *t = tape;
	const int *full = tape + TAPE - (BLOCK / 2 + 1);

	from = p;
	ti = 0;
	for (;; b += BLOCK) {
		if constexpr (K::fast)
			K::runs(t, b, open, last, full);
		if (b >= last)
			return stop(t, open ? open : last, MORE);
		if (t > full)
			return stop(t, open ? open : b, FULL);
		kinds k = K::classify(b);
		if (k.space == ~0ull)	// white space alone: nothing is open
			continue;
		uint64_t other = ~(k.space | k.digit | k.minus), sign = k.minus;
		for (uint64_t o = other; o; o &= o - 1)
			if (b[__builtin_ctzll(o)] == '+')
				sign |= o & (0 - o);
		other &= ~sign;
		uint64_t after = blanks.b[b[BLOCK]];
		uint64_t starts = ~k.space & (k.space << 1 | !open);
		uint64_t ends = ~k.space & (k.space >> 1 | after << 63);
		uint64_t bad = other | (sign & ~starts) | (sign & ends);
		if (each<K>(t, b, open, last, starts, ends, sign, k.minus, bad))
			return;
	}
}

// The block reader and the test case for this processor, chosen once.
static void (*scan)(void);
static void (*one)(void);

// Read the next number when the tape is used up: scan on, read more input,
// or leave the number to slow(). need counts the numbers still owed in this
// test case, this one included.
[[gnu::noinline]] static int more(const char *what, int row, int entry, long long need)
{
	owed = need + rest;
	for (;;) {
		if (why == FULL)
			scan();
		else if (why == MORE && !eof && end - p <= CARRY) {
			refill(false);
			scan();
		} else {
			int v = slow(what, row, entry);
			ti = tn = 0;
			why = FULL;
			return v;
		}
		if (ti < tn)
			return tape[ti++];
	}
}

// Read one number as "%d" does.
static inline int num(const char *what, int row, int entry, long long need)
{
	if (__builtin_expect(ti < tn, 1))
		return tape[ti++];
	return more(what, row, entry, need);
}

// Build newton by Pascal's rule, tab by summing each row of it, and gain:
// a row of m entries, f of them fresh and m - f repeats, adds tab[f] for
// the subsets of its fresh entries and tab[f] * tab[m - f] for those with
// repeats too.
static void build(void)
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

// Seed the mix from the system's random source. Without one the key stays
// fixed: the counts are as right, only crafted input could then slow byl.
static void seed(void)
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
}

// Empty byl and size it for up to cap codes, in time O(cap / WAYS).
static void clear(long cap)
{
	uint32_t bits = 1;
	while ((WAYS << bits) < 2 * cap)
		bits++;
	last = (1u << bits) - 1;
	shift = 32 - bits;
	for (uint32_t i = 0; i <= last; i++)
		byl[i * WAYS + COUNT] = 0;
}

// Mix the 8 codes from c on into keys at x, and put the first slot of each
// one's bucket at o. The mix is a bijection on 32 bits, so equal keys mean
// equal codes, and the bucket comes from its well-mixed top bits. Eight at
// a time, as one vector where the processor has one.
static inline void mix8(uint32_t *x, uint32_t *o, const int *c)
{
	typedef uint32_t lanes __attribute__((vector_size(32)));
	lanes v;

	memcpy(&v, c, sizeof v);
	v = (v ^ key[0]) * key[1];
	v ^= v >> 16;
	v *= key[2];
	memcpy(x, &v, sizeof v);
	v = (v >> shift) * (uint32_t)WAYS;
	memcpy(o, &v, sizeof v);
}

// Add a row of m entries, f of them fresh, to suma.
static inline void add(int m, int f)
{
	ilebylo = m - f;
	suma += gain[m][f];
}

// Copy a row of m codes, 1 to 10, from the tape by moves of a fixed size:
// 8 codes, and for a wider row the last 8 too. Columns past m may take
// what follows on the tape; they are never read.
static inline void copy(int *to, const int *from, int m)
{
	memcpy(to, from, 32);
	if (m > 8)
		memcpy(to + m - 8, from + m - 8, 32);
}

// Read n rows of m item codes into towar: as many whole rows at a time as
// the tape holds, and a row at a time by num() when it runs short.
static inline void block(int n, int m)
{
	for (int i = 0; i < n;) {
		unsigned at = ti, whole = (tn - ti) / m;
		if (whole > (unsigned)(n - i))
			whole = n - i;
		for (unsigned j = 0; j < whole; j++, i++, at += m)
			copy(towar[i], tape + at, m);
		ti = at;
		if (i == n)
			break;
		for (int k = 0; k < m; k++)
			towar[i][k] = num("an item code", i + 1, k + 1, (long long)(n - i) * m - k);
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
template <class K, int M> static void rows(int n)
{
	alignas(32) static uint32_t ring[32][16], slot[32][16];
	const int ahead = (16 + M - 1) / M < n ? (16 + M - 1) / M : n;
	const uint32_t end = last;

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
			f += K::fresh(x + k, byl + o[k], end);
		}
		add(M, (int)f);
	}
}

// Read and score rows 0 to n - 1 of width m, 1 to WIDE.
template <class K> static void score(int n, int m)
{
	static_assert(WIDE == 10, "a case for each width");
	switch (m) {
	case 1: return rows<K, 1>(n);
	case 2: return rows<K, 2>(n);
	case 3: return rows<K, 3>(n);
	case 4: return rows<K, 4>(n);
	case 5: return rows<K, 5>(n);
	case 6: return rows<K, 6>(n);
	case 7: return rows<K, 7>(n);
	case 8: return rows<K, 8>(n);
	case 9: return rows<K, 9>(n);
	default: return rows<K, 10>(n);
	}
}

// Score a test case of at most 16 codes, in order in codes[] (readable up
// to 16), without byl. The lowest of the codes equal to one is where it
// first comes: those places are fresh, all others repeats.
template <class K> static void tiny(const int *codes, int n, int m)
{
	const uint32_t *c = (const uint32_t *)codes;
	uint32_t fresh = 0;
	int k = n * m;

	if (k <= 8)
		for (int i = 0; i < k; i++) {
			uint32_t e = K::same8(c, c[i]);
			fresh |= e & (0 - e);
		}
	else
		for (int i = 0; i < k; i++) {
			uint32_t e = K::same(c, c[i]);
			fresh |= e & (0 - e);
		}
	for (int i = 0; i < n; i++, fresh >>= m)
		add(m, __builtin_popcount(fresh & ((1u << m) - 1)));
}

// Append one line holding v, 0 or more, in decimal to the output, two
// digits at a time.
static void put(int v)
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

// Read and score a test case of at most 16 codes. Most often the tape holds
// all of them, in order, and tiny() takes them from there.
template <class K> static void small(int n, int m)
{
	if (tn - ti >= (unsigned)(n * m)) {
		ti += n * m;
		return tiny<K>(tape + ti - n * m, n, m);
	}
	int flat[16] = {0};	// tiny() reads all 16
	block(n, m);
	for (int i = 0; i < n * m; i++)
		flat[i] = towar[i / m][i % m];
	tiny<K>(flat, n, m);
}

// Read one test case's n and m, check them against the storage, read its
// codes into towar and score them.
template <class K> static void test(void)
{
	suma = 0;
	ilebylo = 0;
	int n = num("the number of rows", 0, 0, 2);
	int m = num("the number of entries per row", 0, 0, 1);
	if (n > 0 && (m < 0 || m > WIDE))
		fault(0, 0, "expected 0 to %d entries per row, found %d", WIDE, m);
	if (n > ROWS && m > 0)
		fault(0, 0, "expected at most %d rows, found %d", ROWS, n);
	if (n <= 0 || m <= 0)
		return;
	if (n * m <= 16)
		return small<K>(n, m);
	clear((long)n * m);
	score<K>(n, m);
}

// The code for each processor: its block reader and its test case. On x86
// the AVX2 ones are built for AVX2 and its bit instructions, so that a
// build for any x86-64 runs as fast as one for this processor.
[[gnu::flatten]] static void scanplain(void) { scanwith<plain>(); }
[[gnu::flatten]] static void testplain(void) { test<plain>(); }
#if defined(X86)
#if !defined(PIN_AVX2)
[[gnu::flatten]] static void scansse2(void) { scanwith<sse2>(); }
[[gnu::flatten]] static void testsse2(void) { test<sse2>(); }
#endif
#ifdef AVX2
[[gnu::target("avx2,bmi,bmi2,popcnt,lzcnt"), gnu::flatten]] static void scanavx2(void) { scanwith<avx2>(); }
[[gnu::target("avx2,bmi,bmi2,popcnt"), gnu::flatten]] static void testavx2(void) { test<avx2>(); }
#endif
#elif defined(NEON)
[[gnu::flatten]] static void scanneon(void) { scanwith<neon>(); }
[[gnu::flatten]] static void testneon(void) { test<neon>(); }
#endif

#ifdef AVX2
// Whether the processor runs the AVX2 code: every extension it is built
// for, asked of cpuid itself (compilers do not all name lzcnt), and the
// system saving the 256-bit registers.
static bool hasavx2(void)
{
	unsigned a, b, c, d;
	if (!__get_cpuid(1, &a, &b, &c, &d) || !(c & bit_POPCNT) || !(c & bit_OSXSAVE) || !(c & bit_AVX))
		return false;
	unsigned x, y;
	asm("xgetbv" : "=a"(x), "=d"(y) : "c"(0));
	if ((x & 6) != 6)	/* the XMM and YMM state */
		return false;
	if (!__get_cpuid_count(7, 0, &a, &b, &c, &d) || !(b & bit_AVX2) || !(b & bit_BMI) || !(b & bit_BMI2))
		return false;
	return __get_cpuid(0x80000001, &a, &b, &c, &d) && (c & bit_LZCNT);
}
#endif

// Pick the code for this processor: the pinned one, or the best it runs.
static void choose(void)
{
	scan = scanplain;
	one = testplain;
#if defined(PIN_AVX2)
	if (!hasavx2())
		die("this processor lacks AVX2");
	scan = scanavx2;
	one = testavx2;
#elif defined(AVX2)
	bool avx2 = hasavx2();
	scan = avx2 ? scanavx2 : scansse2;
	one = avx2 ? testavx2 : testsse2;
#elif defined(X86)
	scan = scansse2;
	one = testsse2;
#elif defined(NEON)
	scan = scanneon;
	one = testneon;
#endif
}

// Start reading: nothing read, nothing on the tape.
static void reset(void)
{
	p = end = buf + LEAD;
	eof = false;
	ti = tn = 0;
	why = MORE;
	owed = 1;
	rest = 0;
	tcase = 0;
	memset(end, 'x', PAD);
}

// Put a seekable input's offset just after the last number used, so that
// the next reader of the same open file starts there. The numbers on the
// tape are runs between white space, so the place is found by counting.
static void leave(void)
{
	const unsigned char *at = ti > 0 ? from : p;
	for (unsigned i = 0; i < ti; i++) {
		while (space(*at))
			at++;
		while (!space(*at))
			at++;
	}
	if (seekable && end > at)
		lseek(0, at - end, SEEK_CUR);
}

// Ask for the large arrays in huge pages: a few faults instead of one or two
// for every 4 KiB page the codes and the table touch at random.
static void huge(void)
{
#ifdef MADV_HUGEPAGE
	madvise(towar, sizeof towar, MADV_HUGEPAGE);
	madvise(byl, sizeof byl, MADV_HUGEPAGE);
#endif
}

// Find out how standard input can be looked at without taking its bytes.
static void lookable(void)
{
	struct stat st;
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

#ifndef FUZZ
int main(int argc, char **)
{
	if (argc > 1)
		fprintf(stderr, "a: reads standard input only; ignoring arguments\n");
	choose();
	huge();
	build();
	seed();
	reset();
	seekable = lseek(0, 0, SEEK_CUR) >= 0;
	lookable();
	int t = num("the number of test cases", 0, 0, 1);
	for (int j = 0; j < t; j++) {
		tcase = j + 1;
		rest = 2LL * (t - tcase);
		one();
		put((int)suma);
	}
	flush();
	leave();
	return 0;
}
#endif
