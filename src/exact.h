// The exact reader, a byte at a time, where reading stands, and the
// messages about the input.
#pragma once
#include "buffer.h"
#include "out.h"

// Where reading stands: the number of test cases, the test case being read
// (from 1; 0 while reading their number), and its rows and entries per row
// once they are read.
struct progress {
	int t, tcase, n, m;
};
extern progress at;

// Which number of the test case is read: row and entry from 1, or row 0
// for the test case's header, whose entry 1 is n and entry 2 is m.
struct place {
	int row, entry;
};

// The numbers the input still owes from the one at pos on: the rest of
// this test case and two for each test case after it. Never below 1, since
// the number at pos is owed.
long long owed(place pos);

// Read the number at pos the exact way, and report anything that is not a
// decimal integer within 32 bits.
[[gnu::noinline, gnu::cold]] int slow(place pos);

// Report a fault in the input at pos of the current test case, whose bytes
// begin where s says, and exit 1.
[[noreturn, gnu::cold]] void fault(spot s, place pos, const char *fmt, ...) __attribute__((format(printf, 3, 4)));
