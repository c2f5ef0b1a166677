# make run   installs what is missing, builds and starts Orvane
# make test  installs what is missing, builds and runs every test
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench fuzz clean

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
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

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
