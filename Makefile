# SPDX-License-Identifier: GPL-3.0-or-later
# `make run` and `make test` do all set-up on a fresh Debian machine: `make run`
# installs and builds only what the two programs need, `make test` the rest too.
BUILD ?= build
ASAN_BUILD ?= build-asan
CMAKE_ARGS ?=
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: all deps configure build programs run test install package deb sanitize bench clean

all: build

# What install-deps.sh installs: run, test, package or all.
DEPS ?= all
run programs: DEPS = run
test sanitize bench: DEPS = test
package deb: DEPS = package

deps:
	@bash scripts/install-deps.sh $(DEPS)

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The two programs alone, without the tests, benchmarks and manual.
programs: configure
	@cmake --build $(BUILD) -j $(JOBS) --target programs

# Without a display (or without the desktop program) the start-up image is
# drawn by morvane-render instead.
run: programs
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

# The Debian source package in debian/: morvane and morvane-render in ../
deb: deps
	@dpkg-buildpackage -us -uc -b

sanitize: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_SANITIZE=ON \
	  -DMORVANE_BENCHMARKS=OFF -DMORVANE_MANUAL=OFF $(CMAKE_ARGS) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x $$b ] && $$b; done
	@bash bench/fyre_compare.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
