// Shared by the two compares that give one bit a slot, in order (portable
// and SSE2), so apart from both: what they make of their match(), the rest
// of the compare the probe and the small test cases take. Inside namespace
// ISA, after the compare's splat() and match().

namespace ISA {

// The bits of match() for the first f slots.
static constexpr unsigned below(unsigned f)
{
	return (1u << f) - 1;
}

// The 16 ints from b on that equal x, a bit each in their order; and of the
// first 8 alone.
static inline unsigned same(const uint32_t *b, uint32_t x)
{
	return match(b, splat(&x));
}
static inline unsigned same8(const uint32_t *b, uint32_t x)
{
	return match(b, splat(&x)) & 0xff;
}

} // namespace ISA
