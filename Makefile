# Kardo: `make run` sets up, builds and starts the program (only the program); `make test` sets
# up, builds and runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench bench-gui bench-peers sanitize fuzz clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The program alone: no test or benchmark is built before the window appears.
run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target kardo
	@$(BUILD)/kardo $(ARGS)

# Everything (the tests and what they run, and the benchmarks, so that CI sees them compile).
test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

bench: deps
	@cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKARDO_BUILD_GUI=OFF >/dev/null
	@cmake --build build-release -j $(JOBS) --target kardo_bench
	@build-release/kardo_bench

# The benchmarks that need the Qt windows (offscreen).
bench-gui: deps
	@cmake -S . -B build-release-gui -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build-release-gui -j $(JOBS) --target kardo_gui_bench
	@QT_QPA_PLATFORM=offscreen build-release-gui/kardo_gui_bench

# Kardo's ripple counter beside Icarus Verilog and Verilator (installed by their own optional
# step, not by deps), one run, with the ratios.
bench-peers: deps
	@scripts/install-peer-deps
	@cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKARDO_BUILD_GUI=OFF >/dev/null
	@cmake --build build-release -j $(JOBS) --target kardo_bench
	@cmake -S . -B build-release-gui -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build-release-gui -j $(JOBS) --target kardo_gui_bench
	@bench/peers/run-peers build-release/kardo_bench build-release-gui/kardo_gui_bench build-peers

sanitize: deps
	@cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKARDO_SANITIZE=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-asan -j $(JOBS)
	@ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		ctest --test-dir build-asan --output-on-failure -j $(JOBS)

# Fuzzes the circuit files (reader, writer, and load, drawing, simulation, undo and save of what
# loads) and then the settings files, each for at most FUZZ_SECONDS (at most FUZZ_RUNS and
# FUZZ_SETTINGS_RUNS inputs; -1 no limit) under ASan and UBSan (clang, build-fuzz/); the fixtures
# of tests/data seed the corpora. FUZZ_SEED 0 picks a random seed; a fixed seed with a run limit
# makes the runs repeatable.
FUZZ_SECONDS ?= 60
FUZZ_RUNS ?= -1
FUZZ_SETTINGS_RUNS ?= $(FUZZ_RUNS)
FUZZ_SEED ?= 0
# Then the term checker for at most FUZZ_TERM_SECONDS (at most FUZZ_TERM_RUNS inputs), seeded
# from fuzz/term_seeds.
FUZZ_TERM_SECONDS ?= 60
FUZZ_TERM_RUNS ?= -1
FUZZ_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
FUZZ_FLAGS = -max_total_time=$(FUZZ_SECONDS) -seed=$(FUZZ_SEED) -timeout=10 -rss_limit_mb=2048 \
	-print_final_stats=1 -artifact_prefix=build-fuzz/
fuzz: deps
	@cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
		-DKARDO_BUILD_FUZZ=ON -DKARDO_BUILD_GUI=OFF -DKARDO_BUILD_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target kardo_fuzz_circuit kardo_fuzz_settings \
		kardo_fuzz_term
	@rm -rf build-fuzz/corpus build-fuzz/settings-corpus build-fuzz/term-corpus
	@mkdir -p build-fuzz/corpus build-fuzz/settings-corpus build-fuzz/term-corpus
	@$(FUZZ_ENV) build-fuzz/kardo_fuzz_circuit $(FUZZ_FLAGS) -runs=$(FUZZ_RUNS) -max_len=65536 \
		-dict=fuzz/circuit.dict build-fuzz/corpus tests/data
	@$(FUZZ_ENV) build-fuzz/kardo_fuzz_settings $(FUZZ_FLAGS) -runs=$(FUZZ_SETTINGS_RUNS) \
		-max_len=8192 -dict=fuzz/settings.dict build-fuzz/settings-corpus tests/data/settings
	@$(FUZZ_ENV) build-fuzz/kardo_fuzz_term -max_total_time=$(FUZZ_TERM_SECONDS) \
		-seed=$(FUZZ_SEED) -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
		-artifact_prefix=build-fuzz/term- -runs=$(FUZZ_TERM_RUNS) -max_len=1024 \
		-dict=fuzz/term.dict build-fuzz/term-corpus fuzz/term_seeds

clean:
	@rm -rf build build-release build-release-gui build-asan build-fuzz build-peers
