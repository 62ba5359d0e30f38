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
#include <ctime>
#include <sys/mman.h>
#include <sys/random.h>
#include <unistd.h>
#if defined(__SSSE3__)
#include <tmmintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
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
enum { WAYS = 16, SLOTS = 1 << 20 };	// >= 2 * ROWS * WIDE: at most half full
alignas(HUGE) static uint32_t byl[SLOTS];
static uint8_t fill[SLOTS / WAYS];
static uint32_t last, shift;	// buckets in use - 1; 32 - log2(buckets)
static uint32_t key[3];		// this run's seed

static unsigned char buf[(1 << 17) + 32];	// room to load past the end
static const unsigned char *p = buf, *end = buf;	// *end is a sentinel 0
static bool eof;
static char out[1 << 16];
static size_t outn;

[[noreturn]] static void die(const char *fmt, ...);

// Write what is buffered for standard output.
static void flush(void)
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
[[noreturn]] static void die(const char *fmt, ...)
{
	char msg[256];
	va_list ap;

	flush();
	va_start(ap, fmt);
	vsnprintf(msg, sizeof msg, fmt, ap);
	va_end(ap);
	fprintf(stderr, "a: %s\n", msg);
	exit(1);
}

// Refill the input buffer; false at end of input. Output that is ready goes
// out first, so that a reader on a slow pipe sees each line when it is due.
static bool refill(void)
{
	ssize_t r;

	if (eof)
		return false;
	flush();
	do
		r = read(0, buf, sizeof buf - 32);
	while (r < 0 && errno == EINTR);
	if (r < 0)
		die("reading input: %s", strerror(errno));
	eof = r == 0;
	buf[eof ? 0 : r] = 0;
	p = buf;
	end = buf + (eof ? 0 : r);
	return !eof;
}

// The next input byte, without taking it, or -1 at end of input.
static int peek(void)
{
	if (p == end && !refill())
		return -1;
	return *p;
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
[[noreturn]] static void fault(int row, int entry, const char *fmt, ...)
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

// Append c to the quoted token t, escaped if it is not printable.
static void quote(char *t, size_t *len, int c)
{
	if (c == '"' || c == '\\')
		*len += sprintf(t + *len, "\\%c", c);
	else if (c >= 0x20 && c < 0x7f)
		t[(*len)++] = (char)c;
	else
		*len += sprintf(t + *len, "\\x%02x", c);
	t[*len] = 0;
}

// Read one number the slow way, a byte at a time across refills, and report
// anything that is not a decimal integer within 32 bits. tok keeps the
// token's first bytes for the message.
[[gnu::noinline, gnu::cold]] static int slow(const char *what, int row,
						   int entry)
{
	char tok[128] = "";
	size_t len = 0, taken = 0, digits = 0;
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
		if (taken < 20)
			quote(tok, &len, c);
	}
	if (any && digits <= 10 && v <= 2147483647u + neg)
		return (int)(neg ? 0 - v : v);
	while (c >= 0 && !space(c) && taken < 20) {
		quote(tok, &len, c);
		p++, taken++;
		c = peek();
	}
	if (taken > 20 || (c >= 0 && !space(c)))
		strcat(tok, "...");
	fault(row, entry, "expected %s, found \"%s\"%s", what, tok,
	    any ? " (out of range)" : "");
}

// What the 16 bytes at s are: bitmasks of spaces, digits, signs and minus
// signs, and with SSSE3 the bytes themselves and which are digits.
struct kinds {
	unsigned space, digit, sign, minus;
#ifdef __SSSE3__
	__m128i bytes, digits;
#endif
};

