# Quick start: `make run` starts the program, `make test` runs every test.
# Both install the Debian packages they need first (scripts/install-deps.sh);
# a plain `make` only configures and builds, and `make deps` installs on request.
BUILD ?= build
FUZZ_BUILD ?= build-fuzz
PACKAGE_BUILD ?= build-pkg
SAMPLE := data/Přísady.txt
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build test bench fuzz run screenshots package clean

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

test: deps
	$(MAKE) --no-print-directory build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

# The program in the player's folder, as the installed launcher starts it:
# ~/.local/share/mixor gets the sample catalogue only while it has none.
run: deps
	$(MAKE) --no-print-directory configure
	cmake --build $(BUILD) --target mixor
	MIXOR_PROGRAM="$(abspath $(BUILD))/app/mixor" MIXOR_VZOR="$(abspath $(SAMPLE))" \
		"$(BUILD)/dist/mixor-spustit"

# build-pkg/mixor_<version>-<revision>_<arch>.deb: the programs in /usr/games
# and the files of dist/, built apart from the tests with Debian's hardening
# flags, and stripped.
DPKG_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
package:
	@bash scripts/install-deps.sh --build-only
	cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=None \
		-DCMAKE_CXX_FLAGS="$$($(DPKG_FLAGS) CPPFLAGS) $$($(DPKG_FLAGS) CXXFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$($(DPKG_FLAGS) LDFLAGS)" \
		-DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr -DMIXOR_PROGRAM_DIR=games \
		-DCMAKE_STRIP="$(abspath scripts/strip-deb.sh)"
	cmake --build $(PACKAGE_BUILD)
	cd $(PACKAGE_BUILD) && cpack

# One PNG per page of the window on the sample catalogue, in the default
# palette and in a dark one (page-N-dark.png), for review.
screenshots: deps
	$(MAKE) --no-print-directory build
	rm -rf "$(BUILD)/screenshot-run" && mkdir -p "$(BUILD)/screenshot-run"
	cp "$(SAMPLE)" "$(BUILD)/screenshot-run/"
	cd "$(BUILD)/screenshot-run" && QT_QPA_PLATFORM=offscreen "$(abspath $(BUILD))/app/mixor-screenshots" "$(abspath $(BUILD))/screenshots"

bench: deps
	$(MAKE) --no-print-directory build
	$(BUILD)/bench/mixor_bench
	$(BUILD)/bench/mixor_ui_bench
	$(BUILD)/bench/mixor_zapis_bench
	$(BUILD)/bench/mixor_hledani_bench
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/mixor_hledani_ui_bench

# Loader fuzzing with sanitizers; FUZZ_SECONDS bounds each target.
FUZZ_SECONDS ?= 60
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DMIXOR_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD)
	bash scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) $(PACKAGE_BUILD)
