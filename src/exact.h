// The exact reader, a byte at a time, and the messages about the input.
#pragma once
#include "input.h"
#include "out.h"

// Read the number at pos the exact way, and report anything that is not a
// decimal integer within 32 bits.
[[gnu::noinline, gnu::cold]] int slow(place pos);

// Report a fault in the input at pos of the current test case, and exit 1.
[[noreturn, gnu::cold]] void fault(place pos, const char *fmt, ...) __attribute__((format(printf, 2, 3)));
