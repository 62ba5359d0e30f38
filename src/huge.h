// Large arrays in huge pages: a few faults instead of one or two for every
// 4 KiB page that the codes and the seen set touch at random.
#pragma once
#include <cstddef>
#include <sys/mman.h>

enum { HUGE = 1 << 21 };	// the alignment of such an array

// Ask for the array at a, of n bytes, to be backed by huge pages.
static inline void huge(void *a, size_t n)
{
#ifdef MADV_HUGEPAGE
	madvise(a, n, MADV_HUGEPAGE);
#else
	(void)a, (void)n;
#endif
}
