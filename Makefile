# Build, run, test and measure the counting filter. The developers' targets
# (other processors and compilers, fuzzing, mutants) are in tools/dev.mk.
CXX ?= g++
CXXFLAGS ?= -O2
# Empty ARCH: one binary for any processor of its kind, which picks its code.
ARCH ?=
STD = -std=c++17
WARN = -Wall -Wextra -Wshadow
SAN = -O1 -g -fsanitize=address,undefined -fno-sanitize-recover=all
PREFIX = /usr/local
NAME = a

# The program's files; the byte test and the fuzzer take all but main.cpp.
SRC = $(wildcard src/*.cpp)
HDR = $(wildcard src/*.h)
LIBSRC = $(filter-out src/main.cpp,$(SRC))
MACHINE := $(shell $(CXX) -dumpmachine)
X86 := $(filter x86_64-% i386-% i486-% i586-% i686-%,$(MACHINE))
X86_64 := $(filter x86_64-%,$(MACHINE))
ARM64 := $(filter aarch64-%,$(MACHINE))
AVX2 := $(shell grep -qw avx2 /proc/cpuinfo 2>/dev/null && echo yes)
AVX512 := $(shell grep -w avx512bw /proc/cpuinfo 2>/dev/null | grep -qw avx512_vbmi2 && echo yes)
CLANG := $(shell command -v clang++ 2>/dev/null)
# The sanitized builds, each pinned to one reader and counting the blocks its
# fast loop takes: plain without SSE2 on x86, AVX-512 also portable (avx512p,
# in plain C++), each where the processor runs it; and one by clang.
READERS = $(if $(X86_64),avx512 avx2) $(if $(X86),sse2) $(if $(ARM64),neon) plain
PINNED = $(READERS:%=build/%) $(if $(X86_64),build/avx512p) $(if $(CLANG),build/clang)
TESTED = ./a $(filter-out $(if $(AVX2),,build/avx2) $(if $(AVX512),,build/avx512),$(PINNED))
FAST = $(filter build/avx512 build/avx512p,$(TESTED))
SKIP = $(if $(X86_64),$(if $(AVX2),,echo "skipped: build/avx2, this processor has no AVX2";) \
	$(if $(AVX512),,echo "skipped: build/avx512, this processor has no AVX-512 VBMI2";)) \
	$(if $(CLANG),,echo "skipped: build/clang, there is no clang++";)
pin = -DPIN_$(shell echo $1 | tr a-z A-Z)
$(foreach r,$(READERS),$(eval CMD_$r = $$(CXX) $$(STD) $$(SAN) $$(WARN) -DCOUNT_BLOCKS $$(call pin,$r)))
CMD_plain += $(if $(X86),-mno-sse2)
CMD_avx512p = $(CMD_avx512) -DPORTABLE_AVX512
# Each binary's command, in build/flags/NAME; the test build names its code and has no random source.
TESTBUILD = -DNAME_READER -DNO_ENTROPY
CMD_a = $(CXX) $(STD) $(CXXFLAGS) $(ARCH) $(WARN)
CMD_clang = clang++ $(STD) $(SAN) $(WARN)
CMD_which = $(CMD_a) $(TESTBUILD)
# The byte test, with the AVX-512 code portable too.
UNITS = build/bytes $(if $(X86_64),build/bytesp)
UNITSRC = tests/bytes.cpp tests/ops.cpp
CMD_bytes = $(CXX) $(STD) $(SAN) $(WARN)
CMD_bytesp = $(CMD_bytes) -DPORTABLE_AVX512

a: $(SRC) $(HDR) build/flags/a
	$(CMD_a) -o $@ $(SRC)
$(PINNED) build/which: build/%: $(SRC) $(HDR) build/flags/%
	$(CMD_$*) -o $@ $(SRC)
$(UNITS): build/%: $(UNITSRC) $(SRC) $(HDR) build/flags/%
	$(CMD_$*) -o $@ $(UNITSRC) $(LIBSRC)
# A binary depends on its command, kept in a file that is rewritten only
# when the command changes, so a new flag rebuilds what it affects.
build/flags/%: FORCE
	@mkdir -p $(@D)
	@printf '%s\n' '$(call sq,$(CMD_$*))' | cmp -s - $@ || printf '%s\n' '$(call sq,$(CMD_$*))' > $@
sq = $(subst ','\'',$1)
FORCE:
.PRECIOUS: build/flags/%

run: a
	./a < examples/sample.in

# Every test, a line for each group as it ends.
test: $(TESTED) build/which $(UNITS)
	@$(SKIP) true
	@sh tests/weak.sh $(CMD_a) -- $(shell grep -l '^#include "isa.h"' $(SRC))
	@for u in $(UNITS); do $$u || exit 1; done
	@python3 tests/run.py --which build/which $(FAST:%=--fast %) $(TESTED)
	@python3 tests/tool.py ./a
check: test
quick: a build/which
	@python3 tests/run.py --quick --which build/which ./a

install: a a.1
	install -d $(DESTDIR)$(PREFIX)/bin $(DESTDIR)$(PREFIX)/share/man/man1
	install -m 755 a $(DESTDIR)$(PREFIX)/bin/$(NAME)
	sed -e 's/^\.TH A /.TH $(shell echo '$(NAME)' | tr a-z A-Z) /' \
		-e 's/^a \\- /$(NAME) \\- /' -e 's/^\.ds Nm a$$/.ds Nm $(NAME)/' \
		a.1 > $(DESTDIR)$(PREFIX)/share/man/man1/$(NAME).1
uninstall:
	rm -f $(DESTDIR)$(PREFIX)/bin/$(NAME) $(DESTDIR)$(PREFIX)/share/man/man1/$(NAME).1

# The README's table: least CPU times of BENCH_RUNS runs of ./a (and OLD, a
# commit's) and cat in turn, BENCH_SCANF_RUNS of scanf (0: none), on
# BENCH_INPUTS (all: every one). Its programs and inputs: tools/dev.mk.
BENCH_RUNS = 201
BENCH_SCANF_RUNS = 5
BENCH_INPUTS = 1-random 2-ten 5-tiny 7-tiny-mixed
BENCH = python3 bench/bench.py build/bench build/peak ./a build/scanf$(if $(OLD), --old build/old/a)
bench: a build/scanf build/peak build/bench/.made $(if $(OLD),build/old/a)
	$(BENCH) --runs $(BENCH_RUNS) --scanf-runs $(BENCH_SCANF_RUNS) $(BENCH_INPUTS)
clean:
	rm -rf a build
include tools/dev.mk
.PHONY: run test check quick install uninstall bench clean FORCE
