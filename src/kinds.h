// What a block reader knows of a 64-byte block, and where its loop stands.
#pragma once
#include <cstdint>

// The bytes of a block, a bit for each, lowest bit first: white space,
// digits, signs ('+' or '-') and minus signs alone. Anything else is in
// none of them.
struct kinds {
	uint64_t space, digit, sign, minus;
};

// Where the block loop stands: the tape filled up to t, the block at b read
// next, and open, the first byte of a run going on into it from the block
// before, or null. A fast loop that stops at a block it has classified
// leaves the classes in k, with known set, so that they are not worked out
// again.
struct cursor {
	int *t;
	const unsigned char *b, *open;
	bool known;
	kinds k;
};
