# Wraps CMake. `make run` installs what the player needs, builds the player, the skin tool and the
# demo skin and starts it; `make` installs and builds everything; `make test` runs every test
# (also under AddressSanitizer and UndefinedBehaviorSanitizer, the audio engine under
# ThreadSanitizer) and every fuzz target for 10 s; `make fuzz` runs every fuzz target for
# FUZZ_SECONDS each; `make install` and `make package` install the player or make its Debian
# package.
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
TSAN_DIR ?= build-tsan
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
DESTDIR ?=
CMAKE_FLAGS ?=
ifneq ($(CI),)
CMAKE_FLAGS += -DWINDLECROFT_WERROR=ON
endif
CONFIGURE = cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# What `make run` builds: the player, the skin tool and the demo skin (with its generator and the
# spectrum plugin); `make install` and `make package` also need the icons, the compressed man pages
# and the changelog.
PLAYER_TARGETS = windlecroft windlecroft-skin demo-skin
INSTALL_TARGETS = $(PLAYER_TARGETS) install-data

.PHONY: all deps deps-run deps-build configure configure-player build player run install package \
  test test-asan test-tsan fuzz fuzz-build fuzz-short bench bench-peers clean

all: build

deps:
	scripts/install-deps test

deps-run:
	scripts/install-deps run

deps-build:
	scripts/install-deps build

# BUILD_DIR configured for everything, tests and benchmarks included; a folder that `make run`
# configured without them is configured again.
configure: deps
	@if ! grep -qsx 'WINDLECROFT_BUILD_TESTS:BOOL=ON' $(BUILD_DIR)/CMakeCache.txt \
	  || ! grep -qsx 'WINDLECROFT_BUILD_BENCH:BOOL=ON' $(BUILD_DIR)/CMakeCache.txt \
	  || [ ! -f $(BUILD_DIR)/build.ninja ]; then \
	  echo $(CONFIGURE) -DWINDLECROFT_BUILD_TESTS=ON -DWINDLECROFT_BUILD_BENCH=ON $(CMAKE_FLAGS); \
	  $(CONFIGURE) -DWINDLECROFT_BUILD_TESTS=ON -DWINDLECROFT_BUILD_BENCH=ON $(CMAKE_FLAGS); \
	fi

# A new BUILD_DIR is configured without tests and benchmarks, so that it needs no test library;
# one configured already (for everything, say) is used as it is.
configure-player: deps-run
	@[ -f $(BUILD_DIR)/build.ninja ] || { \
	  echo $(CONFIGURE) -DWINDLECROFT_BUILD_TESTS=OFF -DWINDLECROFT_BUILD_BENCH=OFF $(CMAKE_FLAGS); \
	  $(CONFIGURE) -DWINDLECROFT_BUILD_TESTS=OFF -DWINDLECROFT_BUILD_BENCH=OFF $(CMAKE_FLAGS); }

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

player: configure-player
	cmake --build $(BUILD_DIR) -j $(JOBS) --target $(PLAYER_TARGETS)

run: player
	$(BUILD_DIR)/windlecroft $(BUILD_DIR)/skins/demo

# `make install PREFIX=/usr DESTDIR=/tmp/stage` stages an installation under /tmp/stage/usr.
install: configure-player
	cmake --build $(BUILD_DIR) -j $(JOBS) --target $(INSTALL_TARGETS)
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# The Debian package of an installation under /usr, written into BUILD_DIR; its dependencies
# come from dpkg-shlibdeps (the build group brings the file type probe it needs).
package:
	scripts/install-deps build
	$(MAKE) configure-player
	cmake --build $(BUILD_DIR) -j $(JOBS) --target $(INSTALL_TARGETS)
	cd $(BUILD_DIR) && cpack -G DEB

$(ASAN_DIR)/build.ninja:
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DWINDLECROFT_SANITIZE=ON \
	  -DWINDLECROFT_BUILD_BENCH=OFF $(CMAKE_FLAGS)

test-asan: $(ASAN_DIR)/build.ninja
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  ctest --output-on-failure -j $(JOBS)

# ThreadSanitizer over the audio engine, the hand-over of track ends to the main thread and live
# frames drawn on a thread apart from the loop.
$(TSAN_DIR)/build.ninja:
	cmake -S . -B $(TSAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWINDLECROFT_BUILD_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_C_FLAGS=-fsanitize=thread \
	  -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread $(CMAKE_FLAGS)

test-tsan: $(TSAN_DIR)/build.ninja
	cmake --build $(TSAN_DIR) -j $(JOBS) --target audio_tests base_tests live_skin_tests
	cd $(TSAN_DIR) && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -j $(JOBS) \
	  -R '^(AudioEngineTest|EndOfTrackThreadTest|PlayerSequencingTest|PeriodicThread|LiveSkin)\.'

# libFuzzer targets: clang, AddressSanitizer and UndefinedBehaviorSanitizer, the core without
# the Qt shell and SDL. Crashing inputs land in $(FUZZ_DIR)/fuzz/findings/<target>/.
$(FUZZ_DIR)/build.ninja:
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWINDLECROFT_FUZZ=ON \
	  -DWINDLECROFT_BUILD_SHELL=OFF -DWINDLECROFT_BUILD_TESTS=OFF -DWINDLECROFT_BUILD_BENCH=OFF $(CMAKE_FLAGS)

fuzz-build: deps $(FUZZ_DIR)/build.ninja
	cmake --build $(FUZZ_DIR) -j $(JOBS)

fuzz: fuzz-build
	fuzz/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

fuzz-short:
	$(MAKE) fuzz FUZZ_SECONDS=10

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) test-asan
	$(MAKE) test-tsan
	$(MAKE) fuzz-short

# Every Google Benchmark (results also kept as JSON in bench/results), then the whole program on
# Xvfb: scripts/bench-program prints every budget beside its figure and fails when one is missed.
bench: build
	@mkdir -p $(BUILD_DIR)/bench/results
	@for b in $(BUILD_DIR)/bench/*_bench; do [ -x "$$b" ] || continue; \
	  "$$b" --benchmark_out=$(BUILD_DIR)/bench/results/$$(basename $$b).json --benchmark_out_format=json || exit 1; done
	scripts/bench-program $(BUILD_DIR)

# Windlecroft against Audacious on one private X server (installs Audacious when missing).
bench-peers: deps build
	scripts/bench-peers $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(TSAN_DIR) $(FUZZ_DIR)
