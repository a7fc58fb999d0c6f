# The README's commands: `make run` and `make test`.
# WERROR=1 makes warnings errors; SANITIZE=1 builds in build-sanitize with AddressSanitizer and
# UndefinedBehaviorSanitizer, with the leak suppressions of tests/support/LeakSuppressions.txt.
BUILD      ?= build
JOBS       ?= $(shell nproc)
GENERATOR  := -G Ninja
CMAKE_ARGS += -DCMAKE_COMPILE_WARNING_AS_ERROR=$(if $(filter 1,$(WERROR)),ON,OFF)
ifeq ($(SANITIZE),1)
BUILD      := build-sanitize
CMAKE_ARGS += -DHALCYRA_SANITIZE=ON
export LSAN_OPTIONS := suppressions=$(CURDIR)/tests/support/LeakSuppressions.txt:print_suppressions=0$(if $(LSAN_OPTIONS),:$(LSAN_OPTIONS))
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

# Run every time, so that a changed WERROR or SANITIZE reaches an existing build folder.
configure: deps
	@cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS) >/dev/null

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
