// Differential fuzzing of the number reader, in one process: the block reader
// with the exact reader behind it against the exact reader alone, and each
// value against strtoll of its token. Input: one byte that seeds the sizes
// of the reads (1 to 97 bytes, so that every boundary falls everywhere) and,
// by its lowest bit, whether the input can be looked at before it is taken,
// as a pipe or a socket can; then the text.
// Build: clang++ -DFUZZ -fsanitize=fuzzer,address,undefined with the
// program's files but main.cpp.
#include "../src/buffer.h"
#include "../src/input.h"
#include "../src/readers.h"

#include <cerrno>
#include <climits>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

static const unsigned char *src;
static size_t srclen, srcpos;
static uint32_t rng;
static bool looks;	// whether the text can be looked at before it is taken
static jmp_buf back;
static std::string msg;

// Hand the reader the next piece of the text, of a size drawn from the seed.
ssize_t fuzzread(unsigned char *to, size_t want)
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

// Show the reader the next piece of the text without taking it, if it can
// be looked at.
ssize_t fuzzlook(unsigned char *to, size_t want)
{
	if (!looks)
		return -1;
	size_t here = srcpos;
	ssize_t n = fuzzread(to, want);
	srcpos = here;
	return n;
}

// Keep the message of a fault, and go back to the run.
void fuzzdie(const char *text)
{
	msg = text;
	longjmp(back, 1);
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
// the exact one alone, as the codes of a test case of count rows of one:
// each time, the numbers still owed are those left of the count. The last
// read owes the one it looks for.
static outcome run(bool exact, size_t count, uint32_t seed)
{
	outcome o;
	reset();
	at = {1, 1, (int)count, 1};
	srcpos = 0;
	rng = seed;
	looks = seed & 1;
	if (setjmp(back)) {
		o.msg = msg;
		return o;
	}
	for (size_t i = 0; i <= count; i++) {
		place pos = {(int)i + 1, 1};
		at.n = (int)count + (i == count);
		o.vals.push_back(exact ? slow(pos) : num(pos));
		o.ends.push_back(srcpos);
	}
	return o;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	if (size < 1)
		return 0;
	static bool once = (fill = choose().scan, true);
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
