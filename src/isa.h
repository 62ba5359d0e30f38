// What each instruction set's file includes before its target region:
// every header that the generic code needs (the file adds its own
// intrinsics header, also before the region), so that none is first read
// inside the region, and the region's markers.
//
// An instruction set's file defines its classifier, its conversion and its
// compare in namespace ISA (a macro naming it), then includes the generic
// headers, which build the block reader, the probe and the scoring inside
// that namespace. Each copy of the generic code has its own names, so the
// linker cannot merge one built for AVX2 into the plain one; and no header
// that every file shares defines a function with external linkage that
// code runs (constexpr constructors run only at compile time). The reader
// that entry.h defines in the region is constant-initialised, so no code
// of the region runs before choose().
#pragma once
#include "count.h"
#include "exact.h"
#include "input.h"
#include "kinds.h"
#include "ramp.h"
#include "readers.h"
#include "rules.h"
#include "seen.h"

#include <cstdint>
#include <cstring>

// Compile the functions from TARGET_BEGIN("...") to TARGET_END for the
// extensions named, whatever the flags of the build. They run only once
// the processor is known to have them.
#define PRAGMA(x) _Pragma(#x)
#if defined(__clang__)
#define TARGET_BEGIN(t) PRAGMA(clang attribute push(__attribute__((target(t))), apply_to = function))
#define TARGET_END PRAGMA(clang attribute pop)
#else
#define TARGET_BEGIN(t) PRAGMA(GCC push_options) PRAGMA(GCC target(t))
#define TARGET_END PRAGMA(GCC pop_options)
#endif
