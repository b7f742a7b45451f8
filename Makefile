# Entry points for people and CI. Each target installs what it needs, configures and builds.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)

.PHONY: run test test-sanitized bench build format

build:
	scripts/install-deps.sh core desktop
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	scripts/run-varrow.sh $(BUILD)

# Every test: the whole suite, then the core suite again under the sanitizers.
test: build test-sanitized
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitized:
	scripts/install-deps.sh core
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DVARROW_DESKTOP=OFF -DVARROW_SANITIZE=ON \
	  -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

bench:
	scripts/install-deps.sh core
	cmake -S . -B $(BUILD)-bench -G Ninja -DVARROW_DESKTOP=OFF -DVARROW_TESTS=OFF \
	  -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD)-bench -j $(JOBS) --target capture_bench
	$(BUILD)-bench/bin/capture_bench ../shared/corpus/pages

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
