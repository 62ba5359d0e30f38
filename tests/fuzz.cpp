// Differential fuzzing of the number reader, in one process: the block reader
// with the exact reader behind it against the exact reader alone, and each
// value against strtoll of its token. Input: one byte that seeds the sizes
// of the reads (1 to 97 bytes, so that every boundary falls everywhere) and,
// by its lowest bit, whether the input can be looked at before it is taken,
// as a pipe or a socket can; then the text.
// Build: clang++ -fsanitize=fuzzer,address,undefined.
#define FUZZ 1
#pragma clang diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-function"
#include "../a.cpp"

#include <climits>
#include <string>
#include <vector>

static const unsigned char *src;
static size_t srclen, srcpos;
static uint32_t rng;

// Hand the reader the next piece of the text, of a size drawn from the seed.
static ssize_t fuzzread(unsigned char *to, size_t want)
{
	rng = rng * 1103515245 + 12345;
	size_t n = 1 + (rng >> 16) % 97;
	if (n > want)
		n = want;
	if (n > srclen - srcpos)
		n = srclen - srcpos;
	memcpy(to, src + srcpos, n);
	srcpos += n;
	return (ssize_t)n;
}

// Show the reader the next piece of the text without taking it.
static ssize_t fuzzlook(unsigned char *to, size_t want)
{
	size_t at = srcpos;
	ssize_t n = fuzzread(to, want);
	srcpos = at;
	return n;
}

// What reading numbers from the text gave: the values, where each number
// ended, and the message that stopped it, if any.
struct outcome {
	std::vector<long long> vals;
	std::vector<size_t> ends;
	std::string msg;
};

static bool white(int c)
{
	return c == ' ' || (c >= '\t' && c <= '\r');
}

// The numbers of the text by an independent reading: a token is an optional
// sign and the digits after it; its value comes from strtoll.
static outcome model(void)
{
	outcome o;
	size_t i = 0;
	for (;;) {
		while (i < srclen && white(src[i]))
			i++;
		size_t s = i;
		if (i < srclen && (src[i] == '+' || src[i] == '-'))
			i++;
		size_t d = i;
		while (i < srclen && src[i] >= '0' && src[i] <= '9')
			i++;
		if (i == d)
			return o;
		std::string tok((const char *)src + s, i - s);
		errno = 0;
		long long v = strtoll(tok.c_str(), nullptr, 10);
		if (errno == ERANGE || v < INT_MIN || v > INT_MAX)
			return o;
		o.vals.push_back(v);
		o.ends.push_back(i);
	}
}

// Read count numbers, and one more that must fail, with the whole reader or
// the exact one alone, saying each time how many are still owed.
static outcome run(bool exact, size_t count, uint32_t seed)
{
	outcome o;
	reset();
	srcpos = 0;
	rng = seed;
	how = seed & 1 ? PIPE : NOLOOK;
	if (setjmp(fuzzout)) {
		o.msg = fuzzmsg;
		return o;
	}
	for (size_t i = 0; i <= count; i++) {
		long long need = i < count ? (long long)(count - i) : 1;
		owed = need;
		o.vals.push_back(exact ? slow("a number", 0, 0) : num("a number", 0, 0, need));
		o.ends.push_back(srcpos);
	}
	return o;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	if (size < 1)
		return 0;
	static bool once = (choose(), true);
	(void)once;
	src = data + 1;
	srclen = size - 1;
	outcome want = model();
	size_t count = want.vals.size();
	outcome whole = run(false, count, data[0]);
	outcome alone = run(true, count, data[0]);
	// Both read every number right and then stop with the same message.
	if (whole.vals != want.vals || alone.vals != want.vals)
		abort();
	if (whole.msg.empty() || whole.msg != alone.msg)
		abort();
	// Neither took more of the input than the byte after the last number
	// owed.
	for (size_t i = 0; i < count; i++)
		if (whole.ends[i] > want.ends[count - 1] + 1 || alone.ends[i] > want.ends[count - 1] + 1)
			abort();
	return 0;
}
