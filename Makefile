# Build, run, test and measure the counting filter.
CXX ?= g++
CXXFLAGS ?= -O2
ARCH ?= -march=native
WARN = -Wall -Wextra
SAN = -O1 -g -fsanitize=address,undefined -fno-sanitize-recover=all

# ./a uses what this machine's processor offers; the sanitized builds take
# the portable paths: SSE2 only (build/san) and plain C++ (build/plain).
a: a.cpp
	$(CXX) $(CXXFLAGS) $(ARCH) $(WARN) -o $@ a.cpp

build/san: a.cpp
	mkdir -p build
	$(CXX) $(SAN) $(WARN) -o $@ a.cpp

build/plain: a.cpp
	mkdir -p build
	$(CXX) $(SAN) -mno-sse2 $(WARN) -o $@ a.cpp

run: a
	./a < examples/sample.in

test: a build/san build/plain
	python3 tests/run.py ./a build/san build/plain

build/baseline: bench/baseline.cpp
	mkdir -p build
	$(CXX) -O2 -o $@ bench/baseline.cpp

build/peak: bench/peak.cpp
	mkdir -p build
	$(CXX) -O2 -o $@ bench/peak.cpp

build/bench/.made: bench/gen.py
	python3 bench/gen.py build/bench
	touch $@

bench: a build/baseline build/peak build/bench/.made
	python3 bench/run.py build/bench build/peak ./a build/baseline

FUZZ_SECONDS ?= 60

build/fuzz/a: a.cpp
	@command -v afl-clang-fast++ >/dev/null || \
		{ echo "make fuzz needs AFL++: apt-get install afl++"; exit 1; }
	mkdir -p build/fuzz
	# Classic edge counters: AFL++ 4.04's default instrumentation of a select
	# can read past its own guard array and crash a correct program.
	AFL_LLVM_INSTRUMENT=CLASSIC AFL_USE_ASAN=1 AFL_USE_UBSAN=1 \
		afl-clang-fast++ -O1 -g $(ARCH) -o $@ a.cpp

fuzz: build/fuzz/a
	sh tests/fuzz.sh build/fuzz/a $(FUZZ_SECONDS)

clean:
	rm -rf a build

.PHONY: run test bench fuzz clean
