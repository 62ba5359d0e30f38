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

.PHONY: run test clean
