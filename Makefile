# Entry points for people and CI. `make test` installs what is missing, builds everything with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs every test, then builds the threaded
# tests with ThreadSanitizer and runs them, then runs each fuzz target for a few seconds.
# JOBS (default: all cores) limits parallel jobs.
JOBS ?= $(shell nproc)
CMAKE_GEN := -G Ninja

.PHONY: all deps build run test test-asan test-tsan test-fuzz clean

all: build

deps:
	scripts/install-deps

build: deps
	cmake -S . -B build/release $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOV_BUILD_TESTS=OFF
	cmake --build build/release -j $(JOBS)

# OvClient against the test server with demo content, logged in as the demo user.
run:
	JOBS=$(JOBS) scripts/run-demo

# The builds run one after the other (also under make -j), each after the packages are in.
test: deps
	$(MAKE) test-asan
	$(MAKE) test-tsan
	$(MAKE) test-fuzz

test-asan:
	cmake -S . -B build/asan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DOV_SANITIZE=address
	cmake --build build/asan -j $(JOBS)
	ctest --test-dir build/asan --output-on-failure -j $(JOBS)

test-tsan:
	cmake -S . -B build/tsan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DOV_SANITIZE=thread
	cmake --build build/tsan -j $(JOBS) --target threaded_tests
	ctest --test-dir build/tsan --output-on-failure -j $(JOBS) -L threaded --no-tests=ignore

# Every fuzz target for a few seconds on its seeds, so that they keep building and running.
test-fuzz:
	JOBS=$(JOBS) scripts/fuzz-run 5

clean:
	rm -rf build
