# `make run` and `make test` are all a fresh Debian 12 machine needs, once
# `apt install make git` has brought make itself.

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)

# What building and running the clock need, and nothing more: the compiler and
# build tools, Qt, the headers of the X11 client library and its shape
# extension, SDL (its headers to build; the library, which comes with them,
# plays the sounds) and the fonts the windows are designed in (Arial's metric
# twin, and a CJK font for the About window).
RUN_PACKAGES := cmake ninja-build g++ pkg-config qt6-base-dev libxcb1-dev libxcb-shape0-dev libsdl2-dev \
                fonts-liberation fonts-wqy-microhei
# The format check's and `make format`'s.
FORMAT_PACKAGES := clang-format
# The desktops `make test` runs the clock on besides openbox, and the window in use there.
TEST_DESKTOP_PACKAGES := mutter i3-wm xterm dbus
# What the tests add: the format check, private X servers with a window
# manager, input and time fakes, the validators of the installed files, a
# PulseAudio the tests run privately to record sound from; and the peers that
# tools/idle_cost.sh measures the clock against.
TEST_PACKAGES := $(FORMAT_PACKAGES) \
                 xvfb openbox xdotool python3 python3-xlib python3-pil faketime \
                 desktop-file-utils appstream groff-base dex \
                 pulseaudio pulseaudio-utils \
                 x11-utils x11-apps buici-clock \
                 $(TEST_DESKTOP_PACKAGES)
# The desktops `make test-desktops` tries as well, the Wayland ones with XWayland.
DESKTOP_PACKAGES := $(TEST_DESKTOP_PACKAGES) kwin-x11 kwin-style-breeze kwin-wayland xfwm4 icewm sway weston \
                    xwayland x11-xserver-utils
DESKTOPS := openbox mutter i3 kwin xfwm4 icewm mutter-wayland kwin-wayland sway weston
# Only for the Debian package: dpkg-shlibdeps finds its dependencies, lintian checks it.
DEB_PACKAGES := dpkg-dev file
DEB_CHECK_PACKAGES := $(DEB_PACKAGES) lintian
PREFIX     ?= /usr/local

CONFIGURE = cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps test-deps format-deps deb-deps deb-check-deps desktop-deps build program installed run test test-unit \
        test-asan test-desktops \
        format format-check install deb deb-check clean

all: build

# $(call install_missing,PACKAGE...): apt-get installs those not installed
# yet, as root or through sudo; a user with neither is told what to run.
define install_missing
	@missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	    if [ "$$(id -u)" = 0 ]; then as=; \
	    elif command -v sudo >/dev/null; then as=sudo; \
	    else echo "Packages are missing; as root, run: apt-get install --no-install-recommends" $$missing >&2; \
	        exit 1; fi; \
	    echo "Installing:" $$missing; \
	    $$as apt-get update -qq && \
	    $$as env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(RUN_PACKAGES))

test-deps:
	$(call install_missing,$(RUN_PACKAGES) $(TEST_PACKAGES))

format-deps:
	$(call install_missing,$(FORMAT_PACKAGES))

deb-deps:
	$(call install_missing,$(RUN_PACKAGES) $(DEB_PACKAGES))

desktop-deps:
	$(call install_missing,$(DESKTOP_PACKAGES))

deb-check-deps:
	$(call install_missing,$(RUN_PACKAGES) $(DEB_CHECK_PACKAGES))

$(BUILD)/build.ninja: | deps
	$(CONFIGURE)

# Everything, the test programs included.
build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# The program and the files it finds beside itself, without the tests.
program: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target tansywatch

# What `cmake --install` copies: the program directory and the compressed manual.
installed: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target tansywatch compressed_documents

run: program
	$(abspath $(BUILD))/tansywatch

$(ASAN_BUILD)/build.ninja: | test-deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTANSY_SANITIZE=ON

test-asan: test-deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --test-dir $(ASAN_BUILD) --output-on-failure -LE e2e

# The C++ files: those git tracks; in a copy without git (an archive), every
# .cpp and .h outside hidden folders and build directories.
CXX_FILES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null | grep . || \
    find . -type d \( -name '.?*' -o -path ./build -o -path './build-*' -o -exec test -e '{}/CMakeCache.txt' \; \) -prune \
        -o -type f \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' | sort)
NO_CXX_FILES = echo "$@: FAILED, no C++ file found in $(CURDIR)" >&2; exit 1

# One format for all C++ (.clang-format); `make format` applies it.
format-check: format-deps
	@$(if $(CXX_FILES),clang-format --dry-run --Werror $(CXX_FILES) </dev/null && \
	    echo "format-check: all $(words $(CXX_FILES)) C++ files are formatted",$(NO_CXX_FILES))

format: format-deps
	@$(if $(CXX_FILES),clang-format -i $(CXX_FILES) </dev/null && \
	    echo "format: $(words $(CXX_FILES)) C++ files formatted",$(NO_CXX_FILES))

# The test tools may have come after the first configure (a `make run`): the
# configure step runs again to find them.
test: test-deps format-check test-asan
	$(CONFIGURE)
	cmake --build $(BUILD) -j $(JOBS)
	ctest --test-dir $(BUILD) --output-on-failure

# The unit and widget tests alone, offscreen: no test tool needed.
test-unit: build
	ctest --test-dir $(BUILD) --output-on-failure -LE e2e

# The clock's run on every desktop; the table of what each gave goes to
# $(BUILD)/desktops.md, with the date and the versions tried.
test-desktops: test-deps desktop-deps program
	@table=$(BUILD)/desktops.md; rows=$$table.rows; rm -f $$rows; status=0; \
	for desktop in $(DESKTOPS); do \
	    TANSY_DESKTOP=$$desktop /usr/bin/python3 tests/e2e/test_clock_x11.py $(BUILD) >> $$rows || status=1; \
	done; \
	{ echo "Tried on $$(date -u +%Y-%m-%d): $$(dpkg-query -W -f='$${Package} $${Version}, ' openbox $(DESKTOP_PACKAGES))"; \
	  echo; echo "| desktop | size | frameless | see-through | top | drag | dialog | normal | pop-up | boxes |"; \
	  echo "|---|---|---|---|---|---|---|---|---|---|"; cat $$rows; } > $$table; \
	rm -f $$rows; cat $$table; exit $$status

# PREFIX=/usr/local and DESTDIR as usual: `make install PREFIX=/opt/tansywatch`,
# `make install DESTDIR=/tmp/stage`.
install: installed
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

deb: deb-deps installed
	cd $(BUILD) && cpack -G DEB

deb-check: deb deb-check-deps
	lintian --fail-on error $(BUILD)/tansywatch_*.deb

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
