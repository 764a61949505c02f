# SPDX-License-Identifier: MIT
# Thin wrappers over CMake and CTest; see README.md.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
JOBS ?= 2

.PHONY: all deps build run test test-sanitize fuzz-build test-fuzz fuzz bench soak format package clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/ardivo

# The main build's tests come last: their final test checks that nothing the
# suite started or made is left behind.
test: build test-sanitize test-fuzz
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# The runtime and the window's tests again, under AddressSanitizer and
# UndefinedBehaviorSanitizer. They run offscreen, so this build also goes
# without X11 and fontconfig, which shows that nothing but src/platform needs
# them.
test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DARDIVO_SANITIZE=ON -DARDIVO_E2E_TESTS=OFF \
	    -DARDIVO_X11=OFF
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -j$(JOBS)

# Benchmarks bring their own peers, which `make test` does not need.
BENCH_PACKAGES = x11-apps galculator kcalc libx11-dev libxdamage-dev
bench: export ARDIVO_EXTRA_PACKAGES = $(BENCH_PACKAGES)
# Each in a world of its own, as the tests are: a desktop with a session bus
# but no screen reader, as most users have it.
bench: build
	tests/hermetic.sh --bus --seconds 3000 SCREEN_READER=off -- bench/startup.sh $(abspath $(BUILD))
	tests/hermetic.sh --bus --seconds 3000 SCREEN_READER=off -- bench/idle.sh $(abspath $(BUILD))

# Ten minutes of ticking and clicking (not part of `make test`), read back as
# a screen reader reads it.
soak: build
	tests/hermetic.sh --bus --seconds 900 -- bench/soak.sh $(abspath $(BUILD))

# The Debian package, built the Debian way from a copy of the tree.
package: deps
	@JOBS=$(JOBS) scripts/build-package $(BUILD)

fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DARDIVO_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz_conversions

# 20 seconds from the seed corpus.
test-fuzz: fuzz-build
	cd $(FUZZ_BUILD) && ctest --output-on-failure

# A minute, keeping what it finds in the build's corpus (the smoke run in
# `make test` always starts from the committed seeds alone).
fuzz: fuzz-build
	mkdir -p $(FUZZ_BUILD)/corpus
	$(FUZZ_BUILD)/tests/fuzz/fuzz_conversions -max_total_time=60 -timeout=5 -max_len=4096 \
	    $(FUZZ_BUILD)/corpus tests/fuzz/corpus

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
