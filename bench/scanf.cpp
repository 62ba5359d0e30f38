// scanf: the straightforward way to compute the same counts: scanf for every
// number, std::unordered_set for the codes met, printf for the totals. The
// bench's point of comparison; it trusts its input completely.
#include <cstdio>
#include <unordered_set>

int newton[11][11], tab[11];
int towar[50001][11];
long long suma;
int ilebylo;
std::unordered_set<int> byl;

int main()
{
	for (int i = 0; i <= 10; i++)
		newton[i][0] = newton[i][i] = 1;
	for (int i = 2; i <= 10; i++)
		for (int k = 1; k < i; k++)
			newton[i][k] = newton[i - 1][k - 1] + newton[i - 1][k];
	for (int i = 1; i <= 10; i++)
		for (int k = 1; k <= i; k++)
			tab[i] += newton[i][k];
	tab[0] = 0;
	int t, n, m;
	if (scanf("%d", &t) != 1)
		return 0;
	for (int j = 0; j < t; j++) {
		suma = 0;
		ilebylo = 0;
		if (scanf("%d%d", &n, &m) != 2)
			return 0;
		byl.clear();
		for (int i = 0; i < n; i++)
			for (int k = 0; k < m; k++)
				if (scanf("%d", &towar[i][k]) != 1)
					return 0;
		for (int i = 0; i < n; i++) {
			ilebylo = 0;
			for (int k = 0; k < m; k++)
				if (!byl.insert(towar[i][k]).second)
					ilebylo++;
			int f = m - ilebylo;
			suma += tab[f];
			suma += tab[f] * tab[ilebylo];
		}
		printf("%d\n", (int)suma);
	}
	return 0;
}
