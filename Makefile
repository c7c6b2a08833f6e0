# Builds the suite and runs its tests and demo. Every target installs what is
# missing first (scripts/install-deps is quick when nothing is).
BUILD ?= build
B := $(abspath $(BUILD))
JOBS ?= 2

.PHONY: all deps win win64 native test demo fuzz bench dist clean

all: win

deps:
	@scripts/install-deps

# The product: 32-bit Windows executables in $(BUILD)/bin.
win: deps
	@cmake -S . -B $(B)/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DSUITE_BIN_DIR=$(B)/bin >/dev/null
	@cmake --build $(B)/win -j $(JOBS)

# The same sources as 64-bit executables ($(BUILD)/bin64): the tests run them
# under 64-bit Wine on machines that cannot run 32-bit code.
win64: deps
	@cmake -S . -B $(B)/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DSUITE_BIN_DIR=$(B)/bin64 >/dev/null
	@cmake --build $(B)/win64 -j $(JOBS)

# Engines under AddressSanitizer and UndefinedBehaviorSanitizer, fuzzers,
# and the CTest list of every test.
native: deps
	@cmake -S . -B $(B)/native -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
	  -DSUITE_BUILD=$(B) >/dev/null
	@cmake --build $(B)/native -j $(JOBS)

test: win win64 native
	@cd $(B)/native && ctest --output-on-failure -j $(JOBS)

demo: win win64
	@SUITE_BUILD=$(B) scripts/demo

# Longer fuzz runs than the short ones inside `make test`.
FUZZ_SECONDS ?= 300
fuzz: native
	@SUITE_BUILD=$(B) FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz

# Speed and memory figures: every bench/*.sh in turn, with the page cache warm.
bench: win win64 native
	@SUITE_BUILD=$(B) scripts/bench

# The release zip in $(BUILD)/dist; SOURCE_DATE_EPOCH makes it reproducible.
dist: deps
	@SUITE_BUILD=$(B) scripts/dist

clean:
	rm -rf $(B)
