# Pelmorin: `make run` builds and starts the program, `make test` runs every
# test, `make sanitize` runs the lower layers' tests under the sanitizers,
# `make bench` runs the benchmarks, `make fuzz` fuzzes the map reader.
BUILD ?= build
FUZZ_BUILD ?= build-fuzz
SAN_BUILD ?= build-san
JOBS ?= $(shell nproc)
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
# ccache, when present, makes rebuilds in several checkouts cheap.
LAUNCHER := $(shell command -v ccache >/dev/null 2>&1 && echo "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
SAN_TESTS := test_map test_route test_settings test_cli
FUZZ_SECONDS ?= 180

.PHONY: all deps configure build run test sanitize bench fuzz screenshots clean

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(GENERATOR) $(LAUNCHER) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/bin && ./pelmorin

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The layers below the windows, built with the address and undefined-behaviour
# sanitizers and with warnings as errors, and their tests run.
sanitize: deps
	cmake -S . -B $(SAN_BUILD) $(GENERATOR) $(LAUNCHER) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DPELMORIN_SANITIZE=ON -DPELMORIN_WERROR=ON -DPELMORIN_BENCH=OFF
	cmake --build $(SAN_BUILD) -j $(JOBS) --target $(SAN_TESTS)
	cd $(SAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  ctest --output-on-failure -j $(JOBS) -R '^($(subst $(eval) ,|,$(SAN_TESTS)))$$'

bench: configure
	cmake --build $(BUILD) -j $(JOBS) --target benches
	@for b in $(BUILD)/bench/bench_*; do \
	  [ -x "$$b" ] || continue; echo "== $$b"; \
	  QT_QPA_PLATFORM=offscreen $$b --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || exit 1; \
	done

fuzz: deps
	@command -v clang++ >/dev/null || { echo "clang++ est nécessaire pour le fuzzing"; exit 1; }
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DPELMORIN_GUI=OFF -DPELMORIN_TESTS=OFF -DPELMORIN_BENCH=OFF -DPELMORIN_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_map_reader
	mkdir -p $(FUZZ_BUILD)/corpus
	$(FUZZ_BUILD)/fuzz/fuzz_map_reader -max_total_time=$(FUZZ_SECONDS) -max_len=200000 \
	  -artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus tests/map/data/malformed

screenshots: build
	PELMORIN_DESKTOP_TOOLS=1 ./scripts/install-deps.sh
	./scripts/screenshots.sh $(BUILD)/bin docs

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) $(SAN_BUILD)
