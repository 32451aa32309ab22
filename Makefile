# SPDX-License-Identifier: GPL-3.0-or-later
# `make run` and `make test` do all set-up on a fresh Debian machine.
BUILD ?= build
ASAN_BUILD ?= build-asan
CMAKE_ARGS ?=
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: all deps configure build run test install package sanitize bench clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Without a display (or without the desktop program) the start-up image is
# drawn by morvane-render instead.
run: build
	@if [ -x $(BUILD)/morvane ] && [ -n "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	  $(BUILD)/morvane $(ARGS); \
	else \
	  if [ -x $(BUILD)/morvane ]; then echo "No graphical display: drawing with morvane-render"; fi; \
	  $(BUILD)/morvane-render -o $(BUILD)/morvane.tga && \
	    echo "Wrote the start-up image to $(abspath $(BUILD))/morvane.tga"; \
	fi

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# `make install PREFIX=DIR` (DESTDIR is honoured as well).
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	@cd $(BUILD) && cpack -G DEB

sanitize: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_SANITIZE=ON $(CMAKE_ARGS) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x $$b ] && $$b; done
	@bash bench/fyre_compare.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
