# Build, run and test the counting filter.
CXX ?= g++
CXXFLAGS ?= -O2
WARN = -Wall -Wextra
SAN = -O1 -g -fsanitize=address,undefined -fno-sanitize-recover=all

a: a.cpp
	$(CXX) $(CXXFLAGS) $(WARN) -o $@ a.cpp

build/san: a.cpp
	mkdir -p build
	$(CXX) $(SAN) $(WARN) -o $@ a.cpp

run: a
	./a < examples/sample.in

test: a build/san
	python3 tests/run.py ./a build/san

clean:
	rm -rf a build


build/baseline: bench/baseline.cpp
	mkdir -p build
	$(CXX) -O2 -o $@ bench/baseline.cpp

build/bench/.made: bench/gen.py
	python3 bench/gen.py build/bench
	touch $@

bench: a build/baseline build/bench/.made
	python3 bench/run.py build/bench ./a build/baseline

.PHONY: run test bench clean
