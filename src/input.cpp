// The numbers, taken from the tape or read by the exact reader.
#include "input.h"
#include "rules.h"

int tape[TAPE + 16];
unsigned ti, tn, why;
const unsigned char *from;
void (*fill)(void);

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

// Put a seekable input's offset just after the last number used, so that
// the next reader of the same open file starts there. The numbers on the
// tape are runs between white space, so the place is found by counting.
void leave(void)
{
	const unsigned char *s = ti > 0 ? from : p;
	for (unsigned i = 0; i < ti; i++) {
		while (space(*s))
			s++;
		while (!space(*s))
			s++;
	}
	seek(s);
}
