# Wraps CMake: `make run` opens the program, `make test` runs every test through CTest.
# Both install missing Debian packages first.
BUILD_DIR ?= build
GUI ?= ON
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench clean

all: build

deps:
	TOOTHWRIGHT_GUI=$(GUI) scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DTOOTHWRIGHT_GUI=$(GUI) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/bin/toothwright-cli --chain "ANSI 40" --teeth 18

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

bench: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target bench

clean:
	rm -rf $(BUILD_DIR)
