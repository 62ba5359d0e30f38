// The numbers, taken from the tape or read by the exact reader.
#include "input.h"
#include "rules.h"

int tape[TAPE + 16];
unsigned ti, tn, why;
const unsigned char *from;
void (*fill)(void);
#ifdef COUNT_BLOCKS
tallies tally;
#endif

// Read the number at pos when the tape is used up: scan on, read more
// input, or leave the number to the exact reader.
int more(place pos)
{
	for (;;) {
		if (why == FULL)
			fill();
		else if (why == MORE && !eof && end - p <= CARRY) {
			refill(owed(pos), false);
			fill();
		} else {
			int v = slow(pos);
			ti = tn = 0;
			why = FULL;
			return v;
		}
		if (ti < tn)
			return tape[ti++];
	}
}

// Start reading: nothing read, nothing on the tape.
void reset(void)
{
	empty();
	ti = tn = 0;
	why = MORE;
	at = {0, 0, 0, 0};
}

// The byte after the first k numbers on the tape. They are runs between
// white space, so the place is found by counting.
static const unsigned char *past(unsigned k)
{
	const unsigned char *s = from;
	for (unsigned i = 0; i < k; i++) {
		while (space(*s))
			s++;
		while (!space(*s))
			s++;
	}
	return s;
}

// Where the number read last began: on the tape, or, when the tape was
// left empty (ti is 0 only after slow()), where the exact reader marked it.
spot began(void)
{
	if (ti == 0)
		return marked();
	const unsigned char *s = past(ti - 1);
	while (space(*s))
		s++;
	return locate(s);
}

// Put a seekable input's offset just after the last number used, so that
// the next reader of the same open file starts there.
void leave(void)
{
	seek(ti > 0 ? past(ti) : p);
}
