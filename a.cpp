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
#include <sys/mman.h>
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
#include <immintrin.h>
#endif

enum { ROWS = 50001, COLS = 11, WIDE = 10, HUGE = 1 << 21 };

alignas(HUGE) static int towar[ROWS][COLS];	// the current test case, by row
static long long suma;		// the current test case's total
static int ilebylo;		// repeat entries in the current row
static int newton[WIDE + 1][WIDE + 1];
static int tab[WIDE + 1];	// tab[i] = 2^i - 1, non-empty subsets of i

// The seen set byl: open addressing over mixed codes in buckets of 16 slots,
// each one cache line; fill counts the slots in use, which fill from the
// front, so a slot past it is free whatever it holds.
// Not std::unordered_set: its hash of an int is the int itself, so codes
// that share a residue modulo the bucket count all land on one chain, and
// its clear() sweeps every bucket, so many small test cases after one large
// one cost a full sweep each. Here the mix is seeded afresh on each run, the
// table is sized to the test case, and clearing it zeroes only fill.
enum { WAYS = 16, SLOTS = 1 << 20 };
static_assert(SLOTS >= 2 * ROWS * WIDE, "byl is at most half full");
alignas(HUGE) static uint32_t byl[SLOTS];
static uint8_t fill[SLOTS / WAYS];
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
static long long rest;		// numbers owed by the test cases after this one
static long long owed;		// numbers owed, from the one being read on

// The tape: numbers the block reader has taken from the buffer ahead of use,
// the first of them at from. scan() stops for one of three reasons.
enum { TAPE = 512, FULL = 0, MORE, BAD };
static_assert(TAPE > 2 * (BLOCK / 2 + 1), "a block's numbers fit after the check for room");
static int tape[TAPE + 16];	// room for a row's fixed-size copy
static unsigned ti, tn, why;
static const unsigned char *from;

static char out[1 << 16];
static size_t outn;

#ifdef FUZZ
#include <csetjmp>
static jmp_buf fuzzout;
static char fuzzmsg[256];
static ssize_t fuzzread(unsigned char *to, size_t want);
#endif

[[noreturn, gnu::noinline, gnu::cold]] static void die(const char *fmt, ...);

