# The developers' targets, included by the Makefile: builds for other
# processors and by other compilers, fuzzing, fault planting, and the build
# of an earlier commit for make bench OLD=commit.
CROSSFLAGS = -O2 -static
FUZZCXX = clang++
FUZZFLAGS = -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
FUZZ_SECONDS = 60
CMD_fuzz = $(FUZZCXX) $(STD) $(FUZZFLAGS) $(WARN) -DFUZZ
CMD_afl = AFL_LLVM_INSTRUMENT=CLASSIC AFL_USE_ASAN=1 AFL_USE_UBSAN=1 \
	afl-clang-fast++ $(STD) -O1 -g $(ARCH)
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

$(CROSSBYTES): build/cross/bytes-%: $(UNITSRC) $(SRC) $(HDR) build/flags/cross-% | crosstools
	mkdir -p build/cross
	$(CMD_cross-$*) -o $@ $(UNITSRC) $(LIBSRC)

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

# OLD=commit also times that commit's program, built by its own Makefile
# with the same compiler and flags.
build/old/a: build/flags/old
	rm -rf build/old && mkdir -p build/old
	git archive $(OLDREV) | tar -x -C build/old
	$(CMD_old)

# ./a against this commit pinned to the AVX2 code, by the least CPU time of
# VERSUS_RUNS runs of each taken in turn, on every bench input: what the
# AVX-512 code gains, where the processor has it.
VERSUS_RUNS = 41
CMD_pinavx2 = $(CMD_a) -DPIN_AVX2
build/pinavx2: $(SRC) $(HDR) build/flags/pinavx2
	$(CMD_pinavx2) -o $@ $(SRC)
versus: a build/pinavx2 build/peak build/bench/.made
	$(if $(AVX512),python3 bench/bench.py build/bench build/peak ./a build/scanf --old build/pinavx2 \
		--runs $(VERSUS_RUNS) --scanf-runs 0 all,@echo "skipped: make versus, this processor has no AVX-512")

# The bench's programs and inputs.
CMD_scanf = $(CXX) -O2
CMD_peak = $(CMD_scanf)
build/scanf build/peak: build/%: bench/%.cpp build/flags/%
	$(CMD_$*) -o $@ $<
build/bench/.made: bench/gen.py
	python3 bench/gen.py build/bench && touch $@

# ./a (and OLD's) against cat alone on 2-ten, the least CPU times of
# RATIO_RUNS runs.
RATIO_RUNS = 41
ratio: a build/peak build/bench/.made $(if $(OLD),build/old/a)
	$(BENCH) --runs $(RATIO_RUNS) --scanf-runs 0 2-ten

# libFuzzer on the reader; new inputs it finds go to build/fuzz/corpus.
build/fuzz/lf: $(SRC) $(HDR) tests/fuzz.cpp build/flags/fuzz | fuzztools
	mkdir -p build/fuzz
	$(CMD_fuzz) -o $@ tests/fuzz.cpp $(LIBSRC)

# The fuzzer pinned to each reader, and to the AVX-512 code in plain C++,
# for make fuzzci.
FUZZED = $(READERS) $(if $(X86_64),avx512p)
$(foreach r,$(READERS),$(eval CMD_fuzz-$r = $$(CMD_fuzz) $$(call pin,$r)))
CMD_fuzz-avx512p = $(CMD_fuzz-avx512) -DPORTABLE_AVX512
build/fuzz/lf-%: $(SRC) $(HDR) tests/fuzz.cpp build/flags/fuzz-% | fuzztools
	mkdir -p build/fuzz
	$(CMD_fuzz-$*) -o $@ tests/fuzz.cpp $(LIBSRC)

# FUZZ_SECONDS on each reader this processor runs, from tests/corpus, with
# a fixed seed so that a run can be repeated; a finding fails, and its
# input is printed.
FUZZRUN = $(filter-out $(if $(AVX2),,avx2) $(if $(AVX512),,avx512),$(FUZZED))
fuzzci: $(FUZZRUN:%=build/fuzz/lf-%)
	@for r in $(filter-out $(FUZZRUN),$(FUZZED)); do \
		echo "skipped: fuzzing the $$r reader, this processor lacks it"; done
	@for r in $(FUZZRUN); do \
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

.PHONY: versus ratio cross crosstools compilers fuzz fuzztools fuzzci corpus afl mutants
