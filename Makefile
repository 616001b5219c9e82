# The two everyday commands: `make run` and `make test`. Both install missing Debian packages first.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=
ifeq ($(CI),true)
CMAKE_FLAGS += -DTAMREL_WERROR=ON
endif
JOBS ?= $(shell nproc)

.PHONY: all deps configure build test run clean format

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: build
	@if [ -x $(BUILD_DIR)/app/tamrel ]; then $(BUILD_DIR)/app/tamrel; else echo "no window yet: the build has no app/tamrel"; fi

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR)
