// The data of the count: the current test case's codes and total, and the
// tables that say what a row adds.
#pragma once

enum { ROWS = 50001, COLS = 11, WIDE = 10 };

extern int towar[ROWS][COLS];	// the current test case, by row
extern long long suma;		// the current test case's total
extern int ilebylo;		// repeat entries in the current row
extern int newton[WIDE + 1][WIDE + 1];	// binomial coefficients
extern int tab[WIDE + 1];	// tab[i] = 2^i - 1, non-empty subsets of i
extern long long gain[WIDE + 1][WIDE + 1];	// what a row of m with f fresh adds

void build(void);

// Add a row of m entries, f of them fresh, to suma.
static inline void add(int m, int f)
{
	ilebylo = m - f;
	suma += gain[m][f];
}
