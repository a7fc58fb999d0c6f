# The README's commands: `make run` and `make test`.
BUILD      ?= build
JOBS       ?= $(shell nproc)
GENERATOR  := -G Ninja
ifeq ($(SANITIZE),1)
BUILD      := build-sanitize
CMAKE_ARGS += -DHALCYRA_SANITIZE=ON
endif
# FUZZ=1: the fuzz targets as libFuzzer binaries, built with clang over an instrumented build.
ifeq ($(FUZZ),1)
BUILD      := build-fuzz
CMAKE_ARGS += -DHALCYRA_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++
DEPS_ARGS  := fuzz
endif

.PHONY: deps configure build run test bench clean

deps:
	@bash scripts/deps $(DEPS_ARGS)

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/app/halcyra

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done; true

clean:
	rm -rf build build-sanitize build-fuzz
