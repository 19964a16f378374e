# Quarrow: `make test` builds every preset and runs every test; `make run` starts the program.
# Both install what they need first (scripts/setup).

PRESETS := host host32 fuzz win32 win64

.PHONY: all setup configure build test run fuzz clean

all: build

setup:
	@scripts/setup

# Configure a preset once; later builds reconfigure by themselves when a CMakeLists changes.
build/%/build.ninja: | setup
	@cmake --preset $* >/dev/null

configure: $(foreach p,$(PRESETS),build/$(p)/build.ninja)

build: configure
	@for p in $(PRESETS); do echo "== build $$p"; cmake --build --preset $$p || exit 1; done

test: build
	@echo "== host tests (sanitized)"; ctest --preset host
	@echo "== host32 tests (32-bit, qemu-i386)"; ctest --preset host32
	@echo "== fuzz targets, $(or $(FUZZ_SECONDS),10) s each"; scripts/fuzz-all $(or $(FUZZ_SECONDS),10)
	@echo "== Windows tests (wine64, Xvfb)"; scripts/with-display ctest --preset win64

run: setup build/win64/build.ninja build/win32/build.ninja
	@cmake --build --preset win64 --target quarrow
	@cmake --build --preset win32 --target quarrow
	@scripts/run-program build/win64/app/quarrow.exe

# The long fuzzing run: ten minutes per target unless FUZZ_SECONDS (on the command line or in the environment)
# says otherwise, FUZZ_JOBS targets side by side.
FUZZ_JOBS ?= 1
fuzz: build/fuzz/build.ninja
	@cmake --build --preset fuzz
	@scripts/fuzz-all $(or $(FUZZ_SECONDS),600) $(FUZZ_JOBS)

clean:
	rm -rf build
