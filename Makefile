# Brannoch: the two commands a newcomer needs are `make run` and `make test`; `make check` is the
# everyday loop between them. Each installs whatever Debian packages are missing, builds with
# CMake into build/, and goes on.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
PREFIX ?= /usr/local
CMAKE_EXTRA_FLAGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
VERSION := $(shell grep -m1 -o 'brannoch VERSION [0-9.]*' CMakeLists.txt | cut -d' ' -f3)

# The Debian packages each part needs, one word a package. tools/install_deps.sh (DEPS) installs
# the missing ones; it is the only step that changes the system.
# Building and playing (dpkg-dev and file: the package's dependencies and Debian's hardening
# flags; libsndfile and libebur128: the asset generator, built with everything).
BUILD_PACKAGES := g++ cmake make pkg-config \
	libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev libsdl2-image-dev libsndfile1-dev \
	libebur128-dev dpkg-dev file
# The tests on top: GoogleTest, a virtual X server and the tools that drive it; the package's
# checkers (lintian, and hardening-check from devscripts).
TEST_PACKAGES := libgtest-dev xvfb xauth xdotool x11-utils imagemagick python3 python3-xlib \
	clang libclang-rt-14-dev desktop-file-utils appstream lintian devscripts
# `make assets` and its test: fontTools builds the game's font, zopflipng recompresses the pictures.
ASSET_PACKAGES := python3-fonttools zopfli
# The browser build: Debian's emscripten, and dpkg-dev to unpack the SDL2 libraries' sources.
WEB_PACKAGES := emscripten cmake make dpkg-dev
# The browser test: Debian's chromium, firefox-esr and WebKitGTK, driven from python3 through
# chromedriver and WebKitWebDriver (selenium) and Firefox's WebDriver BiDi (websocket); Firefox
# and WebKit play in windows on Xvfb with a PulseAudio of their own; PIL reads the screenshots.
WEB_TEST_PACKAGES := chromium chromium-driver firefox-esr webkit2gtk-driver python3-selenium \
	python3-websocket python3-pil pulseaudio xvfb
# The Windows build (nsis makes the installer) and its test under Wine.
WINDOWS_PACKAGES := mingw-w64 cmake make dpkg-dev icoutils python3 nsis
WINE_PACKAGES := wine wine64 unzip python3-pefile
BENCH_PACKAGES := libbenchmark-dev
MUTANTS_PACKAGES := ninja-build
DEPS = tools/install_deps.sh

# Every time a build writes (the package's files, the archives' entries) is the last commit's, so
# the same commit builds the same bytes at any time. Outside a git checkout (an unpacked source
# tarball) it is the date of the newest entry of packaging/changelog.
ifndef SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH := $(shell { [ -e .git ] && git log -1 --format=%ct 2>/dev/null; } || \
	date -d "$$(sed -n 's/^ -- .*>  //p' packaging/changelog | head -n 1)" +%s)
endif
export SOURCE_DATE_EPOCH

# The other trees, each described at its target below.
ASAN_DIR ?= build-asan
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 300
FUZZ_TEST_SECONDS ?= 60
WINDOWS_DIR ?= build-windows
WINDOWS_ZIP = $(WINDOWS_DIR)/brannoch-$(VERSION)-windows-x64.zip
WINDOWS_SETUP = $(WINDOWS_DIR)/brannoch-$(VERSION)-windows-x64-setup.exe
WINDOWS_LIBS = $(abspath $(WINDOWS_DIR))/sdl
WEB_DIR ?= build-web
WEB_PORT ?= 8000
EMCC_ENV = NODE_PATH=/usr/share/nodejs
BENCH_DIR ?= build-bench
BENCH_ARGS ?= --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
MUTANTS ?= 80
SEED ?= 10
# Where `make fresh-test` keeps its bare Debian root; empty: /tmp/brannoch-fresh.
FRESH_DIR ?=
# The sanitized runs halt on the first report; leaks inside system libraries are listed in
# tests/lsan.supp.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0
# `make test`'s four chains.
TEST_CHAINS := test-release sanitize fuzz-briefly test-windows

# Configures the tree in $(BUILD_DIR) and builds it (make build, check and test).
define build_tree
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
		-DCMAKE_INSTALL_PREFIX=$(PREFIX) -DBRANNOCH_WEB_DIR=$(CURDIR)/$(WEB_DIR) $(CMAKE_EXTRA_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)
endef

.PHONY: all deps deps-test build run check test clean assets install sanitize fuzz web play-web \
	clean-sdl-cache fresh-test

all: build

deps:
	@$(DEPS) $(BUILD_PACKAGES)

