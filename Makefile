# `make run` and `make test` are all a fresh Debian 12 machine needs.

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)

PACKAGES := cmake ninja-build g++ pkg-config \
            qt6-base-dev libsdl2-dev libxcb1-dev fonts-liberation fonts-wqy-microhei \
            xvfb openbox xdotool x11-utils x11-apps buici-clock python3 python3-xlib python3-pil faketime \
            desktop-file-utils appstream groff-base dex clang-format \
            pulseaudio pulseaudio-utils
# The desktops `make test` runs the clock on besides openbox, and the window in use there.
TEST_DESKTOP_PACKAGES := mutter i3-wm xterm dbus
# The desktops `make test-desktops` tries as well, the Wayland ones with XWayland.
DESKTOP_PACKAGES := $(TEST_DESKTOP_PACKAGES) kwin-x11 kwin-style-breeze kwin-wayland xfwm4 icewm sway weston \
                    xwayland x11-xserver-utils
DESKTOPS := openbox mutter i3 kwin xfwm4 icewm mutter-wayland kwin-wayland sway weston
# Only for the Debian package: dpkg-shlibdeps finds its dependencies, lintian checks it.
DEB_PACKAGES := dpkg-dev file
DEB_CHECK_PACKAGES := $(DEB_PACKAGES) lintian
PREFIX     ?= /usr/local

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps deb-deps deb-check-deps test-desktop-deps desktop-deps build run test test-asan test-desktops \
        format format-check install deb deb-check clean

all: build

# $(call install_missing,PACKAGE...): apt-get installs those not installed yet.
define install_missing
	@missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	    echo "Installing:" $$missing; \
	    $(SUDO) apt-get update -qq && \
	    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

deb-deps:
	$(call install_missing,$(DEB_PACKAGES))

test-desktop-deps:
	$(call install_missing,$(TEST_DESKTOP_PACKAGES))

desktop-deps:
	$(call install_missing,$(DESKTOP_PACKAGES))

deb-check-deps:
	$(call install_missing,$(DEB_CHECK_PACKAGES))

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/tansywatch

$(ASAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTANSY_SANITIZE=ON

test-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --test-dir $(ASAN_BUILD) --output-on-failure -LE e2e

# One format for all C++ (.clang-format); `make format` applies it.
CXX_FILES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null)
format-check: deps
	@if command -v clang-format >/dev/null; then \
	    clang-format --dry-run --Werror $(CXX_FILES) && echo "format-check: all $(words $(CXX_FILES)) C++ files are formatted"; \
	else \
	    echo "format-check: SKIPPED, clang-format is not installed (make deps installs it)"; \
	fi

format:
	clang-format -i $(CXX_FILES)

test: format-check build test-asan test-desktop-deps
	ctest --test-dir $(BUILD) --output-on-failure

# The clock's run on every desktop; the table of what each gave goes to
# $(BUILD)/desktops.md, with the date and the versions tried.
test-desktops: build desktop-deps
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
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

deb: build deb-deps
	cd $(BUILD) && cpack -G DEB

deb-check: deb deb-check-deps
	lintian --fail-on error $(BUILD)/tansywatch_*.deb

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