#ifdef __SSE2__
static inline kinds classify(const unsigned char *s)
{
	__m128i c = _mm_loadu_si128((const __m128i *)s);
	// Shifted so that the range from lo holds the lowest signed bytes, a
	// byte is in the range when it is below the range's end.
	auto in = [c](int lo, int n) {
		__m128i t = _mm_sub_epi8(c, _mm_set1_epi8((char)(lo + 128)));
		return _mm_cmplt_epi8(t, _mm_set1_epi8((char)(n - 128)));
	};
	auto is = [c](char x) { return _mm_cmpeq_epi8(c, _mm_set1_epi8(x)); };
	auto bits = [](__m128i m) { return (unsigned)_mm_movemask_epi8(m); };
	__m128i digits = in('0', 10);
	unsigned minus = bits(is('-'));
	return {bits(_mm_or_si128(in('\t', 5), is(' '))), bits(digits),
		minus | bits(is('+')), minus
#ifdef __SSSE3__
		, c, digits
#endif
	};
}
#else
static inline kinds classify(const unsigned char *s)
{
	kinds k = {0, 0, 0, 0};
	for (unsigned i = 0; i < 16; i++) {
		k.space |= (unsigned)space(s[i]) << i;
		k.digit |= (unsigned)digit(s[i]) << i;
		k.sign |= (unsigned)(s[i] == '-' || s[i] == '+') << i;
		k.minus |= (unsigned)(s[i] == '-') << i;
	}
	return k;
}
#endif

#ifdef __SSSE3__
// The value of the len digits from offset at of the 16 bytes k was made
// from: the digits move to the top of a register, zeros below them, and
// three multiply-adds sum them up in pairs.
static inline uint64_t value(const unsigned char *, const kinds &k, unsigned at, unsigned len)
{
	__m128i d = _mm_and_si128(_mm_sub_epi8(k.bytes, _mm_set1_epi8('0')), k.digits);
	__m128i to = _mm_sub_epi8(_mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15),
				  _mm_set1_epi8((char)(16 - at - len)));
	d = _mm_shuffle_epi8(d, to);	// a negative index gives 0
	d = _mm_maddubs_epi16(d, _mm_setr_epi8(10, 1, 10, 1, 10, 1, 10, 1, 10, 1, 10, 1, 10, 1, 10, 1));
	d = _mm_madd_epi16(d, _mm_setr_epi16(100, 1, 100, 1, 100, 1, 100, 1));
	d = _mm_packs_epi32(d, d);
	d = _mm_madd_epi16(d, _mm_setr_epi16(10000, 1, 10000, 1, 10000, 1, 10000, 1));
	uint64_t r = (uint64_t)_mm_cvtsi128_si64(d);
	return (r & 0xffffffff) * 100000000 + (r >> 32);
}
#else
// Load 8 input bytes, first byte lowest, wherever they lie.
static inline uint64_t load(const unsigned char *s)
{
	uint64_t x;
	memcpy(&x, s, 8);
	return x;
}

// The value of 8 ASCII digits, the most significant in the lowest byte,
// in three multiplications instead of eight dependent steps.
static inline uint64_t eight(uint64_t x)
{
	x -= 0x3030303030303030u;
	x = x * 10 + (x >> 8);
	x = ((x & 0x000000ff000000ffu) * (100 + (1000000ull << 32)) +
	     ((x >> 16) & 0x000000ff000000ffu) * (1 + (10000ull << 32))) >> 32;
	return x;
}

// The value of the len digits at s + at: moved to the top of 16 bytes, '0'
// filled in below them, and summed 8 at a time.
static inline uint64_t value(const unsigned char *s, const kinds &, unsigned at, unsigned len)
{
	s += at;
	unsigned __int128 d = ((unsigned __int128)load(s + 8) << 64 | load(s)) << (128 - 8 * len);
	d |= ((unsigned __int128)0x3030303030303030u << 64 | 0x3030303030303030u) >> (8 * len);
	return eight((uint64_t)d) * 100000000 + eight((uint64_t)(d >> 64));
}
#endif

// Parse a number of up to 10 digits at s as "%d" does into *v, and return
// the byte after it; null when the number may run on past the buffer's end
// or is anything but a number within 32 bits. Where the next number starts
// and ends comes from bitmasks of one 16-byte load, with no branch on the
// number's length: that chain from one number to the next bounds the speed.
[[gnu::always_inline]] static inline const unsigned char *
fast(const unsigned char *s, int *v)
{
	kinds k = classify(s);
	while (__builtin_expect(k.space == 0xffff, 0))
		k = classify(s += 16);	// no sentinel among them: s stays <= end
	unsigned a = __builtin_ctz(~k.space);
	unsigned at = a + (k.sign >> a & 1);
	unsigned len = __builtin_ctz(~(k.digit >> at));
	const unsigned char *t = s + at + len;
	if (len - 1 >= 10 || at + len >= 16 || t == end)
		return nullptr;
	uint64_t u = value(s, k, at, len);
	uint64_t neg = k.minus >> a & 1;
	if (u > 2147483647u + neg)
		return nullptr;
	*v = (int)((u ^ (0 - neg)) + neg);
	return t;
}

