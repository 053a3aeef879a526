# Two commands for a fresh Debian machine:
#   make run   builds the game and starts it from assets/ (the folder with dat/ bmp/ sound/ voice/)
#   make test  builds everything, runs every test, then runs them again under address+undefined sanitizers
JOBS ?= $(shell nproc)
BUILD ?= build
SAN_BUILD ?= build-asan
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps build run test test-plain test-sanitize fuzz-long bench format clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd assets && ../$(BUILD)/src/app/kerna-reversi

test: test-plain test-sanitize

test-plain: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The sanitizer build uses clang so that the same build also carries the libFuzzer targets.
test-sanitize: deps
	CXX=clang++ cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKERNA_SANITIZE=ON -DKERNA_FUZZ=ON
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ctest --output-on-failure -j $(JOBS) -LE nosan

fuzz-long: deps
	CXX=clang++ cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKERNA_SANITIZE=ON -DKERNA_FUZZ=ON -DKERNA_FUZZ_SECONDS=600
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && ctest --output-on-failure -L fuzz

bench: build
	$(BUILD)/bench/kerna-bench

format:
	git ls-files '*.cpp' '*.hpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(SAN_BUILD)
