# The two commands: `make demo` and `make test`. Both install what is missing first.
.PHONY: deps native win32 sanitize demo test clean

NATIVE := build/native
WIN32DIR := build/win32
PANELHOST := $(NATIVE)/tools/panelhost/panelhost

deps:
	@scripts/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

# The Win32 tree takes the artwork the native build drew (it runs no generators).
win32: native
	cmake --preset win32 >/dev/null
	cmake --build --preset win32

# The sound library, the software sound device and the horn through the host, built and run
# with the address and undefined-behaviour sanitizers.
SANITIZED_TARGETS := gsound_test softsound_test horn_sound_test panelhost hornmod
SANITIZED_TESTS := ^(Gsound|WaveParse|Softsound|SoftsoundDevice|FrameClock|HornWithSound|HornGauge)\.|^script\.hornmod-
sanitize: deps
	cmake --preset sanitize >/dev/null
	cmake --build --preset sanitize --target $(SANITIZED_TARGETS)
	ctest --preset sanitize -R '$(SANITIZED_TESTS)'

demo: native
	@scripts/demo.sh $(PANELHOST) $(NATIVE)/modules out

# Configuring the native tree again now that build/win32 exists registers the Win32 checks
# (tests/win32: the DLLs' exports and imports, and both hosts compared under Wine).
test: win32
	cmake --preset native >/dev/null
	ctest --preset native
	$(MAKE) --no-print-directory sanitize

clean:
	rm -rf build out
