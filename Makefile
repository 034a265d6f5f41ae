# Front door: every target installs what is missing first.
#   make test    build everything and run every test under wine
#   make bench   run the backup benchmark
#   make format  clang-format the sources

BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS = -G Ninja -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/tools/mingw-w64-x86_64.cmake

.PHONY: all deps configure build test bench format clean

all: build

deps:
	@tools/install-deps.sh

configure: deps
	@test -f $(BUILD)/build.ninja || cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	bench/run-bench.sh $(BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
