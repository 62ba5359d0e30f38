# Build, run, test and measure the counting filter.
CXX ?= g++
CXXFLAGS ?= -O2
# Empty ARCH gives one binary for any processor of its kind: on x86-64 it
# picks its AVX2 or SSE2 code once at start-up, and counts as fast as one
# built with -march=native, which ties it to processors like this one.
ARCH ?=
STD = -std=c++17
WARN = -Wall -Wextra -Wshadow
SAN = -O1 -g -fsanitize=address,undefined -fno-sanitize-recover=all
CROSSFLAGS = -O2 -static
FUZZCXX = clang++
FUZZFLAGS = -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
FUZZ_SECONDS = 60
PREFIX = /usr/local
NAME = a

# The program's files; the fuzzer takes all but main.cpp.
SRC = $(wildcard src/*.cpp)
HDR = $(wildcard src/*.h)
LIBSRC = $(filter-out src/main.cpp,$(SRC))

MACHINE := $(shell $(CXX) -dumpmachine)
X86 := $(filter x86_64-% i386-% i486-% i586-% i686-%,$(MACHINE))
X86_64 := $(filter x86_64-%,$(MACHINE))
ARM64 := $(filter aarch64-%,$(MACHINE))
AVX2 := $(shell grep -qw avx2 /proc/cpuinfo 2>/dev/null && echo yes)

# The sanitized builds each pin one reader. On x86 the plain one also
# leaves out SSE2, so that the compiler cannot lend it vector code; the
# AVX2 one needs x86-64.
ifneq ($(X86_64),)
PINNED = build/avx2 build/sse2 build/plain
TESTED = ./a $(if $(AVX2),build/avx2) build/sse2 build/plain
NOTICE = $(if $(AVX2),,skipped: build/avx2, this processor has no AVX2)
else ifneq ($(X86),)
PINNED = build/sse2 build/plain
TESTED = ./a build/sse2 build/plain
else ifneq ($(ARM64),)
PINNED = build/neon build/plain
TESTED = ./a build/neon build/plain
else
PINNED = build/plain
TESTED = ./a build/plain
endif
# A sanitized build by clang too, with the code this processor takes: each
# compiler's sanitizers catch faults the other's let pass.
CLANG := $(shell command -v clang++ 2>/dev/null)
PINNED += $(if $(CLANG),build/clang)
TESTED += $(if $(CLANG),build/clang)
NOTICE += $(if $(CLANG),,skipped: build/clang, there is no clang++)

# The command that makes each binary; build/flags/NAME keeps a copy.
CMD_a = $(CXX) $(STD) $(CXXFLAGS) $(ARCH) $(WARN)
CMD_avx2 = $(CXX) $(STD) $(SAN) $(WARN) -DPIN_AVX2
CMD_sse2 = $(CXX) $(STD) $(SAN) $(WARN) -DPIN_SSE2
CMD_neon = $(CXX) $(STD) $(SAN) $(WARN) -DPIN_NEON
CMD_plain = $(CXX) $(STD) $(SAN) $(WARN) -DPIN_PLAIN $(if $(X86),-mno-sse2)
CMD_clang = clang++ $(STD) $(SAN) $(WARN)
CMD_which = $(CMD_a) -DNAME_READER -DNO_ENTROPY
CMD_bytes = $(CXX) $(STD) $(SAN) $(WARN)
CMD_fuzz = $(FUZZCXX) $(STD) $(FUZZFLAGS) $(WARN) -DFUZZ
CMD_afl = AFL_LLVM_INSTRUMENT=CLASSIC AFL_USE_ASAN=1 AFL_USE_UBSAN=1 \
	afl-clang-fast++ $(STD) -O1 -g $(ARCH)
CMD_scanf = $(CXX) -O2
CMD_peak = $(CXX) -O2
CMD_old = $(MAKE) -C build/old a CXX='$(CXX)' CXXFLAGS='$(CXXFLAGS)' ARCH='$(ARCH)' \# $(OLDREV)

# 64-bit ARM, big-endian s390x, 32-bit ARM, and 32-bit x86 with SSE2 and
# pinned to plain C++ without it.
CROSS = aarch64 s390x armhf i686 i686-plain
CROSS_aarch64 = aarch64-linux-gnu-g++
CROSS_s390x = s390x-linux-gnu-g++
CROSS_armhf = arm-linux-gnueabihf-g++
CROSS_i686 = i686-linux-gnu-g++
CROSS_i686-plain = i686-linux-gnu-g++
CROSSARCH_i686 = -msse2
CROSSARCH_i686-plain = -DPIN_PLAIN -mno-sse2
QEMU_aarch64 = qemu-aarch64
QEMU_s390x = qemu-s390x
QEMU_armhf = qemu-arm
QEMU_i686 = qemu-i386
QEMU_i686-plain = qemu-i386
$(foreach c,$(CROSS),$(eval CMD_cross-$c = $$(CROSS_$c) $$(STD) $$(CROSSFLAGS) $$(CROSSARCH_$c) $$(WARN)))
CROSSBIN = $(CROSS:%=build/cross/%)
CROSSRUN = $(CROSS:%=build/cross/run-%)
CROSSBYTES = $(CROSS:%=build/cross/bytes-%)
# Each tool that make cross needs, and the Debian package that has it.
CROSSTOOLS = $(CROSS_aarch64):g++-aarch64-linux-gnu \
	$(CROSS_s390x):g++-s390x-linux-gnu \
	$(CROSS_armhf):g++-arm-linux-gnueabihf \
	$(CROSS_i686):g++-i686-linux-gnu \
	$(QEMU_aarch64):qemu-user $(QEMU_s390x):qemu-user $(QEMU_armhf):qemu-user \
	$(QEMU_i686):qemu-user

ifneq ($(OLD),)
OLDREV := $(shell git rev-parse -q --verify '$(OLD)^{commit}')
ifeq ($(OLDREV),)
$(error OLD=$(OLD) names no commit)
endif
endif

a: $(SRC) $(HDR) build/flags/a
	$(CMD_a) -o $@ $(SRC)

$(PINNED): build/%: $(SRC) $(HDR) build/flags/%
	$(CMD_$*) -o $@ $(SRC)

# The default build with the hooks of the tests: it names on standard error
# the code it takes, and has no random source.
build/which: $(SRC) $(HDR) build/flags/which
	$(CMD_which) -o $@ $(SRC)

# Every byte through the classifier of each code this processor runs.
build/bytes: tests/bytes.cpp $(SRC) $(HDR) build/flags/bytes
	$(CMD_bytes) -o $@ tests/bytes.cpp $(LIBSRC)

# No instruction set's file may define a weak function: the linker keeps
# one copy of it, maybe the one built with wider instructions, for the calls
# of every file. Each is compiled alone with the build's flags, and at -O0,
# where nothing is inlined away.
ISAFILES = $(shell grep -l '^#include "isa.h"' $(SRC))
build/weak: $(SRC) $(HDR) build/flags/a
	@mkdir -p build/obj
	@for f in $(ISAFILES); do for o in '' -O0; do \
		$(CMD_a) $$o -c -o build/obj/weak.o $$f || exit 1; \
		w=$$(nm -C build/obj/weak.o | awk '$$2 == "W"'); \
		[ -z "$$w" ] || { echo "weak functions in $$f $$o:"; echo "$$w"; exit 1; }; done; done
	@echo "no weak functions in $(ISAFILES)"; touch $@

# A binary depends on its command, kept in a file that is rewritten only
# when the command changes, so a new flag rebuilds what it affects.
build/flags/%: FORCE
	@mkdir -p $(@D)
	@printf '%s\n' '$(call sq,$(CMD_$*))' | cmp -s - $@ || \
		printf '%s\n' '$(call sq,$(CMD_$*))' > $@
sq = $(subst ','\'',$1)

run: a
	./a < examples/sample.in

test: $(TESTED) build/which build/bytes build/weak
	@$(if $(NOTICE),echo '$(NOTICE)')
	build/bytes
	python3 tests/run.py --which build/which $(TESTED)
	python3 tests/tool.py ./a

check: test

quick: a build/which
	python3 tests/run.py --quick --which build/which ./a

# Static builds for other processors, run under qemu-user.
cross: $(CROSSRUN) $(CROSSBYTES)
	$(foreach c,$(CROSS),$(QEMU_$c) build/cross/bytes-$c &&) true
	python3 tests/run.py $(CROSSRUN)

crosstools:
	@for t in $(CROSSTOOLS); do command -v $${t%%:*} >/dev/null || \
		{ echo "make cross needs $${t%%:*}: apt-get install $${t#*:}"; exit 1; }; done

$(CROSSBIN): build/cross/%: $(SRC) $(HDR) build/flags/cross-% | crosstools
	mkdir -p build/cross
	$(CMD_cross-$*) -o $@ $(SRC)

$(CROSSBYTES): build/cross/bytes-%: tests/bytes.cpp $(SRC) $(HDR) build/flags/cross-% | crosstools
	mkdir -p build/cross
	$(CMD_cross-$*) -o $@ tests/bytes.cpp $(LIBSRC)

$(CROSSRUN): build/cross/run-%: build/cross/%
	printf '#!/bin/sh\nexec %s %s "$$@"\n' $(QEMU_$*) $(abspath $<) > $@
	chmod +x $@

# Every compiler that Debian 12 packages, with its package: make compilers
# builds with each that is installed, warnings as errors, and runs the
# quick tests on what it built.
COMPILERS = g++-11:g++-11 g++-12:g++-12 clang++-13:clang-13 clang++-14:clang-14 \
	clang++-15:clang-15 clang++-16:clang-16 clang++-19:clang-19

compilers:
	@mkdir -p build/cc; missing=; \
	for t in $(COMPILERS); do c=$${t%%:*}; \
		command -v $$c >/dev/null || { missing="$$missing $${t#*:}"; continue; }; \
		echo "$$c $(STD) $(CXXFLAGS) $(WARN) -Werror -o build/cc/$$c $(SRC)"; \
		$$c $(STD) $(CXXFLAGS) $(WARN) -Werror -o build/cc/$$c $(SRC) && \
		python3 tests/run.py --quick build/cc/$$c || exit 1; \
	done; \
	[ -z "$$missing" ] || echo "skipped, not installed:$$missing (apt-get install$$missing)"

install: a a.1
	install -d $(DESTDIR)$(PREFIX)/bin $(DESTDIR)$(PREFIX)/share/man/man1
	install -m 755 a $(DESTDIR)$(PREFIX)/bin/$(NAME)
	sed -e 's/^\.TH A /.TH $(shell echo '$(NAME)' | tr a-z A-Z) /' \
		-e 's/^a \\- /$(NAME) \\- /' -e 's/^\.ds Nm a$$/.ds Nm $(NAME)/' \
		a.1 > $(DESTDIR)$(PREFIX)/share/man/man1/$(NAME).1

uninstall:
	rm -f $(DESTDIR)$(PREFIX)/bin/$(NAME) $(DESTDIR)$(PREFIX)/share/man/man1/$(NAME).1

build/scanf: bench/scanf.cpp build/flags/scanf
	$(CMD_scanf) -o $@ bench/scanf.cpp

build/peak: bench/peak.cpp build/flags/peak
	$(CMD_peak) -o $@ bench/peak.cpp

build/bench/.made: bench/gen.py
	python3 bench/gen.py build/bench
	touch $@

# OLD=commit also times that commit's program, built by its own Makefile
# with the same compiler and flags.
build/old/a: build/flags/old
	rm -rf build/old && mkdir -p build/old
	git archive $(OLDREV) | tar -x -C build/old
	$(CMD_old)

# The README's table: the least CPU time of BENCH_RUNS runs of ./a (and of
# OLD's) and of cat taken in turn, and of BENCH_SCANF_RUNS of the scanf
# program (0 leaves it out), on BENCH_INPUTS (all: every input).
BENCH_RUNS = 201
BENCH_SCANF_RUNS = 5
BENCH_INPUTS = 1-random 2-ten 5-tiny 7-tiny-mixed
BENCH = python3 bench/bench.py build/bench build/peak ./a build/scanf$(if $(OLD), --old build/old/a)
bench: a build/scanf build/peak build/bench/.made $(if $(OLD),build/old/a)
	$(BENCH) --runs $(BENCH_RUNS) --scanf-runs $(BENCH_SCANF_RUNS) $(BENCH_INPUTS)

# The same for ./a (and OLD's) against cat alone on 2-ten, RATIO_RUNS runs.
RATIO_RUNS = 41
ratio: a build/peak build/bench/.made $(if $(OLD),build/old/a)
	$(BENCH) --runs $(RATIO_RUNS) --scanf-runs 0 2-ten

# libFuzzer on the reader; new inputs it finds go to build/fuzz/corpus.
build/fuzz/lf: $(SRC) $(HDR) tests/fuzz.cpp build/flags/fuzz | fuzztools
	mkdir -p build/fuzz
	$(CMD_fuzz) -o $@ tests/fuzz.cpp $(LIBSRC)

# The fuzzer pinned to each reader, for make fuzzci.
FUZZPINS = $(if $(X86_64),avx2) $(if $(X86),sse2) $(if $(ARM64),neon) plain
FUZZPIN_avx2 = -DPIN_AVX2
FUZZPIN_sse2 = -DPIN_SSE2
FUZZPIN_neon = -DPIN_NEON
FUZZPIN_plain = -DPIN_PLAIN
$(foreach r,$(FUZZPINS),$(eval CMD_fuzz-$r = $$(CMD_fuzz) $$(FUZZPIN_$r)))
build/fuzz/lf-%: $(SRC) $(HDR) tests/fuzz.cpp build/flags/fuzz-% | fuzztools
	mkdir -p build/fuzz
	$(CMD_fuzz-$*) -o $@ tests/fuzz.cpp $(LIBSRC)

# FUZZ_SECONDS on each reader this processor runs, from tests/corpus, with
# a fixed seed so that a run can be repeated; a finding fails, and its
# input is printed.
fuzzci: $(FUZZPINS:%=build/fuzz/lf-%)
	@for r in $(FUZZPINS); do \
		if [ $$r = avx2 ] && [ -z "$(AVX2)" ]; then \
			echo "skipped: fuzzing the AVX2 reader, this processor has no AVX2"; continue; fi; \
		rm -rf build/fuzz/ci-$$r; mkdir -p build/fuzz/ci-$$r; \
		echo "fuzz: the $$r reader, $(FUZZ_SECONDS) s"; \
		build/fuzz/lf-$$r -seed=1 -max_total_time=$(FUZZ_SECONDS) -max_len=200 \
			-use_value_profile=1 -print_final_stats=1 -artifact_prefix=build/fuzz/ci-$$r/ \
			build/fuzz/ci-$$r tests/corpus > build/fuzz/ci-$$r.log 2>&1 || { \
			tail -n 30 build/fuzz/ci-$$r.log; \
			for f in build/fuzz/ci-$$r/crash-* build/fuzz/ci-$$r/leak-* build/fuzz/ci-$$r/timeout-*; do \
				[ -f "$$f" ] && { echo "input $$f:"; od -c "$$f"; }; done; exit 1; }; \
		grep -E '^stat::number_of_executed_units' build/fuzz/ci-$$r.log; \
	done

# Fold what a longer make fuzz found into tests/corpus: only the inputs
# that reach code the corpus does not, each made as small as it can be.
corpus: build/fuzz/lf
	build/fuzz/lf -merge=1 -max_len=200 tests/corpus build/fuzz/corpus

fuzztools:
	@command -v $(FUZZCXX) >/dev/null || \
		{ echo "make fuzz needs $(FUZZCXX): apt-get install clang"; exit 1; }
	@test -f tests/fuzz.cpp || { echo "make fuzz needs tests/fuzz.cpp"; exit 1; }

fuzz: build/fuzz/lf
	mkdir -p build/fuzz/corpus
	build/fuzz/lf -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		-max_len=200 -use_value_profile=1 \
		-artifact_prefix=build/fuzz/ build/fuzz/corpus tests/corpus

# AFL++ takes whole runs of the program. Classic edge counters: AFL++ 4.04's
# default instrumentation of a select can read past its own guard array and
# crash a correct program.
build/fuzz/a: $(SRC) $(HDR) build/flags/afl
	@command -v afl-clang-fast++ >/dev/null || \
		{ echo "make afl needs AFL++: apt-get install afl++"; exit 1; }
	mkdir -p build/fuzz
	$(CMD_afl) -o $@ $(SRC)

afl: build/fuzz/a
	sh tests/fuzz.sh build/fuzz/a $(FUZZ_SECONDS)

mutants:
	python3 tools/mutate.py

clean:
	rm -rf a build

FORCE:
.PRECIOUS: build/flags/%

.PHONY: run test check quick cross crosstools compilers install uninstall bench ratio fuzz \
	fuzztools fuzzci corpus afl mutants clean FORCE
