# The README's commands: `make run` and `make test`.
# SANITIZE=1 builds in build-sanitize with AddressSanitizer and UndefinedBehaviorSanitizer, with the leak
# suppressions of tests/support/LeakSuppressions.txt.
BUILD      ?= build
JOBS       ?= $(shell nproc)
GENERATOR  := -G Ninja
ifeq ($(SANITIZE),1)
BUILD      := build-sanitize
CMAKE_ARGS += -DHALCYRA_SANITIZE=ON
export LSAN_OPTIONS := suppressions=$(CURDIR)/tests/support/LeakSuppressions.txt:print_suppressions=0$(if $(LSAN_OPTIONS),:$(LSAN_OPTIONS))
endif

.PHONY: deps configure build run test bench clean

deps:
	@bash scripts/deps

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
	rm -rf build build-sanitize
