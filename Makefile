# Brannoch: the two commands a newcomer needs are `make run` and `make test`.
# Both install whatever Debian packages are missing, build with CMake into build/, and go on.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
PREFIX ?= /usr/local
CMAKE_EXTRA_FLAGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

# What building and playing need.
BUILD_PACKAGES := g++ cmake make pkg-config \
	libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev libsdl2-image-dev libsndfile1-dev
# What the tests need on top: GoogleTest, a virtual X server and the tools that drive it.
TEST_PACKAGES := libgtest-dev xvfb xauth xdotool x11-utils imagemagick python3 python3-xlib

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps deps-test build run test clean assets install

all: build

# Installs only the packages dpkg does not already know as installed; no apt-get update otherwise.
define install_missing
	@missing=""; \
	for p in $(1); do \
		dpkg-query -W -f='$${Status}' "$$p" 2>/dev/null | grep -q "install ok installed" \
			|| missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
		echo "Installing:$$missing"; \
		$(SUDO) apt-get update -q && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(BUILD_PACKAGES))

deps-test: deps
	$(call install_missing,$(TEST_PACKAGES))

CONFIGURE = cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	-DCMAKE_INSTALL_PREFIX=$(PREFIX) $(CMAKE_EXTRA_FLAGS)

build: deps
	$(CONFIGURE)
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The game reads its files from the working directory.
run: build
	cd assets && ../$(BUILD_DIR)/brannoch

test: deps-test
	$(CONFIGURE)
	cmake --build $(BUILD_DIR) -j $(JOBS)
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# Draws every picture and synthesises every sound again, into assets/ and data/icons/.
assets: build
	cmake --build $(BUILD_DIR) --target assets

clean:
	rm -rf $(BUILD_DIR)
