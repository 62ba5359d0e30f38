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
#include <sys/random.h>
#include <unistd.h>

enum { ROWS = 50001, COLS = 11, WIDE = 10 };

static int towar[ROWS][COLS];	// the current test case, row by row
static long long suma;		// the current test case's total
static int ilebylo;		// repeat entries in the current row
static int newton[WIDE + 1][WIDE + 1];
static int tab[WIDE + 1];	// tab[i] = 2^i - 1, non-empty subsets of i

// The seen set byl: open addressing over mixed codes, 0 marking a free slot.
// Not std::unordered_set: its hash of an int is the int itself, so codes
// that share a residue modulo the bucket count all land on one chain, and
// its clear() sweeps every bucket, so many small test cases after one large
// one cost a full sweep each. Here the mix is seeded afresh on each run and
// the table is sized to the test case, so clearing costs what filling does.
enum { SLOTS = 1 << 20 };	// >= 2 * ROWS * WIDE, load stays at most 1/2
alignas(64) static uint32_t byl[SLOTS];
static uint32_t mask, shift;	// slots in use minus 1; 32 - log2(slots)
static bool zero;		// the code that mixes to 0 has been met
static uint32_t key[3];		// this run's seed

static unsigned char buf[(1 << 17) + 16];	// 16 bytes to load past the end
static const unsigned char *p = buf, *end = buf;	// *end is a sentinel 0
static bool eof;
static char out[1 << 16];
static size_t outn;

// Report a fault and exit 1, after writing the lines already complete.
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
static bool fill(void)
{
	ssize_t r;

	if (eof)
		return false;
	flush();
	do
		r = read(0, buf, sizeof buf - 16);
	while (r < 0 && errno == EINTR);
	if (r < 0)
		die("reading input: %s", strerror(errno));
	p = buf;
	end = buf + (r > 0 ? r : 0);
	*(unsigned char *)end = 0;
	eof = r == 0;
	return r > 0;
}

// The next input byte, without taking it, or -1 at end of input.
static int peek(void)
{
	if (p == end && !fill())
		return -1;
	return *p;
}

static inline bool space(int c)
{
	return c == ' ' || (unsigned)(c - '\t') < 5;
}

static inline bool digit(int c)
{
	return (unsigned)(c - '0') < 10;
}

// Where a fault lies: the test case, row and entry being read, from 1.
static int tcase;

// Describe the place of a fault into s.
static void place(char *s, size_t len, int row, int entry)
{
	if (tcase == 0)
		*s = 0;
	else if (row == 0)
		snprintf(s, len, "test case %d: ", tcase);
	else
		snprintf(s, len, "test case %d, row %d, entry %d: ", tcase, row,
			 entry);
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
static int slow(const char *what, int row, int entry)
{
	char tok[128] = "", at[64];
	size_t len = 0, taken = 0, digits = 0;
	uint64_t v = 0;
	bool neg, any = false;
	int c;

	while (space(c = peek()))
		p++;
	place(at, sizeof at, row, entry);
	if (c < 0)
		die("%sexpected %s, found end of input", at, what);
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
	die("%sexpected %s, found \"%s\"%s", at, what, tok,
	    any ? " (out of range)" : "");
}

// Load 8 input bytes, first byte lowest, wherever they lie.
static inline uint64_t load(const unsigned char *s)
{
	uint64_t x;
	memcpy(&x, s, 8);
	return x;
}

// Flag the bytes of x that are not digits, in each byte's high nibble. A
// carry out of a byte only spoils the bytes after it, and it comes only out
// of a byte that is no digit, so the lowest flag is always right.
static inline uint64_t nondigits(uint64_t x)
{
	const uint64_t high = 0xf0f0f0f0f0f0f0f0u, three = 0x3030303030303030u;
	return ((x & high) ^ three) | (((x + 0x0606060606060606u) & high) ^ three);
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

// Read one number as "%d" does. The fast path takes up to 10 digits from
// the buffer at once, without a branch on their count; it leaves to slow()
// a number that may run on past the buffer's end, and anything that is not
// a number within 32 bits, so slow() alone speaks of faults.
static inline int num(const char *what, int row, int entry)
{
	const unsigned char *s = p;

	while (space(*s))
		s++;
	uint64_t neg = *s == '-';
	s += *s == '-' || *s == '+';
	uint64_t lo = load(s), hi = load(s + 8);
	uint64_t mlo = nondigits(lo), mhi = nondigits(hi) | 1ull << 63;
	unsigned len = (mlo ? __builtin_ctzll(mlo) : 64 + __builtin_ctzll(mhi)) >> 3;
	if (len - 1 >= 10 || s + len == end)
		return slow(what, row, entry);
	// Keep the len digits, moved to the top, and fill below them with '0'.
	unsigned __int128 d = ((unsigned __int128)hi << 64 | lo) << (128 - 8 * len);
	d |= ((unsigned __int128)0x3030303030303030u << 64 | 0x3030303030303030u) >> (8 * len);
	uint64_t v = eight((uint64_t)d) * 100000000 + eight((uint64_t)(d >> 64));
	if (v > 2147483647u + neg)
		return slow(what, row, entry);
	p = s + len;
	return (int)((v ^ (0 - neg)) + neg);
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

// Empty byl and size it for up to cap codes; costs O(cap), not O(SLOTS).
static void clear(long cap)
{
	uint32_t bits = 4;
	while ((1L << bits) < 2 * cap)
		bits++;
	mask = (1u << bits) - 1;
	shift = 32 - bits;
	memset(byl, 0, sizeof byl[0] << bits);
	zero = false;
}

// Insert a mixed code into byl; true if it was there already.
static inline bool seen(uint32_t x)
{
	if (x == 0) {
		bool had = zero;
		zero = true;
		return had;
	}
	for (uint32_t i = x >> shift;; i = (i + 1) & mask) {
		if (byl[i] == x)
			return true;
		if (byl[i] == 0) {
			byl[i] = x;
			return false;
		}
	}
}

// Score rows 0 to n - 1 of width m into suma, looking up the slots of a row
// some rows ahead so that the table's cache misses overlap.
static void score(int n, int m)
{
	int ahead = (16 + m - 1) / m;

	for (int i = 0; i < n; i++) {
		int b = 0;
		if (i + ahead < n)
			for (int k = 0; k < m; k++)
				__builtin_prefetch(&byl[mix(towar[i + ahead][k]) >> shift], 1);
		for (int k = 0; k < m; k++)
			b += seen(mix(towar[i][k]));
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

// Read one test case's n and m, check them against the storage, read its
// codes into towar and score them.
static void test(void)
{
	suma = 0;
	ilebylo = 0;
	int n = num("the number of rows", 0, 0);
	int m = num("the number of entries per row", 0, 0);
	char at[64];
	place(at, sizeof at, 0, 0);
	if (n > 0 && (m < 0 || m > WIDE))
		die("%sexpected 0 to %d entries per row, found %d", at, WIDE, m);
	if (n > ROWS && m > 0)
		die("%sexpected at most %d rows, found %d", at, ROWS, n);
	if (n <= 0 || m <= 0)
		return;
	clear((long)n * m);
	for (int i = 0; i < n; i++)
		for (int k = 0; k < m; k++)
			towar[i][k] = num("an item code", i + 1, k + 1);
	score(n, m);
}

int main(void)
{
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
