// What a fuzzing build (-DFUZZ) puts in place of standard input and of the
// exit on a fault; the fuzzer's own file defines them.
#pragma once
#include <sys/types.h>

// Take up to want bytes of the text into to; the count, 0 at its end.
ssize_t fuzzread(unsigned char *to, size_t want);
// Show up to want bytes of the text at to without taking them.
ssize_t fuzzlook(unsigned char *to, size_t want);
// Go back to the fuzzer with the message of a fault.
[[noreturn]] void fuzzdie(const char *msg);
