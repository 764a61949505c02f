# Thin wrappers over CMake and CTest; see README.md.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS ?= 2

.PHONY: all deps build run test test-sanitize bench format package clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/ardivo

test: build test-sanitize
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# The runtime and the window's tests again, under AddressSanitizer and
# UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DARDIVO_SANITIZE=ON -DARDIVO_E2E_TESTS=OFF
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	cd $(SANITIZE_BUILD) && ctest --output-on-failure -j$(JOBS)

# Benchmarks bring their own peers, which `make test` does not need.
bench: export ARDIVO_EXTRA_PACKAGES = x11-apps
bench: build
	bench/idle.sh $(BUILD)

package: build
	cd $(BUILD) && cpack

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
