# Entry points for people and CI. Each target installs what it needs, then configures, builds and
# runs through the presets of CMakePresets.json (build folders: build, build-asan, build-win32,
# build-win64, build-bench, build-fuzz).
FUZZ_SECONDS ?= 60
JOBS         ?= $(shell nproc)

.PHONY: run test test-sanitized test-windows bench fuzz build package format

build:
	scripts/install-deps.sh core desktop
	cmake --preset desktop
	cmake --build --preset desktop -j $(JOBS)

run: build
	scripts/run-varrow.sh build

# The Debian package, in build/; lintian must find no errors in it.
package: build
	scripts/install-deps.sh package
	cd build && cpack
	lintian --fail-on error build/varrow_*.deb

# Every test: the whole suite, then the core suite again under the sanitizers.
test: build test-sanitized
	scripts/install-deps.sh package screen
	ctest --preset desktop -j $(JOBS)

test-sanitized:
	scripts/install-deps.sh core
	cmake --preset sanitized
	cmake --build --preset sanitized -j $(JOBS)
	ctest --preset sanitized -j $(JOBS)

# The core, varrow-capture and the core tests cross-built for Windows. The 32-bit build is built
# and linked only (this machine's kernel runs no 32-bit programs); the 64-bit tests run under Wine.
test-windows:
	scripts/install-deps.sh core windows
	cmake --preset windows-32
	cmake --build --preset windows-32 -j $(JOBS)
	cmake --preset windows-64
	cmake --build --preset windows-64 -j $(JOBS)
	ctest --preset windows-64 -j $(JOBS)

# Capture speed and memory on the corpus, on the corpus in one page and on generated pages, side by
# side with an lxml listing of the same images; then varrow-capture's start against /bin/true; then
# the picture inventory of a served page with 2,000 pictures; then saving 500 small pictures from a
# loopback server through the browser engine; then the Page Images window's table with 20,000 rows.
bench:
	scripts/install-deps.sh core bench
	cmake --preset bench
	cmake --build --preset bench -j $(JOBS)
	build-bench/bin/capture_bench ../shared/corpus/pages
	build-bench/bin/command_start_bench build-bench/bin/varrow-capture
	scripts/install-deps.sh desktop
	cmake --preset desktop
	cmake --build --preset desktop -j $(JOBS) --target page_images_bench page_images_table_bench
	build/bin/page_images_bench
	cmake --build --preset desktop -j $(JOBS) --target picture_save_bench
	build/bin/picture_save_bench 500
	build/bin/page_images_table_bench

# Each fuzz target for FUZZ_SECONDS; inputs that fail land in build-fuzz/fuzz-findings.
fuzz:
	scripts/install-deps.sh core fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	fuzz/run-fuzzers.sh build-fuzz ../shared/corpus/pages $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