// Read one number as "%d" does; slow() alone deals with refills and faults.
[[gnu::always_inline]] static inline int num(const char *what, int row, int entry)
{
	int v;
	const unsigned char *s = fast(p, &v);
	if (!s)
		return slow(what, row, entry);
	p = s;
	return v;
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

// Seed the mix from the kernel, or failing that from the clock and pid.
static void seed(void)
{
	if (getrandom(key, sizeof key, GRND_NONBLOCK) != sizeof key) {
		struct timespec t;
		clock_gettime(CLOCK_REALTIME, &t);
		key[0] = (uint32_t)t.tv_nsec ^ (uint32_t)getpid() << 16;
		key[1] = (uint32_t)t.tv_sec * 2654435761u;
		key[2] = key[0] * 0x9e3779b9u + key[1];
	}
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

// Bitmask of the slots of bucket b that hold x.
static inline unsigned match(const uint32_t *b, uint32_t x)
{
#ifdef __SSE2__
	__m128i k = _mm_set1_epi32((int)x);
	auto eq = [b, k](int i) {
		return _mm_cmpeq_epi32(_mm_load_si128((const __m128i *)b + i), k);
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
// search, and one store serves both outcomes, without a branch on which.
static inline bool seen(uint32_t x)
{
	for (uint32_t i = x >> shift;; i = (i + 1) & last) {
		uint32_t *b = byl + i * WAYS, f = fill[i];
		uint32_t hit = match(b, x) & ((1u << f) - 1);
		if (__builtin_expect(hit || f < WAYS, 1)) {
			b[hit ? __builtin_ctz(hit) : f] = x;
			fill[i] = f + !hit;
			return hit;
		}
	}
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
		ilebylo = b;
		int f = m - ilebylo;
		suma += tab[f];
		suma += tab[f] * tab[ilebylo];
	}
}

// Append one line holding v in decimal to the output.
static void put(int v)
{
	char d[16];
	int len = 0;
	unsigned u = v < 0 ? 0u - v : v;

	if (outn + 16 > sizeof out)
		flush();
	do
		d[len++] = '0' + u % 10;
	while (u /= 10);
	if (v < 0)
		out[outn++] = '-';
	while (len > 0)
		out[outn++] = d[--len];
	out[outn++] = '\n';
}

// Read n rows of m item codes into towar, keeping the cursor in a register.
static void block(int n, int m)
{
	const unsigned char *s = p, *t;

	for (int i = 0; i < n; i++)
		for (int k = 0; k < m; k++, s = t)
			if (!(t = fast(s, &towar[i][k]))) {
				p = s;
				towar[i][k] = slow("an item code", i + 1, k + 1);
				t = p;
			}
	p = s;
}

// Read one test case's n and m, check them against the storage, read its
// codes into towar and score them.
static void test(void)
{
	suma = 0;
	ilebylo = 0;
	int n = num("the number of rows", 0, 0);
	int m = num("the number of entries per row", 0, 0);
	if (n > 0 && (m < 0 || m > WIDE))
		fault(0, 0, "expected 0 to %d entries per row, found %d", WIDE, m);
	if (n > ROWS && m > 0)
		fault(0, 0, "expected at most %d rows, found %d", ROWS, n);
	if (n <= 0 || m <= 0)
		return;
	clear((long)n * m);
	block(n, m);
	score(n, m);
}

// Ask for the large arrays in huge pages: a few faults instead of one or two
// for every 4 KiB page the codes and the table touch at random.
static void huge(void)
{
	madvise(towar, sizeof towar, MADV_HUGEPAGE);
	madvise(byl, sizeof byl, MADV_HUGEPAGE);
}

int main(void)
{
	huge();
	build();
	seed();
	int t = num("the number of test cases", 0, 0);
	for (int j = 0; j < t; j++) {
		tcase = j + 1;
		test();
		put((int)suma);
	}
	flush();
	return 0;
}
