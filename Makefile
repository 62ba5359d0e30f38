# Build, run, test and measure the counting filter. The developers' targets
# (other processors and compilers, fuzzing, mutants) are in tools/dev.mk.
CXX ?= g++
CXXFLAGS ?= -O2
# Empty ARCH gives one binary for any processor of its kind, which picks its
# code at start-up, as fast as one tied to this processor by -march=native.
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
CLANG := $(shell command -v clang++ 2>/dev/null)
# The sanitized builds, each pinned to one reader this processor has; the
# plain one leaves out SSE2 on x86, so that the compiler lends it no vector
# code. And one by clang, whose sanitizers catch what GCC's let pass.
READERS = $(if $(X86_64),avx2) $(if $(X86),sse2) $(if $(ARM64),neon) plain
PINNED = $(READERS:%=build/%) $(if $(CLANG),build/clang)
TESTED = ./a $(filter-out $(if $(AVX2),,build/avx2),$(PINNED))
SKIP = $(if $(X86_64),$(if $(AVX2),,echo "skipped: build/avx2, this processor has no AVX2";)) \
	$(if $(CLANG),,echo "skipped: build/clang, there is no clang++";)
pin = -DPIN_$(shell echo $1 | tr a-z A-Z)
$(foreach r,$(READERS),$(eval CMD_$r = $$(CXX) $$(STD) $$(SAN) $$(WARN) $$(call pin,$r)))
CMD_plain += $(if $(X86),-mno-sse2)
# The command that makes each binary; build/flags/NAME keeps a copy. The
# test build names the code it takes and has no random source.
CMD_a = $(CXX) $(STD) $(CXXFLAGS) $(ARCH) $(WARN)
CMD_clang = clang++ $(STD) $(SAN) $(WARN)
CMD_which = $(CMD_a) -DNAME_READER -DNO_ENTROPY
CMD_bytes = $(CXX) $(STD) $(SAN) $(WARN)

a: $(SRC) $(HDR) build/flags/a
	$(CMD_a) -o $@ $(SRC)
$(PINNED) build/which: build/%: $(SRC) $(HDR) build/flags/%
	$(CMD_$*) -o $@ $(SRC)
build/bytes: tests/bytes.cpp $(SRC) $(HDR) build/flags/bytes
	$(CMD_bytes) -o $@ tests/bytes.cpp $(LIBSRC)
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
test: $(TESTED) build/which build/bytes
	@$(SKIP) true
	@sh tests/weak.sh $(CMD_a) -- $(shell grep -l '^#include "isa.h"' $(SRC))
	@build/bytes
	@python3 tests/run.py --which build/which $(TESTED)
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
# BENCH_INPUTS (all: every one).
BENCH_RUNS = 201
BENCH_SCANF_RUNS = 5
BENCH_INPUTS = 1-random 2-ten 5-tiny 7-tiny-mixed
BENCH = python3 bench/bench.py build/bench build/peak ./a build/scanf$(if $(OLD), --old build/old/a)
bench: a build/scanf build/peak build/bench/.made $(if $(OLD),build/old/a)
	$(BENCH) --runs $(BENCH_RUNS) --scanf-runs $(BENCH_SCANF_RUNS) $(BENCH_INPUTS)
CMD_scanf = $(CXX) -O2
CMD_peak = $(CMD_scanf)
build/scanf build/peak: build/%: bench/%.cpp build/flags/%
	$(CMD_$*) -o $@ $<
build/bench/.made: bench/gen.py
	python3 bench/gen.py build/bench && touch $@
clean:
	rm -rf a build
include tools/dev.mk
.PHONY: run test check quick install uninstall bench clean FORCE
