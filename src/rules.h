// The rules of the input, each written once: which bytes are white space,
// digits and signs, and which values fit in 32 bits. The exact reader uses
// them as they stand; every block classifier is built from the constants
// here, and its lookup tables are derived from the rules and checked
// against them at compile time.
#pragma once
#include <cstdint>

// White space, as "%d" skips it: the blank, and the NCTRL bytes from CTRL
// on (tab, line feed, vertical tab, form feed, carriage return).
enum { BLANK = ' ', CTRL = '\t', NCTRL = 5 };
// The digits: NDIGIT bytes from '0' on. The signs: only MINUS makes a
// number negative.
enum { NDIGIT = 10, PLUS = '+', MINUS = '-' };
// A value fits in 32 bits when its magnitude is at most MOST, or MOST + 1
// for a negative one; a 32-bit magnitude has at most DIGITS digits after
// its leading zeros.
enum : uint64_t { MOST = 2147483647 };
enum { DIGITS = 10 };

// Whether byte c is white space.
static constexpr bool space(int c)
{
	return c == BLANK || (unsigned)(c - CTRL) < NCTRL;
}

// Whether byte c is a decimal digit.
static constexpr bool digit(int c)
{
	return (unsigned)(c - '0') < NDIGIT;
}

// Whether byte c is a sign, and whether it is the minus sign.
static constexpr bool sign(int c)
{
	return c == MINUS || c == PLUS;
}
static constexpr bool minus(int c)
{
	return c == MINUS;
}

// Whether a magnitude u, negative if neg, fits in 32 bits.
static constexpr bool fits(uint64_t u, bool neg)
{
	return u <= MOST + neg;
}

// What the vector code takes for granted of the rules: a digit's value is
// its low nibble (words.h takes '0' away by XOR) and at most 9 (shorts()
// looks up ten times it in a table of 10); white space and signs are below
// '0', so that taking '0' away with saturation leaves 0 for them.
static constexpr bool below0(int c)
{
	return c < '0';
}
static constexpr bool ordered(void)
{
	for (int c = 0; c < 256; c++)
		if ((space(c) || sign(c)) && !below0(c))
			return false;
	return ('0' & 15) == 0 && NDIGIT == 10;
}
static_assert(ordered(), "digits, white space and signs lie as the vector code takes them");

// What a rule says of each of the 256 bytes, for a lookup where a byte
// decides something at the edge of a block.
struct bytemap {
	unsigned char is[256];
	constexpr bytemap(bool (*rule)(int)) : is()
	{
		for (int c = 0; c < 256; c++)
			is[c] = rule(c);
	}
};
static constexpr bytemap blanks(space);

// A table of 16 bytes, looked up by a byte's low nibble, that holds for
// each nibble the one byte below 0x80 with that nibble the rule holds for,
// or none where there is no such byte. A byte then obeys the rule when it
// equals what its nibble looks up. The vector lookup this is built for
// gives 0 for bytes from 0x80 up, so none may be 0 only where no byte of
// its nibble is 0, that is, for every nibble but 0; exact() checks it.
struct nibbles {
	unsigned char at[16];
	constexpr nibbles(bool (*rule)(int), unsigned char none) : at()
	{
		for (int n = 0; n < 16; n++)
			at[n] = none;
		for (int c = 0; c < 0x80; c++)
			if (rule(c))
				at[c & 15] = (unsigned char)c;
	}
	// Whether looking up reproduces the rule for every byte: no two bytes
	// of a nibble obey it, none equals no byte of its nibble, and no byte
	// from 0x80 up obeys it.
	constexpr bool exact(bool (*rule)(int)) const
	{
		for (int c = 0; c < 256; c++)
			if ((c < 0x80 && at[c & 15] == c) != rule(c))
				return false;
		return true;
	}
};
// The white space bytes and the signs by their low nibbles.
static constexpr nibbles whites(space, 0), signs(sign, 0x80);
static_assert(whites.exact(space) && signs.exact(sign), "a nibble looks up each class exactly");
