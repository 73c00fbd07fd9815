# Quick start:  make test   (installs what is missing, builds, runs the tests)
#               make demo   (builds and starts the program)
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARDEX_WERROR=ON

.PHONY: all deps build test test-sanitize test-tsan fuzz demo bench format clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DVARDEX_SANITIZE=address,undefined -DVARDEX_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The serial port's threads (and the unit simulator's) under ThreadSanitizer.
test-tsan: deps
	cmake -S . -B $(TSAN_BUILD) $(CMAKE_FLAGS) -DVARDEX_SANITIZE=thread -DVARDEX_BENCH=OFF
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target test_comm \
	  $$(cmake --build $(TSAN_BUILD) --target help | grep -w test_sim >/dev/null && echo test_sim)
	cd $(TSAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	  TSAN_OPTIONS="halt_on_error=1 suppressions=$(CURDIR)/tests/comm/qt-tsan.supp" \
	  ctest --output-on-failure -j $(JOBS) -R 'test_(comm|sim)'

# The libFuzzer programs of fuzz/ built with clang in their own tree, each
# run for FUZZ_SECONDS (crash inputs in $(FUZZ_BUILD)/fuzz-crashes/).
fuzz:
	@scripts/install-deps fuzz
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DVARDEX_FUZZ=ON -DVARDEX_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	scripts/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The demo site lives under the build tree and is made on first run.
DEMO_DIR ?= $(CURDIR)/$(BUILD)/demo
# The simulator serves the site's units on DIR/ttyKVR8 while the window is
# open and is stopped when it closes; DIR/kvr8sim.state keeps what the units
# lived through (collected events stay collected) for the next run.
demo: build
	@test -f $(DEMO_DIR)/WKVRUNI.DB || $(BUILD)/vardex demo-site $(DEMO_DIR)
	@$(BUILD)/kvr8sim --config $(DEMO_DIR)/kvr8sim.conf --state $(DEMO_DIR)/kvr8sim.state \
	    --link $(DEMO_DIR)/ttyKVR8 </dev/null >$(DEMO_DIR)/kvr8sim.log 2>&1 & sim=$$!; \
	for i in $$(seq 50); do test -e $(DEMO_DIR)/ttyKVR8 && break; sleep 0.1; done; \
	test -e $(DEMO_DIR)/ttyKVR8 || { kill $$sim 2>/dev/null; cat $(DEMO_DIR)/kvr8sim.log; exit 1; }; \
	$(BUILD)/vardex -C $(DEMO_DIR) --home $(DEMO_DIR); status=$$?; \
	kill $$sim; wait $$sim; exit $$status

bench: build
	@echo "Benchmarks are in $(BUILD)/bench; see the README for how to run them."

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD)
