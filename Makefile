# Kardo: `make run` sets up, builds and starts the program; `make test` sets up, builds and runs
# every test.
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

run: build
	@$(BUILD)/kardo $(ARGS)

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

# Fuzzes the circuit file reader for FUZZ_SECONDS (at most FUZZ_RUNS inputs; -1 no limit) under
# ASan and UBSan (clang, build-fuzz/); the fixtures of tests/data seed the corpus. FUZZ_SEED 0
# picks a random seed; a fixed seed with a run limit makes the run repeatable.
FUZZ_SECONDS ?= 60
FUZZ_RUNS ?= -1
FUZZ_SEED ?= 0
fuzz: deps
	@cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
		-DKARDO_BUILD_FUZZ=ON -DKARDO_BUILD_GUI=OFF -DKARDO_BUILD_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target kardo_fuzz_circuit
	@rm -rf build-fuzz/corpus && mkdir -p build-fuzz/corpus
	@ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		build-fuzz/kardo_fuzz_circuit -max_total_time=$(FUZZ_SECONDS) -runs=$(FUZZ_RUNS) \
		-seed=$(FUZZ_SEED) -timeout=10 \
		-max_len=65536 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=build-fuzz/ \
		-dict=fuzz/circuit.dict \
		build-fuzz/corpus tests/data

clean:
	@rm -rf build build-release build-release-gui build-asan build-fuzz build-peers