deps-test:
	@$(DEPS) $(BUILD_PACKAGES) $(TEST_PACKAGES) $(ASSET_PACKAGES)

build: deps
	$(build_tree)

# The game reads its files from the working directory.
run: build
	cd assets && ../$(BUILD_DIR)/brannoch

# The everyday loop: the build, the unit tests, the floors and header checks and the real-window
# rows; not the package, the browser, the sanitizers, the fuzzer or Windows, which `make test` adds.
check: deps-test
	$(build_tree)
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) -LE '^(package|web)$$'

# Everything, in four chains side by side, their output printed a chain at a time and each
# ending with its time: the browser build and the release tree's tests, then the package built
# again elsewhere and compared; the sanitizers; a minute of fuzzing; the Windows files under
# Wine, then built again and compared. What every chain needs is installed first, in one go, and
# the chains install nothing (DEPS=true). The desktop game is built before them: the Wine test
# compares what the Windows build draws with it. The browser test is skipped where chromium
# cannot be installed, and the Windows chain where wine cannot.
test:
	@$(DEPS) --sources $(BUILD_PACKAGES) $(TEST_PACKAGES) $(ASSET_PACKAGES) $(WEB_PACKAGES) \
		--optional $(WEB_TEST_PACKAGES) $(WINDOWS_PACKAGES) $(WINE_PACKAGES)
	$(build_tree)
	$(MAKE) --no-print-directory -j4 --output-sync=recurse DEPS=true $(TEST_CHAINS:%=chain-%)

.PHONY: test-release fuzz-briefly test-windows $(TEST_CHAINS:%=chain-%)
$(TEST_CHAINS:%=chain-%): chain-%:
	@start=$$(date +%s) status=0; $(MAKE) --no-print-directory $* || status=$$?; \
	echo "make test, chain $*: $$(( $$(date +%s) - start )) s$$([ $$status = 0 ] || echo ', FAILED')"; \
	exit $$status

test-release: web
	$(build_tree)
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory package
	bash tests/reproducible/check.sh $(VERSION) deb

fuzz-briefly:
	$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=$(FUZZ_TEST_SECONDS)

test-windows: windows-test
	bash tests/reproducible/check.sh $(VERSION) windows

# A newcomer's first day, on a bare Debian 12 root built with debootstrap: `make run` till the
# game shows, then `make test`, with their times (tools/fresh_test.sh). Not part of `make test`.
fresh-test:
	tools/fresh_test.sh $(FRESH_DIR)

# Reliability: the unit tests and the soak again in a tree built with AddressSanitizer and
# UBSan. Then the sanitized game with missing files in a real window, without leak checks:
# the graphics driver is unloaded before exit, and its leaks can no longer be told apart.
sanitize: deps-test
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DBRANNOCH_SANITIZE=ON -DBRANNOCH_BENCH=OFF \
		$(CMAKE_EXTRA_FLAGS)
	$(SANITIZER_ENV) cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS) -LE window
	cd $(ASAN_DIR) && $(SANITIZER_ENV) ASAN_OPTIONS=detect_leaks=0 \
		ctest --output-on-failure -R 'window\.missing_assets'

# The map reader under libFuzzer, built by CMake with clang (BRANNOCH_FUZZ) in a tree of its own,
# from the seeds in fuzz/corpus; new finds go to $(FUZZ_DIR)/corpus, a crashing input to
# $(FUZZ_DIR)/crash-*. `make test` runs it for a minute.
fuzz: deps-test
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
		-DCMAKE_CXX_COMPILER=clang++ -DBRANNOCH_FUZZ=ON -DBRANNOCH_TESTS=OFF -DBRANNOCH_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target map_fuzz
	@mkdir -p $(FUZZ_DIR)/corpus
	$(FUZZ_DIR)/map_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=65536 -timeout=10 \
		-print_final_stats=1 -artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/corpus fuzz/corpus

# Installs the game under PREFIX (launcher in PREFIX/games), staged below DESTDIR when set.
install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# A Debian package of the game (it installs under /usr), copied into this folder.
.PHONY: package
# umask 022, as dpkg-buildpackage sets it: the package's folders and members do not take the
# modes of whoever packs it.
package: build
	cd $(BUILD_DIR) && umask 022 && cpack -G DEB
	cp $(BUILD_DIR)/brannoch_*.deb .

# Draws every picture and the font and synthesises every sound again, into assets/ and data/.
assets: build
	@$(DEPS) $(ASSET_PACKAGES)
	cmake --build $(BUILD_DIR) --target assets

clean:
	rm -rf $(BUILD_DIR)

