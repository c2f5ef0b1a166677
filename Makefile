# make run   installs what is missing, builds and starts Orvane
# make test  installs what is missing, builds and runs every test
# make install / make uninstall   puts Orvane into PREFIX (default /usr/local),
#            under DESTDIR when given, and takes it away again
# make deb   builds the Debian package orvane_VERSION_ARCH.deb in BUILD
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
# Most tests wait on a server, a time-out or a process start more than
# they compute: two per core finish the run in two thirds of the time.
TEST_JOBS ?= $(shell echo $$(( $$(nproc) * 2 )))
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all deps configure build run test install uninstall deb bench fuzz clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(TEST_JOBS)

# Builds only when nothing is built yet, so that `sudo make install` after
# `make` leaves the build folder to its owner.
install:
	@[ -x $(BUILD)/orvane ] || $(MAKE) --no-print-directory build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)" --component orvane --strip
	@sed 's|^|$(DESTDIR)|' $(BUILD)/install_manifest_orvane.txt > $(BUILD)/installed-files.txt

# Takes away what the last `make install` from BUILD put down.
uninstall:
	@cmake -DFILES=$(BUILD)/installed-files.txt -P packaging/Uninstall.cmake

deb: build
	@cd $(BUILD) && cpack --config CPackConfig.cmake >/dev/null
	@echo "deb: wrote $$(ls $(BUILD)/orvane_*.deb)"

bench: deps
	@cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANE_BENCH=ON >/dev/null
	@cmake --build $(BUILD)-bench -j $(JOBS)
	@scripts/bench $(BUILD)-bench

fuzz:
	@scripts/install-deps --fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD)-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_FUZZ=ON >/dev/null
	@cmake --build $(BUILD)-fuzz -j $(JOBS)
	@echo "fuzz targets built; run them with scripts/fuzz SECONDS"

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-fuzz
