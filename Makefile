# Front door: every target installs what is missing first.
#   make test         build everything and run every test under wine
#   make bench        run the backup benchmark (a few minutes)
#   make bench-large  the benchmark's large cases: 200,000 files, one 2 GiB file
#   make bench-probe  what single file operations cost, per file
#   make run          build and start the program under wine (ARGS=... are
#                     its arguments): on $DISPLAY, or headless on Xvfb
#   make screenshots  pictures of the program's windows in build/screenshots/
#   make demo         two unattended backups of a sample, their results and trees
#   make faults       the fault suite: backups under faults, with a table
#                     (disk-full cases need root for a small drive)
#   make format       clang-format the sources

BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS = -G Ninja -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/tools/mingw-w64-x86_64.cmake

.PHONY: all deps configure build test bench bench-large bench-probe run screenshots demo faults format clean

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

bench-large: build
	bench/run-bench.sh $(BUILD) --large

bench-probe: build
	bench/run-bench.sh $(BUILD) --probe

# A prefix of its own, so that running the program never touches the
# tests' registry or drives.
run: build
	MRQ_WINE_ROOT=$(abspath $(BUILD))/run-wine tools/wine-run.sh --show $(abspath $(BUILD))/app/mrq.exe $(ARGS)

screenshots: build
	tools/screenshots.sh $(BUILD)

demo: build
	tools/demo.sh $(BUILD)

faults: build
	tools/faults.sh $(BUILD) $(ARGS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
