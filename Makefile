# Two commands for a fresh Debian machine:
#   make run   builds the game and starts it from assets/ (the folder with dat/ bmp/ sound/ voice/)
#   make test  builds everything, runs every test, then runs them again under address+undefined sanitizers
# The long runs, for when there is time: make fuzz-long, make monkey-long, make faults-long, make soak.
# The browser: make web (a folder of static files), make web-serve, make web-test.
# The release files for every platform: make dist (make dist-check checks the Linux package).
# Windows: make windows (two .exe files, cross-compiled), make windows-test (under Wine).
JOBS ?= $(shell nproc)
BUILD ?= build
SAN_BUILD ?= build-asan
RELEASE_BUILD ?= build-release
FUZZ_BUILD ?= build-fuzz
# The long runs: executions per fuzz target, mouse events per monkey seed.
FUZZ_RUNS ?= 1000000
MONKEY_EVENTS ?= 20000
# Whole games in the soak (`make test` plays 30).
SOAK_GAMES ?= 1000
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
WEB_BUILD ?= build-web
WEB_PORT ?= 8000
DIST ?= build-dist
WINDOWS_BUILD ?= build-windows
WIN_SOUND_BUILD ?= build-win-sound

.PHONY: all deps build run test test-plain test-release test-sanitize fuzz-long monkey-long faults-long soak bench bench-check format clean \
	web web-serve web-test web-bench web-bench-storage dist dist-check dist-check-fresh windows-sound-test windows windows-test

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd assets && ../$(BUILD)/src/app/kerna-reversi

test: test-plain test-sanitize

# The project's own builds treat warnings as errors; `make run` keeps whatever
# the build folder was configured with (off unless a test build turned it on).
test-plain: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DKERNA_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The -O3 build with every tool and test left out (the plain build above is
# already optimised, -O2 -g as a Debian package is built, and makes the
# release files; this one is for trying the other optimiser level).
test-release: deps
	cmake -S . -B $(RELEASE_BUILD) -DCMAKE_BUILD_TYPE=Release -DKERNA_WERROR=ON -DBUILD_TESTING=OFF -DKERNA_TOOLS=OFF
	cmake --build $(RELEASE_BUILD) -j $(JOBS) --target kerna-reversi kerna-engine

# The sanitizer build uses clang so that the same build also carries the libFuzzer targets.
test-sanitize: deps
	CXX=clang++ cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKERNA_WERROR=ON -DKERNA_SANITIZE=ON -DKERNA_FUZZ=ON -DKERNA_FUZZ_SECONDS=5
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE nosan

# Every loader's fuzz target for FUZZ_RUNS executions, under the address and
# undefined sanitizers but optimised (several times the executions per second
# of the Debug build), at low priority, one target after another.
FUZZ_TARGETS = $(basename $(notdir $(wildcard tests/fuzz/fuzz_*.cpp)))
fuzz-long: deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKERNA_SANITIZE=ON -DKERNA_FUZZ=ON -DKERNA_TOOLS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(FUZZ_TARGETS)
	bash scripts/fuzz_long.sh $(FUZZ_BUILD) $(FUZZ_RUNS) $(FUZZ_TARGETS)

# The monkey at MONKEY_EVENTS mouse events per seed, in the plain build and
# then under the sanitizers (a tenth of the events there: they run ~10x slower).
monkey-long: build
	cd $(BUILD) && KERNA_MONKEY_EVENTS=$(MONKEY_EVENTS) nice -n 15 tests/test_game --gtest_filter='Seeds/Monkey.*'
	CXX=clang++ cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKERNA_WERROR=ON -DKERNA_SANITIZE=ON -DKERNA_FUZZ=ON -DKERNA_FUZZ_SECONDS=5
	cmake --build $(SAN_BUILD) -j $(JOBS) --target test_game
	cd $(SAN_BUILD) && KERNA_MONKEY_EVENTS=$$(($(MONKEY_EVENTS) / 10)) nice -n 15 tests/test_game --gtest_filter='Seeds/Monkey.*'

# The large data files cut at every tenth byte (the short run in `make test`
# takes every tenth byte near the ends only).
faults-long: build
	cd $(BUILD) && KERNA_FAULTS_EVERY_TENTH=1 nice -n 15 tests/test_game --gtest_filter='Faults.*'

# SOAK_GAMES whole games in one process, the computer against itself at every
# level and two people by script: memory, open files and threads stay flat,
# and every game is kept once (the figures are printed at the end).
soak: build
	cd $(BUILD) && KERNA_SOAK_GAMES=$(SOAK_GAMES) nice -n 15 tests/test_game --gtest_filter='Soak.*'

bench: build
	$(BUILD)/bench/kerna-bench

# Fails when the search's node-count signature differs from bench/signature.txt.
bench-check: build
	bash bench/check_signature.sh $(BUILD)/bench/kerna-bench bench/signature.txt

# The browser build: Debian's Emscripten, whose optimiser runs on node with
# Debian's JavaScript modules (acorn); the glyph sheet comes from the desktop
# build's kerna-glyph-sheet. The site is $(WEB_BUILD)/site.
web web-test web-bench web-bench-storage: export NODE_PATH := /usr/share/nodejs
web: deps
	bash scripts/install-web-deps.sh
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS) --target kerna-glyph-sheet
	emcmake cmake -S web -B $(WEB_BUILD) -DKERNA_GLYPH_TOOL=$(CURDIR)/$(BUILD)/tools/glyphs/kerna-glyph-sheet
	cmake --build $(WEB_BUILD) -j $(JOBS)

web-serve: web
	@echo "http://127.0.0.1:$(WEB_PORT)/"
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB_BUILD)/site

