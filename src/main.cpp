// a: read test cases of rows of item codes from standard input and write,
// for each test case, the number of ways to pick a non-empty set of
// positions in a row that holds at least one code not met earlier in the
// test case, summed over its rows.
#include "buffer.h"
#include "count.h"
#include "input.h"
#include "out.h"
#include "readers.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
	name(argc > 0 ? argv[0] : nullptr);
	if (argc > 1)
		fprintf(stderr, "%s: reads standard input only; ignoring arguments\n", prog);
	const reader &code = choose();
#ifdef NAME_READER	// a build for the tests, which says which code it took
	fprintf(stderr, "%s: the %s code\n", prog, code.name);
	if (getenv("A_CPUID"))	// on a processor the test made up: no more
		return 0;
#endif
	fill = code.scan;
	feeds = code.feeds;
	build();
	seed();
	huge();
	reset();
	start();
	at.t = num({0, 0});
	code.cases();
	leave();
	done();
#ifdef COUNT_BLOCKS	// a build for the tests, which says how its blocks were read
	if (getenv("A_BLOCKS"))
		fprintf(stderr, "%s: %llu blocks fast, %llu left\n", prog, tally.fast, tally.left);
#endif
	return 0;
}
