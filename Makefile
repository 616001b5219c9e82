# Everyday commands: `make run` and `make test` (where make is not installed yet: ./run.sh and
# ./test.sh). Every target first installs the Debian packages it needs that are missing.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=
ifeq ($(CI),true)
CMAKE_FLAGS += -DTAMREL_WERROR=ON
endif
JOBS ?= $(shell nproc)

# The package groups of scripts/install-deps.sh a target needs, and whether the build holds the
# tests. A target's values hold for its prerequisites too, unless one sets its own.
DEPS = window
TESTING = OFF
test soak: DEPS = window test
test soak: TESTING = ON
test-sanitize: DEPS = window test
fuzz: DEPS = fuzz
bench: DEPS = window bench
package: DEPS = window package
screenshot: DEPS = window screenshot
format: DEPS = format

.PHONY: all deps configure build test soak run test-sanitize fuzz bench package package-check \
	screenshot format clean

all: build

deps:
	@bash scripts/install-deps.sh $(DEPS)

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DBUILD_TESTING=$(TESTING) \
		$(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) -LE soak

# 20 000 ticks of random use of the window, with its resident memory watched.
soak: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -L soak

run: build
	$(BUILD_DIR)/app/tamrel

# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAMREL_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
		ctest --output-on-failure -j $(JOBS)

# Coverage-guided fuzzing of the compute run; FUZZ_SECONDS bounds the time.
FUZZ_SECONDS ?= 60
fuzz: deps
	bash scripts/fuzz.sh $(FUZZ_SECONDS)

# Benchmarks of the optimised build.
bench: deps
	cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAMREL_BUILD_BENCH=ON \
		-DBUILD_TESTING=OFF $(CMAKE_FLAGS)
	cmake --build build-release -j $(JOBS)
	bash scripts/bench.sh build-release

package: build
	rm -f $(BUILD_DIR)/tamrel_*.deb
	cd $(BUILD_DIR) && cpack -G DEB

# The package passes lintian with no error and no warning.
package-check: package
	@bash scripts/install-deps.sh lint
	lintian --fail-on error,warning $(BUILD_DIR)/tamrel_*.deb

# An English screenshot of the window after a compute run, for the README.
screenshot: build
	bash scripts/screenshot.sh $(BUILD_DIR)

format: deps
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) build-sanitize build-release build-fuzz
