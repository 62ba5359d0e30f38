#!/bin/sh
# Run a time-boxed AFL++ campaign on an instrumented build, feeding each input
# on standard input, starting from tests/corpus; then print what it found.
# Usage: fuzz.sh BINARY SECONDS
set -eu
bin=$1 seconds=$2 out=build/fuzz/out
rm -rf "$out"
AFL_NO_UI=1 AFL_SKIP_CPUFREQ=1 AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1 \
	afl-fuzz -V "$seconds" -m none -t 1000 -i tests/corpus -o "$out" -- "$bin" \
	> build/fuzz/log 2>&1 || { tail -n 20 build/fuzz/log; exit 1; }
stat() { awk -v k="$1" '$1 == k { print $3 }' "$out/default/fuzzer_stats"; }
found() { find "$out/default/$1" -type f -name 'id:*' | wc -l; }
crashes=$(found crashes) hangs=$(found hangs)
echo "fuzz: $(stat execs_done) executions, $(stat corpus_count) paths," \
	"$crashes crashes, $hangs hangs in $seconds s (inputs in $out/default)"
[ "$crashes" -eq 0 ] && [ "$hangs" -eq 0 ]
