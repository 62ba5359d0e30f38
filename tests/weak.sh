#!/bin/sh
# Fail on a weak function in any of the files named: compile each alone by
# the command given, as it is and at -O0, where nothing is inlined away,
# and list its weak symbols ("W"; weak data does not count). The linker
# keeps one copy of a weak function for every file's calls, maybe the one
# built for wider instructions than the caller's.
# Usage: weak.sh COMPILER FLAGS... -- FILE...
set -eu
cmd=
while [ "$1" != -- ]; do cmd="$cmd $1"; shift; done
shift
start=$(date +%s.%N) good=0 bad=0 obj=build/weak.o
mkdir -p build
for f; do
	for o in "" -O0; do
		$cmd $o -c -o $obj "$f"
		w=$(nm -C $obj | awk '$2 == "W"')
		if [ -z "$w" ]; then good=$((good + 1)); else bad=$((bad + 1)); echo "FAIL weak functions in $f $o:"; echo "$w"; fi
	done
done
rm -f $obj
awk -v g=$good -v b=$bad -v s="$start" -v e="$(date +%s.%N)" \
	'BEGIN { printf "%-16s %6d passed %4d failed %7.1f s\n", "weak functions", g, b, e - s }'
[ $bad -eq 0 ]