# The Windows build (README, "Windows"): the SDL2 libraries cross-built as static libraries from
# Debian's sources by tools/build_sdl_libs.sh (the browser build's recipe too; built once a
# machine into ~/.cache/brannoch), then the game with mingw-w64, packed into $(WINDOWS_ZIP) and
# the installer $(WINDOWS_SETUP) (Debian's nsis).
.PHONY: windows windows-test
windows:
	@$(DEPS) --sources $(WINDOWS_PACKAGES)
	JOBS=$(JOBS) tools/build_sdl_libs.sh windows $(WINDOWS_LIBS)
	cmake -S . -B $(WINDOWS_DIR) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/toolchain-mingw64.cmake \
		-DCMAKE_PREFIX_PATH=$(WINDOWS_LIBS) -DCMAKE_FIND_ROOT_PATH=$(WINDOWS_LIBS) \
		-DCMAKE_BUILD_TYPE=Release $(CMAKE_EXTRA_FLAGS)
	cmake --build $(WINDOWS_DIR) -j $(JOBS)

# Part of `make test`: the zip checked, the installer installed, played and uninstalled under Wine
# in Xvfb (tests/windows/wine_test.sh). Skipped, with a line that says so, where Debian's wine
# for x86-64 cannot be installed.
windows-test: deps-test
	@$(DEPS) --optional $(WINDOWS_PACKAGES) $(WINE_PACKAGES)
	@if [ "$$(dpkg --print-architecture)" = amd64 ] && command -v wine >/dev/null; then \
		$(MAKE) --no-print-directory windows && \
			bash tests/windows/wine_test.sh $(WINDOWS_ZIP) $(WINDOWS_SETUP) \
				$(wildcard $(BUILD_DIR)/brannoch); \
	else \
		echo "SKIPPED windows-test: Debian's wine for x86-64 cannot be installed on this machine"; \
	fi

# Performance (docs/PERFORMANCE.md): the frame benchmark in a Release tree of its own; prints
# the medians of five repetitions and the ratios full/floor and full/bare. Not part of `make test`.
.PHONY: bench
bench: deps
	@$(DEPS) $(BENCH_PACKAGES)
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release $(CMAKE_EXTRA_FLAGS)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target brannoch brannoch_bench brannoch_frame_count \
		brannoch_startup_probe
	$(BENCH_DIR)/bench/brannoch_bench $(BENCH_ARGS)

# Test strength: one-line mutants of src/ (operators, constants, deleted statements), MUTANTS of
# them drawn with SEED, each built and run against the unit tests (the soak among them) in a copy of
# the tree under build-mutants/. Prints the kill rate and the survivors (build-mutants/report.txt).
.PHONY: mutants
mutants: deps-test
	@$(DEPS) $(MUTANTS_PACKAGES)
	nice -n 10 python3 tools/mutants.py --count $(MUTANTS) --seed $(SEED)

# The game for the browser in $(WEB_DIR)/: the page (index.html, page.js, the web app manifest,
# the service worker sw.js, icons), game.js, game.wasm and game.data (the assets), built for size,
# and all of them in brannoch-VERSION-web.zip for upload. The SDL2 libraries are built once a
# machine from Debian's sources (tools/build_sdl_libs.sh); $(WEB_DIR)/sdl links to them.
web:
	@$(DEPS) --sources $(WEB_PACKAGES)
	JOBS=$(JOBS) tools/build_sdl_libs.sh web $(WEB_DIR)/sdl
	$(EMCC_ENV) emcmake cmake -S . -B $(WEB_DIR) -DCMAKE_BUILD_TYPE=MinSizeRel
	$(EMCC_ENV) cmake --build $(WEB_DIR) -j $(JOBS)

# A first visit to the browser build over a 10 Mbit/s line with 40 ms latency: when "3" showed
# and the bytes each file moved (docs/PERFORMANCE.md). Not part of `make test`.
.PHONY: bench-web
bench-web: web
	@$(DEPS) $(WEB_TEST_PACKAGES)
	/usr/bin/python3 bench/web_first_visit.py $(WEB_DIR)

play-web: web
	@echo "Brannoch in a browser: open http://127.0.0.1:$(WEB_PORT)/ (Ctrl+C stops the server)"
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB_DIR)

# Reproducible builds (README): the .deb, the Windows zip and installer and the browser's upload
# zip built here, then again in another folder, later, under another umask, and compared byte for
# byte. `make test` compares the .deb and the Windows files; this adds the browser's zip.
.PHONY: reproducible
reproducible: package windows web
	bash tests/reproducible/check.sh $(VERSION) deb windows web

# The browser's and Windows' SDL2 libraries are kept between clones in ~/.cache/brannoch (or
# BRANNOCH_CACHE_DIR); this empties that folder, and the next build makes them again.
clean-sdl-cache:
	tools/build_sdl_libs.sh clean
