// The tables of the count, built once at start-up.
#include "count.h"
#include "huge.h"

alignas(HUGE) int towar[ROWS][COLS];
long long suma;
int ilebylo;
int newton[WIDE + 1][WIDE + 1];
int tab[WIDE + 1];
long long gain[WIDE + 1][WIDE + 1];

// Build newton by Pascal's rule, tab by summing each row of it, and gain:
// a row of m entries, f of them fresh and m - f repeats, adds tab[f] for
// the subsets of its fresh entries and tab[f] * tab[m - f] for those with
// repeats too. Run once: tab is summed onto.
void build(void)
{
	for (int i = 0; i <= WIDE; i++)
		newton[i][0] = newton[i][i] = 1;
	for (int i = 2; i <= WIDE; i++)
		for (int k = 1; k < i; k++)
			newton[i][k] = newton[i - 1][k - 1] + newton[i - 1][k];
	for (int i = 1; i <= WIDE; i++)
		for (int k = 1; k <= i; k++)
			tab[i] += newton[i][k];
	tab[0] = 0;
	for (int m = 0; m <= WIDE; m++)
		for (int f = 0; f <= m; f++)
			gain[m][f] = tab[f] + (long long)tab[f] * tab[m - f];
}
