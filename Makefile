# SPDX-License-Identifier: MIT
# Thin wrappers over CMake and CTest; see README.md.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
WINDOWS_BUILD ?= build-windows
WEB_BUILD ?= build-web
JOBS ?= 2
# The window's geometry as the build writes it, for what clicks on the window.
geometry = ARDIVO_GEOMETRY=$(abspath $(BUILD))/geometry.tsv
# Each recipe first installs what it runs (scripts/install-deps says what each
# job needs), so a target has what it needs however it is reached.
deps = @scripts/install-deps $(1)
# Every build compiles through ccache, which keys what it keeps by what goes
# in: a second build of the same sources, in another clone or a fresh root,
# compiles nothing again.
CCACHE = -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
CCACHE_DIR ?= $(HOME)/.cache/ardivo/ccache
export CCACHE CCACHE_DIR
# Each stage of the suite says how long it took.
timed = @scripts/timed $(1) --

.PHONY: all build run check test sanitize-build test-sanitize fuzz-build test-fuzz fuzz test-repeat bench soak format \
        package autopkgtest reproducible windows test-windows web run-web test-web test-fresh-root clean

all: build

build:
	$(call deps,build)
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CCACHE)
	$(call timed,build) cmake --build $(BUILD) -j$(JOBS)

run: build
	$(call deps,run)
	./$(BUILD)/ardivo

# The loop to run after every change: the program built, the runtime's and
# the window's tests, and the program driven through a calculation, a bad
# input and the warning. About a minute.
check: build
	$(call deps,sandbox run check)
	$(call timed,check) sh -c 'cd $(BUILD) && ctest --output-on-failure -j$(JOBS) -L "^check$$"'

# Everything: the main build's tests last, after the sanitizers', the
# fuzzer's, and the Windows and browser builds' own.
test: build test-sanitize test-fuzz test-windows test-web
	$(call deps,sandbox run test)
	$(call timed,tests) sh -c 'cd $(BUILD) && ctest --output-on-failure -j$(JOBS)'

# The runtime and the window's tests again, under AddressSanitizer and
# UndefinedBehaviorSanitizer. They run offscreen, so this build also goes
# without X11 and fontconfig, which shows that nothing but src/platform needs
# them.
sanitize-build:
	$(call deps,build)
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DARDIVO_SANITIZE=ON -DARDIVO_E2E_TESTS=OFF \
	    -DARDIVO_X11=OFF $(CCACHE)
	$(call timed,sanitize-build) cmake --build $(SANITIZE_BUILD) -j$(JOBS)

test-sanitize: sanitize-build
	$(call deps,sandbox run)
	$(call timed,test-sanitize) sh -c 'cd $(SANITIZE_BUILD) && ctest --output-on-failure -j$(JOBS)'

# The whole suite, N times over (N=20 unless given), from builds made once:
# one table of each test's runs, failures and slowest time. LOAD=2 keeps both
# cores busy meanwhile, as on a shared CI machine.
N ?= 20
LOAD ?= 0
test-repeat: build sanitize-build fuzz-build windows web
	$(call deps,sandbox run test test-windows test-web $(if $(filter-out 0,$(LOAD)),load))
	JOBS=$(JOBS) scripts/test-repeat --load $(LOAD) $(N) $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD) \
	    $(WEB_BUILD)-tree

# Benchmarks bring their own peers, which `make test` does not need.
# Each in a world of its own, as the tests are: a desktop with a session bus
# but no screen reader, as most users have it.
bench: build
	$(call deps,build web sandbox run bench test-web)
	JOBS=$(JOBS) scripts/build-web $(WEB_BUILD)-tree $(WEB_BUILD) bare_controls
	tests/hermetic.sh --bus --seconds 3000 SCREEN_READER=off $(geometry) -- bench/startup.sh $(abspath $(BUILD))
	tests/hermetic.sh --bus --seconds 3000 SCREEN_READER=off $(geometry) -- bench/idle.sh $(abspath $(BUILD))
	tests/hermetic.sh --seconds 1200 ARDIVO_GEOMETRY=$(abspath $(WEB_BUILD)-tree)/geometry.tsv -- /usr/bin/python3 bench/web.py $(abspath $(WEB_BUILD)) \
	    $(abspath $(WEB_BUILD)-tree/bench)

