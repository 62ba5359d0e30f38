// The exact reader, and the messages that say where the input is wrong and
// what stands there.
#include "exact.h"
#include "rules.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

progress at;

// The numbers owed from pos on.
long long owed(place pos)
{
	long long after = 2LL * (at.t - at.tcase);
	if (at.tcase == 0)
		return 1;
	if (pos.row == 0)
		return 3 - pos.entry + after;
	return (long long)(at.n - pos.row + 1) * at.m - (pos.entry - 1) + after;
}

// What the number at pos is, for a message.
static const char *what(place pos)
{
	if (at.tcase == 0)
		return "the number of test cases";
	if (pos.row > 0)
		return "an item code";
	return pos.entry == 1 ? "the number of rows" : "the number of entries per row";
}

// Report a fault in the input at pos of the current test case: the line and
// column where it begins, then its row and entry where pos is in a row, the
// test case alone where it is not.
void fault(spot s, place pos, const char *fmt, ...)
{
	char where[128], msg[192];
	int n = snprintf(where, sizeof where, "line %lld, column %lld: ", s.line, s.column);
	va_list ap;

	if (at.tcase > 0 && pos.row > 0)
		snprintf(where + n, sizeof where - n, "test case %d, row %d, entry %d: ", at.tcase, pos.row, pos.entry);
	else if (at.tcase > 0)
		snprintf(where + n, sizeof where - n, "test case %d: ", at.tcase);
	va_start(ap, fmt);
	vsnprintf(msg, sizeof msg, fmt, ap);
	va_end(ap);
	die("%s%s", where, msg);
}

// Write the n bytes of raw into t, each escaped if it is not printable.
static void quote(char *t, const unsigned char *raw, size_t n)
{
	for (size_t i = 0; i < n; i++) {
		int c = raw[i];
		if (c == '"' || c == '\\')
			t += sprintf(t, "\\%c", c);
		else if (c >= 0x20 && c < 0x7f)
			*t++ = (char)c;
		else
			t += sprintf(t, "\\x%02x", c);
	}
	*t = 0;
}

// Read the number at pos the exact way, a byte at a time across refills:
// white space, an optional sign, digits. raw keeps the token's first bytes
// for the message. The block reader hands over to this for everything it
// does not prove plain.
int slow(place pos)
{
	enum { SHOWN = 20 };	// bytes of a bad token shown
	unsigned char raw[SHOWN];
	char tok[4 * SHOWN + 4];
	size_t taken = 0, digits = 0;
	uint64_t v = 0;
	long long due = owed(pos);
	bool neg, any = false;
	int c;

	while (space(c = peek(due, false)))
		p++;
	mark(p);
	if (c < 0)
		fault(marked(), pos, "expected %s, found end of input", what(pos));
	neg = minus(c);
	for (;; p++, taken++) {
		c = peek(due, taken > 0);
		if (taken == 0 && sign(c))
			;
		else if (digit(c) && v == 0 && c == '0')
			any = true;
		else if (digit(c)) {
			any = true;
			digits++;
			if (digits <= DIGITS)
				v = v * 10 + (c - '0');
		} else
			break;
		if (taken < SHOWN)
			raw[taken] = (unsigned char)c;
	}
	if (any && digits <= DIGITS && fits(v, neg))
		return (int)(neg ? 0 - v : v);
	while (c >= 0 && !space(c) && taken < SHOWN) {
		raw[taken] = (unsigned char)c;
		p++, taken++;
		c = peek(due, true);
	}
	quote(tok, raw, taken < SHOWN ? taken : (size_t)SHOWN);
	if (taken > SHOWN || (c >= 0 && !space(c)))
		strcat(tok, "...");
	fault(marked(), pos, "expected %s, found \"%s\"%s", what(pos), tok, any ? " (out of range)" : "");
}
