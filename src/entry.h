// Read last by every instruction set's file, after the generic headers and
// inside its target region, so apart from them: the set's code as the rest
// of the program takes it, the block reader and the loop over the test
// cases, each built whole for that set.
#include "readers.h"

namespace ISA {

#define NAME_(x) #x
#define NAME(x) NAME_(x)
[[gnu::flatten]] static void scanall(void) { scan(); }
[[gnu::flatten]] static void testall(void) { cases(); }
static kinds kindsof(const unsigned char *b) { return classify(b); }
const reader code = {NAME(ISA), scanall, testall, kindsof, feeds};

} // namespace ISA
