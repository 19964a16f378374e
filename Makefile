# Quarrow: `make test` builds every preset and runs every test; `make run` starts the program.
# Both install what they need first (scripts/setup).

PRESETS := native host host32 fuzz win32 win64

.PHONY: all setup configure build test run fuzz batch clean

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
	@echo "== host32 tests (32-bit, $$(if [ "$$(cat build/kernel-runs-32bit)" = yes ]; then echo natively; else echo under qemu-i386; fi))"; ctest --preset host32
	@echo "== fuzz targets, $(or $(FUZZ_SECONDS),10) s each"; scripts/fuzz-all $(or $(FUZZ_SECONDS),10)
	@echo "== Windows tests, 64-bit build (wine64, Xvfb)"; scripts/with-display ctest --preset win64
	@if [ "$$(cat build/kernel-runs-32bit)" = yes ]; then \
	  echo "== Windows tests, 32-bit build (32-bit Wine prefix, Xvfb)"; \
	  QUARROW_WINE_BITS=32 scripts/with-display ctest --preset win32; \
	else \
	  echo "== Windows tests, 32-bit build: skipped, $$(scripts/runs-32bit | sed 's/^no: //')"; \
	fi

run: setup build/win64/build.ninja build/win32/build.ninja
	@cmake --build --preset win64 --target quarrow
	@cmake --build --preset win32 --target quarrow
	@scripts/run-program build/win64/app/quarrow.exe

# The batch program alone: a native release build at build/native/quarrow-batch.
batch: build/native/build.ninja
	@cmake --build --preset native --target quarrow-batch

# The long fuzzing run: ten minutes per target unless FUZZ_SECONDS (on the command line or in the environment)
# says otherwise, FUZZ_JOBS targets side by side.
FUZZ_JOBS ?= 1
fuzz: build/fuzz/build.ninja
	@cmake --build --preset fuzz
	@scripts/fuzz-all $(or $(FUZZ_SECONDS),600) $(FUZZ_JOBS)

clean:
	rm -rf build
