# Wraps CMake: `make run` opens the program, `make test` runs every test through CTest. Each
# target first installs the Debian packages it needs and nothing more.
BUILD_DIR ?= build
GUI ?= ON
SOLID ?= ON
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

DEPS = TOOTHWRIGHT_GUI=$(GUI) TOOTHWRIGHT_SOLID=$(SOLID) scripts/install-deps
CONFIGURE = cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DTOOTHWRIGHT_GUI=$(GUI) \
  -DTOOTHWRIGHT_SOLID=$(SOLID)
# A build folder that `make run` or `make package` configures first leaves the tests out, so
# that the test packages are not needed; `make test` adds them, and they stay from then on.
TESTS_UNLESS_CONFIGURED = $(if $(wildcard $(BUILD_DIR)/CMakeCache.txt),,-DTOOTHWRIGHT_TESTS=OFF)

.PHONY: all build run test test-sanitize test-package package fuzz bench bench-check clean

all: build

build:
	$(DEPS) run
	$(CONFIGURE) $(TESTS_UNLESS_CONFIGURED) $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Builds the window program and what it links, nothing else.
run:
	$(DEPS) run
	$(CONFIGURE) $(TESTS_UNLESS_CONFIGURED) $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS) --target toothwright
	$(BUILD_DIR)/bin/toothwright

test:
	$(DEPS) test
	$(CONFIGURE) -DTOOTHWRIGHT_TESTS=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# Builds every benchmark and runs each in full, one after the other, for the figures.
bench:
	$(DEPS) bench
	$(CONFIGURE) $(TESTS_UNLESS_CONFIGURED) $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS) --target bench_run

# Builds every benchmark and runs each for a moment: it fails when one no longer builds or
# runs to its end, whatever its figures (CI runs it).
bench-check:
	$(DEPS) bench
	$(CONFIGURE) $(TESTS_UNLESS_CONFIGURED) $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS) --target bench_check

# The .deb, build/toothwright_<version>_<architecture>.deb, made by CPack.
package:
	$(DEPS) package
	$(CONFIGURE) $(TESTS_UNLESS_CONFIGURED) $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS) --target package

# The .deb and what it installs checked by the Debian tools, then its CLI run unpacked.
test-package: package
	$(DEPS) package-check
	scripts/check-package $(BUILD_DIR)

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
SANITIZE_DIR ?= build-sanitize
test-sanitize:
	$(DEPS) test
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOOTHWRIGHT_GUI=$(GUI) \
	  -DTOOTHWRIGHT_SOLID=$(SOLID) -DTOOTHWRIGHT_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
	  ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS)

# Builds the libFuzzer targets with clang into their own folder and runs each in turn.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz:
	TOOTHWRIGHT_GUI=OFF scripts/install-deps fuzz
	cmake -S fuzz -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	scripts/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
