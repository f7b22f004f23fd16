# The two commands of the README: `make run` and `make test`. Both install missing packages,
# configure and build into build/.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench clean test-sanitize fuzz fuzz-smoke

all: build

deps:
	@scripts/install-deps

configure: deps
	@if [ ! -f $(BUILD)/build.ninja ]; then \
	  cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS); \
	fi

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run-demo $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD)

# The code and its tests with address and undefined-behaviour sanitizers; tests labelled gui
# (widgets over Qt WebEngine) are left to `make test`.
ASAN_BUILD ?= build-asan
test-sanitize: deps
	@if [ ! -f $(ASAN_BUILD)/build.ninja ]; then \
	  cmake -S . -B $(ASAN_BUILD) -G Ninja -DFLEXEL_SANITIZE=ON $(CMAKE_FLAGS); \
	fi
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS) -LE gui

# libFuzzer targets (clang): `make fuzz` builds them into build-fuzz/ and writes their seeds,
# `make fuzz-smoke` runs each for FUZZ_SECONDS.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_FLAGS = -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
fuzz: deps
	@scripts/install-fuzz-deps
	@if [ ! -f $(FUZZ_BUILD)/build.ninja ]; then \
	  cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	    -DFLEXEL_FUZZ=ON -DCMAKE_C_FLAGS="$(FUZZ_FLAGS)" -DCMAKE_CXX_FLAGS="$(FUZZ_FLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
	    -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" $(CMAKE_FLAGS); \
	fi
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	@fuzz/seed $(FUZZ_BUILD)

fuzz-smoke: fuzz
	@for t in fuzz_transducer fuzz_expr fuzz_xml_engine fuzz_vlx fuzz_project_source; do \
	  echo "fuzz-smoke: $$t for $(FUZZ_SECONDS) s"; \
	  status=0; fuzz/run $(FUZZ_BUILD) $$t $(FUZZ_SECONDS) > $(FUZZ_BUILD)/fuzz-smoke-$$t.log 2>&1 \
	    || status=$$?; \
	  tail -n 12 $(FUZZ_BUILD)/fuzz-smoke-$$t.log; \
	  [ $$status -eq 0 ] || { echo "fuzz-smoke: $$t failed, see $(FUZZ_BUILD)/fuzz-findings/$$t/"; exit 1; }; \
	done