# Ten minutes of ticking and clicking (not part of `make test`), read back as
# a screen reader reads it.
soak: build
	$(call deps,sandbox run soak)
	tests/hermetic.sh --bus --seconds 900 $(geometry) -- bench/soak.sh $(abspath $(BUILD))

# The Debian source and binary packages, built the Debian way from a copy of
# the tree.
package:
	$(call deps,build package)
	@JOBS=$(JOBS) scripts/build-package $(BUILD)

# Debian's own checks, which `make test` does not run. autopkgtest tests the
# package installed, as Debian's CI does; on this machine (the null runner)
# that installs it system-wide, with what its test needs.
ARCH = $(shell dpkg --print-architecture)
VERSION = $(shell scripts/version)
autopkgtest: package
	$(call deps,autopkgtest)
	autopkgtest $(BUILD)/ardivo_$(VERSION)_$(ARCH).deb . -- null

# Two builds, with another path, umask, locale, time zone and clock: the
# binary packages must be the same bit for bit, and so must what the
# Windows build ships.
reproducible:
	$(call deps,build package reproducible windows)
	JOBS=$(JOBS) scripts/check-reproducible
	JOBS=$(JOBS) scripts/check-reproducible-windows

# Ardivo for 64-bit Windows, from the same sources, with MinGW-w64 against Qt
# built once from Debian's own source (the first time about 25 minutes on
# two cores; cached outside the clone after that): ardivo.exe, the zip, its
# symbols and the installer, signed where ARDIVO_SIGN_PKCS12 names a
# certificate.
windows:
	$(call deps,build windows $(if $(ARDIVO_SIGN_PKCS12),signing))
	$(call timed,windows) env JOBS=$(JOBS) scripts/build-windows $(WINDOWS_BUILD)

# Ardivo for the browser, from the same sources, with Debian's Emscripten
# against Qt built once from Debian's own source (the first time about 12
# minutes on two cores; cached outside the clone after that): build-web/ is
# the folder a static web server serves; the build itself lies beside it.
web:
	$(call deps,build web)
	$(call timed,web) env JOBS=$(JOBS) scripts/build-web $(WEB_BUILD)-tree $(WEB_BUILD)

# The folder served on the loopback address, opened in the user's browser.
run-web: web
	scripts/serve-web $(WEB_BUILD)

# In Debian's chromium, headless: the runtime's and the window's tests, and
# the page on a desktop and on a phone.
test-web: web
	$(call deps,sandbox test-web)
	$(call timed,test-web) sh -c 'cd $(WEB_BUILD)-tree && ctest --output-on-failure -j$(JOBS)'

# The Windows build's tests, under Wine: the runtime and the window, the
# program's resources, and the program installed from its MSI and its zip.
test-windows: windows
	$(call deps,sandbox test-windows)
	$(call timed,test-windows) sh -c 'cd $(WINDOWS_BUILD) && ctest --output-on-failure -j$(JOBS)'

# The README's two commands as a newcomer meets them, each on a Debian 12 made
# afresh (scripts/fresh-root, which needs root): make test there, then make
# run there opening its window on a display of the test's own. CI runs this.
SUDO = $(if $(filter 0,$(shell id -u)),,sudo)
test-fresh-root:
	$(call deps,fresh-root)
	scripts/fresh-root make test
	$(SUDO) tests/fresh-root/test_make_run.sh

fuzz-build:
	$(call deps,build fuzz)
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DARDIVO_FUZZ=ON \
	    $(CCACHE)
	$(call timed,fuzz-build) cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz_conversions

# 20 seconds from the seed corpus.
test-fuzz: fuzz-build
	$(call deps,sandbox)
	$(call timed,test-fuzz) sh -c 'cd $(FUZZ_BUILD) && ctest --output-on-failure'

# A minute, keeping what it finds in the build's corpus (the smoke run in
# `make test` always starts from the committed seeds alone).
fuzz: fuzz-build
	mkdir -p $(FUZZ_BUILD)/corpus
	$(FUZZ_BUILD)/tests/fuzz/fuzz_conversions -max_total_time=60 -timeout=5 -max_len=4096 \
	    $(FUZZ_BUILD)/corpus tests/fuzz/corpus

format:
	$(call deps,format)
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD) $(WEB_BUILD) $(WEB_BUILD)-tree