# The page test: the scenario's pictures from the desktop's headless backend,
# then the same scenario played on the page in headless Chromium (puppeteer-core
# from npm, Debian's /usr/bin/chromium), picture for picture. Screenshots of
# each step land in $(WEB_BUILD)/test/page. Then the phone's screens, played
# by touch (screenshots in $(WEB_BUILD)/test/phone), the review of a kept game,
# whose values must be the desktop program's (screenshots and the times of
# both in $(WEB_BUILD)/test/review), and a game kept across a reload and
# continued (continue.mjs, screenshots in $(WEB_BUILD)/test/continue).
web-test: web
	bash scripts/install-web-deps.sh test
	cmake --build $(BUILD) -j $(JOBS) --target kerna-web-frames kerna-reversi
	rm -rf $(WEB_BUILD)/test && mkdir -p $(WEB_BUILD)/test/desktop
	$(BUILD)/web/test/frames/kerna-web-frames web/test/scenario.txt $(WEB_BUILD)/test/desktop
	cd web/test && npm ci
	node web/test/play.mjs $(WEB_BUILD)/site $(WEB_BUILD)/test/desktop $(WEB_BUILD)/test/page
	node web/test/phone.mjs $(WEB_BUILD)/site $(WEB_BUILD)/test/desktop $(WEB_BUILD)/test/phone
	node web/test/review.mjs $(WEB_BUILD)/site web/test/review-game.ggf $(BUILD)/src/app/kerna-reversi \
		$(WEB_BUILD)/test/review
	node web/test/continue.mjs $(WEB_BUILD)/site $(WEB_BUILD)/test/continue

# The level-6 computer's think time on kerna-bench's positions in headless
# Chromium; compare with the level-6 lines of `make bench`.
web-bench: web
	bash scripts/install-web-deps.sh test
	cd web/test && npm ci
	node web/test/think-bench.mjs $(WEB_BUILD)/bench

# The page with 2,000 kept games in the browser's storage against none: its
# start, the saved games screen and saving a finished game, timed in headless
# Chromium (kerna-bench writes the games, as `kerna-bench --kept-games` keeps them).
web-bench-storage: web
	bash scripts/install-web-deps.sh test
	cmake --build $(BUILD) -j $(JOBS) --target kerna-bench
	rm -rf $(WEB_BUILD)/bench/kept-games
	$(BUILD)/bench/kerna-bench --write-kept-games $(WEB_BUILD)/bench/kept-games 2000 2000
	cd web/test && npm ci
	node web/test/storage-bench.mjs $(WEB_BUILD)/site $(WEB_BUILD)/bench/kept-games

# The Windows build: Debian's mingw-w64 cross compiler (posix threads), the
# glyph sheet from the desktop build's kerna-glyph-sheet, statically linked
# kerna-reversi.exe and kerna-engine.exe in $(WINDOWS_BUILD).
windows: deps
	bash scripts/install-windows-deps.sh
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS) --target kerna-glyph-sheet
	cmake -S windows -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	  -DKERNA_GLYPH_TOOL=$(CURDIR)/$(BUILD)/tools/glyphs/kerna-glyph-sheet
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

# The .exe files under Debian's Wine in Xvfb: the scenario's pictures against
# the desktop's headless backend, the settings' folders, the close during a
# search, the engine (windows/test/play.py). Screenshots in $(WINDOWS_BUILD)/test.
windows-test: windows
	bash scripts/install-windows-deps.sh test
	cmake --build $(BUILD) -j $(JOBS) --target kerna-web-frames xvfb_helper
	bash windows/test/run.sh $(BUILD) $(WINDOWS_BUILD)

# The release files in $(DIST)/, each named by the project version, with
# SHA256SUMS: the Linux package from the plain build's two programs (stripped
# when installed), the Windows zip and installer from the programs `make
# windows` leaves in $(WINDOWS_BUILD)/ (skipped, with a message, until they
# exist), and the browser's site as a zip.
dist: deps web
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS) --target kerna-reversi kerna-engine
	bash scripts/install-dist-deps.sh
	bash packaging/dist.sh $(DIST) $(BUILD) $(WEB_BUILD)/site $(WINDOWS_BUILD)

# The Linux package unpacked into a scratch root and run from there, lintian,
# desktop-file-validate, appstreamcli validate and a simulated apt install;
# the Windows installer, when there is one, installed and uninstalled under Wine.
dist-check: dist
	bash packaging/linux/check-deb.sh $(DIST)/kerna-reversi_*_amd64.deb $(DIST)/work
	for setup in $(DIST)/kerna-reversi-*-setup.exe; do \
	  [ ! -e "$$setup" ] || bash packaging/windows/check-installer.sh "$$setup" $(DIST)/work || exit 1; \
	done

# `apt install` of the Linux package on a fresh Debian 12 made by mmdebstrap
# from the machine's package sources (root, a few minutes, not in CI).
dist-check-fresh: dist
	bash scripts/install-deps.sh mmdebstrap
	bash packaging/linux/check-fresh-install.sh $(DIST)/kerna-reversi_*_amd64.deb $(DIST)/work

# The Windows sound code cross-compiled and run under Wine (no sound card
# needed): the system codec's mp3 decode against mpg123's, with and without
# an audio device.
windows-sound-test:
	bash scripts/install-dist-deps.sh sound
	bash tests/win_sound/run.sh $(WIN_SOUND_BUILD)

format:
	git ls-files '*.cpp' '*.hpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD) $(RELEASE_BUILD) $(WEB_BUILD) $(DIST) $(WIN_SOUND_BUILD) $(WINDOWS_BUILD)