// Write what is buffered for standard output.
[[gnu::noinline]] static void flush(void)
{
	size_t done = 0;
	while (done < outn) {
		ssize_t r = write(1, out + done, outn - done);
		if (r < 0 && errno == EINTR)
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

// Read more input after the bytes from p on, which move to just before
// buf + LEAD. Output that is ready goes out first, so that a reader on a
// slow pipe sees each line when it is due. From a pipe or a terminal no
// read asks for more than the numbers owed could take up, one byte each and
// one after each, so that nothing past the byte ending the last number is
// taken from the input.
static void refill(void)
{
	size_t keep = end - p, want = CHUNK;
	ssize_t r;

	memmove(buf + LEAD - keep, p, keep);
	p = buf + LEAD - keep;
	flush();
	if (!seekable && owed < CHUNK / 2)
		want = owed > 0 ? 2 * owed - 1 : 1;
	do
#ifdef FUZZ
		r = fuzzread(buf + LEAD, want);
#else
		r = read(0, buf + LEAD, want);
#endif
	while (r < 0 && errno == EINTR);
	if (r < 0)
		die("reading input: %s", strerror(errno));
	eof = r == 0;
	end = buf + LEAD + r;
	memset(end, eof ? ' ' : 'x', PAD);
}

// The next input byte, without taking it, or -1 at end of input.
static int peek(void)
{
	if (p == end && !eof)
		refill();
	return p == end ? -1 : *p;
}

// Whether c is white space to "%d": blank, tab, line feed, vertical tab,
// form feed or carriage return.
static inline bool space(int c)
{
	return c == ' ' || (unsigned)(c - '\t') < 5;
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

	while (space(c = peek()))
		p++;
	if (c < 0)
		fault(row, entry, "expected %s, found end of input", what);
	neg = c == '-';
	for (;; p++, taken++) {
		c = peek();
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
		c = peek();
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

// Bits of the bytes of a 64-byte block for which is() holds: the portable
// reader, right in either byte order and at any word size.
struct plain {
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
struct sse2 {
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

#if !defined(PIN_SSE2)
// Thirty-two bytes at a time; the digits summed up in pairs by three
// multiply-adds instead of words.
struct avx2 {
	[[gnu::target("avx2")]] static inline uint64_t bits(__m256i lo, __m256i hi)
	{
		return (uint64_t)(unsigned)_mm256_movemask_epi8(lo) |
		       (uint64_t)(unsigned)_mm256_movemask_epi8(hi) << 32;
	}
	[[gnu::target("avx2")]] static inline kinds classify(const unsigned char *b)
	{
		// The white space byte with each low nibble, or 0, which no byte
		// with that nibble is; a byte from 0x80 up looks up 0 too.
		const __m256i white = _mm256_setr_epi8(' ', 0, 0, 0, 0, 0, 0, 0, 0, '\t', '\n', '\v', '\f', '\r', 0, 0,
						       ' ', 0, 0, 0, 0, 0, 0, 0, 0, '\t', '\n', '\v', '\f', '\r', 0, 0);
		__m256i c[2], s[2], d[2], m[2];
		for (int i = 0; i < 2; i++) {
			c[i] = _mm256_loadu_si256((const __m256i *)b + i);
			s[i] = _mm256_cmpeq_epi8(c[i], _mm256_shuffle_epi8(white, c[i]));
			d[i] = RANGE(_mm256_sub_epi8, LT256, _mm256_set1_epi8, c[i], '0', 10);
			m[i] = _mm256_cmpeq_epi8(c[i], _mm256_set1_epi8('-'));
		}
		return {bits(s[0], s[1]), bits(d[0], d[1]), bits(m[0], m[1])};
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
};
#endif
#endif

#ifdef NEON
// Sixteen bytes at a time with NEON, bits gathered by pairwise adds.
struct neon {
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

// Fill the tape from p on, a block of 64 bytes at a time. A number is a run
// of bytes between white space; bitmasks say where every run of a block
// starts and ends, so that each is converted apart from the others and
// their work overlaps. A run that crosses into the next block waits there
// for its end. Anything that is not a plain number (a '+', a letter, a sign
// out of place, too many digits, a value out of range) stops the scan at
// its run, for slow() to read; so does the sentinel past the data read.
template <class K> static inline void scanwith(void)
{
	const unsigned char *b = p, *open = nullptr, *last = end;
	unsigned osign = 0, oneg = 0;
	uint64_t prev = 1;	// p starts a run, whatever comes before it
	int *t = tape;

	from = p;
	ti = 0;
	for (;; b += BLOCK) {
		if (b >= last)
			return stop(t, open ? open : last, MORE);
		kinds k = K::classify(b);
		if (k.space == ~0ull) {	// white space alone: nothing is open
			prev = 1;
			continue;
		}
		uint64_t other = ~(k.space | k.digit | k.minus), sign = k.minus;
		for (uint64_t o = other; o; o &= o - 1)
			if (b[__builtin_ctzll(o)] == '+')
				sign |= o & (0 - o);
		other &= ~sign;
		uint64_t after = space(b[BLOCK]);
		uint64_t starts = ~k.space & (k.space << 1 | prev);
		uint64_t ends = ~k.space & (k.space >> 1 | after << 63);
		uint64_t bad = other | (sign & ~starts) | (sign & ends);
		const unsigned char *at = nullptr;
		bool cut = false;
		prev = k.space >> 63;
		if (__builtin_expect(bad != 0, 0)) {
			// Keep only the runs before the first bad byte's.
			unsigned q = __builtin_ctzll(bad);
			uint64_t before = starts & ((2ull << q) - 1);
			cut = b + q >= last;
			if (!before)
				return stop(t, open, cut ? MORE : BAD);
			unsigned s = 63 - __builtin_clzll(before);
			at = b + s;
			starts &= (1ull << s) - 1;
			ends &= (1ull << s) - 1;
		}
		if (open) {
			if (!ends)
				return stop(t, open, BAD);
			if (!take<K>(t, open, b + __builtin_ctzll(ends), osign, oneg))
				return stop(t, open, BAD);
			ends &= ends - 1;
			open = nullptr;
		}
		while (ends) {
			unsigned s = __builtin_ctzll(starts), e = __builtin_ctzll(ends);
			if (!take<K>(t, b + s, b + e, sign >> s & 1, k.minus >> s & 1))
				return stop(t, b + s, BAD);
			starts &= starts - 1;
			ends &= ends - 1;
		}
		if (at)
			return stop(t, at, cut ? MORE : BAD);
		if (starts) {
			unsigned s = __builtin_ctzll(starts);
			open = b + s;
			osign = sign >> s & 1;
			oneg = k.minus >> s & 1;
		}
		if (t > tape + TAPE - (BLOCK / 2 + 1)) {
			const unsigned char *next = b + BLOCK < last ? b + BLOCK : last;
			return stop(t, open ? open : next, FULL);
		}
	}
}

// The block reader for this processor, chosen once.
[[gnu::flatten]] static void scanplain(void) { scanwith<plain>(); }
#if defined(X86)
#if !defined(PIN_AVX2)
[[gnu::flatten]] static void scansse2(void) { scanwith<sse2>(); }
#endif
#if !defined(PIN_SSE2)
[[gnu::target("avx2,bmi,bmi2"), gnu::flatten]] static void scanavx2(void) { scanwith<avx2>(); }
#endif
#elif defined(NEON)
[[gnu::flatten]] static void scanneon(void) { scanwith<neon>(); }
#endif
static void (*scan)(void) = scanplain;
static void test(void);
#if defined(X86) && !defined(PIN_SSE2)
static void testavx2(void);
#endif
static void (*one)(void) = test;	// reads and scores one test case

// Pick the block reader: the pinned one, or the best this processor runs.
static void choose(void)
{
#if defined(X86) && defined(PIN_AVX2)
	if (!__builtin_cpu_supports("avx2") || !__builtin_cpu_supports("bmi2"))
		die("this processor lacks AVX2");
	scan = scanavx2;
	one = testavx2;
#elif defined(X86) && !defined(PIN_SSE2)
	bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2");
	scan = avx2 ? scanavx2 : scansse2;
	one = avx2 ? testavx2 : test;
#elif defined(X86)
	scan = scansse2;
#elif defined(NEON)
	scan = scanneon;
#endif
}

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
			refill();
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

// Build newton by Pascal's rule and tab by summing each row of it.
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

// Mix a code into a slot key: a bijection on 32 bits, so equal keys mean
// equal codes, with the slot taken from its well-mixed top bits.
static inline uint32_t mix(int code)
{
	uint32_t x = ((uint32_t)code ^ key[0]) * key[1];
	x ^= x >> 16;
	return x * key[2];
}

// Empty byl and size it for up to cap codes, in time O(cap / WAYS).
static void clear(long cap)
{
	uint32_t bits = 1;
	while ((WAYS << bits) < 2 * cap)
		bits++;
	last = (1u << bits) - 1;
	shift = 32 - bits;
	memset(fill, 0, (size_t)1 << bits);
}

// Bitmask of the 16 ints from b on that equal x.
static inline unsigned match(const uint32_t *b, uint32_t x)
{
#ifdef X86
	__m128i k = _mm_set1_epi32((int)x);
	auto eq = [b, k](int i) {
		return _mm_cmpeq_epi32(_mm_loadu_si128((const __m128i *)b + i), k);
	};
	return _mm_movemask_epi8(_mm_packs_epi16(_mm_packs_epi32(eq(0), eq(1)),
						 _mm_packs_epi32(eq(2), eq(3))));
#else
	unsigned m = 0;
	for (unsigned i = 0; i < WAYS; i++)
		m |= (unsigned)(b[i] == x) << i;
	return m;
#endif
}

// Insert a mixed code into byl; true if it was there already. A code passes
// on to the next bucket only from a full one, so a bucket with room ends the
// search. A bucket holds at most WAYS - 1 codes, so that x can be stored in
// the slot past them whether or not it is new: only fill says which.
static inline bool seen(uint32_t x)
{
	for (uint32_t i = x >> shift;; i = (i + 1) & last) {
		uint32_t *b = byl + i * WAYS, f = fill[i];
		uint32_t hit = match(b, x) & ((1u << f) - 1);
		b[f] = x;
		if (__builtin_expect(hit || f < WAYS - 1, 1)) {
			fill[i] = f + !hit;
			return hit;
		}
	}
}

// Add a row of m entries, b of them repeats, to suma.
static inline void add(int m, int b)
{
	ilebylo = b;
	int f = m - ilebylo;
	suma += tab[f];
	suma += tab[f] * tab[ilebylo];
}

// Score rows 0 to n - 1 of width m into suma. The codes of a row some rows
// ahead are mixed into ring and their buckets fetched, so that the table's
// cache misses overlap instead of coming one after another.
static void score(int n, int m)
{
	static uint32_t ring[32][WIDE];
	int ahead = (16 + m - 1) / m;	// 16 entries, at most 16 rows

	if (ahead > n)
		ahead = n;

	for (int i = -ahead; i < n; i++) {
		int r = i + ahead;
		for (int k = 0; r < n && k < m; k++) {
			uint32_t x = ring[r & 31][k] = mix(towar[r][k]);
			__builtin_prefetch(byl + (x >> shift) * WAYS, 1);
		}
		if (i < 0)
			continue;
		int b = 0;
		for (int k = 0; k < m; k++)
			b += seen(ring[i & 31][k]);
		add(m, b);
	}
}

// Score a test case of at most 16 codes, in order in codes[] (readable up
// to 16), without byl: a code repeats when one before it is equal.
static void tiny(const int *codes, int n, int m)
{
	uint32_t rep = 0;	// a bit for each code that repeats one before

	for (int i = 1; i < n * m; i++)
		rep |= (uint32_t)((match((const uint32_t *)codes, codes[i]) & ((1u << i) - 1)) != 0) << i;
	for (int i = 0; i < n; i++, rep >>= m)
		add(m, __builtin_popcount(rep & ((1u << m) - 1)));
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

// Copy a row of m codes, 1 to 10, from the tape by moves of a fixed size:
// 8 codes, and for a wider row the last 8 too. Columns past m may take
// what follows on the tape; they are never read.
static inline void copy(int *to, const int *from, int m)
{
	memcpy(to, from, 32);
	if (m > 8)
		memcpy(to + m - 8, from + m - 8, 32);
}

// Read n rows of m item codes into towar, whole rows from the tape while
// it holds them.
static void block(int n, int m)
{
	for (int i = 0; i < n; i++) {
		int *row = towar[i];
		if (tn - ti >= (unsigned)m) {
			copy(row, tape + ti, m);
			ti += m;
			continue;
		}
		for (int k = 0; k < m; k++)
			row[k] = num("an item code", i + 1, k + 1, (long long)(n - i) * m - k);
	}
}

// Read and score a test case of at most 16 codes. Most often the tape holds
// all of them, in order, and tiny() takes them from there.
static void small(int n, int m)
{
	const int *codes = tape + ti;
	int flat[16] = {0};	// tiny() reads all 16

	if (tn - ti >= (unsigned)(n * m)) {
		for (int i = 0; i < n; i++)
			copy(towar[i], codes + i * m, m);
		ti += n * m;
	} else {
		block(n, m);
		for (int i = 0; i < n * m; i++)
			flat[i] = towar[i / m][i % m];
		codes = flat;
	}
	tiny(codes, n, m);
}

// Read one test case's n and m, check them against the storage, read its
// codes into towar and score them.
static void test(void)
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
		return small(n, m);
	clear((long)n * m);
	block(n, m);
	score(n, m);
}

// One test case, built again for AVX2 and its bit instructions, so that a
// build for any x86-64 runs the counting as fast as one for this processor.
#if defined(X86) && !defined(PIN_SSE2)
[[gnu::target("avx2,bmi,bmi2"), gnu::flatten]] static void testavx2(void) { test(); }
#endif

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

#ifndef FUZZ
int main(int argc, char **)
{
	if (argc > 1 && isatty(0))
		fprintf(stderr, "a: reads standard input only; ignoring arguments\n");
	choose();
	huge();
	build();
	seed();
	reset();
	seekable = lseek(0, 0, SEEK_CUR) >= 0;
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
