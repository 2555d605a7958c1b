# Quick start: `make run` starts the program, `make test` runs every test.
BUILD ?= build
FUZZ_BUILD ?= build-fuzz
RUN_DIR ?= $(HOME)/.local/share/mixor
SAMPLE := data/Přísady.txt
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build test bench fuzz run screenshots clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

# The program in a folder of its own, where it keeps its options file.
run: build
	mkdir -p "$(RUN_DIR)"
	cp "$(SAMPLE)" "$(RUN_DIR)/"
	cd "$(RUN_DIR)" && "$(abspath $(BUILD))/app/mixor"

# One PNG per page of the window on the sample catalogue, for review.
screenshots: build
	rm -rf "$(BUILD)/screenshot-run" && mkdir -p "$(BUILD)/screenshot-run"
	cp "$(SAMPLE)" "$(BUILD)/screenshot-run/"
	cd "$(BUILD)/screenshot-run" && QT_QPA_PLATFORM=offscreen "$(abspath $(BUILD))/app/mixor-screenshots" "$(abspath $(BUILD))/screenshots"

bench: build
	$(BUILD)/bench/mixor_bench
	$(BUILD)/bench/mixor_ui_bench
	$(BUILD)/bench/mixor_zapis_bench

# Loader fuzzing with sanitizers; FUZZ_SECONDS bounds each target.
FUZZ_SECONDS ?= 60
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DMIXOR_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD)
	bash scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
