# Entry points for people and CI. Each target installs what it needs, configures and builds.
BUILD      ?= build
ASAN_BUILD ?= build-asan
WIN32_BUILD ?= build-win32
WIN64_BUILD ?= build-win64
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)

.PHONY: run test test-sanitized test-windows bench fuzz build package format

build:
	scripts/install-deps.sh core desktop
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	scripts/run-varrow.sh $(BUILD)

# The Debian package, in $(BUILD); lintian must find no errors in it.
package: build
	scripts/install-deps.sh package
	cd $(BUILD) && cpack
	lintian --fail-on error $(BUILD)/varrow_*.deb

# Every test: the whole suite, then the core suite again under the sanitizers.
test: build test-sanitized
	scripts/install-deps.sh package
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitized:
	scripts/install-deps.sh core
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DVARROW_DESKTOP=OFF -DVARROW_SANITIZE=ON \
	  -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

# The core, varrow-capture and the core tests cross-built for Windows. The 32-bit build is built
# and linked only (this machine's kernel runs no 32-bit programs); the 64-bit tests run under Wine.
WINDOWS_CONFIGURE = cmake -S . -G Ninja -DVARROW_DESKTOP=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
test-windows:
	scripts/install-deps.sh core windows
	$(WINDOWS_CONFIGURE) -B $(WIN32_BUILD) \
	  --toolchain $(CURDIR)/cmake/toolchains/mingw-w64-i686.cmake >/dev/null
	cmake --build $(WIN32_BUILD) -j $(JOBS)
	$(WINDOWS_CONFIGURE) -B $(WIN64_BUILD) \
	  --toolchain $(CURDIR)/cmake/toolchains/mingw-w64-x86_64.cmake >/dev/null
	cmake --build $(WIN64_BUILD) -j $(JOBS)
	cd $(WIN64_BUILD) && ctest --output-on-failure -j $(JOBS)

# Capture speed and memory on the corpus, on the corpus in one page and on generated pages, side by
# side with an lxml listing of the same images.
bench:
	scripts/install-deps.sh core bench
	cmake -S . -B $(BUILD)-bench -G Ninja -DVARROW_DESKTOP=OFF -DVARROW_TESTS=OFF \
	  -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD)-bench -j $(JOBS) --target capture_bench
	$(BUILD)-bench/bin/capture_bench ../shared/corpus/pages

# Each fuzz target for FUZZ_SECONDS; inputs that fail land in $(FUZZ_BUILD)/fuzz-findings.
fuzz:
	scripts/install-deps.sh core fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DVARROW_DESKTOP=OFF \
	  -DVARROW_TESTS=OFF -DVARROW_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target scan_fuzz capture_fuzz rtf_fuzzer
	fuzz/run-fuzzers.sh $(FUZZ_BUILD) ../shared/corpus/pages $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
