// The data of the count: the current test case's codes and total, the
// seen set of the codes met so far in it, and the tables that say what a
// row adds.
#pragma once
#include <cstdint>

enum { ROWS = 50001, COLS = 11, WIDE = 10 };

extern int towar[ROWS][COLS];	// the current test case, by row
extern long long suma;		// the current test case's total
extern int ilebylo;		// repeat entries in the current row
extern int newton[WIDE + 1][WIDE + 1];	// binomial coefficients
extern int tab[WIDE + 1];	// tab[i] = 2^i - 1, non-empty subsets of i
extern long long gain[WIDE + 1][WIDE + 1];	// what a row of m with f fresh adds

// Build the tables, once.
void build(void);

// Add a row of m entries, f of them fresh, to suma.
static inline void add(int m, int f)
{
	ilebylo = m - f;
	suma += gain[m][f];
}

// The seen set byl: the item codes met so far in the test case.
//
// Open addressing over mixed codes in buckets of WAYS slots, each one cache
// line. The last slot counts the codes in the others, which fill from the
// front, so a slot past the count is free whatever it holds. Not
// std::unordered_set: its hash of an int is the int itself, so codes that
// share a residue modulo the bucket count all land on one chain, and its
// clear() sweeps every bucket, so many small test cases after one large one
// cost a full sweep each. Here the mix is seeded afresh on each run, the
// table is sized to the test case, and clearing it zeroes only the counts.
//
// The probe (probe.h) is built in each instruction set's file on that
// set's compare of a bucket's slots with a code.
enum { WAYS = 16, COUNT = WAYS - 1, SLOTS = 1 << 20 };
static_assert(SLOTS >= 2 * ROWS * WIDE && (SLOTS & (SLOTS - 1)) == 0,
	      "byl is at most half full, in a power of two of buckets");
extern uint32_t byl[SLOTS];
extern uint32_t mask, shift;	// buckets in use - 1; 32 - log2(buckets)
extern uint32_t key[3];		// this run's keys of the mix

// Seed the mix afresh for this run.
void seed(void);

// Empty byl and size it for up to cap codes, in time O(cap / WAYS): at
// least twice as many slots, so that it is at most half full.
static inline void clear(long cap)
{
	uint32_t bits = 1;
	while ((WAYS << bits) < 2 * cap)
		bits++;
	mask = (1u << bits) - 1;
	shift = 32 - bits;
	for (uint32_t i = 0; i <= mask; i++)
		byl[i * WAYS + COUNT] = 0;
}

// Back towar and byl by huge pages.
void huge(void);
