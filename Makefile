# Thin wrapper over CMake. `make run` plays, `make test` builds and tests, `make deb`
# builds the Debian package and checks it, `make bench` measures in a Release build of
# its own (build-bench/), `make sanitize` runs every test under AddressSanitizer and
# UndefinedBehaviorSanitizer in a build of its own (build-sanitize/); both leave build/
# untouched.
BUILD_DIR ?= build
BENCH_DIR ?= build-bench
SANITIZE_DIR ?= build-sanitize
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
ifneq ($(CI),)
CMAKE_FLAGS += -DTARLYK_WERROR=ON
endif

.PHONY: all deps configure build run test deb bench sanitize clean

all: build

deps:
	./scripts/install-deps

configure:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Without a display there is nothing to play on: say so before installing or building.
run:
	./scripts/run-game --check-display
	$(MAKE) --no-print-directory deps build
	./scripts/run-game $(BUILD_DIR)

test: deps build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The package lands in the build directory; its checks (contents, lintian) run after it.
deb: deps build
	cd $(BUILD_DIR) && cpack -G DEB
	cd $(BUILD_DIR) && ctest --output-on-failure -R '^package_(contents|lintian)$$' -FS tarlyk_deb

bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DTARLYK_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(BENCH_DIR) -j $(JOBS)
	./scripts/run-benchmarks $(BENCH_DIR)

# The sanitizers' options hold for the build's own runs of the programs it builds (the
# picture renderers, the listing of the tests) as for the tests. Leaks inside the system
# libraries under Qt are suppressed; tests/sanitize/lsan.supp says which and why.
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DTARLYK_SANITIZE=ON $(CMAKE_FLAGS)
	$(SANITIZE_ENV) cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR) $(SANITIZE_DIR)
